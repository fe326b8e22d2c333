// Reading the engine's report: the run's date and identification, the input echo, the soil
// tables cell by cell, each method's plug marker at the tip, and the warnings.
#include "report/engine_report.h"

#include <QFile>
#include <QtTest>

using namespace vorne;

namespace {

QString golden(const char* name) {
  QFile file(QStringLiteral(VORNE_TEST_DATA "/golden/") + QLatin1String(name));
  return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

}  // namespace

class EngineReportTest : public QObject {
  Q_OBJECT

 private slots:
  void readsTheInputsOfARun();
  void plugMarkerOfTheTipRowByMethod();
  void warningsOnceEachAndBrokenTextGivesEmptyBlocks();
};

void EngineReportTest::readsTheInputsOfARun() {
  const EngineReport r = readEngineReport(golden("square_concrete.vr6o"));
  QCOMPARE(r.runDate, QDateTime(QDate(2026, 3, 5), QTime(9, 7, 3)));
  QCOMPARE(r.title, "18 in square prestressed concrete pile in clay over sand");
  QCOMPARE(r.designer, "Design Engineer");
  QCOMPARE(r.jobNumber, "Example 5");
  QCOMPARE(r.inputEcho.first(), "METHOD FOR UNIT LOAD TRANSFERS :");
  QVERIFY(r.inputEcho.contains("- CROSS SECTION AREA        =    324.00 IN2"));
  QCOMPARE(r.inputEcho.last(), "  USED IN COMPUTATION       =      0.50 FT.");
  QVERIFY(!r.openEndedPipe);
  // Three layers, each by its top and bottom point.
  QCOMPARE(r.soil.size(), std::size_t(6));
  QCOMPARE(r.soil[4], (QStringList{"45.00", "SAND", "1.00", "62.60", "35.00", "40.00"}));
  QCOMPARE(r.strength[0],
           (QStringList{"0.10E+08*", "0.10E+08*", "0.70", "0.35", "1.20", "0.00", "0.00"}));
  QCOMPARE(r.strength[5],
           (QStringList{"0.20E+01", "0.20E+03", "0.00", "0.00", "35.00", "0.00", "0.00"}));
  QCOMPARE(r.soilNotes.size(), 3);
  QCOMPARE(r.factors[3], (QStringList{"45.00", "0.700", "0.700"}));
  QCOMPARE(r.offshore[5], (QStringList{"80.00", "0.00", "35.00", "0.100E+03"}));
  QCOMPARE(r.capacityTables.size(), std::size_t(4));
  QCOMPARE(r.capacityTables[2].methodId, 3);
  QCOMPARE(r.capacityTables[2].rows, 31);
  QVERIFY(r.messages.isEmpty());
}

void EngineReportTest::plugMarkerOfTheTipRowByMethod() {
  // API's tip row carries "*" (unplugged); NGI's rows carry it above the tip but not at it.
  const EngineReport r = readEngineReport(golden("offshore_pipe_si.vr6o"));
  QVERIFY(r.openEndedPipe);
  QVERIFY(tipUnplugged(r, 4));
  QVERIFY(!tipUnplugged(r, 6));
  QVERIFY(!tipUnplugged(r, 1));  // not in this run
  QCOMPARE(r.capacityTables.size(), std::size_t(5));
}

void EngineReportTest::warningsOnceEachAndBrokenTextGivesEmptyBlocks() {
  QString text = golden("steel_pipe_layered.vr6o");
  const qsizetype result = text.indexOf("* COMPUTATION RESULT *");
  QVERIFY(result > 0);
  text.insert(result + 30,
              " WARNING - h/R SHOULD BE GREATER THAN 8.\n"
              " WARNING - h/R SHOULD BE GREATER THAN 8.\n"
              " ERROR - NO DATA FOUND FOR PLASTIC INDEX.\n");
  EngineReport r = readEngineReport(text);
  QCOMPARE(r.messages, (QStringList{"WARNING - h/R SHOULD BE GREATER THAN 8.",
                                    "ERROR - NO DATA FOUND FOR PLASTIC INDEX."}));
  // A report cut short in its soil table, and text that is no report at all.
  text = golden("steel_pipe_layered.vr6o");
  r = readEngineReport(text.left(text.indexOf("MAXIMUM   MAXIMUM")));
  QVERIFY(!r.soil.empty());
  QVERIFY(r.strength.empty());
  QVERIFY(r.capacityTables.empty());
  r = readEngineReport(QStringLiteral("Date:  Smarch 45, 2026     Time:  99:07:03\n   1.0 *\n"));
  QVERIFY(!r.runDate.isValid());
  QVERIFY(r.inputEcho.isEmpty() && r.soil.empty() && r.messages.isEmpty());
}

QTEST_GUILESS_MAIN(EngineReportTest)
#include "engine_report_test.moc"
