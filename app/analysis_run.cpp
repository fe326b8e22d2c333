// Analysis run service.
#include "app/analysis_run.h"

#include <sys/stat.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "app/grlweap_file.h"
#include "app/project_check.h"
#include "base/atomic_file.h"
#include "base/io_error.h"

namespace vorne {

namespace {

QString outputPath(const TProgramData& project,
                   const QString& outputFolder,
                   const char* extension) {
  const QFileInfo data(project.fileName());
  const QString folder = outputFolder.isEmpty() ? data.absolutePath() : outputFolder;
  return QDir(folder).absoluteFilePath(data.completeBaseName() + QLatin1String(extension));
}

GrlweapPile grlweapPileOf(const TProgramData& project) {
  GrlweapPile pile;
  pile.Title = project.Title;
  pile.Units = project.units();
  pile.PileType = project.PileType;
  pile.CircularSection = project.CircularSection;
  pile.OutsideDiameter = project.OutsideDiameter;
  pile.InsideDiameter = project.InsideDiameter;
  pile.NoncircularPerimeter = project.NoncircularPerimeter;
  pile.ElasticModulus = project.ElasticModulus;
  return pile;
}

TGrlweapCache cacheOf(const TProgramData& project) {
  return {project.ResultDepth, project.ResultSkin, project.ResultTip};
}

// The engine writes a run's report and plot data into a private folder beside the outputs, under
// their own names (the report names them), and they move over the earlier files only once the
// run gives reason to: a run whose files could not be written (a full disk) leaves the earlier
// results whole. The folder is on the outputs' file system, so the moves are renames.
constexpr const char* kRunFolderPrefix = ".vorne-run-";
constexpr qint64 kStaleRunFolderSeconds = 600;

// Removes the run folders of runs that were killed (none runs for ten minutes).
void removeStaleRunFolders(const QString& folder) {
  const QDateTime now = QDateTime::currentDateTimeUtc();
  const QDir dir(folder);
  for (const QFileInfo& entry :
       dir.entryInfoList({QString::fromLatin1(kRunFolderPrefix) + QStringLiteral("*")},
                         QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
    if (entry.lastModified().secsTo(now) >= kStaleRunFolderSeconds) {
      QDir(entry.absoluteFilePath()).removeRecursively();
    }
  }
}

// Moves a finished output from the run folder over the earlier one: a rename onto the file a
// symbolic link points to, or, for a file with further hard links, a rewrite of that file in place
// through the safe writer, so that links keep showing the new results. Returns the reason of a
// failure, or an empty text.
QString moveIntoPlace(const QString& from, const QString& to) {
  const QString target = saveTarget(to);
  struct stat existing {};
  if (::stat(QFile::encodeName(target).constData(), &existing) == 0 && existing.st_nlink > 1) {
    QFile file(from);
    if (!file.open(QIODevice::ReadOnly)) return file.errorString();
    try {
      writeFileAtomically(target, file.readAll());
    } catch (const EInOutError& error) {
      return error.message();
    }
    return {};
  }
  if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(target).constData()) !=
      0) {
    return QString::fromLocal8Bit(std::strerror(errno));
  }
  return {};
}

// Whether the engine says that it could not write one of its output files.
bool outputWriteFailed(const QString& console, const QString& runFolder) {
  return console.contains(runFolder) &&
         (console.contains(QStringLiteral("could not be written completely")) ||
          console.contains(QStringLiteral("cannot be opened for writing")));
}

}  // namespace

std::optional<QString> taperCheckMessage(const TProgramData& project) {
  const bool tapered = project.PileType == 2 || project.PileType == 4 || project.PileType == 5 ||
                       project.PileType == 7;
  if (project.MethodSelected[1] != 1 || !tapered || !(project.TaperAngle > 0.0))
    return std::nullopt;
  const double length = project.PileLength * (project.units() == 1 ? 12.0 : 1000.0);
  const double tipDiameter =
      project.OutsideDiameter - std::tan(project.TaperAngle * 0.01745) * 2.0 * length;
  if (!(tipDiameter < 0.0)) return std::nullopt;
  const double largest = std::atan(project.OutsideDiameter / 2.0 / length) / 0.01745;
  return QStringLiteral(
             "Taper angle is large since it generates a negative diameter at tip of pile.\r"
             "Taper angle should be smaller than %1 degrees.\rPlease check input data ")
      .arg(largest, 0, 'f', 3);
}

