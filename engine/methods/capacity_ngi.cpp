// NGI unit friction and unit end bearing; see capacity_ngi.h.
#include "methods/capacity_ngi.h"

#include <algorithm>
#include <cmath>

#include "methods/cone_resistance.h"

namespace vorne {

namespace {

constexpr double kRelativeDensityFloor = 0.200001;

}  // namespace

double ngiRelativeDensity(double coneResistance, double effectiveStress, double pa) {
  if (coneResistance <= 0.0) return kRelativeDensityFloor;
  const double stress = std::max(effectiveStress, 1.0e-10);
  return 0.4 * std::log(coneResistance / (22.0 * std::sqrt(stress * pa)));
}

double ngiSandPileFactor(const AnalysisInput& input) {
  const double tip = isOpenEnded(input, 1.0e-5) ? 1.0 : 1.6;
  const double load = input.loadingType == 1 ? 1.0 : 1.3;
  const int type = input.pile.pileType;
  const double material = type == 2 || type == 3 ? 1.2 : 1.0;
  return tip * load * material;
}

double ngiSandUnitFriction(double coneResistance,
                           double effectiveStress,
                           double topDepth,
                           double embeddedLength,
                           double pileFactor,
                           double pa) {
  // At zero stress Fsig is 0 while Dr grows without bound: no friction, never 0 times infinity.
  if (effectiveStress <= 0.0) return 0.0;
  const double dr =
      std::max(ngiRelativeDensity(coneResistance, effectiveStress, pa), kRelativeDensityFloor);
  const double fdr = 2.1 * std::pow(dr - 0.1, 1.7);
  const double fsig = std::pow(effectiveStress / pa, 0.25);
  return topDepth / embeddedLength * pa * fdr * fsig * pileFactor;
}

NgiClayFriction ngiClayUnitFriction(double undrainedShearStrength,
                                    double remoldedShearStrength,
                                    double plasticityIndex,
                                    double bottomStress,
                                    bool openEnded) {
  const double stress = std::max(bottomStress, 1.0e-10);
  const double psi = std::max(undrainedShearStrength / stress, 1.0e-10);
  const double tipFactor = openEnded ? 1.0 : 0.8 + 0.2 * std::sqrt(psi);
  NgiClayFriction out;
  if (psi < 0.25) {
    const double pi = plasticityIndex <= 10.0 ? 10.000001 : plasticityIndex;
    out.unitFriction = 0.08 * std::pow(pi - 10.0, 0.3) * stress;
    out.plugFriction = out.unitFriction;
  } else if (psi > 1.0) {
    const double alpha = 0.5 * std::pow(psi, -0.3);
    out.unitFriction = alpha * undrainedShearStrength * tipFactor;
    out.plugFriction = alpha * remoldedShearStrength * tipFactor;
  } else {
    const double pi = plasticityIndex < 12.0 ? 12.000001 : plasticityIndex;
    const double alpha1 = 0.5 * std::pow(psi, -0.3);
    const double alpha2 = 0.32 * std::pow(pi - 10.0, 0.3);
    const double alpha = alpha2 + (alpha1 - alpha2) * (psi - 0.25) / 0.75;
    const double minimum = 0.06 * std::pow(pi - 12.0, 0.33) * stress;
    out.unitFriction = std::max(alpha * undrainedShearStrength * tipFactor, minimum);
    out.plugFriction = std::max(alpha * remoldedShearStrength * tipFactor, minimum);
  }
  return out;
}

MethodUnitFriction computeNgiUnitFriction(const IncrementTable& table,
                                          const StressProfile& stress,
                                          const AnalysisInput& input,
                                          const std::vector<double>& coneResistance) {
  const double pa = atmosphericPressure(input.isEnglish());
  const double pileFactor = ngiSandPileFactor(input);
  const bool openEnded = isOpenEnded(input, 1.0e-5);
  const double length = input.embeddedLength();
  MethodUnitFriction out{PointArray(table.size()), PointArray(table.size())};
  for (std::size_t k = 0; k < table.size(); ++k) {
    const IncrementProperties& row = table[k];
    if (row.isClay()) {
      const NgiClayFriction f =
          ngiClayUnitFriction(row.undrainedShearStrength, row.remoldedShearStrength,
                              row.plasticityIndex, stress.effective.bottom(k), openEnded);
      out.unitSkinFriction.setBoth(k, f.unitFriction);
      out.plugFriction.setTop(k, f.plugFriction);
      out.plugFriction.setBottom(k, f.unitFriction);
    } else {
      const double qc = coneResistance[k];
      const double top =
          ngiSandUnitFriction(qc, stress.effective.top(k), row.topDepth, length, pileFactor, pa);
      const double bottom =
          ngiSandUnitFriction(qc, stress.effective.bottom(k), row.topDepth, length, pileFactor, pa);
      setFrictionPair(out, k, top, bottom);
    }
  }
  return out;
}

PointArray ngiUnitEndBearing(const IncrementTable& table,
                             const StressProfile& stress,
                             const AnalysisInput& input,
                             const std::vector<double>& coneResistance) {
  const double pa = atmosphericPressure(input.isEnglish());
  const bool openEnded = isOpenEnded(input, 0.0001);
  PointArray q(table.size());
  auto sandBearing = [&](const IncrementProperties& row, double qc, double effectiveStress) {
    // As sigma'v goes to 0, Dr grows without bound and q goes to 0.
    if (qc <= 0.0 || effectiveStress <= 0.0) return 0.0;
    const double dr = ngiRelativeDensity(qc, effectiveStress, pa);
    const double bearing =
        openEnded ? 0.7 * qc / (1.0 + 3.0 * dr * dr) : 0.8 * qc / (1.0 + dr * dr);
    return limitToMaxUnitBearing(bearing, row);
  };
  for (std::size_t k = 0; k < table.size(); ++k) {
    const IncrementProperties& row = table[k];
    if (row.isClay()) {
      q.setBoth(k, 9.0 * row.undrainedShearStrength);
    } else {
      q.setTop(k, sandBearing(row, coneResistance[k], stress.effective.top(k)));
      q.setBottom(k, sandBearing(row, coneResistance[k], stress.effective.bottom(k)));
    }
  }
  return q;
}

ConeMethodResult computeNgiCapacity(const IncrementTable& table,
                                    const StressProfile& stress,
                                    const AnalysisInput& input) {
  const std::vector<double> qc = coneResistanceProfile(table, input);
  const MethodUnitFriction friction = computeNgiUnitFriction(table, stress, input, qc);
  const PointArray endBearing = ngiUnitEndBearing(table, stress, input, qc);
  ConeMethodResult out;
  out.capacity =
      assembleConeCapacity(CapacityIndex::Ngi, input, table, stress, friction, endBearing, qc);
  return out;
}

}  // namespace vorne
