// Fixed-column fields of the report and plot data file.
#include "io/fortran_format.h"

#include <gtest/gtest.h>

#include <clocale>

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
