// Plot arithmetic without a window: automatic ranges, tick steps, pixel mapping, the three
// layouts, print margins, zoom, legend and image sizes, markers, labels.
#include "plot/plot_geometry.h"

#include <QtTest>

using namespace vorne;

Q_DECLARE_METATYPE(vorne::TRange)
Q_DECLARE_METATYPE(vorne::TPlotRect)

namespace {

TLineList curve(std::initializer_list<TFloatPoint> points) {
  TLine line;
  line.Points = points;
  return {line};
}

// Every text is 7 pixels per character.
int sevenPerChar(const QString& text) { return 7 * static_cast<int>(text.size()); }

}  // namespace

class PlotGeometryTest : public QObject {
  Q_OBJECT

 private slots:
  void automaticRangeIncludesZeroAndRoundsOut_data();
  void automaticRangeIncludesZeroAndRoundsOut();
  void nonFiniteDataRefusesTheRange();
  void tickSteps_data();
  void tickSteps();
  void valueToPixelAndBack();
  void layouts_data();
  void layouts();
  void printMarginsNeverInsideThePrinterOffsets_data();
  void printMarginsNeverInsideThePrinterOffsets();
  void zoomBoxKeepsATwentiethOfTheFullRange_data();
  void zoomBoxKeepsATwentiethOfTheFullRange();
  void zoomOutDoublesUntilTheFullRange_data();
  void zoomOutDoublesUntilTheFullRange();
  void legendSizeForAFontScale();
  void bitmapSizeFromInchesAndPixelsPerInch_data();
  void bitmapSizeFromInchesAndPixelsPerInch();
  void pictureDefaultsAndTextScale();
  void outputFileProposals();
  void markerOutlines();
  void curveLimitListsTheFirstTwenty();
  void tickLabels();
  void axisLabelsReadAsOneFormatWithoutOverlap_data();
  void axisLabelsReadAsOneFormatWithoutOverlap();
  void legendGoesWhereNoCurveRuns();
};

void PlotGeometryTest::automaticRangeIncludesZeroAndRoundsOut_data() {
  QTest::addColumn<TLineList>("lines");
  QTest::addColumn<TRange>("expected");
  // Y reaching 7.3: log10 7.3 = 0.86, step 1, 0 .. 8. X reaching 2.3: mantissa 0.36 < log10 3,
  // step 0.1, and 2.3 / 0.1 still rounds out to 23.
  QTest::newRow("7.3 and 2.3") << curve({{1.0, 2.0}, {2.3, 7.3}}) << TRange{0.0, 2.3, 0.0, 8.0};
  // -12 .. 40: span 52, step 10.
  QTest::newRow("-12 to 40") << curve({{1.0, -12.0}, {1.0, 40.0}}) << TRange{0.0, 1.0, -20, 40};
  QTest::newRow("all x at 5 or more starts at 0")
      << curve({{5.0, 1.0}, {9.0, 2.0}}) << TRange{0.0, 9.0, 0.0, 2.0};
  // Span 3 is exactly log10 3: step 1.
  QTest::newRow("all negative") << curve({{-3.0, -1.5}, {-1.0, -3.0}})
                                << TRange{-3.0, 0.0, -3.0, 0.0};
  // Zero span: opened to -0.01 .. 0.01, step 0.001.
  QTest::newRow("single point at zero") << curve({{0.0, 0.0}}) << TRange{-0.01, 0.01, -0.01, 0.01};
  QTest::newRow("single point") << curve({{4.0, 2.0}}) << TRange{0.0, 4.0, 0.0, 2.0};
  QTest::newRow("no curves") << TLineList{} << TRange{-0.01, 0.01, -0.01, 0.01};
}

void PlotGeometryTest::automaticRangeIncludesZeroAndRoundsOut() {
  QFETCH(TLineList, lines);
  QFETCH(TRange, expected);
  TRange range;
  QVERIFY(AutoRange(lines, range));
  QCOMPARE(range.XMin, expected.XMin);
  QCOMPARE(range.XMax, expected.XMax);
  QCOMPARE(range.YMin, expected.YMin);
  QCOMPARE(range.YMax, expected.YMax);
}

void PlotGeometryTest::nonFiniteDataRefusesTheRange() {
  TRange range;
  QVERIFY(!AutoRange(curve({{1.0, std::numeric_limits<double>::infinity()}}), range));
  QVERIFY(!AutoRange(curve({{-std::numeric_limits<double>::infinity(), 1.0}}), range));
  QCOMPARE(RangeStep(0.0), 0.0);
}

