// NGI method: sand factors, the clay adhesion branches, end bearing, a profile in both units.
#include "methods/capacity_ngi.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/cone_fixtures.h"
#include "methods/cone_resistance.h"

namespace vorne {
namespace {

using testing::buildConeRun;
using testing::nameOf;
using testing::sandOverClay;
using testing::stressIn;

constexpr double kPa = kAtmosphericPressure.english;
constexpr double kTight = 1e-9;

// Hand calculation, open 24 x 22.5 in pipe in compression (Ftip 1.0, Fload 1.3, Fmat 1.0),
// increment 19..20 ft of the dense sand with qc = 200 ksf:
//   top, sigma'v 1.14 ksf: Dr = 0.4 ln(200 / (22 sqrt(1.14 pa))) = 0.709410, Fdr = 0.904827,
//     Fsig = 0.859537, f = 19/60 * pa * Fdr * Fsig * 1.3 = 0.668685 ksf;
//   bottom, sigma'v 1.2 ksf: Dr = 0.699151, f = 0.658047 ksf;
//   end bearing at the bottom, open end: 0.7 * 200 / (1 + 3 Dr^2) = 56.76204 ksf.
// Clay increment 40..41 ft: sigma'v 2.35 ksf at the bottom, psi = 1.5 / 2.35 = 0.638298,
//   alpha1 = 0.5 psi^-0.3 = 0.572088, alpha2 = 0.32 * 20^0.3 = 0.786066,
//   alpha = alpha2 + (alpha1 - alpha2)(psi - 0.25)/0.75 = 0.675283, f = 1.5 alpha = 1.012925 ksf
//   (fmin = 0.06 * 18^0.33 * 2.35 = 0.365981 does not govern); the plug record 0.5 alpha =
//   0.337642 ksf is held at fmin.
TEST(NgiCapacity, HandCalculatedSandAndClayInBothUnits) {
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(nameOf(units));
    const auto r = buildConeRun(sandOverClay(), units);
    const std::vector<double> qc = coneResistanceProfile(r.table, r.input);
    const MethodUnitFriction f = computeNgiUnitFriction(r.table, r.stress, r.input, qc);
    const PointArray q = ngiUnitEndBearing(r.table, r.stress, r.input, qc);
    auto expectStress = [units](double actual, double ksf) {
      EXPECT_NEAR(actual, stressIn(ksf, units), 2e-6 * stressIn(ksf, units));
    };
    expectStress(f.unitSkinFriction.top(19), 0.668685207);
    expectStress(f.unitSkinFriction.bottom(19), 0.658046588);
    expectStress(f.plugFriction.bottom(19), 0.658046588);
    expectStress(q.bottom(19), 56.7620404);
    expectStress(f.unitSkinFriction.top(40), 1.012924700);
    expectStress(f.unitSkinFriction.bottom(40), 1.012924700);
    expectStress(f.plugFriction.top(40), 0.365981421);
    expectStress(q.top(40), 13.5);  // 9 su
    // The top increment carries no sand friction (z1 = 0).
    EXPECT_EQ(f.unitSkinFriction.bottom(0), 0.0);

    const ConeMethodResult result = computeNgiCapacity(r.table, r.stress, r.input);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.capacity.index, CapacityIndex::Ngi);
    ASSERT_EQ(result.capacity.pointCount(), 61u);
  }
}

TEST(NgiSandFriction, FloorsAndZeroes) {
  // Loose sand: Dr from the logarithm is below 0.2, so Fdr = 2.1 * 0.100001^1.7.
  EXPECT_LT(ngiRelativeDensity(5.0, 1.0, kPa), 0.2);
  const double fsig = std::pow(1.0 / kPa, 0.25);
  EXPECT_NEAR(ngiSandUnitFriction(5.0, 1.0, 10.0, 50.0, 1.3, kPa),
              0.2 * kPa * 2.1 * std::pow(0.100001, 1.7) * fsig * 1.3, kTight);
  // z1 = 0 and zero stress give no friction, and never 0 * infinity.
  EXPECT_EQ(ngiSandUnitFriction(200.0, 1.0, 0.0, 50.0, 1.3, kPa), 0.0);
  EXPECT_EQ(ngiSandUnitFriction(200.0, 0.0, 10.0, 50.0, 1.3, kPa), 0.0);
  EXPECT_EQ(ngiSandUnitFriction(0.0, 0.0, 10.0, 50.0, 1.3, kPa), 0.0);
}

