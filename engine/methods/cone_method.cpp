// Shared parts of the cone-based offshore methods; see cone_method.h.
#include "methods/cone_method.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "methods/tip_capacity.h"

namespace vorne {

double distanceFromTip(const AnalysisInput& input, double depth) {
  const double scale = input.isEnglish() ? 12.0 : 1000.0;
  return std::max((input.embeddedLength() - depth) * scale, 1.0e-5);
}

double limitToMaxUnitBearing(double unitEndBearing, const IncrementProperties& row) {
  if (isUnlimitedValue(row.maxUnitBearing) || row.maxUnitBearing <= 0.001) return unitEndBearing;
  return std::min(unitEndBearing, row.maxUnitBearing);
}

double interfaceFrictionTan(double frictionAngle) {
  return std::tan(std::max(frictionAngle - 5.0, 0.0) * std::numbers::pi / 180.0);
}

void setFrictionPair(MethodUnitFriction& friction, std::size_t k, double top, double bottom) {
  friction.unitSkinFriction.setTop(k, top);
  friction.unitSkinFriction.setBottom(k, bottom);
  friction.plugFriction.setTop(k, top);
  friction.plugFriction.setBottom(k, bottom);
}

CapacityProfile assembleConeCapacity(CapacityIndex index,
                                     const AnalysisInput& input,
                                     const IncrementTable& table,
                                     const StressProfile& stress,
                                     const MethodUnitFriction& friction,
                                     const PointArray& endBearing,
                                     const std::vector<double>& coneResistance) {
  std::vector<double> limits(table.size());
  for (std::size_t k = 0; k < table.size(); ++k) limits[k] = table[k].maxUnitFriction;
  const SkinFrictionProfile skin =
      integrateSkinFriction(input, table, friction.unitSkinFriction, limits);

  PointArray annulusBearing(table.size());
  for (std::size_t k = 0; k < table.size(); ++k) annulusBearing.setBoth(k, coneResistance[k]);

  TipPassInput method;
  method.index = index;
  method.unitEndBearing = &endBearing;
  method.plugFriction = &friction.plugFriction;
  method.coneAnnulusBearing = &annulusBearing;
  return computeTipCapacity(input, table, stress, skin, method);
}

}  // namespace vorne
