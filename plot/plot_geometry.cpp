// Plot arithmetic: ranges, ticks, pixel mapping, layouts, zoom, legend and image sizes.
#include "plot/plot_geometry.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/number_text.h"

namespace vorne {

namespace {

// Pixel coordinates stay far inside the int range whatever the data.
int toPixel(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::nearbyint(std::clamp(value, -1e9, 1e9)));
}

// Opens a zero span by 0.01 either side and rounds both ends out to the span's step.
bool roundAxis(double& low, double& high) {
  if (high == low) {
    high += 0.01;
    low -= 0.01;
  }
  const double step = RangeStep(high - low);
  if (step == 0.0) return false;
  low = step * RoundOut(low / step);
  high = step * RoundOut(high / step);
  return true;
}

// Lowest index k <= 0 with k * step >= low and highest k >= 0 with k * step <= high; a tick that
// misses its bound only by the rounding of k * step still counts.
void tickBounds(double low, double high, double step, int& first, int& last) {
  const double slack = step * 1e-9;
  first = 0;
  if (low < 0.0) {
    first = static_cast<int>(std::max(std::ceil(low / step), -1e9));
    while ((first - 1) * step >= low - slack) --first;
    while (first < 0 && first * step < low - slack) ++first;
  }
  last = 0;
  if (high > 0.0) {
    last = static_cast<int>(std::min(std::floor(high / step), 1e9));
    while ((last + 1) * step <= high + slack) ++last;
    while (last > 0 && last * step > high + slack) --last;
  }
}

// The new span [low, high] of one axis, at least a twentieth of the full span and inside it.
void limitZoom(double& low, double& high, double fullLow, double fullHigh) {
  const double minimum = (fullHigh - fullLow) / 20.0;
  if (high - low < minimum) {
    const double centre = (low + high) / 2.0;
    low = centre - minimum / 2.0;
    high = centre + minimum / 2.0;
    if (low < fullLow) {
      high += fullLow - low;
      low = fullLow;
    } else if (high > fullHigh) {
      low -= high - fullHigh;
      high = fullHigh;
    }
  }
}

void zoomOutAxis(double& low, double& high, double fullLow, double fullHigh, double at) {
  const double half = std::min(high - low, (fullHigh - fullLow) / 2.0);
  const double centre = std::clamp(at, fullLow + half, std::max(fullLow + half, fullHigh - half));
  low = centre - half;
  high = centre + half;
}

}  // namespace

double RangeStep(double d) {
  if (!(d > 0.0) || !std::isfinite(d)) return 0.0;
  const double a = std::log10(d);
  const double whole = std::floor(a);
  double step = std::pow(10.0, whole);
  if (a - whole < std::log10(3.0)) step /= 10.0;
  return std::isfinite(step) ? step : 0.0;
}

double RoundOut(double v) {
  const double nearest = std::nearbyint(v);
  if (std::abs(v - nearest) < 1e-9) return nearest;
  return v > 0.0 ? std::ceil(v) : std::floor(v);
}

bool AutoRange(const TLineList& lines, TRange& range) {
  range = TRange{};
  for (const TLine& line : lines) {
    for (const TFloatPoint& p : line.Points) {
      if (p.X < range.XMin) {
        range.XMin = p.X;
      } else if (p.X > range.XMax) {
        range.XMax = p.X;
      }
      if (p.Y < range.YMin) {
        range.YMin = p.Y;
      } else if (p.Y > range.YMax) {
        range.YMax = p.Y;
      }
    }
  }
  return roundAxis(range.YMin, range.YMax) && roundAxis(range.XMin, range.XMax);
}

double MajorStep(double raw) {
  const double g = std::pow(10.0, std::floor(std::log10(raw) + 1e-12));
  const int m = static_cast<int>(std::floor(raw / g + 1e-9));
  if (m < 2) return g;
  if (m <= 4) return 2.0 * g;
  if (m <= 8) return 5.0 * g;
  return 10.0 * g;
}

