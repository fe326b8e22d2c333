// Workbook export: the graph list, the choice of graphs and the texts of the export. The workbook
// itself is written in xlsx_workbook.cpp, the one part that needs libxlsxwriter.
#include "plot/xlsx_export.h"

namespace vorne {

QString GetExcelCol(int column) {
  if (column < 1 || column > 702) return {};
  const auto letter = [](int number) {
    return QChar(QLatin1Char(static_cast<char>('A' + number - 1)));
  };
  if (column <= 26) return QString(letter(column));
  return QString(letter((column - 1) / 26)) + letter((column - 1) % 26 + 1);
}

std::array<TGraphPlot*, kExportPlotCount> exportPlotList(TMainGraphs& g) {
  return {&g.pltUSkin,   &g.pltSkin,  &g.pltTip,      &g.pltTotal,   &g.pltLoad,
          &g.pltCombine, &g.pltAxial, &g.pltTZcurves, &g.PltExtraTZ, &g.PltQw};
}

std::vector<const TGraphPlot*> chosenExportPlots(TMainGraphs& graphs,
                                                 const ExportPlotFlags& chosen) {
  std::vector<const TGraphPlot*> plots;
  const auto list = exportPlotList(graphs);
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (chosen[i]) plots.push_back(list[i]);
  }
  return plots;
}

QString exportStageText(ExportStage stage) {
  switch (stage) {
    case ExportStage::Data:
      return QStringLiteral("In Progress, Data");
    case ExportStage::Chart:
      return QStringLiteral("In Progress, Chart");
    case ExportStage::Complete:
      return QStringLiteral("Complete");
    case ExportStage::NotReached:
      break;
  }
  return {};
}

QString exportAxisTitle(const QString& caption, const QString& unitTemplate, int units) {
  if (unitTemplate.isEmpty()) return caption;
  return caption + QStringLiteral(" (") + ExpandUnits(unitTemplate, units) + QStringLiteral(")");
}

}  // namespace vorne
