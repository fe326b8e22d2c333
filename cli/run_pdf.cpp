// The runner's side of the calculation report: the checks before the run and the module call.
#include "cli/run_pdf.h"

#include <QFile>
#include <QFileInfo>

#include "app/dynamic_library.h"
#include "app/engine_run.h"
#include "base/atomic_file.h"
#include "base/number_text.h"
#include "report/report_module.h"

namespace vorne {

bool takeReportOption(const QStringList& args, qsizetype& i, RunCommand& command, QString& error) {
  const QString& arg = args[i];
  if (arg != "--pdf" && arg != "--required-capacity" && arg != "--page" && arg != "--report-date") {
    return false;
  }
  if (i + 1 >= args.size()) {
    error = arg + QStringLiteral(" needs a value");
    return true;
  }
  const QString value = args[++i];
  if (arg == "--pdf") {
    command.pdf = value;
  } else if (arg == "--required-capacity") {
    double capacity = 0.0;
    if (!parseDecimal(value.toStdString(), capacity) || !(capacity > 0.0)) {
      error = QStringLiteral("required capacity ") + value +
              QStringLiteral(" is not a positive number (kips or kN, as the project's units)");
    } else {
      command.requiredCapacity = capacity;
    }
  } else if (arg == "--page") {
    ReportPage page = ReportPage::Letter;
    if (!parseReportPage(value, page)) {
      error = QStringLiteral("page size ") + value + QStringLiteral(" is neither a4 nor letter");
    } else {
      command.page = value.toLower();
    }
  } else {
    command.reportDate = QDateTime::fromString(value, Qt::ISODate);
    if (!command.reportDate.isValid()) {
      error = QStringLiteral("report date ") + value +
              QStringLiteral(" is not of the form YYYY-MM-DDTHH:MM:SS");
    }
  }
  return true;
}

QString reportTargetProblem(const RunCommand& command) {
  return outputFileProblem(QFileInfo(command.pdf).absoluteFilePath());
}

int writeRunReport(const RunCommand& command,
                   const TProgramData& project,
                   const TMainGraphs& graphs,
                   const AnalysisRunResult& run,
                   const QStringList& runMessages) {
  ReportSources sources;
  sources.project = &project;
  sources.graphs = &graphs;
  sources.reportFile = run.files.reportFile;
  sources.runMessages = runMessages;
  QFile report(run.files.reportFile);
  if (!report.open(QIODevice::ReadOnly)) {
    complain(run.files.reportFile + QStringLiteral(": the report of the run cannot be read: ") +
             report.errorString());
    return kExitFailed;
  }
  sources.reportText = QString::fromLatin1(report.readAll());
  ReportOptions options;
  options.requiredCapacity = command.requiredCapacity;
  if (!command.page.isEmpty()) {
    ReportPage page = ReportPage::Letter;
    parseReportPage(command.page, page);  // checked with the options
    options.page = page;
  }
  options.date = command.reportDate;

  const QString modulePath =
      QFileInfo(defaultEngineLibraryPath()).absolutePath() + QStringLiteral("/libvorne_report.so");
  TDynamicLibrary module(modulePath);
  ReportModuleEntry entry = nullptr;
  try {
    module.Load();
    entry = reinterpret_cast<ReportModuleEntry>(module.GetEntryPoint(kReportModuleEntry));
  } catch (const EDLLError& error) {
    complain(
        modulePath + QStringLiteral(": the report writer cannot be loaded: ") + error.message() +
        (module.LastError().isEmpty() ? QString() : QStringLiteral(": ") + module.LastError()));
    return kExitFailed;
  }
  if (entry == nullptr) {
    complain(modulePath + QStringLiteral(": the report writer has no entry point"));
    return kExitFailed;
  }
  QString error;
  entry(QFileInfo(command.pdf).absoluteFilePath(), sources, options, error);
  if (!error.isEmpty()) {
    complain(error);
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace vorne
