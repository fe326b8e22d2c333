// Echo of the whole input in the report, between the "INPUT INFORMATION" heading and the
// "COMPUTATION RESULT" heading: load-transfer method, capacity methods, loading, pile type, axial
// stiffness, pile properties, soil tables, factor table and offshore table.
#ifndef VORNE_ENGINE_IO_INPUT_ECHO_H
#define VORNE_ENGINE_IO_INPUT_ECHO_H

#include <ostream>

#include "io/analysis_input.h"
#include "io/report_writer.h"

namespace vorne {

// Writes the echo of input (as read and adjusted, soil depths not yet snapped) to report.
// The pile length is shown as read; every computation after the echo uses embeddedLength().
void writeInputEcho(std::ostream& report, const AnalysisInput& input, const UnitLabels& labels);

}  // namespace vorne

#endif  // VORNE_ENGINE_IO_INPUT_ECHO_H
