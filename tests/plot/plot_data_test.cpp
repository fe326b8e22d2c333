// Graph model and plot data loading: curve naming by selected methods, the load-transfer curve,
// tension captions, empty and missing blocks, truncated files, unit templates.
#include <QtTest>
#include <charconv>
#include <string>

#include "plot/main_graphs.h"

using namespace vorne;

namespace {

// Numbers with "." whatever the locale (std::to_string follows the locale's separator).
std::string num(double value) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// A plot data file in free format: nm method blocks of np rows (depth d, skin 10d + curve,
// tip 100 + curve, total, unit skin 0.1d), one t-z curve at 12.5, the load distribution and
// the load-settlement rows; extra t-z curves appended when extraCount >= 0.
std::string plotText(int nm, int np, int units, int transferMethod, int extraCount = -1) {
  std::string text = num(nm) + " " + num(np) + " " + num(units) + " " + num(transferMethod) + "\n";
  for (int i = 0; i < nm; ++i) {
    for (int j = 0; j < np; ++j) {
      const double depth = 5.0 * j;
      const double skin = 10.0 * depth + i;
      const double tip = 100.0 + i;
      text += num(depth) + " " + num(skin) + " " + num(tip) + " " + num(skin + tip) + " " +
              num(0.1 * depth) + "\n";
    }
  }
  const auto tzBlock = [](int count) {
    std::string block = num(count) + "\n";
    for (int c = 0; c < count; ++c) {
      block += "1 10 " + num(12.5 + c) + "\n";
      for (int k = 1; k <= 10; ++k) block += num(k) + " " + num(0.1 * k) + "\n";
    }
    return block;
  };
  text += tzBlock(1);
  for (int level = 1; level <= 9; ++level) {
    for (int j = 0; j < np; ++j) text += num(5.0 * j) + " " + num(level) + " 0\n";
  }
  for (int level = 1; level <= 9; ++level) {
    text += num(10 * level) + " " + num(0.1 * level) + " " + num(5 * level) + " " +
            num(0.01 * level) + "\n";
  }
  if (extraCount >= 0) text += tzBlock(extraCount);
  return text;
}

TPlotProject projectWith(std::initializer_list<int> methods) {
  TPlotProject project;
  for (int m : methods) project.MethodSelected[static_cast<std::size_t>(m)] = 1;
  project.OutsideDiameter = 24.0;
  project.Layers = {{1, 10.0}, {2, 35.0}};
  return project;
}

QStringList names(const TGraphPlot& graph) {
  QStringList out;
  for (int i = 0; i < graph.LineCount(); ++i) out << graph.DisplayName(i);
  return out;
}

}  // namespace

class PlotDataTest : public QObject {
  Q_OBJECT

 private slots:
  void loadsTheEngineLayoutFile();
  void namesCurvesInFileOrder_data();
  void namesCurvesInFileOrder();
  void transferMethodSwitchedOffKeepsItsNumber();
  void noMethodCurvesStillReadsTheRest();
  void tensionCaptions_data();
  void tensionCaptions();
  void extraTzBlock_data();
  void extraTzBlock();
  void truncatedFileKeepsPartialData();
  void refusesCorruptCounts();
  void missingFileFails();
  void expandUnits_data();
  void expandUnits();
  void graphModelCountsAndNames();
};

