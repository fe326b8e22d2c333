// One call of the engine library on explicit files: the part of an analysis run that needs no
// project model and no window. The analysis run service and the tests use it.
//
// The engine reads "names.dat" from the current folder. This call writes that file into a
// private temporary folder, makes the folder current for the call and removes it afterwards, so
// the program folder may be read-only and several processes may run at once. The numeric locale
// is "C" and standard input is empty while the engine runs; its console output is captured.
// Working folder, locale and standard streams are restored on every path.
#ifndef VORNE_APP_ENGINE_RUN_H
#define VORNE_APP_ENGINE_RUN_H

#include <QString>

namespace vorne {

// The files of one run; absolute or relative to the current folder at the call.
struct EngineRunFiles {
  QString dataFile;    // project data file (".vr6d"), read
  QString reportFile;  // output report (".vr6o"), written
  QString plotFile;    // plot data file (".vr6p"), written
  QString cptFile;     // CPT side file (".cpt"), read when it exists
};

// How an engine call ended.
enum class EngineRunOutcome {
  Finished,            // the engine returned 0
  Stopped,             // the engine returned 1 (an input check or a file stopped it)
  NamesFileFailed,     // "An error occured while writing file names"
  AlreadyRunning,      // "Attempt to reinitialize DLL"
  LibraryUnavailable,  // "Attempt to initialize DLL failed"
};

struct EngineRunResult {
  EngineRunOutcome outcome = EngineRunOutcome::LibraryUnavailable;
  int status = 1;   // the engine's status when it was called
  QString message;  // the user's message for the three failures before the call
  QString detail;   // the system's reason behind that message
  QString console;  // what the engine wrote on its console
};

// The version line of the names file.
inline const QString kNamesFileVersion = QStringLiteral("2014.6.5");
// The engine keeps the first 255 characters of each path line.
inline constexpr int kMaxEnginePathLength = 255;

// The names file text for these files (paths made absolute), lines ending in LF.
QByteArray namesFileText(const EngineRunFiles& files);

// Loads the engine library at libraryPath, calls its entry "_IVORNE" with 5 and unloads it.
// Refuses a second call while one is in progress in this process (the engine keeps one run's
// state per library instance). Never throws.
EngineRunResult runEngine(const EngineRunFiles& files, const QString& libraryPath);

// The engine library of the running program: beside it, or in the install layout's ../lib/vorne
// (see app/install_layout.h).
QString defaultEngineLibraryPath();

// The reason a stopped run gives, from its report: the engine's last "VORNE STOPPED: " line
// without that marker, or else the last paragraph that opens with a stop of its own (soil too
// shallow, too many segments), lines joined by one blank; empty when the report has neither (a
// report that ends in a table gives no reason, rather than its numbers).
QString stopMessageFromReport(const QString& reportText);
// The same from the engine's console: its first "VORNE STOPPED: " line (the console gets every
// stop line, also those the report could not take).
QString stopMessageFromConsole(const QString& consoleText);

}  // namespace vorne

#endif  // VORNE_APP_ENGINE_RUN_H
