// Cone data import: header and column handling, the three conversions, and both messages.
#include "app/cpt_import.h"

#include <QtTest>
#include <cmath>

using namespace vorne;

namespace {

// Three header lines, then ten lines of depth, Qc and sleeve friction.
QString writeFieldFile(QTemporaryDir& folder, int dataLines = 10) {
  const QString path = folder.filePath("cone.txt");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return {};
  file.write("Site: pier 3\r\nCone 10 cm2, 2 cm/s\r\ndepth qc fs\r\n");
  for (int i = 1; i <= dataLines; ++i) {
    file.write(QByteArray::number(0.5 * i) + "\t" + QByteArray::number(100 * i) + "  1.5\r\n");
  }
  return path;
}

}  // namespace

class CptImportTest : public QObject {
  Q_OBJECT

 private slots:
  void readsHeaderAndColumns_data();
  void readsHeaderAndColumns();
  void conversions_data();
  void conversions();
  void missingFileLeavesTheGraph();
  void shortFileKeepsPointsRead();
  void refusesCountsBeyondTheirRanges();
  void refusesUaTimesQcBeyondTheRangeOfNumbers();
  void uaTimesQcIsTheDecimalItReads();
};

void CptImportTest::readsHeaderAndColumns_data() {
  QTest::addColumn<int>("columns");
  QTest::newRow("three columns") << 3;
  QTest::newRow("two columns, the third skipped") << 2;
}

void CptImportTest::readsHeaderAndColumns() {
  QFETCH(int, columns);
  QTemporaryDir folder;
  TCptImportSettings settings{writeFieldFile(folder), 10, 3, columns, 1.0};
  TGraphPlot graph;
  const CptImportResult result = importCptData(settings, CptConversion::Qc, 1, graph);
  QVERIFY2(result.ok, qPrintable(result.message));
  QCOMPARE(graph.LineCount(), 1);
  QCOMPARE(graph.PointCount(0), 10);
  QCOMPARE(graph.Lines[0].Points[0].Y, 0.5);
  QCOMPARE(graph.Lines[0].Points[0].X, 100.0);
  QCOMPARE(graph.Lines[0].Points[9].Y, 5.0);
  QCOMPARE(graph.Lines[0].Points[9].X, 1000.0);
  QCOMPARE(graph.Caption, QString("CPT Profile"));
  QCOMPARE(graph.XCaption, QString("Qc, ksf"));
  QCOMPARE(graph.YCaption, QString("Depth, ft"));
  QCOMPARE(graph.DisplayName(0), QString("CPT Data"));
}

void CptImportTest::conversions_data() {
  QTest::addColumn<int>("conversion");
  QTest::addColumn<int>("units");
  QTest::addColumn<double>("ua");
  QTest::addColumn<double>("expected");  // from Qc 100 on the first line
  QTest::addColumn<QString>("xCaption");
  QTest::newRow("Qc in MPa with Ua 1000")
      << int(CptConversion::Qc) << 2 << 1000.0 << 100000.0 << "Qc, kPa";
  // 100 × 47.875 / 280 = 17.098
  QTest::newRow("SPT English") << int(CptConversion::Spt) << 1 << 1.0 << 17.098 << "SPT, N";
  QTest::newRow("SPT SI") << int(CptConversion::Spt) << 2 << 1.0 << 100.0 / 280.0 << "SPT, N";
  // 100 / 15 = 6.667
  QTest::newRow("Su English") << int(CptConversion::Su) << 1 << 1.0 << 6.667
                              << "Undrained Shear Strength Su, k/ft^2";
  QTest::newRow("Su SI") << int(CptConversion::Su) << 2 << 1.0 << 6.667
                         << "Undrained Shear Strength Su, kPa";
}

void CptImportTest::conversions() {
  QFETCH(int, conversion);
  QFETCH(int, units);
  QFETCH(double, ua);
  QFETCH(double, expected);
  QFETCH(QString, xCaption);
  QTemporaryDir folder;
  TCptImportSettings settings{writeFieldFile(folder), 10, 3, 3, ua};
  TGraphPlot graph;
  QVERIFY(importCptData(settings, CptConversion(conversion), units, graph).ok);
  QVERIFY(qAbs(graph.Lines[0].Points[0].X - expected) < 5e-4);  // the expected values are rounded
  QCOMPARE(graph.XCaption, xCaption);
  QCOMPARE(graph.YCaption, units == 1 ? QString("Depth, ft") : QString("Depth, m"));
}

