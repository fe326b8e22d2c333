// The analysis run service in process: save, engine call through the library loaded by path,
// plot data into the graphs, GRLWEAP file, and the messages in their order; the taper check.
#include "app/analysis_run.h"

#include <QtTest>

using namespace vorne;

namespace {

const QString kLibrary = QStringLiteral(VORNE_BIN_DIR "/libVORNE2014_DLL.so");

struct Message {
  RunMessageKind kind;
  QString text;
};

}  // namespace

class AnalysisRunTest : public QObject {
  Q_OBJECT

 private slots:
  void runsASavedCopyOfAnExample();
  void untitledProjectIsNotRun();
  void taperCheck_data();
  void taperCheck();
};

void AnalysisRunTest::runsASavedCopyOfAnExample() {
  QTemporaryDir folder;
  QFile::copy(VORNE_SOURCE_DIR "/examples/steel_pipe_layered.vr6d", folder.filePath("pier.vr6d"));
  QFile::copy(VORNE_SOURCE_DIR "/examples/steel_pipe_layered.cpt", folder.filePath("pier.cpt"));
  TProgramData project;
  project.createFromFile(folder.filePath("pier.vr6d"), true);
  project.Title = "Pier 3, saved before the run";
  project.setModified();
  TMainGraphs graphs;
  QList<Message> messages;
  AnalysisRunOptions options;
  options.engineLibrary = kLibrary;
  const AnalysisRunResult result =
      runAnalysis(project, graphs, options,
                  [&messages](RunMessageKind kind, const QString& text, const QString&) {
                    messages.append({kind, text});
                  });

  QCOMPARE(int(result.outcome), int(AnalysisRunOutcome::Finished));
  QVERIFY(result.ResultsAvailable);
  QCOMPARE(messages.size(), 1);
  QCOMPARE(
      messages[0].text,
      QString(
          "Computations are completed. Please, check output file for results or error messages."));
  QVERIFY(!project.isModified());  // saved first
  QVERIFY(QFile(folder.filePath("pier.vr6o")).size() > 0);
  // The engine read the saved title.
  QFile report(folder.filePath("pier.vr6o"));
  QVERIFY(report.open(QIODevice::ReadOnly));
  QVERIFY(report.readAll().contains("Pier 3, saved before the run"));
  // API curve: 0 to 60 ft every 2 ft, 31 rows, into the graphs and the GRLWEAP cache.
  QCOMPARE(graphs.pltSkin.DisplayName(0), QString("API"));
  QCOMPARE(project.ResultCount(), 31);
  QCOMPARE(project.ResultDepth.back(), 60.0);
  QCOMPARE(result.grlweapFile, folder.filePath("pier.gwi"));
  QFile grlweap(result.grlweapFile);
  QVERIFY(grlweap.open(QIODevice::ReadOnly));
  QCOMPARE(grlweap.readAll().count('\n'), 17 + 31);
  QCOMPARE(project.NoncircularPerimeter, 24.0 * 3.1416);
}

void AnalysisRunTest::untitledProjectIsNotRun() {
  TProgramData project;  // new and untitled
  TMainGraphs graphs;
  int messages = 0;
  AnalysisRunOptions options;
  options.saveFirst = false;
  options.engineLibrary = kLibrary;
  const AnalysisRunResult result =
      runAnalysis(project, graphs, options,
                  [&messages](RunMessageKind, const QString&, const QString&) { ++messages; });
  QCOMPARE(int(result.outcome), int(AnalysisRunOutcome::NotRun));
  QCOMPARE(messages, 0);
}

void AnalysisRunTest::taperCheck_data() {
  QTest::addColumn<int>("pileType");
  QTest::addColumn<int>("fhwa");
  QTest::addColumn<double>("taper");
  QTest::addColumn<QString>("expected");
  // Timber, TL 20 ft, OD 12 in: tip 12 − tan(2°) × 480 < 0; largest angle atan(6 / 240) = 1.432°.
  const QString message =
      "Taper angle is large since it generates a negative diameter at tip of pile.\r"
      "Taper angle should be smaller than 1.432 degrees.\rPlease check input data ";
  QTest::newRow("timber, too much taper") << 2 << 1 << 2.0 << message;
  QTest::newRow("timber, small taper") << 2 << 1 << 1.0 << QString();
  QTest::newRow("FHWA not selected") << 2 << 0 << 2.0 << QString();
  QTest::newRow("steel pipe is not tapered") << 1 << 1 << 2.0 << QString();
  QTest::newRow("tapered monotube") << 7 << 1 << 2.0 << message;
}

void AnalysisRunTest::taperCheck() {
  QFETCH(int, pileType);
  QFETCH(int, fhwa);
  QFETCH(double, taper);
  QFETCH(QString, expected);
  TProgramData project;
  project.PileType = pileType;
  project.MethodSelected[1] = fhwa;
  project.TaperAngle = taper;
  project.PileLength = 20.0;
  project.OutsideDiameter = 12.0;
  QCOMPARE(taperCheckMessage(project).value_or(QString()), expected);
}

QTEST_GUILESS_MAIN(AnalysisRunTest)
#include "analysis_run_test.moc"
