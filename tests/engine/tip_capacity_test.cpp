// The tip pass: plugged and unplugged resistance, averaging zone, self weight, printed rows.
#include "methods/tip_capacity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/method_fixtures.h"
#include "methods/capacity_api.h"

namespace vorne {
namespace {

using testing::kKipToKn;
using testing::LayerSpec;
using testing::makeInput;
using testing::ProjectOutline;

constexpr double kPi = std::numbers::pi;
constexpr double kTight = 1e-9;

CapacityProfile runApi(const ProjectOutline& outline, UnitSystem units) {
  const AnalysisInput input = makeInput(outline, units);
  IncrementTable table =
      buildIncrementTable(input, static_cast<long long>(outline.layers.back().bottom));
  StressProfile stress = computeStressProfile(table, input);
  return computeApiCapacity(table, stress, input);
}

double force(double kips, UnitSystem units) {
  return units == UnitSystem::English ? kips : kips * kKipToKn;
}

// Open 24 x 22 in pipe in sand of 100 pcf, phi 30, K 0.8, Nq 20: q = 2 z ksf (at most the 100
// ksf of the API table), plug friction 0.8 * 0.1 z * tan 25 = 0.037305 z ksf inside 22 in.
ProjectOutline openPipeInSand(double length) {
  ProjectOutline outline;
  outline.outsideDiameter = 24.0;
  outline.insideDiameter = 22.0;
  outline.length = length;
  outline.layers = {{.top = 0,
                  .bottom = length + 10,
                  .unitWeight = 100,
                  .frictionAngle = 30,
                  .earthPressure = 0.8,
                  .bearingFactor = 20}};
  return outline;
}

TEST(TipCapacity, ChoosesBetweenPluggedAndUnpluggedResistance) {
  const double plugDiameter = 22.0 / 12.0;
  const double annulus = kPi / 4.0 * (4.0 - plugDiameter * plugDiameter);
  const double unitPlug = 0.8 * 0.1 * std::tan(25.0 * kPi / 180.0);
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(units == UnitSystem::English ? "English" : "SI");
    // 20 ft: P = pi ft2 * q(20) = 40 pi (q linear over the zone 17..23); U = annulus * 40 plus
    // the plug friction pi * ID * unitPlug * 20^2 / 2 = 63.0 < P, so the plug governs.
    const CapacityProfile shortPile = runApi(openPipeInSand(20), units);
    const double u = annulus * 40.0 + kPi * plugDiameter * unitPlug * 200.0;
    ASSERT_LT(u, 40.0 * kPi);
    EXPECT_NEAR(shortPile.tipValue[20], force(u, units), 1e-6 * force(u, units));
    EXPECT_EQ(shortPile.marker[20], TipMarker::Unplugged);

    // 60 ft: q is held at the table limit (100 ksf, 4800 kPa), P = limit * pi ft2; the plug
    // friction (387 kips) makes U larger.
    const CapacityProfile longPile = runApi(openPipeInSand(60), units);
    const double held =
        units == UnitSystem::English ? 100.0 * kPi : 4800.0 * kPi * 0.6096 * 0.6096 / 4.0;
    EXPECT_NEAR(longPile.tipValue[60], held, 1e-6 * held);
    EXPECT_EQ(longPile.marker[60], TipMarker::Plugged);

    // "Plugged for open-ended pile" takes P even where U is smaller.
    ProjectOutline plugged = openPipeInSand(20);
    plugged.plugCondition = 1;
    const CapacityProfile forced = runApi(plugged, units);
    EXPECT_NEAR(forced.tipValue[20], force(40.0 * kPi, units), 1e-6 * force(40.0 * kPi, units));
    EXPECT_EQ(forced.marker[20], TipMarker::Plugged);

    // "Unplugged": no plug friction, only the annulus.
    ProjectOutline unplugged = openPipeInSand(20);
    unplugged.plugCondition = 2;
    const CapacityProfile annulusOnly = runApi(unplugged, units);
    EXPECT_NEAR(annulusOnly.tipValue[20], force(annulus * 40.0, units), 1e-6);
    EXPECT_EQ(annulusOnly.marker[20], TipMarker::Unplugged);
  }

