// The workbook export: column letters, which graphs may be exported, and the workbooks that the
// read-back script (xlsx_readback.py) opens with a spreadsheet library of its own. Run with
// VORNE_XLSX_FIXTURES set, writeReadBackFixtures leaves its workbooks in that folder.
#include "plot/xlsx_export.h"

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

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class XlsxExportTest : public QObject {
  Q_OBJECT

 private slots:
  void columnLetters_data();
  void columnLetters();
  void entriesFollowTheGraphicsMenu_data();
  void entriesFollowTheGraphicsMenu();
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

void XlsxExportTest::entriesFollowTheGraphicsMenu_data() {
  QTest::addColumn<bool>("results");
  QTest::addColumn<bool>("fileThere");
  QTest::addColumn<bool>("extra");
  QTest::addColumn<bool>("tension");
  QTest::addColumn<QString>("enabled");  // one digit per entry in list order
  QTest::newRow("no plot data") << false << true << true << false << "0000000000";
  QTest::newRow("plot data file gone") << true << false << true << false << "0000000000";
  QTest::newRow("compression with extra depths") << true << true << true << false << "1111111111";
  QTest::newRow("compression, no extra depths") << true << true << false << false << "1111111101";
  QTest::newRow("tension: no tip, no Q-w") << true << true << true << true << "1101111110";
}

void XlsxExportTest::entriesFollowTheGraphicsMenu() {
  QFETCH(bool, results);
  QFETCH(bool, fileThere);
  QFETCH(bool, extra);
  QFETCH(bool, tension);
  QFETCH(QString, enabled);
  const auto flags = exportPlotsEnabled({results, fileThere, extra, tension});
  QString digits;
  for (bool flag : flags) digits += flag ? QLatin1Char('1') : QLatin1Char('0');
  QCOMPARE(digits, enabled);

  // The list order is the order of the export dialog's entries.
  TMainGraphs graphs;
  const auto list = exportPlotList(graphs);
  QCOMPARE(list.front(), &graphs.pltUSkin);
  QCOMPARE(list[7], &graphs.pltTZcurves);
  QCOMPARE(list.back(), &graphs.PltQw);
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
  QCOMPARE(readAll(file), QByteArray("earlier file"));
}

QTEST_GUILESS_MAIN(XlsxExportTest)
#include "xlsx_export_test.moc"
