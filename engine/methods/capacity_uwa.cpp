// UWA unit friction and end bearing; see capacity_uwa.h.
#include "methods/capacity_uwa.h"

#include <algorithm>
#include <cmath>

#include "methods/capacity_icp.h"
#include "methods/cone_resistance.h"

namespace vorne {

double uwaEffectiveAreaRatio(const AnalysisInput& input) {
  const double d = input.pile.outsideDiameter;
  const double di = input.pile.enhancedEndInsideDiameter;
  if (d <= 1.0e-10 || di <= 0.0) return 1.0;
  const double diMetres = di * (input.isEnglish() ? 0.0254 : 0.001);
  const double ifr = std::min(1.0, std::pow(diMetres / 1.5, 0.2));
  const double ratio = di / d;
  return std::clamp(1.0 - ifr * ratio * ratio, 0.0, 1.0);
}

double uwaShearModulus(double coneResistance, double effectiveStress, double pa) {
  // Without cone resistance there is no dilation: never 0 / 0.
  if (coneResistance <= 0.0) return 0.0;
  const double normalised =
      (coneResistance / pa) / std::sqrt(std::max(effectiveStress / pa, 1.0e-7));
  return 185.0 * coneResistance / std::pow(normalised, 0.75);
}

double uwaSandUnitFriction(double coneResistance,
                           double effectiveStress,
                           double frictionAngle,
                           double distanceFromTip,
                           const AnalysisInput& input) {
  const bool english = input.isEnglish();
  const double pa = atmosphericPressure(english);
  const double d = input.pile.outsideDiameter;
  const double normalisedDistance = d > 1.0e-10 ? std::max(distanceFromTip / d, 2.0) : 2.0;
  const double radial = 0.03 * coneResistance * std::pow(uwaEffectiveAreaRatio(input), 0.3) *
                        std::pow(normalisedDistance, -0.5);
  const double dilation = d > 1.0e-10 ? 4.0 * uwaShearModulus(coneResistance, effectiveStress, pa) *
                                            dilationRadius(english) / d
                                      : 0.0;
  const double f = (radial + dilation) * interfaceFrictionTan(frictionAngle);
  return input.loadingType == 1 ? 0.75 * f : f;
}

double uwaSandEndBearing(const IncrementProperties& row,
                         double coneResistance,
                         const AnalysisInput& input) {
  const double qc = coneResistance;
  const bool openUnplugged =
      input.pile.enhancedEndInsideDiameter >= 0.0001 && input.plugCondition != 1;
  const double q = std::max((0.15 + 0.45 * uwaEffectiveAreaRatio(input)) * qc,
                            (openUnplugged ? 0.15 : 0.3) * qc);
  return limitToMaxUnitBearing(q, row);
}

MethodUnitFriction computeUwaUnitFriction(const IncrementTable& table,
                                          const StressProfile& stress,
                                          const AnalysisInput& input,
                                          const std::vector<double>& coneResistance,
                                          std::vector<std::string>& messages) {
  MethodUnitFriction out{PointArray(table.size()), PointArray(table.size())};
  for (std::size_t k = 0; k < table.size(); ++k) {
    const IncrementProperties& row = table[k];
    if (row.isClay()) continue;
    const double h = distanceFromTip(input, row.topDepth);
    const double top = uwaSandUnitFriction(coneResistance[k], stress.effective.top(k),
                                           row.frictionAngle, h, input);
    const double bottom = uwaSandUnitFriction(coneResistance[k], stress.effective.bottom(k),
                                              row.frictionAngle, h, input);
    setFrictionPair(out, k, top, bottom);
  }
  addIcpClayFriction(table, stress, input, out, messages);
  return out;
}

ConeMethodResult computeUwaCapacity(const IncrementTable& table,
                                    const StressProfile& stress,
                                    const AnalysisInput& input) {
  ConeMethodResult out;
  const std::vector<double> qc = coneResistanceProfile(table, input);
  const MethodUnitFriction friction =
      computeUwaUnitFriction(table, stress, input, qc, out.messages);
  const PointArray endBearing = coneUnitEndBearing(table, input, qc, uwaSandEndBearing);
  out.capacity =
      assembleConeCapacity(CapacityIndex::Uwa, input, table, stress, friction, endBearing, qc);
  return out;
}

}  // namespace vorne
