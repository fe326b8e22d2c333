// The runner's report writer as a module: the one place where the runner meets Qt Gui.
#include "report/report_module.h"

#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "base/io_error.h"

extern "C" __attribute__((visibility("default"))) void vorne_write_calculation_report(
    const QString& fileName,
    const vorne::ReportSources& sources,
    const vorne::ReportOptions& options,
    QString& error) {
  error.clear();
  std::unique_ptr<QGuiApplication> application;
  if (QCoreApplication::instance() == nullptr) {
    // The runner shows no window: the fonts need a platform, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "vorne";
    static char* argv[] = {name, nullptr};
    // The platform's start-up notes (no runtime folder and the like) are no concern of a run.
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString& message) {
          if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fputs((message + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
          }
        });
    application = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(previous);
  }
  try {
    vorne::writeCalculationReport(fileName, sources, options);
  } catch (const vorne::EInOutError& e) {
    error = fileName + QStringLiteral(": ") + e.message();
  } catch (const std::exception& e) {
    error = fileName + QStringLiteral(": ") + QString::fromLocal8Bit(e.what());
  }
}
