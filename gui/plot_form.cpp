// Plot window.
#include "gui/plot_form.h"

#include <QActionGroup>
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QShortcut>
#include <cmath>

#include "base/atomic_file.h"
#include "base/io_error.h"
#include "gui/message_box.h"
#include "gui/plot_dialogs.h"
#include "gui/print_proposal.h"

using namespace vorne;

namespace {

// On-screen legend: "Times New Roman", 15 pixels high, items 16 pixels.
constexpr int kLegendFontPixels = 15;
constexpr int kLegendItemHeight = 16;
// The screen's plot font height H.
constexpr int kScreenFontHeight = 14;

const QString kNotEnoughMemory =
    QStringLiteral("There is not enough memory to complete this task.");

QPoint clampInto(QPoint p, const TPlotRect& r) {
  return {std::clamp(p.x(), r.left, std::max(r.left, r.right)),
          std::clamp(p.y(), r.top, std::max(r.top, r.bottom))};
}

// The colours of a saved picture: the nearest image format of each choice.
QImage inColors(const QImage& picture, int colors) {
  switch (colors) {
    case TdlgFormat::BlackAndWhite: {
      // Everything that is not (nearly) white is ink, so that light curve colours stay visible.
      QImage mono(picture.size(), QImage::Format_Mono);
      mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
      for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
          const QRgb c = picture.pixel(x, y);
          const bool white = qRed(c) >= 200 && qGreen(c) >= 200 && qBlue(c) >= 200;
          mono.setPixel(x, y, white ? 1 : 0);
        }
      }
      return mono;
    }
    case TdlgFormat::Colors16: {
      // The sixteen standard colours, which hold every curve colour of the palette.
      const QList<QRgb> table{
          qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
          qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
          qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
          qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
      return picture.convertToFormat(QImage::Format_Indexed8, table,
                                     Qt::ThresholdDither | Qt::AvoidDither);
    }
    case TdlgFormat::Colors256:
      return picture.convertToFormat(QImage::Format_Indexed8,
                                     Qt::ThresholdDither | Qt::AvoidDither);
    case TdlgFormat::HighColor:
      return picture.convertToFormat(QImage::Format_RGB16);
    default:
      return picture.convertToFormat(QImage::Format_RGB888);
  }
}

}  // namespace

// --- drawing area

TPlotCanvas::TPlotCanvas(TPlotForm& form) : QWidget(&form), m_form(form) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPlotCanvas::paintEvent(QPaintEvent*) {
  m_form.m_painted = true;
  QPainter painter(this);
  PaintGraph(painter, rect(), m_form.m_graph, m_form.m_view, m_form.screenSettings());
  if (m_form.m_banding) {
    // The zoom box inverts what lies beneath it, so that the plot shows through unchanged.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_form.rubberBand());
  }
}

void TPlotCanvas::mousePressEvent(QMouseEvent* event) {
  m_form.plotPressed(event->position().toPoint(), event->button());
}

void TPlotCanvas::mouseMoveEvent(QMouseEvent* event) {
  m_form.plotMoved(event->position().toPoint());
}

void TPlotCanvas::mouseReleaseEvent(QMouseEvent* event) {
  m_form.plotReleased(event->position().toPoint(), event->button());
}

void TPlotCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Until the window is first drawn it is still taking its opening (maximised) size: the legend
  // goes to the corner of that layout. Later resizes keep it where it is.
  m_form.relayout(!m_form.m_painted);
}

// --- legend

TPlotLegend::TPlotLegend(TPlotForm& form, QWidget* parent) : QListWidget(parent), m_form(form) {
  QFont font(QString::fromLatin1(kPlotFontFamily));
  font.setPixelSize(kLegendFontPixels);
  setFont(font);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Base, Qt::white);
  setPalette(palette);
  hide();
}

void TPlotLegend::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  m_dragging = true;
  m_pressOffset = event->position().toPoint();
}

void TPlotLegend::mouseMoveEvent(QMouseEvent* event) {
  if (!m_dragging || parentWidget() == nullptr) return;
  const QPoint target = mapToParent(event->position().toPoint()) - m_pressOffset;
  const QSize client = parentWidget()->size();
  m_form.m_legendPlaced = false;
  move(std::clamp(target.x(), 0, std::max(0, client.width() - width())),
       std::clamp(target.y(), 0, std::max(0, client.height() - height())));
}

