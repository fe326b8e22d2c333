// User-specified unit load transfers: values as entered, boundary rule, tip area, factors, tension.
#include "methods/capacity_user.h"

#include <gtest/gtest.h>

#include <numbers>

#include "engine/method_fixtures.h"
#include "methods/tip_capacity.h"

namespace vorne {
namespace {

using testing::kKipToKn;
using testing::LayerSpec;
using testing::makeInput;
using testing::Prepared;
using testing::ProjectOutline;

constexpr double kPi = std::numbers::pi;

// Two layers with user values: fu 1 ksf and qu 10 ksf from 0 to 10 ft, fu 2 ksf and qu 20 ksf
// from 10 to 40 ft. Closed pipe OD 24 in, 30 ft. English values in ksf, SI converted.
Prepared prepare(UnitSystem units, double sideFactor = 1.0, int reduced = 0) {
  ProjectOutline outline;
  outline.length = 30.0;
  outline.reducedLoadTransfer = reduced;
  LayerSpec upper{0, 10, SoilType::Clay, 100};
  upper.su = 1.0;
  LayerSpec lower{10, 40, SoilType::Clay, 100};
  lower.su = 1.0;
  outline.layers = {upper, lower};
  AnalysisInput input = makeInput(outline, units);
  const double stress = units == UnitSystem::English ? 1.0 : testing::kKsfToKpa;
  for (std::size_t i = 0; i < input.soilPoints.size(); ++i) {
    const bool first = i < 2;
    input.soilPoints[i].userUnitSkinFriction = (first ? 1.0 : 2.0) * stress;
    input.soilPoints[i].userUnitEndBearing = (first ? 10.0 : 20.0) * stress;
    input.soilPoints[i].sideResistanceFactor = sideFactor;
  }
  return testing::prepare(input, 40);
}

TEST(UserCapacity, RunsOnlyWithSomeUserValue) {
  ProjectOutline outline;
  outline.layers = {LayerSpec{0, 60, SoilType::Sand, 100, 30, 0.8, 20}};
  const AnalysisInput input = makeInput(outline, UnitSystem::English);
  const IncrementTable table = buildIncrementTable(input, 60);
  EXPECT_FALSE(hasUserLoadTransfers(table));
  EXPECT_TRUE(hasUserLoadTransfers(prepare(UnitSystem::English).table));
}

TEST(UserCapacity, BoundaryAtAGridDepthTakesTheIncrementAbove) {
  const double perimeter = 2.0 * kPi;
  const double area = kPi;
  // The fixture's SI factors agree with each other to about 1e-9.
  constexpr double kConversion = 1e-8 * 400.0;
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(units == UnitSystem::English ? "English" : "SI");
    const Prepared r = prepare(units);
    const CapacityProfile c = computeUserCapacity(r.table, r.stress, r.input);
    const double toKips = units == UnitSystem::English ? 1.0 : 1.0 / kKipToKn;
    EXPECT_NEAR(c.tipValue[0] * toKips, 10.0 * area, kConversion);
    EXPECT_NEAR(c.tipValue[10] * toKips, 10.0 * area, kConversion);
    EXPECT_NEAR(c.tipValue[11] * toKips, 20.0 * area, kConversion);
    EXPECT_NEAR(c.skinFriction[10] * toKips, 10.0 * perimeter * 1.0, kConversion);
    EXPECT_NEAR(c.skinFriction[30] * toKips, perimeter * (10.0 + 20.0 * 2.0), kConversion);
    EXPECT_NEAR(c.total[30] * toKips, perimeter * 50.0 + 20.0 * area, kConversion);
    for (TipMarker m : c.marker) EXPECT_EQ(m, TipMarker::Plugged);
  }
}

TEST(UserCapacity, NoncircularTipAreaReplacesTheSection) {
  Prepared r = prepare(UnitSystem::English);
  r.input.pile.noncircularTipArea = 0.5;
  const CapacityProfile c = computeUserCapacity(r.table, r.stress, r.input);
  EXPECT_NEAR(c.tipValue[30], 0.5 * 20.0, 1e-12);
}

TEST(UserCapacity, SideFactorAppliesAtEveryStepTheFirstIncluded) {
  for (int reduced : {0, 1}) {
    SCOPED_TRACE(reduced);
    const Prepared r = prepare(UnitSystem::English, 0.5, reduced);
    const CapacityProfile c = computeUserCapacity(r.table, r.stress, r.input);
    EXPECT_NEAR(c.skinFriction[1], 0.5 * 2.0 * kPi * 1.0, 1e-12);
    EXPECT_NEAR(c.skinFriction[30], 0.5 * 2.0 * kPi * 50.0, 1e-9);
  }
}

TEST(UserCapacity, TensionTakesTheSelfWeightAndKeepsTheFriction) {
  Prepared r = prepare(UnitSystem::English);
  const CapacityProfile compression = computeUserCapacity(r.table, r.stress, r.input);
  r.input.loadingType = 1;
  r.input.tensionReductionFactor = 0.5;
  const CapacityProfile c = computeUserCapacity(r.table, r.stress, r.input);
  EXPECT_NEAR(c.skinFriction[30], compression.skinFriction[30], 1e-12);
  EXPECT_NEAR(c.tipValue[30], pileSelfWeight(r.input, 30.0), 1e-12);
  EXPECT_EQ(c.marker[30], TipMarker::None);
}

}  // namespace
}  // namespace vorne
