// Where each child window of the desktop program plugs into the main window: one line per
// command, for example
//   plugWindow(mTitle, [this] { return new TDlgTitle(project()); });
//   setPlotOpener([this](vorne::TGraphPlot& graph) { showPlotForm(graph); });
// A command stays disabled until its window is plugged in here.
#include "gui/main_form.h"

void TMainForm::plugChildWindows() {}