void TPlotLegend::mouseReleaseEvent(QMouseEvent*) { m_dragging = false; }

void TPlotLegend::mouseDoubleClickEvent(QMouseEvent* event) {
  const QListWidgetItem* entry = itemAt(event->position().toPoint());
  if (entry != nullptr) m_form.toggleCurve(entry->data(Qt::UserRole).toInt());
}

// --- window

TPlotForm::TPlotForm(TGraphPlot& graph, QWidget* parent)
    : QMainWindow(parent), m_graph(graph), m_canvas(new TPlotCanvas(*this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  // The caption names the graph from the start, so that the Window menu lists graphs by name.
  setWindowTitle(graph.Caption);
  setCentralWidget(m_canvas);
  Legend = new TPlotLegend(*this, m_canvas);

  // Opening: ranges fixed from the data, curves listed, legend and per-curve items built.
  m_usable = AutoRange(graph.Lines, m_view.ranges[0]);
  if (graph.ShowThree) {
    m_usable = AutoRange(graph.Lines2, m_view.ranges[1]) && m_usable;
    m_usable = AutoRange(graph.Lines3, m_view.ranges[2]) && m_usable;
  }
  m_full = m_view;
  ApplyCurveLimit(graph);
  buildMenu();
  rebuildCurveItems();
  graph.LegendFont = static_cast<int>(std::lround(kLegendFontPixels * 72.0 / logicalDpiY()));
  sizeLegend(kLegendItemHeight);
  // A font scale chosen in an earlier window of the graph applies to its legend again.
  if (graph.SizeFont != 10) setLegendScale(graph.SizeFont);
  Legend->setVisible(graph.LineCount() > 0 && graph.ShowLegend);
  mShowLegend->setVisible(Legend->isVisibleTo(m_canvas));

  runDialog = [](QDialog& dialog) { return dialog.exec(); };
  choosePrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
  };
  choosePageSetup = [this](QPrinter& printer) {
    QPageSetupDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
  };
  chooseSaveFile = [this](QString& selectedFilter) {
    return QFileDialog::getSaveFileName(
        this, QStringLiteral("Save To Disk"), pictureProposal(QStringLiteral("png")),
        QStringLiteral("PNG (*.png);;Bitmap (*.bmp)"), &selectedFilter);
  };
}

TPlotForm::~TPlotForm() = default;

bool TPlotForm::reloadGraph() {
  TPlotView view;
  bool usable = AutoRange(m_graph.Lines, view.ranges[0]);
  if (m_graph.ShowThree) {
    usable = AutoRange(m_graph.Lines2, view.ranges[1]) && usable;
    usable = AutoRange(m_graph.Lines3, view.ranges[2]) && usable;
  }
  if (!usable) return false;
  m_view = view;
  m_full = view;
  m_banding = false;
  ApplyCurveLimit(m_graph);
  rebuildCurveItems();
  sizeLegend(Legend->property("itemHeight").toInt());
  Legend->setVisible(m_graph.LineCount() > 0 && m_graph.ShowLegend);
  setWindowTitle(m_graph.Caption);
  relayout(true);
  repaintAll();
  return true;
}

TPaintSettings TPlotForm::screenSettings() const {
  TPaintSettings settings;
  settings.dpiX = m_canvas->logicalDpiX();
  settings.dpiY = m_canvas->logicalDpiY();
  settings.baseFontHeight = kScreenFontHeight;
  settings.legendPos = Legend->pos();
  // The outer size of the window on screen (its MDI frame when it has one).
  const QWidget* outer = parentWidget() != nullptr ? parentWidget() : this;
  settings.windowSize = outer->frameGeometry().size();
  settings.legendAuto = m_legendPlaced;
  return settings;
}

TPlotLayout TPlotForm::screenLayout() const {
  return LayoutFor(m_graph, m_canvas->rect(), screenSettings());
}

