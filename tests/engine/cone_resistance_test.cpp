// Cone resistance of the increments: the layer's own value, the CPT table, the fallbacks.
#include "methods/cone_resistance.h"

#include <gtest/gtest.h>

#include "engine/cone_fixtures.h"

namespace vorne {
namespace {

using testing::buildConeRun;
using testing::kFtToM;
using testing::kKsfToKpa;
using testing::nameOf;
using testing::ProjectOutline;
using testing::sandOverClay;
using testing::stressIn;

// Sand 0..20 ft with N = 30 and no qc, clay 20..40 ft with su 1.5 ksf and no qc.
ProjectOutline withoutConeValues() {
  ProjectOutline outline = sandOverClay();
  outline.length = 30.0;
  outline.layers = {
      {.top = 0, .bottom = 20, .unitWeight = 60, .frictionAngle = 35, .blowCount = 30},
      {.top = 20,
       .bottom = 40,
       .type = SoilType::Clay,
       .unitWeight = 50,
       .su = 1.5,
       .blowCount = 2},
  };
  return outline;
}

TEST(ConeResistance, TakesTheLayerValueThenTheFallbackOfItsSoil) {
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(nameOf(units));
    // 200000 lb/ft2 read in English is 200 ksf.
    const auto layered = buildConeRun(sandOverClay(), units);
    EXPECT_NEAR(incrementConeResistance(layered.table[10], layered.input), stressIn(200.0, units),
                1e-6 * stressIn(200.0, units));

    const auto fallback = buildConeRun(withoutConeValues(), units);
    // Sand: 2.8 pa N = 2.8 * 2.088555 * 30 = 175.4386 ksf, in SI its conversion (8400.047 kPa).
    const double sand = stressIn(175.438620, units);
    EXPECT_NEAR(incrementConeResistance(fallback.table[5], fallback.input), sand, 1e-6 * sand);
    // Clay: 15 su = 22.5 ksf; the YSR of 2 in the blow count column plays no part.
    EXPECT_NEAR(incrementConeResistance(fallback.table[25], fallback.input), stressIn(22.5, units),
                1e-6 * stressIn(22.5, units));
  }
}

TEST(ConeResistance, ReadsTheCptTableAtTheIncrementTop) {
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(nameOf(units));
    // Points (5 ft, 100 ksf) and (15 ft, 300 ksf), written in the run's units.
    const bool si = units == UnitSystem::Si;
    auto addTable = [si](AnalysisInput& input) {
      input.cpt.cptUnits = si ? 2 : 1;
      const double len = si ? kFtToM : 1.0;
      input.cpt.points = {{5.0 * len, stressIn(100.0, si ? UnitSystem::Si : UnitSystem::English)},
                          {15.0 * len, stressIn(300.0, si ? UnitSystem::Si : UnitSystem::English)}};
    };
    const auto r = buildConeRun(withoutConeValues(), units, addTable);
    struct Case {
      std::size_t increment;  // its top depth in ft is its index
      double expectedKsf;
    };
    const Case kCases[] = {
        {0, 100.0},                // above the table: the first value
        {10, 200.0},               // halfway between the points
        {12, 240.0}, {19, 300.0},  // below the table: the last value
        {30, 300.0},               // clay takes the table too, before 15 su
    };
    for (const Case& c : kCases) {
      SCOPED_TRACE(c.increment);
      EXPECT_NEAR(incrementConeResistance(r.table[c.increment], r.input),
                  stressIn(c.expectedKsf, units), 1e-6 * stressIn(c.expectedKsf, units));
    }
    // The layer's own value beats the table.
    const auto own = buildConeRun(sandOverClay(), units, addTable);
    EXPECT_NEAR(coneResistanceProfile(own.table, own.input)[12], stressIn(200.0, units),
                1e-6 * stressIn(200.0, units));
  }
}

TEST(ConeResistance, ConvertsATableInOtherUnitsAndNeverGoesNegative) {
  CptData english;
  english.cptUnits = 1;
  english.points = {{10.0, 100.0}, {20.0, 200.0}};
  EXPECT_NEAR(interpolateCptTable(english, 15.0 * kFtToM, false), 150.0 * kKsfToKpa, 1e-6);
  CptData si;
  si.cptUnits = 2;
  si.points = {{3.048, 4788.0258980}};
  EXPECT_NEAR(interpolateCptTable(si, 0.0, true), 100.0, 1e-9);
  // Two points at one depth: no division, the lower point's value.
  si.points = {{1.0, 10.0}, {2.0, 20.0}, {2.0, 50.0}, {3.0, 60.0}};
  EXPECT_NEAR(interpolateCptTable(si, 2.0, false), 50.0, 1e-12);

  ProjectOutline outline = withoutConeValues();
  outline.layers[0].blowCount = -5.0;
  const auto r = buildConeRun(outline, UnitSystem::English);
  EXPECT_EQ(incrementConeResistance(r.table[3], r.input), 0.0);
}

}  // namespace
}  // namespace vorne
