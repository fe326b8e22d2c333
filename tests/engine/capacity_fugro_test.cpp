// Fugro method: the compression branches at h/R* = 4, the tension form, end bearing, a profile in
// both units.
#include "methods/capacity_fugro.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/cone_fixtures.h"
#include "methods/cone_resistance.h"

namespace vorne {
namespace {

using testing::buildConeRun;
using testing::makeInput;
using testing::nameOf;
using testing::sandOverClay;
using testing::stressIn;

constexpr double kPa = kAtmosphericPressure.english;
constexpr double kTight = 1e-9;

// Hand calculation, open 24 x 22.5 in pipe: Ar = 1 - (22.5/24)^2, R* = 12 sqrt(Ar) = 4.175823 in.
// Sand increment 19..20 ft, qc 200 ksf: h = 492 in, h/R* = 117.821;
//   compression 0.08 * 200 (sigma'v/pa)^0.05 (h/R*)^-0.9 = 0.212262 (top), 0.212807 ksf (bottom);
//   tension 0.045 * 200 (sigma'v/pa)^0.15 (h/R*)^-0.85 = 0.142647 (top), 0.143748 ksf (bottom).
// End bearing, open end, D = 609.6 mm: 200 (0.5 - 0.25 log10(609.6/36)) = 38.562877 ksf.
TEST(FugroCapacity, HandCalculatedSandInBothUnits) {
  for (int loading : {0, 1}) {
    for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
      SCOPED_TRACE(nameOf(units));
      SCOPED_TRACE(loading == 1 ? "tension" : "compression");
      const auto r = buildConeRun(sandOverClay(), units,
                                  [loading](AnalysisInput& input) { input.loadingType = loading; });
      std::vector<std::string> messages;
      const std::vector<double> qc = coneResistanceProfile(r.table, r.input);
      const MethodUnitFriction f =
          computeFugroUnitFriction(r.table, r.stress, r.input, qc, messages);
      auto expectStress = [units](double actual, double ksf) {
        EXPECT_NEAR(actual, stressIn(ksf, units), 1e-5 * stressIn(ksf, units));
      };
      expectStress(f.unitSkinFriction.top(19), loading == 1 ? 0.142646725 : 0.212261992);
      expectStress(f.unitSkinFriction.bottom(19), loading == 1 ? 0.143748481 : 0.212807072);
      expectStress(f.plugFriction.bottom(19), loading == 1 ? 0.143748481 : 0.212807072);
      // Clay takes the ICP/MTD rule (see capacity_icp_test.cpp).
      expectStress(f.unitSkinFriction.top(40), 0.678157833);

      const ConeMethodResult result = computeFugroCapacity(r.table, r.stress, r.input);
      EXPECT_EQ(result.capacity.index, CapacityIndex::Fugro);
    }
  }
}

TEST(FugroSandFriction, BranchesAtFourRadii) {
  const double s = std::pow(1.0 / kPa, 0.05);  // sigma'v = 1 ksf, qc = 100 ksf, R* = 10 in
  struct Case {
    const char* name;
    double h;
    bool tension;
    double expected;
  };
  const Case kCases[] = {
      {"h/R* 8: full form", 80.0, false, 8.0 * s * std::pow(8.0, -0.9)},
      {"h/R* exactly 4: reduced branch, h/(4R*) = 1", 40.0, false, 8.0 * s * std::pow(4.0, -0.9)},
      {"h/R* 2: reduced by h/(4R*)", 20.0, false, 8.0 * s * std::pow(2.0, -0.9) * 0.5},
      {"h at its floor: no blow-up", 1e-5, false, 8.0 * s * std::pow(1e-6, -0.9) * 1e-6 / 4.0},
      {"tension h/R* 8", 80.0, true, 4.5 * std::pow(1.0 / kPa, 0.15) * std::pow(8.0, -0.85)},
      {"tension h/R* 2 uses 4", 20.0, true, 4.5 * std::pow(1.0 / kPa, 0.15) * std::pow(4.0, -0.85)},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(fugroSandUnitFriction(100.0, 1.0, c.h, 10.0, c.tension, kPa), c.expected, 1e-12);
  }
  EXPECT_EQ(fugroSandUnitFriction(100.0, 0.0, 80.0, 10.0, false, kPa), 0.0);
}

TEST(FugroGeometryAndEndBearing, ClosedOpenAndPlugged) {
  AnalysisInput input = makeInput(sandOverClay(), UnitSystem::Si);
  input.pile.outsideDiameter = 1000.0;
  input.pile.enhancedEndInsideDiameter = 0.0;
  EXPECT_NEAR(fugroEquivalentRadius(input), 500.0, kTight);  // closed: Ar = 1, R* = R
  IncrementProperties row;
  row.maxUnitBearing = kUnlimitedValue;
  const double ratio = std::log10(1000.0 / 36.0);
  // Closed 1000 mm: qc (1 - 0.5 log10(27.8)) = 0.278 qc, held at 0.3 qc.
  EXPECT_NEAR(fugroSandEndBearing(row, 100.0, input), 30.0, kTight);
  input.plugCondition = 1;  // forced plugged: the open-end form, held at 0.15 qc
  EXPECT_NEAR(fugroSandEndBearing(row, 100.0, input), 15.0, kTight);
  input.pile.outsideDiameter = 500.0;  // 500 mm: no floor
  EXPECT_NEAR(fugroSandEndBearing(row, 100.0, input),
              100.0 * (0.5 - 0.25 * std::log10(500.0 / 36.0)), kTight);
  input.plugCondition = 0;
  EXPECT_NEAR(fugroSandEndBearing(row, 100.0, input),
              100.0 * (1.0 - 0.5 * std::log10(500.0 / 36.0)), kTight);
  input.pile.outsideDiameter = 1000.0;
  input.pile.enhancedEndInsideDiameter = 900.0;
  input.plugCondition = 2;  // open and unplugged: the open-end form
  EXPECT_NEAR(fugroSandEndBearing(row, 100.0, input), std::max(100.0 * (0.5 - 0.25 * ratio), 15.0),
              kTight);
  EXPECT_NEAR(fugroEquivalentRadius(input), 500.0 * std::sqrt(1.0 - 0.81), kTight);
}

}  // namespace
}  // namespace vorne
