// US Army Corps method; see capacity_usace.h.
#include "methods/capacity_usace.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

#include "methods/chart.h"
#include "methods/tip_capacity.h"

namespace vorne {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

constexpr std::array<double, 13> kChartAngles{0, 5, 10, 15, 20, 30, 32, 36, 38, 39, 40, 45, 50};
constexpr std::array<double, 13> kChartFactors{1.0, 1.6, 2.7, 4.4, 7.4, 23,   30,
                                               56,  68,  79,  88,  200, 415.1};

// A stored stress counts as set above this value [ksf | kPa].
constexpr double kStressSet = 1e-5;
// Depths closer than this are the same decimal depth [ft | m].
constexpr double kDepthTie = 1e-6;

}  // namespace

double usaceAdhesion(double undrainedShearStrength, bool english) {
  const double su = english ? undrainedShearStrength : undrainedShearStrength / kKpaPerKsf;
  if (su <= 0.5) return 1.0;
  if (su <= 1.5) return 1.0 - 0.5 * (su - 0.5);
  return 0.5;
}

double usaceInterfaceFrictionAngle(double frictionAngle, int pileType) {
  switch (pileType) {
    case 1:
    case 4:
    case 5:
    case 7:
      return 0.75 * frictionAngle;
    case 2:
      return 0.9 * frictionAngle;
    case 3:
      return 0.95 * frictionAngle;
    case 6:
      return 0.875 * frictionAngle;
    default:
      // Never negative: a sand without an angle carries no friction.
      return std::max(frictionAngle - 5.0, 0.0);
  }
}

double usaceBearingFactor(double frictionAngle) {
  return readCurve(kChartAngles, kChartFactors, frictionAngle);
}

UsaceCriticalDepth usaceCriticalDepth(const IncrementTable& table,
                                      const StressProfile& stress,
                                      const AnalysisInput& input) {
  UsaceCriticalDepth result;
  if (input.criticalDepthOption > 1) {
    result.hasDepth = true;
    result.depth = input.userCriticalDepth;
  } else if (input.criticalDepthOption == 1) {
    const double threshold = kCriticalDepthStress.of(input.isEnglish());
    for (std::size_t k = 0; k < table.size(); ++k) {
      if (stress.effective.bottom(k) > threshold) {
        result.hasDepth = true;
        result.depth = table[k].middleDepth();
        break;
      }
    }
  }
  return result;
}

MethodUnitFriction computeUsaceUnitFriction(const IncrementTable& table,
                                            const StressProfile& stress,
                                            const AnalysisInput& input) {
  const std::size_t count = table.size();
  MethodUnitFriction out{PointArray(count), PointArray(count)};
  for (std::size_t k = 0; k < count; ++k) {
    const IncrementProperties& row = table[k];
    if (row.isClay()) {
      const double alpha = usaceAdhesion(row.undrainedShearStrength, input.isEnglish());
      const double f = alpha * row.undrainedShearStrength;
      out.unitSkinFriction.setBoth(k, f);
      out.plugFriction.setTop(k, alpha * row.remoldedShearStrength);
      out.plugFriction.setBottom(k, f);
      continue;
    }
    const double slope =
        row.earthPressureCoefficient *
        std::tan(usaceInterfaceFrictionAngle(row.frictionAngle, input.pile.pileType) * kDegree);
    out.unitSkinFriction.setTop(k, slope * stress.capped.top(k));
    out.unitSkinFriction.setBottom(k, slope * stress.capped.bottom(k));
    out.plugFriction.setTop(k, out.unitSkinFriction.top(k));
    out.plugFriction.setBottom(k, out.unitSkinFriction.bottom(k));
  }
  return out;
}

