// The life cycle every project dialog shares: activation loads the project into the controls and
// applies the enabling rules; deactivation commits the controls back unless the focused numeric
// field fails its check (the dialog then comes back to the front); closing commits, is refused
// while the focused field is invalid, and tells the owner that the dialog is gone. The dialog is
// a child window of the main window (which drives the life cycle through TChildWindow) or a
// window of its own (driven by the window system's activation).
#pragma once

#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <vector>

#include "app/field_ranges.h"
#include "app/program_data.h"
#include "gui/child_window.h"
#include "gui/field_range_check.h"

class QGridLayout;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class TDataEdit;

class TDataDialog : public QWidget, public TChildWindow {
  Q_OBJECT

 public:
  explicit TDataDialog(vorne::TProgramData& project, QWidget* parent = nullptr);

  // Activation step: unit system of the unit-bearing fields, every control from the project,
  // the enabling rules. The frame also calls it to refresh an open dialog after a unit switch.
  void FormActivate();
  // Commit step: writes every control into the project unless a numeric field fails its check
  // (the focused one first, then every enabled one in the dialog, so that no refused text is left
  // on screen while the project keeps the old value); then that field takes the focus, the
  // dialog asks to be brought back to the front and nothing is written. Returns whether the
  // values were written.
  bool FormDeactivate();

  vorne::TProgramData& project() const { return m_project; }
  // The button Enter presses outside a numeric field: "Close"; nullptr before it is made.
  QPushButton* defaultButton() const { return m_defaultButton; }

  // TChildWindow
  void loadFromProject() override { FormActivate(); }
  bool commitToProject() override { return FormDeactivate(); }

 signals:
  // The values were written into the project.
  void committed();
  // The dialog closed; its owner clears the dialog's open flag.
  void closed();

 protected:
  virtual void loadValues() = 0;
  virtual void applyRules() {}
  virtual void storeValues() = 0;

  // A numeric field with its label in grid row `row` (label in column `column`, field after it).
  // With a unit template it takes the project's units on every activation.
  TDataEdit* addEdit(QGridLayout* grid,
                     int row,
                     const QString& caption,
                     const QString& unitsString = {},
                     int column = 0);
  // The field refuses a typed value outside the range of id (app/field_ranges), or outside a range
  // computed when it is checked, on leaving it, on Enter and on commit.
  void setFieldRange(TDataEdit* edit, vorne::FieldId id) { m_rangeCheck->watch(edit, id); }
  void setFieldRange(TDataEdit* edit, TFieldRangeCheck::RangeOf rangeOf) {
    m_rangeCheck->watch(edit, std::move(rangeOf));
  }
  // The field's value clamped into its bounds is written into target (rounded for an integer);
  // a text that does not evaluate leaves target as it is (the commit checked every field before).
  // A value that differs from target marks the project modified.
  void storeNumber(const TDataEdit* edit, double& target);
  void storeNumber(const TDataEdit* edit, int& target);
  // The "Close" button, the dialog's default button.
  QWidget* closeButton();
  // Closes the dialog (its frame in the frame window), committing its values.
  void closeDialog();
  void markModified() { m_project.setModified(); }

  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Enter presses the focused or the default button, Escape closes.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void attachToFrame();
  void comeBack();

  vorne::TProgramData& m_project;
  TFieldRangeCheck* m_rangeCheck;
  std::vector<TDataEdit*> m_edits;
  QPointer<QMdiSubWindow> m_subWindow;
  QPointer<QWidget> m_lastFocus;
  QPointer<QPushButton> m_defaultButton;
  bool m_active = false;
  // A refused commit is waiting for the dialog to come back: its activation keeps the fields as
  // the user left them, and the close that follows the refusal is refused without a second box.
  bool m_comingBack = false;
};
