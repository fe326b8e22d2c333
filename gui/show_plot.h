// Opening the plot window of a graph: one window per graph, which the graph outlives.
#pragma once

#include <QWidget>
#include <functional>

#include "plot/graph_plot.h"

class TPlotForm;

// Puts a new plot window into its frame (the main window's MDI area) and returns the frame.
using PlotHost = std::function<QWidget*(TPlotForm* form)>;

// Shows the graph's plot window, creating it maximised (in the frame host gives, else as a window
// of its own) when the graph has none; a minimised window is restored and activated. Returns the
// window, or nullptr when the graph's data give no range, in which case no window opens.
TPlotForm* ShowPlot(vorne::TGraphPlot& graph, const PlotHost& host = {});

// The open plot window of a graph, or nullptr.
TPlotForm* PlotWindowOf(const vorne::TGraphPlot& graph);