void PlotGeometryTest::tickSteps_data() {
  QTest::addColumn<TRange>("range");
  QTest::addColumn<int>("width");
  QTest::addColumn<bool>("three");
  QTest::addColumn<double>("minorX");
  QTest::addColumn<int>("lowX");
  QTest::addColumn<int>("highX");
  // F = 14: one major step per 84 pixels.
  // 600 px: n = 7, raw 8/7 = 1.14, major 1, minor 0.2, indices 0 .. 40.
  QTest::newRow("0 to 8") << TRange{0, 8, 0, 1} << 600 << false << 0.2 << 0 << 40;
  // n = 3, raw 20, major 20, minor 4: -20 is index -5 exactly.
  QTest::newRow("-20 to 40") << TRange{-20, 40, 0, 1} << 300 << false << 4.0 << -5 << 10;
  // raw 2.3 / 7 = 0.33, major 0.2, minor 0.04: 57 * 0.04 = 2.28 is the last tick.
  QTest::newRow("0 to 2.3") << TRange{0, 2.3, 0, 1} << 600 << false << 0.04 << 0 << 57;
  // Zoomed away from zero: the indices still start at 0.
  QTest::newRow("5 to 6") << TRange{5, 6, 0, 1} << 600 << false << 0.02 << 0 << 300;
  // Three panels: one major step per 56 pixels, n = 5, raw 2, major 2.
  QTest::newRow("three panels") << TRange{0, 10, 0, 1} << 300 << true << 0.4 << 0 << 25;
  // Raw 9: major 10.
  QTest::newRow("leading nine") << TRange{0, 63, 0, 1} << 600 << false << 2.0 << 0 << 31;
}

void PlotGeometryTest::tickSteps() {
  QFETCH(TRange, range);
  QFETCH(int, width);
  QFETCH(bool, three);
  QFETCH(double, minorX);
  QFETCH(int, lowX);
  QFETCH(int, highX);
  const TTicks ticks = TickSteps(range, TPlotRect{10, 10, 10 + width, 400}, 14, three);
  QVERIFY(ticks.hasX);
  QVERIFY(qFuzzyCompare(ticks.minorX, minorX));
  QCOMPARE(ticks.lowX, lowX);
  QCOMPARE(ticks.highX, highX);

  // Narrower than one step: no ticks on that axis.
  const TTicks none = TickSteps(range, TPlotRect{0, 0, 83, 400}, 14, false);
  QVERIFY(!none.hasX);
  QVERIFY(none.hasY);
}

void PlotGeometryTest::valueToPixelAndBack() {
  const TRange range{0, 10, 0, 100};
  const TPlotRect panel{100, 50, 600, 450};
  QCOMPARE(ValueToPixel(2.5, 25, range, panel, true), QPoint(225, 150));
  QCOMPARE(ValueToPixel(2.5, 25, range, panel, false), QPoint(225, 350));
  QCOMPARE(ValueToPixel(10, 100, range, panel, true), QPoint(600, 450));
  // Halves round to even: 2.5 -> 2, 7.5 -> 8.
  const TPlotRect ten{0, 0, 10, 10};
  QCOMPARE(ValueToPixel(1, 0, TRange{0, 4, 0, 1}, ten, true).x(), 2);
  QCOMPARE(ValueToPixel(3, 0, TRange{0, 4, 0, 1}, ten, true).x(), 8);

  for (bool xOnTop : {true, false}) {
    const QPoint p = ValueToPixel(2.5, 25, range, panel, xOnTop);
    const TFloatPoint back = PixelToValue(p.x(), p.y(), range, panel, xOnTop);
    QCOMPARE(back.X, 2.5);
    QCOMPARE(back.Y, 25.0);
  }
  // A point far outside or not a number still maps to a pixel without overflow.
  QCOMPARE(ValueToPixel(1e300, 0, range, panel, true).x(), 1000000000 + panel.left);
  QCOMPARE(ValueToPixel(std::nan(""), 0, range, panel, true).x(), 100);
  const TFloatPoint outside = PixelToValue(99, 200, range, panel, true);
  QCOMPARE(outside.X, 0.0);
  QCOMPARE(outside.Y, 0.0);
}

