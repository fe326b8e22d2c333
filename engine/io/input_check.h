// The check of the input values after reading: every value that the report or the plot data file
// prints, directly or through a value derived from it, must fit the fixed-width field that prints
// it. A value that does not would come out as asterisks, and the plot data file would then be one
// its reader refuses. The limits are the largest numbers the fields hold, far beyond any real pile
// or soil; the desktop program and the runner refuse much smaller values before a run.
#ifndef VORNE_ENGINE_IO_INPUT_CHECK_H
#define VORNE_ENGINE_IO_INPUT_CHECK_H

#include <string>

#include "io/analysis_input.h"

namespace vorne {

// The largest value of each kind that its fields print (the field widths of the report's input
// echo and capacity tables and of the plot data file's capacity rows).
inline constexpr double kMaxPrintedLength = 9999999.99;       // lengths, diameters, areas: F10.2
inline constexpr double kMaxPrintedDepth = 9999.99;           // soil depths and penetrations: F7.2
inline constexpr double kMaxPrintedStrength = 99999.999;      // su, unit skin friction: F9.3
inline constexpr double kMaxPrintedIndex = 999.99;            // PI, YSR and blow count: F6.2
inline constexpr double kMaxPrintedFactor = 9999.999;         // LRFD factors: F8.3
inline constexpr double kMaxPrintedCoefficient = 9999999.99;  // Ko, Nq, end bearing: F10.2

// The first input value that the fixed layouts cannot print, as "soil point 3: the undisturbed
// shear strength 100000000 KSF is more than 99999.999, the most its report and plot data columns can
// print"; empty when every value fits. Works on the input as read and adjusted (stresses in ksf in
// English units); labels are the report's unit labels.
std::string printableInputProblem(const AnalysisInput& input);

}  // namespace vorne

#endif  // VORNE_ENGINE_IO_INPUT_CHECK_H
