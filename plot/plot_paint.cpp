// Painting a graph on any device: screen, printer page or image.
#include "plot/plot_paint.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace vorne {

const std::array<QColor, 17> kPlotPalette = {
    QColor(0, 0, 0),       QColor(0, 0, 255),     QColor(255, 0, 0),     QColor(0, 128, 0),
    QColor(128, 0, 128),   QColor(128, 0, 0),     QColor(0, 0, 128),     QColor(255, 0, 255),
    QColor(128, 128, 0),   QColor(0, 128, 128),   QColor(128, 128, 128), QColor(0, 255, 0),
    QColor(128, 128, 128), QColor(192, 192, 192), QColor(192, 192, 192), QColor(255, 255, 0),
    QColor(0, 255, 255)};

namespace {

QRect toQRect(const TPlotRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

// A filled rectangle with a one-pixel outline covering left .. right - 1 and top .. bottom - 1,
// as a window's rectangle call draws it.
void outlinedRect(QPainter& painter, int left, int top, int right, int bottom, const QBrush& fill) {
  if (right <= left || bottom <= top) return;
  painter.fillRect(QRect(left, top, right - left, bottom - top), Qt::white);
  painter.fillRect(QRect(left, top, right - left, bottom - top), fill);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

// Text whose top-left corner is at (x, y).
void textAt(QPainter& painter, int x, int y, const QString& text) {
  painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

// Text running upward whose (unrotated) top-left corner is at (x, y): it occupies x .. x + height
// across and y - width .. y along.
void upwardTextAt(QPainter& painter, int x, int y, const QString& text) {
  painter.save();
  painter.translate(x, y);
  painter.rotate(-90.0);
  painter.drawText(QPoint(0, painter.fontMetrics().ascent()), text);
  painter.restore();
}

int textWidth(const QPainter& painter, const QString& text) {
  return painter.fontMetrics().horizontalAdvance(text);
}

QString axisText(const QString& caption, const QString& units, int unitSystem) {
  if (units.isEmpty()) return caption;
  return caption + QStringLiteral(" (") + ExpandUnits(units, unitSystem) + QStringLiteral(")");
}

void drawMarker(QPainter& painter, int shape, QPoint at, int dpiX, int dpiY) {
  const std::vector<QPoint> outline = MarkerOutline(shape, at.x(), at.y(), dpiX, dpiY);
  painter.drawPolyline(outline.data(), static_cast<int>(outline.size()));
}

struct Panel {
  TPlotRect rect;
  const TRange* range;
  const TLineList* lines;
  const QString* xCaption;
  const QString* xUnits;
  const QString* yCaption;
  const QString* yUnits;
};

std::vector<Panel> panelsOf(const TGraphPlot& graph,
                            const TPlotLayout& layout,
                            const TPlotView& view) {
  std::vector<Panel> panels{{layout.panel1, &view.ranges[0], &graph.Lines, &graph.XCaption,
                             &graph.XUnits, &graph.YCaption, &graph.YUnits}};
  if (graph.ShowThree) {
    panels.push_back({layout.panel2, &view.ranges[1], &graph.Lines2, &graph.XCaption2,
                      &graph.XUnits2, &graph.YCaption2, &graph.YUnits2});
    panels.push_back({layout.panel3, &view.ranges[2], &graph.Lines3, &graph.XCaption3,
                      &graph.XUnits3, &graph.YCaption3, &graph.YUnits3});
  }
  return panels;
}

void paintCaptions(QPainter& painter,
                   const TGraphPlot& graph,
                   const TPlotLayout& layout,
                   const std::vector<Panel>& panels,
                   const TPaintSettings& settings) {
  const TPlotRect& client = layout.client;
  const int f = layout.fontUnit;
  const int h = settings.baseFontHeight;
  const bool hasTitle = !graph.GraphTitle.isEmpty();
  const bool titleTop = hasTitle && graph.TitleOnTop;
  const bool titleBottom = hasTitle && !graph.TitleOnTop;
  painter.setPen(Qt::black);
  painter.setFont(ScaledFont(h, 700, graph.SizeFont));
  const int textHeight = painter.fontMetrics().height();
  if (!graph.ShowThree) {
    const QString xText = axisText(graph.XCaption, graph.XUnits, graph.Units());
    const int x = client.left + (client.width() - textWidth(painter, xText)) / 2;
    int y = 0;
    if (graph.XOnTop) {
      y = client.top + (titleTop ? f / 8 + f : 0);
    } else {
      y = client.bottom - textHeight - (titleBottom ? f / 8 + f : 0);
    }
    textAt(painter, x, y, xText);
  } else {
    for (const Panel& panel : panels) {
      const QString xText = axisText(*panel.xCaption, *panel.xUnits, graph.Units());
      const int x = panel.rect.left + (panel.rect.width() - textWidth(painter, xText)) / 2;
      const int y = graph.XOnTop
                        ? client.top + settings.dpiY / 16 + (titleTop ? settings.dpiY / 4 : 0)
                        : client.bottom - settings.dpiY / 16 - textHeight -
                              (titleBottom ? settings.dpiY / 4 : 0);
      textAt(painter, x, y, xText);
    }
  }
  if (hasTitle) {
    const int x = client.left + (client.width() - textWidth(painter, graph.GraphTitle)) / 2;
    textAt(painter, x, graph.TitleOnTop ? client.top : client.bottom - textHeight,
           graph.GraphTitle);
  }
  // The Y captions use the same bold font, running upward.
  if (!graph.ShowThree) {
    const QString yText = axisText(graph.YCaption, graph.YUnits, graph.Units());
    upwardTextAt(painter, client.left, (client.bottom + client.top + textWidth(painter, yText)) / 2,
                 yText);
  } else {
    const TPlotRect& span = settings.bitmapMode ? layout.plot : client;
    for (const Panel& panel : panels) {
      const QString yText = axisText(*panel.yCaption, *panel.yUnits, graph.Units());
      upwardTextAt(painter, panel.rect.left - settings.dpiX / 8 - 2 * f,
                   (span.bottom + span.top + textWidth(painter, yText)) / 2, yText);
    }
  }
}

// The major ticks of one axis inside the panel: their values and pixels along the axis.
struct MajorTicks {
  std::vector<double> values;
  std::vector<int> pixels;
};

void paintGrid(QPainter& painter,
               const TGraphPlot& graph,
               const TPlotLayout& layout,
               const Panel& panel,
               const TPaintSettings& settings) {
  const TTicks ticks = TickSteps(*panel.range, panel.rect, layout.fontUnit, graph.ShowThree);
  const TPlotRect& r = panel.rect;
  const TPlotRect& client = layout.client;
  const QPen solid(Qt::black, 1, Qt::SolidLine);
  const QPen dotted(Qt::black, 1, Qt::DotLine);
  const int dpiX = settings.dpiX;
  const int dpiY = settings.dpiY;
  // Labels keep half a font unit apart; when they would not, only every second, fifth, ... major
  // tick is labelled, so that the labels stay round values.
  const int gap = std::max(layout.fontUnit / 2, 2);
  painter.setFont(ScaledFont(settings.baseFontHeight, 400, graph.SizeFont));
  const QFontMetrics metrics = painter.fontMetrics();
  const int textHeight = metrics.height();
  const auto extent = [&metrics](const QString& text) { return metrics.horizontalAdvance(text); };
  if (ticks.hasX) {
    MajorTicks major;
    for (int k = ticks.lowX; k <= ticks.highX; ++k) {
      const double value = k * ticks.minorX;
      const int px = ValueToPixel(value, panel.range->YMin, *panel.range, r, graph.XOnTop).x();
      if (px < r.left || px > r.right) continue;
      if (k % 5 == 0) {
        painter.setPen(dotted);
        painter.drawLine(px, r.top, px, r.bottom);
        major.values.push_back(value);
        major.pixels.push_back(px);
      }
      painter.setPen(solid);
      if (graph.XOnTop) {
        painter.drawLine(px, r.top, px, r.top + dpiY / 16);
      } else {
        painter.drawLine(px, r.bottom, px, r.bottom - dpiY / 16);
      }
    }
    const int y = graph.XOnTop ? r.top - dpiY / 32 - textHeight : r.bottom + dpiY / 16;
    for (const TTickLabel& label : AxisLabels(major.values, major.pixels, ticks.minorX * 5.0,
                                              extent, gap, client.left, client.right)) {
      textAt(painter, label.start, y, label.text);
    }
  }
  if (ticks.hasY) {
    MajorTicks major;
    for (int k = ticks.lowY; k <= ticks.highY; ++k) {
      const double value = k * ticks.minorY;
      const int py = ValueToPixel(panel.range->XMin, value, *panel.range, r, graph.XOnTop).y();
      if (py < r.top || py > r.bottom) continue;
      if (k % 5 == 0) {
        painter.setPen(dotted);
        painter.drawLine(r.left, py, r.right, py);
        major.values.push_back(value);
        major.pixels.push_back(py);
      }
      painter.setPen(solid);
      painter.drawLine(r.left, py, r.left + dpiX / 16, py);
    }
    // Y grows downward on screen when the X axis is on top: the labels go in ascending pixels.
    if (!graph.XOnTop) {
      std::reverse(major.values.begin(), major.values.end());
      std::reverse(major.pixels.begin(), major.pixels.end());
    }
    for (const TTickLabel& label : AxisLabels(major.values, major.pixels, ticks.minorY * 5.0,
                                              extent, gap, client.top, client.bottom)) {
      // Read upward: the label's start is its lower end.
      upwardTextAt(painter, r.left - dpiX / 32 - textHeight, label.start + label.extent,
                   label.text);
    }
  }
}

void paintCurves(QPainter& painter,
                 const TGraphPlot& graph,
                 const Panel& panel,
                 const QPen& curvePen,
                 const TPaintSettings& settings) {
  const TLineList& lines = *panel.lines;
  if (lines.empty() || lines.front().Points.size() <= 1) return;
  painter.save();
  painter.setClipRect(toQRect(panel.rect));
  int colour = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    // The flags of a panel's curve are those of the same curve of the first panel.
    const TLine* flags = i < graph.Lines.size() ? &graph.Lines[i] : &lines[i];
    if (!flags->Listed) continue;
    if (flags->Active && !lines[i].Points.empty()) {
      QPen pen = curvePen;
      pen.setColor(PaletteColor(colour));
      painter.setPen(pen);
      painter.setBrush(PaletteColor(colour));
      const int shape = MarkerShape(static_cast<int>(i));
      const std::vector<TFloatPoint>& points = lines[i].Points;
      QPoint previous =
          ValueToPixel(points[0].X, points[0].Y, *panel.range, panel.rect, graph.XOnTop);
      if (graph.Markers > 0) drawMarker(painter, shape, previous, settings.dpiX, settings.dpiY);
      for (std::size_t d = 1; d < points.size(); ++d) {
        const QPoint next =
            ValueToPixel(points[d].X, points[d].Y, *panel.range, panel.rect, graph.XOnTop);
        painter.drawLine(previous, next);
        if (graph.Markers > 0 && d % static_cast<std::size_t>(graph.Markers) == 0) {
          drawMarker(painter, shape, next, settings.dpiX, settings.dpiY);
        }
        previous = next;
      }
    }
    ++colour;
  }
  painter.restore();
}

// The legend as part of the picture: the active listed curves, placed where the on-screen legend
// stands in its window, measured on the plot area.
void paintOutputLegend(QPainter& painter,
                       const TGraphPlot& graph,
                       const TPlotLayout& layout,
                       const TRange& range,
                       const QPen& curvePen,
                       const TPaintSettings& settings) {
  struct Entry {
    int curve;
    int listedIndex;
  };
  std::vector<Entry> entries;
  int listed = 0;
  for (std::size_t i = 0; i < graph.Lines.size(); ++i) {
    if (!graph.Lines[i].Listed) continue;
    if (graph.Lines[i].Active) entries.push_back({static_cast<int>(i), listed});
    ++listed;
  }
  if (entries.empty()) return;
  painter.setFont(ScaledFont(settings.baseFontHeight, 400, graph.SizeFont));
  const QFontMetrics metrics = painter.fontMetrics();
  const int textHeight = metrics.height();
  int widest = 0;
  for (const Entry& e : entries) {
    widest = std::max(widest, metrics.horizontalAdvance(graph.DisplayName(e.curve)));
  }
  const TPlotRect& plot = layout.plot;
  const int dpiX = settings.dpiX;
  const int dpiY = settings.dpiY;
  const int lineStep = textHeight + dpiY / 32;
  const int width = widest + dpiX * 3 / 16;
  const int height = static_cast<int>(entries.size()) * lineStep + dpiY / 32;
  int left = 0;
  int top = 0;
  if (settings.legendAuto) {
    const QPoint place = LegendPlace(graph.Lines, range, layout.panel1, graph.XOnTop,
                                     QSize(width, height), dpiX / 16);
    left = place.x();
    top = place.y();
  } else {
    // Where the user put it on screen, in proportion, measured on the plot area.
    const int windowWidth = std::max(settings.windowSize.width(), 1);
    const int windowHeight = std::max(settings.windowSize.height(), 1);
    left = plot.left + settings.legendPos.x() * plot.width() / windowWidth;
    top = plot.top + plot.height() * settings.legendPos.y() / windowHeight;
  }
  outlinedRect(painter, left, top, left + width, top + height, Qt::white);
  int y = top + dpiY / 32;
  for (const Entry& e : entries) {
    const QColor colour = PaletteColor(e.listedIndex);
    QPen pen = curvePen;
    pen.setColor(colour);
    painter.setPen(pen);
    // Marker and text in the colour of the curve they stand for.
    drawMarker(painter, MarkerShape(e.curve), QPoint(left + dpiX / 16, y + textHeight / 2), dpiX,
               dpiY);
    painter.setPen(colour);
    textAt(painter, left + dpiX / 16 + dpiX / 16, y, graph.DisplayName(e.curve));
    y += lineStep;
  }
}

QSize measureLayerText(const QString& text, int pixelHeight) {
  const QFontMetrics metrics(ScaledFont(pixelHeight, 400, 10));
  return {metrics.horizontalAdvance(text), metrics.height()};
}

QString layerName(const TGraphPlot& graph, const TLine& line) {
  if (!line.Name.isEmpty()) return line.Name;
  return graph.CurveName + QString::number(line.Value);
}

void paintLayerStrip(QPainter& painter,
                     const TGraphPlot& graph,
                     const TPlotLayout& layout,
                     const TRange& range,
                     int baseFontHeight,
                     bool paper) {
  const TLineList& layers = graph.LayerLines;
  if (layers.empty() || layers.front().Points.empty()) return;
  const TPlotRect& strip = layout.layerStrip;
  painter.save();
  painter.setClipRect(toQRect(strip));
  const std::size_t wall = graph.WallLineCount > 0 ? std::size_t(graph.WallLineCount) : 0;
  const std::size_t count = layers.size() > wall ? layers.size() - wall : 0;
  int previousBottom = strip.top;
  for (std::size_t j = 0; j < count; ++j) {
    if (layers[j].Points.empty()) continue;
    const TFloatPoint& point = layers[j].Points.front();
    const int py = ValueToPixel(range.XMin, point.Y, range, layout.panel1, graph.XOnTop).y();
    const bool last = j + 1 == count;
    const int bottom = std::min(layout.plot.bottom, last ? py : py + 1);
    outlinedRect(painter, strip.left, previousBottom, strip.right - 1, bottom,
                 LayerFill(point.X, paper));
    // The label fits its band (not scaled by SizeFont): smaller or shorter, or none.
    const TLayerLabel label =
        FitLayerLabel(layerName(graph, layers[j]), strip.width() - 1, bottom - previousBottom,
                      baseFontHeight, measureLayerText);
    if (!label.text.isEmpty()) {
      painter.setFont(ScaledFont(label.pixelHeight, 400, 10));
      const QFontMetrics metrics = painter.fontMetrics();
      const int textWidth = metrics.horizontalAdvance(label.text);
      const QRect textBox(strip.left + (strip.width() - textWidth) / 2,
                          (previousBottom + bottom) / 2 - metrics.height() / 2, textWidth,
                          metrics.height());
      painter.fillRect(textBox.adjusted(-1, 0, 1, 0), Qt::white);
      painter.setPen(Qt::black);
      textAt(painter, textBox.left(), textBox.top(), label.text);
    }
    previousBottom = py;
  }
  painter.restore();
}

// Pattern pictures built in code, black on white.
QImage patternImage(int code, bool paper) {
  int width = 80;
  int height = 80;
  if (code >= 8 && code <= 10) {
    width = paper ? 96 : 30;
    height = paper ? 69 : 42;
  } else if (code >= 11) {
    width = paper ? 96 : 80;
    height = paper ? 192 : 80;
  } else if (paper) {
    width = 96;
    height = 96;
  }
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  const QRgb black = qRgb(0, 0, 0);
  const int pitch = paper ? 12 : 10;  // the paper set is the screen set enlarged
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bool ink = false;
      switch (code) {
        case 1:  // clay: thin diagonal lines
          ink = (x + y) % pitch == 0;
          break;
        case 7:  // sand: staggered dots
          ink = (y % pitch < 2) && ((x + ((y / pitch) % 2) * (pitch / 2)) % pitch < 2);
          break;
        case 8:  // bricks
          ink = y % (height / 3) == 0 || (x + ((y / (height / 3)) % 2) * (width / 2)) % width == 0;
          break;
        case 9:  // dashes
          ink = y % pitch == 0 && x % pitch < pitch / 2;
          break;
        case 10:  // short verticals
          ink = x % pitch == 0 && y % pitch < pitch / 2;
          break;
        case 11:  // circles
        {
          const int cx = x % (2 * pitch) - pitch;
          const int cy = y % (2 * pitch) - pitch;
          const int r2 = cx * cx + cy * cy;
          ink = r2 >= (pitch - 3) * (pitch - 3) && r2 < (pitch - 2) * (pitch - 2);
          break;
        }
        default:  // 12: wavy lines
          ink = (y + (x % pitch < pitch / 2 ? x % pitch : pitch - x % pitch)) % pitch == 0;
          break;
      }
      if (ink) image.setPixel(x, y, black);
    }
  }
  return image;
}

}  // namespace