void PlotGeometryTest::layouts_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<int>("what");  // 0 plain, 1 x at bottom, 2 title top, 3 title bottom,
                                  // 4 layers, 5 font 2x
  QTest::addColumn<TPlotRect>("plot");
  QTest::addColumn<TPlotRect>("strip");
  // Screen 800 x 600, 96 ppi, F = 14: left 28 + 12 + 1, right 800 - 24 - 7.
  const int screen = int(TOutputKind::Screen);
  const int bitmap = int(TOutputKind::Bitmap);
  QTest::newRow("screen") << screen << 0 << TPlotRect{41, 41, 769, 569} << TPlotRect{};
  // Top 7 + 24, bottom 600 - 28 - 12 - 1.
  QTest::newRow("screen x at bottom") << screen << 1 << TPlotRect{41, 31, 769, 559} << TPlotRect{};
  QTest::newRow("screen title top") << screen << 2 << TPlotRect{41, 56, 769, 569} << TPlotRect{};
  QTest::newRow("screen title bottom") << screen << 3 << TPlotRect{41, 41, 769, 555} << TPlotRect{};
  // The strip takes an inch: right 769 - 96, strip from 673 + 19.
  QTest::newRow("screen layers") << screen << 4 << TPlotRect{41, 41, 673, 569}
                                 << TPlotRect{692, 41, 769, 569};
  // F = 28: left 56 + 12 + 3, right 800 - 24 - 14.
  QTest::newRow("screen font 2x") << screen << 5 << TPlotRect{71, 71, 762, 562} << TPlotRect{};
  QTest::newRow("bitmap title makes no room")
      << bitmap << 2 << TPlotRect{41, 41, 769, 569} << TPlotRect{};
  QTest::newRow("bitmap layers half an inch")
      << bitmap << 4 << TPlotRect{41, 41, 721, 569} << TPlotRect{740, 41, 769, 569};
}

void PlotGeometryTest::layouts() {
  QFETCH(int, kind);
  QFETCH(int, what);
  QFETCH(TPlotRect, plot);
  QFETCH(TPlotRect, strip);
  TGraphPlot graph;
  if (what == 1) graph.XOnTop = false;
  if (what == 2 || what == 3) graph.GraphTitle = QStringLiteral("Title");
  graph.TitleOnTop = what == 2;
  graph.ShowLayers = what == 4;
  if (what == 5) graph.SizeFont = 20;
  const TPlotLayout layout =
      ComputeLayout(graph, TPlotRect{0, 0, 800, 600}, 96, 96, 14, TOutputKind(kind));
  QCOMPARE(layout.plot, plot);
  QCOMPARE(layout.panel1, plot);
  if (graph.ShowLayers) QCOMPARE(layout.layerStrip, strip);
}

void PlotGeometryTest::printMarginsNeverInsideThePrinterOffsets_data() {
  QTest::addColumn<TPageMargins>("margins");
  QTest::addColumn<TPlotRect>("client");
  // Letter at 600 ppi, printable 5100 x 6600, offsets 100. One inch is 600 pixels: the client
  // starts 500 pixels into the printable area and ends 5100 + 100 - 600 across.
  QTest::newRow("one inch") << TPageMargins{} << TPlotRect{500, 500, 4600, 6100};
  // A tenth of an inch (60 px) is inside the offset of 100: the offset wins.
  QTest::newRow("inside the offsets")
      << TPageMargins{100, 100, 100, 100} << TPlotRect{0, 0, 5100, 6600};
  QTest::newRow("each side its own")
      << TPageMargins{500, 250, 2000, 1000} << TPlotRect{200, 50, 4000, 6100};
}

void PlotGeometryTest::printMarginsNeverInsideThePrinterOffsets() {
  QFETCH(TPageMargins, margins);
  QFETCH(TPlotRect, client);
  QCOMPARE(PrintClientRect(5100, 6600, 600, 600, 100, 100, margins), client);

  // The printed plot area: F = 87 at 600 ppi; left 174 + 75 + client left + 10, right the client
  // right; with the X axis on top the top is measured the same way.
  TGraphPlot graph;
  const TPlotLayout layout = ComputeLayout(graph, client, 600, 600, 87, TOutputKind::Printer);
  QCOMPARE(layout.plot,
           (TPlotRect{client.left + 259, client.top + 259, client.right, client.bottom}));
}

