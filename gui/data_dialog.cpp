// Shared life cycle of the project dialogs.
#include "gui/data_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "base/expression_evaluator.h"
#include "gui/data_edit.h"

TDataDialog::TDataDialog(vorne::TProgramData& project, QWidget* parent)
    : QWidget(parent),
      m_project(project),
      m_rangeCheck(new TFieldRangeCheck(this, [this] { return m_project.units(); })) {
  setAttribute(Qt::WA_DeleteOnClose);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now != nullptr && isAncestorOf(now)) m_lastFocus = now;
  });
}

void TDataDialog::FormActivate() {
  if (m_comingBack) return;
  for (TDataEdit* edit : m_edits) {
    if (!edit->UnitsString().isEmpty()) edit->setUnits(m_project.units());
  }
  loadValues();
  m_rangeCheck->loaded();
  applyRules();
}

bool TDataDialog::FormDeactivate() {
  if (m_comingBack) return false;
  // The frame clears the focus of a child window it deactivates, so the dialog remembers it.
  QWidget* current = focusWidget() != nullptr ? focusWidget() : m_lastFocus.data();
  auto* focused = qobject_cast<TDataEdit*>(current);
  if (focused != nullptr && focused->isEnabled() &&
      (!focused->Validate() || !m_rangeCheck->accept(focused))) {
    comeBack();
    return false;
  }
  // Any other field still holding a text that was never checked (its check is run when the focus
  // leaves it within the dialog, not when the dialog itself loses the focus).
  for (TDataEdit* edit : findChildren<TDataEdit*>()) {
    if (edit == focused || !edit->isEnabled() || !edit->isVisibleTo(this)) continue;
    if (!edit->Validate()) {
      m_lastFocus = edit;
      comeBack();
      return false;
    }
  }
  storeValues();
  emit committed();
  return true;
}

TDataEdit* TDataDialog::addEdit(
    QGridLayout* grid, int row, const QString& caption, const QString& unitsString, int column) {
  auto* label = new QLabel(this);
  auto* edit = new TDataEdit(this);
  label->setBuddy(edit);
  edit->setEditLabel(label);
  edit->setCaption(caption);
  edit->setUnitsString(unitsString);
  grid->addWidget(label, row, column);
  grid->addWidget(edit, row, column + 1);
  m_edits.push_back(edit);
  return edit;
}

void TDataDialog::storeNumber(const TDataEdit* edit, double& target) {
  if (edit->text() == edit->textOf(target)) return;
  double value = target;
  try {
    value = std::clamp(edit->Number(), edit->MinVal(), edit->MaxVal());
  } catch (const vorne::EExpressionError&) {
    return;
  }
  if (value != target) markModified();
  target = value;
}

void TDataDialog::storeNumber(const TDataEdit* edit, int& target) {
  double value = target;
  try {
    value = std::clamp(edit->Number(), edit->MinVal(), edit->MaxVal());
  } catch (const vorne::EExpressionError&) {
    return;
  }
  const int rounded = static_cast<int>(std::lround(std::clamp(value, -2147483648.0, 2147483647.0)));
  if (rounded != target) markModified();
  target = rounded;
}

QWidget* TDataDialog::closeButton() {
  auto* button = new QPushButton(QStringLiteral("Close"), this);
  connect(button, &QPushButton::clicked, this, &TDataDialog::closeDialog);
  // Enter outside a numeric field presses it (see keyPressEvent).
  button->setDefault(true);
  m_defaultButton = button;
  return button;
}

void TDataDialog::closeDialog() {
  if (m_subWindow != nullptr) {
    m_subWindow->close();
  } else {
    close();
  }
}

void TDataDialog::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (plain && key == Qt::Key_Escape) {
    // The values are the project's already (they commit as the dialog closes): Escape closes.
    event->accept();
    closeDialog();
    return;
  }
  if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
    // A numeric field takes Enter itself (it checks its text); here Enter presses the focused
    // button, or the default one.
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    QPushButton* target = focused != nullptr ? focused : m_defaultButton.data();
    if (target != nullptr && target->isEnabled()) {
      event->accept();
      target->click();
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

void TDataDialog::attachToFrame() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) m_subWindow = sub;
}

void TDataDialog::comeBack() {
  if (m_comingBack) return;
  m_comingBack = true;
  // Deferred: the frame is still busy activating the other window.
  QTimer::singleShot(0, this, [this] {
    if (m_subWindow != nullptr && m_subWindow->mdiArea() != nullptr) {
      m_subWindow->mdiArea()->setActiveSubWindow(m_subWindow);
    } else {
      raise();
      activateWindow();
    }
    if (m_lastFocus != nullptr) m_lastFocus->setFocus(Qt::OtherFocusReason);
    m_comingBack = false;
  });
}

bool TDataDialog::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::ParentChange:
    case QEvent::Show:
      attachToFrame();
      break;
    case QEvent::WindowActivate:
      // A window of its own: the window system's activation drives the life cycle.
      if (m_subWindow == nullptr && isWindow() && !m_active) {
        m_active = true;
        FormActivate();
      }
      break;
    case QEvent::WindowDeactivate:
      if (m_subWindow == nullptr && isWindow() && m_active) {
        m_active = false;
        FormDeactivate();
      }
      break;
    default:
      break;
  }
  return QWidget::event(event);
}

void TDataDialog::closeEvent(QCloseEvent* event) {
  if (m_comingBack || !FormDeactivate()) {
    event->ignore();
    return;
  }
  m_active = false;
  event->accept();
  emit closed();
}
