// The workbook export: column letters, the list of exportable graphs, and the workbooks that the
// read-back script (xlsx_readback.py) opens with a spreadsheet library of its own. Run with
// VORNE_XLSX_FIXTURES set, writeReadBackFixtures leaves its workbooks in that folder.
#include "plot/xlsx_export.h"
#include "tests/support/file_bytes.h"

#include <QtTest>

using namespace vorne;

namespace {

// curveCount curves of pointCount points; point j of curve t (both 1-based) is
// (t + j / 4, j / 2), so the script can recompute every cell.
void fill(TGraphPlot& graph, int curveCount, int pointCount) {
  graph.SetLineCount(curveCount);
  graph.SetPointCount(pointCount);
  for (int t = 1; t <= curveCount; ++t) {
    for (int j = 1; j <= pointCount; ++j) {
      graph.Lines[static_cast<std::size_t>(t - 1)].Points[static_cast<std::size_t>(j - 1)] = {
          t + j / 4.0, j / 2.0};
    }
  }
}

}  // namespace

class XlsxExportTest : public QObject {
  Q_OBJECT

 private slots:
  void columnLetters_data();
  void columnLetters();
  void chosenPlotsKeepTheListOrder();
  void axisTitlesCarryTheExpandedUnits();
  void writeReadBackFixtures();
  void unwritableFileKeepsTheOldOne();
};

void XlsxExportTest::columnLetters_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("letters");
  QTest::newRow("first") << 1 << "A";
  QTest::newRow("last single letter") << 26 << "Z";
  QTest::newRow("first pair") << 27 << "AA";
  QTest::newRow("end of the A pairs") << 52 << "AZ";
  QTest::newRow("start of the B pairs") << 53 << "BA";
  QTest::newRow("14th curve's Y column") << 28 << "AB";
  QTest::newRow("last pair") << 702 << "ZZ";
  QTest::newRow("beyond two letters") << 703 << "";
  QTest::newRow("zero") << 0 << "";
  QTest::newRow("negative") << -5 << "";
}

void XlsxExportTest::columnLetters() {
  QFETCH(int, column);
  QFETCH(QString, letters);
  QCOMPARE(GetExcelCol(column), letters);
}

void XlsxExportTest::chosenPlotsKeepTheListOrder() {
  TMainGraphs graphs;
  ExportPlotFlags chosen{};
  chosen[9] = chosen[0] = chosen[7] = true;
  const std::vector<const TGraphPlot*> plots = chosenExportPlots(graphs, chosen);
  QCOMPARE(plots,
           (std::vector<const TGraphPlot*>{&graphs.pltUSkin, &graphs.pltTZcurves, &graphs.PltQw}));
}

void XlsxExportTest::axisTitlesCarryTheExpandedUnits() {
  QCOMPARE(exportAxisTitle("Unit Skin Friction", "F1/L2^2", 1), "Unit Skin Friction (kips/ft^2)");
  QCOMPARE(exportAxisTitle("Displacement, z", "L", 2), "Displacement, z (m)");
  QCOMPARE(exportAxisTitle("Settlement, in.", "", 1), "Settlement, in.");
}

void XlsxExportTest::writeReadBackFixtures() {
  QTemporaryDir scratch;
  const QString wanted = qEnvironmentVariable("VORNE_XLSX_FIXTURES");
  const QString folder = wanted.isEmpty() ? scratch.path() : wanted;
  QVERIFY(QDir().mkpath(folder));

  // Only the Q-w curve chosen: the numbering follows the chosen graphs, not the list.
  {
    TMainGraphs graphs;
    fill(graphs.PltQw, 1, 10);
    graphs.PltQw.SetUnits(2);
    graphs.PltQw.YCaption = "Settlement, m";
    const WorkbookExportResult result =
        exportGraphsToWorkbook({&graphs.PltQw}, folder + "/qw_only.xlsx");
    QVERIFY2(result.ok, qPrintable(result.message));
    QCOMPARE(result.stages, std::vector<ExportStage>{ExportStage::Complete});
  }

  // 13 curves end at column Z; a 14th starts at AA. The second graph is not a depth plot.
  {
    TGraphPlot thirteen;
    thirteen.Caption = "Thirteen";
    thirteen.XCaption = "Tip Resistance, Q";
    thirteen.XUnits = "F1";
    thirteen.YCaption = "Depth";
    thirteen.YUnits = "L2";
    fill(thirteen, 13, 5);
    thirteen.Lines[0].Name = "=looks like a formula";
    TGraphPlot fourteen;
    fourteen.Caption = "Fourteen";
    fourteen.XCaption = "Displacement, z";
    fourteen.XUnits = "L";
    fourteen.YCaption = "Unit Load Transfer, t";
    fourteen.YUnits = "F/L^2";
    fourteen.XOnTop = false;
    fourteen.SetUnits(2);
    fill(fourteen, 14, 5);
    const WorkbookExportResult result =
        exportGraphsToWorkbook({&thirteen, &fourteen}, folder + "/thirteen_fourteen.xlsx");
    QVERIFY2(result.ok, qPrintable(result.message));
  }

  // A graph wider than a sheet stops the export there: the first graph is complete, the second
  // stays "In Progress, Data", and the file holds both data sheets but one chart.
  {
    TGraphPlot fine;
    fine.Caption = "Fine";
    fill(fine, 2, 3);
    TGraphPlot tooWide;
    tooWide.Caption = "Too wide";
    fill(tooWide, 8193, 1);  // curve 8193 needs columns 16385 and 16386; a sheet has 16384
    TGraphPlot neverReached;
    neverReached.Caption = "Never reached";
    fill(neverReached, 1, 1);
    const QString file = folder + "/stopped.xlsx";
    const WorkbookExportResult result =
        exportGraphsToWorkbook({&fine, &tooWide, &neverReached}, file);
    QVERIFY(!result.ok);
    QVERIFY(result.written);
    QVERIFY2(result.message.contains("Page_2"), qPrintable(result.message));
    QCOMPARE(result.stages, (std::vector<ExportStage>{ExportStage::Complete, ExportStage::Data,
                                                      ExportStage::NotReached}));
    QVERIFY(QFileInfo::exists(file));
  }
}

void XlsxExportTest::unwritableFileKeepsTheOldOne() {
  QTemporaryDir folder;
  TGraphPlot graph;
  fill(graph, 1, 2);
  const WorkbookExportResult missing =
      exportGraphsToWorkbook({&graph}, folder.filePath("no/such/folder/out.xlsx"));
  QVERIFY(!missing.ok);
  QVERIFY(!missing.written);
  QVERIFY2(missing.message.contains("no/such/folder/out.xlsx"), qPrintable(missing.message));

  const QString file = folder.filePath("kept.xlsx");
  {
    QFile old(file);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("earlier file");
  }
  QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
  const WorkbookExportResult result = exportGraphsToWorkbook({&graph}, file);
  QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  if (result.ok) QSKIP("a read-only folder stays writable for this user (root)");
  QVERIFY(result.message.startsWith(file));
  QCOMPARE(readFileBytes(file), QByteArray("earlier file"));
}

QTEST_GUILESS_MAIN(XlsxExportTest)
#include "xlsx_export_test.moc"
