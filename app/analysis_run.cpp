// Analysis run service.
#include "app/analysis_run.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>

#include "app/grlweap_file.h"
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
  if (const std::optional<QString> taper = taperCheckMessage(project)) {
    tell(RunMessageKind::Warning, *taper, {});
    return result;
  }

  result.files = analysisRunFiles(project, options.outputFolder);
  const EngineRunResult engine =
      runEngine(result.files, options.engineLibrary.isEmpty() ? defaultEngineLibraryPath()
                                                              : options.engineLibrary);
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
    if (result.stopMessage.isEmpty()) result.stopMessage = stopMessageFromReport(engine.console);
    // The engine emptied the plot data file at its start; there is nothing to read.
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
    } else {
      const QString grlweap = grlweapFilePath(project, options.outputFolder);
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
