// UWA method: effective area ratio, the dilation term and its floors, end bearing, a profile in
// both units.
#include "methods/capacity_uwa.h"

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

// Hand calculation, open 24 x 22.5 in pipe: Di = 0.5715 m, IFR = (0.5715/1.5)^0.2 = 0.824489,
// Ar,eff = 1 - IFR (22.5/24)^2 = 0.275351.
// Sand increment 19..20 ft, qc 200 ksf, phi 35: h/D = 492/24 = 20.5;
//   sigma'rc = 0.03 * 200 Ar,eff^0.3 20.5^-0.5 = 0.899996 ksf at both ends;
//   bottom, 1.2 ksf: qc1N = (200/pa) / sqrt(1.2/pa) = 126.333, G = 185 * 200 / qc1N^0.75
//   = 981.894 ksf, dilation 4 G 0.0007874 / 24 = 0.128857 ksf; f = (0.899996 + 0.128857) tan 30
//   = 0.594008 ksf; top, 1.14 ksf: f = 0.592591 ksf. Tension: 0.75 times.
// End bearing (0.15 + 0.45 Ar,eff) 200 = 54.781612 ksf.
TEST(UwaCapacity, HandCalculatedSandInBothUnits) {
  for (int loading : {0, 1}) {
    for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
      SCOPED_TRACE(nameOf(units));
      SCOPED_TRACE(loading == 1 ? "tension" : "compression");
      const auto r = buildConeRun(sandOverClay(), units,
                                  [loading](AnalysisInput& input) { input.loadingType = loading; });
      const double factor = loading == 1 ? 0.75 : 1.0;
      std::vector<std::string> messages;
      const std::vector<double> qc = coneResistanceProfile(r.table, r.input);
      const MethodUnitFriction f = computeUwaUnitFriction(r.table, r.stress, r.input, qc, messages);
      auto expectStress = [units](double actual, double ksf) {
        EXPECT_NEAR(actual, stressIn(ksf, units), 1e-5 * stressIn(ksf, units));
      };
      expectStress(f.unitSkinFriction.top(19), factor * 0.592591154);
      expectStress(f.unitSkinFriction.bottom(19), factor * 0.594008480);
      expectStress(f.plugFriction.top(19), factor * 0.592591154);
      expectStress(f.unitSkinFriction.bottom(40), 0.692900394);  // ICP/MTD clay rule
      expectStress(uwaSandEndBearing(r.table[19], qc[19], r.input), 54.7816124);

      const ConeMethodResult result = computeUwaCapacity(r.table, r.stress, r.input);
      EXPECT_EQ(result.capacity.index, CapacityIndex::Uwa);
    }
  }
}

TEST(UwaAreaRatio, ClosedEndAndWideOpening) {
  AnalysisInput input = makeInput(sandOverClay(), UnitSystem::Si);
  input.pile.outsideDiameter = 2000.0;
  input.pile.enhancedEndInsideDiameter = 0.0;
  EXPECT_EQ(uwaEffectiveAreaRatio(input), 1.0);
  IncrementProperties row;
  row.maxUnitBearing = kUnlimitedValue;
  EXPECT_NEAR(uwaSandEndBearing(row, 100.0, input), 60.0, kTight);  // closed: 0.6 qc
  // Di >= 1.5 m: IFR = 1, Ar,eff = 1 - (1.9/2)^2 = 0.0975.
  input.pile.enhancedEndInsideDiameter = 1900.0;
  EXPECT_NEAR(uwaEffectiveAreaRatio(input), 0.0975, kTight);
  EXPECT_NEAR(uwaSandEndBearing(row, 100.0, input), 100.0 * (0.15 + 0.45 * 0.0975), kTight);
  input.plugCondition = 1;  // forced plugged: at least 0.3 qc
  EXPECT_NEAR(uwaSandEndBearing(row, 100.0, input), 30.0, kTight);
  // An inside diameter wider than the pile holds the ratio at 0.
  input.pile.enhancedEndInsideDiameter = 2100.0;
  EXPECT_EQ(uwaEffectiveAreaRatio(input), 0.0);
  // Di = 1 m in an English run (39.37 in): IFR = (1/1.5)^0.2.
  AnalysisInput english = makeInput(sandOverClay(), UnitSystem::English);
  english.pile.outsideDiameter = 80.0;
  english.pile.enhancedEndInsideDiameter = 1.0 / 0.0254;
  EXPECT_NEAR(uwaEffectiveAreaRatio(english),
              1.0 - std::pow(1.0 / 1.5, 0.2) * std::pow(1.0 / 0.0254 / 80.0, 2.0), kTight);
}

TEST(UwaSandFriction, FloorsNearTheTipAndAtTheSurface) {
  AnalysisInput input = makeInput(sandOverClay(), UnitSystem::English);
  input.pile.enhancedEndInsideDiameter = 0.0;  // Ar,eff = 1
  const double tan30 = std::tan(std::numbers::pi / 6.0);
  // Near the tip h/D is held at 2; zero qc gives no dilation (G = 0, never 0/0).
  EXPECT_NEAR(uwaSandUnitFriction(0.0, 1.0, 35.0, 1.0, input), 0.0, kTight);
  EXPECT_EQ(uwaShearModulus(0.0, 0.0, kPa), 0.0);
  const double g = uwaShearModulus(100.0, 1.0, kPa);
  EXPECT_NEAR(uwaSandUnitFriction(100.0, 1.0, 35.0, 1.0, input),
              (0.03 * 100.0 * std::pow(2.0, -0.5) + 4.0 * g * 0.0007874 / 24.0) * tan30, kTight);
  // At the surface qc1N uses the floor 1e-7: qc1N = (100/pa) / sqrt(1e-7).
  const double qc1n = 100.0 / kPa / std::sqrt(1e-7);
  EXPECT_NEAR(uwaShearModulus(100.0, 0.0, kPa), 185.0 * 100.0 / std::pow(qc1n, 0.75), 1e-9);
  // phi - 5 deg is floored at 0: a sand without friction angle carries no friction.
  EXPECT_EQ(uwaSandUnitFriction(100.0, 1.0, 0.0, 100.0, input), 0.0);
}

}  // namespace
}  // namespace vorne