  // A closed pipe never takes the unplugged resistance.
  ProjectOutline closed = openPipeInSand(20);
  closed.insideDiameter = 0.0;
  const CapacityProfile closedPile = runApi(closed, UnitSystem::English);
  for (TipMarker m : closedPile.marker) EXPECT_EQ(m, TipMarker::Plugged);
}

TEST(TipCapacity, AveragingZoneAboveTheSurfaceCountsZero) {
  // q = 2 z on pi ft2: at d = 0 the zone -3..3 holds pi * 9 over 6 ft; at 1 ft, pi * 16 / 6.
  ProjectOutline closed = openPipeInSand(60);
  closed.insideDiameter = 0.0;
  const CapacityProfile c = runApi(closed, UnitSystem::English);
  ASSERT_EQ(c.marker[0], TipMarker::Plugged);
  EXPECT_NEAR(c.tipValue[0], kPi * 9.0 / 6.0, 1e-9);
  EXPECT_NEAR(c.tipValue[1], kPi * 16.0 / 6.0, 1e-9);
}

TEST(TipCapacity, UserTipLimitCapsTheAveragedBearing) {
  ProjectOutline outline = openPipeInSand(60);
  outline.insideDiameter = 0.0;
  outline.layers[0].maxUnitBearing = 50.0;
  const CapacityProfile c = runApi(outline, UnitSystem::English);
  EXPECT_NEAR(c.tipValue[60], 50.0 * kPi, 1e-9);
}

TEST(TipCapacity, TensionTakesTheSelfWeight) {
  struct Case {
    const char* name;
    int pileType;
    double unitWeight;  // [kcf]
  };
  const Case kCases[] = {{"steel", 1, 0.49}, {"timber", 2, 0.05}, {"concrete", 3, 0.15}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    ProjectOutline outline = openPipeInSand(20);
    outline.pileType = c.pileType;
    outline.loadingType = 1;
    // Wall area 0.50178 ft2; dry above 0.1 ft, submerged (- 0.0624 kcf) below.
    const double area = kPi / 4.0 * (4.0 - (22.0 / 12.0) * (22.0 / 12.0));
    const double weight = c.unitWeight * area * 0.1 + (c.unitWeight - 0.0624) * area * 19.9;
    const CapacityProfile english = runApi(outline, UnitSystem::English);
    EXPECT_NEAR(english.tipValue[20], weight, 1e-9);
    EXPECT_NEAR(english.total[20], english.skinFriction[20] + weight, 1e-9);
    // SI: the same weight, unit weights and water depth being the conversions of the English.
    const double weightSi = weight * testing::kKipToKn;
    const CapacityProfile si = runApi(outline, UnitSystem::Si);
    EXPECT_NEAR(si.tipValue[20], weightSi, 1e-9 * std::abs(weightSi));
  }
}

TEST(PrintedGridPoints, EveryPrintIncrementAndTheTip) {
  using Points = std::vector<std::size_t>;
  EXPECT_EQ(printedGridPoints(9, 3), (Points{0, 3, 6, 9}));
  EXPECT_EQ(printedGridPoints(10, 3), (Points{0, 3, 6, 9, 10}));
  EXPECT_EQ(printedGridPoints(9, 2), (Points{0, 2, 4, 6, 8, 9}));
  EXPECT_EQ(printedGridPoints(2, 1), (Points{0, 1, 2}));
  EXPECT_EQ(printedGridPoints(0, 5), (Points{0}));
  EXPECT_EQ(printedGridPoints(40, 1).size(), 41u);
}

}  // namespace
}  // namespace vorne
