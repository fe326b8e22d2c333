// Elevation view window: reads the pile and the soil layer table, draws through the side-view
// paint routines, shows the depth under the mouse and prints.
#include "gui/elevation_view.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/program_data.h"
#include "gui/message_box.h"
#include "gui/print_proposal.h"
#include "plot/plot_geometry.h"

using namespace vorne;

namespace {

bool choosePrinter(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

TDlgSideView::TDlgSideView(TProgramData& project, QWidget* parent)
    : QWidget(parent), m_project(project), m_printChooser(choosePrinter) {
  setObjectName(QStringLiteral("DlgSideView"));
  setWindowTitle(QStringLiteral("Elevation View"));
  setAttribute(Qt::WA_DeleteOnClose);

  m_label = new QLabel(QStringLiteral("Pile Geometry"), this);
  m_print = new QPushButton(QStringLiteral("Print"), this);
  m_area = new QWidget(this);
  m_area->setObjectName(QStringLiteral("SideViewArea"));
  m_area->setMouseTracking(true);
  m_area->setAttribute(Qt::WA_OpaquePaintEvent);
  m_area->installEventFilter(this);
  m_area->setMinimumSize(40, 40);

  auto* top = new QHBoxLayout;
  top->addWidget(m_label);
  top->addStretch();
  top->addWidget(m_print);
  auto* column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addWidget(m_area, 1);
  connect(m_print, &QPushButton::clicked, this, &TDlgSideView::PrintClick);

  resize(648, 460);
  rebuild();
}

void TDlgSideView::rebuild() {
  m_layers.clear();
  for (int row = 0; row < m_project.D.rowCount(); ++row) {
    m_layers.push_back({m_project.D.cell(col::kSoilType, row).asInteger(),
                        m_project.D.cell(col::kBottomDepth, row).asFloat()});
  }
  SideViewPile pile;
  pile.units = m_project.units();
  pile.outsideDiameter = m_project.OutsideDiameter;
  pile.noncircularPerimeter = m_project.NoncircularPerimeter;
  pile.taperAngle = m_project.TaperAngle;
  pile.pileLength = m_project.PileLength;
  pile.stickupLength = m_project.StickupLength;
  m_outline = buildSideViewOutline(pile, m_layers);
  layOut();
}

void TDlgSideView::layOut() {
  m_layout = layoutSideView(m_outline.range, m_area->width(), m_area->height());
  m_area->update();
}

QImage TDlgSideView::grabPicture() const {
  QImage image(m_area->size(), QImage::Format_ARGB32);
  QPainter painter(&image);
  paintSideView(painter, image.rect(), m_outline, m_layout, m_layers,
                {palette().color(QPalette::Window), palette().color(QPalette::WindowText)});
  return image;
}

void TDlgSideView::PrintClick() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setDocName(QStringLiteral("Soil-Pile Profile"));
  const QString folder =
      m_project.isUntitled() ? QDir::currentPath() : QFileInfo(m_project.fileName()).absolutePath();
  proposePrintFile(printer, OutputFileProposal(folder, printer.docName(), QStringLiteral("pdf")));
  if (!m_printChooser(printer, this)) return;
  QPainter painter;
  if (!painter.begin(&printer)) {
    showMessageBox(this, QMessageBox::Warning, windowTitle(),
                   QStringLiteral("The printer could not be started."));
    return;
  }
  paintSideViewPage(painter, QRect(0, 0, printer.width(), printer.height()), m_outline, m_layers);
  painter.end();
}

bool TDlgSideView::event(QEvent* event) {
  if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate) rebuild();
  return QWidget::event(event);
}

bool TDlgSideView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_area) {
    switch (event->type()) {
      case QEvent::Paint: {
        QPainter painter(m_area);
        paintSideView(painter, m_area->rect(), m_outline, m_layout, m_layers,
                      {palette().color(QPalette::Window), palette().color(QPalette::WindowText)});
        return true;
      }
      case QEvent::Resize:
        layOut();
        break;
      case QEvent::MouseMove:
        if (!m_layout.broken) {
          const double y = static_cast<QMouseEvent*>(event)->position().y();
          setWindowTitle(sideViewReadout(sideViewDepthAt(m_layout.shown, y, m_area->height())));
        }
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}
