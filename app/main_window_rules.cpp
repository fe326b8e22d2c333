// Main-window rules.
#include "app/main_window_rules.h"

#include <QDir>
#include <QFileInfo>

namespace vorne {

QString mainWindowCaption(const QString& projectFileName) {
  // The name as the file system spells it: on a case-sensitive system another case is another file.
  return QStringLiteral("VORNE 2014.6.5 - ") + QFileInfo(projectFileName).fileName();
}

QString commandLineProjectFile(const QString& argument) {
  // Judged on the file name, so that a dot in a folder name does not count.
  return QFileInfo(argument).fileName().contains(QLatin1Char('.'))
             ? argument
             : argument + QStringLiteral(".vr6d");
}

bool isCurrentLayoutFile(const QString& fileName) {
  return QFileInfo(fileName).suffix().toLower() == QLatin1String("vr6d");
}

QString saveAsProposal(const QString& projectFileName) {
  if (QFileInfo(projectFileName).suffix().toLower() == QLatin1String("vrd"))
    return projectFileName.chopped(3) + QStringLiteral("vr6d");
  return projectFileName;
}

QString savedProjectFileName(const QString& chosenName) {
  const QFileInfo info(chosenName);
  if (info.fileName().isEmpty()) return chosenName;
  if (info.suffix().isEmpty()) return chosenName + QStringLiteral(".vr6d");
  return saveAsProposal(chosenName);
}

QString projectSideFile(const QString& projectFileName, const char* extension) {
  const QFileInfo info(projectFileName);
  return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() +
         QLatin1String(extension);
}

QString recentFilePath(const QString& fileName) {
  if (fileName.isEmpty()) return fileName;
  return QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
}

QString projectReadFailure(const QString& fileName, const QString& reason) {
  return QStringLiteral("The project file %1 cannot be opened.\n\n%2\n\nThe open project is kept.")
      .arg(QDir::toNativeSeparators(fileName), reason);
}

QString missingProjectMessage(const QString& fileName) {
  return QStringLiteral("The project file %1 does not exist. A new project is started.")
      .arg(QDir::toNativeSeparators(fileName));
}

TResultCommands resultCommands(bool resultsAvailable,
                               bool plotFileExists,
                               int extraTzDepths,
                               int loadingType) {
  TResultCommands commands;
  commands.results = resultsAvailable && plotFileExists;
  commands.extraTz = commands.results && extraTzDepths == 1;
  commands.tip = commands.results && loadingType != 1;
  return commands;
}

TCommandStates commandStates(const TWindowState& state) {
  TCommandStates commands;
  commands.graphs = resultCommands(state.resultsAvailable, state.plotFile, state.extraTzDepths,
                                   state.loadingType);
  const bool titled = !state.untitled;
  commands.editInput = titled && state.dataFile;
  commands.editNotes = titled && state.notesFile;
  commands.viewOutput = titled && state.reportFile;
  commands.editGrlweap = titled && state.grlweapFile;
  commands.circularPile = state.circularSection;
  commands.noncircularPile = !state.circularSection;
  return commands;
}

TStatusTexts statusTexts(const TWindowState& state, const TLastRun& lastRun) {
  TStatusTexts texts;
  texts.units = state.units == 2 ? QStringLiteral("S.I. Units (kN, m, mm)")
                                 : QStringLiteral("English Units (kips, ft, in)");

  QString project;
  if (state.untitled) {
    project =
        state.modified ? QStringLiteral("New project, not saved") : QStringLiteral("New project");
  } else {
    project = state.modified ? QStringLiteral("Modified") : QStringLiteral("Saved");
  }
  // Results of other inputs are stale, also once the changes are saved: only a run renews them.
  QString results;
  if (!state.resultsAvailable || !state.plotFile) {
    results = QStringLiteral("no results");
  } else if (state.resultsStale || state.modified) {
    results = QStringLiteral("results stale (inputs changed since the run)");
  } else {
    results = QStringLiteral("results current");
  }
  texts.project = project + QStringLiteral("; ") + results;

  QString firstLine;
  for (const QString& line : QString(lastRun.detail)
                                 .replace(QLatin1Char('\r'), QLatin1Char('\n'))
                                 .split(QLatin1Char('\n'))) {
    firstLine = line.simplified();
    if (!firstLine.isEmpty()) break;
  }
  const QString at = lastRun.time.isEmpty() ? QString() : QStringLiteral(" at ") + lastRun.time;
  switch (lastRun.outcome) {
    case LastRunOutcome::None:
      texts.lastRun = QStringLiteral("No run yet");
      break;
    case LastRunOutcome::Completed:
      texts.lastRun = QStringLiteral("Last run completed") + at;
      break;
    case LastRunOutcome::NoResults:
      texts.lastRun = QStringLiteral("Last run completed") + at +
                      QStringLiteral(", its plot data could not be read");
      break;
    case LastRunOutcome::Stopped:
      texts.lastRun = QStringLiteral("Last run stopped") + at +
                      (firstLine.isEmpty() ? QString() : QStringLiteral(": ") + firstLine);
      break;
    case LastRunOutcome::NotStarted:
      texts.lastRun = QStringLiteral("Last run not started") +
                      (firstLine.isEmpty() ? QString() : QStringLiteral(": ") + firstLine);
      break;
  }
  return texts;
}

bool resultsOlderThanInputs(qint64 dataFileTime, qint64 plotFileTime) {
  return dataFileTime > plotFileTime;
}

}  // namespace vorne
