// Feeds arbitrary bytes to the desktop project reader, in the current layout and in the earlier
// one, with a CPT side file: it opens the project or says why not, never crashes, hangs or reads
// out of bounds, and a project it opens saves to a file that opens again to the same project.
// Input: the data file, then optionally a NUL byte and the CPT side file.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "app/program_data.h"
#include "base/io_error.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static QTemporaryDir folder;
  const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const qsizetype split = input.indexOf('\0');
  const QByteArray dataFile = split < 0 ? input : input.left(split);
  const QString cptPath = folder.filePath(QStringLiteral("fuzz.cpt"));
  if (split < 0) {
    QFile::remove(cptPath);
  } else {
    writeFile(cptPath, input.mid(split + 1));
  }
  for (const bool currentLayout : {true, false}) {
    const QString path =
        folder.filePath(currentLayout ? QStringLiteral("fuzz.vr6d") : QStringLiteral("fuzz.vrd"));
    writeFile(path, dataFile);
    vorne::TProgramData project;
    try {
      project.createFromFile(path, currentLayout);
    } catch (const vorne::EInOutError& error) {
      if (error.message().isEmpty()) __builtin_trap();
      continue;
    }
    // What opens saves, and what it saves opens again to the same texts.
    QByteArray saved;
    QByteArray savedCpt;
    try {
      saved = project.dataFileText();
      savedCpt = project.cptFileText();
    } catch (const vorne::EInOutError&) {
      __builtin_trap();  // the reader let in a value the writer refuses
    }
    const QString again = folder.filePath(QStringLiteral("again.vr6d"));
    writeFile(again, saved);
    writeFile(folder.filePath(QStringLiteral("again.cpt")), savedCpt);
    vorne::TProgramData reopened;
    try {
      reopened.createFromFile(again, true);
    } catch (const vorne::EInOutError&) {
      __builtin_trap();  // the program wrote a project it cannot open
    }
    if (reopened.dataFileText() != saved || reopened.cptFileText() != savedCpt) __builtin_trap();
  }
  return 0;
}
