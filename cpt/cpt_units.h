// Units of the columns of field CPT files: stresses into kPa, depths into metres. A unit text is
// matched by its leading token, case-insensitively ("MPa (megaPascal)", "Mpa", "MN/m²", "kN/m2").
#pragma once

#include <QString>
#include <optional>

namespace vorne::cpt {

// Factor that turns a value in the unit into kPa: MPa and MN/m2 1000, kPa and kN/m2 1, bar 100,
// kg/cm2 98.0665; ksf 47.880263 as the project's unit switch takes it (englishToSiFactor), tsf
// twice that, psf a thousandth, psi 0.144 of it; Pa 0.001. Empty for anything else, a force (kN)
// included.
std::optional<double> stressFactor(const QString& unit);
// True for a force unit (kN, N, MN, kgf, lbf, kip): a value in it is not a stress.
bool isForceUnit(const QString& unit);
// Factor that turns a depth in the unit into metres: m 1, cm 0.01, mm 0.001, ft 0.3048.
std::optional<double> lengthFactor(const QString& unit);
// The leading unit token of a unit text ("MPa (megaPascal)" -> "MPa"); a "²" reads as "2".
QString unitToken(const QString& unit);

// value × factor rounded to 15 significant digits, so that a product such as 4.02 × 1000 is 4020
// and not 4019.9999999999995, whose text would carry the conversion's noise into every file.
double scaled(double value, double factor);

}  // namespace vorne::cpt
