// FHWA charts, clay chart choice, displaced volume, taper and closed-form capacities.
#include "methods/capacity_fhwa.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/method_fixtures.h"

namespace vorne {
namespace {

using testing::kKipToKn;
using testing::LayerSpec;
using testing::makeInput;
using testing::prepare;
using testing::Prepared;
using testing::ProjectOutline;

constexpr double kPi = std::numbers::pi;

TEST(FhwaCharts, ReadTheTabulatedPointsAndInterpolate) {
  struct Case {
    const char* name;
    double actual, expected;
  };
  const Case kCases[] = {
      {"K-delta halfway between the 25 and 30 charts", fhwaLateralStressCoefficient(27.5, 0.0, 1.0),
       1.0},
      {"K-delta halfway between V = 0.1 and 1 (linear in V)",
       fhwaLateralStressCoefficient(30.0, 0.0, 0.55), 1.0},
      {"K-delta past the last read taper of the 25 chart",
       fhwaLateralStressCoefficient(25, 1.5, 1.0), 2.917},
      {"K-delta above phi 40 reads the 40 chart", fhwaLateralStressCoefficient(45, 0.0, 10.0), 4.3},
      {"N'q at phi 30", fhwaBearingFactor(30.0), 30.0},
      {"N'q below 15", fhwaBearingFactor(10.0), 4.8},
      {"qL chart at phi 30 (times 2: 13.32 ksf)", 2.0 * fhwaLimitChartValue(30.0), 13.32},
      {"qL below 30", fhwaLimitChartValue(20.0), 6.66},
      {"CF at delta/phi 1", fhwaCorrectionFactor(1.0, 45.0), 1.0},
      {"CF between the 0.4 and 0.6 curves", fhwaCorrectionFactor(0.5, 30.0), 0.755},
      {"delta/phi below the first volume", fhwaFrictionAngleRatio(0.0641, 1), 0.342},
      {"delta/phi of an H-pile at V 0.3", fhwaFrictionAngleRatio(0.3, 6), 0.8875},
      {"alpha-t between ratios 20 and 30", fhwaDepthFactor(30.0, 25.0), 0.55},
      {"alpha-t below ratio 20", fhwaDepthFactor(20.0, 5.0), 0.365},
      {"chart 1 between R < 10 and R = 20", fhwaAdhesion(FhwaClayChart::SandAbove, 2.0, 15.0),
       0.975},
      {"chart 1 beyond R = 40", fhwaAdhesion(FhwaClayChart::SandAbove, 2.5, 60.0), 0.5},
      {"chart 2 below R = 10", fhwaAdhesion(FhwaClayChart::SoftClayAbove, 1.0, 5.0), 0.398},
      {"chart 2 halfway to R = 20", fhwaAdhesion(FhwaClayChart::SoftClayAbove, 0.0, 15.0), 0.835},
      {"chart 3 over 30 diameters", fhwaAdhesion(FhwaClayChart::StiffClayAbove, 2.0, 25.0), 0.794},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(c.actual, c.expected, 1e-9);
  }
}

TEST(FhwaDisplacedVolume, FollowsThePlugStateAndTheSection) {
  ProjectOutline outline;
  outline.outsideDiameter = 12.0;
  outline.insideDiameter = 11.5;
  outline.layers = {LayerSpec{0, 60}};
  const AnalysisInput english = makeInput(outline, UnitSystem::English);
  const AnalysisInput si = makeInput(outline, UnitSystem::Si);
  const double annulus = kPi / 4.0 * (144.0 - 132.25) / 144.0;  // 0.0641 ft3/ft
  const double full = kPi / 4.0;
  EXPECT_NEAR(fhwaDisplacedVolume(english, TipMarker::None), annulus, 1e-12);
  EXPECT_NEAR(fhwaDisplacedVolume(english, TipMarker::Unplugged), annulus, 1e-12);
  EXPECT_NEAR(fhwaDisplacedVolume(english, TipMarker::Plugged), full, 1e-12);
  // SI areas are divided by 0.0929 m2 per ft2 (0.0929 rounds 0.09290304).
  EXPECT_NEAR(fhwaDisplacedVolume(si, TipMarker::Plugged), full, 1e-4);
  EXPECT_NEAR(fhwaDisplacedVolume(si, TipMarker::Unplugged), annulus, 1e-5);

  AnalysisInput closedEnd = english;
  closedEnd.pile.enhancedEndLength = 2.0;
  closedEnd.pile.enhancedEndInsideDiameter = 0.0;
  EXPECT_NEAR(fhwaDisplacedVolume(closedEnd, TipMarker::Unplugged), full, 1e-12);

  AnalysisInput hPile = english;
  hPile.pile.pileType = 6;
  hPile.pile.noncircularTipArea = 0.25;
  EXPECT_NEAR(fhwaDisplacedVolume(hPile, TipMarker::Plugged), 0.25, 1e-12);
}

TEST(FhwaClayChart, IsChosenOnceFromTheIncrementAbove) {
  struct Case {
    const char* name;
    std::vector<LayerSpec> layers;
    FhwaClayChart firstIncrement;  // chart of increment 0
    FhwaClayChart deepClay;        // chart of the last increment
  };
  LayerSpec sand{0, 10, SoilType::Sand, 110, 30, 0.8, 20};
  LayerSpec softClay{0, 10, SoilType::Clay, 110};
  softClay.su = 0.5;
  LayerSpec stiffClay{0, 10, SoilType::Clay, 110};
  stiffClay.su = 1.2;
  auto below = [](LayerSpec layer) {
    layer.top = 10;
    layer.bottom = 30;
    return layer;
  };
  const Case kCases[] = {
      {"sand above",
       {sand, below(stiffClay)},
       FhwaClayChart::StiffClayAbove,
       FhwaClayChart::SandAbove},
      {"soft clay at the surface",
       {softClay, below(stiffClay)},
       FhwaClayChart::StiffClayAbove,
       FhwaClayChart::SoftClayAbove},
      {"stiff clay at the surface",
       {stiffClay, below(softClay)},
       FhwaClayChart::StiffClayAbove,
       FhwaClayChart::StiffClayAbove},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    ProjectOutline outline;
    outline.layers = c.layers;
    for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
      const Prepared r = prepare(makeInput(outline, units));
      const std::vector<FhwaClayChart> charts = fhwaClayCharts(r.table, r.input);
      EXPECT_EQ(charts.front(), c.firstIncrement);
      EXPECT_EQ(charts.back(), c.deepClay);
    }
  }
}

// The plug state comes from the tip pass of index 1 before the method has its plug-friction
// record: an open pipe counts as unplugged (annulus volume) unless the plug condition says plugged.
TEST(FhwaPlugState, OpenPipeIsUnpluggedUnlessThePlugConditionSaysPlugged) {
  ProjectOutline outline;
  outline.insideDiameter = 23.0;
  outline.layers = {LayerSpec{0, 60, SoilType::Sand, 115, 32, 0.8, 20}};
  const Prepared open = prepare(makeInput(outline, UnitSystem::English));
  outline.plugCondition = 1;
  const Prepared plugged = prepare(makeInput(outline, UnitSystem::English));
  const std::vector<TipMarker> openState = fhwaPlugState(open.table, open.stress, open.input);
  const std::vector<TipMarker> pluggedState =
      fhwaPlugState(plugged.table, plugged.stress, plugged.input);
  EXPECT_EQ(openState[40], TipMarker::Unplugged);
  EXPECT_EQ(pluggedState[40], TipMarker::Plugged);
  // The full section displaces more soil: more friction.
  const CapacityProfile a = computeFhwaCapacity(open.table, open.stress, open.input);
  const CapacityProfile b = computeFhwaCapacity(plugged.table, plugged.stress, plugged.input);
  EXPECT_GT(b.skinFriction[50], 1.5 * a.skinFriction[50]);

  // Under tension the choice is still made, though the tip column holds the self weight.
  outline.plugCondition = 0;
  outline.loadingType = 1;
  const Prepared tension = prepare(makeInput(outline, UnitSystem::English));
  EXPECT_EQ(fhwaPlugState(tension.table, tension.stress, tension.input)[40], TipMarker::Unplugged);
}

// Closed pipe OD 24 in, 50 ft, in uniform clay of su 1.0 ksf: chart 3 (stiff clay at the
// surface) at R = 25, halfway between 0.923 (R < 10) and 1.0 (R >= 40): alpha = 0.9615.
TEST(FhwaCapacity, ClosedPipeInUniformClay) {
  ProjectOutline outline;
  LayerSpec clay{0, 60, SoilType::Clay, 110};
  clay.su = 1.0;
  outline.layers = {clay};
  const double alpha = 0.9615;
  const double skin = alpha * 1.0 * kPi * 2.0 * 50.0;
  const double tip = 9.0 * 1.0 * kPi;  // 9 su on pi ft2
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(units == UnitSystem::English ? "English" : "SI");
    const Prepared r = prepare(makeInput(outline, units));
    const CapacityProfile c = computeFhwaCapacity(r.table, r.stress, r.input);
    const double toKips = units == UnitSystem::English ? 1.0 : 1.0 / kKipToKn;
    // SI strengths enter the chart through 47.88 kPa per ksf, a rounding of 47.880259.
    EXPECT_NEAR(c.skinFriction[50] * toKips, skin, 1e-5 * skin);
    EXPECT_NEAR(c.tipValue[50] * toKips, tip, 1e-6 * tip);
    EXPECT_NEAR(c.total[50] * toKips, skin + tip, 1e-5 * skin);
  }
}