void PlotDataTest::loadsTheEngineLayoutFile() {
  // FHWA and API selected, API carries the load transfer: curve 1 is the GRLWEAP source.
  TMainGraphs graphs;
  TPlotProject project = projectWith({1, 4});
  QVERIFY(LoadPlotData(graphs, project, VORNE_TEST_DATA "/plot_two_methods.vr6p"));
  QCOMPARE(names(graphs.pltSkin), (QStringList{"FHWA", "API"}));
  QCOMPARE(names(graphs.pltTotal), (QStringList{"FHWA", "API"}));
  QCOMPARE(graphs.pltAxial.DisplayName(0), QString("API"));
  QCOMPARE(graphs.pltSkin.PointCount(1), 3);
  QCOMPARE(graphs.pltSkin.Lines[1].Points[2].X, 60.4);
  QCOMPARE(graphs.pltSkin.Lines[1].Points[2].Y, 20.0);
  QCOMPARE(graphs.pltTip.Lines[1].Points[2].X, 55.9);
  QCOMPARE(graphs.pltTotal.Lines[1].Points[2].X, 116.3);
  QCOMPARE(graphs.pltUSkin.Lines[1].Points[2].X, 1.010);
  // The combined plot and the GRLWEAP cache follow the API curve.
  QCOMPARE(graphs.pltCombine.Lines[2].Points[1].X, 43.1);
  QCOMPARE(project.Results.ResultCount(), 3);
  QCOMPARE(project.Results.ResultDepth[2], 20.0);
  QCOMPARE(project.Results.ResultSkin[2], 1.010);
  QCOMPARE(project.Results.ResultTip[2], 55.9);
  // t-z curve named by its depth; t on Y, z on X.
  QCOMPARE(graphs.pltTZcurves.LineCount(), 1);
  QCOMPARE(graphs.pltTZcurves.DisplayName(0), QString("12.5 ft"));
  QCOMPARE(graphs.pltTZcurves.Lines[0].Points[9].Y, 1.0);
  QCOMPARE(graphs.pltTZcurves.Lines[0].Points[9].X, 0.5);
  // Load distribution of level 9 at 10 ft: 90 × (1 − 10/40) = 67.5.
  QCOMPARE(graphs.pltLoad.LineCount(), 9);
  QCOMPARE(graphs.pltLoad.DisplayName(8), QString("Head Load 90 kips"));
  QCOMPARE(graphs.pltLoad.XCaption, QString("Axial Load "));
  QCOMPARE(graphs.PltQw.YUnits, QString());
  QCOMPARE(graphs.pltLoad.Lines[8].Points[1].X, 67.5);
  QCOMPARE(graphs.pltLoad.Lines[8].Points[1].Y, 10.0);
  // Load-settlement from the origin.
  QCOMPARE(graphs.pltAxial.PointCount(0), 10);
  QCOMPARE(graphs.pltAxial.Lines[0].Points[0].X, 0.0);
  QCOMPARE(graphs.pltAxial.Lines[0].Points[9].X, 90.0);
  QCOMPARE(graphs.pltAxial.Lines[0].Points[9].Y, 0.18);
  QCOMPARE(graphs.PltQw.Lines[0].Points[9].X, 45.0);
  QCOMPARE(graphs.PltQw.Lines[0].Points[9].Y, 0.09);
  QCOMPARE(graphs.pltAxial.YCaption, QString("Settlement, in."));
  QVERIFY(graphs.pltAxial.XOnTop);
  // Layers on the six depth graphs; the perimeter of a 24 in pipe.
  QCOMPARE(graphs.pltLoad.LayerLines.size(), std::size_t{2});
  QCOMPARE(graphs.pltSkin.LayerLines[1].Name, QString("LAYER 2 CLAY "));
  QCOMPARE(graphs.pltSkin.LayerLines[0].Points[0].X, 7.0);
  QCOMPARE(graphs.pltSkin.LayerLines[1].Points[0].Y, 35.0);
  QVERIFY(graphs.pltAxial.LayerLines.empty());
  QCOMPARE(project.NoncircularPerimeter, 24.0 * 3.1416);
  for (TGraphPlot* graph : graphs.all()) QCOMPARE(graph->Units(), 1);
}

void PlotDataTest::namesCurvesInFileOrder_data() {
  QTest::addColumn<QList<int>>("methods");
  QTest::addColumn<int>("transfer");
  QTest::addColumn<QStringList>("expected");
  QTest::addColumn<int>("transferCurve");
  QTest::newRow("API only") << QList<int>{4} << 4 << QStringList{"API"} << 0;
  QTest::newRow("user-specified before FHWA")
      << QList<int>{1, 5} << 1 << QStringList{"User Spec.", "FHWA"} << 1;
  // The user-specified method did not run: its block is missing and FHWA is curve 0.
  QTest::newRow("user-specified selected, not run")
      << QList<int>{1, 5, 4} << 4 << QStringList{"FHWA", "API"} << 1;
  QTest::newRow("all nine") << QList<int>{9, 8, 7, 6, 5, 4, 3, 2, 1} << 7
                            << QStringList{"User Spec.", "FHWA", "USACE", "Lambda", "API",
                                           "NGI",        "MTD",  "FUGRO", "UWA"}
                            << 6;
}

