// The computation passes of a run: everything after the input has been read, echoed and checked.
//
// The run driver (run.cpp) calls runPasses once, after the "COMPUTATION RESULT" heading and the
// segment-count check, with the report and plot data file open. runPasses then, in order:
//   pass 1: node profile and effective stress, tip post-processing for capacity slots 1..3,
//           printed rows, the plot file header, the user-specified method (at most once per run),
//           FHWA, USACE and Revised Lambda with their tables and plot rows;
//   pass 2: the same profile steps, API RP 2A, then (offshoreParameters == 1) NGI, ICP/MTD,
//           FUGRO and UWA with their tables and plot rows, then the load-transfer curves, the
//           load-settlement solution and, with extra t-z depths, the verification curves.
// Each capacity table and its plot rows list the printed nodes 1, 1 + PrintIncrement, ... and the
// tip node.
#ifndef VORNE_ENGINE_DRIVER_PASSES_H
#define VORNE_ENGINE_DRIVER_PASSES_H

#include <cstdint>
#include <istream>
#include <ostream>
#include <vector>

#include "io/analysis_input.h"
#include "io/report_writer.h"

namespace vorne {

// Everything one run hands to its passes. Nothing outlives the run.
struct RunContext {
  // The input as read and adjusted at load time, with the soil point depths already snapped to
  // the increment (snapSoilPointDepths). pile.pileLength is still the total length as read: use
  // embeddedLength() for computations. The last soil point may lie above deepestSoilDepth (the
  // "NO SOIL" warning lets such a run go on): below it the profile must keep the last point's
  // values. The first soil point is at depth 0.
  const AnalysisInput& input;
  const std::vector<double>& soilDepthsAsRead;  // depth of each soil point before snapping
  std::ostream& report;
  std::ostream& plot;
  std::ostream& console;       // console messages (standard output for the exported entry)
  std::istream& consoleInput;  // console answers (standard input for the exported entry)
  UnitLabels labels;
  int segmentCount;  // NSEG, 1..kMaxSegments
};

// Runs the two passes. Returns kVorneStatusFinished (0), or kVorneStatusStopped (1) after writing
// its reason to the report. May throw only on internal faults (the driver turns them into a
// report line and status 1).
int32_t runPasses(RunContext& context);

}  // namespace vorne

#endif  // VORNE_ENGINE_DRIVER_PASSES_H
