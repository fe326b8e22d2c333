// The small decisions of the desktop program's main window that need no window: the caption, the
// project file named on the command line, which layout a file is read in, the name a Save As
// proposes and the one it saves under, and which result commands are enabled.
#ifndef VORNE_APP_MAIN_WINDOW_RULES_H
#define VORNE_APP_MAIN_WINDOW_RULES_H

#include <QString>

namespace vorne {

// The program's version as the caption, the About box and the names file give it.
inline const QString kProgramVersion = QStringLiteral("2014.6.5");

// "VORNE 2014.6.5 - " and the file name without its folder, first letter in upper case.
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

}  // namespace vorne

#endif  // VORNE_APP_MAIN_WINDOW_RULES_H