QFont ScaledFont(int baseFontHeight, int weight, int scale) {
  QFont font(QString::fromLatin1(kPlotFontFamily));
  font.setPixelSize(std::max(1, std::abs(baseFontHeight * scale / 10)));
  font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
  return font;
}

TOutputKind OutputKindOf(const TPaintSettings& settings) {
  if (settings.bitmapMode) return TOutputKind::Bitmap;
  return settings.legendInOutput ? TOutputKind::Printer : TOutputKind::Screen;
}

TPlotLayout LayoutFor(const TGraphPlot& graph,
                      const QRect& target,
                      const TPaintSettings& settings) {
  const TPlotRect client{target.left(), target.top(), target.left() + target.width(),
                         target.top() + target.height()};
  return ComputeLayout(graph, client, settings.dpiX, settings.dpiY, settings.baseFontHeight,
                       OutputKindOf(settings));
}

QBrush LayerFill(double code, bool paper) {
  static const std::array<QImage, 13> screenSet = [] {
    std::array<QImage, 13> set;
    for (int c : {1, 7, 8, 9, 10, 11, 12}) set[std::size_t(c)] = patternImage(c, false);
    return set;
  }();
  static const std::array<QImage, 13> paperSet = [] {
    std::array<QImage, 13> set;
    for (int c : {1, 7, 8, 9, 10, 11, 12}) set[std::size_t(c)] = patternImage(c, true);
    return set;
  }();
  for (int c = 1; c <= 12; ++c) {
    if (code != c) continue;
    switch (c) {
      case 2:
        return QBrush(Qt::black, Qt::FDiagPattern);
      case 3:
        return QBrush(Qt::black, Qt::CrossPattern);
      case 4:
        return QBrush(Qt::black, Qt::DiagCrossPattern);
      case 5:
        return QBrush(Qt::black, Qt::HorPattern);
      case 6:
        return QBrush(Qt::black, Qt::VerPattern);
      default:
        return QBrush((paper ? paperSet : screenSet)[std::size_t(c)]);
    }
  }
  return QBrush(Qt::NoBrush);
}