EngineRunFiles analysisRunFiles(const TProgramData& project, const QString& outputFolder) {
  return {QFileInfo(project.fileName()).absoluteFilePath(),
          outputPath(project, outputFolder, ".vr6o"), outputPath(project, outputFolder, ".vr6p"),
          QFileInfo(project.cptFileName()).absoluteFilePath()};
}

QString consoleSoilWarning(const QString& console) {
  const qsizetype start =
      console.indexOf(QStringLiteral("COMPUTATION DOES NOT PROCEED BECAUSE NO SOIL"));
  if (start < 0) return {};
  qsizetype end = console.indexOf(QStringLiteral("\n\n"), start);
  if (end < 0) end = console.size();
  return console.mid(start, end - start).simplified();
}

QString grlweapFilePath(const TProgramData& project, const QString& outputFolder) {
  return outputFolder.isEmpty() ? QFileInfo(project.grlweapFileName()).absoluteFilePath()
                                : outputPath(project, outputFolder, ".gwi");
}

TPlotProject plotProjectOf(const TProgramData& project) {
  TPlotProject plot;
  plot.LoadingType = project.LoadingType;
  plot.MethodSelected = project.MethodSelected;
  plot.ExtraTzDepths = project.ExtraTzDepths;
  plot.OutsideDiameter = project.OutsideDiameter;
  plot.NoncircularPerimeter = project.NoncircularPerimeter;
  TGridTable& layers = const_cast<TProgramData&>(project).D;
  for (int row = 0; row < layers.rowCount(); ++row) {
    plot.Layers.push_back({layers.cell(col::kSoilType, row).asInteger(),
                           layers.cell(col::kBottomDepth, row).asFloat()});
  }
  return plot;
}

bool loadPlotDataIntoProject(TMainGraphs& graphs,
                             TProgramData& project,
                             const QString& plotFile,
                             QString* reason) {
  TPlotProject plot = plotProjectOf(project);
  const bool loaded = LoadPlotData(graphs, plot, plotFile, reason);
  // The loader writes the cache as it goes, so a partial read is kept as the graphs keep theirs.
  project.ResultDepth = std::move(plot.Results.ResultDepth);
  project.ResultSkin = std::move(plot.Results.ResultSkin);
  project.ResultTip = std::move(plot.Results.ResultTip);
  project.NoncircularPerimeter = plot.NoncircularPerimeter;
  return loaded;
}

