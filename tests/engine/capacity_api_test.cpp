// API RP-2A unit friction, limits, skin friction on the penetration grid and unit end bearing.
#include "methods/capacity_api.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/method_fixtures.h"

namespace vorne {
namespace {

using testing::kFtToM;
using testing::kKipToKn;
using testing::kKsfToKpa;
using testing::LayerSpec;
using testing::makeInput;
using testing::ProjectOutline;

constexpr double kPi = std::numbers::pi;
constexpr double kTight = 1e-9;
constexpr double kConversion = 1e-6;  // relative; SI and English inputs agree to the factors

const char* nameOf(UnitSystem units) { return units == UnitSystem::English ? "English" : "SI"; }

struct ApiRun {
  AnalysisInput input;
  IncrementTable table;
  StressProfile stress;
  CapacityProfile capacity;
};

ApiRun runApi(const ProjectOutline& outline, UnitSystem units) {
  ApiRun r;
  r.input = makeInput(outline, units);
  r.table = buildIncrementTable(r.input, static_cast<long long>(outline.layers.back().bottom));
  r.stress = computeStressProfile(r.table, r.input);
  r.capacity = computeApiCapacity(r.table, r.stress, r.input);
  return r;
}

// Force in the run's unit from kips.
double force(double kips, UnitSystem units) {
  return units == UnitSystem::English ? kips : kips * kKipToKn;
}

TEST(ApiAlpha, FollowsTheStrengthRatio) {
  struct Case {
    const char* name;
    double psi, expected;
  };
  const Case kCases[] = {
      {"ratio one, square-root branch", 1.0, 0.5},
      {"just above one, quarter-power branch", 1.0001, 0.5 / std::pow(1.0001, 0.25)},
      {"cap starts at 0.25", 0.25, 1.0},
      {"capped", 0.1, 1.0},
      {"stiff clay", 16.0, 0.25},
      {"zero ratio is floored, not divided by", 0.0, 1.0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(apiAlpha(c.psi), c.expected, kTight);
  }
}

TEST(ApiLimits, InterpolateInFrictionAngle) {
  struct Case {
    double phi, friction, frictionSi, bearing, bearingSi;
  };
  const Case kCases[] = {
      {15, 1.0, 47.8, 40, 1900},  {20, 1.0, 47.8, 40, 1900},       {22.5, 1.2, 57.4, 50, 2400},
      {35, 2.0, 95.5, 200, 9600}, {37.5, 2.2, 105.15, 225, 10800}, {45, 2.4, 114.8, 250, 12000},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.phi);
    EXPECT_NEAR(apiFrictionLimit(c.phi, true), c.friction, kTight);
    EXPECT_NEAR(apiFrictionLimit(c.phi, false), c.frictionSi, kTight);
    EXPECT_NEAR(apiBearingLimit(c.phi, true), c.bearing, kTight);
    EXPECT_NEAR(apiBearingLimit(c.phi, false), c.bearingSi, kTight);
  }
  // The code is 9999 in the unit typed: lb/ft2 (9.999 ksf once loaded) or kPa.
  EXPECT_TRUE(isApiFrictionLimitCode(9999.0 / 1000.0, true));
  EXPECT_FALSE(isApiFrictionLimitCode(9999.0, true));
  EXPECT_TRUE(isApiFrictionLimitCode(9999.0, false));
  EXPECT_FALSE(isApiFrictionLimitCode(9.999, false));
  EXPECT_FALSE(isApiFrictionLimitCode(9999999.0, false));
}

// Closed-ended 24 in pipe, 50 ft in clay of su = 0.1 ksf and 120 pcf, ZFL 4 ft. From 4 ft down
// sigma'v >= 0.48 ksf, psi <= 0.21, alpha = 1 and f = su; above, ZFL clears the friction.
ProjectOutline uniformClay() {
  ProjectOutline outline;
  outline.outsideDiameter = 24.0;
  outline.length = 50.0;
  outline.zeroFrictionLength = 4.0;
  outline.layers = {{.top = 0,
                  .bottom = 60,
                  .type = SoilType::Clay,
                  .unitWeight = 120,
                  .su = 0.1,
                  .remoldedSu = 0.05}};
  return outline;
}

TEST(ApiCapacity, ClosedPipeInUniformClay) {
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(nameOf(units));
    ApiRun r = runApi(uniformClay(), units);
    const double stress = units == UnitSystem::English ? 1.0 : kKsfToKpa;
    // Increment 0: sigma'v 0.12 ksf at its bottom, psi = 0.833, alpha = 0.5 / sqrt(0.833).
    const MethodUnitFriction f = computeApiUnitFriction(r.table, r.stress, r.input);
    EXPECT_NEAR(f.unitSkinFriction.top(0), 0.5 / std::sqrt(0.1 / 0.12) * 0.1 * stress,
                kConversion * stress);

    const CapacityProfile& c = r.capacity;
    ASSERT_EQ(c.pointCount(), 51u);
    // Q = dz * P * su * (1/2 + 46): the step into 4 ft is half-loaded. P = 2 pi ft.
    const double skin = 2.0 * kPi * 0.1 * 46.5;
    EXPECT_NEAR(c.skinFriction[50], force(skin, units), kConversion * force(skin, units));
    EXPECT_NEAR(c.skinFriction[4], force(2.0 * kPi * 0.1 * 0.5, units), 1e-6);
    EXPECT_DOUBLE_EQ(c.skinFriction[3], 0.0);
    // End bearing 9 su on pi ft2, averaged over 3 OD: full below 3 ft, half of it at the surface.
    const double bearing = 9.0 * 0.1 * kPi;
    EXPECT_NEAR(c.tipValue[50], force(bearing, units), kConversion * force(bearing, units));
    EXPECT_NEAR(c.tipValue[0], force(bearing / 2.0, units), kConversion * force(bearing, units));
    EXPECT_NEAR(c.total[50], force(skin + bearing, units), kConversion * force(skin, units));
    EXPECT_EQ(c.marker[50], TipMarker::Plugged);
  }
}

// Sand of 100 pcf, phi 30 (delta 25), K = 2: f = 2 * 0.1 z * tan 25 = c z ksf, c = 0.093262.
ProjectOutline uniformSand(double maxUnitFriction) {
  ProjectOutline outline;
  outline.outsideDiameter = 24.0;
  outline.length = 50.0;
  outline.layers = {{.top = 0,
                  .bottom = 60,
                  .unitWeight = 100,
                  .frictionAngle = 30,
                  .earthPressure = 2.0,
                  .bearingFactor = 20,
                  .maxUnitFriction = maxUnitFriction}};
  return outline;
}

TEST(ApiCapacity, SandWithoutAndWithTheLimitTable) {
  const double c = 2.0 * 0.1 * std::tan(25.0 * kPi / 180.0);
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(nameOf(units));
    // No limit: a linear f integrates exactly, Q = P * c * L^2 / 2.
    const ApiRun open = runApi(uniformSand(0.0), units);
    const double unlimited = 2.0 * kPi * c * 50.0 * 50.0 / 2.0;
    EXPECT_NEAR(open.capacity.skinFriction[50], force(unlimited, units),
                kConversion * force(unlimited, units));
    EXPECT_NEAR(open.capacity.unitSkinFriction[50],
                c * 50.0 * (units == UnitSystem::English ? 1.0 : kKsfToKpa), 1e-6 * 50);

    // The code 9999 in the unit typed selects the phi = 30 limit: 1.7 ksf, 81.3 kPa (1.698 ksf).
    // Steps whose mean friction c (j - 1/2) exceeds the limit take it: from j = 19 in both.
    const bool english = units == UnitSystem::English;
    const double code = english ? 9.999 : 9999.0 / kKsfToKpa;
    const ApiRun limited = runApi(uniformSand(code), units);
    const double limitKsf = english ? 1.7 : 81.3 / kKsfToKpa;
    const int free = 18;
    const double expected = 2.0 * kPi * (c * free * free / 2.0 + (50 - free) * limitKsf);
    EXPECT_NEAR(limited.capacity.skinFriction[50], force(expected, units),
                kConversion * force(expected, units));
    EXPECT_NEAR(limited.table[30].maxUnitFriction, english ? 1.7 : 81.3, kTight);
    EXPECT_NEAR(limited.capacity.unitSkinFriction[50], english ? 1.7 : 81.3, kTight);
  }
}

