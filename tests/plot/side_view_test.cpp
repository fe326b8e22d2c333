// Elevation view geometry: the outline and range of straight, tapered and stick-up piles, the
// aspect-ratio rule, the texts, and the picture painted into an image.
#include "plot/side_view.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace vorne;

Q_DECLARE_METATYPE(vorne::SideViewPile)
Q_DECLARE_METATYPE(vorne::SideViewRange)

namespace {

// Whether a pixel of the colour lies within one pixel of (x, y): lines snap to whole pixels.
bool near(const QImage& image, int x, int y, const QColor& colour) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (image.pixelColor(x + dx, y + dy) == colour) return true;
  return false;
}

// Outline corners and range are compared to 1e-9 ft: every value is a product of a few inputs.
constexpr double kTolerance = 1e-9;

SideViewPile pile(
    int units, double od, double perimeter, double taper, double length, double stickup) {
  return {units, od, perimeter, taper, length, stickup};
}

}  // namespace

class SideViewTest : public QObject {
  Q_OBJECT

 private slots:
  void outlineAndRange_data();
  void outlineAndRange();
  void emptySoilTableGivesNoOutline();
  void aspectRatioRule_data();
  void aspectRatioRule();
  void readoutAndLabels();
  void paintsGroundLayersAndPile();
  void printedPageFramesThePileToScale();
};

void SideViewTest::outlineAndRange_data() {
  QTest::addColumn<SideViewPile>("pile");
  QTest::addColumn<double>("lastBottom");
  QTest::addColumn<double>("topHalf");  // half width at the head [ft | m]
  QTest::addColumn<double>("tipHalf");  // half width at the tip
  QTest::addColumn<double>("top");      // depth of the head
  QTest::addColumn<double>("tip");      // depth of the tip
  QTest::addColumn<double>("yMax");     // range bottom

  // 12 in OD = 1 ft wide; head at -2, tip at 18; the soil (25) is deeper than the tip.
  QTest::newRow("straight, stick-up 2")
      << pile(1, 12, 0, 0, 20, 2) << 25.0 << 0.5 << 0.5 << -2.0 << 18.0 << 25 * 1.05;
  // The tip (18) is deeper than the soil (10): the range follows the tip.
  QTest::newRow("tip below the soil")
      << pile(1, 12, 0, 0, 20, 2) << 10.0 << 0.5 << 0.5 << -2.0 << 18.0 << 18 * 1.05;
  // OD 0: a quarter of the 48 in perimeter, 1 ft.
  QTest::newRow("non-circular") << pile(1, 0, 48, 0, 30, 0) << 40.0 << 0.5 << 0.5 << 0.0 << 30.0
                                << 40 * 1.05;
  // 610 mm = 0.61 m; SI depths in m.
  QTest::newRow("SI pipe") << pile(2, 610, 0, 0, 30, 1.5) << 35.0 << 0.305 << 0.305 << -1.5 << 28.5
                           << 35 * 1.05;
  // 13 in butt, 0.4 deg over 40 ft: narrows by 40 tan(0.4 x 3.1416 / 180) = 0.279254 ft a side.
  QTest::newRow("tapered timber") << pile(1, 13, 0, 0.4, 40, 0) << 50.0 << 13 / 24.0
                                  << 13 / 24.0 - 40 * std::tan(0.4 * 3.1416 / 180) << 0.0 << 40.0
                                  << 50 * 1.05;
  // 12 in, 2 deg over 20 ft would narrow by 0.698 ft a side: the tip ends on the axis.
  QTest::newRow("taper crossing the axis")
      << pile(1, 12, 0, 2, 20, 0) << 30.0 << 0.5 << 0.0 << 0.0 << 20.0 << 30 * 1.05;
  // 12 ft above the mudline of a 70 ft dolphin pile.
  QTest::newRow("long stick-up") << pile(1, 30, 0, 0, 70, 12) << 50.0 << 1.25 << 1.25 << -12.0
                                 << 58.0 << 58 * 1.05;
}