void PlotDataTest::namesCurvesInFileOrder() {
  QFETCH(QList<int>, methods);
  QFETCH(int, transfer);
  QFETCH(QStringList, expected);
  QFETCH(int, transferCurve);
  TMainGraphs graphs;
  TPlotProject project;
  for (int m : methods) project.MethodSelected[static_cast<std::size_t>(m)] = 1;
  const auto nm = static_cast<int>(expected.size());
  QVERIFY(LoadPlotDataFromText(graphs, project, plotText(nm, 3, 2, transfer)));
  QCOMPARE(names(graphs.pltSkin), expected);
  QCOMPARE(names(graphs.pltUSkin), expected);
  QCOMPARE(names(graphs.pltTip), expected);
  QCOMPARE(graphs.pltAxial.DisplayName(0), expected[transferCurve]);
  // Skin friction at 10 m of curve s is 100 + s; the cache and the combined plot copy it.
  QCOMPARE(graphs.pltCombine.Lines[0].Points[2].X, 100.0 + transferCurve);
  QCOMPARE(project.Results.ResultTip[2], 100.0 + transferCurve);
  QCOMPARE(names(graphs.pltCombine),
           (QStringList{"Skin Friction", "Tip Resistance", "Total Capacity"}));
  QCOMPARE(graphs.pltAxial.YCaption, QString("Settlement, m"));
  QCOMPARE(graphs.pltTZcurves.DisplayName(0), QString("12.5 m"));
}

void PlotDataTest::transferMethodSwitchedOffKeepsItsNumber() {
  // API and NGI selected, load transfer by FHWA (off): s = 1, which is the NGI curve.
  TMainGraphs graphs;
  TPlotProject project = projectWith({4, 6});
  QVERIFY(LoadPlotDataFromText(graphs, project, plotText(2, 3, 1, 1)));
  QCOMPARE(graphs.pltCombine.Lines[1].Points[1].X, 101.0);
  QCOMPARE(graphs.pltAxial.DisplayName(0), QString("FHWA"));
  // API only, load transfer by UWA (off, s = 9): no curve 9, so nothing is copied.
  TMainGraphs single;
  TPlotProject apiOnly = projectWith({4});
  QVERIFY(LoadPlotDataFromText(single, apiOnly, plotText(1, 3, 1, 9)));
  QCOMPARE(single.pltCombine.Lines[1].Points[1].X, 0.0);
  QCOMPARE(apiOnly.Results.ResultCount(), 3);
  QCOMPARE(apiOnly.Results.ResultTip[1], 0.0);
}

void PlotDataTest::noMethodCurvesStillReadsTheRest() {
  TMainGraphs graphs;
  TPlotProject project = projectWith({4});
  project.Results.ResultDepth = {1.0, 2.0};
  QVERIFY(LoadPlotDataFromText(graphs, project, plotText(0, 3, 1, 4)));
  QCOMPARE(graphs.pltSkin.LineCount(), 0);
  QCOMPARE(project.Results.ResultCount(), 0);
  QVERIFY(graphs.pltSkin.LayerLines.empty());
  QVERIFY(graphs.pltCombine.LayerLines.empty());  // its curves have no points
  QCOMPARE(graphs.pltAxial.Lines[0].Points[9].X, 90.0);
}

void PlotDataTest::tensionCaptions_data() {
  QTest::addColumn<int>("units");
  QTest::addColumn<QString>("axial");
  QTest::addColumn<QString>("qw");
  QTest::newRow("English") << 1 << "Uplift, in."
                           << "Settlement, in.";
  QTest::newRow("SI") << 2 << "Uplift, m"
                      << "Settlement, m";
}

void PlotDataTest::tensionCaptions() {
  QFETCH(int, units);
  QFETCH(QString, axial);
  QFETCH(QString, qw);
  TMainGraphs graphs;
  TPlotProject project = projectWith({4});
  project.LoadingType = 1;
  QVERIFY(LoadPlotDataFromText(graphs, project, plotText(1, 2, units, 4)));
  QCOMPARE(graphs.pltAxial.YCaption, axial);
  QCOMPARE(graphs.PltQw.YCaption, qw);
  QVERIFY(!graphs.pltAxial.XOnTop);
  QVERIFY(!graphs.PltQw.XOnTop);
  QCOMPARE(graphs.pltCombine.DisplayName(1), QString("Self Weight"));
}

void PlotDataTest::extraTzBlock_data() {
  QTest::addColumn<int>("flag");
  QTest::addColumn<int>("written");  // -1: no block in the file
  QTest::addColumn<int>("expected");
  QTest::newRow("flag set, block of two") << 1 << 2 << 2;
  QTest::newRow("flag set, no block written") << 1 << -1 << 0;
  QTest::newRow("flag off, block ignored") << 0 << 2 << 0;
}

