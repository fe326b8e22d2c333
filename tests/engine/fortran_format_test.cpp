// Fixed-column fields of the report and plot data file.
#include "io/fortran_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace vorne::fmt {
namespace {

TEST(FortranFormat, FieldsMatchTheirLayouts) {
  struct Case {
    const char* name;
    std::string actual;
    const char* expected;
  };
  const Case kCases[] = {
      {"E8.2 of the unlimited value", expField(9999999.0, 8, 2), "0.10E+08"},
      {"E16.4 of 12.5", expField(12.5, 16, 4), "      0.1250E+02"},
      {"E10.3 of zero", expField(0.0, 10, 3), " 0.000E+00"},
      {"E11.3 negative small", expField(-0.00123, 11, 3), " -0.123E-02"},
      {"E8.2 negative drops the zero", expField(-9999999.0, 8, 2), "-.10E+08"},
      {"E rounding carries into exponent", expField(0.99996, 10, 3), " 0.100E+01"},
      {"E too narrow", expField(1.0, 5, 3), "*****"},
      {"F7.2 plain", fixedField(12.345, 7, 2), "  12.35"},
      {"F7.2 negative", fixedField(-3.5, 7, 2), "  -3.50"},
      {"F7.2 below one keeps its zero", fixedField(0.5, 7, 2), "   0.50"},
      {"F3.2 drops the zero", fixedField(0.5, 3, 2), ".50"},
      {"F negative zero has no sign", fixedField(-0.001, 7, 2), "   0.00"},
      {"F9.1 too wide", fixedField(12345678.9, 9, 1), "*********"},
      {"F8.3 rounding", fixedField(1.0005, 8, 3), "   1.000"},
      {"I4", intField(526, 4), " 526"},
      {"I2.2 leading zero", intField(5, 2, 2), "05"},
      {"I4 too wide", intField(12345, 4), "****"},
      {"I5 negative", intField(-12, 5), "  -12"},
      {"A3 pads", textField("M.", 3), "M. "},
      {"A3 cuts", textField("FEET", 3), "FEE"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
  }
}

// Fields built from std::to_chars text alone, the way the writers made them before the digits came
// from integer arithmetic: the fast fields must match them character for character.
std::string fitRight(const std::string& body, int width) {
  if (static_cast<int>(body.size()) > width) return std::string(width, '*');
  return std::string(width - body.size(), ' ') + body;
}

std::string referenceFixed(double value, int width, int decimals) {
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::fixed, decimals);
  std::string body(buffer, result.ptr);
  const bool negative = value < 0.0 && body.find_first_not_of("0.") != std::string::npos;
  if (decimals == 0) body += '.';
  // The sign is a string of its own: "literal" + std::string&& trips g++ 12's false -Wrestrict
  // at -O2.
  const std::string sign = negative ? "-" : "";
  std::string text = sign + body;
  if (static_cast<int>(text.size()) > width && body.size() > 1 && body[0] == '0' &&
      body[1] == '.') {
    text = sign + body.substr(1);
  }
  return fitRight(text, width);
}

std::string referenceExp(double value, int width, int decimals) {
  std::string mantissa(decimals, '0');
  int exponent = 0;
  if (value != 0.0) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, decimals - 1);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    mantissa.clear();
    for (std::size_t i = 0; i < e; ++i) {
      if (text[i] != '.') mantissa += text[i];
    }
    exponent = std::atoi(text.c_str() + e + 1) + 1;
  }
  const int absExponent = std::abs(exponent);
  if (absExponent > 999) return std::string(width, '*');
  std::string digits = std::to_string(absExponent);
  while (digits.size() < (absExponent > 99 ? 3u : 2u)) digits.insert(digits.begin(), '0');
  const std::string body =
      "0." + mantissa + (absExponent > 99 ? "" : "E") + (exponent < 0 ? "-" : "+") + digits;
  const std::string sign = value < 0.0 ? "-" : "";
  std::string text = sign + body;
  if (static_cast<int>(text.size()) > width) text = sign + body.substr(1);
  return fitRight(text, width);
}

TEST(FortranFormat, FieldsMatchTheDigitsOfToChars) {
  // Values next to rounding ties, decimal fractions, powers of ten and their neighbours, and a
  // random spread over the magnitudes the report and plot data file carry.
  std::vector<double> values = {0.125,  0.375,  2.5,    0.005,    1.0005,    0.045,  1.115,
                                99.995, 999.95, 9.9995, 0.99996,  1e-5,      1e15,   4.35,
                                1e-300, 1e300,  5e-324, 123456.5, 0.0004999, 8.5e15, 0.05};
  for (int p = -30; p <= 30; ++p) {
    const double power = std::pow(10.0, p);
    values.insert(values.end(), {power, std::nextafter(power, 0.0), std::nextafter(power, 1e308),
                                 0.5 * power, 9.5 * power, 0.95 * power});
  }
  std::mt19937_64 random(20260305);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-12, 12);
  for (int k = 0; k < 20000; ++k)
    values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
  // Ties at the printed digits: k / 2^n with short binary fractions.
  for (int k = -4000; k <= 4000; ++k) values.push_back(k / 64.0);

  int failures = 0;
  for (double value : values) {
    for (double v : {value, -value}) {
      for (int decimals : {0, 1, 2, 3, 4}) {
        const std::string expected = referenceFixed(v, 12, decimals);
        if (fixedField(v, 12, decimals) != expected && ++failures < 10) {
          ADD_FAILURE() << "F12." << decimals << " of " << v << ": \""
                        << fixedField(v, 12, decimals) << "\" instead of \"" << expected << "\"";
        }
      }
      for (int decimals : {2, 3, 4}) {
        const std::string expected = referenceExp(v, 16, decimals);
        if (expField(v, 16, decimals) != expected && ++failures < 10) {
          ADD_FAILURE() << "E16." << decimals << " of " << v << ": \"" << expField(v, 16, decimals)
                        << "\" instead of \"" << expected << "\"";
        }
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

TEST(FortranFormat, CommaLocaleStillWritesPoint) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "fr_FR.UTF-8")) {
    GTEST_SKIP() << "no comma-decimal locale installed";
  }
  EXPECT_EQ(fixedField(1.25, 6, 2), "  1.25");
  EXPECT_EQ(expField(1.25, 10, 3), " 0.125E+01");
  std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace vorne::fmt
