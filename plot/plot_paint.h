// The one paint routine of a graph, shared by the plot window, the printer and a saved image: the
// outputs differ only in the target rectangle, the pixels per inch and the two mode flags.
#ifndef VORNE_PLOT_PLOT_PAINT_H
#define VORNE_PLOT_PLOT_PAINT_H

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>
#include <functional>

#include "plot/graph_plot.h"
#include "plot/plot_geometry.h"

class QPainter;

namespace vorne {

// Curve colours, by a curve's place among the listed curves, modulo 17.
extern const std::array<QColor, 17> kPlotPalette;
inline QColor PaletteColor(int index) { return kPlotPalette[static_cast<std::size_t>(index % 17)]; }

// The face every plot text asks for; fontconfig maps it to a metric-compatible serif.
inline constexpr const char* kPlotFontFamily = "Times New Roman";
// The font of a plot text: pixel height baseFontHeight * scale / 10 (at least 1), weight 400
// normal or 700 bold.
QFont ScaledFont(int baseFontHeight, int weight, int scale);

// The device and the mode of one paint.
struct TPaintSettings {
  int dpiX = 96;
  int dpiY = 96;
  int baseFontHeight = 14;      // H: pixel height of the output's own font
  bool bitmapMode = false;      // drawing a saved image
  bool legendInOutput = false;  // the legend is part of the picture (printing and saving)
  // Where the on-screen legend stands in its window (outer size), for the legend in the output.
  QPoint legendPos;
  QSize windowSize;
  // The legend stands where the program put it (not dragged by the user): in the output it is
  // placed by the same rule, in the corner of the plot area where no curve runs.
  bool legendAuto = true;
};

// The label of one soil layer in its band of the strip: text empty when none fits.
struct TLayerLabel {
  QString text;
  int pixelHeight = 0;
};
// Fits a layer's name into a band of the given size: the full name, then shorter forms ("12
// SAND", "12 S", "12" for a name "LAYER 12 SAND"), each at the strip's font height and then
// smaller down to two thirds of it; the first that leaves two pixels either way. measure gives a
// text's size at a pixel height. A band too thin for any form gets no label, so that its fill
// stays visible.
TLayerLabel FitLayerLabel(const QString& name,
                          int width,
                          int height,
                          int fontHeight,
                          const std::function<QSize(const QString&, int)>& measure);

// Screen: neither flag; printer: legend in the output only; image: both.
TOutputKind OutputKindOf(const TPaintSettings& settings);

// The visible ranges of the three panels (the first is the only one in single-panel mode).
struct TPlotView {
  std::array<TRange, 3> ranges{};
};

// The layout of the target for these settings.
TPlotLayout LayoutFor(const TGraphPlot& graph, const QRect& target, const TPaintSettings& settings);

// The fill of the soil-layer strip for a pattern code: the screen set or the larger paper set of
// pictures for codes 1 (clay: diagonal lines), 7 (sand: staggered dots) and 8 to 12, black
// hatches for 2 to 6, no fill for any other code.
QBrush LayerFill(double code, bool paper);

// Paints the graph into target: white background, captions, grid and tick labels, the listed
// and active curves in their colours with markers, the legend when it belongs to the output,
// the soil-layer strip and the frame. An output smaller than an inch either way stays white.
void PaintGraph(QPainter& painter,
                const QRect& target,
                const TGraphPlot& graph,
                const TPlotView& view,
                const TPaintSettings& settings);

}  // namespace vorne

#endif  // VORNE_PLOT_PLOT_PAINT_H
