// Units of field CPT files.
#include "cpt/cpt_units.h"

#include <cmath>
#include <string>

#include "base/number_text.h"
#include "base/unit_labels.h"

namespace vorne::cpt {

QString unitToken(const QString& unit) {
  QString text = unit.trimmed();
  text.replace(QChar(0x00B2), QLatin1Char('2'));  // ²
  text.replace(QLatin1String("^2"), QLatin1String("2"));
  qsizetype end = 0;
  while (end < text.size() && !text[end].isSpace() && text[end] != QLatin1Char('(') &&
         text[end] != QLatin1Char('[') && text[end] != QLatin1Char(',')) {
    ++end;
  }
  return text.left(end);
}

std::optional<double> stressFactor(const QString& unit) {
  const QString u = unitToken(unit).toLower();
  struct Entry {
    const char* name;
    double factor;
  };
  // The English stresses by the project's own unit switch (base/unit_labels.h), so that a file
  // in ksf read into an English project gives back the file's numbers: 500 ksf stays 500, not
  // 499.99996 as with a factor rounded to 47.880259.
  static const double ksf = englishToSiFactor(QStringLiteral("F1/L2^2"));
  static const Entry kStress[] = {
      {"mpa", 1000.0},    {"mn/m2", 1000.0}, {"n/mm2", 1000.0},       {"kpa", 1.0},
      {"kn/m2", 1.0},     {"bar", 100.0},    {"kg/cm2", 98.0665},     {"kgf/cm2", 98.0665},
      {"tsf", 2.0 * ksf}, {"ksf", ksf},      {"psf", ksf / 1000.0},   {"psi", 0.144 * ksf},
      {"pa", 0.001},      {"n/m2", 0.001},
  };
  for (const Entry& e : kStress) {
    if (u == QLatin1String(e.name)) return e.factor;
  }
  return std::nullopt;
}

bool isForceUnit(const QString& unit) {
  const QString u = unitToken(unit).toLower();
  for (const char* name : {"kn", "n", "mn", "kgf", "lbf", "lb", "lbs", "kip", "kips"}) {
    if (u == QLatin1String(name)) return true;
  }
  return false;
}

std::optional<double> lengthFactor(const QString& unit) {
  const QString u = unitToken(unit).toLower();
  if (u == QLatin1String("m") || u == QLatin1String("meter") || u == QLatin1String("metre")) {
    return 1.0;
  }
  if (u == QLatin1String("cm")) return 0.01;
  if (u == QLatin1String("mm")) return 0.001;
  if (u == QLatin1String("ft") || u == QLatin1String("feet")) return kFootToMetre;
  return std::nullopt;
}

double scaled(double value, double factor) {
  const double product = value * factor;
  if (factor == 1.0 || !std::isfinite(product)) return product;
  double rounded = product;
  if (!parseDecimal(formatGeneral(product, 15), rounded)) return product;
  return rounded;
}

}  // namespace vorne::cpt
