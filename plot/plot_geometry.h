// The windowless arithmetic of the plot window: automatic ranges, tick steps, value-to-pixel and
// back, the layouts of the screen, the printed page and a saved image, zooming, the legend size
// and the size of a saved image. Rectangles follow the device convention of a window's client
// area: right and bottom are one past the last pixel.
#ifndef VORNE_PLOT_PLOT_GEOMETRY_H
#define VORNE_PLOT_PLOT_GEOMETRY_H

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "plot/graph_plot.h"

namespace vorne {

struct TPlotRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
  bool operator==(const TPlotRect&) const = default;
};

// Visible value range of one panel.
struct TRange {
  double XMin = 0.0;
  double XMax = 0.0;
  double YMin = 0.0;
  double YMax = 0.0;
  bool operator==(const TRange&) const = default;
};

// A round step for a span d > 0: the power of ten not above d, divided by ten when d starts with
// a digit below 3 (mantissa below log10 3). 0 for a span that is not positive and finite.
double RangeStep(double d);
// The smallest integer >= v when v > 0, else the largest integer <= v. A value within 1e-9 of an
// integer counts as that integer, so that 2.3 / 0.1 rounds out to 23, not 24.
double RoundOut(double v);

// The automatic range of a list of curves: from 0..0, widened by every point, then each axis
// rounded out to its RangeStep; a zero-height Y span is first opened by 0.01 either side, and so
// is a zero-width X span. Returns false (range left as computed so far) when a step is not
// positive and finite, which only non-finite data can cause; the window then does not open.
bool AutoRange(const TLineList& lines, TRange& range);

// Minor tick steps and tick index bounds of one panel; an axis without ticks has has = false.
struct TTicks {
  bool hasX = false;
  bool hasY = false;
  double minorX = 0.0;
  double minorY = 0.0;
  int lowX = 0, highX = 0, lowY = 0, highY = 0;
};
// The major step for a raw step: g, 2g, 5g or 10g by the leading digit of raw (g the power of ten
// not above raw).
double MajorStep(double raw);
// Ticks of a panel: one major step per 6 font units of width or height (4 in three-panel mode),
// five minor steps per major; indices run from the lowest k <= 0 with k * minor >= min to the
// highest k >= 0 with k * minor <= max.
TTicks TickSteps(const TRange& range, const TPlotRect& panel, int fontUnit, bool threePanel);

// Value to pixel: x from left to right; y from the top edge down when xOnTop, else from the
// bottom edge up. Halves round to even.
QPoint ValueToPixel(double x, double y, const TRange& range, const TPlotRect& panel, bool xOnTop);
// Pixel to value; a pixel column outside the panel gives (0, 0).
TFloatPoint PixelToValue(int px, int py, const TRange& range, const TPlotRect& panel, bool xOnTop);

// The rectangles of one output.
struct TPlotLayout {
  TPlotRect client;  // the whole output area
  TPlotRect plot;    // curve area (single panel), the union of the panels in three-panel mode
  TPlotRect panel1, panel2, panel3;
  TPlotRect layerStrip;
  int dpiX = 96;
  int dpiY = 96;
  int fontUnit = 14;  // F: |base font height * SizeFont / 10|
};

enum class TOutputKind { Screen, Printer, Bitmap };

// The layout of one output: the screen (client area of the window), the printable page (client
// already inside the margins) or a saved image, by the rules of each device.
TPlotLayout ComputeLayout(const TGraphPlot& graph,
                          const TPlotRect& client,
                          int dpiX,
                          int dpiY,
                          int baseFontHeight,
                          TOutputKind kind);

// Page margins in thousandths of an inch.
struct TPageMargins {
  int left = 1000;
  int top = 1000;
  int right = 1000;
  int bottom = 1000;
};
// The output area of a printed page, in the coordinates of the printable area (origin at the
// printer's physical offset): each margin in pixels, but never inside the unprintable offset.
// pageWidth and pageHeight are the printable width and height.
TPlotRect PrintClientRect(int pageWidth,
                          int pageHeight,
                          int dpiX,
                          int dpiY,
                          int offX,
                          int offY,
                          const TPageMargins& margins);

// Zoom to a box between two points of the panel (already clamped into it): the box's ranges in
// ascending order, each widened to a twentieth of the full range around its centre when
// narrower, and shifted into the full range. Returns false (range unchanged) when the points
// share a pixel column or row.
bool ZoomToBox(QPoint press,
               QPoint release,
               const TPlotRect& panel,
               bool xOnTop,
               const TRange& full,
               TRange& range);
// Zoom out around a value: each axis doubles its visible span around the value, kept within the
// full range.
TRange ZoomOut(const TRange& range, const TRange& full, TFloatPoint at);