TLayerLabel FitLayerLabel(const QString& name,
                          int width,
                          int height,
                          int fontHeight,
                          const std::function<QSize(const QString&, int)>& measure) {
  const QString full = name.simplified();
  QStringList forms{full};
  const QStringList words = full.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (words.size() >= 2 && words[0].compare(QLatin1String("LAYER"), Qt::CaseInsensitive) == 0) {
    const QStringList rest = words.mid(1);
    forms << rest.join(QLatin1Char(' '));
    if (rest.size() >= 2) forms << rest[0] + QLatin1Char(' ') + rest[1].left(1);
    forms << rest[0];
  }
  const int smallest = std::max(1, fontHeight * 2 / 3);
  for (const QString& form : forms) {
    for (int size = fontHeight; size >= smallest; size -= std::max(1, fontHeight / 6)) {
      const QSize extent = measure(form, size);
      if (extent.width() + 4 <= width && extent.height() + 2 <= height) return {form, size};
    }
  }
  return {};
}

void PaintGraph(QPainter& painter,
                const QRect& target,
                const TGraphPlot& graph,
                const TPlotView& view,
                const TPaintSettings& settings) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(target, Qt::white);
  const int penWidth =
      (static_cast<int>(std::lround(settings.dpiX / 300.0)) + 1) * std::max(graph.WidthLine, 1);
  const QPen curvePen(Qt::black, penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  if (target.width() < settings.dpiX || target.height() < settings.dpiY) {
    painter.restore();
    return;
  }
  const TPlotLayout layout = LayoutFor(graph, target, settings);
  const std::vector<Panel> panels = panelsOf(graph, layout, view);
  paintCaptions(painter, graph, layout, panels, settings);
  for (const Panel& panel : panels) paintGrid(painter, graph, layout, panel, settings);
  for (const Panel& panel : panels) paintCurves(painter, graph, panel, curvePen, settings);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  if (settings.legendInOutput && graph.ShowLegend) {
    paintOutputLegend(painter, graph, layout, view.ranges[0], curvePen, settings);
  }
  if (graph.ShowLayers) {
    paintLayerStrip(painter, graph, layout, view.ranges[0], settings.baseFontHeight,
                    OutputKindOf(settings) == TOutputKind::Printer);
  }
  painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  painter.setBrush(Qt::NoBrush);
  for (const Panel& panel : panels) painter.drawRect(toQRect(panel.rect));
  painter.restore();
}

}  // namespace vorne
