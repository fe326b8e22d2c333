// The paint routine on an image: curve colours by listed place, clipping to the plot area, the
// legend of the output, the soil-layer strip, the curve limit and the blank small output.
#include "plot/plot_paint.h"

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <set>

using namespace vorne;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Three straight curves of 11 points, x 0..10, at y = 2.5, 5.5 and 8.5 (0..10 after rounding out),
// off the grid lines.
void threeCurves(TGraphPlot& graph) {
  graph.SetLineCount(3);
  graph.SetPointCount(11);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j <= 10; ++j) {
      graph.Lines[std::size_t(i)].Points[std::size_t(j)] = {double(j), 2.5 + 3.0 * i};
    }
  }
  graph.Lines[0].Points[0].Y = 10.0;  // reach 10 so that the Y range is 0..10
  graph.Markers = 0;
  graph.XOnTop = false;
}

TPlotView fullView(const TGraphPlot& graph) {
  TPlotView view;
  if (!AutoRange(graph.Lines, view.ranges[0])) qFatal("range");
  return view;
}

QImage paint(const TGraphPlot& graph,
             const TPlotView& view,
             const TPaintSettings& settings = {},
             QSize size = QSize(kWidth, kHeight)) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::gray);
  QPainter painter(&image);
  PaintGraph(painter, image.rect(), graph, view, settings);
  return image;
}

QColor at(const QImage& image, QPoint p) { return image.pixelColor(p); }

// Pixels of exactly this colour inside the rectangle (right and bottom excluded).
int countColour(const QImage& image, const QRect& area, QColor colour) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixelColor(x, y) == colour) ++n;
    }
  }
  return n;
}

QPoint pixelOf(const TGraphPlot& graph,
               const TPlotView& view,
               double x,
               double y,
               const TPaintSettings& settings = {}) {
  const TPlotLayout layout = LayoutFor(graph, QRect(0, 0, kWidth, kHeight), settings);
  return ValueToPixel(x, y, view.ranges[0], layout.panel1, graph.XOnTop);
}

}  // namespace

class PlotPaintTest : public QObject {
  Q_OBJECT

 private slots:
  void curvesTakeTheColourOfTheirListedPlace();
  void nothingIsDrawnOutsideThePlotArea();
  void outputLegendShowsOnlyActiveCurves();
  void layerStripBandsCarryTheirPatterns();
  void layerLabelsFitTheirBands();
  void curveLimitDrawsTwentyOfTwentyFive();
  void outputBelowAnInchStaysWhite();
  void singlePointCurveDrawsAxesOnly();
  void threePanelsFollowTheFlagsOfTheFirst();
};

void PlotPaintTest::curvesTakeTheColourOfTheirListedPlace() {
  TGraphPlot graph;
  threeCurves(graph);
  const TPlotView view = fullView(graph);
  QImage image = paint(graph, view);
  // Between grid lines (x 5.5 is not a major tick).
  QCOMPARE(at(image, pixelOf(graph, view, 5.5, 5.5)), PaletteColor(1));  // blue
  QCOMPARE(at(image, pixelOf(graph, view, 5.5, 8.5)), PaletteColor(2));  // red

  // Curve 2 of 3 not listed: curve 3 is drawn in colour 1 (blue), not 2.
  graph.Lines[1].Listed = false;
  image = paint(graph, view);
  QCOMPARE(at(image, pixelOf(graph, view, 5.5, 8.5)), PaletteColor(1));
  QCOMPARE(at(image, pixelOf(graph, view, 5.5, 5.5)), QColor(Qt::white));

  // Not active but listed: not drawn, and the next curve keeps colour 2.
  graph.Lines[1].Listed = true;
  graph.Lines[1].Active = false;
  image = paint(graph, view);
  QCOMPARE(at(image, pixelOf(graph, view, 5.5, 5.5)), QColor(Qt::white));
  QCOMPARE(at(image, pixelOf(graph, view, 5.5, 8.5)), PaletteColor(2));
}