TTicks TickSteps(const TRange& range, const TPlotRect& panel, int fontUnit, bool threePanel) {
  TTicks ticks;
  const int spacing = std::max(fontUnit, 1) * (threePanel ? 4 : 6);
  const int nX = std::abs(panel.width()) / spacing;
  const int nY = std::abs(panel.height()) / spacing;
  const auto axis = [](double low, double high, int n, bool& has, double& minor, int& first,
                       int& last) {
    if (n == 0) return;
    const double raw = (high - low) / n;
    if (!(raw > 0.0) || !std::isfinite(raw)) return;
    minor = MajorStep(raw) / 5.0;
    if (!(minor > 0.0)) return;
    tickBounds(low, high, minor, first, last);
    has = true;
  };
  axis(range.XMin, range.XMax, nX, ticks.hasX, ticks.minorX, ticks.lowX, ticks.highX);
  axis(range.YMin, range.YMax, nY, ticks.hasY, ticks.minorY, ticks.lowY, ticks.highY);
  return ticks;
}

QPoint ValueToPixel(double x, double y, const TRange& range, const TPlotRect& panel, bool xOnTop) {
  const int px = toPixel((x - range.XMin) / (range.XMax - range.XMin) * panel.width()) + panel.left;
  const int dy = toPixel((y - range.YMin) / (range.YMax - range.YMin) * panel.height());
  return {px, xOnTop ? panel.top + dy : panel.bottom - dy};
}

TFloatPoint PixelToValue(int px, int py, const TRange& range, const TPlotRect& panel, bool xOnTop) {
  if (px < panel.left || px > panel.right || panel.width() == 0 || panel.height() == 0) return {};
  TFloatPoint value;
  value.X = double(px - panel.left) / panel.width() * (range.XMax - range.XMin) + range.XMin;
  const double f =
      xOnTop ? double(py - panel.top) / panel.height() : double(panel.bottom - py) / panel.height();
  value.Y = range.YMin + f * (range.YMax - range.YMin);
  return value;
}

TPlotLayout ComputeLayout(const TGraphPlot& graph,
                          const TPlotRect& client,
                          int dpiX,
                          int dpiY,
                          int baseFontHeight,
                          TOutputKind kind) {
  TPlotLayout layout;
  layout.client = client;
  layout.dpiX = dpiX;
  layout.dpiY = dpiY;
  const int f = std::abs(baseFontHeight * graph.SizeFont / 10);
  layout.fontUnit = f;
  TPlotRect& plot = layout.plot;
  const bool hasTitle = !graph.GraphTitle.isEmpty();
  if (kind == TOutputKind::Printer) {
    plot.left = 2 * f + dpiX / 8 + client.left + f / 8;
    plot.right = client.right;
    if (graph.XOnTop) {
      // The printed layout measures its top margin in horizontal pixels per inch.
      plot.top = 2 * f + dpiX / 8 + client.top + f / 8;
      plot.bottom = client.bottom;
    } else {
      plot.top = client.top;
      plot.bottom = client.bottom - 2 * f - dpiX / 8 - f / 8;
    }
    if (hasTitle) {
      if (graph.TitleOnTop) {
        plot.top += dpiY / 4;
      } else {
        plot.bottom -= dpiY / 2;
      }
    }
  } else {
    plot.left = 2 * f + dpiX / 8 + f / 8;
    plot.right = client.right - dpiX / 4 - f / 2;
    if (graph.XOnTop) {
      plot.top = 2 * f + dpiY / 8 + f / 8;
      plot.bottom = client.bottom - dpiY / 4 - f / 2;
    } else {
      plot.top = f / 2 + dpiY / 4;
      plot.bottom = client.bottom - 2 * f - dpiY / 8 - f / 8;
    }
    if (hasTitle && kind == TOutputKind::Screen) {
      if (graph.TitleOnTop) {
        plot.top += f + f / 8;
      } else {
        plot.bottom -= f;
      }
    }
  }
  if (graph.ShowLayers) {
    const int oldRight = plot.right;
    plot.right -= kind == TOutputKind::Bitmap ? dpiX / 2 : dpiX;
    layout.layerStrip = {plot.right + dpiX / 5, plot.top, oldRight, plot.bottom};
  }
  layout.panel1 = plot;
  if (graph.ShowThree) {
    const int w = (plot.right - plot.left - 4 * f - dpiX / 2) / 3;
    layout.panel1 = {plot.left, plot.top, plot.left + w, plot.bottom};
    const int left2 = layout.panel1.right + 2 * f + dpiX / 4;
    layout.panel2 = {left2, plot.top, left2 + w, plot.bottom};
    const int left3 = layout.panel2.right + 2 * f + dpiX / 4;
    layout.panel3 = {left3, plot.top, plot.right, plot.bottom};
  }
  return layout;
}

