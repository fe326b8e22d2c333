// User-specified unit load transfers; see capacity_user.h.
#include "methods/capacity_user.h"

#include <algorithm>
#include <cstddef>
#include <numbers>
#include <vector>

#include "methods/tip_capacity.h"

namespace vorne {

bool hasUserLoadTransfers(const IncrementTable& table) {
  return std::any_of(table.begin(), table.end(), [](const IncrementProperties& row) {
    return row.userUnitSkinFriction != 0.0 || row.userUnitEndBearing != 0.0;
  });
}

CapacityProfile computeUserCapacity(const IncrementTable& table,
                                    const StressProfile& stress,
                                    const AnalysisInput& input) {
  const std::size_t n = penetrationIntervals(input);
  const double dz = input.pile.lengthIncrement;
  const double diameter = input.outsideDiameterInDepthUnits();
  const double area = input.pile.noncircularTipArea > 0.0001
                          ? input.pile.noncircularTipArea
                          : std::numbers::pi / 4.0 * diameter * diameter;
  const double perimeter = std::numbers::pi * diameter;

  SkinFrictionProfile skin;
  skin.penetration.resize(n + 1);
  skin.unitSkinFriction.assign(n + 1, 0.0);
  skin.unfactored.assign(n + 1, 0.0);
  skin.reduced.assign(n + 1, 0.0);
  std::vector<double> tip(n + 1, 0.0);
  for (std::size_t j = 0; j <= n; ++j) {
    skin.penetration[j] = static_cast<double>(j) * dz;
    if (table.empty()) continue;
    const IncrementProperties& row = table[table.incrementAt(skin.penetration[j])];
    tip[j] = area * row.userUnitEndBearing;
    skin.unitSkinFriction[j] = row.userUnitSkinFriction;
    if (j == 0) continue;
    const double step = dz * perimeter * row.userUnitSkinFriction;
    skin.unfactored[j] = skin.unfactored[j - 1] + step;
    skin.reduced[j] = skin.reduced[j - 1] + step * row.sideResistanceFactor;
  }
  // The user's values come with their own resistance factors, applied whatever the choice of
  // reduced or unfactored friction for the other methods.
  skin.skinFriction = skin.reduced;

  if (input.loadingType == 1) {
    // The self weight replaces the tip; the friction is taken as entered.
    AnalysisInput unreduced = input;
    unreduced.tensionReductionFactor = 1.0;
    const PointArray noBearing(table.size());
    TipPassInput method;
    method.index = CapacityIndex::UserTension;
    method.unitEndBearing = &noBearing;
    return computeTipCapacity(unreduced, table, stress, skin, method);
  }

  CapacityProfile out;
  out.index = CapacityIndex::UserTension;
  out.computed = true;
  out.penetration = skin.penetration;
  out.skinFriction = skin.skinFriction;
  out.unitSkinFriction = skin.unitSkinFriction;
  out.tipValue = tip;
  out.marker.assign(n + 1, TipMarker::Plugged);
  out.total.resize(n + 1);
  for (std::size_t j = 0; j <= n; ++j) out.total[j] = out.skinFriction[j] + tip[j];
  return out;
}

}  // namespace vorne
