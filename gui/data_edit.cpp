// Numeric field widget.
#include "gui/data_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <algorithm>

#include "base/expression_evaluator.h"
#include "base/unit_labels.h"
#include "gui/message_box.h"

TDataEdit::TDataEdit(QWidget* parent) : QLineEdit(parent) { showAccepted(m_rules.format(0.0)); }

void TDataEdit::showAccepted(const QString& text) {
  m_typing = false;
  m_valid = true;
  setText(text);
}

void TDataEdit::setCaption(const QString& caption) {
  m_caption = caption;
  refreshLabel();
}

void TDataEdit::setEditLabel(QLabel* label) {
  m_editLabel = label;
  refreshLabel();
}

namespace {

// The value of the shown text; false when the text does not evaluate.
bool shownValue(const QString& text, double& value) {
  try {
    value = vorne::evaluateExpression(text);
    return true;
  } catch (const vorne::EExpressionError&) {
    return false;
  }
}

}  // namespace

void TDataEdit::setHex(bool hex) {
  m_rules.setHex(hex);
  double shown = 0.0;
  if (shownValue(text(), shown)) setNumber(shown);
}

void TDataEdit::setIntegerOnly(bool integerOnly) {
  m_rules.setIntegerOnly(integerOnly);
  setMinVal(m_rules.minVal());
  setMaxVal(m_rules.maxVal());
}

void TDataEdit::setMinVal(double value) {
  m_rules.setMinVal(value);
  double shown = 0.0;
  if (shownValue(text(), shown) && shown < m_rules.minVal()) setNumber(shown);
}

void TDataEdit::setMaxVal(double value) {
  m_rules.setMaxVal(value);
  double shown = 0.0;
  if (shownValue(text(), shown) && shown > m_rules.maxVal()) setNumber(shown);
}

double TDataEdit::Number() const { return vorne::evaluateExpression(text()); }

void TDataEdit::setNumber(double value) { showAccepted(m_rules.format(m_rules.clamp(value))); }

void TDataEdit::setUnits(int units) {
  m_units = std::clamp(units, 1, 3);
  refreshLabel();
}

void TDataEdit::setUnitsString(const QString& unitsString) {
  m_unitsString = unitsString;
  refreshLabel();
}

void TDataEdit::refreshLabel() {
  if (m_editLabel == nullptr) return;
  m_editLabel->setEnabled(isEnabled());
  m_editLabel->setText(vorne::unitLabel(m_caption, m_unitsString, m_units));
}

bool TDataEdit::Validate() {
  if (m_checking) return m_valid;
  m_checking = true;
  m_valid = false;
  const vorne::NumericEntryResult result = m_entryRule ? m_entryRule(text()) : m_rules.check(text());
  if (result.text != text()) setText(result.text);
  if (result.valid) {
    m_valid = true;
    m_typing = false;
  } else {
    showMessageBox(window(), QMessageBox::Warning, kMessageBoxTitle, result.message);
    if (isVisible()) setFocus(Qt::OtherFocusReason);
  }
  m_checking = false;
  return m_valid;
}

void TDataEdit::keyPressEvent(QKeyEvent* event) {
  // Escape abandons what was typed; with nothing typed it goes on to the window.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_typing) {
    showAccepted(m_beforeTyping);
    selectAll();
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Validate();
    selectAll();
    event->accept();
    return;
  }
  // With the whole value selected an operator extends it instead of replacing it.
  static const QString kOperators = QStringLiteral("+-/*^=%!");
  if (event->text().size() == 1 && kOperators.contains(event->text()) && !text().isEmpty() &&
      selectedText() == text()) {
    end(false);
  }
  const QString before = text();
  QLineEdit::keyPressEvent(event);
  if (!m_typing && text() != before) {
    m_typing = true;
    m_beforeTyping = before;
  }
}

bool TDataEdit::focusStaysInForm() const {
  // The form is the window or the widget inside a child window of the multiple-document frame.
  // Focus that leaves the form is the form's deactivation, which checks the field itself.
  const auto formOf = [](const QWidget* w) -> const QWidget* {
    for (const QWidget* p = w; p != nullptr; p = p->parentWidget()) {
      if (p->isWindow() || qobject_cast<const QMdiSubWindow*>(p->parentWidget()) != nullptr) {
        return p;
      }
    }
    return nullptr;
  };
  const QWidget* next = QApplication::focusWidget();
  return next != nullptr && formOf(next) == formOf(this);
}

void TDataEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) {
    return;
  }
  if (!isEnabled() || isReadOnly() || !focusStaysInForm()) return;
  Validate();
}

void TDataEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) refreshLabel();
}