// Size of the on-screen legend for a font scale (tenths): font size := scale * legendFont / 10,
// item height := font size * 3 / 2, height := entries * item height + 3, width := the widest
// entry text followed by " *" plus a quarter inch, at least 21.
struct TLegendSize {
  int fontSize = 0;
  int itemHeight = 0;
  int width = 0;
  int height = 0;
};
TLegendSize LegendSizeFor(int scale,
                          int legendFont,
                          const QStringList& entries,
                          const std::function<int(const QString&)>& textWidth,
                          int dpiX);
// Width of the legend for its entries: 21, widened until every entry with " *" fits with
// `spare` pixels to spare.
int LegendWidth(const QStringList& entries,
                const std::function<int(const QString&)>& textWidth,
                int spare);

// Where the legend box goes: the corner of the panel, `margin` inside its frame, whose box covers
// the fewest points of the drawn curves (listed and active), sampled along each segment every two
// pixels; on a tie the first of bottom right, top right, bottom left and top left. Returns the
// box's top-left corner.
QPoint LegendPlace(const TLineList& lines,
                   const TRange& range,
                   const TPlotRect& panel,
                   bool xOnTop,
                   QSize box,
                   int margin);

// Pixel size of a saved image: round(ppi * height) rows and round(ppi * width) columns.
QSize BitmapSize(double heightInches, double widthInches, double pixelsPerInch);

// The picture Save To Disk proposes: 8 x 6 in at 150 pixels per inch (1200 x 900 pixels), laid
// out as a page of that size, which holds the caption, the axes' labels and a legend of every
// curve a graph lists.
struct TPictureSize {
  double heightInches;
  double widthInches;
  int pixelsPerInch;
};
inline constexpr TPictureSize kDefaultPicture{6.0, 8.0, 150};

// The text height in a picture of pixelsPerInch: the screen font's height (screenFontHeight
// pixels at screenDpi) at the same size in inches, so that text keeps its proportion to the
// picture whatever its resolution. At least one pixel; a screenDpi <= 0 counts as 96.
int PictureFontHeight(int screenFontHeight, int screenDpi, int pixelsPerInch);

// The file a picture or a print to a file of a graph is proposed as: in folder, named after the
// caption (characters that do not belong in a file name, and spaces, become "_"; "graph" when
// nothing is left), with suffix ("png", "pdf").
QString OutputFileProposal(const QString& folder, const QString& caption, const QString& suffix);

// The outline of a point marker of the given shape (1: triangle pointing left, 2: square,
// 3..10: regular polygon of that many corners) around (px, py), radii dpiX/32 and dpiY/32.
std::vector<QPoint> MarkerOutline(int shape, int px, int py, int dpiX, int dpiY);
// The marker shape of curve i of Lines: (i mod 10) + 1.
inline int MarkerShape(int curveIndex) { return curveIndex % 10 + 1; }

// Opening a window: every curve is listed; with LimitCurves only the first 20.
inline constexpr int kCurveLimit = 20;
void ApplyCurveLimit(TGraphPlot& graph);

// Axis label: general format with at most 4 significant digits, exponents with at least two
// digits ("1.5E-06", "2E+20").
QString TickLabel(double value);
// The labels of one axis's major ticks, all in one format so that "8000" never stands beside
// "1.2E+04": plain decimals with as many places as the major step needs while every value stays
// below 1e6 in size and the step is at least 1e-4; otherwise scientific notation with one mantissa
// precision for the axis and two exponent digits ("1.5E-06"). A value within a millionth of a step
// of zero reads "0".
QStringList AxisTickLabels(const std::vector<double>& values, double majorStep);

// Every how many major ticks a label goes, so that neighbouring labels keep `gap` pixels apart:
// the smallest stride of 1, 2, 5, 10, 20, 50, ... whose labelled values are themselves a round
// step (1, 2 or 5 times a power of ten) and between whose labels the gap holds. centres are the
// label centres along the axis in tick order, extents the label sizes along it.
int LabelStride(const std::vector<int>& centres,
                const std::vector<int>& extents,
                double majorStep,
                int gap);

// A label's start along an axis, centred on `centre` but moved to lie within low .. high when it
// would run past either end (and pinned to low when it is longer than the room).
int FitLabelStart(int centre, int extent, int low, int high);

// The labels an axis shows: the major ticks' labels (AxisTickLabels), every LabelStride-th one,
// each centred on its tick but kept within low .. high. pixels are the ticks' places along the
// axis in tick order (ascending values), extentOf measures a text along the axis.
struct TTickLabel {
  double value = 0.0;
  QString text;
  int start = 0;   // first pixel along the axis (the lower end for a label read upward)
  int extent = 0;  // length along the axis
};
std::vector<TTickLabel> AxisLabels(const std::vector<double>& values,
                                   const std::vector<int>& pixels,
                                   double majorStep,
                                   const std::function<int(const QString&)>& extentOf,
                                   int gap,
                                   int low,
                                   int high);

// Read-out value: general format with at most 5 significant digits.
QString ReadoutText(double value);

}  // namespace vorne

#endif  // VORNE_PLOT_PLOT_GEOMETRY_H
