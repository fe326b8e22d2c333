// Expression evaluator, unit labels, number text and the exit check of a numeric field.
#include "base/numeric_entry.h"

#include <QtTest>
#include <charconv>
#include <clocale>
#include <cmath>
#include <random>
#include <string>

#include "base/expression_evaluator.h"
#include "base/number_text.h"
#include "base/unit_labels.h"

using namespace vorne;

namespace {

const QString kNotEvaluated = QStringLiteral("Entry could not be evaluated:\n");

}  // namespace

class NumericEntryTest : public QObject {
  Q_OBJECT

 private slots:
  void evaluatesExpressions_data();
  void evaluatesExpressions();
  void refusesBadExpressions_data();
  void refusesBadExpressions();
  void expandsUnitTokens_data();
  void expandsUnitTokens();
  void convertsTemplatesBetweenSystems_data();
  void convertsTemplatesBetweenSystems();
  void formatsNumbersInGeneralFormat_data();
  void formatsNumbersInGeneralFormat();
  void exactFormatsReadBackToTheSameDouble_data();
  void exactFormatsReadBackToTheSameDouble();
  void parsesOnlyPlainDecimals_data();
  void parsesOnlyPlainDecimals();
  void parsesToTheSameDoubleAsFromChars();
  void exitCheckClampsAndExplains_data();
  void exitCheckClampsAndExplains();
  void boundsStayOrdered();
  void numbersIgnoreACommaLocale();
};

void NumericEntryTest::evaluatesExpressions_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<double>("expected");
  QTest::newRow("product before sum") << "2*3+4" << 10.0;
  QTest::newRow("sum after product") << "2+3*4" << 14.0;
  QTest::newRow("parentheses first") << "(2+3)*4" << 20.0;
  QTest::newRow("power left to right") << "2^3^2" << 64.0;
  QTest::newRow("sign belongs to the number") << "-2^2" << 4.0;
  QTest::newRow("subtraction left to right") << "10-2-3" << 5.0;
  QTest::newRow("sign after operator") << "2*-3" << -6.0;
  QTest::newRow("exponent sign") << "1.5e-3*1000" << 1.5;
  QTest::newRow("remainder") << "7%3" << 1.0;
  QTest::newRow("remainder keeps left sign") << "-7%3" << -1.0;
  QTest::newRow("remainder truncates") << "7.9%3" << 1.0;
  QTest::newRow("and") << "1&0" << 0.0;
  QTest::newRow("or") << "1|0" << 1.0;
  QTest::newRow("equal") << "2=2" << 1.0;
  QTest::newRow("equal binds last") << "1+1=2" << 1.0;
  QTest::newRow("factorial") << "5!" << 120.0;
  QTest::newRow("zero factorial") << "0!" << 1.0;
  QTest::newRow("hexadecimal") << "$1F" << 31.0;
  QTest::newRow("sine of half pi") << "sin(pi/2)" << 1.0;
  QTest::newRow("blanks are ignored") << "sqrt 16" << 4.0;
  QTest::newRow("names ignore case") << "SQRT(16)+PI-pi" << 4.0;
  QTest::newRow("longest name first") << "arctanh(0)+tanh(0)+cosh(0)" << 1.0;
  QTest::newRow("function of a sign") << "sin-0.5" << std::sin(-0.5);
  // "2*sin(-0.5)" becomes "2*sin-0.479..." once the parentheses are resolved.
  QTest::newRow("sign after function inside expression") << "2*sin(-0.5)" << 2 * std::sin(-0.5);
  QTest::newRow("minus a negative bracket") << "5-(0-3)" << 8.0;
  QTest::newRow("negated function") << "-sqrt(4)+1" << -1.0;
  QTest::newRow("nested parentheses") << "((1+2)*(3+4))/7" << 3.0;
  QTest::newRow("integral part") << "int(-2.7)+frac(2.5)" << -1.5;
  QTest::newRow("base ten log") << "log(1000)" << 3.0;
  QTest::newRow("constant e") << "ln(e)" << 1.0;
  QTest::newRow("tiny intermediate keeps exponent") << "(1/100000)*100000" << 1.0;
  QTest::newRow("huge intermediate keeps exponent") << "(1e20*10)/1e21" << 1.0;
}

