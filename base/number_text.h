// Numbers as text, independent of the process locale: "." is always the decimal separator. Used by
// the expression evaluator, the word reader, the table cells and the project file writer.
#ifndef VORNE_APP_NUMBER_TEXT_H
#define VORNE_APP_NUMBER_TEXT_H

#include <QString>
#include <string>
#include <string_view>

namespace vorne {

// Parses the whole text as a decimal real: an optional sign, digits with an optional ".", an
// optional exponent (E or e, optional sign, digits). Returns false for anything else, including
// an empty text, "inf", "nan", hexadecimal, a decimal comma and a value outside the double range.
bool parseDecimal(std::string_view text, double& value);

// General format with up to `precision` significant digits (1..17): fixed notation, trailing
// zeros dropped, unless the decimal exponent reaches `precision` or falls below -4; then
// scientific as "1.5E-6" or "1E20" (no "+", no leading zeros in the exponent). Zero is "0".
// Non-finite values give "NAN", "INF" or "-INF".
std::string formatGeneral(double value, int precision);
inline QString formatGeneralQ(double value, int precision) {
  return QString::fromStdString(formatGeneral(value, precision));
}

// Exponent format: `precision` significant digits, "E", sign and at least two exponent digits
// (12.5 with precision 3 is "1.25E+01").
std::string formatExponent(double value, int precision);

// The shortest text of formatGeneral, or of formatExponent, with at least `minPrecision` digits
// that reads back to the same double: a value that fits in minPrecision digits keeps the text
// of that precision (a typed 0.3048 stays "0.3048"); one that does not gets up to 17 digits
// (19.68503937007874, not 19.685039). Non-finite values as in formatGeneral.
std::string formatGeneralExact(double value, int minPrecision);
std::string formatExponentExact(double value, int minPrecision);

}  // namespace vorne

#endif  // VORNE_APP_NUMBER_TEXT_H
