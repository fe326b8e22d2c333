// ICP/MTD method: sand friction with its distance and dilation terms, the clay rule shared with
// Fugro and UWA, end bearing in sand and clay, a profile in both units.
#include "methods/capacity_icp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

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

double tanDegrees(double angle) { return std::tan(angle * std::numbers::pi / 180.0); }

// Hand calculation, open 24 x 22.5 in pipe, 60 ft, R* = sqrt((24^2 - 22.5^2) / 4) = 4.175823 in.
// Sand increment 19..20 ft, qc 200 ksf, phi 35: h = 41 ft = 492 in, h/R* = 117.821;
//   eta = 200 / sqrt(1.2 pa) = 126.333, G = 200 / (0.0203 + 0.00125 eta - 1.216e-6 eta^2)
//   = 1259.376 ksf, dilation 2 G 0.0007874 / 12 = 0.165272 ksf;
//   sigma'rc = 0.029 * 200 (sigma'v / pa)^0.13 (h/R*)^-0.38 = 0.875348 (top), 0.881205 (bottom);
//   f = (sigma'rc + dilation) tan 30 = 0.600803 (top), 0.604184 ksf (bottom);
//   tension: (0.8 sigma'rc + dilation) tan 30 * 0.9 = 0.449753, 0.452188 ksf.
// Clay increment 40..41 ft, su 1.5, remolded 0.5, YSR 2, PI 30 (delta 20 deg): h/R* = 57.4737,
//   Kc = (2 - 0.625 log10 3) 2^0.42 (h/R*)^-0.2 = 1.012621; f = 0.8 Kc sigma'v tan 20 = 0.678158
//   (top, 2.3 ksf) and 0.692900 ksf (bottom, 2.35 ksf).
// End bearing, D = 609.6 mm: open end 200 (0.5 - 0.25 log10(609.6 / 36)) = 38.562877 ksf; clay
// with the computed plug, open end: 9 su = 13.5 ksf.
TEST(IcpCapacity, HandCalculatedSandAndClayInBothUnits) {
  for (int loading : {0, 1}) {
    for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
      SCOPED_TRACE(nameOf(units));
      SCOPED_TRACE(loading == 1 ? "tension" : "compression");
      const auto r = buildConeRun(sandOverClay(), units,
                                  [loading](AnalysisInput& input) { input.loadingType = loading; });
      std::vector<std::string> messages;
      const std::vector<double> qc = coneResistanceProfile(r.table, r.input);
      const MethodUnitFriction f = computeIcpUnitFriction(r.table, r.stress, r.input, qc, messages);
      auto expectStress = [units](double actual, double ksf) {
        EXPECT_NEAR(actual, stressIn(ksf, units), 1e-5 * stressIn(ksf, units));
      };
      expectStress(f.unitSkinFriction.top(19), loading == 1 ? 0.449753415 : 0.600802538);
      expectStress(f.unitSkinFriction.bottom(19), loading == 1 ? 0.452187891 : 0.604183755);
      expectStress(f.plugFriction.top(19), loading == 1 ? 0.449753415 : 0.600802538);
      // Clay ignores the loading direction.
      expectStress(f.unitSkinFriction.top(40), 0.678157833);
      expectStress(f.unitSkinFriction.bottom(40), 0.692900394);
      expectStress(f.plugFriction.top(40), 0.678157833);
      EXPECT_TRUE(messages.empty());

      const PointArray q = coneUnitEndBearing(r.table, r.input, qc, icpSandEndBearing);
      expectStress(q.top(19), 38.5628771);
      expectStress(q.bottom(40), 13.5);
    }
  }
}

TEST(IcpGeometry, EquivalentRadiusAndDistanceAtTheTip) {
  AnalysisInput input = makeInput(sandOverClay(), UnitSystem::English);
  EXPECT_NEAR(icpEquivalentRadius(input), 4.175823272, 1e-8);
  // At the tip h is tiny and h/R* is held at 8, so sigma'rc = 0.029 qc (sigma'v/pa)^0.13 8^-0.38.
  EXPECT_EQ(icpNormalisedDistance(input, 60.0), 8.0);
  EXPECT_EQ(icpNormalisedDistance(input, 59.5), 8.0);  // 6 in / 4.18 in
  input.pile.enhancedEndInsideDiameter = 0.0;          // closed end: R* = OD / 2
  EXPECT_NEAR(icpEquivalentRadius(input), 12.0, kTight);
  EXPECT_NEAR(icpNormalisedDistance(input, 50.0), 10.0, kTight);
  input.pile.enhancedEndInsideDiameter = 30.0;  // wider than the pile: no area, never a NaN
  EXPECT_EQ(icpEquivalentRadius(input), 0.0);
  EXPECT_TRUE(std::isfinite(icpNormalisedDistance(input, 50.0)));
}

TEST(IcpShearModulus, HoldsTheRatioWhereTheFitPeaks) {
  // eta = qc / sqrt(sigma'v pa); at eta >= 514 the denominator is that of 514.
  const double peak = 0.0203 + 0.00125 * 514.0 - 1.216e-6 * 514.0 * 514.0;
  const double stress = 0.01;  // sqrt(0.01 pa) = 0.1445; qc = 300 gives eta = 2076
  EXPECT_NEAR(icpShearModulus(300.0, stress, kPa), 300.0 / peak, 1e-9);
  EXPECT_GT(icpShearModulus(300.0, stress, kPa), 0.0);
  EXPECT_NEAR(icpShearModulus(300.0, 0.0, kPa), 300.0 / peak, 1e-9);  // zero stress
  EXPECT_EQ(icpShearModulus(0.0, 0.0, kPa), 0.0);
}