void NumericEntryTest::evaluatesExpressions() {
  QFETCH(QString, text);
  QFETCH(double, expected);
  // Library functions round in the last bits only.
  constexpr double kTolerance = 1e-12;
  QVERIFY2(std::fabs(evaluateExpression(text) - expected) <= kTolerance,
           qPrintable(QString::number(evaluateExpression(text), 'g', 17)));
}

void NumericEntryTest::refusesBadExpressions_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("message");
  QTest::newRow("non-integral factorial") << "2.5!"
                                          << "! (factoral) applicable to integers only";
  QTest::newRow("unclosed parenthesis") << "(2+3"
                                        << "invalid character(s) in expression";
  QTest::newRow("unopened parenthesis") << "2+3)"
                                        << "() (parentheses) do not match";
  QTest::newRow("empty entry") << ""
                               << "entry cannot be blank";
  QTest::newRow("only blanks") << "  \t "
                               << "entry cannot be blank";
  QTest::newRow("dangling operator") << "2+"
                                     << "invalid character(s) in expression";
  QTest::newRow("letters") << "abc"
                           << "invalid character(s) in expression";
  QTest::newRow("decimal comma") << "1,5"
                                 << "invalid character(s) in expression";
  QTest::newRow("bad hexadecimal") << "$1G"
                                   << "invalid use of $ (hex function)";
  QTest::newRow("division by zero") << "1/0"
                                    << "division by zero";
  QTest::newRow("remainder by zero") << "5%0"
                                     << "division by zero";
  QTest::newRow("root of a negative") << "sqrt(-1)"
                                      << "result is not a number";
  QTest::newRow("huge factorial ends at once") << "1e15!"
                                               << "result is too large";
  QTest::newRow("overflow") << "1e300*1e300"
                            << "result is too large";
  QTest::newRow("infinity is not a number") << "inf"
                                            << "invalid character(s) in expression";
}

void NumericEntryTest::refusesBadExpressions() {
  QFETCH(QString, text);
  QFETCH(QString, message);
  try {
    evaluateExpression(text);
    QFAIL("no error");
  } catch (const EExpressionError& error) {
    QCOMPARE(error.message(), kNotEvaluated + message);
  }
}

void NumericEntryTest::expandsUnitTokens_data() {
  QTest::addColumn<QString>("unitTemplate");
  QTest::addColumn<int>("units");
  QTest::addColumn<QString>("expected");
  QTest::newRow("stress English") << "F/L2^2" << 1 << "lbs/ft^2";
  QTest::newRow("stress SI") << "F/L2^2" << 2 << "kN/m^2";
  QTest::newRow("unit weight English") << "F/L2^3" << 1 << "lbs/ft^3";
  QTest::newRow("unit weight SI") << "F/L2^3" << 2 << "kN/m^3";
  QTest::newRow("psi") << QString::fromUtf8("F/L²") << 1 << QString::fromUtf8("lbs/in²");
  QTest::newRow("area SI") << QString::fromUtf8("L²") << 2 << QString::fromUtf8("m²");
  QTest::newRow("every occurrence") << "F1*F1/L1" << 1 << "kips*kips/in";
  QTest::newRow("only first force kind") << "F1/F" << 2 << "kN/F";
  QTest::newRow("mass") << "F6" << 2 << "Mg";
  QTest::newRow("no substitution") << "F/L2^2" << 3 << "F/L2^2";
}

void NumericEntryTest::expandsUnitTokens() {
  QFETCH(QString, unitTemplate);
  QFETCH(int, units);
  QFETCH(QString, expected);
  QCOMPARE(expandUnits(unitTemplate, units), expected);
}

void NumericEntryTest::convertsTemplatesBetweenSystems_data() {
  QTest::addColumn<QString>("unitTemplate");
  QTest::addColumn<double>("englishToSi");
  QTest::newRow("depth ft to m") << "L2" << 0.3048;
  // 1 lbs = 0.00444822199911631 kN (the inverse of 224.8089237), 1 ft = 0.3048 m.
  QTest::newRow("psf to kPa") << "F/L2^2" << 0.04788026311212539;    // 0.004448222 / 0.3048^2
  QTest::newRow("pcf to kN/m3") << "F/L2^3" << 0.15708747740198617;  // 0.004448222 / 0.3048^3
  QTest::newRow("in2 to m2") << "L^2" << 0.00064516;                 // 0.0254^2
  QTest::newRow("ksf to kPa") << "F1/L2^2" << 47.88026311212539;     // 1000 lbs per kip
  QTest::newRow("no unit") << "" << 1.0;
}