void TPlotForm::buildMenu() {
  PlotMenu = menuBar()->addMenu(QStringLiteral("&Plot"));
  // Each plot window of the frame has its own: the shortcut acts in the active one only.
  auto* popup = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
  popup->setContext(Qt::WidgetWithChildrenShortcut);
  connect(popup, &QShortcut::activated, this, [this] {
    const QRect item = menuBar()->actionGeometry(PlotMenu->menuAction());
    PlotMenu->popup(menuBar()->mapToGlobal(item.bottomLeft()));
  });
  connect(PlotMenu, &QMenu::aboutToShow, this, &TPlotForm::updateMenu);

  mShowLegend = PlotMenu->addAction(QStringLiteral("Show &Legend"));
  mShowLegend->setCheckable(true);
  connect(mShowLegend, &QAction::triggered, this, [this] {
    m_graph.ShowLegend = !m_graph.ShowLegend;
    Legend->setVisible(m_graph.ShowLegend && m_graph.LineCount() > 0);
  });
  mShowLayers = PlotMenu->addAction(QStringLiteral("Show Soil La&yer"));
  mShowLayers->setCheckable(true);
  connect(mShowLayers, &QAction::triggered, this, [this] {
    m_graph.ShowLayers = !m_graph.ShowLayers;
    relayout(true);
  });
  mShowWall = PlotMenu->addAction(QStringLiteral("Show &Wall Geometry"));
  mShowWall->setCheckable(true);
  connect(mShowWall, &QAction::triggered, this, [this] {
    m_graph.ShowWall = !m_graph.ShowWall;
    relayout(true);
  });

  mMarkers = PlotMenu->addMenu(QStringLiteral("Show &Markers"));
  auto* markerGroup = new QActionGroup(mMarkers);
  markerGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  const std::pair<const char*, int> markerItems[] = {{"&Never", 0},
                                                     {"Every &Increment", 1},
                                                     {"Every &2 Increments", 2},
                                                     {"Every &3 Incrments", 3},
                                                     {"Every &5 Increments", 5},
                                                     {"Every &10 Incements", 10}};
  for (const auto& [text, value] : markerItems) {
    QAction* item = mMarkers->addAction(QString::fromLatin1(text));
    item->setCheckable(true);
    item->setData(value);
    markerGroup->addAction(item);
    connect(item, &QAction::triggered, this, [this, v = value] { setMarkers(v); });
  }
  connect(mMarkers, &QMenu::aboutToShow, this, [this] {
    for (QAction* item : mMarkers->actions()) {
      item->setChecked(item->data().toInt() == m_graph.Markers);
    }
  });

  mFontSize = PlotMenu->addMenu(QStringLiteral("&Font Size"));
  const std::pair<const char*, int> fontItems[] = {{"&Default", 10},     {"&1.5 * Default", 15},
                                                   {"&2 * Default", 20}, {"2.&5 * Default", 25},
                                                   {"&3 * Default", 30}, {"&4 * Default", 40}};
  for (const auto& [text, value] : fontItems) {
    QAction* item = mFontSize->addAction(QString::fromLatin1(text));
    item->setData(value);
    connect(item, &QAction::triggered, this, [this, v = value] { setFontScale(v); });
  }
  mLineWidth = PlotMenu->addMenu(QStringLiteral("Line W&idth"));
  const std::pair<const char*, int> widthItems[] = {{"&Default", 1},
                                                    {"&2 * Default", 2},
                                                    {"&4 * Default", 4},
                                                    {"&6 * Default", 6},
                                                    {"1&0 * Default", 10}};
  for (const auto& [text, value] : widthItems) {
    QAction* item = mLineWidth->addAction(QString::fromLatin1(text));
    item->setData(value);
    connect(item, &QAction::triggered, this, [this, v = value] { setLineWidth(v); });
  }

  mGraphTitle = PlotMenu->addAction(QStringLiteral("&Graph Title"));
  connect(mGraphTitle, &QAction::triggered, this, &TPlotForm::editGraphTitle);
  mEditLegend = PlotMenu->addAction(QStringLiteral("&Edit Legend"));
  connect(mEditLegend, &QAction::triggered, this, &TPlotForm::editLegend);
  mActiveCurves = PlotMenu->addAction(QStringLiteral("&Active Curves"));
  connect(mActiveCurves, &QAction::triggered, this, &TPlotForm::editActiveCurves);
  PlotMenu->addSeparator();
  // Printing to a PDF file is always offered, so both stay enabled without a printer.
  mPrint = PlotMenu->addAction(QStringLiteral("&Print..."));
  connect(mPrint, &QAction::triggered, this, &TPlotForm::printPlot);
  mPageSetup = PlotMenu->addAction(QStringLiteral("Page Set&up"));
  connect(mPageSetup, &QAction::triggered, this, &TPlotForm::pageSetup);
  mSaveToDisk = PlotMenu->addAction(QStringLiteral("&Save To Disk..."));
  connect(mSaveToDisk, &QAction::triggered, this, &TPlotForm::saveToDisk);
  PlotMenu->addSeparator();
}

