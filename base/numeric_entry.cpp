// Exit check of a numeric field.
#include "base/numeric_entry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/expression_evaluator.h"
#include "base/number_text.h"

namespace vorne {

namespace {

constexpr double kInt32Min = -2147483648.0;
constexpr double kInt32Max = 2147483647.0;
// Digits a double shows without noise (0.1 stays "0.1").
constexpr int kFieldDigits = 15;

}  // namespace

void NumericEntryRules::setMinVal(double value) {
  if (m_integerOnly) value = std::clamp(value, kInt32Min, kInt32Max);
  m_minVal = std::min(value, m_maxVal);
}

void NumericEntryRules::setMaxVal(double value) {
  if (m_integerOnly) value = std::clamp(value, kInt32Min, kInt32Max);
  m_maxVal = std::max(value, m_minVal);
}

void NumericEntryRules::setIntegerOnly(bool integerOnly) {
  m_integerOnly = integerOnly;
  if (integerOnly) {
    m_minVal = std::clamp(m_minVal, kInt32Min, kInt32Max);
    m_maxVal = std::clamp(m_maxVal, kInt32Min, kInt32Max);
  }
}

double NumericEntryRules::clamp(double value) const {
  return std::clamp(value, m_minVal, m_maxVal);
}

QString NumericEntryRules::format(double value) const {
  if (m_hex && std::fabs(value) < 9.2e18) {
    const auto rounded = static_cast<std::int64_t>(std::llround(value));
    const QString digits =
        QString::number(static_cast<qulonglong>(rounded < 0 ? -rounded : rounded), 16)
            .toUpper()
            .rightJustified(4, QLatin1Char('0'));
    return (rounded < 0 ? QStringLiteral("-$") : QStringLiteral("$")) + digits;
  }
  return formatGeneralQ(value, kFieldDigits);
}

NumericEntryResult NumericEntryRules::check(const QString& text) const {
  NumericEntryResult result;
  result.text = text;
  double value = 0.0;
  try {
    value = evaluateExpression(text);
  } catch (const EExpressionError& error) {
    result.message =
        m_integerOnly ? QStringLiteral("Entry must be a valid integer.") : error.message();
    return result;
  }
  if (m_integerOnly && value != std::trunc(value)) {
    result.message = QStringLiteral("Entry must be an integer.");
    return result;
  }
  if (value < m_minVal) {
    result.value = m_minVal;
    result.text = format(m_minVal);
    result.message = QStringLiteral("Entry must be greater than or equal to ") + result.text;
    return result;
  }
  if (value > m_maxVal) {
    result.value = m_maxVal;
    result.text = format(m_maxVal);
    result.message = QStringLiteral("Entry must be less than or equal to ") + result.text;
    return result;
  }
  result.valid = true;
  result.value = value;
  result.text = format(value);
  return result;
}

}  // namespace vorne
