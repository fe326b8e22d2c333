// Segment-by-segment load-settlement solution; see settlement_solver.h.
#include "settlement/settlement_solver.h"

#include <cmath>
#include <numbers>

#include "methods/unit_constants.h"

namespace vorne {

SettlementPile SettlementPile::of(const AnalysisInput& input, std::size_t segmentCount) {
  const CurveSettings settings = CurveSettings::of(input);
  SettlementPile pile;
  pile.totalLength = settings.stickupLength + input.embeddedLength() * settings.lengthUnit;
  pile.diameter = settings.diameter;
  pile.segmentCount = segmentCount < 1 ? 1 : segmentCount;
  pile.tolerance = kSettlementTolerance.of(settings.english);
  pile.stiffness = axialStiffnessOf(input);
  return pile;
}

std::size_t settlementSegmentCount(const AnalysisInput& input) {
  return printedGridPoints(penetrationIntervals(input), input.printIncrement).size();
}

double unitTransferAt(const std::vector<TzCurve>& stations, double depth, double movement) {
  // No cut-off at the ground surface: the stick-up stations carry tmax 0, so a segment middle
  // between the last of them and the first soil station takes its share of the soil station.
  if (stations.empty()) return 0.0;
  std::size_t below = 0;
  while (below < stations.size() && !(stations[below].depth > depth)) ++below;
  if (below == stations.size()) return stations.back().transferAt(movement);
  if (below == 0) return stations.front().transferAt(movement);
  const TzCurve& upper = stations[below - 1];
  const TzCurve& lower = stations[below];
  const double tUpper = upper.transferAt(movement);
  if (depth == upper.depth) return tUpper;
  // upper.depth <= depth < lower.depth, so the width is positive.
  const double fraction = (depth - upper.depth) / (lower.depth - upper.depth);
  return tUpper + (lower.transferAt(movement) - tUpper) * fraction;
}

std::vector<double> imposedTipMovements(bool english) {
  std::vector<double> movements;
  for (double w : kImposedTipMovementsIn) movements.push_back(english ? w : w / kInchesPerMetre);
  return movements;
}

SettlementSolution solveLoadSettlement(const SettlementPile& pile,
                                       const std::vector<TzCurve>& stations,
                                       const QwCurve& tip,
                                       const std::vector<double>& tipMovements) {
  SettlementSolution solution;
  const std::size_t m = pile.segmentCount < 1 ? 1 : pile.segmentCount;
  const double segmentLength = pile.totalLength / static_cast<double>(m);
  const double perimeter = std::numbers::pi * pile.diameter;

  for (double tipMovement : tipMovements) {
    const double tipLoad = tip.loadAt(tipMovement);
    double bottomLoad = tipLoad;
    double bottomMovement = tipMovement;
    double guess = tipMovement;
    double topLoad = bottomLoad;
    double topMovement = bottomMovement;
    std::vector<LoadDistributionRow> rows;
    rows.reserve(m);

    for (std::size_t s = 0; s < m; ++s) {
      const double middle =
          pile.totalLength - segmentLength / 2.0 - static_cast<double>(s) * segmentLength;
      const double stiffness = pile.stiffness.at(middle);
      double transferred = 0.0;
      double middleMovement = guess;
      double residual = 0.0;
      int iterations = 0;
      while (true) {
        ++iterations;
        const double t = unitTransferAt(stations, middle, guess);
        transferred = perimeter * segmentLength * t;
        topLoad = bottomLoad + transferred;
        const double averageLoad = bottomLoad + transferred / 2.0;
        topMovement = bottomMovement + segmentLength * averageLoad / stiffness;
        // The lower half of the segment under the mean of its bottom and middle loads.
        middleMovement = bottomMovement + (bottomLoad + (topLoad + bottomLoad) / 2.0) / 2.0 *
                                              (segmentLength / 2.0) / stiffness;
        residual = std::fabs(middleMovement - guess);
        if (residual <= pile.tolerance) break;
        if (iterations >= kMaxSegmentIterations) {
          solution.converged = false;
          break;
        }
        guess = middleMovement;
      }
      if (iterations > solution.maxIterations) solution.maxIterations = iterations;
      if (residual > solution.worstResidual) solution.worstResidual = residual;
      rows.push_back({middle, bottomLoad + transferred / 2.0, middleMovement});
      bottomLoad = topLoad;
      bottomMovement = topMovement;
      guess = topMovement;
    }
    solution.points.push_back({topLoad, topMovement, tipLoad, tipMovement});
    solution.distribution.push_back(std::move(rows));
  }
  return solution;
}

}  // namespace vorne
