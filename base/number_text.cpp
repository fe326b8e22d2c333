// Locale-independent number text; std::from_chars and std::to_chars never look at the locale.
#include "base/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace vorne {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The digits of a decimal read as one integer, for the exact shortcut: at most 15 significant
// digits (below 2^53) and the number of them after the point.
struct ShortDigits {
  std::uint64_t value = 0;
  int significant = 0;
  int scale = 0;
  bool fits = true;

  void add(char c, bool afterPoint) {
    if (value != 0 || c != '0') {
      if (++significant > 15) {
        fits = false;
      } else {
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
      }
    }
    if (afterPoint) ++scale;
  }
};

}  // namespace

bool parseDecimal(std::string_view text, double& value) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t numberStart = i;
  ShortDigits digits;
  std::size_t digitCount = 0;
  for (; i < n && isDigit(text[i]); ++i, ++digitCount) digits.add(text[i], false);
  if (i < n && text[i] == '.') {
    for (++i; i < n && isDigit(text[i]); ++i, ++digitCount) digits.add(text[i], true);
  }
  if (digitCount == 0) return false;
  int exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    std::size_t exponentDigits = 0;
    for (; i < n && isDigit(text[i]); ++i, ++exponentDigits) {
      if (exponentDigits < 4) exponent = exponent * 10 + (text[i] - '0');
    }
    if (exponentDigits == 0) return false;
    if (exponentDigits > 4) digits.fits = false;
    if (negativeExponent) exponent = -exponent;
  }
  if (i != n) return false;
  // Up to 15 digits and a power of ten within the exact ones: digits and power are exact doubles
  // and one correctly rounded multiplication or division gives the double std::from_chars gives.
  const int power = exponent - digits.scale;
  if (digits.fits && power >= -22 && power <= 22) {
    const auto mantissa = static_cast<double>(digits.value);
    const double parsed = power >= 0 ? mantissa * kPow10[power] : mantissa / kPow10[-power];
    value = negative ? -parsed : parsed;
    return true;
  }
  // from_chars takes no leading "+"; the sign is applied afterwards.
  std::string_view number = text.substr(numberStart);
  double parsed = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), parsed,
                                      std::chars_format::general);
  if (result.ec != std::errc() || result.ptr != number.data() + number.size()) return false;
  if (!std::isfinite(parsed)) return false;
  value = negative ? -parsed : parsed;
  return true;
}

namespace {

// Splits value into its significant digits (trailing zeros removed) and decimal exponent, rounded
// to precision digits: value = 0.d1d2... * 10^(exponent + 1).
void significantDigits(double value, int precision, std::string& digits, int& exponent) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, precision - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  digits.clear();
  for (std::size_t k = 0; k < e; ++k) {
    if (text[k] != '.') digits.push_back(text[k]);
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
}

}  // namespace

std::string formatGeneral(double value, int precision) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0.0) return "0";
  if (precision < 1) precision = 1;
  if (precision > 17) precision = 17;
  std::string digits;
  int exponent = 0;
  significantDigits(value, precision, digits, exponent);
  std::string out = value < 0 ? "-" : "";
  if (exponent >= precision || exponent < -4) {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out.append(digits, 1, std::string::npos);
    }
    out += 'E';
    out += std::to_string(exponent);
    return out;
  }
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
    return out;
  }
  const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= integerDigits) {
    out += digits;
    out.append(integerDigits - digits.size(), '0');
  } else {
    out.append(digits, 0, integerDigits);
    out += '.';
    out.append(digits, integerDigits, std::string::npos);
  }
  return out;
}

namespace {

template <typename Format>
std::string shortestExact(double value, int minPrecision, Format format) {
  if (!std::isfinite(value)) return formatGeneral(value, minPrecision);
  for (int precision = std::max(minPrecision, 1); precision < 17; ++precision) {
    const std::string text = format(value, precision);
    double back = 0.0;
    if (parseDecimal(text, back) && back == value) return text;
  }
  return format(value, 17);
}

}  // namespace

std::string formatGeneralExact(double value, int minPrecision) {
  return shortestExact(value, minPrecision, formatGeneral);
}

std::string formatExponentExact(double value, int minPrecision) {
  return shortestExact(value, minPrecision, formatExponent);
}

std::string formatExponent(double value, int precision) {
  if (!std::isfinite(value)) return formatGeneral(value, precision);
  if (precision < 1) precision = 1;
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, precision - 1);
  std::string out(buffer, result.ptr);
  for (char& c : out) {
    if (c == 'e') c = 'E';
  }
  return out;
}

}  // namespace vorne
