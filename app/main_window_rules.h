// The small decisions of the desktop program's main window that need no window: the caption, the
// project file named on the command line, which layout a file is read in, the name a Save As
// proposes and the one it saves under, and which result commands are enabled.
#ifndef VORNE_APP_MAIN_WINDOW_RULES_H
#define VORNE_APP_MAIN_WINDOW_RULES_H

#include <QString>

namespace vorne {

// The program's version as the caption, the About box and the names file give it.
inline const QString kProgramVersion = QStringLiteral("2014.6.5");

// "VORNE 2014.6.5 - " and the file name without its folder, in its own case.
QString mainWindowCaption(const QString& projectFileName);

// The project file of a command-line argument: ".vr6d" is appended when its file name holds no ".".
QString commandLineProjectFile(const QString& argument);

// A file is read in the current layout exactly when its extension, lowered, is ".vr6d";
// otherwise in the older layout.
bool isCurrentLayoutFile(const QString& fileName);

// The name Save As proposes: the project's own, with an older-layout ".vrd" extension as ".vr6d".
QString saveAsProposal(const QString& projectFileName);

// The name a project is saved under when chosenName was picked in the save dialog: ".vr6d" is
// added to a name without an extension, and an older-layout ".vrd" becomes ".vr6d", so that a file
// in the current layout never carries the older layout's extension.
QString savedProjectFileName(const QString& chosenName);

// The files of the project beside its data file, by extension (".vr6o", ".vr6p", ".vr6r", ...).
QString projectSideFile(const QString& projectFileName, const char* extension);

// The form every path takes in the recent-file list and the project's name: absolute and cleaned,
// so that one file reached by different spellings is one entry.
QString recentFilePath(const QString& fileName);

// The message of a project file that could not be read: the file, the reader's reason (with the
// line and item of a format error), and that the open project is kept.
QString projectReadFailure(const QString& fileName, const QString& reason);

// The message of a project named on the command line that does not exist.
QString missingProjectMessage(const QString& fileName);

// Which result commands are enabled. The Graphics menu and the three result buttons need the plot
// data read (ResultsAvailable) and its file present; the extra t-z curves also need extra t-z
// depths on; the tip resistance and the Q-w curve are not offered in tension.
struct TResultCommands {
  bool results = false;  // every Graphics item and the three result buttons
  bool extraTz = false;  // "Extra t-z curves at User Specified Depths"
  bool tip = false;      // "&Tip Resistance vs Depth" and "Internally-Generated Q-w Curve"
};
TResultCommands resultCommands(bool resultsAvailable,
                               bool plotFileExists,
                               int extraTzDepths,
                               int loadingType);

// What the main window's commands and its status bar depend on, as the window sees it at one
// moment; the window gathers it on every change of state and hands it to the rules below.
struct TWindowState {
  bool resultsAvailable = false;  // the plot data of the project were read
  bool untitled = true;           // the project has no file of its own yet
  bool modified = false;          // the project differs from its file
  bool resultsStale = false;      // the inputs changed after the results were computed
  int units = 1;                  // 1 English, 2 SI
  int extraTzDepths = 0;          // 1: extra t-z depths on
  int loadingType = 0;            // 1: tension
  bool circularSection = true;
  // Files beside the project (each false for an untitled project).
  bool dataFile = false;
  bool plotFile = false;
  bool notesFile = false;
  bool reportFile = false;
  bool grlweapFile = false;
};

// The enabled state of every command that depends on the project or its results.
struct TCommandStates {
  TResultCommands graphs;        // Graphics items, the three result buttons, the exports
  bool editInput = false;        // "Edit &Input Text"
  bool editNotes = false;        // "Edit &Processor-Run Notes"
  bool viewOutput = false;       // "Edit &Output Text" and "View Output"
  bool editGrlweap = false;      // "Edit &GRLWeap Data File"
  bool circularPile = false;     // "&Circular-Section Pile"
  bool noncircularPile = false;  // "&Noncircular-Section Pile"
};
TCommandStates commandStates(const TWindowState& state);

// How the last analysis run of this session ended.
enum class LastRunOutcome {
  None,        // no run yet
  Completed,   // the engine went to its end and its results were read
  NoResults,   // the engine went to its end but its plot data could not be read
  Stopped,     // the engine stopped; the detail is its reason
  NotStarted,  // refused before the engine was called; the detail is why
};
struct TLastRun {
  LastRunOutcome outcome = LastRunOutcome::None;
  QString detail;  // the reason of a stopped or refused run (its first line is shown)
  QString time;    // when it ended, "hh:mm"
};

// The texts of the status bar's three parts: the unit system, the project's state (with the
// state of its results), and the last run's outcome.
struct TStatusTexts {
  QString units;
  QString project;
  QString lastRun;
};
TStatusTexts statusTexts(const TWindowState& state, const TLastRun& lastRun);

// Whether results opened with a project belong to older inputs: the data file was written after
// the plot data (both modification times in ms since the epoch).
bool resultsOlderThanInputs(qint64 dataFileTime, qint64 plotFileTime);

}  // namespace vorne

#endif  // VORNE_APP_MAIN_WINDOW_RULES_H
