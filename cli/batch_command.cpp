// vorne batch: many projects, each analysed by its own child process "vorne run", N at a time.
// A child has its own run folder and writes only its own project's files, so the outputs are
// those of one-at-a-time runs.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <vector>

#include "cli/commands.h"

extern char** environ;

namespace vorne {

namespace {

struct Child {
  int index = 0;      // position in the project list
  QString errorFile;  // the child's standard error
};

QString selfPath() { return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath(); }

// Starts "vorne run PROJECT --quiet [--output-dir D]" with standard output discarded and
// standard error in errorFile. Returns the child's id, or -1.
pid_t startChild(const QString& program,
                 const QString& project,
                 const QString& outputFolder,
                 const QString& errorFile) {
  std::vector<QByteArray> args{QFile::encodeName(program), "run", QFile::encodeName(project),
                               "--quiet"};
  if (!outputFolder.isEmpty()) {
    args.push_back("--output-dir");
    args.push_back(QFile::encodeName(outputFolder));
  }
  std::vector<char*> argv;
  for (QByteArray& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const QByteArray errorPath = QFile::encodeName(errorFile);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorPath.constData(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0 ? pid : -1;
}

QString childMessage(const QString& errorFile, int status) {
  QFile file(errorFile);
  QString text;
  if (file.open(QIODevice::ReadOnly)) text = QString::fromUtf8(file.readAll()).trimmed();
  // The last line is the child's reason; earlier ones are warnings.
  const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  if (!lines.isEmpty()) {
    QString line = lines.last();
    if (line.startsWith(QLatin1String("vorne: "))) line.remove(0, 7);
    return line;
  }
  if (WIFSIGNALED(status)) return QStringLiteral("ended by signal %1").arg(WTERMSIG(status));
  return QStringLiteral("failed with status %1").arg(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

}  // namespace

int runBatch(const BatchCommand& command) {
  const int total = static_cast<int>(command.projects.size());
  // With one output folder, two projects of the same name would write the same files.
  if (!command.outputFolder.isEmpty()) {
    QHash<QString, QString> byName;
    for (const QString& project : command.projects) {
      const QString name = QFileInfo(project).completeBaseName();
      if (byName.contains(name)) {
        complain(byName[name] + QStringLiteral(" and ") + project +
                 QStringLiteral(" would write the same files in ") + command.outputFolder);
        return kExitUsage;
      }
      byName.insert(name, project);
    }
  }
  QTemporaryDir logs(QDir::tempPath() + QStringLiteral("/vorne-batch-XXXXXX"));
  if (!logs.isValid()) {
    complain(QStringLiteral("cannot create a temporary folder: ") + logs.errorString());
    return kExitFailed;
  }
  const QString program = selfPath();

  std::map<pid_t, Child> running;
  std::vector<std::pair<QString, QString>> failures;  // project, reason
  int next = 0;
  int done = 0;
  while (done < total) {
    while (next < total && static_cast<int>(running.size()) < command.jobs) {
      const QString errorFile = logs.filePath(QStringLiteral("%1.err").arg(next));
      const pid_t pid =
          startChild(program, command.projects[next], command.outputFolder, errorFile);
      if (pid < 0) {
        failures.emplace_back(command.projects[next], QStringLiteral("could not start vorne run"));
        ++done;
      } else {
        running[pid] = Child{next, errorFile};
      }
      ++next;
    }
    if (running.empty()) continue;
    int status = 0;
    const pid_t pid = ::waitpid(-1, &status, 0);
    if (pid < 0) break;
    const auto found = running.find(pid);
    if (found == running.end()) continue;
    const Child child = found->second;
    running.erase(found);
    ++done;
    const QString& project = command.projects[child.index];
    const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    QString line =
        QStringLiteral("[%1/%2] %3 %4").arg(done).arg(total).arg(ok ? "ok    " : "FAILED", project);
    if (!ok) {
      const QString reason = childMessage(child.errorFile, status);
      failures.emplace_back(project, reason);
      line += QStringLiteral(": ") + reason;
    }
    std::fputs((line + "\n").toUtf8().constData(), stderr);
  }

  const QByteArray summary = QStringLiteral("%1 of %2 projects analysed")
                                 .arg(total - static_cast<int>(failures.size()))
                                 .arg(total)
                                 .toUtf8();
  if (failures.empty()) {
    std::fputs((summary + "\n").constData(), stderr);
    return kExitOk;
  }
  std::fputs((summary + QStringLiteral("; %1 failed:\n").arg(failures.size()).toUtf8()).constData(),
             stderr);
  for (const auto& [project, reason] : failures) {
    std::fputs(("  " + project + ": " + reason + "\n").toUtf8().constData(), stderr);
  }
  return kExitFailed;
}

}  // namespace vorne
