// Where the programs find the engine library and the manuals, in a build tree and in an install
// prefix laid out in a temporary folder.
#include "app/install_layout.h"

#include <QtTest>

using namespace vorne;

namespace {

void touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
}

}  // namespace

class InstallLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void engineLibraryBesideOrInTheInstallLayout();
  void manualsOfTheInstallOrTheSources();
};

void InstallLayoutTest::engineLibraryBesideOrInTheInstallLayout() {
  QTemporaryDir prefix;
  const QString bin = prefix.filePath("bin");
  const QString beside = bin + "/libVORNE2014_DLL.so";
  const QString installed = prefix.filePath("lib/vorne/libVORNE2014_DLL.so");
  QDir().mkpath(bin);
  // Neither there: the failure names the place beside the program.
  QCOMPARE(findEngineLibrary(bin), beside);
  touch(installed);
  QCOMPARE(findEngineLibrary(bin), installed);
  QCOMPARE(findEngineLibrary(bin + "/"), installed);
  // A build tree keeps the library beside the program, and that one wins.
  touch(beside);
  QCOMPARE(findEngineLibrary(bin), beside);
  QCOMPARE(engineLibraryCandidates(bin), (QStringList{beside, installed}));
  // The test program itself runs from the build tree, beside its engine.
  QCOMPARE(findEngineLibrary(programFolder()),
           QStringLiteral(VORNE_BIN_DIR "/libVORNE2014_DLL.so"));
}

void InstallLayoutTest::manualsOfTheInstallOrTheSources() {
  QTemporaryDir prefix;
  const QString bin = prefix.filePath("bin");
  QDir().mkpath(bin);
  QCOMPARE(findManualFolder(bin), QString());
  // share/doc, which minimal installs leave out, is not where the manuals are looked for.
  touch(prefix.filePath("share/doc/vorne/users-manual.md"));
  QCOMPARE(findManualFolder(bin), QString());
  touch(prefix.filePath("share/vorne/doc/users-manual.md"));
  QCOMPARE(findManualFolder(bin), prefix.filePath("share/vorne/doc"));
  QCOMPARE(findManualFolder(bin + "/"), prefix.filePath("share/vorne/doc"));
  // A program of the build tree reads the manuals where they are written, through the tree's
  // share/vorne/doc link.
  const QString built = findManualFolder(programFolder());
  QVERIFY(!built.isEmpty());
  QCOMPARE(QFileInfo(built).canonicalFilePath(), QDir(VORNE_SOURCE_DIR "/docs").canonicalPath());
  QVERIFY(homePage().startsWith("http"));
}

QTEST_GUILESS_MAIN(InstallLayoutTest)
#include "install_layout_test.moc"