void TPlotForm::updateMenu() {
  mShowLegend->setChecked(m_graph.ShowLegend);
  mShowLayers->setChecked(m_graph.ShowLayers);
  mShowLayers->setVisible(!m_graph.LayerLines.empty());
  mShowWall->setVisible(m_graph.WallLineCount > 0);
  mShowWall->setEnabled(m_graph.ShowLayers);
  mShowWall->setChecked(m_graph.ShowWall);
  mFontSize->menuAction()->setVisible(m_graph.ShowFontWidth);
  mLineWidth->menuAction()->setVisible(m_graph.ShowFontWidth);
  for (QAction* item : curveItems) item->setChecked(curveActive(item->data().toInt()));
}

void TPlotForm::rebuildCurveItems() {
  // Existing entries and items take the new texts in curve order; missing ones are added and
  // surplus ones removed.
  int n = 0;
  for (int i = 0; i < m_graph.LineCount(); ++i) {
    if (!m_graph.Lines[std::size_t(i)].Listed) continue;
    QString text = m_graph.DisplayName(i);
    if (m_graph.onGetCaption) m_graph.onGetCaption(i, text);
    if (n >= Legend->count()) Legend->addItem(QString());
    QListWidgetItem* entry = Legend->item(n);
    entry->setData(Qt::UserRole, i);
    entry->setData(Qt::UserRole + 1, text);
    if (n >= curveItems.size()) {
      QAction* item = PlotMenu->addAction(QString());
      item->setCheckable(true);
      connect(item, &QAction::triggered, this, [this, item] { toggleCurve(item->data().toInt()); });
      curveItems.append(item);
    }
    QAction* item = curveItems[n];
    // A curve's name is shown as it stands: an "&" in it is no access key.
    item->setText(QString(text).replace(QLatin1Char('&'), QStringLiteral("&&")));
    item->setData(i);
    item->setChecked(m_graph.Lines[std::size_t(i)].Active);
    ++n;
  }
  while (Legend->count() > n) delete Legend->takeItem(Legend->count() - 1);
  while (curveItems.size() > n) delete curveItems.takeLast();
  refreshLegendTexts();
}

void TPlotForm::refreshLegendTexts() {
  for (int n = 0; n < Legend->count(); ++n) {
    QListWidgetItem* entry = Legend->item(n);
    const bool active = curveActive(entry->data(Qt::UserRole).toInt());
    entry->setText(entry->data(Qt::UserRole + 1).toString() +
                   (active ? QStringLiteral(" *") : QString()));
    entry->setForeground(PaletteColor(n));
  }
}

void TPlotForm::sizeLegend(int itemHeight) {
  for (int n = 0; n < Legend->count(); ++n) Legend->item(n)->setSizeHint(QSize(0, itemHeight));
  QStringList names;
  for (int n = 0; n < Legend->count(); ++n) {
    names << Legend->item(n)->data(Qt::UserRole + 1).toString();
  }
  const QFontMetrics metrics(Legend->font());
  const int width = LegendWidth(
      names, [&](const QString& text) { return metrics.horizontalAdvance(text); },
      m_canvas->logicalDpiX() / 4);
  Legend->resize(width, Legend->count() * itemHeight + 3);
  Legend->setProperty("itemHeight", itemHeight);
}

void TPlotForm::relayout(bool anchorLegend) {
  if (anchorLegend) {
    // In the corner of the plot area where no curve runs.
    const TPlotLayout layout = screenLayout();
    Legend->move(LegendPlace(m_graph.Lines, m_view.ranges[0], layout.panel1, m_graph.XOnTop,
                             Legend->size(), m_canvas->logicalDpiX() / 16));
    m_legendPlaced = true;
  }
  keepLegendInside();
  m_canvas->update();
}

