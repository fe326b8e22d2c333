// Revised Lambda: lambda branches and floor, closed-form totals, tension and zero friction.
#include "methods/capacity_lambda.h"

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

TEST(LambdaFactor, BranchesOnTheStrengthRatioWithAFloor) {
  struct Case {
    const char* name;
    double x, ratio, expected;
  };
  const Case kCases[] = {
      {"X = 0 gives no friction", 0.0, 1.0, 0.0},
      {"ratio exactly 0.4 takes the 0.232 branch", 1.0, 0.4, 0.232},
      {"ratio below 0.4", 1.0, 0.3, 0.178},
      {"stiff pile: ln X < 0 raises lambda", std::exp(-2.0), 0.5, 0.232 + 0.064},
      {"flexible pile reaches the floor", std::exp(4.0), 0.5, 0.14},
      {"floor in the low branch", std::exp(3.0), 0.1, 0.14},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(lambdaFactor(c.x, c.ratio), c.expected, 1e-12);
  }
}

// Open pipe OD 24 in (ID 23 in), 50 ft in clay of su 1.0 ksf and 100 pcf, so flexible that
// lambda sits on its floor: F(l) = l P 0.14 (0.05 l + 2) and the sum of the steps telescopes to it.
ProjectOutline flexiblePileInClay() {
  ProjectOutline outline;
  outline.insideDiameter = 23.0;
  LayerSpec clay{0, 60, SoilType::Clay, 100};
  clay.su = 1.0;
  outline.layers = {clay};
  return outline;
}

AnalysisInput flexible(const ProjectOutline& outline, UnitSystem units) {
  AnalysisInput input = makeInput(outline, units);
  input.pile.elasticModulus *= 1e-6;
  return input;
}

TEST(LambdaCapacity, FlexiblePileOnTheFloorInEnglishAndSi) {
  const ProjectOutline outline = flexiblePileInClay();
  const double perimeter = 2.0 * kPi;
  auto total = [&](double l) { return l * perimeter * 0.14 * (0.05 * l + 2.0); };
  // The fixture's SI factors agree with each other to about 1e-9, hence 1e-8.
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(units == UnitSystem::English ? "English" : "SI");
    const Prepared r = prepare(flexible(outline, units));
    const CapacityProfile c = computeLambdaCapacity(r.table, r.stress, r.input);
    const double toKips = units == UnitSystem::English ? 1.0 : 1.0 / kKipToKn;
    EXPECT_NEAR(c.skinFriction[50] * toKips, total(50.0), 1e-8 * total(50.0));
    EXPECT_NEAR(c.skinFriction[10] * toKips, total(10.0), 1e-8 * total(50.0));
    // Unit friction is the growth of the total over one step.
    const double toKsf = units == UnitSystem::English ? 1.0 : 1.0 / testing::kKsfToKpa;
    EXPECT_NEAR(c.unitSkinFriction[50] * toKsf, (total(50.0) - total(49.0)) / perimeter, 1e-8);
  }
}

TEST(LambdaCapacity, TensionReducesEveryStep) {
  ProjectOutline outline = flexiblePileInClay();
  const Prepared compression = prepare(flexible(outline, UnitSystem::English));
  outline.loadingType = 1;
  outline.tensionReductionFactor = 0.7;
  const Prepared tension = prepare(flexible(outline, UnitSystem::English));
  const CapacityProfile a =
      computeLambdaCapacity(compression.table, compression.stress, compression.input);
  const CapacityProfile b = computeLambdaCapacity(tension.table, tension.stress, tension.input);
  for (std::size_t j : {1u, 20u, 50u}) {
    EXPECT_NEAR(b.skinFriction[j], 0.7 * a.skinFriction[j], 1e-9 * a.skinFriction[50]);
  }
  EXPECT_EQ(b.marker[50], TipMarker::None);
}

TEST(LambdaCapacity, ClayWithoutStrengthCarriesNoFriction) {
  ProjectOutline outline;
  outline.layers = {LayerSpec{0, 60, SoilType::Clay, 100}};
  const Prepared r = prepare(makeInput(outline, UnitSystem::English));
  const CapacityProfile c = computeLambdaCapacity(r.table, r.stress, r.input);
  EXPECT_DOUBLE_EQ(c.skinFriction[50], 0.0);
  for (double f : c.unitSkinFriction) EXPECT_DOUBLE_EQ(f, 0.0);
}

TEST(LambdaCapacity, ZeroFrictionLengthAddsNoStrengthButKeepsItsStress) {
  ProjectOutline outline = flexiblePileInClay();
  outline.zeroFrictionLength = 10.0;
  const Prepared r = prepare(flexible(outline, UnitSystem::English));
  const CapacityProfile c = computeLambdaCapacity(r.table, r.stress, r.input);
  const double perimeter = 2.0 * kPi;
  EXPECT_DOUBLE_EQ(c.skinFriction[10], 0.0);
  // At 50 ft: sm = 40/50 (no strength over the top 10 ft), sigma'm = 0.05 * 50.
  const double total = 50.0 * perimeter * 0.14 * (0.05 * 50.0 + 2.0 * 40.0 / 50.0);
  EXPECT_NEAR(c.skinFriction[50], total, 1e-9 * total);
}

TEST(LambdaCapacity, UserTipAreaEntersTheStiffnessInSquareInches) {
  ProjectOutline outline = flexiblePileInClay();
  AnalysisInput english = makeInput(outline, UnitSystem::English);
  AnalysisInput si = makeInput(outline, UnitSystem::Si);
  english.pile.noncircularTipArea = 0.5;  // ft2
  si.pile.noncircularTipArea = 0.5 * testing::kFt2ToM2;
  const double x = lambdaStiffnessRatio(english, 50.0, 1.0);
  EXPECT_NEAR(x, 1000.0 * 2500.0 * kPi * 24.0 / (0.1 * 72.0 * english.pile.elasticModulus), 1e-9);
  // The SI form carries 2.54 where the conversions give 2.540075: agreement to 1e-4.
  const double xSi = lambdaStiffnessRatio(si, 50.0 * testing::kFtToM, testing::kKsfToKpa);
  const double siModulusRatio = si.pile.elasticModulus / (english.pile.elasticModulus * 6.894757);
  EXPECT_NEAR(xSi * siModulusRatio, x, 1e-4 * x);
}

}  // namespace
}  // namespace vorne
