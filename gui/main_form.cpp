// Main window frame.
#include "gui/main_form.h"

#include <QMdiArea>

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), m_mdiArea(new QMdiArea(this)) {
  setCentralWidget(m_mdiArea);
  setWindowTitle(QStringLiteral("Vorne 2014"));
}