// A tapered pile loses perimeter with depth: with the same uniform clay friction f, the twin
// without taper carries f * pi * tan(omega) * dz^2 * n (n + 1) more (sum of 2 d_j tan(omega)).
TEST(FhwaCapacity, TaperedTimberPileAgainstItsUntaperedTwin) {
  ProjectOutline outline;
  outline.outsideDiameter = 14.0;
  outline.pileType = 2;
  LayerSpec clay{0, 40, SoilType::Clay, 110};
  clay.su = 1.0;
  outline.length = 30.0;
  outline.layers = {clay};
  const Prepared prismatic = prepare(makeInput(outline, UnitSystem::English));
  AnalysisInput taperedInput = makeInput(outline, UnitSystem::English);
  taperedInput.pile.taperAngle = 0.5;
  const Prepared tapered = prepare(taperedInput);
  const CapacityProfile a = computeFhwaCapacity(prismatic.table, prismatic.stress, prismatic.input);
  const CapacityProfile b = computeFhwaCapacity(tapered.table, tapered.stress, tapered.input);
  const MethodUnitFriction f =
      computeFhwaUnitFriction(prismatic.table, prismatic.stress, prismatic.input, {});
  const double unitFriction = f.unitSkinFriction.bottom(10);
  const double tanOmega = std::tan(0.5 / 57.2958);
  EXPECT_NEAR(a.skinFriction[30] - b.skinFriction[30], unitFriction * kPi * tanOmega * 30 * 31,
              1e-9);
  // The tip diameter shrinks by 2 L tan(omega): the plugged bearing falls with its area.
  const double tipDiameter = 14.0 / 12.0 - 2.0 * 30.0 * std::tan(0.5 * kPi / 180.0);
  EXPECT_NEAR(b.tipValue[30] / a.tipValue[30], std::pow(tipDiameter / (14.0 / 12.0), 2), 1e-9);

  // In sand the taper raises K-delta and the friction angle term.
  LayerSpec sand{0, 40, SoilType::Sand, 110, 32, 0.8, 20};
  outline.layers = {sand};
  const Prepared sandTwin = prepare(makeInput(outline, UnitSystem::English));
  AnalysisInput sandInput = makeInput(outline, UnitSystem::English);
  sandInput.pile.taperAngle = 0.5;
  const Prepared sandTapered = prepare(sandInput);
  const MethodUnitFriction plain =
      computeFhwaUnitFriction(sandTwin.table, sandTwin.stress, sandTwin.input, {});
  const MethodUnitFriction taper =
      computeFhwaUnitFriction(sandTapered.table, sandTapered.stress, sandTapered.input, {});
  EXPECT_GT(taper.unitSkinFriction.bottom(20), 1.5 * plain.unitSkinFriction.bottom(20));
}