namespace {

// The critical depths [ft | m] of the end-bearing walk, and whether it freezes the stress at all.
struct EndBearingDepths {
  bool freezes = true;
  double depth10 = 0.0;
  double depth15 = 0.0;
  double depth20 = 0.0;
};

// 1 + 10, 15 and 20 OD under option 0; the critical depth of the option in place of all three
// when the option is positive (none under option 1 without a depth: nothing freezes).
EndBearingDepths endBearingDepths(const AnalysisInput& input, const UsaceCriticalDepth& critical) {
  EndBearingDepths depths;
  const double diameter = input.outsideDiameterInDepthUnits();
  const double offset = kUsaceCriticalDepthOffset.of(input.isEnglish());
  depths.depth10 = offset + 10.0 * diameter;
  depths.depth15 = offset + 15.0 * diameter;
  depths.depth20 = offset + 20.0 * diameter;
  if (input.criticalDepthOption > 0) {
    depths.freezes = critical.hasDepth;
    depths.depth10 = depths.depth15 = depths.depth20 = critical.depth;
  }
  return depths;
}

PointArray walkEndBearing(const IncrementTable& table,
                          const StressProfile& stress,
                          const EndBearingDepths& depths,
                          UsaceStoredStresses& stored) {
  const std::size_t count = table.size();
  PointArray bearing(count);
  double frozen = 0.0;  // sigma_f, per walk
  for (std::size_t k = 0; k < count; ++k) {
    const IncrementProperties& row = table[k];
    const double phi = row.frictionAngle;
    const double top = row.topDepth;
    const double cappedBottom = stress.capped.bottom(k);
    // The walk runs over every increment, clay included (its angle is 0, so past 1 + 10 OD it
    // freezes the capped clay stress that the sand below then uses), as the critical depths are
    // measured from the surface whatever the layering.
    // Depths compare as decimal depths: an increment top on a critical depth is not past it in
    // either unit system.
    if (depths.freezes) {
      if (phi <= 33.0 && top > depths.depth10 + kDepthTie && frozen < kStressSet) {
        frozen = cappedBottom;
      }
      if (phi > 33.0 && top > depths.depth15 + kDepthTie) {
        if (stored.at15Diameters < kStressSet && phi <= 36.0) stored.at15Diameters = cappedBottom;
        frozen = stored.at15Diameters;
      }
      if (phi > 36.0 && top > depths.depth20 + kDepthTie) {
        if (stored.at20Diameters < kStressSet) stored.at20Diameters = cappedBottom;
        frozen = stored.at20Diameters;
      }
    }
    if (row.isClay()) {
      bearing.setBoth(k, 9.0 * row.undrainedShearStrength);
      continue;
    }
    const double nq = usaceBearingFactor(phi);
    double qTop = nq * stress.effective.top(k);
    double qBottom = nq * stress.effective.bottom(k);
    if (frozen > kStressSet && stress.effective.bottom(k) > frozen) {
      qTop = nq * frozen;
      qBottom = qTop;
    }
    if (!isUnlimitedValue(row.maxUnitBearing) && row.maxUnitBearing > 0.001) {
      qTop = std::min(qTop, row.maxUnitBearing);
      qBottom = std::min(qBottom, row.maxUnitBearing);
    }
    bearing.setTop(k, qTop);
    bearing.setBottom(k, qBottom);
  }
  return bearing;
}

}  // namespace

PointArray usaceUnitEndBearing(const IncrementTable& table,
                               const StressProfile& stress,
                               const AnalysisInput& input,
                               UsaceStoredStresses& stored) {
  return walkEndBearing(table, stress,
                        endBearingDepths(input, usaceCriticalDepth(table, stress, input)), stored);
}

void runUsaceTipPrePass(const IncrementTable& table,
                        const StressProfile& stress,
                        const AnalysisInput& input,
                        UsaceStoredStresses& stored) {
  // Before the method has run, option 1 has only the critical depth of the stress profile.
  UsaceCriticalDepth critical = usaceCriticalDepth(table, stress, input);
  if (input.criticalDepthOption == 1) {
    critical.hasDepth = stress.hasCriticalDepth;
    critical.depth = stress.criticalDepth;
  }
  walkEndBearing(table, stress, endBearingDepths(input, critical), stored);
}

CapacityProfile computeUsaceCapacity(const IncrementTable& table,
                                     const StressProfile& stress,
                                     const AnalysisInput& input,
                                     UsaceStoredStresses& stored) {
  const MethodUnitFriction friction = computeUsaceUnitFriction(table, stress, input);
  std::vector<double> limits(table.size());
  for (std::size_t k = 0; k < table.size(); ++k) limits[k] = table[k].maxUnitFriction;
  const SkinFrictionProfile skin =
      integrateSkinFriction(input, table, friction.unitSkinFriction, limits);
  const PointArray bearing = usaceUnitEndBearing(table, stress, input, stored);
  TipPassInput method;
  method.index = CapacityIndex::Usace;
  method.unitEndBearing = &bearing;
  method.plugFriction = &friction.plugFriction;
  return computeTipCapacity(input, table, stress, skin, method);
}

}  // namespace vorne
