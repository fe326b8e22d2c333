// Export of result graphs to a spreadsheet workbook (".xlsx"): a Legend sheet that lists the
// graphs, and per graph a data sheet "Page_n" with its curves as numbers and a chart sheet
// "Plot_n" with a scatter chart of them. Windowless; the export dialog and the runner share it.
// No spreadsheet application is needed: the file is written by libxlsxwriter.
#ifndef VORNE_PLOT_XLSX_EXPORT_H
#define VORNE_PLOT_XLSX_EXPORT_H

#include <QString>
#include <array>
#include <vector>

#include "plot/graph_plot.h"
#include "plot/main_graphs.h"

namespace vorne {

// Letters of a 1-based spreadsheet column: 1..26 "A".."Z", 27..702 "AA".."ZZ"; empty outside
// 1..702. The charts never reach further (see kMaxChartSeries).
QString GetExcelCol(int column);

// The graphs that can be exported, in list order; list position + 1 is the plot number. Entry i
// may be exported while the Graphics menu item of graph i is enabled.
inline constexpr int kExportPlotCount = 10;
using ExportPlotFlags = std::array<bool, kExportPlotCount>;
std::array<TGraphPlot*, kExportPlotCount> exportPlotList(TMainGraphs& graphs);
// The graphs of the list whose flag is set, in list order.
std::vector<const TGraphPlot*> chosenExportPlots(TMainGraphs& graphs,
                                                 const ExportPlotFlags& chosen);

// How far the export of one graph got; the Legend sheet's Status column shows it.
enum class ExportStage {
  NotReached,  // the export stopped before this graph
  Data,        // "In Progress, Data"
  Chart,       // "In Progress, Chart"
  Complete,    // "Complete"
};
QString exportStageText(ExportStage stage);

// A spreadsheet chart holds at most 255 series; a graph with more curves has all of them on its
// data sheet and the first 255 in its chart.
inline constexpr int kMaxChartSeries = 255;

struct WorkbookExportResult {
  bool ok = false;
  bool written = false;             // the file holds the workbook (complete or stopped)
  QString message;                  // why the export failed or stopped; empty when ok
  std::vector<ExportStage> stages;  // per exported graph, in order
};

// Axis title of the export: caption + " (" + ExpandUnits(units, graph.Units()) + ")", or the
// caption alone when the unit template is empty.
QString exportAxisTitle(const QString& caption, const QString& unitTemplate, int units);

// Writes the graphs, numbered 1.. in the order given, into a new workbook at fileName (replacing
// a file there). Legend sheet: row 2 the headers "N", "Plot Name", "Sheet Name", "Chart Name",
// "Status" (padded, bold, centred vertically); row n + 2 the number, Caption, "Page_n" (a link to
// the data sheet), "Plot_n" and the status. Data sheet "Page_n": A1 Caption, A2 "X" B2 the X
// title, A3 "Y" B3 the Y title, G1 a link "Go to Legend Page"; curve t in columns 2t - 1 and 2t:
// row 4 its DisplayName, row 5 "X" and "Y", from row 6 the points as numbers, as many rows as the
// first curve has points (missing and non-finite values stay empty). Chart sheet "Plot_n":
// scatter with straight lines and no markers, one series per curve named by its DisplayName, no
// title, both axes titled and gridded, the value axis reversed for a graph with XOnTop, the
// legend framed in black on white. Sheets run Legend, Page_1, Plot_1, Page_2, ...; the Legend
// sheet is the active one.
// A failure inside the workbook (a sheet limit) stops the export at that graph: the file holds
// what was made, with the Status column showing how far each graph got, and ok is false. A file
// that cannot be written leaves any earlier file at fileName as it was. Never throws.
WorkbookExportResult exportGraphsToWorkbook(const std::vector<const TGraphPlot*>& graphs,
                                            const QString& fileName);

}  // namespace vorne

#endif  // VORNE_PLOT_XLSX_EXPORT_H
