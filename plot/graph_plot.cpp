// Graph model: line and point counts, unit templates, default curve names, the layer strip.
#include "plot/graph_plot.h"

#include <algorithm>

#include "base/number_text.h"

namespace vorne {

namespace {

// Replaces the first token kind present, longest first: the digit tokens before the bare letter.
void replaceFirstKind(
    QString& text, QChar letter, const char* name2, const char* name1, const char* name0) {
  const QString token2 = QString(letter) + QLatin1Char('2');
  const QString token1 = QString(letter) + QLatin1Char('1');
  if (text.contains(token2)) {
    text.replace(token2, QLatin1String(name2));
  } else if (text.contains(token1)) {
    text.replace(token1, QLatin1String(name1));
  } else {
    text.replace(letter, QLatin1String(name0));
  }
}

}  // namespace

QString ExpandUnits(const QString& unitTemplate, int units) {
  if (units != 1 && units != 2) return unitTemplate;
  const bool english = units == 1;
  QString text = unitTemplate;
  replaceFirstKind(text, QLatin1Char('F'), english ? "tons" : "kN", english ? "kips" : "kN",
                   english ? "lbs" : "kN");
  replaceFirstKind(text, QLatin1Char('L'), english ? "ft" : "m", english ? "in" : "mm",
                   english ? "in" : "m");
  return text;
}

void TGraphPlot::SetUnits(int units) { m_units = std::clamp(units, 1, 3); }

int TGraphPlot::PointCount(int i) const {
  if (i < 0 || i >= LineCount()) return 0;
  return static_cast<int>(Lines[static_cast<std::size_t>(i)].Points.size());
}

QString TGraphPlot::DisplayName(int i) const {
  if (i < 0 || i >= LineCount()) return {};
  const TLine& line = Lines[static_cast<std::size_t>(i)];
  if (!line.Name.isEmpty()) return line.Name;
  if (i < LineNames.size()) return LineNames[i];
  return CurveName + formatGeneralQ(line.Value, 15);
}

void TGraphPlot::setCount(TLineList& list, int n) {
  const auto count = static_cast<std::size_t>(std::max(n, 0));
  if (list.size() > count) list.resize(count);
  while (list.size() < count) {
    TLine line;
    line.Value = static_cast<double>(list.size() + 1);
    line.Owner = this;
    if (!list.empty()) line.Points.resize(list.front().Points.size());
    list.push_back(std::move(line));
  }
}

void TGraphPlot::setPoints(TLineList& list, int n) {
  const auto count = static_cast<std::size_t>(std::max(n, 0));
  for (TLine& line : list) line.Points.resize(count);
}

void AddLayersGraphPlot(TGraphPlot& graph, const std::vector<TLayerStripRow>& layers) {
  if (graph.LineCount() == 0 || graph.PointCount(0) == 0) return;
  graph.SetLayerCount(static_cast<int>(layers.size()));
  graph.SetLayerPointCount(1);
  for (std::size_t i = 0; i < layers.size(); ++i) {
    TLine& line = graph.LayerLines[i];
    line.Name = QStringLiteral("LAYER %1").arg(i + 1);
    TFloatPoint& point = line.Points[0];
    point = TFloatPoint{};
    if (layers[i].soilType == 1) {
      line.Name += QStringLiteral(" SAND ");
      point.X = 7.0;
    } else if (layers[i].soilType == 2) {
      line.Name += QStringLiteral(" CLAY ");
      point.X = 1.0;
    }
    point.Y = layers[i].bottomDepth;
  }
}

}  // namespace vorne