void PlotGeometryTest::zoomBoxKeepsATwentiethOfTheFullRange_data() {
  QTest::addColumn<QPoint>("press");
  QTest::addColumn<QPoint>("release");
  QTest::addColumn<bool>("zoomed");
  QTest::addColumn<TRange>("expected");
  // Full range 0..10 by 0..100 on a 100 x 100 panel.
  QTest::newRow("box") << QPoint(10, 20) << QPoint(60, 70) << true << TRange{1, 6, 20, 70};
  QTest::newRow("reversed box") << QPoint(60, 70) << QPoint(10, 20) << true << TRange{1, 6, 20, 70};
  QTest::newRow("zero width") << QPoint(10, 20) << QPoint(10, 70) << false << TRange{0, 10, 0, 100};
  QTest::newRow("zero height") << QPoint(10, 20) << QPoint(60, 20) << false
                               << TRange{0, 10, 0, 100};
  // 1 .. 1.1 is narrower than 0.5: widened around 1.05; Y 10 .. 11 around 10.5 to 5 wide.
  QTest::newRow("tiny box") << QPoint(10, 10) << QPoint(11, 11) << true << TRange{0.8, 1.3, 8, 13};
  // Widened below the full minimum, then shifted back into it.
  QTest::newRow("tiny box at the corner")
      << QPoint(0, 0) << QPoint(1, 1) << true << TRange{0, 0.5, 0, 5};
}

void PlotGeometryTest::zoomBoxKeepsATwentiethOfTheFullRange() {
  QFETCH(QPoint, press);
  QFETCH(QPoint, release);
  QFETCH(bool, zoomed);
  QFETCH(TRange, expected);
  const TRange full{0, 10, 0, 100};
  TRange range = full;
  QCOMPARE(ZoomToBox(press, release, TPlotRect{0, 0, 100, 100}, true, full, range), zoomed);
  QVERIFY(qFuzzyCompare(range.XMin + 1, expected.XMin + 1));
  QVERIFY(qFuzzyCompare(range.XMax, expected.XMax));
  QVERIFY(qFuzzyCompare(range.YMin + 1, expected.YMin + 1));
  QVERIFY(qFuzzyCompare(range.YMax, expected.YMax));
}

void PlotGeometryTest::zoomOutDoublesUntilTheFullRange_data() {
  QTest::addColumn<TRange>("range");
  QTest::addColumn<double>("at");
  QTest::addColumn<TRange>("expected");
  QTest::newRow("doubles around the click") << TRange{2, 4, 2, 4} << 3.0 << TRange{1, 5, 1, 5};
  QTest::newRow("kept inside") << TRange{6, 8, 6, 8} << 9.0 << TRange{6, 10, 6, 10};
  QTest::newRow("full range unchanged") << TRange{0, 10, 0, 10} << 2.0 << TRange{0, 10, 0, 10};
}

void PlotGeometryTest::zoomOutDoublesUntilTheFullRange() {
  QFETCH(TRange, range);
  QFETCH(double, at);
  QFETCH(TRange, expected);
  QCOMPARE(ZoomOut(range, TRange{0, 10, 0, 10}, TFloatPoint{at, at}), expected);
}

void PlotGeometryTest::legendSizeForAFontScale() {
  const QStringList entries{QStringLiteral("API"), QStringLiteral("FHWA"), QStringLiteral("NGI")};
  // Scale 2 of 11 pt: font 22, item 33, 3 entries + 3; "FHWA *" is 42 wide + a quarter inch.
  const TLegendSize size = LegendSizeFor(20, 11, entries, sevenPerChar, 96);
  QCOMPARE(size.fontSize, 22);
  QCOMPARE(size.itemHeight, 33);
  QCOMPARE(size.height, 102);
  QCOMPARE(size.width, 66);
  const TLegendSize empty = LegendSizeFor(10, 11, {}, sevenPerChar, 96);
  QCOMPARE(empty.height, 3);
  QCOMPARE(empty.width, 21);
}

void PlotGeometryTest::bitmapSizeFromInchesAndPixelsPerInch_data() {
  QTest::addColumn<double>("height");
  QTest::addColumn<double>("width");
  QTest::addColumn<double>("ppi");
  QTest::addColumn<QSize>("size");
  QTest::newRow("default 6 x 4 at 72") << 4.0 << 6.0 << 72.0 << QSize(432, 288);
  QTest::newRow("smallest") << 2.0 << 2.0 << 10.0 << QSize(20, 20);
  QTest::newRow("rounded") << 4.01 << 6.0 << 72.0 << QSize(432, 289);
}

