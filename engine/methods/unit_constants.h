// The constants of the computations that come in one value per unit system. English values are
// the base: each SI value is the same physical quantity, its English source times the exact
// factor, so that one pile gives one answer in either system. (The published SI tables of the API
// limits are the one exception; they stay as published, see capacity_api.cpp.)
#ifndef VORNE_ENGINE_METHODS_UNIT_CONSTANTS_H
#define VORNE_ENGINE_METHODS_UNIT_CONSTANTS_H

namespace vorne {

// Exact factors from English to SI units.
inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kMetresPerInch = 0.0254;
inline constexpr double kKnPerKip = 4.4482216152605;
inline constexpr double kKpaPerKsf = kKnPerKip / (kMetresPerFoot * kMetresPerFoot);  // 47.880259
inline constexpr double kKpaPerPsi = kKpaPerKsf * 144.0 / 1000.0;                    // 6.894757
inline constexpr double kKnPerCubicMetrePerKcf =
    kKnPerKip / (kMetresPerFoot * kMetresPerFoot * kMetresPerFoot);  // 157.087464
inline constexpr double kSquareMetresPerSquareFoot = kMetresPerFoot * kMetresPerFoot;

// One constant in the English and the SI unit of the run.
struct UnitConstant {
  double english;
  double si;

  constexpr double of(bool isEnglish) const { return isEnglish ? english : si; }
};

// Load-settlement: two successive middle movements agree within this [in | m].
inline constexpr UnitConstant kSettlementTolerance{0.0001, 0.0001 * kMetresPerInch};

// t-z stations [in | m]: the bottom stick-up station lies this far above the ground, a soil
// interval's bottom station this far above its bottom, and its middle station half of this below
// the midpoint of its top and bottom stations.
inline constexpr UnitConstant kStickupStationOffset{0.1, 0.1 * kMetresPerInch};
inline constexpr UnitConstant kSoilStationBottomOffset{0.5, 0.5 * kMetresPerInch};
inline constexpr UnitConstant kSoilStationMiddleOffset{1.1, 1.1 * kMetresPerInch};
// A soil interval gets stations from this thickness on [ft | m].
inline constexpr UnitConstant kStationIntervalThickness{0.11, 0.11 * kMetresPerFoot};
// The central slope of the skin friction needs at least this much gathered above [kip | kN].
inline constexpr UnitConstant kSlopeFrictionThreshold{1.0e-5, 1.0e-5 * kKnPerKip};
// psf per unit of t in the run [psi | kPa], for the hyperbolic sand curve tabulated in psf.
inline constexpr UnitConstant kPsfPerUnitTransfer{144.0, 1000.0 / kKpaPerKsf};

// Critical depth option 1: the effective stress that places it [ksf | kPa].
inline constexpr UnitConstant kCriticalDepthStress{3.5, 3.5 * kKpaPerKsf};
// USACE end bearing: the offset of the critical depths 1 + 10, 15 and 20 OD [ft | m].
inline constexpr UnitConstant kUsaceCriticalDepthOffset{1.0, kMetresPerFoot};

// Self weight [kcf | kN/m3]: timber, precast concrete, every other pile (steel), and water.
inline constexpr UnitConstant kTimberUnitWeight{0.05, 0.05 * kKnPerCubicMetrePerKcf};
inline constexpr UnitConstant kConcreteUnitWeight{0.15, 0.15 * kKnPerCubicMetrePerKcf};
inline constexpr UnitConstant kSteelUnitWeight{0.49, 0.49 * kKnPerCubicMetrePerKcf};
inline constexpr UnitConstant kWaterUnitWeight{0.0624, 0.0624 * kKnPerCubicMetrePerKcf};
// Water depth for the self weight [ft | m]: a depth below the first value is taken as the second.
inline constexpr UnitConstant kShallowWaterDepth{1.0, kMetresPerFoot};
inline constexpr UnitConstant kDefaultWaterDepth{0.1, 0.1 * kMetresPerFoot};

// Cone methods: atmospheric pressure pa [ksf | kPa] (100.00055 kPa) and the dilation radius of
// the pile-soil interface [in | mm] (0.02 mm, Jardine et al., 2005).
inline constexpr UnitConstant kAtmosphericPressure{2.088555, 2.088555 * kKpaPerKsf};
inline constexpr UnitConstant kDilationRadius{0.0007874, 0.0007874 * kMetresPerInch * 1000.0};

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_UNIT_CONSTANTS_H
