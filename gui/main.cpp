// vorne-desktop: starts the desktop program.
#include <QApplication>

#include "gui/main_form.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  TMainForm mainForm;
  mainForm.show();
  return QApplication::exec();
}