void PlotGeometryTest::bitmapSizeFromInchesAndPixelsPerInch() {
  QFETCH(double, height);
  QFETCH(double, width);
  QFETCH(double, ppi);
  QFETCH(QSize, size);
  QCOMPARE(BitmapSize(height, width, ppi), size);
}

void PlotGeometryTest::pictureDefaultsAndTextScale() {
  // The proposed picture is a page of 8 x 6 in at 150 ppi.
  QCOMPARE(BitmapSize(kDefaultPicture.heightInches, kDefaultPicture.widthInches,
                      kDefaultPicture.pixelsPerInch),
           QSize(1200, 900));
  // 14 pixels on a 96 dpi screen are 0.1458 in: 21.9 pixels at 150 ppi, 43.75 at 300.
  QCOMPARE(PictureFontHeight(14, 96, 150), 22);
  QCOMPARE(PictureFontHeight(14, 96, 300), 44);
  QCOMPARE(PictureFontHeight(14, 96, 96), 14);
  QCOMPARE(PictureFontHeight(14, 0, 192), 28);  // no screen resolution: 96
  QCOMPARE(PictureFontHeight(14, 96, 1), 1);    // never below one pixel
}

void PlotGeometryTest::outputFileProposals() {
  struct Case {
    const char* caption;
    const char* expected;
  };
  const Case kCases[] = {
      {"Total Capacity vs Depth", "/jobs/Total_Capacity_vs_Depth.png"},
      {"Load vs. Settlement", "/jobs/Load_vs._Settlement.png"},
      {"Q-w: tip (API/2014)", "/jobs/Q-w_tip_API_2014.png"},
      {"  ", "/jobs/graph.png"},
      {"../../etc/passwd", "/jobs/etc_passwd.png"},
  };
  for (const Case& c : kCases) {
    QCOMPARE(OutputFileProposal("/jobs", QString::fromUtf8(c.caption), "png"),
             QString::fromUtf8(c.expected));
  }
  QCOMPARE(OutputFileProposal("", "Combined Plot", "pdf"), QString("Combined_Plot.pdf"));
}

void PlotGeometryTest::markerOutlines() {
  // Triangle pointing left, radius 3 at 96 ppi, closed: its first corner is 3 pixels left.
  const std::vector<QPoint> triangle = MarkerOutline(1, 50, 50, 96, 96);
  QCOMPARE(triangle.size(), std::size_t{4});
  QCOMPARE(triangle.front(), QPoint(47, 50));
  QCOMPARE(triangle.back(), QPoint(47, 50));
  QCOMPARE(triangle[2], QPoint(52, 47));
  QCOMPARE(MarkerOutline(2, 50, 50, 96, 96).size(), std::size_t{5});
  QCOMPARE(MarkerOutline(2, 50, 50, 96, 96).front(), QPoint(52, 48));
  QCOMPARE(MarkerOutline(5, 50, 50, 96, 96).size(), std::size_t{6});
  QCOMPARE(MarkerOutline(5, 50, 50, 96, 96).front(), QPoint(53, 50));
  // Curve 11 (index 10) takes the shape of curve 1.
  QCOMPARE(MarkerShape(10), MarkerShape(0));
}

void PlotGeometryTest::curveLimitListsTheFirstTwenty() {
  TGraphPlot graph;
  graph.SetLineCount(25);
  graph.Lines[3].Listed = false;
  ApplyCurveLimit(graph);
  for (int i = 0; i < 25; ++i) QCOMPARE(graph.Lines[std::size_t(i)].Listed, i < 20);
  graph.LimitCurves = false;
  ApplyCurveLimit(graph);
  for (const TLine& line : graph.Lines) QVERIFY(line.Listed);
}

void PlotGeometryTest::tickLabels() {
  QCOMPARE(TickLabel(3 * 0.1), QStringLiteral("0.3"));
  QCOMPARE(TickLabel(-20.0), QStringLiteral("-20"));
  QCOMPARE(TickLabel(1000.0), QStringLiteral("1000"));
  QCOMPARE(TickLabel(25000.0), QStringLiteral("2.5E+04"));
  QCOMPARE(TickLabel(1.5e-6), QStringLiteral("1.5E-06"));
  QCOMPARE(ReadoutText(12.3456789), QStringLiteral("12.346"));
}

