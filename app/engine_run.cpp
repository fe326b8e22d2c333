// Engine call: private folder with the names file, library loading, console capture, and the
// scope guard that puts the process back as it was.
#include "app/engine_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <clocale>
#include <cstdio>
#include <functional>
#include <iostream>
#include <string>

#include "app/dynamic_library.h"
#include "app/install_layout.h"

namespace vorne {

namespace {

std::atomic<bool> g_engineInUse{false};

using EntryPoint = int32_t (*)(int32_t);

// Runs its action when the scope ends, on every path.
class ScopeGuard {
 public:
  explicit ScopeGuard(std::function<void()> action) : m_action(std::move(action)) {}
  ~ScopeGuard() {
    if (m_action) m_action();
  }
  ScopeGuard(const ScopeGuard&) = delete;
  ScopeGuard& operator=(const ScopeGuard&) = delete;

 private:
  std::function<void()> m_action;
};

// Points standard output at a file and standard input at an empty device for its lifetime, so
// the engine's console messages are kept and its path prompts can never wait for an answer.
class ConsoleCapture {
 public:
  explicit ConsoleCapture(const QString& logFile) {
    std::cout.flush();
    std::fflush(stdout);
    const int log =
        ::open(QFile::encodeName(logFile).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int empty = ::open("/dev/null", O_RDONLY);
    if (log >= 0 && empty >= 0) {
      m_savedOut = ::dup(STDOUT_FILENO);
      m_savedIn = ::dup(STDIN_FILENO);
      if (m_savedOut >= 0 && m_savedIn >= 0) {
        ::dup2(log, STDOUT_FILENO);
        ::dup2(empty, STDIN_FILENO);
        std::clearerr(stdin);
      }
    }
    if (log >= 0) ::close(log);
    if (empty >= 0) ::close(empty);
  }
  ~ConsoleCapture() {
    std::cout.flush();
    std::fflush(stdout);
    if (m_savedOut >= 0) {
      ::dup2(m_savedOut, STDOUT_FILENO);
      ::close(m_savedOut);
    }
    if (m_savedIn >= 0) {
      ::dup2(m_savedIn, STDIN_FILENO);
      ::close(m_savedIn);
      std::clearerr(stdin);
    }
  }
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;

 private:
  int m_savedOut = -1;
  int m_savedIn = -1;
};

QString absolute(const QString& path) {
  return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

EngineRunResult refused(EngineRunOutcome outcome, const char* message, QString detail) {
  EngineRunResult result;
  result.outcome = outcome;
  result.message = QString::fromLatin1(message);
  result.detail = std::move(detail);
  return result;
}

}  // namespace

QByteArray namesFileText(const EngineRunFiles& files) {
  QByteArray text = kNamesFileVersion.toUtf8() + "\n";
  text += "\n";    // identification line, empty
  text += ", \n";  // two empty identification texts joined by ", "
  text += "0\n";   // identification number
  for (const QString* path :
       {&files.dataFile, &files.reportFile, &files.plotFile, &files.cptFile}) {
    text += QFile::encodeName(absolute(*path)) + "\n";
  }
  return text;
}

EngineRunResult runEngine(const EngineRunFiles& files, const QString& libraryPath) {
  static constexpr const char* kNamesFailed = "An error occured while writing file names";

  // Paths are fixed before the working folder changes.
  const EngineRunFiles paths{absolute(files.dataFile), absolute(files.reportFile),
                             absolute(files.plotFile), absolute(files.cptFile)};
  for (const QString* path :
       {&paths.dataFile, &paths.reportFile, &paths.plotFile, &paths.cptFile}) {
    if (QFile::encodeName(*path).size() > kMaxEnginePathLength) {
      return refused(EngineRunOutcome::NamesFileFailed, kNamesFailed,
                     QStringLiteral("%1: the engine takes paths of at most %2 characters")
                         .arg(*path)
                         .arg(kMaxEnginePathLength));
    }
  }

  bool expected = false;
  if (!g_engineInUse.compare_exchange_strong(expected, true)) {
    return refused(EngineRunOutcome::AlreadyRunning, "Attempt to reinitialize DLL", {});
  }
  const ScopeGuard releaseEngine([] { g_engineInUse = false; });

  // The numbers the engine reads and writes use "." whatever the user's locale.
  const char* currentNumeric = std::setlocale(LC_NUMERIC, nullptr);
  const std::string savedNumeric = currentNumeric ? currentNumeric : "C";
  std::setlocale(LC_NUMERIC, "C");
  const ScopeGuard restoreLocale(
      [&savedNumeric] { std::setlocale(LC_NUMERIC, savedNumeric.c_str()); });

  QTemporaryDir runFolder(QDir::tempPath() + QStringLiteral("/vorne-run-XXXXXX"));
  if (!runFolder.isValid()) {
    return refused(EngineRunOutcome::NamesFileFailed, kNamesFailed, runFolder.errorString());
  }
  const QString namesPath = runFolder.filePath(QStringLiteral("names.dat"));
  {
    QFile names(namesPath);
    const QByteArray text = namesFileText(paths);
    if (!names.open(QIODevice::WriteOnly) || names.write(text) != text.size() || !names.flush()) {
      return refused(EngineRunOutcome::NamesFileFailed, kNamesFailed, names.errorString());
    }
  }
  const QString savedFolder = QDir::currentPath();
  if (!QDir::setCurrent(runFolder.path())) {
    return refused(EngineRunOutcome::NamesFileFailed, kNamesFailed,
                   runFolder.path() + QStringLiteral(": cannot make it the current folder"));
  }
  const ScopeGuard restoreFolder([&savedFolder] { QDir::setCurrent(savedFolder); });

  TDynamicLibrary library(libraryPath);
  EntryPoint entry = nullptr;
  try {
    library.Load();
    entry = reinterpret_cast<EntryPoint>(library.GetEntryPoint("_IVORNE"));
  } catch (const EDLLError& error) {
    return refused(EngineRunOutcome::LibraryUnavailable, "Attempt to initialize DLL failed",
                   error.message() + (library.LastError().isEmpty()
                                          ? QString()
                                          : QStringLiteral(": ") + library.LastError()));
  }
  if (!entry) {
    return refused(EngineRunOutcome::LibraryUnavailable, "Attempt to initialize DLL failed",
                   libraryPath + QStringLiteral(": the entry point _IVORNE is not exported"));
  }

  EngineRunResult result;
  const QString consolePath = runFolder.filePath(QStringLiteral("console.txt"));
  {
    const ConsoleCapture capture(consolePath);
    result.status = entry(5);
  }
  library.Unload();
  result.outcome = result.status == 0 ? EngineRunOutcome::Finished : EngineRunOutcome::Stopped;
  QFile console(consolePath);
  if (console.open(QIODevice::ReadOnly)) result.console = QString::fromLocal8Bit(console.readAll());
  // The run folder, with the names file and the console log, goes when runFolder does.
  return result;
}

QString defaultEngineLibraryPath() { return findEngineLibrary(programFolder()); }

namespace {

const QString kStoppedMarker = QStringLiteral("VORNE STOPPED: ");

// The text of the last "VORNE STOPPED: " line, or an empty text.
QString lastStopLine(const QString& text) {
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (qsizetype i = lines.size() - 1; i >= 0; --i) {
    const qsizetype at = lines[i].indexOf(kStoppedMarker);
    if (at >= 0) return lines[i].mid(at + kStoppedMarker.size()).simplified();
  }
  return {};
}

}  // namespace

QString stopMessageFromReport(const QString& reportText) {
  if (QString line = lastStopLine(reportText); !line.isEmpty()) return line;
  // The stops written as a paragraph of their own: the last one that opens with a stop's words,
  // up to the next blank line. Anything else (a table the report ends with) is no reason.
  static const QStringList kOpenings{QStringLiteral("COMPUTATION DOES NOT PROCEED"),
                                     QStringLiteral("YOUR NUMBERS OF SEGMENT")};
  const QStringList lines = reportText.split(QLatin1Char('\n'));
  for (qsizetype i = lines.size() - 1; i >= 0; --i) {
    const QString first = lines[i].trimmed();
    const bool opens = std::any_of(kOpenings.begin(), kOpenings.end(),
                                   [&first](const QString& o) { return first.startsWith(o); });
    if (!opens) continue;
    QStringList paragraph;
    for (qsizetype k = i; k < lines.size() && !lines[k].trimmed().isEmpty(); ++k) {
      paragraph << lines[k].trimmed();
    }
    return paragraph.join(QLatin1Char(' ')).simplified();
  }
  return {};
}

QString stopMessageFromConsole(const QString& consoleText) {
  // The first stop line is the cause; a later one (the report could not be closed) follows it.
  for (const QString& line : consoleText.split(QLatin1Char('\n'))) {
    const qsizetype at = line.indexOf(kStoppedMarker);
    if (at >= 0) return line.mid(at + kStoppedMarker.size()).simplified();
  }
  return {};
}

}  // namespace vorne