void SideViewTest::outlineAndRange() {
  QFETCH(SideViewPile, pile);
  QFETCH(double, lastBottom);
  QFETCH(double, topHalf);
  QFETCH(double, tipHalf);
  QFETCH(double, top);
  QFETCH(double, tip);
  QFETCH(double, yMax);
  const SideViewOutline outline =
      buildSideViewOutline(pile, {{1, lastBottom / 2}, {2, lastBottom}});
  QCOMPARE(outline.quads.size(), std::size_t{1});
  const SideViewQuad& q = outline.quads[0];
  const double expected[4][2] = {{-topHalf, top}, {topHalf, top}, {tipHalf, tip}, {-tipHalf, tip}};
  for (int k = 0; k < 4; ++k) {
    QVERIFY2(std::abs(q[static_cast<std::size_t>(k)].X - expected[k][0]) < kTolerance,
             qPrintable(QString("corner %1 x %2").arg(k).arg(q[static_cast<std::size_t>(k)].X)));
    QVERIFY2(std::abs(q[static_cast<std::size_t>(k)].Y - expected[k][1]) < kTolerance,
             qPrintable(QString("corner %1 y").arg(k)));
  }
  const SideViewRange& r = outline.range;
  QVERIFY(std::abs(r.XMin + 1.05 * topHalf) < kTolerance);
  QVERIFY(std::abs(r.XMax - 1.05 * topHalf) < kTolerance);
  QVERIFY(std::abs(r.YMin - 1.05 * std::min(top, 0.0)) < kTolerance);
  QVERIFY2(std::abs(r.YMax - yMax) < kTolerance, qPrintable(QString::number(r.YMax)));
}

void SideViewTest::emptySoilTableGivesNoOutline() {
  const SideViewOutline outline = buildSideViewOutline(pile(1, 12, 0, 0, 20, 2), {});
  QVERIFY(outline.quads.empty());
  QVERIFY(!outline.range.hasSpans());
  // The empty view paints its background and nothing else.
  QImage image(60, 40, QImage::Format_ARGB32);
  QPainter painter(&image);
  paintSideView(painter, image.rect(), outline, layoutSideView(outline.range, 60, 40), {},
                {Qt::white, Qt::black});
  painter.end();
  for (int y = 0; y < 40; y += 3)
    for (int x = 0; x < 60; x += 3) QCOMPARE(image.pixelColor(x, y), QColor(Qt::white));
}

void SideViewTest::aspectRatioRule_data() {
  QTest::addColumn<SideViewRange>("range");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("height");
  QTest::addColumn<SideViewRange>("shown");
  QTest::addColumn<bool>("broken");
  // x span 2, y span 20: r = (400 / 200) / (2 / 20) = 20 widens x.
  QTest::newRow("wide window") << SideViewRange{-1, 1, -2, 18} << 400 << 200
                               << SideViewRange{-20, 20, -2, 18} << false;
  // r = (100 / 400) / 0.1 = 2.5.
  QTest::newRow("tall window") << SideViewRange{-1, 1, -2, 18} << 100 << 400
                               << SideViewRange{-2.5, 2.5, -2, 18} << false;
  // Square range in a tall window: r = 0.5 stretches the depths.
  QTest::newRow("r below one") << SideViewRange{-5, 5, 0, 10} << 200 << 400
                               << SideViewRange{-5, 5, 0, 20} << false;
  QTest::newRow("exactly one") << SideViewRange{-5, 5, 0, 10} << 300 << 300
                               << SideViewRange{-5, 5, 0, 10} << false;
  // A pile without width has no x span: r = 1 keeps the range.
  QTest::newRow("no width") << SideViewRange{0, 0, -1, 21} << 300 << 200
                            << SideViewRange{0, 0, -1, 21} << false;
  QTest::newRow("zero height") << SideViewRange{-1, 1, -2, 18} << 300 << 0
                               << SideViewRange{-1, 1, -2, 18} << true;
  QTest::newRow("no number") << SideViewRange{-1, 1, -2, qInf()} << 300 << 200
                             << SideViewRange{-1, 1, -2, qInf()} << true;
}

void SideViewTest::aspectRatioRule() {
  QFETCH(SideViewRange, range);
  QFETCH(int, width);
  QFETCH(int, height);
  QFETCH(SideViewRange, shown);
  QFETCH(bool, broken);
  const SideViewLayout layout = layoutSideView(range, width, height);
  QCOMPARE(layout.broken, broken);
  if (broken) return;
  QCOMPARE(layout.shown.XMin, shown.XMin);
  QCOMPARE(layout.shown.XMax, shown.XMax);
  QCOMPARE(layout.shown.YMin, shown.YMin);
  QCOMPARE(layout.shown.YMax, shown.YMax);
  // One unit is as long across as down whenever both spans exist.
  if (range.hasSpans()) {
    const double across = width / (layout.shown.XMax - layout.shown.XMin);
    const double down = height / (layout.shown.YMax - layout.shown.YMin);
    QVERIFY(std::abs(across - down) < 1e-9 * down);
  }
}