void PlotGeometryTest::axisLabelsReadAsOneFormatWithoutOverlap_data() {
  QTest::addColumn<double>("low");
  QTest::addColumn<double>("high");
  QTest::addColumn<int>("pixels");
  // Capacities in kips and kN, depths in ft and m, movements in in and m, a narrow window.
  QTest::newRow("kips") << 0.0 << 2800.0 << 900;
  QTest::newRow("kN across 1E+04") << 0.0 << 12500.0 << 900;
  QTest::newRow("kN in a narrow window") << 0.0 << 12500.0 << 260;
  QTest::newRow("kN large") << 0.0 << 4.5e6 << 900;
  QTest::newRow("depth ft") << 0.0 << 130.0 << 600;
  QTest::newRow("depth m") << 0.0 << 40.0 << 600;
  QTest::newRow("movement in") << 0.0 << 1.2 << 900;
  QTest::newRow("movement m") << 0.0 << 0.03 << 900;
  QTest::newRow("below zero") << -0.002 << 0.01 << 600;
  QTest::newRow("tiny") << 0.0 << 4e-5 << 600;
}

void PlotGeometryTest::axisLabelsReadAsOneFormatWithoutOverlap() {
  QFETCH(double, low);
  QFETCH(double, high);
  QFETCH(int, pixels);
  // A panel 60 pixels in, 30 pixels of room beyond its right edge; 7 pixels a character.
  const TPlotRect panel{60, 40, 60 + pixels, 500};
  const TRange range{low, high, 0.0, 1.0};
  const TTicks ticks = TickSteps(range, panel, 14, false);
  QVERIFY(ticks.hasX);
  std::vector<double> values;
  std::vector<int> at;
  for (int k = ticks.lowX; k <= ticks.highX; ++k) {
    if (k % 5 != 0) continue;
    values.push_back(k * ticks.minorX);
    at.push_back(ValueToPixel(k * ticks.minorX, 0.0, range, panel, false).x());
  }
  const auto extent = [](const QString& text) { return 7 * int(text.size()); };
  const int gap = 7;
  const std::vector<TTickLabel> labels =
      AxisLabels(values, at, ticks.minorX * 5.0, extent, gap, 0, panel.right + 30);
  QVERIFY(labels.size() >= 2);
  // Zero reads "0" in either format.
  const bool scientific = labels.back().text.contains(QLatin1Char('E'));
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const TTickLabel& label = labels[i];
    if (label.text != "0") QCOMPARE(label.text.contains(QLatin1Char('E')), scientific);
    QVERIFY2(label.start >= 0 && label.start + label.extent <= panel.right + 30,
             qPrintable(label.text));
    if (i > 0) {
      const TTickLabel& before = labels[i - 1];
      QVERIFY2(before.start + before.extent + gap / 2 <= label.start,
               qPrintable(before.text + " / " + label.text));
      QVERIFY(before.text != label.text);
    }
  }
  // Plain decimals read back to the tick's value.
  if (!scientific) {
    for (const TTickLabel& label : labels) {
      QVERIFY(std::abs(label.text.toDouble() - label.value) <= ticks.minorX * 1e-6 + 1e-15);
    }
  }
}

void PlotGeometryTest::legendGoesWhereNoCurveRuns() {
  const TPlotRect panel{0, 0, 600, 400};
  const TRange range{0, 10, 0, 10};
  const QSize box(100, 60);
  // A depth plot: capacity grows with depth, so the curve ends in the bottom-right corner; the
  // legend goes to the top right instead.
  TLineList lines(1);
  lines[0].Points = {{0, 0}, {5, 5}, {10, 10}};
  QCOMPARE(LegendPlace(lines, range, panel, true, box, 6), QPoint(600 - 6 - 100, 6));
  // A curve that rises along the right edge and runs across the top: bottom left.
  lines[0].Points = {{9.5, 10}, {9.5, 0.5}, {0, 0.5}};
  QCOMPARE(LegendPlace(lines, range, panel, true, box, 6), QPoint(6, 400 - 6 - 60));
  // Curves that are not drawn do not count; with none, the bottom-right corner.
  lines[0].Active = false;
  QCOMPARE(LegendPlace(lines, range, panel, true, box, 6), QPoint(600 - 6 - 100, 400 - 6 - 60));
}

QTEST_APPLESS_MAIN(PlotGeometryTest)
#include "plot_geometry_test.moc"