TPlotRect PrintClientRect(int pageWidth,
                          int pageHeight,
                          int dpiX,
                          int dpiY,
                          int offX,
                          int offY,
                          const TPageMargins& margins) {
  const auto pixels = [](int thousandths, int dpi) {
    return static_cast<int>(std::lround(double(thousandths) * dpi / 1000.0));
  };
  const int left = std::max(pixels(margins.left, dpiX), offX);
  const int right = std::max(pixels(margins.right, dpiX), offX);
  const int top = std::max(pixels(margins.top, dpiY), offY);
  const int bottom = std::max(pixels(margins.bottom, dpiY), offY);
  return {left - offX, top - offY, pageWidth + offX - right, pageHeight + offY - bottom};
}

bool ZoomToBox(QPoint press,
               QPoint release,
               const TPlotRect& panel,
               bool xOnTop,
               const TRange& full,
               TRange& range) {
  if (press.x() == release.x() || press.y() == release.y()) return false;
  const TFloatPoint a = PixelToValue(press.x(), press.y(), range, panel, xOnTop);
  const TFloatPoint b = PixelToValue(release.x(), release.y(), range, panel, xOnTop);
  TRange zoomed{std::min(a.X, b.X), std::max(a.X, b.X), std::min(a.Y, b.Y), std::max(a.Y, b.Y)};
  limitZoom(zoomed.XMin, zoomed.XMax, full.XMin, full.XMax);
  limitZoom(zoomed.YMin, zoomed.YMax, full.YMin, full.YMax);
  range = zoomed;
  return true;
}

TRange ZoomOut(const TRange& range, const TRange& full, TFloatPoint at) {
  TRange out = range;
  zoomOutAxis(out.XMin, out.XMax, full.XMin, full.XMax, at.X);
  zoomOutAxis(out.YMin, out.YMax, full.YMin, full.YMax, at.Y);
  return out;
}

int LegendWidth(const QStringList& entries,
                const std::function<int(const QString&)>& textWidth,
                int spare) {
  int width = 21;
  for (const QString& entry : entries) {
    width = std::max(width, textWidth(entry + QStringLiteral(" *")) + spare);
  }
  return width;
}

TLegendSize LegendSizeFor(int scale,
                          int legendFont,
                          const QStringList& entries,
                          const std::function<int(const QString&)>& textWidth,
                          int dpiX) {
  TLegendSize size;
  size.fontSize = scale * legendFont / 10;
  size.itemHeight = size.fontSize * 3 / 2;
  size.height = static_cast<int>(entries.size()) * size.itemHeight + 3;
  size.width = LegendWidth(entries, textWidth, dpiX / 4);
  return size;
}

QPoint LegendPlace(const TLineList& lines,
                   const TRange& range,
                   const TPlotRect& panel,
                   bool xOnTop,
                   QSize box,
                   int margin) {
  const int left = panel.left + margin;
  const int right = std::max(left, panel.right - margin - box.width());
  const int top = panel.top + margin;
  const int bottom = std::max(top, panel.bottom - margin - box.height());
  const QPoint corners[] = {{right, bottom}, {right, top}, {left, bottom}, {left, top}};
  int hits[4] = {0, 0, 0, 0};
  const auto count = [&](QPoint p) {
    for (int c = 0; c < 4; ++c) {
      if (p.x() >= corners[c].x() - margin && p.x() <= corners[c].x() + box.width() + margin &&
          p.y() >= corners[c].y() - margin && p.y() <= corners[c].y() + box.height() + margin) {
        ++hits[c];
      }
    }
  };
  for (const TLine& line : lines) {
    if (!line.Listed || !line.Active || line.Points.empty()) continue;
    QPoint previous = ValueToPixel(line.Points[0].X, line.Points[0].Y, range, panel, xOnTop);
    count(previous);
    for (std::size_t d = 1; d < line.Points.size(); ++d) {
      const QPoint next = ValueToPixel(line.Points[d].X, line.Points[d].Y, range, panel, xOnTop);
      const int length =
          std::max(std::abs(next.x() - previous.x()), std::abs(next.y() - previous.y()));
      const int steps = std::clamp(length / 2, 1, 2000);
      for (int k = 1; k <= steps; ++k) {
        count(QPoint(previous.x() + (next.x() - previous.x()) * k / steps,
                     previous.y() + (next.y() - previous.y()) * k / steps));
      }
      previous = next;
    }
  }
  int best = 0;
  for (int c = 1; c < 4; ++c) {
    if (hits[c] < hits[best]) best = c;
  }
  return corners[best];
}

