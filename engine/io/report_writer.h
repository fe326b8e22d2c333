// The fixed-layout pieces of the output report that the run driver writes itself: banner, file
// names, date and time, stop messages, the input and result headings, and the unit labels every
// report block uses. Layouts are part of the report's interface and must not change.
//
// Each function writes complete lines ending in "\n"; a block that begins with empty lines writes
// them itself.
#ifndef VORNE_ENGINE_IO_REPORT_WRITER_H
#define VORNE_ENGINE_IO_REPORT_WRITER_H

#include <ostream>
#include <string>
#include <string_view>

#include "io/analysis_input.h"

namespace vorne {

// Unit labels of the report, fixed by the unit system once the input is read.
struct UnitLabels {
  std::string_view length;      // L:  "FT." | "M. "  depths and lengths
  std::string_view diameter;    // D:  "IN." | "MM."  diameters, perimeter, movement (English)
  std::string_view force;       // F:  "KIP" | "KN."
  std::string_view stress;      // S:  "KSF" | "KPA"
  std::string_view unitWeight;  // W:  "LB/CF" | "KN/CM" (five characters)
  std::string_view area;        // AR: "IN2" | "M2 "
  std::string_view modulus;     // E:  "PSI" | "KPA"

  // Labels for units 1 (English) or 2 (SI); any other value gets the English labels.
  static UnitLabels forUnits(int units);
};

// Local calendar time of a run, as printed in the date-and-time block.
struct RunTime {
  int year = 0;
  int month = 0;  // 1..12; any other value leaves the date line out
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The local time now.
RunTime localTimeNow();

// A path split as the report shows it. On Windows the drive is "C:"; elsewhere it is empty. The
// folder keeps its trailing separator and the extension its leading ".".
struct PathParts {
  std::string drive;
  std::string folder;
  std::string name;
  std::string extension;
};
PathParts splitPath(std::string_view path);

// Banner, on the console and at the top of the report. version: line 1 of the names file, shown in
// 12 characters.
void writeBanner(std::ostream& out, std::string_view version);

// Folder of the data file and the names of the data file, the report and the plot data file.
void writeFileNames(std::ostream& report,
                    std::string_view dataPath,
                    std::string_view reportPath,
                    std::string_view plotPath);

void writeDateAndTime(std::ostream& report, const RunTime& time);

// Console warning when the last soil point lies above the required soil depth [ft | m].
void writeNoSoilWarning(std::ostream& console, double requiredSoilDepth, const UnitLabels& labels);

// Report stop when the deepest soil depth is above the required soil depth [ft | m].
void writeShallowProfileStop(std::ostream& report,
                             double deepestSoilDepth,
                             double requiredSoilDepth,
                             const UnitLabels& labels);

// Console line when the checks passed.
void writeProceeding(std::ostream& console);

// Page break, the "INPUT INFORMATION" box, then title, designer and job number.
void writeInputHeading(std::ostream& report, const AnalysisInput& input);

// Page break and the "COMPUTATION RESULT" box that ends the input echo.
void writeResultHeading(std::ostream& report);

// Stop when more segments are needed than the engine holds; also written on the console.
void writeSegmentCountStop(std::ostream& out, long long segmentCount);

// One line for a run that cannot go on (a file that cannot be opened or read, a bad value).
void writeRunError(std::ostream& out, std::string_view message);

}  // namespace vorne

#endif  // VORNE_ENGINE_IO_REPORT_WRITER_H
