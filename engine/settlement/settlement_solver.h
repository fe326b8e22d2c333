// Load-settlement solution of a single pile by the load-transfer method: the pile is cut into
// equal segments, a tip movement is imposed, the tip load follows from the Q-w curve, and the
// solution walks up the pile segment by segment, finding for each the middle movement at which
// the load its t-z curve transfers and its elastic shortening agree (Coyle and Reese, 1966).
//
// Units as in load_transfer.h: inches and lb (English), metres and kN (SI).
#ifndef VORNE_ENGINE_SETTLEMENT_SETTLEMENT_SOLVER_H
#define VORNE_ENGINE_SETTLEMENT_SETTLEMENT_SOLVER_H

#include <array>
#include <cstddef>
#include <vector>

#include "io/analysis_input.h"
#include "settlement/axial_stiffness.h"
#include "settlement/load_transfer.h"

namespace vorne {

// Imposed tip movements [in]; divided by 39.37 in SI.
inline constexpr std::array<double, 9> kImposedTipMovementsIn = {0.0001, 0.001, 0.005, 0.01, 0.05,
                                                                 0.1,    0.5,   1.0,   2.0};
// Repetitions of the segment iteration before its last iterate is accepted as it stands.
inline constexpr int kMaxSegmentIterations = 1000;

// The pile as the solution sees it.
struct SettlementPile {
  double totalLength = 0.0;      // Lt = stick-up + embedded length [in | m]
  double diameter = 0.0;         // OD [in | m]
  std::size_t segmentCount = 1;  // m >= 1
  // Agreement of two successive middle movements that ends a segment's iteration [in | m]:
  // 0.0001 in, in SI its conversion (kSettlementTolerance).
  double tolerance = 0.0001;
  AxialStiffness stiffness;

  // Built from the input with m segments (settlementSegmentCount).
  static SettlementPile of(const AnalysisInput& input, std::size_t segmentCount);
};

// m: the number of grid rows the capacity tables print, the tip row included.
std::size_t settlementSegmentCount(const AnalysisInput& input);

// Unit transfer [psi | kPa] at a depth from the pile top and a movement: the curve of the station
// at that depth, or linear in depth between the station above and the first station below it;
// the last station below the last one, the first above the first. The stick-up stations have
// tmax 0, which is all that keeps the stick-up from transferring load.
double unitTransferAt(const std::vector<TzCurve>& stations, double depth, double movement);

// One row of the load distribution: an accepted segment.
struct LoadDistributionRow {
  double depth = 0.0;     // segment middle below the pile top [in | m]
  double load = 0.0;      // axial load at the middle [lb | kN]
  double movement = 0.0;  // accepted middle movement [in | m]
};

// The pile head and tip for one imposed tip movement.
struct LoadSettlementPoint {
  double topLoad = 0.0;      // [lb | kN]
  double topMovement = 0.0;  // [in | m]
  double tipLoad = 0.0;      // [lb | kN]
  double tipMovement = 0.0;  // [in | m]
};

struct SettlementSolution {
  std::vector<LoadSettlementPoint> points;  // one per imposed tip movement, in order
  // Per imposed tip movement, one row per segment from the tip up.
  std::vector<std::vector<LoadDistributionRow>> distribution;
  bool converged = true;       // false when some segment reached kMaxSegmentIterations
  int maxIterations = 0;       // most repetitions any segment needed
  double worstResidual = 0.0;  // largest |W - wm| of an accepted segment [in | m]
};

// Solves for each tip movement: the tip load from tip.loadAt; from the tip segment up, with the
// bottom load Pb and movement wb and a guess wm of the middle movement (the bottom movement
// first), repeat: t at the middle and wm, dP = pi D dL t, shortening dL (Pb + dP/2) / AE,
// W = wb + (Pb + (Pb + Pt)/2)/2 * (dL/2) / AE, until |W - wm| <= pile.tolerance or
// kMaxSegmentIterations repetitions (then the last iterate stands and converged is false). The
// next segment starts from the top load and movement of the one below.
SettlementSolution solveLoadSettlement(const SettlementPile& pile,
                                       const std::vector<TzCurve>& stations,
                                       const QwCurve& tip,
                                       const std::vector<double>& tipMovements);

// The nine imposed tip movements in the run's unit.
std::vector<double> imposedTipMovements(bool english);

}  // namespace vorne

#endif  // VORNE_ENGINE_SETTLEMENT_SETTLEMENT_SOLVER_H