AnalysisRunResult runAnalysis(TProgramData& project,
                              TMainGraphs& graphs,
                              const AnalysisRunOptions& options,
                              const RunMessageSink& tell) {
  AnalysisRunResult result;
  if (options.saveFirst) {
    try {
      project.save();
    } catch (const EInOutError& error) {
      tell(RunMessageKind::Error, QStringLiteral("An error occured during saving"),
           (error.fileName().isEmpty() ? project.fileName() : error.fileName()) +
               QStringLiteral(": ") + error.message());
      return result;
    }
  }
  if (project.isUntitled()) return result;
  // Nothing the engine would refuse or print as asterisks reaches it; every problem at once.
  if (const QStringList problems = projectProblems(project); !problems.isEmpty()) {
    tell(RunMessageKind::Warning, projectProblemsMessage(problems), {});
    return result;
  }
  if (const std::optional<QString> taper = taperCheckMessage(project)) {
    tell(RunMessageKind::Warning, *taper, {});
    return result;
  }

  result.files = analysisRunFiles(project, options.outputFolder);
  const QString grlweap = grlweapFilePath(project, options.outputFolder);
  // Every output is checked before the engine runs, not found unwritable after it.
  for (const QString& output : {result.files.reportFile, result.files.plotFile, grlweap}) {
    const QString problem = outputFileProblem(output);
    if (!problem.isEmpty()) {
      tell(RunMessageKind::Error, output + QStringLiteral(" cannot be written"), problem);
      return result;
    }
  }

  const QString outputFolder = QFileInfo(result.files.reportFile).absolutePath();
  removeStaleRunFolders(outputFolder);
  std::unique_ptr<QTemporaryDir> runFolder;
  if (!options.cptFile.isEmpty()) result.files.cptFile = options.cptFile;
  EngineRunFiles engineFiles = result.files;
  if (QFileInfo(result.files.plotFile).absolutePath() == outputFolder) {
    runFolder =
        std::make_unique<QTemporaryDir>(outputFolder + QLatin1Char('/') +
                                        QLatin1String(kRunFolderPrefix) + QStringLiteral("XXXXXX"));
    if (!runFolder->isValid()) {
      tell(RunMessageKind::Error, result.files.reportFile + QStringLiteral(" cannot be written"),
           runFolder->errorString());
      return result;
    }
    engineFiles.reportFile = runFolder->filePath(QFileInfo(result.files.reportFile).fileName());
    engineFiles.plotFile = runFolder->filePath(QFileInfo(result.files.plotFile).fileName());
    // Paths the engine would cut: written in place, as the engine's own checks expect.
    if (QFile::encodeName(engineFiles.plotFile).size() > kMaxEnginePathLength ||
        QFile::encodeName(engineFiles.reportFile).size() > kMaxEnginePathLength) {
      runFolder.reset();
      engineFiles = result.files;
    }
  }
  EngineRunResult engine = options.engine ? options.engine(engineFiles)
                                          : runEngine(engineFiles, options.engineLibrary.isEmpty()
                                                                       ? defaultEngineLibraryPath()
                                                                       : options.engineLibrary);
  if (runFolder) {
    const QString privatePath = runFolder->path();
    const bool writeFailed = outputWriteFailed(engine.console, privatePath);
    engine.console.replace(privatePath, outputFolder);
    engine.detail.replace(privatePath, outputFolder);
    if (engine.outcome == EngineRunOutcome::Stopped && writeFailed) {
      result.console = engine.console;
      result.outcome = AnalysisRunOutcome::Stopped;
      result.stopMessage = stopMessageFromConsole(engine.console) +
                           QStringLiteral("; the earlier report and plot data are kept");
      tell(RunMessageKind::Warning, kRunStopped, result.stopMessage);
      return result;
    }
    if (engine.outcome == EngineRunOutcome::Finished ||
        engine.outcome == EngineRunOutcome::Stopped) {
      // The report first: a plot data file never stands beside an earlier run's report.
      for (const auto& [from, to] : {std::pair{engineFiles.reportFile, result.files.reportFile},
                                     std::pair{engineFiles.plotFile, result.files.plotFile}}) {
        if (!QFileInfo::exists(from)) continue;
        const QString problem = moveIntoPlace(from, to);
        if (!problem.isEmpty()) {
          tell(RunMessageKind::Error, to + QStringLiteral(" cannot be written"), problem);
          result.console = engine.console;
          return result;
        }
      }
    }
  }
  result.console = engine.console;
  if (engine.outcome != EngineRunOutcome::Finished && engine.outcome != EngineRunOutcome::Stopped) {
    tell(RunMessageKind::Error, engine.message, engine.detail);
    return result;
  }
  result.outcome = engine.outcome == EngineRunOutcome::Finished ? AnalysisRunOutcome::Finished
                                                                : AnalysisRunOutcome::Stopped;
  if (result.outcome == AnalysisRunOutcome::Stopped) {
    QFile report(result.files.reportFile);
    if (report.open(QIODevice::ReadOnly)) {
      result.stopMessage = stopMessageFromReport(QString::fromLatin1(report.readAll()));
    }
    if (result.stopMessage.isEmpty()) result.stopMessage = stopMessageFromConsole(engine.console);
    // A stopped run's plot data hold nothing to read.
    tell(RunMessageKind::Warning, kRunStopped, result.stopMessage);
    return result;
  }
  tell(RunMessageKind::Information,
       QStringLiteral("Computations are completed. Please, check output file for results or error "
                      "messages."),
       {});

  if (QFileInfo::exists(result.files.plotFile)) {
    QString reason;
    result.ResultsAvailable =
        loadPlotDataIntoProject(graphs, project, result.files.plotFile, &reason);
    if (!result.ResultsAvailable) {
      tell(RunMessageKind::Information, kPlotLoadFailed, reason);
    } else if (options.writeGrlweap) {
      GrlweapPile pile = grlweapPileOf(project);
      try {
        writeGrlweapFile(grlweap, pile, cacheOf(project));
        result.grlweapFile = grlweap;
      } catch (const EInOutError& error) {
        tell(RunMessageKind::Error, error.message(), grlweap);
      }
      project.NoncircularPerimeter = pile.NoncircularPerimeter;
    }
  }
  return result;
}

}  // namespace vorne
