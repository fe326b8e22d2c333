// vorne run --pdf: the calculation report of the run as a PDF document, written by a module
// beside the program that is loaded only when a document is asked for.
#ifndef VORNE_CLI_RUN_PDF_H
#define VORNE_CLI_RUN_PDF_H

#include <QString>
#include <QStringList>

#include "app/analysis_run.h"
#include "cli/commands.h"

namespace vorne {

// Takes the report option at args[i] (--pdf FILE, --required-capacity Q, --page a4|letter,
// --report-date YYYY-MM-DDTHH:MM:SS) with its value into command. Returns false when args[i] is
// none of them; sets error (the usage message) when its value is missing or not valid.
bool takeReportOption(const QStringList& args, qsizetype& i, RunCommand& command, QString& error);

// Why the document of the command cannot be written, checked before the analysis runs (its
// folder missing or not writable, the file a folder or read-only), or an empty text.
QString reportTargetProblem(const RunCommand& command);

// Writes the document of a finished run whose plot data were read into the graphs: the page
// size of the command or of the unit system, the required capacity when given, the date of the
// command or of the run. runMessages are the run's warnings beside the report's own. Returns
// the exit status; a failure is explained on standard error and leaves an earlier file as it was.
int writeRunReport(const RunCommand& command,
                   const TProgramData& project,
                   const TMainGraphs& graphs,
                   const AnalysisRunResult& run,
                   const QStringList& runMessages);

}  // namespace vorne

#endif  // VORNE_CLI_RUN_PDF_H
