// Plot window per graph.
#include "gui/show_plot.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <map>

#include "gui/plot_form.h"

namespace {

// The open window of each graph; a closed window leaves a null pointer behind.
std::map<const vorne::TGraphPlot*, QPointer<TPlotForm>>& openWindows() {
  static std::map<const vorne::TGraphPlot*, QPointer<TPlotForm>> windows;
  return windows;
}

}  // namespace

TPlotForm* PlotWindowOf(const vorne::TGraphPlot& graph) {
  const auto found = openWindows().find(&graph);
  return found == openWindows().end() ? nullptr : found->second.data();
}

TPlotForm* ShowPlot(vorne::TGraphPlot& graph, const PlotHost& host) {
  if (TPlotForm* open = PlotWindowOf(graph)) {
    QWidget* frame = open->parentWidget() != nullptr ? open->parentWidget() : open;
    if (frame->isMinimized()) frame->showNormal();
    auto* sub = qobject_cast<QMdiSubWindow*>(frame);
    if (sub != nullptr && sub->mdiArea() != nullptr) {
      sub->mdiArea()->setActiveSubWindow(sub);
    } else {
      frame->raise();
      frame->activateWindow();
    }
    return open;
  }
  auto* form = new TPlotForm(graph);
  if (!form->isUsable()) {
    // The data give no range to draw: the window closes itself at opening.
    delete form;
    return nullptr;
  }
  openWindows()[&graph] = form;
  QWidget* frame = host ? host(form) : form;
  if (frame == nullptr) frame = form;
  frame->showMaximized();
  return form;
}