void TPlotForm::keepLegendInside() {
  QPoint p = Legend->pos();
  const QSize client = m_canvas->size();
  if (p.x() + Legend->width() > client.width()) p.setX(client.width() - Legend->width());
  if (p.y() + Legend->height() > client.height()) p.setY(client.height() - Legend->height());
  p.setX(std::max(p.x(), 0));
  p.setY(std::max(p.y(), 0));
  Legend->move(p);
}

void TPlotForm::repaintAll() {
  refreshLegendTexts();
  m_canvas->update();
  Legend->viewport()->update();
}

void TPlotForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!m_shownOnce) {
    m_shownOnce = true;
    relayout(true);
  }
}

bool TPlotForm::curveActive(int curve) const {
  // The graph may have been given fewer curves since the window opened.
  return curve >= 0 && curve < m_graph.LineCount() && m_graph.Lines[std::size_t(curve)].Active;
}

int TPlotForm::execDialog(QDialog& dialog) { return runDialog ? runDialog(dialog) : dialog.exec(); }

// --- menu commands

void TPlotForm::setMarkers(int every) {
  m_graph.Markers = every;
  m_canvas->update();
}

void TPlotForm::setFontScale(int scale) {
  m_graph.SizeFont = scale;
  setLegendScale(scale);
  relayout(true);
}

void TPlotForm::setLegendScale(int scale) {
  QStringList names;
  for (int n = 0; n < Legend->count(); ++n) {
    names << Legend->item(n)->data(Qt::UserRole + 1).toString();
  }
  QFont font = Legend->font();
  const TLegendSize size = LegendSizeFor(
      scale, m_graph.LegendFont, names, [&](const QString&) { return 0; }, m_canvas->logicalDpiX());
  if (size.fontSize > 0) font.setPointSize(size.fontSize);
  Legend->setFont(font);
  sizeLegend(std::max(size.itemHeight, 1));
}

void TPlotForm::setLineWidth(int width) {
  m_graph.WidthLine = width;
  m_canvas->update();
}

void TPlotForm::editGraphTitle() {
  TfrmGraphCaption dialog(m_graph.GraphTitle, m_graph.TitleOnTop, this);
  if (execDialog(dialog) == QDialog::Accepted) {
    m_graph.GraphTitle = dialog.title();
    m_graph.TitleOnTop = dialog.onTop();
  }
  relayout(true);
}

void TPlotForm::editLegend() {
  QStringList names;
  for (int i = 0; i < m_graph.LineCount(); ++i) names << m_graph.DisplayName(i);
  TfrmLineNames dialog(names, this);
  if (execDialog(dialog) != QDialog::Accepted) return;
  const QStringList edited = dialog.names();
  for (int i = 0; i < m_graph.LineCount() && i < edited.size(); ++i) {
    m_graph.Lines[std::size_t(i)].Name = edited[i];
  }
  rebuildCurveItems();
  // A longer name widens the legend, so that every name shows whole.
  sizeLegend(Legend->property("itemHeight").toInt());
  keepLegendInside();
  repaintAll();
}

void TPlotForm::editActiveCurves() {
  QStringList names;
  std::vector<bool> listed;
  for (int i = 0; i < m_graph.LineCount(); ++i) {
    names << m_graph.DisplayName(i);
    listed.push_back(m_graph.Lines[std::size_t(i)].Listed);
  }
  TfrmActiveLines dialog(names, listed, this);
  if (execDialog(dialog) != QDialog::Accepted) return;
  const std::vector<bool> chosen = dialog.listed();
  for (std::size_t i = 0; i < m_graph.Lines.size() && i < chosen.size(); ++i) {
    m_graph.Lines[i].Listed = chosen[i];
  }
  rebuildCurveItems();
  sizeLegend(Legend->property("itemHeight").toInt());
  keepLegendInside();
  repaintAll();
}