void NumericEntryTest::convertsTemplatesBetweenSystems() {
  QFETCH(QString, unitTemplate);
  QFETCH(double, englishToSi);
  QVERIFY(std::fabs(englishToSiFactor(unitTemplate) / englishToSi - 1.0) < 1e-12);
}

void NumericEntryTest::formatsNumbersInGeneralFormat_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<int>("precision");
  QTest::addColumn<QString>("expected");
  QTest::newRow("zero") << 0.0 << 10 << "0";
  QTest::newRow("negative zero") << -0.0 << 10 << "0";
  QTest::newRow("whole") << 29000000.0 << 10 << "29000000";
  QTest::newRow("fraction") << 609.6 << 10 << "609.6";
  QTest::newRow("rounded to precision") << 199947961.54 << 8 << "1.9994796E8";
  QTest::newRow("ten digits") << 2.0 / 3.0 << 10 << "0.6666666667";
  QTest::newRow("small stays fixed") << 0.0001 << 10 << "0.0001";
  QTest::newRow("smaller goes scientific") << 0.000015 << 10 << "1.5E-5";
  QTest::newRow("exponent reaches precision") << 1e10 << 10 << "1E10";
  QTest::newRow("below precision stays fixed") << 123456789.0 << 10 << "123456789";
  QTest::newRow("negative") << -12.5 << 8 << "-12.5";
  QTest::newRow("rounding carries") << 9.99999999999 << 8 << "10";
}

void NumericEntryTest::formatsNumbersInGeneralFormat() {
  QFETCH(double, value);
  QFETCH(int, precision);
  QFETCH(QString, expected);
  QCOMPARE(formatGeneralQ(value, precision), expected);
}

void NumericEntryTest::exactFormatsReadBackToTheSameDouble_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<bool>("exponent");
  QTest::addColumn<QString>("expected");
  QTest::newRow("typed value keeps its text") << 0.3048 << false << "0.3048";
  QTest::newRow("typed whole number") << 100.0 << false << "100";
  QTest::newRow("converted depth in full") << 6.0 / 0.3048 << false << "19.68503937007874";
  QTest::newRow("a third") << 1.0 / 3.0 << false << "0.3333333333333333";
  QTest::newRow("cone value keeps three digits") << 12.5 << true << "1.25E+01";
  QTest::newRow("cone depth needs more") << 101.25 << true << "1.0125E+02";
  QTest::newRow("converted cone depth") << 40.0 / 0.3048 << true << "1.3123359580052494E+02";
}

void NumericEntryTest::exactFormatsReadBackToTheSameDouble() {
  QFETCH(double, value);
  QFETCH(bool, exponent);
  QFETCH(QString, expected);
  const std::string text = exponent ? formatExponentExact(value, 3) : formatGeneralExact(value, 8);
  QCOMPARE(QString::fromStdString(text), expected);
  double back = 0.0;
  QVERIFY(parseDecimal(text, back));
  QCOMPARE(back, value);
}

void NumericEntryTest::parsesOnlyPlainDecimals_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("accepted");
  QTest::addColumn<double>("value");
  QTest::newRow("integer") << "42" << true << 42.0;
  QTest::newRow("plus sign") << "+1.5" << true << 1.5;
  QTest::newRow("leading point") << "-.5" << true << -0.5;
  QTest::newRow("exponent") << "1.25E+01" << true << 12.5;
  QTest::newRow("comma") << "1,5" << false << 0.0;
  QTest::newRow("empty") << "" << false << 0.0;
  QTest::newRow("exponent without digits") << "1e" << false << 0.0;
  QTest::newRow("nan") << "nan" << false << 0.0;
  QTest::newRow("hex") << "0x10" << false << 0.0;
  QTest::newRow("out of range") << "1e400" << false << 0.0;
  QTest::newRow("trailing text") << "12ft" << false << 0.0;
}

void NumericEntryTest::parsesOnlyPlainDecimals() {
  QFETCH(QString, text);
  QFETCH(bool, accepted);
  QFETCH(double, value);
  double parsed = 0.0;
  QCOMPARE(parseDecimal(text.toStdString(), parsed), accepted);
  if (accepted) QCOMPARE(parsed, value);
}

