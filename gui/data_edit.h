// The numeric field of every dialog: a line edit that takes a number or an arithmetic expression,
// checks it when the user leaves it or presses Enter, shows the cleaned value and names its unit in
// the label beside it. The rules (evaluation, bounds, integers, the shown text) live in
// base/numeric_entry; this widget adds the keys, the message box and the focus.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <functional>

#include "base/numeric_entry.h"

class TDataEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TDataEdit(QWidget* parent = nullptr);

  // Label text without the unit.
  const QString& Caption() const { return m_caption; }
  void setCaption(const QString& caption);
  // The label beside the edit: it shows Caption and the unit, and is enabled with the edit.
  QLabel* EditLabel() const { return m_editLabel; }
  void setEditLabel(QLabel* label);

  bool Hex() const { return m_rules.hex(); }
  void setHex(bool hex);
  // With IntegerOnly the bounds are clamped to the 32-bit range.
  bool IntegerOnly() const { return m_rules.integerOnly(); }
  void setIntegerOnly(bool integerOnly);
  double MinVal() const { return m_rules.minVal(); }
  double MaxVal() const { return m_rules.maxVal(); }
  // A minimum above the maximum is lowered to it (and the reverse); the shown number is moved
  // into the new range.
  void setMinVal(double value);
  void setMaxVal(double value);

  // Evaluates the current text; throws vorne::EExpressionError when it cannot be evaluated.
  double Number() const;
  // Shows value clamped into [MinVal, MaxVal].
  void setNumber(double value);
  // The text setNumber(value) shows. A field still showing textOf(held) holds the held value
  // itself (which may have more digits than the text), so a commit keeps it unrounded.
  QString textOf(double value) const { return m_rules.format(m_rules.clamp(value)); }

  // 1 English, 2 SI, 3 unit template shown unchanged; clamped into 1..3.
  int Units() const { return m_units; }
  void setUnits(int units);
  // Unit template with the tokens F, F1, ..., L2 ("F/L2^2"); empty: no unit in the label.
  const QString& UnitsString() const { return m_unitsString; }
  void setUnitsString(const QString& unitsString);

  // Replaces the field's own exit check (evaluation, integer-only, bounds) by another rule
  // below the windows, e.g. a table cell's entry path; its result is applied as the own check's
  // is. An empty function restores the own check.
  using EntryRule = std::function<vorne::NumericEntryResult(const QString& text)>;
  void setEntryRule(EntryRule rule) { m_entryRule = std::move(rule); }

  // The exit check: evaluates, checks integer-only and the bounds, and on success shows the
  // cleaned value. A value out of bounds is replaced by the violated bound. Every failure shows
  // its message in a message box and gives the focus back to the edit. Returns success.
  bool Validate();
  // Shows text as the field's accepted value (what the project holds), e.g. after a commit.
  void showAccepted(const QString& text);
  // Whether the last exit check succeeded (true until the first check).
  bool isValid() const { return m_valid; }

 protected:
  // Escape after typing brings back the text the field showed before the typing began (the
  // value loaded or last accepted); with nothing typed since, Escape goes on to the window.
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void refreshLabel();
  bool focusStaysInForm() const;

  vorne::NumericEntryRules m_rules;
  EntryRule m_entryRule;
  QString m_beforeTyping;  // the text shown when the user began to type
  bool m_typing = false;   // typed since the last load or accepted check
  QString m_caption;
  QString m_unitsString;
  QPointer<QLabel> m_editLabel;
  int m_units = 1;
  bool m_valid = true;
  bool m_checking = false;
};