void TPlotForm::toggleCurve(int curve) {
  if (curve < 0 || curve >= m_graph.LineCount()) return;
  TLine& line = m_graph.Lines[std::size_t(curve)];
  line.Active = !line.Active;
  for (QAction* item : curveItems) {
    if (item->data().toInt() == curve) item->setChecked(line.Active);
  }
  repaintAll();
}

QString TPlotForm::pictureProposal(const QString& suffix) const {
  const QString folder = m_outputFolder.isEmpty() ? QDir::currentPath() : m_outputFolder;
  return OutputFileProposal(folder, m_graph.Caption, suffix);
}

QPrinter& TPlotForm::printer() {
  if (!m_printer) {
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // A print to a file starts in the project's folder, named after the graph.
    proposePrintFile(*m_printer, pictureProposal(QStringLiteral("pdf")));
  }
  return *m_printer;
}

void TPlotForm::printPlot() {
  if (choosePrinter(printer())) printOn(*m_printer);
  m_canvas->update();
}

void TPlotForm::pageSetup() {
  printer();
  m_printer->setPageMargins(QMarginsF(m_margins.left / 1000.0, m_margins.top / 1000.0,
                                      m_margins.right / 1000.0, m_margins.bottom / 1000.0),
                            QPageLayout::Inch);
  if (!choosePageSetup(*m_printer)) return;
  const QMarginsF chosen = m_printer->pageLayout().margins(QPageLayout::Inch);
  const auto thousandths = [](double inches) {
    return static_cast<int>(std::lround(inches * 1000));
  };
  m_margins = {thousandths(chosen.left()), thousandths(chosen.top()), thousandths(chosen.right()),
               thousandths(chosen.bottom())};
}

void TPlotForm::printOn(QPrinter& printer) {
  printer.setDocName(m_graph.Caption);
  printer.setFullPage(true);
  QPainter painter;
  if (!painter.begin(&printer)) {
    showMessageBox(this, QMessageBox::Warning, m_graph.Caption,
                   QStringLiteral("The plot could not be printed."));
    return;
  }
  const int dpiX = printer.logicalDpiX();
  const int dpiY = printer.logicalDpiY();
  // The painter's origin is the paper corner; the unprintable edges are the printer's minimum
  // margins, and the printable area lies between them.
  QPageLayout layout = printer.pageLayout();
  layout.setUnits(QPageLayout::Inch);
  const QMarginsF unprintable = layout.minimumMargins();
  const int offX = static_cast<int>(std::lround(unprintable.left() * dpiX));
  const int offY = static_cast<int>(std::lround(unprintable.top() * dpiY));
  const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
  const TPlotRect client = PrintClientRect(paper.width() - 2 * offX, paper.height() - 2 * offY,
                                           dpiX, dpiY, offX, offY, m_margins);
  TPaintSettings settings = screenSettings();
  settings.dpiX = dpiX;
  settings.dpiY = dpiY;
  settings.baseFontHeight = kScreenFontHeight * dpiY / std::max(m_canvas->logicalDpiY(), 1);
  settings.legendInOutput = true;
  settings.bitmapMode = false;
  PaintGraph(painter, QRect(client.left + offX, client.top + offY, client.width(), client.height()),
             m_graph, m_view, settings);
  painter.end();
}

void TPlotForm::saveToDisk() {
  QString filter = QStringLiteral("PNG (*.png)");
  QString fileName = chooseSaveFile(filter);
  if (fileName.isEmpty()) return;
  const bool bmp = filter.startsWith(QStringLiteral("Bitmap"));
  const QString suffix = bmp ? QStringLiteral("bmp") : QStringLiteral("png");
  if (QFileInfo(fileName).suffix().compare(suffix, Qt::CaseInsensitive) != 0) {
    fileName += QLatin1Char('.') + suffix;
  }
  TdlgFormat dialog(this);
  dialog.setValues(m_saveHeight, m_saveWidth, m_savePpi, m_saveColors);
  const int result = execDialog(dialog);
  if (result == TdlgFormat::kOutOfMemory) {
    showMessageBox(this, QMessageBox::Warning, m_graph.Caption, kNotEnoughMemory);
    return;
  }
  if (result != QDialog::Accepted) return;
  m_saveHeight = dialog.heightInches();
  m_saveWidth = dialog.widthInches();
  m_savePpi = dialog.pixelsPerInch();
  m_saveColors = dialog.colors();
  const QString error =
      saveBitmap(dialog.bitmap(), m_saveColors, fileName, bmp ? "BMP" : "PNG", m_savePpi);
  if (!error.isEmpty()) {
    showMessageBox(this, QMessageBox::Warning, m_graph.Caption,
                   QStringLiteral("The picture could not be saved to %1: %2")
                       .arg(QDir::toNativeSeparators(fileName), error));
  }
}