QSize BitmapSize(double heightInches, double widthInches, double pixelsPerInch) {
  const auto pixels = [](double v) {
    return static_cast<int>(std::clamp(std::round(v), 0.0, 2147483647.0));
  };
  return {pixels(pixelsPerInch * widthInches), pixels(pixelsPerInch * heightInches)};
}

int PictureFontHeight(int screenFontHeight, int screenDpi, int pixelsPerInch) {
  const int dpi = screenDpi > 0 ? screenDpi : 96;
  const double height = std::round(static_cast<double>(screenFontHeight) * pixelsPerInch / dpi);
  return static_cast<int>(std::clamp(height, 1.0, 1.0e6));
}

QString OutputFileProposal(const QString& folder, const QString& caption, const QString& suffix) {
  QString name;
  for (const QChar c : caption.simplified()) {
    const bool plain = c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('.');
    name += plain ? c : QLatin1Char('_');
  }
  // Runs of "_" from "vs. " and the like shrink to one, and none stands at either end.
  while (name.contains(QStringLiteral("__")))
    name.replace(QStringLiteral("__"), QStringLiteral("_"));
  while (name.startsWith(QLatin1Char('_')) || name.startsWith(QLatin1Char('.'))) name.remove(0, 1);
  while (name.endsWith(QLatin1Char('_')) || name.endsWith(QLatin1Char('.'))) name.chop(1);
  if (name.isEmpty()) name = QStringLiteral("graph");
  const QString file = name + QLatin1Char('.') + suffix;
  return folder.isEmpty() ? file : QDir(folder).filePath(file);
}

std::vector<QPoint> MarkerOutline(int shape, int px, int py, int dpiX, int dpiY) {
  const double rx = dpiX / 32.0;
  const double ry = dpiY / 32.0;
  constexpr double pi = std::numbers::pi;
  double start = 0.0;
  int corners = shape;
  if (shape == 1) {
    start = pi;
    corners = 3;
  } else if (shape == 2) {
    start = pi / 4.0;
    corners = 4;
  }
  corners = std::max(corners, 3);
  std::vector<QPoint> outline;
  for (int k = 0; k <= corners; ++k) {
    const double theta = start + k * 2.0 * pi / corners;
    outline.emplace_back(px + toPixel(std::cos(theta) * rx), py - toPixel(std::sin(theta) * ry));
  }
  return outline;
}

void ApplyCurveLimit(TGraphPlot& graph) {
  for (std::size_t i = 0; i < graph.Lines.size(); ++i) {
    graph.Lines[i].Listed = !graph.LimitCurves || i < std::size_t{kCurveLimit};
  }
}

QString TickLabel(double value) {
  QString text = formatGeneralQ(value, 4);
  const qsizetype e = text.indexOf(QLatin1Char('E'));
  if (e < 0) return text;
  const QString mantissa = text.left(e);
  QString exponent = text.mid(e + 1);
  QChar sign = QLatin1Char('+');
  if (exponent.startsWith(QLatin1Char('-'))) {
    sign = QLatin1Char('-');
    exponent.remove(0, 1);
  }
  while (exponent.size() < 2) exponent.prepend(QLatin1Char('0'));
  return mantissa + QLatin1Char('E') + sign + exponent;
}

