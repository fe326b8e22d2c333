// Record-by-record interpretation of a CPT profile.
#include "cpt/cpt_interpretation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vorne::cpt {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Zone boundaries of Ic (Robertson 2010), each the upper end of the zone named beside it.
struct ZoneBoundary {
  double upperIc;
  SoilZone zone;
};
constexpr ZoneBoundary kZoneBoundaries[] = {
    {1.31, SoilZone::GravellySand}, {2.05, SoilZone::Sand}, {2.60, SoilZone::SandMixture},
    {2.95, SoilZone::SiltMixture},  {3.60, SoilZone::Clay},
};

double stressExponent(double ic, double effectiveStress) {
  const double n = 0.381 * ic + 0.05 * effectiveStress / kAtmosphericPressure - 0.15;
  return std::clamp(n, 0.0, 1.0);
}

}  // namespace

SoilZone soilZone(double ic) {
  if (std::isnan(ic)) return SoilZone::Unclassified;
  for (const ZoneBoundary& b : kZoneBoundaries) {
    if (ic <= b.upperIc) return b.zone;
  }
  return SoilZone::OrganicSoil;
}

QString soilZoneName(SoilZone zone) {
  switch (zone) {
    case SoilZone::OrganicSoil:
      return QStringLiteral("Organic soils: clay");
    case SoilZone::Clay:
      return QStringLiteral("Clays: silty clay to clay");
    case SoilZone::SiltMixture:
      return QStringLiteral("Silt mixtures: clayey silt to silty clay");
    case SoilZone::SandMixture:
      return QStringLiteral("Sand mixtures: silty sand to sandy silt");
    case SoilZone::Sand:
      return QStringLiteral("Sands: clean sand to silty sand");
    case SoilZone::GravellySand:
      return QStringLiteral("Gravelly sand to dense sand");
    case SoilZone::Unclassified:
      break;
  }
  return QStringLiteral("Not classified");
}

double robertsonCabalUnitWeight(double qt, double fs) {
  if (!(qt > 0.0) || !(fs > 0.0)) return kNaN;
  const double frictionRatio = fs / qt * 100.0;
  return kWaterUnitWeight *
         (0.27 * std::log10(frictionRatio) + 0.36 * std::log10(qt / kAtmosphericPressure) + 1.236);
}

double behaviourTypeIndex(double qtn, double fr) {
  if (!(qtn > 0.0) || !(fr > 0.0)) return kNaN;
  const double a = 3.47 - std::log10(qtn);
  const double b = std::log10(fr) + 1.22;
  return std::sqrt(a * a + b * b);
}

NormalisedRecord normaliseRecord(double qt, double fs, double totalStress, double effectiveStress) {
  NormalisedRecord r;
  const double net = qt - totalStress;
  if (!(net > 0.0) || !(fs > 0.0) || !(effectiveStress > 0.0)) return r;
  r.fr = fs / net * 100.0;
  const double netRatio = net / kAtmosphericPressure;
  const double stressRatio = kAtmosphericPressure / effectiveStress;
  r.n = 1.0;
  for (;;) {
    r.qtn = netRatio * std::pow(stressRatio, r.n);
    r.ic = behaviourTypeIndex(r.qtn, r.fr);
    if (r.iterations >= kMaxExponentIterations) break;
    const double next = stressExponent(r.ic, effectiveStress);
    ++r.iterations;
    const bool settled = std::fabs(next - r.n) < kExponentTolerance;
    r.n = next;
    if (settled) {
      r.qtn = netRatio * std::pow(stressRatio, r.n);
      r.ic = behaviourTypeIndex(r.qtn, r.fr);
      break;
    }
  }
  r.valid = std::isfinite(r.qtn) && std::isfinite(r.ic);
  return r;
}

