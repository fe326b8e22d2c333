// Engine core in process: names file in a private folder, console into a buffer.
#include "app/engine_in_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sstream>

#include "driver/run.h"

namespace vorne {

EngineRunResult runEngineInProcess(const EngineRunFiles& files, const QString& tempRoot) {
  static constexpr const char* kNamesFailed = "An error occured while writing file names";
  EngineRunResult result;
  const auto refuse = [&result](QString detail) {
    result.outcome = EngineRunOutcome::NamesFileFailed;
    result.message = QString::fromLatin1(kNamesFailed);
    result.detail = std::move(detail);
    return result;
  };
  try {
    for (const QString* path :
         {&files.dataFile, &files.reportFile, &files.plotFile, &files.cptFile}) {
      const QByteArray encoded = QFile::encodeName(QFileInfo(*path).absoluteFilePath());
      if (!path->isEmpty() && encoded.size() > kMaxEnginePathLength) {
        return refuse(QStringLiteral("%1: the engine takes paths of at most %2 characters")
                          .arg(*path)
                          .arg(kMaxEnginePathLength));
      }
    }
    QTemporaryDir runFolder((tempRoot.isEmpty() ? QDir::tempPath() : tempRoot) +
                            QStringLiteral("/vorne-run-XXXXXX"));
    if (!runFolder.isValid()) return refuse(runFolder.errorString());
    const QString namesPath = runFolder.filePath(QStringLiteral("names.dat"));
    {
      QFile names(namesPath);
      const QByteArray text = namesFileText(files);
      if (!names.open(QIODevice::WriteOnly) || names.write(text) != text.size() || !names.flush()) {
        return refuse(names.errorString());
      }
    }
    std::ostringstream console;
    std::istringstream noInput;
    result.status = runFromNamesFile(QFile::encodeName(namesPath).toStdString(), console, noInput);
    result.outcome = result.status == 0 ? EngineRunOutcome::Finished : EngineRunOutcome::Stopped;
    result.console = QString::fromLocal8Bit(console.str());
  } catch (const std::exception& error) {
    return refuse(QString::fromLocal8Bit(error.what()));
  }
  return result;
}

}  // namespace vorne
