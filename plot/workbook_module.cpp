// The workbook writer as a loadable module: one C entry that the runner looks up by name.
#include <exception>

#include "plot/xlsx_export.h"

extern "C" __attribute__((visibility("default"))) void vorne_export_graphs_to_workbook(
    const std::vector<const vorne::TGraphPlot*>& graphs,
    const QString& fileName,
    vorne::WorkbookExportResult& result) noexcept {
  try {
    result = vorne::exportGraphsToWorkbook(graphs, fileName);
  } catch (const std::exception& error) {
    result = {};
    result.message = fileName + QStringLiteral(": ") + QString::fromLocal8Bit(error.what());
  } catch (...) {
    result = {};
    result.message = fileName + QStringLiteral(": the workbook could not be written");
  }
}