void PlotPaintTest::nothingIsDrawnOutsideThePlotArea() {
  TGraphPlot graph;
  threeCurves(graph);
  graph.Markers = 1;
  TPlotView view = fullView(graph);
  // Zoomed in on the middle: every curve crosses the plot area's edges.
  view.ranges[0] = TRange{3, 7, 3, 9};
  const QImage image = paint(graph, view);
  const TPlotLayout layout = LayoutFor(graph, image.rect(), {});
  const TPlotRect& plot = layout.plot;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (x > plot.left && x < plot.right && y > plot.top && y < plot.bottom) continue;
      const QColor c = image.pixelColor(x, y);
      if (c == PaletteColor(1) || c == PaletteColor(2)) {
        QFAIL(qPrintable(QStringLiteral("curve colour at %1, %2").arg(x).arg(y)));
      }
    }
  }
  QCOMPARE(at(image, pixelOf(graph, view, 5.5, 5.5)), PaletteColor(1));
  // The frame and the white background outside it.
  QCOMPARE(at(image, QPoint(plot.right, (plot.top + plot.bottom) / 2)), QColor(Qt::black));
  QCOMPARE(at(image, QPoint(kWidth - 2, kHeight / 2)), QColor(Qt::white));
}

void PlotPaintTest::outputLegendShowsOnlyActiveCurves() {
  TGraphPlot graph;
  threeCurves(graph);
  graph.Lines[0].Name = QStringLiteral("Black");
  graph.Lines[1].Name = QStringLiteral("Blue");
  graph.Lines[2].Name = QStringLiteral("Red");
  graph.Lines[1].Active = false;
  const TPlotView view = fullView(graph);
  TPaintSettings settings;
  settings.bitmapMode = true;
  settings.legendInOutput = true;
  // The on-screen legend stood an eighth of the window from its left edge and 0.6 of it down,
  // between the curves at y = 2.5 and 5.5.
  settings.windowSize = QSize(800, 600);
  settings.legendPos = QPoint(100, 360);
  settings.legendAuto = false;  // dragged there by the user
  const QImage image = paint(graph, view, settings);
  const TPlotLayout layout = LayoutFor(graph, image.rect(), settings);
  const int left = layout.plot.left + 100 * layout.plot.width() / 800;
  const int top = layout.plot.top + layout.plot.height() * 360 / 600;
  const QFontMetrics metrics(ScaledFont(14, 400, 10), &image);
  int widest = 0;
  for (const char* name : {"Black", "Red"}) {
    widest = std::max(widest, metrics.horizontalAdvance(QString::fromLatin1(name)));
  }
  // Two entries: (text height + 3) each, plus 3; width the widest text + 18.
  const int height = 2 * (metrics.height() + 3) + 3;
  const int width = widest + 18;
  QCOMPARE(at(image, QPoint(left + width / 2, top)), QColor(Qt::black));
  QCOMPARE(at(image, QPoint(left + width / 2, top + height - 1)), QColor(Qt::black));
  QCOMPARE(at(image, QPoint(left + width - 1, top + height / 2)), QColor(Qt::black));
  QCOMPARE(at(image, QPoint(left + width / 2, top + height)).value() > 0, true);
  const QRect inside(left + 1, top + 1, width - 2, height - 2);
  // The red entry (the third listed curve keeps colour 2), no blue one.
  QVERIFY(countColour(image, inside, PaletteColor(2)) > 0);
  QCOMPARE(countColour(image, inside, PaletteColor(1)), 0);

  // Not in the output on screen.
  const QImage screen = paint(graph, view);
  QCOMPARE(countColour(screen, inside, PaletteColor(2)), 0);
}

