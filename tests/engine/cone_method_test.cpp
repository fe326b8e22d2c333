// The four cone methods together: units agree after conversion, the tip pass takes qc on the
// annulus, the plasticity-index message, and no value ever NaN or infinite.
#include "methods/cone_method.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "engine/cone_fixtures.h"
#include "methods/capacity_fugro.h"
#include "methods/capacity_icp.h"
#include "methods/capacity_ngi.h"
#include "methods/capacity_uwa.h"

namespace vorne {
namespace {

using testing::buildConeRun;
using testing::ConeRun;
using testing::forceIn;
using testing::kFtToM;
using testing::LayerSpec;
using testing::nameOf;
using testing::ProjectOutline;
using testing::sandOverClay;
using testing::stressIn;

using ConeMethod = std::function<ConeMethodResult(
    const IncrementTable&, const StressProfile&, const AnalysisInput&)>;

struct NamedMethod {
  const char* name;
  ConeMethod compute;
};

const NamedMethod kMethods[] = {
    {"NGI", computeNgiCapacity},
    {"ICP/MTD", computeIcpCapacity},
    {"Fugro", computeFugroCapacity},
    {"UWA", computeUwaCapacity},
};

// Closed 24 in pile in tension over a CPT table (ft, ksf): clay without qc over sand without qc.
ProjectOutline closedPileOverCpt() {
  ProjectOutline outline;
  outline.outsideDiameter = 24.0;
  outline.length = 40.0;
  outline.loadingType = 1;
  outline.tensionReductionFactor = 0.8;
  outline.layers = {
      {.top = 0,
       .bottom = 15,
       .type = SoilType::Clay,
       .unitWeight = 40,
       .su = 0.8,
       .remoldedSu = 0.3,
       .blowCount = 1.5,
       .plasticityIndex = 45},
      {.top = 15, .bottom = 50, .unitWeight = 62, .frictionAngle = 32, .blowCount = 25},
  };
  return outline;
}

void addCptTable(AnalysisInput& input) {
  const bool si = !input.isEnglish();
  input.cpt.cptUnits = si ? 2 : 1;
  const double len = si ? kFtToM : 1.0;
  const UnitSystem units = si ? UnitSystem::Si : UnitSystem::English;
  for (double depth : {2.0, 10.0, 20.0, 35.0, 45.0}) {
    input.cpt.points.push_back({depth * len, stressIn(20.0 + 4.0 * depth, units)});
  }
}

TEST(ConeMethods, EnglishAndSiAgreeAfterConversion) {
  struct Project {
    const char* name;
    ProjectOutline outline;
    bool cpt;
  };
  const Project kProjects[] = {
      {"open pipe, sand over clay", sandOverClay(), false},
      {"closed pile in tension over a CPT table", closedPileOverCpt(), true},
  };
  for (const Project& p : kProjects) {
    SCOPED_TRACE(p.name);
    auto adjust = [&p](AnalysisInput& input) {
      if (p.cpt) addCptTable(input);
    };
    const ConeRun english = buildConeRun(p.outline, UnitSystem::English, adjust);
    const ConeRun si = buildConeRun(p.outline, UnitSystem::Si, adjust);
    for (const NamedMethod& m : kMethods) {
      SCOPED_TRACE(m.name);
      const CapacityProfile a = m.compute(english.table, english.stress, english.input).capacity;
      const CapacityProfile b = m.compute(si.table, si.stress, si.input).capacity;
      ASSERT_EQ(a.pointCount(), b.pointCount());
      EXPECT_GT(a.total.back(), 0.0);
      for (std::size_t j = 0; j < a.pointCount(); ++j) {
        SCOPED_TRACE(j);
        const double scale = 1e-5 * forceIn(std::max(a.total[j], 1.0), UnitSystem::Si);
        EXPECT_NEAR(b.skinFriction[j], forceIn(a.skinFriction[j], UnitSystem::Si), scale);
        // The self weight takes its water depth as 0.1 in either unit, so only end bearing
        // compares.
        if (!a.tension) {
          EXPECT_NEAR(b.tipValue[j], forceIn(a.tipValue[j], UnitSystem::Si), scale);
        }
        EXPECT_EQ(a.marker[j], b.marker[j]);
      }
    }
  }
}

TEST(ConeMethods, TipPassTakesTheConeResistanceOnTheAnnulus) {
  // Unplugged open 24 x 22.5 in pipe with its tip in the clay: no plug friction, and the annulus
  // carries qc = 15 su = 22.5 ksf (not the 9 su = 13.5 ksf of the end-bearing rule):
  // 22.5 * pi/4 (24^2 - 22.5^2) / 144 = 8.559605 kips.
  const double annulus = std::numbers::pi / 4.0 * (24.0 * 24.0 - 22.5 * 22.5) / 144.0;
  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    SCOPED_TRACE(nameOf(units));
    const ConeRun r =
        buildConeRun(sandOverClay(), units, [](AnalysisInput& input) { input.plugCondition = 2; });
    for (const NamedMethod& m : kMethods) {
      SCOPED_TRACE(m.name);
      const CapacityProfile c = m.compute(r.table, r.stress, r.input).capacity;
      EXPECT_NEAR(c.tipValue.back(), forceIn(22.5 * annulus, units),
                  1e-6 * forceIn(22.5 * annulus, units));
      EXPECT_EQ(c.marker.back(), TipMarker::Unplugged);
    }
  }
}

TEST(ConeMethods, MissingPlasticityIndexIsReportedByTheIcpClayRule) {
  ProjectOutline outline = sandOverClay();
  outline.layers[1].plasticityIndex = -1.0;
  const ConeRun r = buildConeRun(outline, UnitSystem::English);
  for (const NamedMethod& m : kMethods) {
    SCOPED_TRACE(m.name);
    const ConeMethodResult result = m.compute(r.table, r.stress, r.input);
    if (std::string(m.name) == "NGI") {
      EXPECT_TRUE(result.messages.empty());
      continue;
    }
    ASSERT_EQ(result.messages.size(), 50u);  // one per clay increment, 30..79 ft
    EXPECT_EQ(result.messages.front(), " ERROR - NO DATA FOUND FOR PLASTIC INDEX.");
    EXPECT_GT(result.capacity.skinFriction.back(), 0.0);  // goes on with delta = 34 deg
  }
}

// Projects at the edges of the input: weightless and strengthless layers, missing qc, PI and
// YSR, negative values the reader lets through, an inside diameter as wide as the pile, every
// plug condition, both loadings and both unit systems.
TEST(ConeMethods, NoValueIsEverNanOrInfinite) {
  std::vector<ProjectOutline> projects;
  {
    ProjectOutline outline;
    outline.length = 30.0;
    outline.layers = {
        {.top = 0, .bottom = 5, .unitWeight = 0},  // sigma'v = 0, phi = 0, qc = 0, N = 0
        {.top = 5, .bottom = 12, .type = SoilType::Clay, .unitWeight = 0},  // su = 0, stress 0
        {.top = 12,
         .bottom = 20,
         .type = SoilType::Clay,
         .unitWeight = 45,
         .su = 0.2,
         .remoldedSu = 0.4,
         .blowCount = -2,
         .plasticityIndex = -5},
        {.top = 20,
         .bottom = 40,
         .unitWeight = 65,
         .frictionAngle = 38,
         .blowCount = -10,
         .maxUnitFriction = 1.5,
         .maxUnitBearing = 0.0005,
         .coneResistance = -300},
    };
    projects.push_back(outline);
  }
  projects.push_back(sandOverClay());
  projects.push_back(closedPileOverCpt());

  for (UnitSystem units : {UnitSystem::English, UnitSystem::Si}) {
    for (const ProjectOutline& base : projects) {
      for (int variant = 0; variant < 12; ++variant) {
        ProjectOutline outline = base;
        outline.loadingType = variant % 2;
        outline.plugCondition = (variant / 2) % 3;
        const bool withCpt = variant >= 6;
        const double inside = variant % 4 == 3 ? outline.outsideDiameter : outline.insideDiameter;
        const ConeRun r = buildConeRun(outline, units, [&](AnalysisInput& input) {
          input.clayDrained = variant % 3 == 0 ? 1 : 0;
          input.pile.insideDiameter = inside * (units == UnitSystem::Si ? 25.4 : 1.0);
          input.pile.enhancedEndInsideDiameter = input.pile.insideDiameter;
          if (withCpt) addCptTable(input);
        });
        for (const NamedMethod& m : kMethods) {
          const CapacityProfile c = m.compute(r.table, r.stress, r.input).capacity;
          for (std::size_t j = 0; j < c.pointCount(); ++j) {
            const bool finite = std::isfinite(c.skinFriction[j]) && std::isfinite(c.tipValue[j]) &&
                                std::isfinite(c.total[j]) && std::isfinite(c.unitSkinFriction[j]);
            ASSERT_TRUE(finite) << m.name << ", " << nameOf(units) << ", variant " << variant
                                << ", grid point " << j;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace vorne
