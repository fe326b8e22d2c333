// The main window of the desktop program: a multiple-document frame that owns the project, the
// tables and the result graphs, and runs the analysis.
#pragma once

#include <QMainWindow>

class QMdiArea;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(QWidget* parent = nullptr);

  QMdiArea* mdiArea() const { return m_mdiArea; }

 private:
  QMdiArea* m_mdiArea = nullptr;
};
