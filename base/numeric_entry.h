// The rules of a numeric field without its widget: bounds, integer-only, the shown text of a value
// and the check run when the user leaves the field or presses Enter.
#ifndef VORNE_APP_NUMERIC_ENTRY_H
#define VORNE_APP_NUMERIC_ENTRY_H

#include <QString>
#include <limits>

namespace vorne {

// Result of the exit check. On success `text` is the cleaned value. On a bound violation the
// field holds the violated bound: `value` and `text` are that bound. On an evaluation error
// `text` is the entry unchanged.
struct NumericEntryResult {
  bool valid = false;
  double value = 0.0;
  QString text;
  QString message;  // empty when valid
};

class NumericEntryRules {
 public:
  static constexpr double kLowest = std::numeric_limits<double>::lowest();
  static constexpr double kHighest = std::numeric_limits<double>::max();

  double minVal() const { return m_minVal; }
  double maxVal() const { return m_maxVal; }
  bool integerOnly() const { return m_integerOnly; }
  bool hex() const { return m_hex; }

  // A minimum above the maximum is lowered to the maximum; with integerOnly the bound is clamped
  // to the 32-bit range.
  void setMinVal(double value);
  // A maximum below the minimum is raised to the minimum; with integerOnly as above.
  void setMaxVal(double value);
  // Turning integerOnly on clamps both bounds to -2147483648..2147483647.
  void setIntegerOnly(bool integerOnly);
  void setHex(bool hex) { m_hex = hex; }

  // The value clamped into [minVal, maxVal].
  double clamp(double value) const;
  // The text a field shows for value: general format with 15 significant digits, or with hex
  // "$" and at least four hexadecimal digits of the rounded value.
  QString format(double value) const;

  // Evaluates text and checks it: "Entry must be an integer." (integerOnly and a fraction),
  // "Entry must be greater than or equal to <min>", "Entry must be less than or equal to <max>",
  // and on an evaluation error "Entry must be a valid integer." (integerOnly) or the
  // evaluator's message.
  NumericEntryResult check(const QString& text) const;

 private:
  double m_minVal = kLowest;
  double m_maxVal = kHighest;
  bool m_integerOnly = false;
  bool m_hex = false;
};

}  // namespace vorne

#endif  // VORNE_APP_NUMERIC_ENTRY_H
