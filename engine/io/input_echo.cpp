// Input echo of the report; see input_echo.h. The blocks are added here block by block.
#include "io/input_echo.h"

namespace vorne {

void writeInputEcho(std::ostream& report, const AnalysisInput& input, const UnitLabels& labels) {
  (void)report;
  (void)input;
  (void)labels;
}

}  // namespace vorne
