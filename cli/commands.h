// The runner's commands. Each returns the process exit status: 0 success, 1 a project that could
// not be analysed or converted (the one-line reason is on standard error), 2 a usage error.
#ifndef VORNE_CLI_COMMANDS_H
#define VORNE_CLI_COMMANDS_H

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace vorne {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct RunCommand {
  QString project;
  QString outputFolder;  // empty: beside the project
  bool json = false;
  bool quiet = false;  // no summary (batch children)
  QString workbook;    // --xlsx: every enabled graph into this workbook; empty: none
  QString pdf;         // --pdf: the calculation report into this file; empty: none
  std::optional<double> requiredCapacity;  // --required-capacity [kips | kN]
  QString page;          // --page a4 | letter; empty: by the unit system
  QDateTime reportDate;  // --report-date: the document's date instead of the run's
  QString cptFile;       // --cpt: a field CPT file in place of the project's CPT points
  QString cptLocation;   // --location: its location; empty: the file's only one
};

struct BatchCommand {
  QStringList projects;
  QString outputFolder;
  int jobs = 1;
};

struct ConvertCommand {
  QString project;
  QString output;
  int units = 0;  // 0 keep, 1 English, 2 SI
};

int runProject(const RunCommand& command);
int runBatch(const BatchCommand& command);
int convertProject(const ConvertCommand& command);

// Why the outputs of a run cannot go into the project's own folder, or an empty text when they
// can. They cannot when the folder is not writable for this user (writable answers that, as
// access(2) does; injected by the tests, since the superuser may write anywhere) or when it is
// examplesFolder, the examples installed with the runner, which are kept as shipped. The text
// names the folder and points to --output-dir.
QString projectFolderProblem(const QString& folder,
                             const QString& examplesFolder,
                             const std::function<bool(const QString&)>& writable);

// Prints "vorne: " + message on standard error.
void complain(const QString& message);

// Whether the file is an older-layout project (extension ".vrd", any case).
bool isOlderLayout(const QString& path);

}  // namespace vorne

#endif  // VORNE_CLI_COMMANDS_H
