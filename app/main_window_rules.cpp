// Main-window rules.
#include "app/main_window_rules.h"

#include <QDir>
#include <QFileInfo>

namespace vorne {

QString mainWindowCaption(const QString& projectFileName) {
  QString name = QFileInfo(projectFileName).fileName();
  if (!name.isEmpty()) name[0] = name[0].toUpper();
  return QStringLiteral("VORNE 2014.6.5 - ") + name;
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

}  // namespace vorne
