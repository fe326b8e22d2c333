// The engine call through the shared library loaded by path: a finished run on a copy of an
// example, a stopped run and its reason, the loader's failures, and the process state afterwards.
#include "app/engine_run.h"

#include <dlfcn.h>

#include <QtTest>
#include <clocale>

using namespace vorne;

namespace {

const QString kLibrary = QStringLiteral(VORNE_BIN_DIR "/libVORNE2014_DLL.so");
const QString kExamples = QStringLiteral(VORNE_SOURCE_DIR "/examples");

// A copy of the bundled steel pipe example (data and CPT file) in folder.
EngineRunFiles copyExample(const QTemporaryDir& folder) {
  QFile::copy(kExamples + "/steel_pipe_layered.vr6d", folder.filePath("pile.vr6d"));
  QFile::copy(kExamples + "/steel_pipe_layered.cpt", folder.filePath("pile.cpt"));
  return {folder.filePath("pile.vr6d"), folder.filePath("pile.vr6o"), folder.filePath("pile.vr6p"),
          folder.filePath("pile.cpt")};
}

QStringList entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

}  // namespace

class EngineRunTest : public QObject {
  Q_OBJECT

 private slots:
  void runsAnExampleAndPutsTheProcessBack();
  void stoppedRunGivesTheReportsReason();
  void loaderFailuresNameTheStep_data();
  void loaderFailuresNameTheStep();
  void refusesPathsTheEngineWouldCut();
  void stopMessageFromReportText_data();
  void stopMessageFromReportText();
};

void EngineRunTest::runsAnExampleAndPutsTheProcessBack() {
  QTemporaryDir folder;
  const EngineRunFiles files = copyExample(folder);
  const QString folderBefore = QDir::currentPath();
  const QString numericBefore = std::setlocale(LC_NUMERIC, nullptr);
  // A temporary root of its own, so that other tests' run folders do not count.
  QTemporaryDir tempRoot;
  const QByteArray savedTemp = qgetenv("TMPDIR");
  qputenv("TMPDIR", tempRoot.path().toLocal8Bit());
  const EngineRunResult result = runEngine(files, kLibrary);
  if (savedTemp.isEmpty()) {
    qunsetenv("TMPDIR");
  } else {
    qputenv("TMPDIR", savedTemp);
  }
  QCOMPARE(int(result.outcome), int(EngineRunOutcome::Finished));
  QCOMPARE(result.status, 0);
  QVERIFY(result.console.contains("COMPUTATION IS PROCEEDING"));
  QVERIFY(QFileInfo(files.reportFile).size() > 0);
  QVERIFY(QFileInfo::exists(files.plotFile));

  QCOMPARE(QDir::currentPath(), folderBefore);
  QCOMPARE(QString(std::setlocale(LC_NUMERIC, nullptr)), numericBefore);
  QCOMPARE(entries(tempRoot.path()), QStringList{});  // names file and its folder removed
  QVERIFY(!QFileInfo::exists(folderBefore + "/names.dat"));
}

void EngineRunTest::stoppedRunGivesTheReportsReason() {
  // An increment of 0.1 ft over 80 ft of soil needs 800 segments.
  QTemporaryDir folder;
  EngineRunFiles files = copyExample(folder);
  QFile data(files.dataFile);
  QVERIFY(data.open(QIODevice::ReadOnly));
  QByteArray text = data.readAll();
  data.close();
  text.replace("\r\n0 0.5 1 0 4 1 0 \r\n", "\r\n0 0.1 1 0 4 1 0 \r\n");
  QVERIFY(data.open(QIODevice::WriteOnly | QIODevice::Truncate));
  data.write(text);
  data.close();

  const EngineRunResult result = runEngine(files, kLibrary);
  QCOMPARE(int(result.outcome), int(EngineRunOutcome::Stopped));
  QFile report(files.reportFile);
  QVERIFY(report.open(QIODevice::ReadOnly));
  QCOMPARE(stopMessageFromReport(QString::fromLatin1(report.readAll())),
           QString("YOUR NUMBERS OF SEGMENT 800 IS LARGER THAN DEFAULT VALUE 500. YOU MIGHT WANT "
                   "TO CHANGE THE LENGTH OF SEGMENT OR CONSULT TOVRIN, INC. FOR CHANGING THE "
                   "DEFAULT VALUE"));
}