TEST(ApiCapacity, LimitCodeInClayIsAnOrdinaryLimit) {
  ProjectOutline outline = uniformClay();
  outline.layers[0].maxUnitFriction = 9.999;
  const ApiRun r = runApi(outline, UnitSystem::English);
  EXPECT_NEAR(r.table[10].maxUnitFriction, 9.999, kTight);
}

TEST(ApiCapacity, TensionReductionAndReducedSum) {
  ProjectOutline outline = uniformClay();
  outline.loadingType = 1;
  outline.tensionReductionFactor = 0.8;
  const double skin = 2.0 * kPi * 0.1 * 46.5;
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(nameOf(units));
    const ApiRun tension = runApi(outline, units);
    EXPECT_NEAR(tension.capacity.skinFriction[50], force(0.8 * skin, units), 1e-6 * skin);
    EXPECT_TRUE(tension.capacity.tension);
    EXPECT_EQ(tension.capacity.marker[50], TipMarker::None);

    ProjectOutline lrfd = uniformClay();
    lrfd.layers[0].sideFactor = 0.7;
    lrfd.reducedLoadTransfer = 1;
    const ApiRun reduced = runApi(lrfd, units);
    EXPECT_NEAR(reduced.capacity.skinFriction[50], force(0.7 * skin, units), 1e-6 * skin);
    lrfd.reducedLoadTransfer = 0;
    const ApiRun unfactored = runApi(lrfd, units);
    EXPECT_NEAR(unfactored.capacity.skinFriction[50], force(skin, units), 1e-6 * skin);
  }
}

TEST(ApiEndBearing, SandTakesTheTableLimitOnlyWithoutAUserLimit) {
  ProjectOutline outline = uniformSand(0.0);
  outline.layers[0].frictionAngle = 35;
  outline.layers[0].bearingFactor = 40;  // Nq sigma'v = 4 z ksf reaches 200 ksf at 50 ft
  const ApiRun r = runApi(outline, UnitSystem::English);
  const PointArray q = apiUnitEndBearing(r.table, r.stress, r.input);
  EXPECT_NEAR(q.bottom(9), 40.0, kTight);
  EXPECT_NEAR(q.bottom(55), 200.0, kTight);

  // Only the stored code means "no limit"; a larger user value is still a limit.
  EXPECT_TRUE(isUnlimitedValue(9999999.0));
  EXPECT_FALSE(isUnlimitedValue(2.0e7));
  outline.layers[0].maxUnitBearing = 100.0;
  const ApiRun user = runApi(outline, UnitSystem::English);
  EXPECT_NEAR(apiUnitEndBearing(user.table, user.stress, user.input).bottom(55), 100.0, kTight);
}

}  // namespace
}  // namespace vorne