void PlotDataTest::extraTzBlock() {
  QFETCH(int, flag);
  QFETCH(int, written);
  QFETCH(int, expected);
  TMainGraphs graphs;
  graphs.PltExtraTZ.SetLineCount(4);  // left from an earlier load
  if (flag == 0) graphs.PltExtraTZ.SetLineCount(0);
  TPlotProject project = projectWith({4});
  project.ExtraTzDepths = flag;
  QVERIFY(LoadPlotDataFromText(graphs, project, plotText(1, 2, 1, 4, written)));
  QCOMPARE(graphs.PltExtraTZ.LineCount(), expected);
  if (expected == 2) QCOMPARE(graphs.PltExtraTZ.DisplayName(1), QString("13.5 ft"));
}

void PlotDataTest::truncatedFileKeepsPartialData() {
  // Cut the file after the fourth load-settlement row.
  std::string text = plotText(1, 2, 1, 4);
  std::size_t cut = text.size();
  for (int k = 0; k < 6; ++k) cut = text.rfind('\n', cut - 1);
  text.resize(cut + 1);
  TMainGraphs graphs;
  TPlotProject project = projectWith({4});
  QString reason;
  QVERIFY(!LoadPlotDataFromText(graphs, project, text, &reason));
  QCOMPARE(reason, QString("This file either invalid or incomplete."));
  QCOMPARE(graphs.pltAxial.Lines[0].Points[4].X, 40.0);
  QCOMPARE(graphs.pltAxial.Lines[0].Points[5].X, 0.0);
  QVERIFY(graphs.pltSkin.LayerLines.empty());  // the load ended before the layers

  // A word that is not a number names its line and item.
  QVERIFY(!LoadPlotDataFromText(graphs, project, "1 2 1 4\n0 0 x 0 0\n", &reason));
  QVERIFY(reason.startsWith("Error on Line 2 Item 3"));
}

void PlotDataTest::refusesCorruptCounts() {
  TMainGraphs graphs;
  TPlotProject project = projectWith({4});
  QString reason;
  QVERIFY(!LoadPlotDataFromText(graphs, project, "1 2000000000 1 4\n", &reason));
  QVERIFY(reason.contains("2000000000"));
  QCOMPARE(graphs.pltSkin.PointCount(0), 0);
  QVERIFY(!LoadPlotDataFromText(graphs, project, "10 2 1 4\n", &reason));
}

void PlotDataTest::missingFileFails() {
  TMainGraphs graphs;
  TPlotProject project;
  QString reason;
  QVERIFY(!LoadPlotData(graphs, project, VORNE_TEST_DATA "/no_such_file.vr6p", &reason));
  QVERIFY(!reason.isEmpty());
}

void PlotDataTest::expandUnits_data() {
  QTest::addColumn<QString>("templ");
  QTest::addColumn<int>("units");
  QTest::addColumn<QString>("expected");
  QTest::newRow("stress SI") << "F1/L2^2" << 2 << "kN/m^2";
  QTest::newRow("stress English") << "F1/L2^2" << 1 << "kips/ft^2";
  QTest::newRow("psi") << "F/L^2" << 1 << "lbs/in^2";
  QTest::newRow("F2 wins over a lone F") << "F2 F" << 1 << "tons F";
  QTest::newRow("mm") << "L1" << 2 << "mm";
  QTest::newRow("shown as written") << "F1/L2^2" << 3 << "F1/L2^2";
  QTest::newRow("no tokens") << "SPT-N" << 1 << "SPT-N";
}

void PlotDataTest::expandUnits() {
  QFETCH(QString, templ);
  QFETCH(int, units);
  QFETCH(QString, expected);
  QCOMPARE(ExpandUnits(templ, units), expected);
}

void PlotDataTest::graphModelCountsAndNames() {
  TGraphPlot graph;
  graph.SetUnits(0);
  QCOMPARE(graph.Units(), 1);
  graph.SetUnits(7);
  QCOMPARE(graph.Units(), 3);
  graph.SetLineCount(1);
  graph.SetPointCount(3);
  graph.SetLineCount(3);  // new lines take the first line's point count
  QCOMPARE(graph.PointCount(2), 3);
  QCOMPARE(graph.Lines[2].Owner, &graph);
  graph.SetPointCount(-2);
  QCOMPARE(graph.PointCount(0), 0);
  graph.LineNames << "first";
  graph.Lines[1].Name = "named";
  QCOMPARE(names(graph), (QStringList{"first", "named", "Curve #3"}));
  graph.SetLineCount(-1);
  QCOMPARE(graph.LineCount(), 0);
}

QTEST_GUILESS_MAIN(PlotDataTest)
#include "plot_data_test.moc"