QString TPlotForm::saveBitmap(
    QImage bitmap, int colors, const QString& fileName, const char* format, int pixelsPerInch) {
  if (bitmap.isNull()) return kNotEnoughMemory;
  {
    QPainter painter(&bitmap);
    TPaintSettings settings = screenSettings();
    // Laid out as a page of the picture's size in inches, with the screen's text at the same size
    // in inches, so that the caption and the legend keep their place at every resolution.
    const int ppi = std::max(pixelsPerInch, 1);
    settings.baseFontHeight = PictureFontHeight(kScreenFontHeight, m_canvas->logicalDpiY(), ppi);
    settings.dpiX = ppi;
    settings.dpiY = ppi;
    settings.bitmapMode = true;
    settings.legendInOutput = true;
    PaintGraph(painter, bitmap.rect(), m_graph, m_view, settings);
  }
  const QImage picture = inColors(bitmap, colors);
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(picture)) return writer.errorString();
  }
  // The safe writer of the project files: a failed write keeps an older picture whole.
  try {
    writeFileAtomically(fileName, bytes);
  } catch (const EInOutError& error) {
    return error.message();
  }
  return {};
}

// --- mouse

int TPlotForm::panelAt(const TPlotLayout& layout, int x) const {
  if (!m_graph.ShowThree) return 0;
  int panel = 0;
  if (x >= layout.panel2.left && x <= layout.panel2.right) panel = 1;
  if (x >= layout.panel3.left && x <= layout.panel3.right) panel = 2;
  return panel;
}

void TPlotForm::plotPressed(QPoint pos, Qt::MouseButton button) {
  const TPlotLayout layout = screenLayout();
  if (!layout.plot.contains(pos.x(), pos.y())) return;
  if (button == Qt::LeftButton && !m_graph.ShowThree) {
    m_banding = true;
    m_bandStart = pos;
    m_bandEnd = pos;
  } else if (button == Qt::RightButton) {
    const int p = panelAt(layout, pos.x());
    const TPlotRect& rect = p == 0 ? layout.panel1 : p == 1 ? layout.panel2 : layout.panel3;
    const std::size_t i = static_cast<std::size_t>(p);
    const TFloatPoint at = PixelToValue(pos.x(), pos.y(), m_view.ranges[i], rect, m_graph.XOnTop);
    m_view.ranges[i] = ZoomOut(m_view.ranges[i], m_full.ranges[i], at);
    m_canvas->update();
  }
}

void TPlotForm::plotMoved(QPoint pos) {
  const TPlotLayout layout = screenLayout();
  const QPoint p = clampInto(pos, layout.plot);
  const int panel = panelAt(layout, p.x());
  const TPlotRect& rect = panel == 0 ? layout.panel1 : panel == 1 ? layout.panel2 : layout.panel3;
  const TFloatPoint value =
      PixelToValue(p.x(), p.y(), m_view.ranges[std::size_t(panel)], rect, m_graph.XOnTop);
  setWindowTitle(m_graph.Caption + QStringLiteral(" X: ") + ReadoutText(value.X) +
                 QStringLiteral(" Y: ") + ReadoutText(value.Y));
  if (m_banding) {
    m_bandEnd = pos;
    m_canvas->update();
  }
}

void TPlotForm::plotReleased(QPoint pos, Qt::MouseButton button) {
  if (button != Qt::LeftButton || !m_banding) return;
  m_banding = false;
  const TPlotLayout layout = screenLayout();
  ZoomToBox(m_bandStart, clampInto(pos, layout.plot), layout.panel1, m_graph.XOnTop,
            m_full.ranges[0], m_view.ranges[0]);
  m_canvas->update();
}

QRect TPlotForm::rubberBand() const { return QRect(m_bandStart, m_bandEnd).normalized(); }
