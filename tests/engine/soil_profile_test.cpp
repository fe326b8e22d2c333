// Increments of the computation length and the mid-increment soil properties.
#include "methods/soil_profile.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/method_fixtures.h"

namespace vorne {
namespace {

using testing::LayerSpec;
using testing::makeInput;
using testing::ProjectOutline;

constexpr double kTight = 1e-9;

ProjectOutline sandOverClay() {
  ProjectOutline outline;
  LayerSpec sand{.top = 0, .bottom = 10, .type = SoilType::Sand, .frictionAngle = 30};
  LayerSpec clay{.top = 10, .bottom = 20, .type = SoilType::Clay, .su = 1.0};
  outline.layers = {sand, clay};
  return outline;
}

TEST(SoilProfile, InterpolatesAtMidIncrementAndTakesTypeFromPointBelowTop) {
  AnalysisInput input = makeInput(sandOverClay(), UnitSystem::English);
  // gamma' rises from 100 to 120 pcf over the sand layer.
  input.soilPoints[1].effectiveUnitWeight = 120.0;
  const IncrementTable table = buildIncrementTable(input, 20);
  ASSERT_EQ(table.size(), 20u);
  EXPECT_NEAR(table[0].effectiveUnitWeight, 101.0, kTight);  // 100 + 20 * 0.5 / 10
  EXPECT_NEAR(table[9].effectiveUnitWeight, 119.0, kTight);  // 100 + 20 * 9.5 / 10
  EXPECT_TRUE(table[9].isSand());
  // Increment 10 starts exactly at the layer change: the clay below owns it.
  EXPECT_TRUE(table[10].isClay());
  EXPECT_NEAR(table[10].undrainedShearStrength, 1.0, kTight);
  EXPECT_NEAR(table[10].effectiveUnitWeight, 100.0, kTight);
  EXPECT_NEAR(table[19].bottomDepth, 20.0, kTight);
}

TEST(SoilProfile, HoldsTheLastPointBelowTheProfileAndNeverDividesByAStep) {
  ProjectOutline outline = sandOverClay();
  // A zero-thickness clay layer at 10 ft (a thin layer snapped into a step).
  outline.layers = {{.top = 0, .bottom = 10, .frictionAngle = 30},
                 {.top = 10, .bottom = 10, .type = SoilType::Clay, .su = 5.0},
                 {.top = 10, .bottom = 20, .frictionAngle = 36}};
  const AnalysisInput input = makeInput(outline, UnitSystem::English);
  const IncrementTable table = buildIncrementTable(input, 25);  // 5 ft beyond the last point
  ASSERT_EQ(table.size(), 25u);
  for (std::size_t k = 0; k < table.size(); ++k) {
    EXPECT_TRUE(std::isfinite(table[k].frictionAngle)) << k;
    EXPECT_TRUE(table[k].isSand()) << k;
  }
  EXPECT_NEAR(table[10].frictionAngle, 36.0, kTight);
  EXPECT_NEAR(table[24].frictionAngle, 36.0, kTight);
  EXPECT_EQ(buildIncrementTable(input, 0).size(), 0u);
}

TEST(SoilProfile, BoundaryDepthsBelongToTheIncrementAbove) {
  const AnalysisInput input = makeInput(sandOverClay(), UnitSystem::English);
  const IncrementTable table = buildIncrementTable(input, 20);
  EXPECT_EQ(table.incrementAt(0.0), 0u);
  EXPECT_EQ(table.incrementAt(1.0), 0u);
  EXPECT_EQ(table.incrementAt(1.5), 1u);
  EXPECT_EQ(table.incrementAt(0.1 * 30.0), 2u);  // 3.0000000000000004 stays on the boundary
  EXPECT_EQ(table.incrementAt(99.0), 19u);

  PointArray values(table.size());
  values.setTop(1, 2.0);
  values.setBottom(1, 4.0);
  values.setEnd(0, 7.0);  // bottom of 0 and top of 1
  EXPECT_DOUBLE_EQ(values.top(1), 7.0);
  EXPECT_DOUBLE_EQ(values.interpolate(table, 1.0), 7.0);  // bottom of increment 0
  EXPECT_DOUBLE_EQ(values.interpolate(table, 1.5), 5.5);
  EXPECT_DOUBLE_EQ(values.interpolate(table, -1.0), 0.0);
}

}  // namespace
}  // namespace vorne