void EngineRunTest::loaderFailuresNameTheStep_data() {
  QTest::addColumn<QString>("library");
  QTest::addColumn<QString>("detail");
  Dl_info info{};
  dladdr(reinterpret_cast<void*>(&qVersion), &info);  // a real library without the entry
  QTest::newRow("no file") << QString("/nonexistent/libVORNE2014_DLL.so")
                           << "Library could not be located";
  QTest::newRow("not a library") << QString(VORNE_TEST_DATA "/plot_two_methods.vr6p")
                                 << "Library failed to properly initialize";
  QTest::newRow("no entry point") << QString(info.dli_fname) << "_IVORNE is not exported";
}

void EngineRunTest::loaderFailuresNameTheStep() {
  QFETCH(QString, library);
  QFETCH(QString, detail);
  QTemporaryDir folder;
  const QString folderBefore = QDir::currentPath();
  const EngineRunResult result = runEngine(copyExample(folder), library);
  QCOMPARE(int(result.outcome), int(EngineRunOutcome::LibraryUnavailable));
  QCOMPARE(result.message, QString("Attempt to initialize DLL failed"));
  QVERIFY2(result.detail.contains(detail), qPrintable(result.detail));
  QCOMPARE(QDir::currentPath(), folderBefore);
  QVERIFY(!QFileInfo::exists(folder.filePath("pile.vr6o")));
}

void EngineRunTest::refusesPathsTheEngineWouldCut() {
  EngineRunFiles files{"/tmp/" + QString(260, 'x') + ".vr6d", "/tmp/a.vr6o", "/tmp/a.vr6p", ""};
  const EngineRunResult result = runEngine(files, kLibrary);
  QCOMPARE(int(result.outcome), int(EngineRunOutcome::NamesFileFailed));
  QCOMPARE(result.message, QString("An error occured while writing file names"));
  QVERIFY(result.detail.contains("255"));
}

void EngineRunTest::stopMessageFromReportText_data() {
  QTest::addColumn<QString>("report");
  QTest::addColumn<QString>("expected");
  QTest::newRow("run error line") << "banner\n\n VORNE STOPPED: x.vr6d: line 4: bad units\n"
                                  << "x.vr6d: line 4: bad units";
  QTest::newRow("two-line stop after a blank line")
      << "input\n\n\n          COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE   "
         "50.00 ft\n"
         "          IS LESS THAN PILE EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER      64.00 "
         "ft\n\n"
      << "COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE 50.00 ft IS LESS THAN PILE "
         "EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER 64.00 ft";
  QTest::newRow("stop line right after the date line")
      << "               Date:  May 04, 2026     Time:  10:00:00\n VORNE STOPPED: x.vr6d: no soil\n"
      << "x.vr6d: no soil";
  QTest::newRow("report ending in a table")
      << "banner\n\n   10.00    1.25   3.50\n   20.00    2.50   7.00\n"
      << "";
  QTest::newRow("stop paragraph before later lines")
      << "\n\n YOUR NUMBERS OF SEGMENT  800 IS LARGER THAN\n DEFAULT VALUE 500.\n\n   1.0  2.0\n"
      << "YOUR NUMBERS OF SEGMENT 800 IS LARGER THAN DEFAULT VALUE 500.";
  QTest::newRow("empty report") << ""
                                << "";
}

void EngineRunTest::stopMessageFromReportText() {
  QFETCH(QString, report);
  QFETCH(QString, expected);
  QCOMPARE(stopMessageFromReport(report), expected);
}

QTEST_GUILESS_MAIN(EngineRunTest)
#include "engine_run_test.moc"
