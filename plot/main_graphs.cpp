// Result graphs of the main window and the plot data loader.
#include "plot/main_graphs.h"

#include <algorithm>

#include "base/io_error.h"
#include "base/number_text.h"
#include "plot/word_reader.h"

namespace vorne {

namespace {

void describe(TGraphPlot& graph,
              const char* caption,
              const char* xCaption,
              const char* xUnits,
              const char* yCaption,
              const char* yUnits,
              bool xOnTop) {
  graph.Caption = QString::fromLatin1(caption);
  graph.XCaption = QString::fromLatin1(xCaption);
  graph.XUnits = QString::fromLatin1(xUnits);
  graph.YCaption = QString::fromLatin1(yCaption);
  graph.YUnits = QString::fromLatin1(yUnits);
  graph.XOnTop = xOnTop;
}

int readCount(TWordReader& reader, const char* what, int limit) {
  const int count = reader.ReadInteger();
  if (count > limit) {
    throw EInOutError(QStringLiteral("The plot data file gives %1 %2; at most %3 are allowed.")
                          .arg(count)
                          .arg(QLatin1String(what))
                          .arg(limit));
  }
  return count;
}

// A block of t-z curves: the count, then per curve two unused integers, the depth and ten
// points of (t, z). Names each curve after its depth.
void readTzCurves(TWordReader& reader, TGraphPlot& graph, int units) {
  const int count = readCount(reader, "t-z curves", kMaxTzCurves);
  graph.SetLineCount(count);
  graph.SetPointCount(10);
  const QString unit = units == 1 ? QStringLiteral(" ft") : QStringLiteral(" m");
  for (TLine& line : graph.Lines) {
    reader.ReadInteger();
    reader.ReadInteger();
    line.Name = formatGeneralQ(reader.ReadFloat(), 15) + unit;
    for (TFloatPoint& point : line.Points) {
      point.Y = reader.ReadFloat();
      point.X = reader.ReadFloat();
    }
  }
}

void load(TMainGraphs& g, TPlotProject& project, TWordReader& reader) {
  const bool tension = project.LoadingType == 1;

  // Header: curve count, points per curve, unit system, load-transfer method.
  const int methodCount = readCount(reader, "method curves", kMaxPlotCurves);
  for (TGraphPlot* graph : {&g.pltSkin, &g.pltUSkin, &g.pltTip, &g.pltTotal}) {
    graph->SetLineCount(methodCount);
  }
  g.pltAxial.SetLineCount(1);
  g.PltQw.SetLineCount(1);
  g.pltLoad.SetLineCount(9);
  g.pltCombine.SetLineCount(3);
  g.pltAxial.XOnTop = !tension;
  g.PltQw.XOnTop = !tension;

  const int rowCount = readCount(reader, "rows per curve", kMaxPlotRows);
  g.pltSkin.SetPointCount(rowCount);
  const int resultCount = g.pltSkin.PointCount(0);
  project.Results.ResultDepth.assign(static_cast<std::size_t>(resultCount), 0.0);
  project.Results.ResultSkin.assign(static_cast<std::size_t>(resultCount), 0.0);
  project.Results.ResultTip.assign(static_cast<std::size_t>(resultCount), 0.0);
  for (TGraphPlot* graph : {&g.pltUSkin, &g.pltTip, &g.pltTotal, &g.pltCombine}) {
    graph->SetPointCount(resultCount);
  }
  // The load distribution has a row per printed node whether or not any method curve was
  // written, so it takes the file's row count: with no method curves a point count of 0 would
  // read its rows as the load-settlement records.
  g.pltLoad.SetPointCount(rowCount);
  g.pltAxial.SetPointCount(10);
  g.PltQw.SetPointCount(10);

  const int units = reader.ReadInteger();
  for (TGraphPlot* graph : {&g.pltSkin, &g.pltUSkin, &g.pltTip, &g.pltTotal, &g.pltAxial, &g.PltQw,
                            &g.pltLoad, &g.pltCombine, &g.pltTZcurves}) {
    graph->SetUnits(units);
  }
  const bool english = units == 1;
  g.PltQw.YCaption = english ? QStringLiteral("Settlement, in.") : QStringLiteral("Settlement, m");
  // The caption names the unit of the values (in or m); a unit template would repeat it.
  g.PltQw.YUnits.clear();
  if (tension) {
    g.pltAxial.YCaption = english ? QStringLiteral("Uplift, in.") : QStringLiteral("Uplift, m");
  } else {
    g.pltAxial.YCaption = g.PltQw.YCaption;
  }

  // Curves are named after the selected methods in file order; s is the curve of the
  // load-transfer method, or the method's own number when it is not selected.
  const int transferMethod = reader.ReadInteger();
  int transferCurve = transferMethod;
  for (TGraphPlot* graph : {&g.pltSkin, &g.pltUSkin, &g.pltTip, &g.pltTotal}) {
    for (TLine& line : graph->Lines) line.Name.clear();
  }
  const std::vector<int> curves = plottedMethods(project.MethodSelected, methodCount);
  for (std::size_t i = 0; i < curves.size(); ++i) {
    if (static_cast<int>(i) < methodCount) g.pltSkin.Lines[i].Name = plotMethodName(curves[i]);
    if (curves[i] == transferMethod) transferCurve = static_cast<int>(i);
  }
  const int named = static_cast<int>(curves.size());
  g.pltAxial.Lines[0].Name = plotMethodName(transferMethod);
  g.PltQw.Lines[0].Name = g.pltAxial.Lines[0].Name;
  for (int i = 0; i < std::min(named, methodCount); ++i) {
    const QString name = g.pltSkin.DisplayName(i);
    for (TGraphPlot* graph : {&g.pltUSkin, &g.pltTip, &g.pltTotal}) {
      graph->Lines[static_cast<std::size_t>(i)].Name = name;
    }
  }
  g.pltCombine.Lines[0].Name = QStringLiteral("Skin Friction");
  g.pltCombine.Lines[1].Name =
      tension ? QStringLiteral("Self Weight") : QStringLiteral("Tip Resistance");
  g.pltCombine.Lines[2].Name = QStringLiteral("Total Capacity");

  if (project.NoncircularPerimeter < 1e-6) {
    project.NoncircularPerimeter =
        english ? project.OutsideDiameter * 3.1416 : project.OutsideDiameter * 3.1416 / 1000.0;
  }

  // Capacity rows: depth, accumulated skin friction, tip resistance, total, unit skin friction.
  for (int i = 0; i < methodCount; ++i) {
    const auto line = static_cast<std::size_t>(i);
    for (int j = 0; j < resultCount; ++j) {
      const auto k = static_cast<std::size_t>(j);
      const double depth = reader.ReadFloat();
      const double skin = reader.ReadFloat();
      const double tip = reader.ReadFloat();
      const double total = reader.ReadFloat();
      const double unitSkin = reader.ReadFloat();
      g.pltSkin.Lines[line].Points[k] = {skin, depth};
      g.pltTip.Lines[line].Points[k] = {tip, depth};
      g.pltTotal.Lines[line].Points[k] = {total, depth};
      g.pltUSkin.Lines[line].Points[k] = {unitSkin, depth};
      if (i == transferCurve) {
        project.Results.ResultDepth[k] = depth;
        project.Results.ResultSkin[k] = unitSkin;
        project.Results.ResultTip[k] = tip;
      }
    }
  }

  // The combined plot shows the load-transfer method's curves; none when that curve is absent.
  if (transferCurve >= 0 && transferCurve < methodCount) {
    const auto s = static_cast<std::size_t>(transferCurve);
    g.pltCombine.Lines[0].Points = g.pltSkin.Lines[s].Points;
    g.pltCombine.Lines[1].Points = g.pltTip.Lines[s].Points;
    g.pltCombine.Lines[2].Points = g.pltTotal.Lines[s].Points;
  }

  readTzCurves(reader, g.pltTZcurves, units);

  // Load distribution: nine load levels of depth, load and an unused movement. Each curve is
  // named after its load at the pile head (its shallowest point).
  const QString forceUnit = english ? QStringLiteral(" kips") : QStringLiteral(" kN");
  for (TLine& line : g.pltLoad.Lines) {
    for (TFloatPoint& point : line.Points) {
      point.Y = reader.ReadFloat();
      point.X = reader.ReadFloat();
      reader.ReadFloat();
    }
    line.Name.clear();
    if (!line.Points.empty()) {
      const auto head =
          std::min_element(line.Points.begin(), line.Points.end(),
                           [](const TFloatPoint& a, const TFloatPoint& b) { return a.Y < b.Y; });
      line.Name = QStringLiteral("Head Load ") + formatGeneralQ(head->X, 4) + forceUnit;
    }
  }

  // Load-settlement and tip load-movement, points 1..9 after the origin.
  g.pltAxial.Lines[0].Points[0] = {};
  g.PltQw.Lines[0].Points[0] = {};
  for (std::size_t j = 1; j <= 9; ++j) {
    TFloatPoint& axial = g.pltAxial.Lines[0].Points[j];
    axial.X = reader.ReadFloat();
    axial.Y = reader.ReadFloat();
    TFloatPoint& tip = g.PltQw.Lines[0].Points[j];
    tip.X = reader.ReadFloat();
    tip.Y = reader.ReadFloat();
  }

  // The engine writes no extra block when the depth list is empty: the end of the words here
  // is an empty block.
  if (project.ExtraTzDepths == 1) {
    if (reader.HasMoreWords()) {
      readTzCurves(reader, g.PltExtraTZ, units);
    } else {
      g.PltExtraTZ.SetLineCount(0);
    }
  }
}

void addLayersAndUnits(TMainGraphs& g, const TPlotProject& project, int units) {
  for (TGraphPlot* graph :
       {&g.pltUSkin, &g.pltSkin, &g.pltTip, &g.pltTotal, &g.pltLoad, &g.pltCombine}) {
    AddLayersGraphPlot(*graph, project.Layers);
  }
  for (TGraphPlot* graph : g.all()) graph->SetUnits(units);
}

bool loadFrom(TMainGraphs& graphs, TPlotProject& project, TWordReader& reader, QString* reason) {
  try {
    load(graphs, project, reader);
  } catch (const EInOutError& error) {
    if (reason) *reason = error.message();
    return false;
  }
  addLayersAndUnits(graphs, project, graphs.pltSkin.Units());
  return true;
}

}  // namespace

TMainGraphs::TMainGraphs() {
  describe(pltUSkin, "Unit Skin Friction vs Depth", "Unit Skin Friction", "F1/L2^2", "Depth", "L2",
           true);
  describe(pltSkin, "Accumulated Skin Friction vs Depth", "Accumulated Skin Friction ", "F1",
           "Depth ", "L2", true);
  describe(pltTip, "Tip Resistance vs Depth", "Tip Resistance ", "F1", "Depth ", "L2", true);
  describe(pltTotal, "Total Capacity vs Depth", "Total Capacity ", "F1", "Depth ", "L2", true);
  describe(pltLoad, "Load Distribution", "Axial Load ", "F1", "Depth ", "L2", true);
  describe(pltCombine, "Combine Plot", "Axial Capacity", "F1", "Depth", "L2", true);
  describe(pltAxial, "Axial Load vs Settlement", "Axial Load ", "F1", "", "", true);
  describe(pltTZcurves, "Internally-Generated t-z Curves", "Displacement, z", "L",
           "Unit Load Transfer, t", "F/L^2", false);
  describe(PltExtraTZ, "Extra t-z curves at User Specified Depths", "Displacement, z", "L",
           "Unit Load Transfer, t", "F/L^2", false);
  describe(PltQw, "Internally-Generated Q-w Curve", "Tip Resistance, Q", "F1", "Tip Movement,w",
           "L1", true);
  MotionInput.Caption = QStringLiteral("CPT Data");
}

std::array<TGraphPlot*, 11> TMainGraphs::all() {
  return {&pltUSkin, &pltSkin,     &pltTip,     &pltTotal, &pltLoad,    &pltCombine,
          &pltAxial, &pltTZcurves, &PltExtraTZ, &PltQw,    &MotionInput};
}

QString plotMethodName(int methodId) {
  switch (methodId) {
    case 1:
      return QStringLiteral("FHWA");
    case 2:
      return QStringLiteral("USACE");
    case 3:
      return QStringLiteral("Lambda");
    case 4:
      return QStringLiteral("API");
    case 5:
      return QStringLiteral("User Spec.");
    case 6:
      return QStringLiteral("NGI");
    case 7:
      return QStringLiteral("MTD");
    case 8:
      return QStringLiteral("FUGRO");
    case 9:
      return QStringLiteral("UWA");
    default:
      return {};
  }
}

std::vector<int> plottedMethods(const std::array<int, 10>& methodSelected, int methodCount) {
  std::vector<int> methods;
  for (int method : kPlotMethodOrder) {
    if (methodSelected[static_cast<std::size_t>(method)] == 1) methods.push_back(method);
  }
  // A selected user-specified method whose unit values are all zero never runs and writes no
  // block; naming it anyway would shift every later name onto the wrong curve.
  if (methodSelected[5] == 1 && methodCount == static_cast<int>(methods.size()) - 1) {
    methods.erase(methods.begin());
  }
  return methods;
}

bool LoadPlotData(TMainGraphs& graphs,
                  TPlotProject& project,
                  const QString& fileName,
                  QString* reason) {
  try {
    TWordReader reader(fileName);
    return loadFrom(graphs, project, reader, reason);
  } catch (const EInOutError& error) {
    if (reason) *reason = error.message();
    return false;
  }
}

bool LoadPlotDataFromText(TMainGraphs& graphs,
                          TPlotProject& project,
                          std::string text,
                          QString* reason) {
  TWordReader reader = TWordReader::fromText(std::move(text));
  return loadFrom(graphs, project, reader, reason);
}

}  // namespace vorne