void NumericEntryTest::parsesToTheSameDoubleAsFromChars() {
  // Short decimals take an exact shortcut; it must give the double std::from_chars gives, in the
  // layouts the files carry ("0.5125E+01", "12.50", "-3", "1.e-5") and at many magnitudes.
  std::mt19937_64 random(20260305);
  std::uniform_int_distribution<int> digitCount(1, 17);
  std::uniform_int_distribution<int> digit(0, 9);
  std::uniform_int_distribution<int> exponent(-30, 30);
  std::uniform_int_distribution<int> layout(0, 3);
  int mismatches = 0;
  for (int k = 0; k < 100000 && mismatches < 5; ++k) {
    std::string text;
    const int count = digitCount(random);
    const int point = std::uniform_int_distribution<int>(0, count)(random);
    for (int d = 0; d < count; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + digit(random));
    }
    if (layout(random) != 0) {
      // Appended in two steps: "literal" + std::string&& trips g++ 12's false -Wrestrict at -O2.
      text += k % 2 ? 'E' : 'e';
      text += std::to_string(exponent(random));
    }
    double parsed = 0.0;
    double expected = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), expected);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) continue;
    if (!parseDecimal(text, parsed) || parsed != expected) {
      ++mismatches;
      qWarning("%s: %.17g instead of %.17g", text.c_str(), parsed, expected);
    }
  }
  QCOMPARE(mismatches, 0);
}

void NumericEntryTest::exitCheckClampsAndExplains_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("integerOnly");
  QTest::addColumn<double>("minVal");
  QTest::addColumn<double>("maxVal");
  QTest::addColumn<bool>("valid");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("message");
  const double lo = NumericEntryRules::kLowest;
  const double hi = NumericEntryRules::kHighest;
  QTest::newRow("expression cleaned") << "3*2" << false << lo << hi << true << "6"
                                      << "";
  QTest::newRow("above maximum holds maximum") << "20" << false << 0.001 << 10.0 << false << "10"
                                               << "Entry must be less than or equal to 10";
  QTest::newRow("below minimum holds minimum") << "0" << false << 0.001 << 10.0 << false << "0.001"
                                               << "Entry must be greater than or equal to 0.001";
  QTest::newRow("fraction in integer field") << "2.5" << true << lo << hi << false << "2.5"
                                             << "Entry must be an integer.";
  QTest::newRow("bad text in integer field") << "x" << true << lo << hi << false << "x"
                                             << "Entry must be a valid integer.";
  QTest::newRow("bad text in real field")
      << "" << false << lo << hi << false << "" << kNotEvaluated + "entry cannot be blank";
  QTest::newRow("integer field refuses past 32 bits")
      << "3e9" << true << lo << hi << false << "2147483647"
      << "Entry must be less than or equal to 2147483647";
  QTest::newRow("appending an operator to the value")
      << "3*2" << true << 0.0 << 100.0 << true << "6"
      << "";
}

void NumericEntryTest::exitCheckClampsAndExplains() {
  QFETCH(QString, text);
  QFETCH(bool, integerOnly);
  QFETCH(double, minVal);
  QFETCH(double, maxVal);
  QFETCH(bool, valid);
  QFETCH(QString, shown);
  QFETCH(QString, message);
  NumericEntryRules rules;
  rules.setIntegerOnly(integerOnly);
  rules.setMaxVal(maxVal);
  rules.setMinVal(minVal);
  const NumericEntryResult result = rules.check(text);
  QCOMPARE(result.valid, valid);
  QCOMPARE(result.text, shown);
  QCOMPARE(result.message, message);
}

void NumericEntryTest::boundsStayOrdered() {
  NumericEntryRules rules;
  rules.setMaxVal(5.0);
  rules.setMinVal(8.0);  // above the maximum: lowered to it
  QCOMPARE(rules.minVal(), 5.0);
  rules.setMaxVal(1.0);  // below the minimum: raised to it
  QCOMPARE(rules.maxVal(), 5.0);
  rules.setHex(true);
  QCOMPARE(rules.format(31.2), QStringLiteral("$001F"));
}

void NumericEntryTest::numbersIgnoreACommaLocale() {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) QSKIP("de_DE.UTF-8 is not installed");
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const double value = evaluateExpression(QStringLiteral("1.5*2"));
  const QString text = formatGeneralQ(1234.5, 10);
  std::setlocale(LC_ALL, saved.c_str());
  QLocale::setDefault(QLocale::c());
  QCOMPARE(value, 3.0);
  QCOMPARE(text, QStringLiteral("1234.5"));
}

QTEST_GUILESS_MAIN(NumericEntryTest)
#include "numeric_entry_test.moc"
