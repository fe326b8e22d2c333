// Axial stiffness and the segment-by-segment load-settlement solution against closed forms.
#include "settlement/settlement_solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vorne {
namespace {

constexpr double kPi = std::numbers::pi;
// The iteration stops within 1e-4 of the length unit; results are checked a decade finer than
// the movements they come from, or to rounding where the iteration cannot matter.
constexpr double kRounding = 1e-9;

// A station whose curve is t = tmax * min(z / z1, 1), in points at z1 * i.
TzCurve linearStation(double depth, double tmax, double z1) {
  TzCurve curve;
  curve.depth = depth;
  curve.maxUnitTransfer = tmax;
  for (std::size_t i = 1; i < kCurvePoints; ++i) {
    curve.movement[i] = z1 * static_cast<double>(i);
    curve.unitTransfer[i] = tmax;
  }
  return curve;
}

QwCurve linearTip(double qmax, double w1) {
  QwCurve tip;
  tip.capacity = qmax;
  for (std::size_t i = 1; i < kCurvePoints; ++i) {
    tip.movement[i] = w1 * static_cast<double>(i);
    tip.load[i] = qmax;
  }
  return tip;
}

SettlementPile pileOf(double length, double ae, std::size_t segments) {
  SettlementPile pile;
  pile.totalLength = length;
  pile.diameter = 12.0;
  pile.segmentCount = segments;
  pile.stiffness = AxialStiffness({{0.0, ae}, {length, ae}});
  return pile;
}

TEST(AxialStiffness, LinearBetweenRowsConstantBeyondAndStepsTakeTheUpperValue) {
  const AxialStiffness stiffness({{100.0, 50.0}, {0.0, 100.0}, {100.0, 20.0}, {200.0, 40.0}});
  struct Case {
    double depth, expected;
  };
  const Case kCases[] = {{-5.0, 100.0}, {0.0, 100.0},  {50.0, 75.0}, {100.0, 50.0},
                         {150.0, 30.0}, {200.0, 40.0}, {250.0, 40.0}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.depth);
    EXPECT_NEAR(stiffness.at(c.depth), c.expected, kRounding);
  }
}

TEST(AxialStiffness, SectionAreaOptionsAndTheAreaTable) {
  AnalysisInput input;
  input.pile.outsideDiameter = 24.0;
  input.pile.insideDiameter = 23.0;
  input.pile.elasticModulus = 29.0e6;
  input.pile.pileLength = 50.0;
  const double annulus = kPi / 4.0 * (24.0 * 24.0 - 23.0 * 23.0);  // 36.91 in2
  EXPECT_NEAR(constantSectionArea(input), annulus, kRounding);
  input.pile.noncircularTipArea = 0.5;  // ft2
  EXPECT_NEAR(constantSectionArea(input), 72.0, kRounding);
  input.pile.sectionArea = 30.0;
  EXPECT_NEAR(constantSectionArea(input), 30.0, kRounding);
  EXPECT_NEAR(axialStiffnessOf(input).at(300.0), 29.0e6 * 30.0, 1e-3);

  input.pile.areaOption = 2;
  input.pile.areaTable = {{0.0, 40.0}, {50.0, 20.0}};                   // ft, in2
  EXPECT_NEAR(axialStiffnessOf(input).at(300.0), 29.0e6 * 30.0, 1e-3);  // 25 ft = 300 in
  EXPECT_TRUE(stiffnessInputProblem(input).empty());

  AnalysisInput si;
  si.units = 2;
  si.pile.outsideDiameter = 600.0;
  si.pile.elasticModulus = 2.0e8;
  EXPECT_NEAR(constantSectionArea(si), kPi / 4.0 * 0.36, kRounding);
}