namespace {

// The places after the point that a step of 1, 2 or 5 times 10^n needs.
int decimalsFor(double step) {
  return std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
}

// Mantissa times ten to the exponent, with two exponent digits at least.
QString scientific(double value, int mantissaDecimals) {
  const QString text = QString::number(value, 'E', mantissaDecimals);
  const qsizetype e = text.indexOf(QLatin1Char('E'));
  QString exponent = text.mid(e + 2);
  while (exponent.size() > 2 && exponent.startsWith(QLatin1Char('0'))) exponent.remove(0, 1);
  return text.left(e + 2) + exponent;
}

// Whether a step is 1, 2 or 5 times a power of ten.
bool isRoundStep(double step) {
  const double g = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
  const double m = step / g;
  return std::abs(m - 1.0) < 1e-6 || std::abs(m - 2.0) < 1e-6 || std::abs(m - 5.0) < 1e-6 ||
         std::abs(m - 10.0) < 1e-6;
}

}  // namespace

QStringList AxisTickLabels(const std::vector<double>& values, double majorStep) {
  QStringList labels;
  if (values.empty()) return labels;
  if (!(majorStep > 0.0) || !std::isfinite(majorStep)) {
    for (double v : values) labels << TickLabel(v);
    return labels;
  }
  double largest = 0.0;
  for (double v : values) largest = std::max(largest, std::abs(v));
  const bool plain = largest < 1e6 && majorStep >= 1e-4;
  // Scientific labels carry as many mantissa places as tell neighbouring ticks apart.
  const int mantissaDecimals =
      largest > 0.0 ? std::clamp(static_cast<int>(std::floor(std::log10(largest) + 1e-9)) -
                                     static_cast<int>(std::floor(std::log10(majorStep) + 1e-9)),
                                 0, 6)
                    : 0;
  for (double v : values) {
    if (std::abs(v) < majorStep * 1e-6) {
      labels << QStringLiteral("0");
    } else if (plain) {
      labels << QString::number(v, 'f', decimalsFor(majorStep));
    } else {
      labels << scientific(v, mantissaDecimals);
    }
  }
  return labels;
}

int LabelStride(const std::vector<int>& centres,
                const std::vector<int>& extents,
                double majorStep,
                int gap) {
  const std::size_t n = std::min(centres.size(), extents.size());
  const auto fits = [&](std::size_t stride) {
    for (std::size_t i = 0; i + stride < n; ++i) {
      const int room = std::abs(centres[i + stride] - centres[i]);
      if (room < (extents[i] + extents[i + stride]) / 2 + gap) return false;
    }
    return true;
  };
  for (int decade = 1; decade <= 1000000; decade *= 10) {
    for (int factor : {1, 2, 5}) {
      const int stride = factor * decade;
      if (stride > 1 && majorStep > 0.0 && !isRoundStep(majorStep * stride)) continue;
      if (static_cast<std::size_t>(stride) >= n || fits(static_cast<std::size_t>(stride))) {
        return stride;
      }
    }
  }
  return std::max<int>(1, static_cast<int>(n));
}

int FitLabelStart(int centre, int extent, int low, int high) {
  int start = centre - extent / 2;
  if (start + extent > high) start = high - extent;
  if (start < low) start = low;
  return start;
}

std::vector<TTickLabel> AxisLabels(const std::vector<double>& values,
                                   const std::vector<int>& pixels,
                                   double majorStep,
                                   const std::function<int(const QString&)>& extentOf,
                                   int gap,
                                   int low,
                                   int high) {
  const QStringList texts = AxisTickLabels(values, majorStep);
  std::vector<int> extents;
  for (const QString& text : texts) extents.push_back(extentOf(text));
  const int stride = LabelStride(pixels, extents, majorStep, gap);
  std::vector<TTickLabel> labels;
  const std::size_t n = std::min(values.size(), pixels.size());
  for (std::size_t i = 0; i < n; ++i) {
    // The labelled ticks are the multiples of the labelled step, wherever the axis starts.
    const double index = majorStep > 0.0 ? std::round(values[i] / majorStep) : double(i);
    if (std::fmod(std::abs(index), double(stride)) != 0.0) continue;
    TTickLabel label;
    label.value = values[i];
    label.text = texts[qsizetype(i)];
    label.extent = extents[i];
    label.start = FitLabelStart(pixels[i], extents[i], low, high);
    labels.push_back(label);
  }
  return labels;
}

QString ReadoutText(double value) { return formatGeneralQ(value, 5); }

}  // namespace vorne
