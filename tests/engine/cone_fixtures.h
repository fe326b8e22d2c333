// Profiles for the tests of the cone-based offshore methods: the increment table and stresses of a
// project described in English units and built in either unit system.
#ifndef VORNE_TESTS_ENGINE_CONE_FIXTURES_H
#define VORNE_TESTS_ENGINE_CONE_FIXTURES_H

#include "engine/method_fixtures.h"
#include "methods/effective_stress.h"
#include "methods/soil_profile.h"

namespace vorne::testing {

struct ConeRun {
  AnalysisInput input;
  IncrementTable table;
  StressProfile stress;
};

// Builds the profile of outline down to its last layer bottom; adjust(input) runs before the profile
// is built, for the fields ProjectOutline does not carry (CPT table, drained clay, enhanced end).
template <typename Adjust>
ConeRun buildConeRun(const ProjectOutline& outline, UnitSystem units, Adjust adjust) {
  ConeRun r;
  r.input = makeInput(outline, units);
  adjust(r.input);
  const double len = units == UnitSystem::Si ? kFtToM : 1.0;
  r.table = buildIncrementTable(
      r.input, static_cast<long long>(
                   outline.layers.back().bottom * len / r.input.pile.lengthIncrement + 1e-6));
  r.stress = computeStressProfile(r.table, r.input);
  return r;
}

inline ConeRun buildConeRun(const ProjectOutline& outline, UnitSystem units) {
  return buildConeRun(outline, units, [](AnalysisInput&) {});
}

inline const char* nameOf(UnitSystem units) {
  return units == UnitSystem::English ? "English" : "SI";
}

// A stress [ksf] or force [kip] in the run's unit.
inline double stressIn(double ksf, UnitSystem units) {
  return units == UnitSystem::English ? ksf : ksf * kKsfToKpa;
}
inline double forceIn(double kips, UnitSystem units) {
  return units == UnitSystem::English ? kips : kips * kKipToKn;
}

// Open-ended 24 x 22.5 in pipe, 60 ft embedded, 1 ft increments: dense sand to 30 ft (60 pcf,
// phi 35, K 0.8, Nq 40, qc 200 ksf as 200000 lb/ft2), then clay to 80 ft (50 pcf, su 1.5 ksf,
// remolded 0.5 ksf, YSR 2, PI 30, no qc of its own). sigma'v = 0.06 z ksf in the sand and
// 1.8 + 0.05 (z - 30) ksf in the clay.
inline ProjectOutline sandOverClay() {
  ProjectOutline outline;
  outline.outsideDiameter = 24.0;
  outline.insideDiameter = 22.5;
  outline.length = 60.0;
  outline.layers = {
      {.top = 0,
       .bottom = 30,
       .unitWeight = 60,
       .frictionAngle = 35,
       .earthPressure = 0.8,
       .bearingFactor = 40,
       .coneResistance = 200000},
      {.top = 30,
       .bottom = 80,
       .type = SoilType::Clay,
       .unitWeight = 50,
       .su = 1.5,
       .remoldedSu = 0.5,
       .blowCount = 2,
       .plasticityIndex = 30},
  };
  return outline;
}

}  // namespace vorne::testing

#endif  // VORNE_TESTS_ENGINE_CONE_FIXTURES_H
