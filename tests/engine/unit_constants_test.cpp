// The constants given once per unit system: each SI value is its English source converted, checked
// against the conversion worked out by hand.
#include "methods/unit_constants.h"

#include <gtest/gtest.h>

namespace vorne {
namespace {

TEST(UnitConstants, EachSiValueIsTheConversionOfItsEnglishSource) {
  struct Case {
    const char* name;
    UnitConstant constant;
    double english;
    double si;  // by hand: in 0.0254 m, ft 0.3048 m, kip 4.4482216 kN, kcf 157.087464 kN/m3
  };
  const Case kCases[] = {
      {"settlement tolerance [in | m]", kSettlementTolerance, 0.0001, 2.54e-6},
      {"stick-up station offset [in | m]", kStickupStationOffset, 0.1, 0.00254},
      {"soil station bottom offset [in | m]", kSoilStationBottomOffset, 0.5, 0.0127},
      {"soil station middle offset [in | m]", kSoilStationMiddleOffset, 1.1, 0.02794},
      {"station interval thickness [ft | m]", kStationIntervalThickness, 0.11, 0.033528},
      {"slope friction threshold [kip | kN]", kSlopeFrictionThreshold, 1e-5, 4.4482216e-5},
      {"psf per psi | kPa", kPsfPerUnitTransfer, 144.0, 20.885434},
      {"critical-depth stress [ksf | kPa]", kCriticalDepthStress, 3.5, 167.580906},
      {"USACE critical-depth offset [ft | m]", kUsaceCriticalDepthOffset, 1.0, 0.3048},
      {"timber [kcf | kN/m3]", kTimberUnitWeight, 0.05, 7.8543732},
      {"precast concrete [kcf | kN/m3]", kConcreteUnitWeight, 0.15, 23.5631196},
      {"steel [kcf | kN/m3]", kSteelUnitWeight, 0.49, 76.9728574},
      {"water [kcf | kN/m3]", kWaterUnitWeight, 0.0624, 9.8022578},
      {"shallow water depth [ft | m]", kShallowWaterDepth, 1.0, 0.3048},
      {"default water depth [ft | m]", kDefaultWaterDepth, 0.1, 0.03048},
      {"atmospheric pressure [ksf | kPa]", kAtmosphericPressure, 2.088555, 100.000554},
      {"dilation radius [in | mm]", kDilationRadius, 0.0007874, 0.01999996},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.constant.of(true), c.english);
    // Eight significant digits of the hand conversion.
    EXPECT_NEAR(c.constant.of(false), c.si, 5e-8 * c.si);
  }
  EXPECT_NEAR(kKpaPerKsf, 47.880259, 1e-6);
  EXPECT_NEAR(kKpaPerPsi, 6.8947573, 1e-7);
}

}  // namespace
}  // namespace vorne
