// vorne run and vorne convert: one project through the analysis run service, or one project
// opened and saved in the current layout.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/analysis_run.h"
#include "app/dynamic_library.h"
#include "app/engine_run.h"
#include "app/install_layout.h"
#include "app/main_window_rules.h"
#include "app/project_check.h"
#include "app/project_json.h"
#include "base/atomic_file.h"
#include "base/io_error.h"
#include "cli/commands.h"
#include "cli/cpt_command.h"
#include "cli/run_pdf.h"
#include "cli/run_summary.h"
#include "plot/xlsx_export.h"

namespace vorne {

namespace {

QString oneLine(QString text) {
  return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).simplified();
}

// Writes text to path unless a different file is there already: the runner never overwrites a
// file it did not make.
bool writeIfAbsentOrEqual(const QString& path, const QByteArray& text, QString& message) {
  QFile existing(path);
  if (existing.exists()) {
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == text) return true;
    message = path + QStringLiteral(
                         " exists with other contents; remove it or choose another --output-dir");
    return false;
  }
  return true;
}

// Every graph the desktop program's Graphics menu would offer after this run, into one workbook.
int exportWorkbook(const QString& workbook,
                   const TProgramData& project,
                   TMainGraphs& graphs,
                   const AnalysisRunResult& run) {
  const TResultCommands offered =
      resultCommands(run.ResultsAvailable, QFileInfo::exists(run.files.plotFile),
                     project.ExtraTzDepths, project.LoadingType);
  ExportPlotFlags chosenPlots{};
  chosenPlots.fill(offered.results);
  chosenPlots[2] = offered.tip;      // tip resistance
  chosenPlots[8] = offered.extraTz;  // extra t-z curves
  chosenPlots[9] = offered.tip;      // Q-w curve
  const std::vector<const TGraphPlot*> chosen = chosenExportPlots(graphs, chosenPlots);
  // The writer is a module beside the program, loaded only now: a run without a workbook does
  // not load libxlsxwriter and the libraries it pulls in. It stays loaded while its result is
  // used, since the result's texts may point into it.
  const QString modulePath = QFileInfo(defaultEngineLibraryPath()).absolutePath() +
                             QStringLiteral("/libvorne_workbook.so");
  TDynamicLibrary module(modulePath);
  using ExportEntry =
      void (*)(const std::vector<const TGraphPlot*>&, const QString&, WorkbookExportResult&);
  ExportEntry entry = nullptr;
  try {
    module.Load();
    entry = reinterpret_cast<ExportEntry>(module.GetEntryPoint("vorne_export_graphs_to_workbook"));
  } catch (const EDLLError& error) {
    complain(
        modulePath + QStringLiteral(": the workbook writer cannot be loaded: ") + error.message() +
        (module.LastError().isEmpty() ? QString() : QStringLiteral(": ") + module.LastError()));
    return kExitFailed;
  }
  if (entry == nullptr) {
    complain(modulePath + QStringLiteral(": the workbook writer has no entry point"));
    return kExitFailed;
  }
  WorkbookExportResult exported;
  entry(chosen, QFileInfo(workbook).absoluteFilePath(), exported);
  if (!exported.ok) {
    complain(exported.message);
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

void complain(const QString& message) {
  std::fputs(("vorne: " + oneLine(message) + "\n").toUtf8().constData(), stderr);
}

bool isOlderLayout(const QString& path) {
  return QFileInfo(path).suffix().compare(QLatin1String("vrd"), Qt::CaseInsensitive) == 0;
}

QString projectFolderProblem(const QString& folder,
                             const QString& examplesFolder,
                             const std::function<bool(const QString&)>& writable) {
  const QString hint = QStringLiteral("; give a folder for the outputs with --output-dir DIR");
  const QString canonical = QFileInfo(folder).canonicalFilePath();
  if (!canonical.isEmpty() && canonical == QFileInfo(examplesFolder).canonicalFilePath()) {
    return folder + QStringLiteral(": the examples installed with vorne are kept as shipped") +
           hint;
  }
  if (!writable(folder)) {
    return folder + QStringLiteral(": the project's folder cannot be written") + hint;
  }
  return {};
}

int runProject(const RunCommand& command) {
  const QFileInfo info(command.project);
  if (!info.exists()) {
    complain(command.project + QStringLiteral(": no such file"));
    return kExitFailed;
  }
  if (!info.isFile()) {
    complain(command.project + QStringLiteral(": not a file"));
    return kExitFailed;
  }
  const QString outputFolder = command.outputFolder.isEmpty()
                                   ? info.absolutePath()
                                   : QFileInfo(command.outputFolder).absoluteFilePath();
  // Outputs beside the project: refused at once where they could not be written or do not belong,
  // with the way out, rather than by the first output file's check.
  if (command.outputFolder.isEmpty()) {
    const QString problem = projectFolderProblem(
        outputFolder, installedExamplesFolder(programFolder()), [](const QString& folder) {
          return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
        });
    if (!problem.isEmpty()) {
      complain(problem);
      return kExitFailed;
    }
  }
  if (!QDir().mkpath(outputFolder)) {
    complain(outputFolder + QStringLiteral(": cannot create the output folder"));
    return kExitFailed;
  }

  // Every output is checked before the analysis; the run service checks its own files.
  if (!command.workbook.isEmpty()) {
    const QString problem = outputFileProblem(QFileInfo(command.workbook).absoluteFilePath());
    if (!problem.isEmpty()) {
      complain(command.workbook + QStringLiteral(": the workbook cannot be written: ") + problem);
      return kExitFailed;
    }
  }
  if (!command.pdf.isEmpty()) {
    if (const QString problem = reportTargetProblem(command); !problem.isEmpty()) {
      complain(command.pdf + QStringLiteral(": the report cannot be written: ") + problem);
      return kExitFailed;
    }
  }

  TProgramData project;
  const bool older = isOlderLayout(info.absoluteFilePath());
  try {
    project.createFromFile(info.absoluteFilePath(), !older);
  } catch (const EInOutError& error) {
    const QString file = error.fileName().isEmpty() ? command.project : error.fileName();
    complain(file + QStringLiteral(": unreadable project: ") + error.message());
    return kExitFailed;
  }
  // A field CPT file stands in for the project's CPT points: its side file goes into a private
  // folder that the engine reads, and the project's own files stay as they are.
  std::unique_ptr<QTemporaryDir> cptFolder;
  QString cptSideFile;
  std::vector<CptProfilePoint> cptPoints;
  if (!command.cptFile.isEmpty()) {
    try {
      CptCommand cpt;
      cpt.file = command.cptFile;
      cpt.location = command.cptLocation;
      cpt.units = project.units();
      const CptSelection selection = selectCpt(cpt);
      cptFolder = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                  QStringLiteral("/vorne-cpt-XXXXXX"));
      if (!cptFolder->isValid()) {
        complain(command.cptFile + QStringLiteral(": no private folder for its CPT side file: ") +
                 cptFolder->errorString());
        return kExitFailed;
      }
      cptSideFile = cptFolder->filePath(QStringLiteral("profile.cpt"));
      writeFileAtomically(cptSideFile, cpt::cptSideFileText(selection.engine));
      for (const cpt::EnginePoint& p : selection.engine.points) {
        cptPoints.push_back({p.depth, p.coneResistance});
      }
    } catch (const cpt::CptFileError& error) {
      complain(error.message());
      return kExitFailed;
    } catch (const EInOutError& error) {
      complain(cptSideFile + QStringLiteral(": ") + error.message());
      return kExitFailed;
    }
  }

  if (older) {
    // The engine reads the current layout only: convert into the output folder first.
    project.setFileName(
        QDir(outputFolder).filePath(info.completeBaseName() + QStringLiteral(".vr6d")));
    QString message;
    try {
      const QByteArray data = project.dataFileText();
      const QByteArray cpt = project.cptFileText();
      if (!writeIfAbsentOrEqual(project.fileName(), data, message) ||
          !writeIfAbsentOrEqual(project.cptFileName(), cpt, message)) {
        complain(message);
        return kExitFailed;
      }
      project.save();
    } catch (const EInOutError& error) {
      complain(project.fileName() + QStringLiteral(": ") + error.message());
      return kExitFailed;
    }
  } else {
    project.setFileName(info.absoluteFilePath());
  }

  // The model holds the points the engine reads (after an older project was converted with its
  // own), never to be saved.
  if (!cptSideFile.isEmpty()) project.CptPoints = cptPoints;

  TMainGraphs graphs;
  QString failure;
  QString plotReason;
  AnalysisRunOptions options;
  options.saveFirst = false;
  options.outputFolder = outputFolder;
  options.cptFile = cptSideFile;
  const AnalysisRunResult result =
      runAnalysis(project, graphs, options,
                  [&](RunMessageKind kind, const QString& text, const QString& reason) {
                    if (text == kPlotLoadFailed) {
                      plotReason = reason;
                    } else if (kind != RunMessageKind::Information && failure.isEmpty()) {
                      failure = reason.isEmpty() ? text : text + QStringLiteral(": ") + reason;
                    }
                  });

  // The warning that the soil ends above the required depth belongs to a run that went on; a
  // stopped run says only why it stopped.
  const QString warning = result.outcome == AnalysisRunOutcome::Finished
                              ? consoleSoilWarning(result.console)
                              : QString();
  if (!warning.isEmpty()) complain(command.project + QStringLiteral(": warning: ") + warning);
  switch (result.outcome) {
    case AnalysisRunOutcome::NotRun:
      if (failure.startsWith(kProjectProblemsHeading)) {
        // The project check: its heading, then one line per problem.
        for (QString line : failure.split(QLatin1Char('\n'))) {
          if (line.startsWith(QStringLiteral("- "))) line.remove(0, 2);
          complain(command.project + QStringLiteral(": ") + line);
        }
      } else {
        complain(command.project + QStringLiteral(": ") + failure);
      }
      return kExitFailed;
    case AnalysisRunOutcome::Stopped:
      complain(command.project + QStringLiteral(": run stopped: ") +
               (result.stopMessage.isEmpty() ? QStringLiteral("see ") + result.files.reportFile
                                             : result.stopMessage));
      return kExitFailed;
    case AnalysisRunOutcome::Finished:
      break;
  }
  if (!result.ResultsAvailable) {
    complain(command.project + QStringLiteral(": the plot data file ") + result.files.plotFile +
             QStringLiteral(" could not be read: ") + plotReason);
    return kExitFailed;
  }
  if (result.grlweapFile.isEmpty()) {
    complain(command.project + QStringLiteral(": ") + failure);
    return kExitFailed;
  }
  if (!command.quiet) {
    const RunSummary summary =
        summarize(command.project, project, graphs, result, command.requiredCapacity);
    const QByteArray text = command.json ? summaryJson(summary) : summaryText(summary);
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
  }
  if (!command.workbook.isEmpty()) {
    if (const int status = exportWorkbook(command.workbook, project, graphs, result);
        status != kExitOk) {
      return status;
    }
  }
  if (!command.pdf.isEmpty()) {
    return writeRunReport(command, project, graphs, result,
                          warning.isEmpty() ? QStringList() : QStringList{warning});
  }
  return kExitOk;
}

int convertProject(const ConvertCommand& command) {
  const QFileInfo info(command.project);
  if (!info.isFile()) {
    complain(command.project + QStringLiteral(": no such file"));
    return kExitFailed;
  }
  if (isOlderLayout(command.output)) {
    complain(
        command.output +
        QStringLiteral(": the output is saved in the current layout; give it the extension .vr6d"));
    return kExitUsage;
  }
  TProgramData project;
  try {
    openAnyProject(project, command.project);
    if (command.units != 0) {
      if (const QString refused = project.switchUnits(command.units); !refused.isEmpty()) {
        complain(command.project + QStringLiteral(": ") + refused);
        return kExitFailed;
      }
    }
    if (isProjectJson(command.output)) {
      // The JSON form holds the CPT points itself: no side file beside it.
      writeFileAtomically(QFileInfo(command.output).absoluteFilePath(), projectJson(project));
    } else {
      project.setFileName(QFileInfo(command.output).absoluteFilePath());
      project.save();
    }
  } catch (const EInOutError& error) {
    const QString file = error.fileName().isEmpty() ? command.project : error.fileName();
    complain(file + QStringLiteral(": ") + error.message());
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace vorne
