// Fixed-column fields; see fortran_format.h. Every field is built in a small local buffer and
// copied once into its place. Digits come from integer arithmetic when one multiplication (or
// division) by an exact power of ten decides the rounding beyond doubt, and from std::to_chars
// otherwise (values next to a rounding tie, very large or very small values); neither consults the
// locale, and both round the exact binary value to nearest, so the text is the same either way.
#include "io/fortran_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace vorne::fmt {
namespace {

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;
// Digit counts handled by integer arithmetic; the scaled value stays below 2^53.
constexpr int kMaxFastDigits = 15;

// Writes text right-aligned in width characters at out, or width asterisks when it does not fit.
char* putRight(char* out, const char* text, std::size_t length, int width) {
  if (width <= 0) return out;
  const auto w = static_cast<std::size_t>(width);
  if (length > w) return std::fill_n(out, w, '*');
  out = std::fill_n(out, w - length, ' ');
  return std::copy_n(text, length, out);
}

char* extend(std::string& out, int count) {
  return appendRoom(out, static_cast<std::size_t>(count > 0 ? count : 0));
}

// Writes the decimal digits of value at end backwards; returns the first digit's position.
char* digitsBackwards(char* end, std::uint64_t value) {
  do {
    *--end = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  return end;
}

// scaled rounded to the nearest integer, when the rounding error of the one operation that made
// scaled (at most half an ulp) cannot move it across a half. False next to a tie or above 2^53.
bool roundScaled(double scaled, std::uint64_t& rounded) {
  if (!(scaled >= 0.0 && scaled < 0x1p53)) return false;
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;  // exact below 2^53
  if (std::fabs(fraction - 0.5) <= scaled * 0x1p-50) return false;
  rounded = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1u : 0u);
  return true;
}

// The magnitude of value in fixed point with decimals digits after ".", from std::to_chars.
// Returns the length, 0 when it does not fit in the buffer.
std::size_t fixedDigits(double magnitude, int decimals, char* buffer, std::size_t size) {
  const auto result =
      std::to_chars(buffer, buffer + size, magnitude, std::chars_format::fixed, decimals);
  return result.ec == std::errc() ? static_cast<std::size_t>(result.ptr - buffer) : 0;
}

// The first `digits` significant digits of magnitude (> 0), rounded, and the decimal exponent of
// the first one (d.ddd × 10^exponent), as std::to_chars in scientific notation gives them.
bool scientificDigits(double magnitude, int digits, std::uint64_t& mantissa, int& exponent) {
  if (digits <= kMaxFastDigits) {
    const auto low = static_cast<std::uint64_t>(kPow10[digits - 1]);
    const auto high = static_cast<std::uint64_t>(kPow10[digits]);
    // log10(2) times the binary exponent: the decimal exponent or one below it.
    int e = static_cast<int>(std::floor(std::ilogb(magnitude) * 0.30102999566398120));
    for (int attempt = 0; attempt < 3; ++attempt) {
      const int shift = digits - 1 - e;
      if (shift > kMaxExactPower || shift < -kMaxExactPower) break;
      const double scaled = shift >= 0 ? magnitude * kPow10[shift] : magnitude / kPow10[-shift];
      if (scaled < static_cast<double>(low)) {
        --e;
        continue;
      }
      if (scaled >= static_cast<double>(high)) {
        ++e;
        continue;
      }
      std::uint64_t rounded = 0;
      if (!roundScaled(scaled, rounded)) break;
      if (rounded == high) {
        rounded = low;
        ++e;
      }
      mantissa = rounded;
      exponent = e;
      return true;
    }
  }
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::scientific, digits - 1);
  if (result.ec != std::errc()) return false;
  mantissa = 0;
  const char* p = buffer;
  for (; p != result.ptr && *p != 'e'; ++p) {
    if (*p != '.') mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  if (p == result.ptr) return false;
  exponent = std::atoi(std::string(p + 1, static_cast<const char*>(result.ptr)).c_str());
  return true;
}

}  // namespace

char* putBlanks(char* out, int count) { return count > 0 ? std::fill_n(out, count, ' ') : out; }

char* putInt(char* out, long long value, int width, int minDigits) {
  const bool negative = value < 0;
  // Magnitude as unsigned so that the most negative value does not overflow.
  const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                                : static_cast<unsigned long long>(value);
  char buffer[96];
  char* const end = buffer + sizeof buffer;
  char* begin = end;
  if (!(minDigits == 0 && magnitude == 0)) begin = digitsBackwards(end, magnitude);
  const int maxDigits = static_cast<int>(sizeof buffer) - 1;
  for (int digits = static_cast<int>(end - begin); digits < minDigits && digits < maxDigits;
       ++digits) {
    *--begin = '0';
  }
  if (negative) *--begin = '-';
  return putRight(out, begin, static_cast<std::size_t>(end - begin), width);
}