TEST(IcpClay, InterfaceAngleAndSensitivity) {
  EXPECT_NEAR(icpClayInterfaceAngle(12.0), 28.2, kTight);
  EXPECT_NEAR(icpClayInterfaceAngle(0.0), 34.0, kTight);
  EXPECT_NEAR(icpClayInterfaceAngle(-3.0), 34.0, kTight);
  EXPECT_NEAR(icpClayInterfaceAngle(80.0), 8.5, kTight);
  EXPECT_NEAR(icpClayInterfaceAngle(120.0), 8.5, kTight);
  EXPECT_NEAR(icpClayInterfaceAngle(47.5), 14.95, kTight);

  // h/R* = 10 for a closed 24 in pile at 50 ft of 60; YSR 3, PI 20 (24.5 deg), sigma'v 2 ksf.
  AnalysisInput input = makeInput(sandOverClay(), UnitSystem::English);
  input.pile.enhancedEndInsideDiameter = 0.0;
  IncrementProperties row;
  row.soilType = 2;
  row.topDepth = 50.0;
  row.bottomDepth = 51.0;
  row.blowCountOrYsr = 3.0;
  row.plasticityIndex = 20.0;
  const double base = std::pow(3.0, 0.42) * std::pow(10.0, -0.2) * 0.8 * 2.0 * tanDegrees(24.5);
  struct Case {
    const char* name;
    double su, remolded, kcFactor;
  };
  const Case kCases[] = {
      {"equal strengths: dIvy = 0", 1.0, 1.0, 2.0},
      {"no remolded strength: no sensitivity term", 1.0, 0.0, 2.0},
      {"remolded above undisturbed: no sensitivity term", 1.0, 2.0, 2.0},
      {"no strength at all", 0.0, 0.0, 2.0},
      {"sensitivity 10", 1.0, 0.1, 2.0 - 0.625},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    row.undrainedShearStrength = c.su;
    row.remoldedShearStrength = c.remolded;
    const IcpClayFriction f = icpClayUnitFriction(row, 2.0, 2.0, input);
    EXPECT_NEAR(f.top, c.kcFactor * base, kTight);
    EXPECT_NEAR(f.bottom, c.kcFactor * base, kTight);
    EXPECT_FALSE(f.missingPlasticityIndex);
  }
}

TEST(ConeClayEndBearing, DrainageAndPlugOptions) {
  struct Case {
    const char* name;
    bool open;
    int plug, drained;
    double expected;  // qc = 30, su = 2
  };
  const Case kCases[] = {
      {"open, computed plug", true, 0, 0, 18.0},
      {"open, computed plug, drained", true, 0, 1, 18.0},
      {"open, unplugged, undrained", true, 2, 0, 30.0},
      {"open, unplugged, drained", true, 2, 1, 48.0},
      {"open, plugged, undrained", true, 1, 0, 12.0},
      {"open, plugged, drained", true, 1, 1, 19.5},
      {"closed, undrained", false, 0, 0, 24.0},
      {"closed, drained", false, 2, 1, 39.0},
      {"closed, plugged, drained", false, 1, 1, 19.5},
  };
  AnalysisInput input = makeInput(sandOverClay(), UnitSystem::English);
  IncrementProperties row;
  row.soilType = 2;
  row.undrainedShearStrength = 2.0;
  row.maxUnitBearing = kUnlimitedValue;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    input.pile.enhancedEndInsideDiameter = c.open ? 22.5 : 0.0;
    input.plugCondition = c.plug;
    input.clayDrained = c.drained;
    EXPECT_NEAR(coneClayEndBearing(row, 30.0, input), c.expected, kTight);
  }
  row.maxUnitBearing = 10.0;
  EXPECT_NEAR(coneClayEndBearing(row, 30.0, input), 10.0, kTight);
}

TEST(IcpSandEndBearing, DiameterRelativeToTheCone) {
  AnalysisInput input = makeInput(sandOverClay(), UnitSystem::Si);
  IncrementProperties row;
  row.maxUnitBearing = kUnlimitedValue;
  // 1000 mm open pile: qc (0.5 - 0.25 log10(27.8)) = 0.139 qc, held at 0.15 qc.
  input.pile.outsideDiameter = 1000.0;
  input.pile.enhancedEndInsideDiameter = 950.0;
  EXPECT_NEAR(icpSandEndBearing(row, 10000.0, input), 1500.0, 1e-6);
  input.plugCondition = 2;  // unplugged: qc itself
  EXPECT_NEAR(icpSandEndBearing(row, 10000.0, input), 10000.0, 1e-6);
  input.plugCondition = 0;
  input.pile.enhancedEndInsideDiameter = 0.0;  // closed: 0.278 qc, held at 0.3 qc
  EXPECT_NEAR(icpSandEndBearing(row, 10000.0, input), 3000.0, 1e-6);
  input.pile.outsideDiameter = 360.0;  // closed 360 mm: qc (1 - 0.5)
  EXPECT_NEAR(icpSandEndBearing(row, 10000.0, input), 5000.0, 1e-6);
}

}  // namespace
}  // namespace vorne