TEST(NgiSandFriction, PileFactorByEndLoadingAndMaterial) {
  auto input = testing::makeInput(sandOverClay(), UnitSystem::English);
  EXPECT_NEAR(ngiSandPileFactor(input), 1.3, kTight);  // open steel pipe, compression
  input.loadingType = 1;
  EXPECT_NEAR(ngiSandPileFactor(input), 1.0, kTight);  // tension: 1.0 / 1.3 of compression
  input.pile.enhancedEndInsideDiameter = 0.0;
  EXPECT_NEAR(ngiSandPileFactor(input), 1.6, kTight);  // closed end
  input.pile.pileType = 3;
  EXPECT_NEAR(ngiSandPileFactor(input), 1.92, kTight);  // precast concrete
}

TEST(NgiClayFriction, FollowsTheStrengthRatioBranches) {
  struct Case {
    const char* name;
    double su, remolded, pi, stress;
    bool open;
    double friction, plug;
  };
  const double lowerEnd = 0.32 * std::pow(2.0, 0.3);
  const double stiff = 0.5 * std::pow(2.0, -0.3);
  const double closedTip = 0.8 + 0.2 * std::sqrt(2.0);
  const double fmin = 0.06 * std::pow(68.0, 0.33) * 10.0;
  const double alphaMid = 0.32 * std::pow(70.0, 0.3) +
                          (0.5 * std::pow(0.3, -0.3) - 0.32 * std::pow(70.0, 0.3)) * 0.05 / 0.75;
  const Case kCases[] = {
      {"psi 0.25 and PI 12: lower end of the interpolation", 0.5, 0.2, 12, 2.0, true,
       lowerEnd * 0.5, lowerEnd * 0.2},
      {"psi below 0.25, PI raised to 10.000001", 0.2, 0.1, 5, 2.0, true,
       0.08 * std::pow(1e-6, 0.3) * 2.0, 0.08 * std::pow(1e-6, 0.3) * 2.0},
      {"psi below 0.25, PI 30", 0.2, 0.1, 30, 2.0, true, 0.08 * std::pow(20.0, 0.3) * 2.0,
       0.08 * std::pow(20.0, 0.3) * 2.0},
      {"psi 2, closed end", 4.0, 1.0, 30, 2.0, false, stiff * 4.0 * closedTip,
       stiff * 1.0 * closedTip},
      {"plug record held at fmin", 3.0, 0.1, 80, 10.0, true, alphaMid * 3.0, fmin},
      {"no strength at all", 0.0, 0.0, 0, 0.0, false, 0.0, 0.0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const NgiClayFriction f = ngiClayUnitFriction(c.su, c.remolded, c.pi, c.stress, c.open);
    EXPECT_NEAR(f.unitFriction, c.friction, kTight);
    EXPECT_NEAR(f.plugFriction, c.plug, kTight);
  }
}

TEST(NgiEndBearing, ClosedEndAndUserLimit) {
  auto r = buildConeRun(sandOverClay(), UnitSystem::English,
                        [](AnalysisInput& input) { input.pile.enhancedEndInsideDiameter = 0.0; });
  const std::vector<double> qc = coneResistanceProfile(r.table, r.input);
  // 0.8 * 200 / (1 + Dr^2), Dr = 0.699151 at 1.2 ksf.
  EXPECT_NEAR(ngiUnitEndBearing(r.table, r.stress, r.input, qc).bottom(19), 107.468211, 1e-5);
  r.table[19].maxUnitBearing = 80.0;
  EXPECT_NEAR(ngiUnitEndBearing(r.table, r.stress, r.input, qc).bottom(19), 80.0, kTight);
}

}  // namespace
}  // namespace vorne