void CptImportTest::missingFileLeavesTheGraph() {
  TGraphPlot graph;
  graph.SetLineCount(1);
  graph.SetPointCount(4);
  TCptImportSettings settings{"/nonexistent/cone.txt", 10, 0, 2, 1.0};
  const CptImportResult result = importCptData(settings, CptConversion::Qc, 1, graph);
  QVERIFY(!result.ok);
  QCOMPARE(result.message, QString("File /nonexistent/cone.txt does not exists"));
  QCOMPARE(graph.PointCount(0), 4);
}

void CptImportTest::shortFileKeepsPointsRead() {
  QTemporaryDir folder;
  TCptImportSettings settings{writeFieldFile(folder, 4), 10, 3, 3, 1.0};
  TGraphPlot graph;
  CptImportResult result = importCptData(settings, CptConversion::Qc, 1, graph);
  QVERIFY(!result.ok);
  QCOMPARE(result.message, QString("There was an error reading the input CPT file."));
  QCOMPARE(graph.PointCount(0), 4);
  QCOMPARE(graph.Lines[0].Points[3].Y, 2.0);
  // Four columns asked of lines that hold three: the line is short, not borrowed from the next.
  settings = {writeFieldFile(folder), 10, 3, 4, 1.0};
  result = importCptData(settings, CptConversion::Qc, 1, graph);
  QVERIFY(!result.ok);
  QCOMPARE(graph.PointCount(0), 0);
}

void CptImportTest::refusesUaTimesQcBeyondTheRangeOfNumbers() {
  // Qc of 100, 200, ... times Ua = 1e306: the second point (line 5) overflows, the first stays.
  QTemporaryDir folder;
  TCptImportSettings settings{writeFieldFile(folder), 10, 3, 3, 1e306};
  TGraphPlot graph;
  const CptImportResult result = importCptData(settings, CptConversion::Qc, 2, graph);
  QVERIFY(!result.ok);
  QVERIFY2(result.message.contains("Line 5 of") && result.message.contains("beyond the range"),
           qPrintable(result.message));
  QCOMPARE(graph.PointCount(0), 1);
  for (const TFloatPoint& point : graph.Lines[0].Points) QVERIFY(std::isfinite(point.X));
}

void CptImportTest::refusesCountsBeyondTheirRanges() {
  QTemporaryDir folder;
  const QString path = writeFieldFile(folder);
  struct Case {
    TCptImportSettings settings;
    const char* message;
  };
  const Case cases[] = {
      {{path, 5000, 3, 3, 1.0}, "Number of data lines 5000 is outside 2 to 1000."},
      {{path, 10, 51, 3, 1.0}, "Number of header lines 51 is outside 0 to 50."},
      {{path, 10, 3, 21, 1.0}, "Number of data columns 21 is outside 2 to 20."},
  };
  for (const Case& c : cases) {
    TGraphPlot graph;
    const CptImportResult result = importCptData(c.settings, CptConversion::Qc, 1, graph);
    QVERIFY(!result.ok);
    QCOMPARE(result.message, QString(c.message));
    QCOMPARE(graph.LineCount(), 0);
  }
}


void CptImportTest::uaTimesQcIsTheDecimalItReads() {
  // Qc in MPa with Ua = 1000: 4.02 x 1000 is 4019.9999999999995 in binary and 1.1 x 1000 is
  // 1100.0000000000002; the import keeps 4020 and 1100, so the side file reads 4.02E+03.
  QTemporaryDir folder;
  const QString path = folder.filePath("mpa.txt");
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("1.0 4.02\n2.0 1.1\n");
  file.close();
  TGraphPlot graph;
  QVERIFY(importCptData({path, 2, 0, 2, 1000.0}, CptConversion::Qc, 2, graph).ok);
  QCOMPARE(graph.Lines[0].Points[0].X, 4020.0);
  QCOMPARE(graph.Lines[0].Points[1].X, 1100.0);
  TProgramData project;
  project.switchUnits(2);
  for (const TFloatPoint& p : graph.Lines[0].Points) project.CptPoints.push_back({p.Y, p.X});
  QCOMPARE(project.cptFileText(),
           QByteArray(" 2 2\r\n  1.00E+00  4.02E+03\r\n  2.00E+00  1.10E+03\r\n"));
}

QTEST_GUILESS_MAIN(CptImportTest)
#include "cpt_import_test.moc"
