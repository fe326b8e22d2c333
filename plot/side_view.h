// The elevation view of a project: the pile as a to-scale outline in its soil, with the ground
// line and the layer boundaries. The geometry (outline, range, the rule that keeps one unit the
// same length across and down, the mapping to pixels, the texts) and one paint routine each for
// the screen and for a printed page. Qt Gui only; the window draws with it.
#ifndef VORNE_PLOT_SIDE_VIEW_H
#define VORNE_PLOT_SIDE_VIEW_H

#include <QColor>
#include <QRect>
#include <QString>
#include <array>
#include <vector>

#include "plot/graph_plot.h"

class QPainter;

namespace vorne {

// What the view reads of the project.
struct SideViewPile {
  int units = 1;                      // 1 English, 2 SI
  double outsideDiameter = 0.0;       // [in | mm]
  double noncircularPerimeter = 0.0;  // [in | mm]; the width is a quarter of it when OD is 0
  double taperAngle = 0.0;            // [deg], narrowing toward the tip on each side
  double pileLength = 0.0;            // [ft | m]
  double stickupLength = 0.0;         // [ft | m] above the ground surface
};

struct SideViewLayer {
  int soilType = 1;          // 1 sand, 2 clay
  double bottomDepth = 0.0;  // [ft | m]
};

// One quadrilateral of the outline: corners top-left, top-right, bottom-right, bottom-left; x
// across the pile from its axis, y down from the ground surface (negative above it), in the depth
// unit of the project (ft | m).
using SideViewQuad = std::array<TFloatPoint, 4>;

struct SideViewRange {
  double XMin = 0.0, XMax = 0.0, YMin = 0.0, YMax = 0.0;
  bool hasSpans() const { return XMax != XMin && YMax != YMin; }
};

struct SideViewOutline {
  std::vector<SideViewQuad> quads;
  SideViewRange range;  // the computed range, before the aspect-ratio rule
};

// The outline of the pile and the range it needs. Width W = OD, or perimeter / 4 when OD is below
// 0.0001, converted to ft | m; the pile runs from -stick-up to length - stick-up and narrows by
// L tan(taper) on each side. A taper that would take the tip past the axis ends the pile in a
// point at the tip instead of crossing its sides. The range covers the outline, the ground
// surface and the last layer's bottom, each bound times 1.05. An empty soil table gives no
// outline and an empty range.
SideViewOutline buildSideViewOutline(const SideViewPile& pile,
                                     const std::vector<SideViewLayer>& layers);

struct SideViewLayout {
  SideViewRange shown;  // the displayed range
  bool broken = false;  // a floating-point failure: nothing is drawn, no read-out
};

// The displayed range for a client area: r = (width / height) / (x span / y span) (1 when a span
// is zero); r >= 1 widens the horizontal bounds by r, otherwise the vertical bounds are divided
// by r, so that one unit is as long across as down. A client area without height or width, or
// any result that is no finite number, gives broken.
SideViewLayout layoutSideView(const SideViewRange& computed, int clientWidth, int clientHeight);

// Pixel of a point in a client area of width w and height h, and the depth under a pixel row.
double sideViewPixelX(const SideViewRange& shown, double x, int width);
double sideViewPixelY(const SideViewRange& shown, double y, int height);
double sideViewDepthAt(const SideViewRange& shown, double pixelY, int height);

// The caption while the mouse moves: "  Depth: " and the depth with one decimal.
QString sideViewReadout(double depth);

// The label of layer i: "depth= " top " - " bottom "; Sand" (or "; Clay"), depths in the shortest
// general form; the top of the first layer is 0.
QString sideViewLayerLabel(const std::vector<SideViewLayer>& layers, int i);

struct SideViewColours {
  QColor background;  // the window's background
  QColor text;        // lines, labels and the pile
};

// The screen picture in the client rectangle: background, ground line with 20 hatch strokes,
// layer lines and labels, the pile filled. Draws nothing but the background when broken.
void paintSideView(QPainter& painter,
                   const QRect& client,
                   const SideViewOutline& outline,
                   const SideViewLayout& layout,
                   const std::vector<SideViewLayer>& layers,
                   const SideViewColours& colours);

// The printed page: the area from 10 % to 90 % of the page framed and filled, depths scaled to
// 80 % of the page height below a 10 % margin, the ground line from 10 % to 90 % of the width with
// 10 hatch strokes, labels at 15 % of the width, outlines in pens of 6 and 12 device pixels,
// captions in Arial 11 pt. The pile keeps its true proportions on the page.
void paintSideViewPage(QPainter& painter,
                       const QRect& page,
                       const SideViewOutline& outline,
                       const std::vector<SideViewLayer>& layers);

}  // namespace vorne

#endif  // VORNE_PLOT_SIDE_VIEW_H
