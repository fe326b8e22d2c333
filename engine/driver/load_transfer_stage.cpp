// Load-transfer stage of a run; see load_transfer_stage.h.
#include "driver/load_transfer_stage.h"

#include <cmath>
#include <string>

#include "io/load_transfer_writer.h"
#include "io/report_writer.h"
#include "settlement/axial_stiffness.h"
#include "settlement/load_transfer.h"
#include "settlement/settlement_solver.h"
#include "vorne/ivorne.h"

namespace vorne {
namespace {

bool allFinite(const TzCurve& curve) {
  for (std::size_t i = 0; i < kCurvePoints; ++i) {
    if (!std::isfinite(curve.movement[i]) || !std::isfinite(curve.unitTransfer[i])) return false;
  }
  return std::isfinite(curve.depth);
}

// Whether every number the stage would write is finite. Only magnitudes far outside any pile or
// soil (a modulus of 1e-320, a diameter of 1e300) overflow.
bool allFinite(const LoadTransferCurves& curves, const SettlementSolution& solution) {
  for (const TzCurve& station : curves.stations) {
    if (!allFinite(station)) return false;
  }
  for (std::size_t i = 0; i < kCurvePoints; ++i) {
    if (!std::isfinite(curves.tip.movement[i]) || !std::isfinite(curves.tip.load[i])) return false;
  }
  for (const LoadSettlementPoint& p : solution.points) {
    if (!std::isfinite(p.topLoad) || !std::isfinite(p.topMovement) || !std::isfinite(p.tipLoad) ||
        !std::isfinite(p.tipMovement)) {
      return false;
    }
  }
  for (const std::vector<LoadDistributionRow>& level : solution.distribution) {
    for (const LoadDistributionRow& row : level) {
      if (!std::isfinite(row.depth) || !std::isfinite(row.load) || !std::isfinite(row.movement)) {
        return false;
      }
    }
  }
  return true;
}

int32_t stop(std::ostream& report, std::ostream& console, const std::string& message) {
  writeRunError(report, message);
  writeRunError(console, message);
  return kVorneStatusStopped;
}

}  // namespace

int32_t runLoadTransferStage(const AnalysisInput& input,
                             const CapacityProfile& selected,
                             std::ostream& report,
                             std::ostream& plot,
                             std::ostream& console) {
  const std::string problem = stiffnessInputProblem(input);
  if (!problem.empty()) return stop(report, console, problem);

  const CurveSettings settings = CurveSettings::of(input);
  const LoadTransferSource source = loadTransferSourceOf(selected);
  const LoadTransferCurves curves = buildLoadTransferCurves(input, source);
  const SettlementPile pile = SettlementPile::of(input, settlementSegmentCount(input));
  const SettlementSolution solution =
      solveLoadSettlement(pile, curves.stations, curves.tip, imposedTipMovements(settings.english));
  std::vector<VerificationCurve> extra;
  if (input.extraTzFlag == 1) extra = buildVerificationCurves(input, source);
  bool finite = allFinite(curves, solution);
  for (const VerificationCurve& entry : extra) finite = finite && allFinite(entry.curve);
  if (!finite) {
    return stop(report, console,
                "load-settlement curve: a result is not a finite number; check the modulus of "
                "elasticity, the areas and the diameters for magnitudes far outside their usual "
                "range");
  }

  writeLoadSettlementReport(report, curves, solution, settings);
  writeLoadSettlementPlot(plot, curves, solution, settings);
  writeVerificationReport(report, extra, settings);
  writeVerificationPlot(plot, extra);
  return kVorneStatusFinished;
}

}  // namespace vorne
