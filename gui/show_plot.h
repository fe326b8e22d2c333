// Opening the plot window of a graph: one window per graph, which the graph outlives.
#pragma once

#include "plot/graph_plot.h"

class QMdiArea;
class TPlotForm;

// Shows the graph's plot window, creating it (maximised, in the MDI area when one is given) when
// the graph has none; a minimised window is restored. Returns the window, or nullptr when the
// graph's data give no range, in which case no window stays open.
TPlotForm* ShowPlot(vorne::TGraphPlot& graph, QMdiArea* area);

// The open plot window of a graph, or nullptr.
TPlotForm* PlotWindowOf(const vorne::TGraphPlot& graph);