void SideViewTest::readoutAndLabels() {
  QCOMPARE(sideViewReadout(12.34), "  Depth: 12.3");
  QCOMPARE(sideViewReadout(-1.96), "  Depth: -2.0");
  QCOMPARE(sideViewReadout(0.0), "  Depth: 0.0");
  const std::vector<SideViewLayer> layers{{1, 10}, {2, 25}, {1, 32.75}};
  QCOMPARE(sideViewLayerLabel(layers, 0), "depth= 0 - 10; Sand");
  QCOMPARE(sideViewLayerLabel(layers, 1), "depth= 10 - 25; Clay");
  QCOMPARE(sideViewLayerLabel(layers, 2), "depth= 25 - 32.75; Sand");
  // The depth under a pixel row inverts the mapping.
  const SideViewRange shown{-2, 2, -2, 18};
  QCOMPARE(sideViewDepthAt(shown, sideViewPixelY(shown, 7.5, 400), 400), 7.5);
}

void SideViewTest::paintsGroundLayersAndPile() {
  // 1 ft pile from -2 to 18 in layers to 10 and 25, in a 200 x 400 picture.
  const std::vector<SideViewLayer> layers{{1, 10}, {2, 25}};
  const SideViewOutline outline = buildSideViewOutline(pile(1, 12, 0, 0, 20, 2), layers);
  const SideViewLayout layout = layoutSideView(outline.range, 200, 400);
  QImage image(200, 400, QImage::Format_ARGB32);
  QPainter painter(&image);
  paintSideView(painter, image.rect(), outline, layout, layers, {Qt::white, Qt::black});
  painter.end();
  const auto row = [&](double depth) {
    return static_cast<int>(sideViewPixelY(layout.shown, depth, 400));
  };
  const int axis = static_cast<int>(sideViewPixelX(layout.shown, 0.0, 200));
  const QColor black(Qt::black);
  const QColor white(Qt::white);
  QCOMPARE(image.pixelColor(axis, row(8)), black);   // inside the pile
  QCOMPARE(image.pixelColor(axis, row(-1)), black);  // its stick-up
  QCOMPARE(image.pixelColor(axis, row(19)), white);  // below the tip
  QCOMPARE(image.pixelColor(190, row(5)), white);    // soil beside the pile
  QVERIFY(near(image, 190, row(0), black));          // ground line across the picture
  QVERIFY(near(image, 190, row(10), black));         // layer boundary
  QVERIFY(near(image, 190, row(25), black));         // last bottom
  QVERIFY(near(image, 126, row(0) + 2, black));      // first hatch stroke, (120, g) to (135, g + 5)
  QVERIFY(!near(image, 110, row(0) + 3, black));     // no stroke before it

  // Broken: background only.
  QImage blank(50, 50, QImage::Format_ARGB32);
  QPainter again(&blank);
  paintSideView(again, blank.rect(), outline, layoutSideView(outline.range, 50, 0), layers,
                {Qt::white, Qt::black});
  again.end();
  QCOMPARE(blank.pixelColor(25, 25), white);
}

void SideViewTest::printedPageFramesThePileToScale() {
  // A 1000 x 800 page; the range runs from -2.1 to 26.25 ft, drawn over 80 % of the height.
  const std::vector<SideViewLayer> layers{{1, 10}, {2, 25}};
  const SideViewOutline outline = buildSideViewOutline(pile(1, 12, 0, 0, 20, 2), layers);
  QImage page(1000, 800, QImage::Format_ARGB32);
  page.fill(Qt::gray);
  QPainter painter(&page);
  paintSideViewPage(painter, page.rect(), outline, layers);
  painter.end();
  const double scale = 0.8 * 800 / (outline.range.YMax - outline.range.YMin);
  const auto row = [&](double depth) {
    return static_cast<int>(80 + (depth - outline.range.YMin) * scale);
  };
  const QColor black(Qt::black);
  QCOMPARE(page.pixelColor(50, 50), QColor(Qt::gray));  // outside the frame
  QCOMPARE(page.pixelColor(100, 400), black);           // the frame at 10 % of the width
  QCOMPARE(page.pixelColor(300, row(5)), QColor(Qt::white));
  QCOMPARE(page.pixelColor(500, row(10)), black);  // the pile on the axis
  // A layer line across the frame; its pen, thinner than a pixel here, blends to near black.
  bool dark = false;
  for (int y = row(10) - 1; y <= row(10) + 1; ++y)
    dark = dark || page.pixelColor(850, y).value() < 40;
  QVERIFY(dark);
  // The pile is 1 ft wide at the scale of the depths.
  const int halfWidth = static_cast<int>(0.5 * scale);
  QCOMPARE(page.pixelColor(500 + halfWidth + 4, row(15)), QColor(Qt::white));
}

QTEST_MAIN(SideViewTest)
#include "side_view_test.moc"
