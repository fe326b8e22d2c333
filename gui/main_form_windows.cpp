// Where each child window of the desktop program plugs into the main window: one line per
// command, for example
//   plugWindow(mTitle, [this] { return new TDlgTitle(project()); });
//   setPlotOpener([this](vorne::TGraphPlot& graph) { showPlotForm(graph); });
// A command stays disabled until its window is plugged in here.
#include <QMdiSubWindow>

#include "gui/main_form.h"
#include "gui/plot_form.h"
#include "gui/show_plot.h"

void TMainForm::plugChildWindows() {
  setPlotOpener([this](vorne::TGraphPlot& graph) {
    ShowPlot(graph, [this](TPlotForm* form) -> QWidget* { return addChildWindow(form); });
  });
}