void PlotPaintTest::layerStripBandsCarryTheirPatterns() {
  TGraphPlot graph;
  threeCurves(graph);
  graph.XOnTop = true;
  graph.ShowLayers = true;
  AddLayersGraphPlot(graph, {{2, 5.0}, {1, 10.0}});  // clay to 5, sand to 10
  const TPlotView view = fullView(graph);
  const QImage image = paint(graph, view);
  const TPlotLayout layout = LayoutFor(graph, image.rect(), {});
  const TPlotRect& strip = layout.layerStrip;
  const int middle = pixelOf(graph, view, 0, 5.0).y();
  // A corner of each band, clear of the outline and of the centred label.
  const QRect clay(strip.left + 2, strip.top + 2, 12, 12);
  const QRect sand(strip.left + 2, middle + 3, 12, 12);
  // Clay: thin diagonal lines, every black pixel on one family x + y = const (mod 10).
  int clayInk = 0;
  std::set<int> diagonals;
  for (int y = clay.top(); y <= clay.bottom(); ++y) {
    for (int x = clay.left(); x <= clay.right(); ++x) {
      if (image.pixelColor(x, y) == Qt::black) {
        ++clayInk;
        diagonals.insert((x + y) % 10);
      }
    }
  }
  QVERIFY(clayInk >= 12);
  QCOMPARE(diagonals.size(), std::size_t{1});
  // Sand: separate dots, less ink than the lines, none on a whole row.
  const int sandInk = countColour(image, sand, Qt::black);
  QVERIFY(sandInk > 0);
  QVERIFY(sandInk < clayInk);
  // The band boundary is a black line across the strip.
  QCOMPARE(at(image, QPoint(strip.left + 5, middle)), QColor(Qt::black));
  // The strip lies right of the plot, not over it.
  QVERIFY(strip.left > layout.plot.right);
  // On paper the larger pictures: a pitch of 12 instead of 10.
  QCOMPARE(LayerFill(1, false).textureImage().size(), QSize(80, 80));
  QCOMPARE(LayerFill(1, true).textureImage().size(), QSize(96, 96));
  QCOMPARE(LayerFill(3, false).style(), Qt::CrossPattern);
  QCOMPARE(LayerFill(0, false).style(), Qt::NoBrush);
  QCOMPARE(LayerFill(7.5, false).style(), Qt::NoBrush);
}

void PlotPaintTest::layerLabelsFitTheirBands() {
  // Windowless: full, smaller, shorter, left out; 7 pixels a character at 14, height 16.
  const auto measure = [](const QString& text, int size) {
    return QSize(int(text.size()) * size / 2, size + 2);
  };
  QCOMPARE(FitLayerLabel("LAYER 3 SAND ", 200, 40, 14, measure).text, "LAYER 3 SAND");
  QCOMPARE(FitLayerLabel("LAYER 3 SAND ", 200, 40, 14, measure).pixelHeight, 14);
  const TLayerLabel smaller = FitLayerLabel("LAYER 3 SAND ", 80, 40, 14, measure);
  QCOMPARE(smaller.text, "LAYER 3 SAND");
  QVERIFY(smaller.pixelHeight < 14);
  QCOMPARE(FitLayerLabel("LAYER 12 CLAY ", 60, 40, 14, measure).text, "12 CLAY");
  QCOMPARE(FitLayerLabel("LAYER 12 CLAY ", 30, 40, 14, measure).text, "12 C");
  QVERIFY(FitLayerLabel("LAYER 12 CLAY ", 77, 8, 14, measure).text.isEmpty());

  // Painted: 5 layers carry labels inside the strip; 40 layers keep every band's fill visible.
  for (int layerCount : {5, 40}) {
    TGraphPlot graph;
    threeCurves(graph);
    graph.XOnTop = true;
    graph.ShowLayers = true;
    std::vector<TLayerStripRow> rows;
    for (int i = 0; i < layerCount; ++i) {
      rows.push_back({i % 2 == 0 ? 2 : 1, 10.0 * (i + 1) / layerCount});
    }
    AddLayersGraphPlot(graph, rows);
    const TPlotView view = fullView(graph);
    const QImage image = paint(graph, view);
    const TPlotLayout layout = LayoutFor(graph, image.rect(), {});
    const TPlotRect& strip = layout.layerStrip;
    int labelled = 0;
    int top = strip.top;
    for (int i = 0; i < layerCount; ++i) {
      const int bottom = pixelOf(graph, view, 0, rows[std::size_t(i)].bottomDepth).y();
      const TLayerLabel label =
          FitLayerLabel(graph.LayerLines[std::size_t(i)].Name, strip.width() - 1, bottom - top, 14,
                        [](const QString& text, int size) {
                          const QFontMetrics m(ScaledFont(size, 400, 10));
                          return QSize(m.horizontalAdvance(text), m.height());
                        });
      if (!label.text.isEmpty()) ++labelled;
      // Clay bands show their lines between the outline and the label, left of the middle.
      if (rows[std::size_t(i)].soilType == 2) {
        const QRect band(strip.left + 2, top + 2, 10, std::max(1, bottom - top - 3));
        QVERIFY2(countColour(image, band, Qt::black) > 0, qPrintable(QString::number(i)));
      }
      top = bottom;
    }
    if (layerCount == 5) QCOMPARE(labelled, 5);
    // Nothing of a label spills beside the strip: the columns right of it stay white.
    const QRect beside(strip.right, strip.top, image.width() - strip.right, strip.height());
    QCOMPARE(countColour(image, beside, Qt::black), 0);
  }
}

