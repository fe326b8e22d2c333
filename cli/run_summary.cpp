// Runner summary as a table or JSON.
#include "cli/run_summary.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include "report/required_depth.h"

namespace vorne {

namespace {

struct UnitNames {
  const char* force;
  const char* depth;
  const char* settlement;
};

UnitNames unitNames(int units) {
  return units == 1 ? UnitNames{"kips", "ft", "in"} : UnitNames{"kN", "m", "m"};
}

QByteArray right(const QString& text, int width) { return text.rightJustified(width).toUtf8(); }
QByteArray fixed(double value, int decimals, int width) {
  return right(QString::number(value, 'f', decimals), width);
}

}  // namespace

RunSummary summarize(const QString& projectArgument,
                     const TProgramData& project,
                     TMainGraphs& graphs,
                     const AnalysisRunResult& result,
                     std::optional<double> requiredCapacity) {
  RunSummary summary;
  summary.requiredCapacity = requiredCapacity;
  summary.project = projectArgument;
  summary.title = project.Title;
  summary.units = graphs.pltSkin.Units() == 2 ? 2 : 1;
  summary.tension = project.LoadingType == 1;
  summary.loadTransferMethod =
      graphs.pltAxial.LineCount() > 0 ? graphs.pltAxial.DisplayName(0) : QString();
  summary.files = result.files;
  summary.grlweapFile = result.grlweapFile;

  // Curves hold the selected methods in file order.
  const std::vector<int> ids = plottedMethods(project.MethodSelected, graphs.pltSkin.LineCount());
  for (int i = 0; i < graphs.pltSkin.LineCount(); ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (graphs.pltSkin.Lines[k].Points.empty()) continue;
    MethodTipRow row;
    row.methodId = k < ids.size() ? ids[k] : 0;
    row.name = graphs.pltSkin.DisplayName(i);
    const TFloatPoint& skin = graphs.pltSkin.Lines[k].Points.back();
    row.depth = skin.Y;
    row.skinFriction = skin.X;
    row.endBearing = graphs.pltTip.Lines[k].Points.back().X;
    row.ultimateCapacity = graphs.pltTotal.Lines[k].Points.back().X;
    if (requiredCapacity) {
      row.requiredDepth = requiredDepth(graphs.pltTotal.Lines[k].Points, *requiredCapacity);
    }
    summary.methods.push_back(row);
  }
  if (graphs.pltAxial.LineCount() > 0) {
    for (const TFloatPoint& point : graphs.pltAxial.Lines[0].Points) {
      summary.loadSettlement.push_back({point.X, point.Y});
    }
  }
  return summary;
}

QByteArray summaryText(const RunSummary& s) {
  const UnitNames u = unitNames(s.units);
  QByteArray out;
  out += s.title.toUtf8() + "\n";
  out += "Project " + s.project.toUtf8() + ", " + (s.units == 1 ? "English" : "SI") + " units, " +
         (s.tension ? "tension" : "compression") + "\n\n";
  out += "Capacity at the pile tip\n";
  const QByteArray bearing = s.tension ? "Self weight" : "End bearing";
  const QByteArray required =
      s.requiredCapacity
          ? "  Depth for " + QByteArray::number(*s.requiredCapacity, 'f', 1) + " " + u.force
          : QByteArray();
  out += "  Method        Tip depth  Skin friction  " + right(bearing, 11) + "  Ultimate capacity" +
         required + "\n";
  out += "                " + right(u.depth, 9) + "  " + right(u.force, 13) + "  " +
         right(u.force, 11) + "  " + right(u.force, 17) +
         (s.requiredCapacity ? right(u.depth, static_cast<int>(required.size())) : QByteArray()) +
         "\n";
  for (const MethodTipRow& row : s.methods) {
    out += "  " + row.name.leftJustified(12).toUtf8() + fixed(row.depth, 2, 11) +
           fixed(row.skinFriction, 1, 15) + fixed(row.endBearing, 1, 13) +
           fixed(row.ultimateCapacity, 1, 19);
    if (s.requiredCapacity) {
      out += row.requiredDepth ? fixed(*row.requiredDepth, 2, static_cast<int>(required.size()))
                               : right(QStringLiteral("not reached"),
                                       static_cast<int>(required.size()));
    }
    out += "\n";
  }
  out += "\nLoad-settlement curve (" + s.loadTransferMethod.toUtf8() + " load transfer)\n";
  out += "  " + right(QStringLiteral("Load %1").arg(QLatin1String(u.force)), 14) + "  " +
         right(QStringLiteral("%1 %2").arg(s.tension ? "Uplift" : "Settlement", u.settlement), 16) +
         "\n";
  for (const LoadSettlementPoint& point : s.loadSettlement) {
    out += "  " + fixed(point.load, 1, 14) + "  " +
           right(QString::number(point.settlement, 'f', s.units == 1 ? 4 : 6), 16) + "\n";
  }
  out += "\nReport " + s.files.reportFile.toUtf8() + "\n";
  out += "Plot data " + s.files.plotFile.toUtf8() + "\n";
  if (!s.grlweapFile.isEmpty()) out += "GRLWEAP input " + s.grlweapFile.toUtf8() + "\n";
  return out;
}

QByteArray summaryJson(const RunSummary& s) {
  const UnitNames u = unitNames(s.units);
  QJsonArray methods;
  for (const MethodTipRow& row : s.methods) {
    QJsonObject method{{"name", row.name},
                       {"method_id", row.methodId},
                       {"tip_depth", row.depth},
                       {"skin_friction", row.skinFriction},
                       {"ultimate_capacity", row.ultimateCapacity}};
    method.insert(s.tension ? "self_weight" : "end_bearing", row.endBearing);
    if (s.requiredCapacity) {
      method.insert("required_depth",
                    row.requiredDepth ? QJsonValue(*row.requiredDepth) : QJsonValue());
    }
    methods.append(method);
  }
  QJsonArray curve;
  for (const LoadSettlementPoint& point : s.loadSettlement) {
    curve.append(QJsonObject{{"load", point.load}, {"settlement", point.settlement}});
  }
  QJsonObject files{{"report", s.files.reportFile}, {"plot_data", s.files.plotFile}};
  if (!s.grlweapFile.isEmpty()) files.insert("grlweap", s.grlweapFile);
  QJsonObject root{
      {"project", s.project},
      {"title", s.title},
      {"units", s.units == 1 ? "English" : "SI"},
      {"unit_names",
       QJsonObject{{"force", u.force}, {"depth", u.depth}, {"settlement", u.settlement}}},
      {"loading", s.tension ? "tension" : "compression"},
      {"methods", methods},
      {"load_transfer_method", s.loadTransferMethod},
      {"load_settlement", curve},
      {"files", files}};
  if (s.requiredCapacity) root.insert("required_capacity", *s.requiredCapacity);
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

}  // namespace vorne
