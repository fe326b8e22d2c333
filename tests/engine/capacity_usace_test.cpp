// US Army Corps adhesion, interface angle, Nq chart, end-bearing critical depths and capacity.
#include "methods/capacity_usace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/method_fixtures.h"

namespace vorne {
namespace {

using testing::kKipToKn;
using testing::kKsfToKpa;
using testing::LayerSpec;
using testing::makeInput;
using testing::Prepared;
using testing::ProjectOutline;

constexpr double kPi = std::numbers::pi;

Prepared prepare(const ProjectOutline& outline, UnitSystem units) {
  return testing::prepare(makeInput(outline, units),
                          static_cast<long long>(outline.layers.back().bottom));
}

TEST(UsaceRules, AdhesionAngleAndBearingFactor) {
  struct Case {
    const char* name;
    double actual, expected;
  };
  const Case kCases[] = {
      {"su 0.5 ksf", usaceAdhesion(0.5, true), 1.0},
      {"su 1.0 ksf", usaceAdhesion(1.0, true), 0.75},
      {"su 2.0 ksf", usaceAdhesion(2.0, true), 0.5},
      // SI thresholds are the conversions of 0.5 and 1.5 ksf: 23.94 and 71.82 kPa.
      {"su 23.94 kPa", usaceAdhesion(0.5 * kKsfToKpa, false), 1.0},
      {"su 24 kPa", usaceAdhesion(24.0, false), 1.0 - 0.5 * (24.0 / kKsfToKpa - 0.5)},
      {"su 1 ksf in kPa", usaceAdhesion(kKsfToKpa, false), 0.75},
      {"su 72 kPa", usaceAdhesion(72.0, false), 0.5},
      {"H-pile at phi 32", usaceInterfaceFrictionAngle(32.0, 6), 28.0},
      {"steel pipe", usaceInterfaceFrictionAngle(32.0, 1), 24.0},
      {"timber", usaceInterfaceFrictionAngle(32.0, 2), 28.8},
      {"precast concrete", usaceInterfaceFrictionAngle(32.0, 3), 30.4},
      {"uniform taper", usaceInterfaceFrictionAngle(32.0, 5), 24.0},
      {"unknown type", usaceInterfaceFrictionAngle(32.0, 9), 27.0},
      {"Nq at phi 37", usaceBearingFactor(37.0), 62.0},
      {"Nq below 0", usaceBearingFactor(-3.0), 1.0},
      {"Nq above 50", usaceBearingFactor(55.0), 415.1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(c.actual, c.expected, 1e-9);
  }
}

// Closed pipe OD 12 in in sand of 125 pcf (0.125 ksf per ft, exact in binary), phi 30: Nq = 23.
// The frozen stress is the capped stress at the bottom of the first increment whose top is past
// the critical depth of the option; from there on q = Nq * sigma_f once sigma'v passes it.
TEST(UsaceEndBearing, EachCriticalDepthOptionFreezesTheStress) {
  struct Case {
    const char* name;
    int option;
    double userDepth;     // [ft]
    double frozenStress;  // [ksf] held below; 0: never frozen
  };
  const Case kCases[] = {
      // 1 + 10 D = 11 ft: increment [12, 13] freezes the capped stress, held at 10 D = 10 ft.
      {"option 0, 1 + 10 diameters", 0, 0, 0.125 * 10},
      // Own depth at the middle of [28, 29] (3.625 ksf > 3.5); first top past it is 29 ft, whose
      // capped stress is held at 29 ft.
      {"option 1", 1, 0, 0.125 * 29},
      {"option 2 at 20 ft", 2, 20, 0.125 * 20},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    ProjectOutline outline;
    outline.outsideDiameter = 12.0;
    outline.criticalDepthOption = c.option;
    outline.userCriticalDepth = c.userDepth;
    outline.layers = {LayerSpec{0, 60, SoilType::Sand, 125, 30, 0.8, 20}};
    const Prepared r = prepare(outline, UnitSystem::English);
    UsaceStoredStresses stored;
    const PointArray q = usaceUnitEndBearing(r.table, r.stress, r.input, stored);
    EXPECT_NEAR(q.bottom(45), 23.0 * c.frozenStress, 1e-9);
    EXPECT_NEAR(q.top(5), 23.0 * 0.125 * 5, 1e-9);
  }
}

TEST(UsaceEndBearing, OptionOneWithoutThresholdNeverFreezes) {
  ProjectOutline outline;
  outline.outsideDiameter = 12.0;
  outline.criticalDepthOption = 1;
  // 50 pcf over 60 ft stays below 3.5 ksf.
  outline.layers = {LayerSpec{0, 60, SoilType::Sand, 50, 30, 0.8, 20}};
  const Prepared r = prepare(outline, UnitSystem::English);
  EXPECT_FALSE(usaceCriticalDepth(r.table, r.stress, r.input).hasDepth);
  UsaceStoredStresses stored;
  const PointArray q = usaceUnitEndBearing(r.table, r.stress, r.input, stored);
  EXPECT_NEAR(q.bottom(55), 23.0 * 0.05 * 56, 1e-9);
}

TEST(UsaceEndBearing, DenseSandStoresItsStressOnce) {
  // phi 37 > 36: frozen at 1 + 20 D = 21 ft, i.e. the capped stress of increment [22, 23],
  // with the capped stress held at 20 D = 20 ft. Nq(37) = 62.
  ProjectOutline outline;
  outline.outsideDiameter = 12.0;
  outline.layers = {LayerSpec{0, 60, SoilType::Sand, 125, 37, 0.8, 20}};
  const Prepared r = prepare(outline, UnitSystem::English);
  UsaceStoredStresses stored;
  const PointArray q = usaceUnitEndBearing(r.table, r.stress, r.input, stored);
  EXPECT_NEAR(q.bottom(50), 62.0 * 0.125 * 20, 1e-9);
  EXPECT_NEAR(q.bottom(15), 62.0 * 0.125 * 16, 1e-9);
}

// Closed pipe OD 24 in, 50 ft in clay of su 1.0 ksf: alpha = 0.75, f = 0.75 ksf.
TEST(UsaceCapacity, ClosedPipeInUniformClay) {
  ProjectOutline outline;
  LayerSpec clay{0, 60, SoilType::Clay, 110};
  clay.su = 1.0;
  clay.remoldedSu = 0.5;
  outline.layers = {clay};
  const double skin = 0.75 * kPi * 2.0 * 50.0;
  const double tip = 9.0 * kPi;
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(units == UnitSystem::English ? "English" : "SI");
    const Prepared r = prepare(outline, units);
    UsaceStoredStresses stored;
    const CapacityProfile c = computeUsaceCapacity(r.table, r.stress, r.input, stored);
    const double toKips = units == UnitSystem::English ? 1.0 : 1.0 / kKipToKn;
    // The SI adhesion thresholds are the conversions of the English ones: one answer.
    EXPECT_NEAR(c.skinFriction[50] * toKips, skin, 1e-9 * skin);
    EXPECT_NEAR(c.tipValue[50] * toKips, tip, 1e-9 * tip);
  }
}

// Sand friction uses the capped stress: with a user critical depth of 10 ft, f stops growing.
TEST(UsaceCapacity, SandFrictionHoldsBelowTheCriticalDepth) {
  ProjectOutline outline;
  outline.outsideDiameter = 12.0;
  outline.criticalDepthOption = 2;
  outline.userCriticalDepth = 10.0;
  outline.layers = {LayerSpec{0, 60, SoilType::Sand, 100, 32, 1.0, 20}};
  const Prepared r = prepare(outline, UnitSystem::English);
  const MethodUnitFriction f = computeUsaceUnitFriction(r.table, r.stress, r.input);
  const double expected = 1.0 * 1.0 * std::tan(24.0 * kPi / 180.0);  // K sigma'c tan(0.75 phi)
  EXPECT_NEAR(f.unitSkinFriction.bottom(30), expected, 1e-9);
  EXPECT_NEAR(f.unitSkinFriction.bottom(4), 0.5 * std::tan(24.0 * kPi / 180.0), 1e-9);
}

}  // namespace
}  // namespace vorne
