// Unit templates: the tokens F, F1, F2, F4, F5, F6 (force) and L, L1, L2, L3 (length) in a
// caption or column unit, their names in each unit system, and their conversion factors.
#ifndef VORNE_APP_UNIT_LABELS_H
#define VORNE_APP_UNIT_LABELS_H

#include <QString>

namespace vorne {

inline constexpr int kEnglishUnits = 1;
inline constexpr int kSiUnits = 2;
// Shows a template unchanged.
inline constexpr int kNoUnitSubstitution = 3;

// The template with its tokens named for the unit system (1 English, 2 SI, 3 unchanged): the
// first kind of force token found, in the order F6, F5, F4, F2, F1, F, is replaced everywhere,
// then the same for the length tokens in the order L2, L1, L3, L. "F/L2^2" is "lbs/ft^2" in
// English and "kN/m^2" in SI.
QString expandUnits(const QString& unitTemplate, int units);

// A field's label: caption, then " (" + expanded template + ")" when the template is not empty.
QString unitLabel(const QString& caption, const QString& unitTemplate, int units);

// The factor that takes a value of this unit template from English to SI units: each F or L
// token (with an optional digit and an optional power "^2" or "^3") contributes its factor,
// those before the first "/" multiply and those after it divide. "F/L2^2" (psf to kPa) is
// 0.00444822199911631 / 0.3048^2. An empty template or one without tokens gives 1.
double englishToSiFactor(const QString& unitTemplate);

// Factors of single tokens, English to SI.
inline constexpr double kPoundToKiloNewton = 0.00444822199911631;  // F: lbs -> kN
inline constexpr double kInchToMetre = 0.0254;                     // L: in -> m
inline constexpr double kInchToMillimetre = 25.4;                  // L1: in -> mm
inline constexpr double kFootToMetre = 0.3048;                     // L2: ft -> m

// A value of a unit whose English-to-SI factor is englishToSi, converted to SI (toSi) or back to
// English (dividing by the same factor, so both directions use one number). The product is
// given as the shortest decimal within a relative 1e-12 of it whose conversion back gives the
// value again, so that a switch there and back returns exactly what was typed (a typed 18 in is
// 457.2 mm, and 457.2 mm is 18 in again, not 17.999999999928) for values of up to 12
// significant digits; a product that no such decimal stands for is kept unrounded. Zero and
// non-finite values are returned as they come (callers refuse a non-finite result).
double convertUnitValue(double value, double englishToSi, bool toSi);

}  // namespace vorne

#endif  // VORNE_APP_UNIT_LABELS_H
