// Safe file writing as a save meets the file system: a failed write keeps the earlier file,
// links keep pointing at the saved file, long names, temporary files left by a killed save, and
// the check of an output before anything is written.
#include "base/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <QtTest>

#include "base/io_error.h"
#include "tests/support/file_size_limit.h"

using namespace vorne;

namespace {

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList entries(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

class AtomicFileTest : public QObject {
  Q_OBJECT

 private slots:
  void failedWriteKeepsTheEarlierFile();
  void symbolicLinkStaysAndItsTargetIsSaved();
  void hardLinksKeepShowingOneFile();
  void longestNamesCanBeSaved();
  void staleTemporaryFilesAreRemoved();
  void outputProblemsAreFoundBeforeWriting_data();
  void outputProblemsAreFoundBeforeWriting();
};

void AtomicFileTest::failedWriteKeepsTheEarlierFile() {
  QTemporaryDir folder;
  const QString file = folder.filePath("pile.gwi");
  writeFileAtomically(file, "earlier\r\n");
  {
    const test::FileSizeLimit fullDisk(4096);
    QVERIFY_THROWS_EXCEPTION(EInOutError, writeFileAtomically(file, QByteArray(64 * 1024, 'x')));
  }
  QCOMPARE(readAll(file), QByteArray("earlier\r\n"));
  QCOMPARE(entries(folder.path()), QStringList{"pile.gwi"});  // no temporary file left
}

void AtomicFileTest::symbolicLinkStaysAndItsTargetIsSaved() {
  QTemporaryDir folder;
  QDir(folder.path()).mkdir("real");
  const QString target = folder.filePath("real/pile.vr6d");
  writeFileAtomically(target, "old");
  const QString link = folder.filePath("pile.vr6d");
  QVERIFY(QFile::link("real/pile.vr6d", link));  // relative, as users make them
  writeFileAtomically(link, "new");
  QVERIFY(QFileInfo(link).isSymLink());
  QCOMPARE(readAll(target), QByteArray("new"));
  QCOMPARE(saveTarget(link), target);
  QCOMPARE(entries(folder.filePath("real")), QStringList{"pile.vr6d"});
}

void AtomicFileTest::hardLinksKeepShowingOneFile() {
  QTemporaryDir folder;
  const QString first = folder.filePath("a.vr6d");
  const QString second = folder.filePath("b.vr6d");
  writeFileAtomically(first, "old");
  QCOMPARE(::link(QFile::encodeName(first).constData(), QFile::encodeName(second).constData()), 0);
  writeFileAtomically(second, "new text");
  QCOMPARE(readAll(first), QByteArray("new text"));
  QCOMPARE(readAll(second), QByteArray("new text"));
  QCOMPARE(entries(folder.path()), (QStringList{"a.vr6d", "b.vr6d"}));
}

void AtomicFileTest::longestNamesCanBeSaved() {
  // Names of 244 to 255 bytes, the last of two-byte characters: the temporary name is cut to
  // the limit too, on a character boundary.
  QTemporaryDir folder;
  const QStringList names{QString(239, 'p') + ".vr6d", QString(245, 'p') + ".vr6d",
                          QString(250, 'p') + ".vr6d", QString(125, QChar(0xE9)) + ".vr6d"};
  for (const QString& name : names) {
    QCOMPARE(QFile::encodeName(name).size() <= 255, true);
    for (int save = 0; save < 20; ++save) writeFileAtomically(folder.filePath(name), "saved");
    QCOMPARE(readAll(folder.filePath(name)), QByteArray("saved"));
  }
  QCOMPARE(entries(folder.path()).size(), names.size());
}

void AtomicFileTest::staleTemporaryFilesAreRemoved() {
  QTemporaryDir folder;
  const QString file = folder.filePath("pile.vr6d");
  const QString stale = folder.filePath(".pile.vr6d.tmpab12cd");
  const QString fresh = folder.filePath(".pile.vr6d.tmpzz99zz");
  const QString other = folder.filePath(".other.vr6d.tmpab12cd");
  for (const QString& path : {stale, fresh, other}) writeFileAtomically(path, "left over");
  const utimbuf hourAgo{std::time(nullptr) - 3600, std::time(nullptr) - 3600};
  for (const QString& path : {stale, other}) {
    QCOMPARE(::utime(QFile::encodeName(path).constData(), &hourAgo), 0);
  }
  writeFileAtomically(file, "saved");
  QVERIFY(!QFileInfo::exists(stale));
  QVERIFY(QFileInfo::exists(fresh));  // may be a save in progress
  QVERIFY(QFileInfo::exists(other));  // another file's
}

void AtomicFileTest::outputProblemsAreFoundBeforeWriting_data() {
  QTest::addColumn<QString>("file");  // relative to a fresh folder
  QTest::addColumn<QString>("problem");
  QTest::newRow("writable new file") << "out.vr6o"
                                     << "";
  QTest::newRow("missing folder") << "missing/out.xlsx"
                                  << "does not exist";
  QTest::newRow("a folder") << "sub"
                            << "is a folder";
  QTest::newRow("read-only folder") << "locked/out.vr6o"
                                    << "not writable";
  QTest::newRow("read-only file") << "readonly.vr6o"
                                  << "ermission";
  QTest::newRow("a file as folder") << "plain/out.vr6o"
                                    << "not a folder";
}

void AtomicFileTest::outputProblemsAreFoundBeforeWriting() {
  QFETCH(QString, file);
  QFETCH(QString, problem);
  if (::geteuid() == 0 && (problem == "not writable" || problem == "ermission")) {
    QSKIP("permissions do not bind root");
  }
  QTemporaryDir folder;
  QDir dir(folder.path());
  dir.mkdir("sub");
  dir.mkdir("locked");
  QFile::setPermissions(folder.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner);
  writeFileAtomically(folder.filePath("readonly.vr6o"), "x");
  QFile::setPermissions(folder.filePath("readonly.vr6o"), QFile::ReadOwner);
  writeFileAtomically(folder.filePath("plain"), "x");
  const QString found = outputFileProblem(folder.filePath(file));
  if (problem.isEmpty()) {
    QCOMPARE(found, QString());
  } else {
    QVERIFY2(found.contains(problem), qPrintable(found));
  }
  QFile::setPermissions(folder.filePath("locked"),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QTEST_GUILESS_MAIN(AtomicFileTest)
#include "atomic_file_test.moc"
