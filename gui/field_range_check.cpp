// Range check of a form's numeric fields.
#include "gui/field_range_check.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <cmath>

#include "base/expression_evaluator.h"
#include "gui/data_edit.h"
#include "gui/message_box.h"

TFieldRangeCheck::TFieldRangeCheck(QWidget* form, UnitsOf unitsOf)
    : QObject(form), m_form(form), m_unitsOf(std::move(unitsOf)) {}

void TFieldRangeCheck::watch(TDataEdit* edit, vorne::FieldId id) {
  watch(edit, [this, id] { return vorne::fieldRange(id, m_unitsOf()); });
}

void TFieldRangeCheck::watch(TDataEdit* edit, RangeOf rangeOf) {
  m_ranges[edit] = std::move(rangeOf);
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textEdited, this, [this, edit] { m_typed.insert(edit); });
  connect(edit, &QObject::destroyed, this, [this, edit] {
    m_ranges.erase(edit);
    m_typed.erase(edit);
  });
}

QString TFieldRangeCheck::refusal(TDataEdit* edit) const {
  const auto found = m_ranges.find(edit);
  if (found == m_ranges.end() || m_typed.count(edit) == 0 || !edit->isEnabled()) return {};
  double value = 0.0;
  try {
    value = edit->Number();
  } catch (const vorne::EExpressionError&) {
    return {};
  }
  // Outside the field's own bounds its check clamps and explains.
  if (value < edit->MinVal() || value > edit->MaxVal()) return {};
  if (edit->IntegerOnly() && value != std::trunc(value)) return {};
  return vorne::rangeRefusal(found->second(), value, m_unitsOf());
}

bool TFieldRangeCheck::accept(TDataEdit* edit) {
  const QString message = refusal(edit);
  if (message.isEmpty()) {
    m_typed.erase(edit);
    return true;
  }
  if (!m_showing) {
    m_showing = true;
    showMessageBox(m_form->window(), QMessageBox::Warning, kMessageBoxTitle, message);
    m_showing = false;
  }
  if (edit->isVisible()) edit->setFocus(Qt::OtherFocusReason);
  return false;
}

bool TFieldRangeCheck::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<TDataEdit*>(watched);
  if (edit == nullptr || m_showing) return QObject::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !accept(edit)) {
      edit->selectAll();
      return true;
    }
  } else if (event->type() == QEvent::FocusOut) {
    const auto* focus = static_cast<QFocusEvent*>(event);
    // Focus that leaves the form (a popup, another window) is the form's commit, which checks
    // the focused field itself.
    const QWidget* next = QApplication::focusWidget();
    const bool staysInForm = next != nullptr && next != edit && m_form->isAncestorOf(next);
    if (focus->reason() != Qt::PopupFocusReason && focus->reason() != Qt::ActiveWindowFocusReason &&
        staysInForm && !edit->isReadOnly() && !refusal(edit).isEmpty()) {
      // The edit keeps the focus (and its text): the focus-out is not passed on.
      accept(edit);
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}
