// Arranging the child windows of the main window: the size a window opens at, Cascade and Tile,
// and what a run leaves open (plot windows shown again with the new results).
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include "gui/main_form.h"
#include "gui/plot_form.h"
#include "gui/report_viewer.h"

QSize TMainForm::usableFrameSize(const QMdiSubWindow* frame) const {
  const QWidget* window = frame->widget();
  QSize size = frame->size();
  if (window != nullptr) {
    // Room for everything the window lays out (its size hint), or the size it asked for when
    // larger; the frame adds its title bar and borders.
    const QSize decoration = frame->size() - window->size();
    const QSize wanted = window->size()
                             .expandedTo(window->property(kOpeningSizeProperty).toSize())
                             .expandedTo(window->sizeHint())
                             .expandedTo(window->minimumSizeHint());
    size = wanted + decoration;
  }
  const QSize room = m_mdiArea->viewport()->size();
  if (room.width() > 0 && room.height() > 0) size = size.boundedTo(room);
  return size;
}

void TMainForm::cascadeWindows() {
  // Each window at a usable size, one title bar lower and further right than the one before, and
  // moved back to the corner when it would leave the area.
  const int step = std::max(m_mdiArea->style()->pixelMetric(QStyle::PM_TitleBarHeight), 20);
  const QSize room = m_mdiArea->viewport()->size();
  int offset = 0;
  for (QMdiSubWindow* frame : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
    if (frame->isMinimized() || frame->isHidden()) continue;
    if (frame->isMaximized()) frame->showNormal();
    QSize size = usableFrameSize(frame);
    if (offset > 0 &&
        (offset + size.width() > room.width() || offset + size.height() > room.height()))
      offset = 0;
    size = size.boundedTo(
        QSize(std::max(room.width() - offset, 1), std::max(room.height() - offset, 1)));
    frame->setGeometry(offset, offset, size.width(), size.height());
    frame->raise();
    offset += step;
  }
}

void TMainForm::tileWindows() { m_mdiArea->tileSubWindows(); }

void TMainForm::closeWindowsAfterRun() {
  for (QMdiSubWindow* frame : m_mdiArea->subWindowList()) {
    // The report viewer shows the new report.
    if (auto* report = qobject_cast<TReportViewer*>(frame->widget())) {
      if (QFileInfo::exists(report->fileName())) {
        report->loadFromProject();
        continue;
      }
    }
    auto* plot = qobject_cast<TPlotForm*>(frame->widget());
    // A graph with data shows the new results in its window; one without closes.
    if (plot == nullptr || !plot->reloadGraph()) frame->close();
  }
}
