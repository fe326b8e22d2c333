// Fugro unit friction and end bearing; see capacity_fugro.h.
#include "methods/capacity_fugro.h"

#include <algorithm>
#include <cmath>

#include "methods/capacity_icp.h"
#include "methods/cone_resistance.h"

namespace vorne {

double fugroEquivalentRadius(const AnalysisInput& input) {
  const double od = input.pile.outsideDiameter;
  if (od <= 1.0e-10) return 0.0;
  const double ratio = input.pile.enhancedEndInsideDiameter / od;
  return od / 2.0 * std::sqrt(std::max(1.0 - ratio * ratio, 0.0));
}

double fugroSandUnitFriction(double coneResistance,
                             double effectiveStress,
                             double distanceFromTip,
                             double equivalentRadius,
                             bool tension,
                             double pa) {
  const double stressRatio = std::max(effectiveStress, 0.0) / pa;
  const double distance = distanceFromTip / std::max(equivalentRadius, 1.0e-10);
  if (tension) {
    return 0.045 * coneResistance * std::pow(stressRatio, 0.15) *
           std::pow(std::max(distance, 4.0), -0.85);
  }
  const double f = 0.08 * coneResistance * std::pow(stressRatio, 0.05) * std::pow(distance, -0.9);
  // Near the tip the friction falls off linearly in h rather than growing as (h/R*)^-0.9.
  return distance > 4.0 ? f : f * distance / 4.0;
}

double fugroSandEndBearing(const IncrementProperties& row,
                           double coneResistance,
                           const AnalysisInput& input) {
  const double qc = coneResistance;
  const double diameter = std::max(outsideDiameterMm(input), 1.0e-10);
  const double ratio = std::log10(diameter / 36.0);
  const bool large = diameter > 900.0;
  double q = 0.0;
  if (input.pile.enhancedEndInsideDiameter >= 0.0001 || input.plugCondition == 1) {
    q = qc * (0.5 - 0.25 * ratio);
    if (large) q = std::max(q, 0.15 * qc);
  } else {
    q = qc * (1.0 - 0.5 * ratio);
    if (large) q = std::max(q, 0.3 * qc);
  }
  return limitToMaxUnitBearing(q, row);
}

MethodUnitFriction computeFugroUnitFriction(const IncrementTable& table,
                                            const StressProfile& stress,
                                            const AnalysisInput& input,
                                            const std::vector<double>& coneResistance,
                                            std::vector<std::string>& messages) {
  const double pa = atmosphericPressure(input.isEnglish());
  const double radius = fugroEquivalentRadius(input);
  const bool tension = input.loadingType == 1;
  MethodUnitFriction out{PointArray(table.size()), PointArray(table.size())};
  for (std::size_t k = 0; k < table.size(); ++k) {
    const IncrementProperties& row = table[k];
    if (row.isClay()) continue;
    const double h = distanceFromTip(input, row.topDepth);
    const double top =
        fugroSandUnitFriction(coneResistance[k], stress.effective.top(k), h, radius, tension, pa);
    const double bottom = fugroSandUnitFriction(coneResistance[k], stress.effective.bottom(k), h,
                                                radius, tension, pa);
    setFrictionPair(out, k, top, bottom);
  }
  addIcpClayFriction(table, stress, input, out, messages);
  return out;
}

ConeMethodResult computeFugroCapacity(const IncrementTable& table,
                                      const StressProfile& stress,
                                      const AnalysisInput& input) {
  ConeMethodResult out;
  const std::vector<double> qc = coneResistanceProfile(table, input);
  const MethodUnitFriction friction =
      computeFugroUnitFriction(table, stress, input, qc, out.messages);
  const PointArray endBearing = coneUnitEndBearing(table, input, qc, fugroSandEndBearing);
  out.capacity =
      assembleConeCapacity(CapacityIndex::Fugro, input, table, stress, friction, endBearing, qc);
  return out;
}

}  // namespace vorne
