// Elevation view geometry and painting.
#include "plot/side_view.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <functional>

#include "base/number_text.h"

namespace vorne {

namespace {

bool finite(const SideViewRange& r) {
  return std::isfinite(r.XMin) && std::isfinite(r.XMax) && std::isfinite(r.YMin) &&
         std::isfinite(r.YMax);
}

QString soilName(int soilType) {
  switch (soilType) {
    case 1:
      return QStringLiteral("; Sand");
    case 2:
      return QStringLiteral("; Clay");
    case 3:
      return QStringLiteral("; Shale");
    case 4:
      return QStringLiteral("; Strong Rock");
    case 5:
      return QStringLiteral("; Gravel");
    case 6:
      return QStringLiteral("; Weak Rock");
    default:
      return {};
  }
}

double topDepth(const std::vector<SideViewLayer>& layers, std::size_t i) {
  return i == 0 ? 0.0 : layers[i - 1].bottomDepth;
}

QPolygonF polygon(const SideViewQuad& quad, const std::function<QPointF(TFloatPoint)>& map) {
  QPolygonF shape;
  for (const TFloatPoint& corner : quad) shape << map(corner);
  return shape;
}

}  // namespace

SideViewOutline buildSideViewOutline(const SideViewPile& pile,
                                     const std::vector<SideViewLayer>& layers) {
  SideViewOutline outline;
  if (layers.empty()) return outline;

  double width = pile.outsideDiameter;
  if (width < 0.0001) width = pile.noncircularPerimeter / 4.0;
  width /= pile.units == 1 ? 12.0 : 1000.0;  // in | mm to ft | m
  const double theta = 3.1416 * pile.taperAngle / 180.0;
  const double s = std::tan(theta);
  const double length = pile.pileLength;
  const double h = pile.stickupLength;

  // The tip never passes the axis: a pile that would be narrower than nothing ends in a point.
  const double tipHalf = std::max(width / 2.0 - length * s, 0.0);
  const SideViewQuad quad{TFloatPoint{-width / 2.0, -h}, TFloatPoint{width / 2.0, -h},
                          TFloatPoint{tipHalf, length - h}, TFloatPoint{-tipHalf, length - h}};
  outline.quads.push_back(quad);

  SideViewRange& r = outline.range;
  for (const SideViewQuad& q : outline.quads) {
    r.XMin = std::min({r.XMin, q[0].X, q[3].X});
    r.XMax = std::max({r.XMax, q[1].X, q[2].X});
    r.YMin = std::min({r.YMin, q[0].Y, q[1].Y});
    r.YMax = std::max({r.YMax, q[2].Y, q[3].Y});
  }
  r.YMax = std::max(r.YMax, layers.back().bottomDepth);
  r.XMin *= 1.05;
  r.XMax *= 1.05;
  r.YMin *= 1.05;
  r.YMax *= 1.05;
  return outline;
}

SideViewLayout layoutSideView(const SideViewRange& computed, int clientWidth, int clientHeight) {
  SideViewLayout layout;
  layout.shown = computed;
  if (clientWidth <= 0 || clientHeight <= 0 || !finite(computed)) {
    layout.broken = true;
    return layout;
  }
  double r = 1.0;
  if (computed.hasSpans()) {
    r = (static_cast<double>(clientWidth) / clientHeight) /
        ((computed.XMax - computed.XMin) / (computed.YMax - computed.YMin));
  }
  SideViewRange& shown = layout.shown;
  if (r >= 1.0) {
    shown.XMin *= r;
    shown.XMax *= r;
  } else {
    shown.YMin /= r;
    shown.YMax /= r;
  }
  layout.broken = !std::isfinite(r) || !finite(shown);
  return layout;
}

double sideViewPixelX(const SideViewRange& shown, double x, int width) {
  return (x - shown.XMin) / (shown.XMax - shown.XMin) * width;
}

double sideViewPixelY(const SideViewRange& shown, double y, int height) {
  return (y - shown.YMin) / (shown.YMax - shown.YMin) * height;
}

double sideViewDepthAt(const SideViewRange& shown, double pixelY, int height) {
  return shown.YMin + pixelY / height * (shown.YMax - shown.YMin);
}

QString sideViewReadout(double depth) {
  return QStringLiteral("  Depth: ") + QString::number(depth, 'f', 1);
}

QString sideViewLayerLabel(const std::vector<SideViewLayer>& layers, int i) {
  const auto k = static_cast<std::size_t>(i);
  return QStringLiteral("depth= ") + formatGeneralQ(topDepth(layers, k), 15) +
         QStringLiteral(" - ") + formatGeneralQ(layers[k].bottomDepth, 15) +
         soilName(layers[k].soilType);
}

void paintSideView(QPainter& painter,
                   const QRect& client,
                   const SideViewOutline& outline,
                   const SideViewLayout& layout,
                   const std::vector<SideViewLayer>& layers,
                   const SideViewColours& colours) {
  painter.save();
  painter.fillRect(client, colours.background);
  if (layout.broken) {
    painter.restore();
    return;
  }
  const SideViewRange& shown = layout.shown;
  const int w = client.width();
  const int h = client.height();
  const auto rowOf = [&](double depth) { return client.top() + sideViewPixelY(shown, depth, h); };
  painter.setPen(QPen(colours.text, 1));
  const double textHeight = QFontMetricsF(painter.font()).height();

  if (shown.YMax != shown.YMin) {
    for (std::size_t i = 0; i < layers.size(); ++i) {
      if (i == 0) {
        const double ground = rowOf(0.0);
        painter.drawLine(QPointF(client.left(), ground), QPointF(client.right(), ground));
        for (int j = 1; j <= 20; ++j) {
          painter.drawLine(QPointF(client.left() + 20 * j + 100, ground),
                           QPointF(client.left() + 20 * j + 115, ground + 5));
        }
      }
      const double bottom = rowOf(layers[i].bottomDepth);
      painter.drawLine(QPointF(client.left(), bottom), QPointF(client.right(), bottom));
      painter.drawText(QPointF(client.left(), rowOf(topDepth(layers, i)) + textHeight),
                       sideViewLayerLabel(layers, static_cast<int>(i)));
    }
  }
  if (shown.hasSpans()) {
    painter.setBrush(colours.text);
    const auto map = [&](TFloatPoint p) {
      return QPointF(client.left() + sideViewPixelX(shown, p.X, w), rowOf(p.Y));
    };
    for (const SideViewQuad& quad : outline.quads) painter.drawPolygon(polygon(quad, map));
  }
  painter.restore();
}

void paintSideViewPage(QPainter& painter,
                       const QRect& page,
                       const SideViewOutline& outline,
                       const std::vector<SideViewLayer>& layers) {
  painter.save();
  const double W = page.width();
  const double H = page.height();
  const double left = page.left() + 0.1 * W;
  const double right = page.left() + 0.9 * W;
  const double top = page.top() + 0.1 * H;
  // Stroke lengths and pen widths are given for a 600 dpi page.
  const double dot = painter.device() ? painter.device()->logicalDpiX() / 600.0 : 1.0;

  painter.setPen(QPen(Qt::black, 12 * dot));
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(QPointF(left, top), QPointF(right, page.top() + 0.9 * H)));

