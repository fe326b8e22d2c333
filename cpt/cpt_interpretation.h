// Interpretation of one cone penetration profile, record by record: corrected cone resistance,
// unit weight, total and effective vertical stress, the normalised cone resistance with its
// iterated stress exponent, the normalised friction ratio, the pore pressure ratio, the soil
// behaviour type index and its zone. Everything in metres, kPa and kN/m3, as the profile holds it.
// The sources of the formulas are listed in docs/technical-manual.md.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "cpt/cpt_profile.h"

namespace vorne::cpt {

inline constexpr double kAtmosphericPressure = 100.0;  // pa used in the normalisation [kPa]
inline constexpr double kWaterUnitWeight = 9.81;       // gamma_w [kN/m3]
inline constexpr double kDefaultConeAreaRatio = 0.8;   // a, when the file gives none
inline constexpr double kSandIcLimit = 2.60;           // Ic at or below: sand-like behaviour

// Soil behaviour type zones by Ic (Robertson 2010); 0 for a record that cannot be classified.
// Each zone takes its upper boundary: Ic = 2.60 is zone 5.
enum class SoilZone : int {
  Unclassified = 0,
  OrganicSoil = 2,   // Ic > 3.60
  Clay = 3,          // 2.95 < Ic <= 3.60, silty clay to clay
  SiltMixture = 4,   // 2.60 < Ic <= 2.95, clayey silt to silty clay
  SandMixture = 5,   // 2.05 < Ic <= 2.60, silty sand to sandy silt
  Sand = 6,          // 1.31 < Ic <= 2.05, clean sand to silty sand
  GravellySand = 7,  // Ic <= 1.31, gravelly sand to dense sand
};

// The zone of an index; a NaN index is Unclassified.
SoilZone soilZone(double ic);
// The zone's name, e.g. "Sands: clean sand to silty sand".
QString soilZoneName(SoilZone zone);

// Total unit weight [kN/m3] by Robertson and Cabal (2010):
// gamma / gamma_w = 0.27 log10(Rf) + 0.36 log10(qt / pa) + 1.236, Rf = fs / qt * 100 [%].
// Requires qt > 0 and fs > 0 [kPa]; gives NaN otherwise.
double robertsonCabalUnitWeight(double qt, double fs);

// Soil behaviour type index from Qtn and Fr [%] (Robertson 2009):
// Ic = sqrt((3.47 - log10 Qtn)^2 + (log10 Fr + 1.22)^2). NaN unless both are positive.
double behaviourTypeIndex(double qtn, double fr);

// The normalised values of one record with the stress exponent iterated (Robertson 2009):
// Qtn = ((qt - sigma_v0) / pa) (pa / sigma'_v0)^n, Fr = fs / (qt - sigma_v0) * 100,
// n = 0.381 Ic + 0.05 sigma'_v0 / pa - 0.15, at most 1 (and not below 0), starting from n = 1
// and repeated until n changes by less than kExponentTolerance.
struct NormalisedRecord {
  bool valid = false;  // false when qt <= sigma_v0, fs <= 0 or sigma'_v0 <= 0
  double qtn = 0.0;    // Qtn
  double fr = 0.0;     // Fr [%]
  double ic = 0.0;     // Ic
  double n = 1.0;      // stress exponent of the last iteration
  int iterations = 0;  // exponent updates made
};
inline constexpr double kExponentTolerance = 1.0e-6;
inline constexpr int kMaxExponentIterations = 100;
NormalisedRecord normaliseRecord(double qt, double fs, double totalStress, double effectiveStress);

// What the interpretation is given beside the profile.
struct InterpretationSettings {
  double waterTableDepth = 0.0;           // below the ground surface or seabed [m]
  std::optional<double> totalUnitWeight;  // one value for every record in place of the
                                          // correlation [kN/m3]
};

// One record of the profile with everything derived from it.
struct InterpretedRecord {
  double depth = 0.0;  // [m]
  double qc = 0.0;     // [kPa]
  double fs = 0.0;     // [kPa]; 0 when the file gives none
  bool hasFs = false;
  double qt = 0.0;                   // corrected cone resistance [kPa]
  double totalUnitWeight = 0.0;      // gamma [kN/m3]
  double totalStress = 0.0;          // sigma_v0 [kPa]
  double hydrostaticPressure = 0.0;  // u0 [kPa]
  double effectiveStress = 0.0;      // sigma'_v0 [kPa]
  NormalisedRecord normalised;       // Qtn, Fr, Ic, n
  std::optional<double> bq;          // (u2 - u0) / (qt - sigma_v0), where u2 exists
  // Effective unit weight [kN/m3]: gamma above the water table, gamma - gamma_w below it.
  double effectiveUnitWeight = 0.0;
  SoilZone zone = SoilZone::Unclassified;

  bool classified() const { return zone != SoilZone::Unclassified; }
};

struct Interpretation {
  bool ok = false;
  QString error;  // why not ok
  double coneAreaRatio = kDefaultConeAreaRatio;
  std::vector<InterpretedRecord> records;
  int classifiedCount = 0;
  QStringList notes;  // what the interpretation decided (area ratio, unclassified records)
};

// Interprets every record. qt = qc + u2 (1 - a) with a from the profile (else 0.8, noted); where
// u2 is missing qt is the file's qt or else qc. The stresses accumulate the unit weight of each
// record over the depth step above it (from the ground surface to the first record with the first
// record's weight); u0 = gamma_w (z - water table) below the water table. A record without fs,
// with fs <= 0, with qt <= sigma_v0 or with sigma'_v0 = 0 is not classified; its unit weight is
// that of the nearest record above it with one (or the first one below), so that the stresses
// stay continuous. Fails (ok false, with the reason) for an empty profile, a profile without any
// fs, or one in which no record can be classified.
Interpretation interpretProfile(const CptProfile& profile, const InterpretationSettings& settings);

}  // namespace vorne::cpt
