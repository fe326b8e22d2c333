// The graph model: one graph of curves of (x, y) points with its captions, unit templates and
// display settings. Windowless; the plot window reads and changes it, and the graph outlives
// every window that shows it.
#ifndef VORNE_PLOT_GRAPH_PLOT_H
#define VORNE_PLOT_GRAPH_PLOT_H

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace vorne {

struct TFloatPoint {
  double X = 0.0;
  double Y = 0.0;
};

class TGraphPlot;

// One curve of a graph.
struct TLine {
  std::vector<TFloatPoint> Points;  // in drawing order
  double Value = 0.0;               // number shown in the default name
  QString Name;                     // explicit name; empty: the default name applies
  bool Active = true;               // drawn
  bool Listed = true;               // has a legend entry and a Plot-menu item
  TGraphPlot* Owner = nullptr;      // not owned
};

// A list of curves as a graph holds them (Lines, LayerLines, Lines2, Lines3).
using TLineList = std::vector<TLine>;

// Unit template tokens named for a unit system: when the template holds "F2", every "F2" becomes
// "tons" (English) or "kN"; otherwise every "F1" becomes "kips" or "kN"; otherwise every "F"
// becomes "lbs" or "kN". Then the same for "L2" (ft | m), else "L1" (in | mm), else "L" (in | m).
// units 3 (or any value other than 1 and 2) returns the template unchanged.
QString ExpandUnits(const QString& unitTemplate, int units);

class TGraphPlot {
 public:
  TGraphPlot() = default;
  // Lines point back at their graph, so a graph stays where it was made.
  TGraphPlot(const TGraphPlot&) = delete;
  TGraphPlot& operator=(const TGraphPlot&) = delete;

  // --- settings, with the values a new graph takes
  QString CurveName = QStringLiteral("Curve #");
  QString Caption;  // plot window caption and export title
  bool ShowLegend = true;
  bool ShowLayers = false;
  bool ShowWall = false;
  bool ShowThree = false;
  bool ShowFontWidth = true;
  int WallLineCount = 0;
  int Markers = 1;      // a marker every n-th point; 0: none
  int SizeFont = 10;    // font scale in tenths
  int LegendFont = 11;  // legend font size
  int WidthLine = 1;    // pen width multiplier
  QString XCaption, YCaption, XUnits, YUnits;
  bool XOnTop = true;  // X axis along the top, Y growing downward (depth plots)
  QString XCaption2, YCaption2, XUnits2, YUnits2;
  QString XCaption3, YCaption3, XUnits3, YUnits3;
  // Optional hook that may rewrite a curve's legend text (line index, caption).
  std::function<void(int, QString&)> onGetCaption;

  // Unit system of the templates: 1 English, 2 SI, 3 templates shown as written. Setting clamps
  // into 1..3.
  int Units() const { return m_units; }
  void SetUnits(int units);

  // --- curves
  TLineList Lines;        // first panel
  TLineList LayerLines;   // one line per soil layer, one point: X fill pattern, Y bottom depth
  TLineList Lines2;       // second panel (three-panel mode)
  TLineList Lines3;       // third panel
  QStringList LineNames;  // optional default names by index of Lines
  QString GraphTitle;
  bool TitleOnTop = false;
  bool LimitCurves = true;  // a new window lists only the first 20 curves

  // n < 0 counts as 0. Removes lines from the end until at most n remain, then appends new lines
  // until n exist. A new line gets Value = (lines then in the list) + 1 and as many (0, 0) points
  // as the first line of the list has at that moment.
  void SetLineCount(int n) { setCount(Lines, n); }
  // n < 0 counts as 0. Every line of Lines gets exactly n points: surplus points are dropped
  // from the end, new (0, 0) points appended.
  void SetPointCount(int n) { setPoints(Lines, n); }
  void SetLayerCount(int n) { setCount(LayerLines, n); }
  void SetLayerPointCount(int n) { setPoints(LayerLines, n); }

  int LineCount() const { return static_cast<int>(Lines.size()); }
  // Points of line i of Lines; 0 when there is no such line.
  int PointCount(int i) const;

  // Legend text of line i of Lines: its Name when set; else LineNames[i] when there is one; else
  // CurveName followed by Value in the shortest general form ("Curve #1").
  QString DisplayName(int i) const;

 private:
  void setCount(TLineList& list, int n);
  static void setPoints(TLineList& list, int n);

  int m_units = 1;
};

// The soil-layer strip of a graph, from the project's soil layer table: one entry per layer row.
struct TLayerStripRow {
  int soilType = 1;          // 1 sand, 2 clay
  double bottomDepth = 0.0;  // [ft | m]
};

// Adds the soil layers to a graph that has at least one curve whose first curve has a point:
// one layer line of one point per row, named "LAYER n" + " SAND " or " CLAY ", with X the fill
// pattern (7 sand, 1 clay) and Y the bottom depth. Other graphs are left as they are.
void AddLayersGraphPlot(TGraphPlot& graph, const std::vector<TLayerStripRow>& layers);

}  // namespace vorne

#endif  // VORNE_PLOT_GRAPH_PLOT_H