  const SideViewRange& r = outline.range;
  if (r.YMax == r.YMin || !finite(r)) {
    painter.restore();
    return;
  }
  const double scale = 0.8 * H / (r.YMax - r.YMin);  // page units per ft | m, both ways
  const auto rowOf = [&](double depth) { return top + (depth - r.YMin) * scale; };
  const double axis = page.left() + 0.5 * W;

  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(11.0);
  painter.setFont(font);
  const double textHeight = QFontMetricsF(font, painter.device()).height();
  for (std::size_t i = 0; i < layers.size(); ++i) {
    painter.setPen(QPen(Qt::black, 6 * dot));
    if (i == 0) {
      const double ground = rowOf(0.0);
      painter.drawLine(QPointF(left, ground), QPointF(right, ground));
      for (int j = 0; j < 10; ++j) {
        const double x = page.left() + 0.35 * W + 50 * dot * j;
        painter.drawLine(QPointF(x, ground), QPointF(x + 35 * dot, ground + 70 * dot));
      }
    }
    const double bottom = rowOf(layers[i].bottomDepth);
    painter.drawLine(QPointF(left, bottom), QPointF(right, bottom));
    painter.drawText(QPointF(page.left() + 0.15 * W, rowOf(topDepth(layers, i)) + textHeight),
                     sideViewLayerLabel(layers, static_cast<int>(i)));
  }
  painter.setPen(QPen(Qt::black, 12 * dot));
  painter.setBrush(Qt::black);
  const auto map = [&](TFloatPoint p) { return QPointF(axis + p.X * scale, rowOf(p.Y)); };
  for (const SideViewQuad& quad : outline.quads) painter.drawPolygon(polygon(quad, map));
  painter.restore();
}

}  // namespace vorne
