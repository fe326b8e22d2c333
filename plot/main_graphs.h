// The result graphs of the main window as data, and the loader that fills them from a plot data
// file (".vr6p") written by the engine.
#ifndef VORNE_PLOT_MAIN_GRAPHS_H
#define VORNE_PLOT_MAIN_GRAPHS_H

#include <QString>
#include <array>
#include <vector>

#include "plot/graph_plot.h"

namespace vorne {

// The ten result graphs and the CPT graph, with their captions, axes and unit templates.
struct TMainGraphs {
  TMainGraphs();
  TMainGraphs(const TMainGraphs&) = delete;
  TMainGraphs& operator=(const TMainGraphs&) = delete;

  TGraphPlot pltUSkin;
  TGraphPlot pltSkin;
  TGraphPlot pltTip;
  TGraphPlot pltTotal;
  TGraphPlot pltLoad;
  TGraphPlot pltCombine;
  TGraphPlot pltAxial;
  TGraphPlot pltTZcurves;
  TGraphPlot PltExtraTZ;
  TGraphPlot PltQw;
  TGraphPlot MotionInput;  // the CPT profile of the cone data import

  // Every graph above, in the order listed.
  std::array<TGraphPlot*, 11> all();
};

// Per-depth results of one capacity curve, kept for the GRLWEAP input file.
struct TGrlweapCache {
  std::vector<double> ResultDepth;  // [ft | m]
  std::vector<double> ResultSkin;   // unit skin friction [ksf | kPa]
  std::vector<double> ResultTip;    // tip resistance [kips | kN]
  int ResultCount() const { return static_cast<int>(ResultDepth.size()); }
};

// What the loader reads from the project, and what it writes back into it.
struct TPlotProject {
  int LoadingType = 0;                   // 0 compression, 1 tension
  std::array<int, 10> MethodSelected{};  // by MethodId 1..9; [0] unused
  int ExtraTzDepths = 0;                 // 1: the file may carry an extra t-z block
  double OutsideDiameter = 0.0;          // [in | mm]
  double NoncircularPerimeter = 0.0;     // [in | mm]; set from the diameter when below 1e-6
  std::vector<TLayerStripRow> Layers;    // the soil layer table, one entry per row
  TGrlweapCache Results;                 // filled from the load-transfer method's curve
};

// Curve names of the capacity methods by MethodId, and the order in which the file holds them.
inline constexpr std::array<int, 9> kPlotMethodOrder{5, 1, 2, 3, 4, 6, 7, 8, 9};
QString plotMethodName(int methodId);
// The MethodIds of the curves of a file with methodCount curves, in curve order: the selected
// methods in file order, without the user-specified method when its block is the one missing.
std::vector<int> plottedMethods(const std::array<int, 10>& methodSelected, int methodCount);

// Largest counts the loader accepts; a file beyond them is refused as corrupt rather than sized
// into memory. The engine writes at most 9 method curves of at most 501 rows each.
inline constexpr int kMaxPlotCurves = 9;
inline constexpr int kMaxPlotRows = 100000;
inline constexpr int kMaxTzCurves = 100000;

// The message shown when a plot data file loaded after a run cannot be read.
inline const QString kPlotLoadFailed =
    QStringLiteral("An error occured in running the main program.");

// Reads the plot data file into the graphs and the project, word by word: header, capacity rows
// of each method, t-z curves, load distribution, load-settlement and tip load-movement, and (when
// project.ExtraTzDepths is 1) the extra t-z curves, where a file that ends before that block
// counts as an empty block. Returns true when every record was read. On a file that cannot be
// opened, runs out of words, holds a word that is not a number, or gives a count beyond the
// limits above, stops at once and returns false; the graphs keep what was read so far. reason
// (when given) receives the reader's message.
bool LoadPlotData(TMainGraphs& graphs,
                  TPlotProject& project,
                  const QString& fileName,
                  QString* reason = nullptr);
// The same from text held in memory.
bool LoadPlotDataFromText(TMainGraphs& graphs,
                          TPlotProject& project,
                          std::string text,
                          QString* reason = nullptr);

}  // namespace vorne

#endif  // VORNE_PLOT_MAIN_GRAPHS_H
