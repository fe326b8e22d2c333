// Load-transfer stage of a run; see load_transfer_stage.h.
#include "driver/load_transfer_stage.h"

#include <string>

#include "io/load_transfer_writer.h"
#include "io/report_writer.h"
#include "settlement/axial_stiffness.h"
#include "settlement/load_transfer.h"
#include "settlement/settlement_solver.h"
#include "vorne/ivorne.h"

namespace vorne {

int32_t runLoadTransferStage(const AnalysisInput& input,
                             const CapacityProfile& selected,
                             std::ostream& report,
                             std::ostream& plot,
                             std::ostream& console) {
  const std::string problem = stiffnessInputProblem(input);
  if (!problem.empty()) {
    writeRunError(report, problem);
    writeRunError(console, problem);
    return kVorneStatusStopped;
  }

  const CurveSettings settings = CurveSettings::of(input);
  const LoadTransferSource source = loadTransferSourceOf(selected);
  const LoadTransferCurves curves = buildLoadTransferCurves(input, source);
  const SettlementPile pile = SettlementPile::of(input, settlementSegmentCount(input));
  const SettlementSolution solution =
      solveLoadSettlement(pile, curves.stations, curves.tip, imposedTipMovements(settings.english));
  writeLoadSettlementReport(report, curves, solution, settings);
  writeLoadSettlementPlot(plot, curves, solution, settings);

  if (input.extraTzFlag == 1 && !input.extraTzDepths.empty()) {
    const std::vector<VerificationCurve> extra = buildVerificationCurves(input, source);
    writeVerificationReport(report, extra, settings);
    writeVerificationPlot(plot, extra);
  }
  return kVorneStatusFinished;
}

}  // namespace vorne
