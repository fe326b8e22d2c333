// Effective stress, strengths from blow counts and cone resistance, critical depth, capped stress.
#include "methods/effective_stress.h"

#include <gtest/gtest.h>

#include "engine/method_fixtures.h"

namespace vorne {
namespace {

using testing::kKsfToKpa;
using testing::LayerSpec;
using testing::makeInput;
using testing::ProjectOutline;

constexpr double kTight = 1e-9;
// The SI constants of the program (psi and critical stress) are rounded to a few digits.
constexpr double kConversion = 1e-4;

struct StressRun {
  IncrementTable table;
  StressProfile stress;
};

StressRun run(const ProjectOutline& outline, UnitSystem units) {
  const AnalysisInput input = makeInput(outline, units);
  StressRun r;
  r.table = buildIncrementTable(input, static_cast<long long>(outline.layers.back().bottom));
  r.stress = computeStressProfile(r.table, input);
  return r;
}

TEST(PhiFromBlowCount, BlendsTheThreeCurves) {
  struct Case {
    const char* name;
    double n, s, expected;
  };
  const Case kCases[] = {
      {"no blow count", 0, 10, 0},
      {"surface curve", 10, 0, 38},
      {"s < 20, N < 6: towards 30", 4, 10, 32},                 // 34 - 0.5 * (34 - 30)
      {"s < 20, 6..20: curves A and B", 15, 10, 38},            // 42 - 0.5 * (42 - 34)
      {"s < 20, 20..55: B towards 45", 30, 10, 42},             // 39 + 0.5 * (45 - 39)
      {"s < 20, N >= 55 uses the 20..40 rules", 70, 10, 46.5},  // 42 + 1.5 * (45 - 42)
      {"both neighbours give 30 at s = 20, N = 6", 6, 20, 30},
      {"20..40, 6 < N < 10", 8, 30, 31},
      {"20..40, curves B and C", 30, 30, 37.5},  // 39 - 0.5 * (39 - 36)
      {"20..40, C towards 45", 70, 30, 43.5},    // 42 + 0.5 * (45 - 42)
      {"20..40, N >= 90", 100, 30, 50},
      {"s >= 40 reads curve C", 37.5, 50, 36.5},
      {"s >= 40, N below the curve", 5, 50, 31},
      {"s >= 40, N above the curve", 100, 50, 44},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(phiFromBlowCount(c.n, c.s), c.expected, kTight);
  }
}

TEST(EffectiveStress, UniformLayerGivesALinearProfileInBothUnitSystems) {
  ProjectOutline outline;
  outline.layers = {{.top = 0, .bottom = 30, .unitWeight = 120, .frictionAngle = 30}};
  const StressRun english = run(outline, UnitSystem::English);
  const StressRun si = run(outline, UnitSystem::Si);
  for (std::size_t k : {0u, 10u, 29u}) {
    const double expected = 0.12 * static_cast<double>(k + 1);  // 120 pcf * depth [ksf]
    EXPECT_NEAR(english.stress.effective.bottom(k), expected, kTight);
    EXPECT_NEAR(english.stress.effective.top(k), expected - 0.12, kTight);
    EXPECT_NEAR(si.stress.effective.bottom(k), expected * kKsfToKpa, 1e-6 * expected * kKsfToKpa);
  }
}

TEST(EffectiveStress, FillsFrictionAngleInSandOnlyAndSuFromConeResistance) {
  ProjectOutline outline;
  outline.layers = {{.top = 0, .bottom = 10, .unitWeight = 100, .blowCount = 20},
                 {.top = 10,
                  .bottom = 20,
                  .type = SoilType::Clay,
                  .blowCount = 2.0,  // the yield stress ratio of the clay
                  .coneResistance = 15000.0}};
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(units == UnitSystem::English ? "English" : "SI");
    const StressRun r = run(outline, units);
    // Bottom of increment 0: 0.1 ksf = 0.694 psi; 45 - (0.694 / 20) * (45 - 36).
    EXPECT_NEAR(r.table[0].frictionAngle, 45.0 - 0.1 * 1000.0 / 144.0 / 20.0 * 9.0, kConversion);
    EXPECT_DOUBLE_EQ(r.table[15].frictionAngle, 0.0);
    // qc 15000 lb/ft2 = 15 ksf; su = qc / 15.
    const double su = units == UnitSystem::English ? 1.0 : kKsfToKpa;
    EXPECT_NEAR(r.table[15].undrainedShearStrength, su, 1e-6 * su);
  }
}

TEST(CriticalDepth, OptionZeroCapsEachSandIncrementByItsOwnAngle) {
  ProjectOutline outline;
  outline.outsideDiameter = 12.0;                                     // zc = 10, 15 or 20 ft
  outline.layers = {{.top = 0, .bottom = 20, .frictionAngle = 30},    // zc 10 ft
                 {.top = 20, .bottom = 40, .frictionAngle = 37}};  // zc 20 ft
  const StressRun r = run(outline, UnitSystem::English);
  EXPECT_NEAR(r.stress.capped.bottom(5), 0.6, kTight);   // above zc: uncapped
  EXPECT_NEAR(r.stress.capped.bottom(12), 1.0, kTight);  // 100 pcf * 10 ft
  EXPECT_NEAR(r.stress.capped.bottom(30), 2.0, kTight);  // 100 pcf * 20 ft
  EXPECT_NEAR(r.stress.effective.bottom(30), 3.1, kTight);
  EXPECT_NEAR(r.stress.criticalDepth, 20.0, kTight);
}

TEST(CriticalDepth, OptionZeroCapsClayAboveAllSandByTheDeepestSand) {
  ProjectOutline outline;
  outline.outsideDiameter = 12.0;
  outline.layers = {{.top = 0, .bottom = 20, .type = SoilType::Clay, .su = 1.0},
                 {.top = 20, .bottom = 40, .frictionAngle = 30}};  // zc 10 ft
  const StressRun r = run(outline, UnitSystem::English);
  EXPECT_NEAR(r.stress.capped.bottom(15), 1.0, kTight);

  // A deepest sand given by its blow count alone counts with phi 0 (10 D) for the clay above all
  // sand, though its filled angle (36.75 deg at 35 psi) caps the sand itself at 20 D.
  ProjectOutline byBlowCount = outline;
  byBlowCount.layers[1].frictionAngle = 37.0;  // 20 D of its own
  byBlowCount.layers.push_back({.top = 40, .bottom = 60, .frictionAngle = 0, .blowCount = 30});
  const StressRun filled = run(byBlowCount, UnitSystem::English);
  EXPECT_NEAR(filled.stress.capped.bottom(15), 1.0, kTight);  // 100 pcf * 10 ft
  EXPECT_NEAR(filled.stress.capped.bottom(30), 2.0, kTight);  // phi 37: 20 ft
  EXPECT_GT(filled.table[50].frictionAngle, 36.0);
  EXPECT_NEAR(filled.stress.capped.bottom(50), 2.0, kTight);

  ProjectOutline clayOnly = outline;
  clayOnly.layers.pop_back();
  const StressRun noSand = run(clayOnly, UnitSystem::English);
  EXPECT_FALSE(noSand.stress.hasCriticalDepth);
  EXPECT_NEAR(noSand.stress.capped.bottom(15), 1.6, kTight);
}

TEST(CriticalDepth, OptionOneAtTheFirstStressAboveTheThreshold) {
  ProjectOutline outline;
  outline.criticalDepthOption = 1;
  // 124 pcf: 3.472 ksf at 28 ft, 3.596 ksf at 29 ft.
  outline.layers = {{.top = 0, .bottom = 40, .unitWeight = 124, .frictionAngle = 30}};
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(units == UnitSystem::English ? "English" : "SI");
    const StressRun r = run(outline, units);
    const double scale = units == UnitSystem::English ? 1.0 : kKsfToKpa;
    const double len = units == UnitSystem::English ? 1.0 : testing::kFtToM;
    ASSERT_TRUE(r.stress.hasCriticalDepth);
    EXPECT_NEAR(r.stress.criticalDepth, 29.0 * len, 1e-9);
    EXPECT_NEAR(r.stress.capped.bottom(35), 0.124 * 29 * scale, 1e-6 * scale);
    EXPECT_NEAR(r.stress.capped.bottom(27), 0.124 * 28 * scale, 1e-6 * scale);
  }

  // A profile that never reaches the threshold has no cap at all.
  outline.layers = {{.top = 0, .bottom = 20, .unitWeight = 124, .frictionAngle = 30}};
  const StressRun shallow = run(outline, UnitSystem::English);
  EXPECT_FALSE(shallow.stress.hasCriticalDepth);
  EXPECT_NEAR(shallow.stress.capped.bottom(19), 0.124 * 20, kTight);
}

TEST(CriticalDepth, OptionTwoAtTheUserDepthInsideAnIncrement) {
  ProjectOutline outline;
  outline.criticalDepthOption = 2;
  outline.userCriticalDepth = 15.5;
  outline.layers = {{.top = 0, .bottom = 30, .unitWeight = 100, .frictionAngle = 30}};
  const StressRun r = run(outline, UnitSystem::English);
  EXPECT_NEAR(r.stress.capped.bottom(14), 1.5, kTight);   // 15 ft, above zc
  EXPECT_NEAR(r.stress.capped.bottom(15), 1.55, kTight);  // 16 ft, held at 15.5 ft
  EXPECT_NEAR(r.stress.capped.top(29), 1.55, kTight);
}

}  // namespace
}  // namespace vorne
