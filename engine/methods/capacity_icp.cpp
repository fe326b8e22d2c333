// ICP/MTD unit friction, the cone methods' clay rules and end bearing; see capacity_icp.h.
#include "methods/capacity_icp.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "methods/cone_resistance.h"

namespace vorne {

namespace {

constexpr double kConeDiameterMm = 36.0;

// Interface friction angle [deg] at PI = 0, 5, ..., 80 (Jardine et al., 2005, fig. 2.11).
constexpr std::array<double, 17> kClayInterfaceAngles{
    34, 32, 29, 27, 24.5, 22.5, 20, 18.5, 17, 15.2, 14.7, 13, 12.3, 11.5, 10, 9.2, 8.5};

}  // namespace

double icpEquivalentRadius(const AnalysisInput& input) {
  const double od = input.pile.outsideDiameter;
  const double ide = input.pile.enhancedEndInsideDiameter;
  return std::sqrt(std::max(0.25 * (od * od - ide * ide), 0.0));
}

double icpNormalisedDistance(const AnalysisInput& input, double depth) {
  const double radius = std::max(icpEquivalentRadius(input), 1.0e-10);
  return std::max(distanceFromTip(input, depth) / radius, 8.0);
}

double icpShearModulus(double coneResistance, double effectiveStress, double pa) {
  if (coneResistance <= 0.0) return 0.0;
  const double stress = std::max(effectiveStress, 1.0e-10);
  const double eta = std::min(coneResistance / std::sqrt(stress * pa), kIcpShearModulusRatioCap);
  return coneResistance / (0.0203 + 0.00125 * eta - 1.216e-6 * eta * eta);
}

double icpClayInterfaceAngle(double plasticityIndex) {
  if (plasticityIndex <= 0.0) return kClayInterfaceAngles.front();
  if (plasticityIndex >= 80.0) return kClayInterfaceAngles.back();
  const double position = plasticityIndex / 5.0;
  const auto i = static_cast<std::size_t>(position);
  const double t = position - static_cast<double>(i);
  return kClayInterfaceAngles[i] + (kClayInterfaceAngles[i + 1] - kClayInterfaceAngles[i]) * t;
}

IcpClayFriction icpClayUnitFriction(const IncrementProperties& row,
                                    double topStress,
                                    double bottomStress,
                                    const AnalysisInput& input) {
  const double su = row.undrainedShearStrength;
  const double remolded = row.remoldedShearStrength;
  // Sensitivity only where both strengths are known and the soil loses strength on remolding;
  // otherwise log10 would meet a zero or give a gain.
  const double sensitivity =
      su > 0.0 && remolded > 0.0 && su > remolded ? std::log10(su / remolded) : 0.0;
  const double ysr = std::max(row.blowCountOrYsr, 0.0);
  const double kc = (2.0 - 0.625 * sensitivity) * std::pow(ysr, 0.42) *
                    std::pow(icpNormalisedDistance(input, row.topDepth), -0.2);
  const double tanDelta =
      std::tan(icpClayInterfaceAngle(row.plasticityIndex) * std::numbers::pi / 180.0);
  IcpClayFriction out;
  out.top = 0.8 * kc * topStress * tanDelta;
  out.bottom = 0.8 * kc * std::max(bottomStress, 1.0e-10) * tanDelta;
  out.missingPlasticityIndex = row.plasticityIndex < 0.0;
  return out;
}

double coneClayEndBearing(const IncrementProperties& row,
                          double coneResistance,
                          const AnalysisInput& input) {
  const bool drained = input.clayDrained == 1;
  const double qc = coneResistance;
  double q = drained ? 1.3 * qc : 0.8 * qc;
  if (input.plugCondition == 1) {
    q = drained ? 0.65 * qc : 0.4 * qc;
  } else if (input.pile.enhancedEndInsideDiameter >= 1.0e-6) {
    if (input.plugCondition == 2) {
      q = drained ? 1.6 * qc : qc;
    } else {
      q = 9.0 * row.undrainedShearStrength;
    }
  }
  return limitToMaxUnitBearing(q, row);
}

void addIcpClayFriction(const IncrementTable& table,
                        const StressProfile& stress,
                        const AnalysisInput& input,
                        MethodUnitFriction& friction,
                        std::vector<std::string>& messages) {
  for (std::size_t k = 0; k < table.size(); ++k) {
    const IncrementProperties& row = table[k];
    if (!row.isClay()) continue;
    const IcpClayFriction f =
        icpClayUnitFriction(row, stress.effective.top(k), stress.effective.bottom(k), input);
    if (f.missingPlasticityIndex) messages.emplace_back(kNoPlasticityIndexMessage);
    setFrictionPair(friction, k, f.top, f.bottom);
  }
}

MethodUnitFriction computeIcpUnitFriction(const IncrementTable& table,
                                          const StressProfile& stress,
                                          const AnalysisInput& input,
                                          const std::vector<double>& coneResistance,
                                          std::vector<std::string>& messages) {
  const bool english = input.isEnglish();
  const double pa = atmosphericPressure(english);
  const double od = input.pile.outsideDiameter;
  const bool tension = input.loadingType == 1;
  const double openEndFactor = tension && isOpenEnded(input, 1.0e-5) ? 0.9 : 1.0;
  MethodUnitFriction out{PointArray(table.size()), PointArray(table.size())};
  for (std::size_t k = 0; k < table.size(); ++k) {
    const IncrementProperties& row = table[k];
    if (row.isClay()) continue;
    const double qc = coneResistance[k];
    const double distanceFactor = std::pow(icpNormalisedDistance(input, row.topDepth), -0.38);
    const double dilation = od > 1.0e-10
                                ? 2.0 * icpShearModulus(qc, stress.effective.bottom(k), pa) *
                                      dilationRadius(english) / (od / 2.0)
                                : 0.0;
    const double tanDelta = interfaceFrictionTan(row.frictionAngle);
    auto friction = [&](double effectiveStress) {
      const double radial =
          0.029 * qc * std::pow(std::max(effectiveStress, 0.0) / pa, 0.13) * distanceFactor;
      if (!tension) return (radial + dilation) * tanDelta;
      return (0.8 * radial + dilation) * tanDelta * openEndFactor;
    };
    setFrictionPair(out, k, friction(stress.effective.top(k)),
                    friction(stress.effective.bottom(k)));
  }
  addIcpClayFriction(table, stress, input, out, messages);
  return out;
}

double outsideDiameterMm(const AnalysisInput& input) {
  return input.pile.outsideDiameter * (input.isEnglish() ? 25.4 : 1.0);
}

double icpSandEndBearing(const IncrementProperties& row,
                         double coneResistance,
                         const AnalysisInput& input) {
  const double qc = coneResistance;
  // A pile without a diameter is held at 1e-10 mm: a large finite ratio, never log10(0).
  const double diameter = std::max(outsideDiameterMm(input), 1.0e-10);
  const double ratio = std::log10(diameter / kConeDiameterMm);
  const bool large = diameter > 900.0;
  double q = 0.0;
  if (input.pile.enhancedEndInsideDiameter >= 0.0001) {
    q = qc * (0.5 - 0.25 * ratio);
    if (large) q = std::max(q, 0.15 * qc);
    if (input.plugCondition == 2) q = qc;
  } else {
    q = qc * (1.0 - 0.5 * ratio);
    if (large) q = std::max(q, 0.3 * qc);
  }
  return limitToMaxUnitBearing(q, row);
}

PointArray coneUnitEndBearing(const IncrementTable& table,
                              const AnalysisInput& input,
                              const std::vector<double>& coneResistance,
                              SandEndBearingRule sandRule) {
  PointArray q(table.size());
  for (std::size_t k = 0; k < table.size(); ++k) {
    const IncrementProperties& row = table[k];
    q.setBoth(k, row.isClay() ? coneClayEndBearing(row, coneResistance[k], input)
                              : sandRule(row, coneResistance[k], input));
  }
  return q;
}

ConeMethodResult computeIcpCapacity(const IncrementTable& table,
                                    const StressProfile& stress,
                                    const AnalysisInput& input) {
  ConeMethodResult out;
  const std::vector<double> qc = coneResistanceProfile(table, input);
  const MethodUnitFriction friction =
      computeIcpUnitFriction(table, stress, input, qc, out.messages);
  const PointArray endBearing = coneUnitEndBearing(table, input, qc, icpSandEndBearing);
  out.capacity =
      assembleConeCapacity(CapacityIndex::IcpMtd, input, table, stress, friction, endBearing, qc);
  return out;
}

}  // namespace vorne
