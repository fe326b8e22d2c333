// Unit names and factors of the unit tokens.
#include "base/unit_labels.h"

#include <array>
#include <charconv>
#include <cmath>

namespace vorne {

namespace {

struct Token {
  const char* token;
  const char* english;
  const char* si;
  double englishToSi;
};

// In the order in which each kind is searched: a longer token before the plain letter.
constexpr std::array<Token, 6> kForceTokens{{
    {"F6", "slug", "Mg", 0.0145939029372064},  // slug -> Mg
    {"F5", "sec", "sec", 1.0},
    {"F4", "lb-sec2/in", "Mg", 0.175126835246476},      // lbf s^2/in -> Mg
    {"F2", "tons", "kN", 2000.0 * kPoundToKiloNewton},  // short tons -> kN
    {"F1", "kips", "kN", 1000.0 * kPoundToKiloNewton},
    {"F", "lbs", "kN", kPoundToKiloNewton},
}};
constexpr std::array<Token, 4> kLengthTokens{{
    {"L2", "ft", "m", kFootToMetre},
    {"L1", "in", "mm", kInchToMillimetre},
    {"L3", "rad", "rad", 1.0},
    {"L", "in", "m", kInchToMetre},
}};

template <std::size_t N>
void substituteFirstKind(QString& text, const std::array<Token, N>& tokens, int units) {
  for (const Token& t : tokens) {
    if (text.contains(QLatin1String(t.token))) {
      text.replace(QLatin1String(t.token),
                   QLatin1String(units == kEnglishUnits ? t.english : t.si));
      return;
    }
  }
}

// Factor of the token starting at text[i] (an F or L), advancing i past it.
double tokenFactor(const QString& text, qsizetype& i) {
  const QChar letter = text[i];
  ++i;
  QString token(letter);
  if (i < text.size() && text[i].isDigit()) token += text[i++];
  double factor = 1.0;
  const auto find = [&token](const auto& tokens) {
    for (const Token& t : tokens) {
      if (token == QLatin1String(t.token)) return t.englishToSi;
    }
    return 1.0;
  };
  factor = letter == QLatin1Char('F') ? find(kForceTokens) : find(kLengthTokens);
  if (i + 1 < text.size() && text[i] == QLatin1Char('^') && text[i + 1].isDigit()) {
    factor = std::pow(factor, text[i + 1].digitValue());
    i += 2;
  }
  return factor;
}

double expressionFactor(const QString& text) {
  double factor = 1.0;
  for (qsizetype i = 0; i < text.size();) {
    if (text[i] == QLatin1Char('F') || text[i] == QLatin1Char('L')) {
      factor *= tokenFactor(text, i);
    } else {
      ++i;
    }
  }
  return factor;
}

}  // namespace

QString expandUnits(const QString& unitTemplate, int units) {
  if (units != kEnglishUnits && units != kSiUnits) return unitTemplate;
  QString text = unitTemplate;
  substituteFirstKind(text, kForceTokens, units);
  substituteFirstKind(text, kLengthTokens, units);
  return text;
}

QString unitLabel(const QString& caption, const QString& unitTemplate, int units) {
  if (unitTemplate.isEmpty()) return caption;
  return caption + QStringLiteral(" (") + expandUnits(unitTemplate, units) + QStringLiteral(")");
}

double englishToSiFactor(const QString& unitTemplate) {
  const qsizetype slash = unitTemplate.indexOf(QLatin1Char('/'));
  if (slash < 0) return expressionFactor(unitTemplate);
  return expressionFactor(unitTemplate.left(slash)) / expressionFactor(unitTemplate.mid(slash + 1));
}

namespace {

constexpr double kConvertedTolerance = 1e-12;  // about 12 significant digits
constexpr double kNearTolerance = 1e-15;       // a few units in the last place

// The shortest decimal (fewest significant digits) within relative tolerance of value.
double shortestNear(double value, double tolerance) {
  if (value == 0.0 || !std::isfinite(value)) return value;
  for (int precision = 1; precision <= 17; ++precision) {
    char text[40];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, precision).ptr;
    double candidate = 0.0;
    std::from_chars(text, end, candidate);
    if (std::fabs(candidate - value) <= tolerance * std::fabs(value)) return candidate;
  }
  return value;
}

double multiplied(double value, double factor, bool toSi) {
  return toSi ? value * factor : value / factor;
}

// The product, or the shortest decimal near it, whose plain conversion back (the product,
// rounded the same two ways) is value.
double convertOnce(double value, double factor, bool toSi) {
  const double product = multiplied(value, factor, toSi);
  for (double candidate : {shortestNear(product, kConvertedTolerance),
                           shortestNear(product, kNearTolerance), product}) {
    const double back = multiplied(candidate, factor, !toSi);
    if (shortestNear(back, kConvertedTolerance) == value ||
        shortestNear(back, kNearTolerance) == value) {
      return candidate;
    }
  }
  return product;
}

}  // namespace

double convertUnitValue(double value, double englishToSi, bool toSi) {
  if (value == 0.0 || !std::isfinite(value) || englishToSi == 1.0) {
    return multiplied(value, englishToSi, toSi);
  }
  // The first candidate whose own conversion back (by the rule above) is value: then a value
  // converted there and back comes home.
  const double product = multiplied(value, englishToSi, toSi);
  for (double candidate : {shortestNear(product, kConvertedTolerance),
                           shortestNear(product, kNearTolerance), product}) {
    if (convertOnce(candidate, englishToSi, !toSi) == value) return candidate;
  }
  return product;
}

}  // namespace vorne