char* putFixed(char* out, double value, int width, int decimals) {
  if (!std::isfinite(value) || decimals < 0) {
    return putStars(out, width);
  }
  std::uint64_t rounded = 0;
  if (decimals <= kMaxFastDigits && roundScaled(std::fabs(value) * kPow10[decimals], rounded)) {
    // Built backwards: fraction digits, ".", integer digits, sign.
    const bool negative = value < 0.0 && rounded != 0;
    char digits[48];
    char* const end = digits + sizeof digits;
    char* begin = end;
    if (decimals == 0) *--begin = '.';
    for (int i = 0; i < decimals; ++i) {
      *--begin = static_cast<char>('0' + rounded % 10);
      rounded /= 10;
    }
    if (decimals > 0) *--begin = '.';
    const bool belowOne = rounded == 0;
    begin = digitsBackwards(begin, rounded);
    std::size_t length = static_cast<std::size_t>(end - begin) + (negative ? 1 : 0);
    if (belowOne && static_cast<int>(length) > width) {
      // No room for the leading zero of a magnitude below one.
      ++begin;
      --length;
    }
    if (negative) *--begin = '-';
    return putRight(out, begin, length, width);
  }
  // Next to a tie or beyond the integer range.
  char buffer[400];
  char* const body = buffer + 1;  // room for the sign in front
  const std::size_t length = fixedDigits(std::fabs(value), decimals, body, sizeof buffer - 2);
  if (length == 0) {
    return putStars(out, width);
  }
  std::size_t bodyLength = length;
  bool isZero = true;
  for (std::size_t i = 0; i < length && isZero; ++i) isZero = body[i] == '0' || body[i] == '.';
  const bool negative = value < 0.0 && !isZero;
  if (decimals == 0) body[bodyLength++] = '.';
  char* text = body;
  std::size_t textLength = bodyLength + (negative ? 1 : 0);
  if (static_cast<int>(textLength) > width && bodyLength > 1 && body[0] == '0' && body[1] == '.') {
    // No room for the leading zero of a magnitude below one.
    ++text;
    --textLength;
  }
  if (negative) *--text = '-';
  return putRight(out, text, textLength, width);
}

char* putExp(char* out, double value, int width, int decimals) {
  if (!std::isfinite(value) || decimals < 1 || decimals > 60) {
    return putStars(out, width);
  }
  std::uint64_t mantissa = 0;
  int exponent = 0;
  if (value != 0.0) {
    if (!scientificDigits(std::fabs(value), decimals, mantissa, exponent)) {
      return putStars(out, width);
    }
    ++exponent;  // 0.ddd form
  }
  const int absExponent = std::abs(exponent);
  if (absExponent > 999) {
    return putStars(out, width);
  }
  // "-0." mantissa "E+dd", or a three-digit exponent without the "E".
  char buffer[96];
  char* const end = buffer + sizeof buffer;
  char* p = end;
  const bool wide = absExponent > 99;
  p = digitsBackwards(p, static_cast<std::uint64_t>(absExponent));
  while (end - p < (wide ? 3 : 2)) *--p = '0';
  *--p = exponent < 0 ? '-' : '+';
  if (!wide) *--p = 'E';
  if (decimals <= kMaxFastDigits) {
    for (int i = 0; i < decimals; ++i) {
      *--p = static_cast<char>('0' + mantissa % 10);
      mantissa /= 10;
    }
  } else {
    // Beyond 15 digits the digits come from std::to_chars as text.
    char digits[80];
    const auto result = std::to_chars(digits, digits + sizeof digits, std::fabs(value),
                                      std::chars_format::scientific, decimals - 1);
    std::string kept;
    for (const char* q = digits; q != result.ptr && *q != 'e'; ++q) {
      if (*q != '.') kept += *q;
    }
    if (value == 0.0) kept.assign(static_cast<std::size_t>(decimals), '0');
    for (auto it = kept.rbegin(); it != kept.rend(); ++it) *--p = *it;
  }
  *--p = '.';
  *--p = '0';
  const bool negative = value < 0.0;
  std::size_t length = static_cast<std::size_t>(end - p) + (negative ? 1 : 0);
  if (static_cast<int>(length) > width) {
    ++p;  // no room for the leading zero
    --length;
  }
  if (negative) *--p = '-';
  return putRight(out, p, length, width);
}

char* appendRoom(std::string& text, std::size_t count) {
  const std::size_t at = text.size();
  text.resize(at + count);
  return text.data() + at;
}

char* putStars(char* out, int width) { return width > 0 ? std::fill_n(out, width, '*') : out; }

void appendBlanks(std::string& out, int count) { putBlanks(extend(out, count), count); }

void appendInt(std::string& out, long long value, int width, int minDigits) {
  putInt(extend(out, width), value, width, minDigits);
}

void appendFixed(std::string& out, double value, int width, int decimals) {
  putFixed(extend(out, width), value, width, decimals);
}

void appendExp(std::string& out, double value, int width, int decimals) {
  putExp(extend(out, width), value, width, decimals);
}

void appendStars(std::string& out, int width) { putStars(extend(out, width), width); }

void appendText(std::string& out, std::string_view text, int width) {
  if (width <= 0) return;
  const std::string_view cut = text.substr(0, static_cast<std::size_t>(width));
  out.append(cut);
  out.append(static_cast<std::size_t>(width) - cut.size(), ' ');
}

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
  std::string field;
  appendInt(field, value, width, minDigits);
  return field;
}

std::string fixedField(double value, int width, int decimals) {
  std::string field;
  appendFixed(field, value, width, decimals);
  return field;
}

std::string expField(double value, int width, int decimals) {
  std::string field;
  appendExp(field, value, width, decimals);
  return field;
}

std::string textField(std::string_view text, int width) {
  std::string field;
  appendText(field, text, width);
  return field;
}

}  // namespace vorne::fmt