Interpretation interpretProfile(const CptProfile& profile, const InterpretationSettings& settings) {
  Interpretation out;
  if (profile.records.empty()) {
    out.error = QStringLiteral("the profile has no records");
    return out;
  }
  const bool anyFs = std::any_of(profile.records.begin(), profile.records.end(),
                                 [](const CptRecord& r) { return r.sleeveFriction.has_value(); });
  if (!anyFs) {
    out.error = QStringLiteral(
        "the profile has no sleeve friction fs: without it the soil behaviour type cannot be "
        "classified");
    return out;
  }
  const bool anyU2 = std::any_of(profile.records.begin(), profile.records.end(),
                                 [](const CptRecord& r) { return r.porePressure.has_value(); });
  if (profile.coneAreaRatio) {
    out.coneAreaRatio = *profile.coneAreaRatio;
  } else if (anyU2) {
    out.notes << QStringLiteral("The file gives no cone area ratio: a = %1 assumed for qt.")
                     .arg(kDefaultConeAreaRatio);
  }

  out.records.reserve(profile.records.size());
  for (const CptRecord& in : profile.records) {
    InterpretedRecord r;
    r.depth = in.depth;
    r.qc = in.coneResistance;
    r.hasFs = in.sleeveFriction.has_value();
    r.fs = in.sleeveFriction.value_or(0.0);
    if (in.porePressure) {
      r.qt = in.coneResistance + *in.porePressure * (1.0 - out.coneAreaRatio);
    } else {
      r.qt = in.correctedConeResistance.value_or(in.coneResistance);
    }
    r.totalUnitWeight =
        settings.totalUnitWeight ? *settings.totalUnitWeight : robertsonCabalUnitWeight(r.qt, r.fs);
    out.records.push_back(r);
  }

  // Records without a unit weight of their own take the nearest one above, or the first below.
  int withoutWeight = 0;
  double carried = kNaN;
  for (InterpretedRecord& r : out.records) {
    if (std::isfinite(r.totalUnitWeight)) {
      carried = r.totalUnitWeight;
    } else {
      r.totalUnitWeight = carried;
      ++withoutWeight;
    }
  }
  carried = kNaN;
  for (auto it = out.records.rbegin(); it != out.records.rend(); ++it) {
    if (std::isfinite(it->totalUnitWeight)) {
      carried = it->totalUnitWeight;
    } else {
      it->totalUnitWeight = carried;
    }
  }
  if (!std::isfinite(out.records.front().totalUnitWeight)) {
    out.error = QStringLiteral(
        "no record has both qt and fs above 0, so no unit weight can be estimated; give one");
    return out;
  }
  if (withoutWeight > 0) {
    out.notes << QStringLiteral(
                     "%1 records without fs > 0 take the unit weight of the nearest record "
                     "above them.")
                     .arg(withoutWeight);
  }

  double stress = 0.0;
  double previousDepth = 0.0;
  for (InterpretedRecord& r : out.records) {
    stress += r.totalUnitWeight * std::max(0.0, r.depth - previousDepth);
    previousDepth = r.depth;
    r.totalStress = stress;
    const bool submerged = r.depth >= settings.waterTableDepth;
    r.hydrostaticPressure =
        submerged ? kWaterUnitWeight * (r.depth - settings.waterTableDepth) : 0.0;
    r.effectiveStress = r.totalStress - r.hydrostaticPressure;
    r.effectiveUnitWeight = r.totalUnitWeight - (submerged ? kWaterUnitWeight : 0.0);
    if (r.hasFs) {
      r.normalised = normaliseRecord(r.qt, r.fs, r.totalStress, r.effectiveStress);
    }
    if (r.normalised.valid) {
      r.zone = soilZone(r.normalised.ic);
      ++out.classifiedCount;
    }
    const CptRecord& in = profile.records[static_cast<std::size_t>(&r - out.records.data())];
    const double net = r.qt - r.totalStress;
    if (in.porePressure && net > 0.0) r.bq = (*in.porePressure - r.hydrostaticPressure) / net;
  }
  if (out.classifiedCount == 0) {
    out.error = QStringLiteral(
        "no record of the profile can be classified (each needs fs > 0 and qt above the total "
        "vertical stress)");
    return out;
  }
  const int unclassified = static_cast<int>(out.records.size()) - out.classifiedCount;
  if (unclassified > 0) {
    out.notes << QStringLiteral(
                     "%1 of %2 records are not classified (no fs, fs <= 0, qt not above the "
                     "total stress, or at the surface) and are not used in the layer values.")
                     .arg(unclassified)
                     .arg(out.records.size());
  }
  out.ok = true;
  return out;
}

}  // namespace vorne::cpt
