// The entry of the module that writes the calculation report for the runner (libvorne_report.so).
#ifndef VORNE_REPORT_REPORT_MODULE_H
#define VORNE_REPORT_REPORT_MODULE_H

#include <QString>

#include "report/calculation_report.h"

namespace vorne {

// The exported name of the entry, and its type: writes the report to fileName (through a
// temporary file renamed over it) and leaves error empty, or leaves any earlier file as it was
// and sets error to the file and the reason. Starts the windowless Qt Gui application the fonts
// need when the process has none.
inline constexpr const char* kReportModuleEntry = "vorne_write_calculation_report";
using ReportModuleEntry = void (*)(const QString& fileName,
                                   const ReportSources& sources,
                                   const ReportOptions& options,
                                   QString& error);

}  // namespace vorne

#endif  // VORNE_REPORT_REPORT_MODULE_H
