// The analysis run shared by the desktop program and the command-line runner: save, taper check,
// the engine call on the project's files, the plot data read into the result graphs, and the
// GRLWEAP input file. Windowless: messages go to a sink that the caller shows as it likes.
#ifndef VORNE_APP_ANALYSIS_RUN_H
#define VORNE_APP_ANALYSIS_RUN_H

#include <QString>
#include <functional>
#include <optional>

#include "app/engine_run.h"
#include "app/program_data.h"
#include "plot/main_graphs.h"

namespace vorne {

enum class RunMessageKind { Information, Warning, Error };

// Receives each message of the run in order: kind, the user's text, and the system's reason
// behind it (empty when there is none).
using RunMessageSink =
    std::function<void(RunMessageKind kind, const QString& text, const QString& reason)>;

// The message of a run the engine stopped (an input check, a file); the engine's reason follows.
inline const QString kRunStopped =
    QStringLiteral("The computations stopped and no results are available.");
// Asked after a stopped run whose report exists.
inline const QString kOpenReportQuestion = QStringLiteral("Do you want to view the output file?");
// Asked after a save that failed before a run.
inline const QString kRunNotStartedSaveAs =
    QStringLiteral("The analysis was not run. Do you want to save the project under another name?");

struct AnalysisRunOptions {
  // Save the project before the run (the desktop program). The runner analyses the data file as
  // it is on disk and never writes it.
  bool saveFirst = true;
  // The engine library; empty: the one beside the running program.
  QString engineLibrary;
  // Folder for the report, plot data and GRLWEAP files; empty: beside the data file.
  QString outputFolder;
  // The engine call; empty: the engine library through runEngine. The Python module calls the
  // engine core in process instead (app/engine_in_process.h).
  std::function<EngineRunResult(const EngineRunFiles&)> engine;
  // Write the GRLWEAP input file after a run whose plot data were read. The Python module, whose
  // outputs live only in a private folder for the length of the call, leaves it out.
  bool writeGrlweap = true;
  // A CPT side file the engine reads in place of the project's (the runner's --cpt); empty: the
  // project's own.
  QString cptFile;
};

enum class AnalysisRunOutcome {
  NotRun,    // refused before the engine was called: untitled, taper, names file, library
  Finished,  // the engine went to its end
  Stopped,   // the engine stopped on an input check or a file
};

struct AnalysisRunResult {
  AnalysisRunOutcome outcome = AnalysisRunOutcome::NotRun;
  bool ResultsAvailable = false;  // the plot data file was read into the graphs
  EngineRunFiles files;           // the files of the run
  QString grlweapFile;            // written when ResultsAvailable and writing succeeded
  QString stopMessage;            // a stopped run's reason, from its report
  QString console;                // the engine's console output
};

// The engine's console warning that the soil ends above the depth it needs (the run goes on), as
// one line; empty when the console has none.
QString consoleSoilWarning(const QString& console);

// The message of the taper check, or nothing when the pile passes: with FHWA selected, a tapered
// pile type (timber, Raymond step-taper or uniform taper, tapered monotube) and a taper angle,
// the tip diameter OD − tan(angle) × 2L must not be negative (L the pile length in in | mm).
std::optional<QString> taperCheckMessage(const TProgramData& project);

// The output files of a run of project into outputFolder (empty: beside the data file).
EngineRunFiles analysisRunFiles(const TProgramData& project, const QString& outputFolder = {});
QString grlweapFilePath(const TProgramData& project, const QString& outputFolder = {});

// What the plot data loader needs of the project.
TPlotProject plotProjectOf(const TProgramData& project);

// Reads a plot data file into the graphs and copies the GRLWEAP cache and the perimeter back
// into the project. Returns ResultsAvailable.
bool loadPlotDataIntoProject(TMainGraphs& graphs,
                             TProgramData& project,
                             const QString& plotFile,
                             QString* reason = nullptr);

// One run, in order: save (when asked; a failure is reported and ends the run, since the engine
// would read another project than the one in the model), refuse an untitled project, the
// whole-project check (app/project_check: every problem in one warning), the taper check, the
// engine call; a finished run tells "Computations are completed...", reads the plot
// data (a file that cannot be read gives "An error occured in running the main program.") and
// writes the GRLWEAP file when the plot data were read; a stopped run tells kRunStopped with
// the engine's reason and reads no plot data. Never throws.
AnalysisRunResult runAnalysis(TProgramData& project,
                              TMainGraphs& graphs,
                              const AnalysisRunOptions& options,
                              const RunMessageSink& tell);

}  // namespace vorne

#endif  // VORNE_APP_ANALYSIS_RUN_H
