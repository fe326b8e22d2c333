// Synthetic CPT records with known interpretation, for the interpretation and proposal tests.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "cpt/cpt_interpretation.h"
#include "cpt/cpt_profile.h"

namespace vorne::cpt::test {

// A record at depth z whose soil behaviour type index is `ic` under a uniform total unit weight
// gamma [kN/m3] with the water table at waterTable [m], for a corrected cone resistance qt [kPa]
// (no u2, so qc = qt). With Ic fixed the stress exponent is known, hence Qtn, and Fr follows from
// the definition of Ic: log10 Fr = sqrt(Ic^2 - (3.47 - log10 Qtn)^2) - 1.22. The records of a
// profile must start at their first depth with the stress gamma * z, i.e. from the surface.
inline CptRecord recordWithIc(
    double z, double qt, double ic, double gamma, double waterTable = 0.0) {
  const double totalStress = gamma * z;
  const double effectiveStress = totalStress - kWaterUnitWeight * std::max(0.0, z - waterTable);
  const double n =
      std::clamp(0.381 * ic + 0.05 * effectiveStress / kAtmosphericPressure - 0.15, 0.0, 1.0);
  const double net = qt - totalStress;
  const double qtn =
      net / kAtmosphericPressure * std::pow(kAtmosphericPressure / effectiveStress, n);
  const double a = 3.47 - std::log10(qtn);
  const double fr = std::pow(10.0, std::sqrt(ic * ic - a * a) - 1.22);
  CptRecord r;
  r.depth = z;
  r.coneResistance = qt;
  r.sleeveFriction = fr / 100.0 * net;
  return r;
}

// Clay whose su = (qt - sigma_v0) / 15 is 20 + 5 z kPa under the total unit weight gamma.
inline double clayQt(double z, double gamma) { return gamma * z + 15.0 * (20.0 + 5.0 * z); }
// Sand whose qt (= qc) is 10000 + 1000 z kPa.
inline double sandQt(double z, double) { return 10000.0 + 1000.0 * z; }

// A block of records every `step` metres from `from` to `to` (both included).
struct Block {
  double from;
  double to;
  double ic;
  // qt at depth z [kPa]
  double (*qt)(double z, double gamma);
};

inline CptProfile profileOf(const std::vector<Block>& blocks,
                            double gamma,
                            double waterTable = 0.0,
                            double step = 0.1) {
  CptProfile p;
  for (const Block& b : blocks) {
    const int count = static_cast<int>(std::lround((b.to - b.from) / step)) + 1;
    for (int k = 0; k < count; ++k) {
      const double z = b.from + k * step;
      p.records.push_back(recordWithIc(z, b.qt(z, gamma), b.ic, gamma, waterTable));
    }
  }
  p.recordsRead = static_cast<int>(p.records.size());
  return p;
}

// The profile as a column text file: depth, qc and, unless noFs, fs, every value exact.
inline QString columnText(const CptProfile& p, bool noFs = false) {
  QString text = noFs ? QStringLiteral("depth (m),qc (kPa)\n")
                      : QStringLiteral("depth (m),qc (kPa),fs (kPa)\n");
  for (const CptRecord& r : p.records) {
    text += QString::number(r.depth, 'g', 17) + ',' + QString::number(r.coneResistance, 'g', 17);
    if (!noFs) text += ',' + QString::number(*r.sleeveFriction, 'g', 17);
    text += '\n';
  }
  return text;
}

}  // namespace vorne::cpt::test