void PlotPaintTest::curveLimitDrawsTwentyOfTwentyFive() {
  TGraphPlot graph;
  graph.SetLineCount(25);
  graph.SetPointCount(2);
  // Curve i horizontal at y = i + 0.5, between the grid lines.
  for (int i = 0; i < 25; ++i) {
    graph.Lines[std::size_t(i)].Points = {{0.0, i + 0.5}, {10.0, i + 0.5}};
  }
  graph.Markers = 0;
  graph.XOnTop = false;
  ApplyCurveLimit(graph);
  const TPlotView view = fullView(graph);
  const QImage image = paint(graph, view);
  for (int i = 0; i < 25; ++i) {
    const QColor c = at(image, pixelOf(graph, view, 5.5, i + 0.5));
    QCOMPARE(c == QColor(Qt::white), i >= 20);
    if (i < 20) QCOMPARE(c, PaletteColor(i));
  }
}

void PlotPaintTest::outputBelowAnInchStaysWhite() {
  TGraphPlot graph;
  threeCurves(graph);
  const QImage image = paint(graph, fullView(graph), {}, QSize(95, 400));
  QCOMPARE(countColour(image, image.rect(), Qt::white), 95 * 400);
}

void PlotPaintTest::singlePointCurveDrawsAxesOnly() {
  TGraphPlot graph;
  graph.SetLineCount(1);
  graph.SetPointCount(1);
  graph.Lines[0].Points[0] = {4.0, 2.0};
  graph.XCaption = QStringLiteral("Load");
  graph.XUnits = QStringLiteral("F1");
  const TPlotView view = fullView(graph);
  const QImage image = paint(graph, view);
  const TPlotLayout layout = LayoutFor(graph, image.rect(), {});
  const TPlotRect& plot = layout.plot;
  QCOMPARE(
      countColour(image, QRect(plot.left + 1, plot.top + 1, plot.width() - 1, plot.height() - 1),
                  PaletteColor(1)),
      0);
  // Frame and the caption above it.
  QCOMPARE(at(image, QPoint(plot.left, plot.top + 5)), QColor(Qt::black));
  QVERIFY(countColour(image, QRect(0, 0, kWidth, plot.top - 20), Qt::white) <
          kWidth * (plot.top - 20));
}

void PlotPaintTest::threePanelsFollowTheFlagsOfTheFirst() {
  TGraphPlot graph;
  threeCurves(graph);
  graph.ShowThree = true;
  graph.Lines2 = graph.Lines;
  graph.Lines3 = graph.Lines;
  for (TLine& line : graph.Lines3) {
    for (TFloatPoint& p : line.Points) p.X *= 100.0;  // the third panel has its own range
  }
  TPlotView view;
  QVERIFY(AutoRange(graph.Lines, view.ranges[0]));
  QVERIFY(AutoRange(graph.Lines2, view.ranges[1]));
  QVERIFY(AutoRange(graph.Lines3, view.ranges[2]));
  QCOMPARE(view.ranges[2].XMax, 1000.0);
  graph.Lines[2].Active = false;
  const QImage image = paint(graph, view);
  const TPlotLayout layout = LayoutFor(graph, image.rect(), {});
  QVERIFY(layout.panel2.left > layout.panel1.right);
  QVERIFY(layout.panel3.left > layout.panel2.right);
  QCOMPARE(layout.panel3.right, layout.plot.right);
  const TPlotRect* panels[] = {&layout.panel1, &layout.panel2, &layout.panel3};
  for (std::size_t p = 0; p < 3; ++p) {
    const double x = 5.5 * (p == 2 ? 100.0 : 1.0);
    const QPoint blue = ValueToPixel(x, 5.5, view.ranges[p], *panels[p], false);
    const QPoint red = ValueToPixel(x, 8.5, view.ranges[p], *panels[p], false);
    QCOMPARE(at(image, blue), PaletteColor(1));
    // Curve 3 is not active in the first panel, so in none.
    QCOMPARE(at(image, red), QColor(Qt::white));
  }
}

QTEST_MAIN(PlotPaintTest)
#include "plot_paint_test.moc"