TEST(AxialStiffness, UnusableInputIsNamed) {
  AnalysisInput good;
  good.pile.outsideDiameter = 24.0;
  good.pile.insideDiameter = 23.0;
  good.pile.elasticModulus = 29.0e6;
  struct Case {
    const char* name;
    AnalysisInput input;
    const char* fragment;
  };
  std::vector<Case> cases;
  {
    AnalysisInput in = good;
    in.pile.outsideDiameter = 0.0;
    cases.push_back({"no diameter", in, "outside diameter 0"});
  }
  {
    AnalysisInput in = good;
    in.pile.elasticModulus = 0.0;
    cases.push_back({"no modulus", in, "modulus of elasticity 0"});
  }
  {
    AnalysisInput in = good;
    in.pile.insideDiameter = 24.0;
    cases.push_back({"wall of no thickness", in, "cross-section area 0"});
  }
  {
    AnalysisInput in = good;
    in.pile.areaOption = 2;
    cases.push_back({"empty area table", in, "area table has fewer than two rows"});
  }
  {
    AnalysisInput in = good;
    in.pile.areaOption = 2;
    in.pile.areaTable = {{0.0, 10.0}, {10.0, -1.0}};
    cases.push_back({"negative area", in, "area row 2: the area -1"});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NE(stiffnessInputProblem(c.input).find(c.fragment), std::string::npos)
        << stiffnessInputProblem(c.input);
  }
}

TEST(UnitTransferAt, StationAloneInterpolatedInDepthAndLastBelow) {
  const std::vector<TzCurve> stations = {linearStation(10.0, 2.0, 1.0),
                                         linearStation(20.0, 4.0, 1.0)};
  EXPECT_NEAR(unitTransferAt(stations, 10.0, 5.0), 2.0, kRounding);
  EXPECT_NEAR(unitTransferAt(stations, 15.0, 5.0), 3.0, kRounding);
  EXPECT_NEAR(unitTransferAt(stations, 30.0, 5.0), 4.0, kRounding);
  EXPECT_NEAR(unitTransferAt(stations, 5.0, 5.0), 2.0, kRounding);

  // Between the last stick-up station (tmax 0) and the first soil station: its share of the soil
  // station, with no cut-off at the ground surface (here at 40).
  const std::vector<TzCurve> withStickup = {linearStation(39.9, 0.0, 1.0),
                                            linearStation(40.0, 2.0, 1.0)};
  EXPECT_NEAR(unitTransferAt(withStickup, 39.925, 5.0), 0.25 * 2.0, kRounding);
}

TEST(SettlementSolver, NoShaftResistanceCarriesTheTipLoadToTheHead) {
  const double ae = 1.0e6;  // lb
  const SettlementPile pile = pileOf(600.0, ae, 12);
  const std::vector<TzCurve> stations = {linearStation(0.0, 0.0, 0.1),
                                         linearStation(600.0, 0.0, 0.1)};
  const QwCurve tip = linearTip(1000.0, 0.1);  // 1000 lb from 0.1 in on
  const SettlementSolution solution =
      solveLoadSettlement(pile, stations, tip, imposedTipMovements(true));
  ASSERT_EQ(solution.points.size(), 9u);
  EXPECT_TRUE(solution.converged);
  for (const LoadSettlementPoint& p : solution.points) {
    SCOPED_TRACE(p.tipMovement);
    EXPECT_NEAR(p.topLoad, p.tipLoad, kRounding);
    // Head = tip + P Lt / AE.
    EXPECT_NEAR(p.topMovement, p.tipMovement + p.tipLoad * 600.0 / ae, kRounding);
  }
  EXPECT_NEAR(solution.points[8].tipLoad, 1000.0, kRounding);  // 2 in, beyond the curve
  ASSERT_EQ(solution.distribution.size(), 9u);
  ASSERT_EQ(solution.distribution[8].size(), 12u);
  EXPECT_NEAR(solution.distribution[8].front().depth, 575.0, kRounding);  // tip segment first
  EXPECT_NEAR(solution.distribution[8].back().depth, 25.0, kRounding);
}

TEST(SettlementSolver, RigidPileMovesAsOneBodyInOneRepetitionPerSegment) {
  const SettlementPile pile = pileOf(480.0, 1.0e18, 8);
  // Uniform curves: t = 2 psi * min(z / 0.1, 1).
  const std::vector<TzCurve> stations = {linearStation(0.0, 2.0, 0.1),
                                         linearStation(480.0, 2.0, 0.1)};
  const QwCurve tip = linearTip(5000.0, 0.5);
  const SettlementSolution solution = solveLoadSettlement(pile, stations, tip, {0.05, 0.2});
  EXPECT_TRUE(solution.converged);
  EXPECT_EQ(solution.maxIterations, 1);
  // Every segment moves with the tip: at 0.05 in, t = 1 psi over pi * 12 in * 480 in.
  const double shaft005 = kPi * 12.0 * 480.0 * 1.0;
  EXPECT_NEAR(solution.points[0].topMovement, 0.05, 1e-9);
  EXPECT_NEAR(solution.points[0].topLoad, 500.0 + shaft005, 1e-6);
  EXPECT_NEAR(solution.points[1].topLoad, 2000.0 + 2.0 * shaft005, 1e-6);
}

