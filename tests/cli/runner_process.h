// The runner started as a child process, as a user starts it, for the runner's tests: its exit
// status and both output streams. A runner that crashed or hung reports status -1.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

inline const QString kRunner = QStringLiteral(VORNE_BIN_DIR "/vorne");
inline const QString kExamples = QStringLiteral(VORNE_SOURCE_DIR "/examples");

struct Outcome {
  int status = -1;
  QByteArray out;
  QByteArray err;
};

// args: the command line after the program's name; folder: the working folder (empty: ours).
inline Outcome runner(const QStringList& args, const QString& folder = {}) {
  QProcess process;
  if (!folder.isEmpty()) process.setWorkingDirectory(folder);
  process.start(kRunner, args);
  process.waitForFinished(120000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput(), process.readAllStandardError()};
}
