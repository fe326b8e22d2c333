// vorne-desktop [PROJECT]: starts the desktop program, with the project named on the command line
// when that file exists.
#include <QApplication>

#include "gui/main_form.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vorne 2014"));
  TMainForm mainForm;
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) mainForm.openStartupProject(arguments.at(1));
  mainForm.show();
  return QApplication::exec();
}
