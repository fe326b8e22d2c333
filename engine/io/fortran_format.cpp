// Fixed-column fields; see fortran_format.h. Digits come from std::to_chars, which never consults
// the locale.
#include "io/fortran_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vorne::fmt {
namespace {

std::string fitRight(const std::string& body, int width) {
  if (width <= 0) return {};
  if (static_cast<int>(body.size()) > width) return repeated('*', width);
  return blanks(width - static_cast<int>(body.size())) + body;
}

// The text with a leading "-" when negative. Built by appending: g++ 12 gives a false -Wrestrict
// on a char literal concatenated with a string at -O2.
std::string withSign(bool negative, const std::string& text) {
  std::string signedText = negative ? "-" : "";
  signedText.append(text);
  return signedText;
}

}  // namespace

std::string blanks(int count) {
  return count > 0 ? std::string(static_cast<std::size_t>(count), ' ') : std::string();
}

std::string repeated(char c, int count) {
  return count > 0 ? std::string(static_cast<std::size_t>(count), c) : std::string();
}

std::string_view trimRight(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

std::string intField(long long value, int width, int minDigits) {
  const bool negative = value < 0;
  // Magnitude as unsigned so that the most negative value does not overflow.
  unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                          : static_cast<unsigned long long>(value);
  std::string digits = std::to_string(magnitude);
  if (minDigits >= 0) {
    if (minDigits == 0 && magnitude == 0) digits.clear();
    while (static_cast<int>(digits.size()) < minDigits) digits.insert(digits.begin(), '0');
  }
  return fitRight(withSign(negative, digits), width);
}

std::string fixedField(double value, int width, int decimals) {
  if (!std::isfinite(value)) return repeated('*', width);
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return repeated('*', width);
  std::string body(buffer, result.ptr);
  const bool isZero = body.find_first_not_of("0.") == std::string::npos;
  const bool negative = value < 0.0 && !isZero;
  if (decimals == 0) body += '.';
  std::string text = withSign(negative, body);
  if (static_cast<int>(text.size()) > width && body.size() > 1 && body[0] == '0' &&
      body[1] == '.') {
    text = withSign(negative, body.substr(1));
  }
  return fitRight(text, width);
}

std::string expField(double value, int width, int decimals) {
  if (!std::isfinite(value) || decimals < 1) return repeated('*', width);
  std::string mantissa;
  int exponent = 0;
  if (value == 0.0) {
    mantissa = std::string(static_cast<std::size_t>(decimals), '0');
  } else {
    // d.ddd e±x with decimals significant digits, then shifted to the 0.ddd form.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, decimals - 1);
    if (result.ec != std::errc()) return repeated('*', width);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i) {
      if (text[i] != '.') mantissa += text[i];
    }
    exponent = std::atoi(text.c_str() + e + 1) + 1;
  }
  const int absExponent = std::abs(exponent);
  if (absExponent > 999) return repeated('*', width);
  std::string exponentText = absExponent > 99 ? "" : "E";
  exponentText.append(exponent < 0 ? "-" : "+");
  exponentText.append(intField(absExponent, absExponent > 99 ? 3 : 2, absExponent > 99 ? 3 : 2));
  std::string body = "0.";
  body.append(mantissa).append(exponentText);
  std::string text = withSign(value < 0.0, body);
  if (static_cast<int>(text.size()) > width) text = withSign(value < 0.0, body.substr(1));
  return fitRight(text, width);
}

std::string textField(std::string_view text, int width) {
  if (width <= 0) return {};
  std::string field(text.substr(0, static_cast<std::size_t>(width)));
  field.append(static_cast<std::size_t>(width) - field.size(), ' ');
  return field;
}

}  // namespace vorne::fmt