TEST(SettlementSolver, StickupShortensElasticallyAndTransfersNothing) {
  const double ae = 2.0e6;
  // 100 in pile, 40 in of it above the ground; 10 segments of 10 in.
  const SettlementPile pile = pileOf(100.0, ae, 10);
  const std::vector<TzCurve> stations = {
      linearStation(0.0, 0.0, 0.01), linearStation(20.0, 0.0, 0.01), linearStation(39.9, 0.0, 0.01),
      linearStation(40.0, 3.0, 0.01), linearStation(100.0, 3.0, 0.01)};
  const QwCurve tip = linearTip(2000.0, 0.1);
  const SettlementSolution solution = solveLoadSettlement(pile, stations, tip, {0.05});
  const std::vector<LoadDistributionRow>& rows = solution.distribution[0];
  ASSERT_EQ(rows.size(), 10u);
  // Rows 6..9 are the stick-up segments (middles 35, 25, 15, 5 in): constant load.
  const double groundLoad = rows[6].load;
  EXPECT_GT(groundLoad, 2000.0 * 0.5);  // the soil below did carry load
  for (std::size_t s = 6; s < 10; ++s) EXPECT_NEAR(rows[s].load, groundLoad, kRounding);
  EXPECT_NEAR(solution.points[0].topLoad, groundLoad, kRounding);
  // From the middle of the first stick-up segment (5 in above the ground) to the head: 35 in.
  EXPECT_NEAR(solution.points[0].topMovement - rows[6].movement, groundLoad * 35.0 / ae, kRounding);
}

TEST(SettlementSolver, AreaTableHalvingTheLowerHalfAddsItsShortening) {
  const double ae = 1.0e6;
  SettlementPile pile = pileOf(100.0, ae, 10);
  pile.stiffness = AxialStiffness({{0.0, ae}, {50.0, ae}, {50.0, ae / 2.0}, {100.0, ae / 2.0}});
  const std::vector<TzCurve> stations = {linearStation(0.0, 0.0, 0.1)};
  const QwCurve tip = linearTip(1000.0, 0.1);
  const SettlementSolution solution = solveLoadSettlement(pile, stations, tip, {0.5});
  // P 50 / AE over the upper half and P 50 / (AE / 2) over the lower half.
  EXPECT_NEAR(solution.points[0].topMovement, 0.5 + 1000.0 * (50.0 / ae + 100.0 / ae), kRounding);
}

TEST(SettlementSolver, OscillatingIterationStopsAtTheCapAndSaysSo) {
  // t = 100 psi between 1e-5 and 1e-3 in, 0 from 1.1e-3 in on: the middle movement jumps between
  // the tip movement and 0.01 in above it (K t = pi 1 10 10 / (8 AE) * 100 = 0.01 in).
  TzCurve curve;
  curve.depth = 0.0;
  curve.movement = {0.0, 1e-5, 1e-3, 1.1e-3, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0};
  curve.unitTransfer = {0.0, 100.0, 100.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
  SettlementPile pile = pileOf(10.0, kPi * 100.0 * 100.0 / 8.0 / 0.01, 1);
  pile.diameter = 1.0;
  const SettlementSolution solution = solveLoadSettlement(pile, {curve}, QwCurve{}, {0.0001});
  EXPECT_FALSE(solution.converged);
  EXPECT_EQ(solution.maxIterations, kMaxSegmentIterations);
  EXPECT_TRUE(std::isfinite(solution.points[0].topMovement));
  EXPECT_TRUE(std::isfinite(solution.points[0].topLoad));
}

TEST(SettlementSolver, SegmentCountIsThePrintedRowCount) {
  AnalysisInput input;
  input.pile.lengthIncrement = 1.0;
  input.pile.pileLength = 9.0;  // 10 grid points
  input.printIncrement = 3;     // rows 0, 3, 6, 9
  EXPECT_EQ(settlementSegmentCount(input), 4u);
  input.pile.pileLength = 10.0;  // rows 0, 3, 6, 9 and the tip 10
  EXPECT_EQ(settlementSegmentCount(input), 5u);
}

}  // namespace
}  // namespace vorne