// Closed pipe OD 12 in in sand phi 30, K-delta method by hand: V = pi/4 ft3/ft (plugged, full
// section); delta/phi = 0.516 + 0.077 * 0.1854/0.2 = 0.587380; CF between the 0.4 and 0.6 curves
// at phi 30: 0.69 + 0.13 * 0.93690 = 0.811797; K-delta at omega 0 between V = 0.1 (0.85) and
// V = 1 (1.15): 0.85 + 0.3 * 0.685398/0.9 = 1.078466.
TEST(FhwaCapacity, SandUnitFrictionByHand) {
  ProjectOutline outline;
  outline.outsideDiameter = 12.0;
  outline.length = 40.0;
  outline.layers = {LayerSpec{0, 50, SoilType::Sand, 100, 30, 0.8, 20}};
  const double volume = kPi / 4.0;
  const double ratio = 0.516 + 0.077 * (volume - 0.6) / 0.2;
  const double correction = 0.69 + 0.13 * (ratio - 0.4) / 0.2;
  const double lateral = 0.85 + 0.3 * (volume - 0.1) / 0.9;
  const double slope = lateral * correction * std::sin(ratio * 30.0 / 57.2958);
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(units == UnitSystem::English ? "English" : "SI");
    const Prepared r = prepare(makeInput(outline, units));
    const CapacityProfile c = computeFhwaCapacity(r.table, r.stress, r.input);
    const double toKsf = units == UnitSystem::English ? 1.0 : 1.0 / testing::kKsfToKpa;
    // sigma'v at 20 ft = 2.0 ksf. SI reads V through 0.0929 m2/ft2.
    EXPECT_NEAR(c.unitSkinFriction[20] * toKsf, slope * 2.0, 2e-4 * slope);
  }
}

}  // namespace
}  // namespace vorne
