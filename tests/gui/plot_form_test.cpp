// The plot window driven like a user: zoom and zoom-out, the read-out, the Plot menu, the
// Legend, Active Curves and Graph Caption dialogs on copies, printing to PDF, saving pictures,
// and one window per graph.
#include "gui/plot_form.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/data_edit.h"
#include "gui/plot_dialogs.h"
#include "gui/show_plot.h"
#include "message_recorder.h"

using namespace vorne;

namespace {

// Three straight curves x 0..10 at y = 2.5, 5.5, 8.5 (off the grid lines), named A, B, C; a layer
// strip of two layers.
void fillGraph(TGraphPlot& graph) {
  graph.Caption = QStringLiteral("Total Capacity vs Depth");
  graph.SetLineCount(3);
  graph.SetPointCount(11);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j <= 10; ++j) {
      graph.Lines[std::size_t(i)].Points[std::size_t(j)] = {double(j), 2.5 + 3.0 * i};
    }
  }
  graph.Lines[0].Points[0].Y = 10.0;
  graph.Lines[0].Name = QStringLiteral("A");
  graph.Lines[1].Name = QStringLiteral("B");
  graph.Lines[2].Name = QStringLiteral("C");
  graph.Markers = 0;
  graph.XOnTop = false;
  AddLayersGraphPlot(graph, {{1, 4.0}, {2, 10.0}});
}

QStringList legendTexts(const TPlotForm& form) {
  QStringList texts;
  for (int i = 0; i < form.Legend->count(); ++i) texts << form.Legend->item(i)->text();
  return texts;
}

QStringList itemTexts(const TPlotForm& form) {
  QStringList texts;
  for (const QAction* item : form.curveItems) texts << item->text();
  return texts;
}

// The legend stands inside the plot area, clear of every drawn curve (sampled along its segments).
bool legendClearOfCurves(TPlotForm& form) {
  const TPlotLayout layout = form.screenLayout();
  const QRect legend = form.Legend->geometry();
  if (legend.left() < layout.plot.left || legend.right() >= layout.plot.right ||
      legend.top() < layout.plot.top || legend.bottom() >= layout.plot.bottom) {
    return false;
  }
  for (const TLine& line : form.graph().Lines) {
    if (!line.Active || !line.Listed) continue;
    for (std::size_t d = 1; d < line.Points.size(); ++d) {
      for (int k = 0; k <= 50; ++k) {
        const double f = k / 50.0;
        const TFloatPoint& a = line.Points[d - 1];
        const TFloatPoint& b = line.Points[d];
        const QPoint p = ValueToPixel(a.X + f * (b.X - a.X), a.Y + f * (b.Y - a.Y),
                                      form.view().ranges[0], layout.panel1, form.graph().XOnTop);
        if (legend.contains(p)) return false;
      }
    }
  }
  return true;
}

QImage canvasImage(TPlotForm& form) { return form.canvas()->grab().toImage(); }

QColor pixelAt(TPlotForm& form, double x, double y) {
  const TPlotLayout layout = form.screenLayout();
  const QPoint p = ValueToPixel(x, y, form.view().ranges[0], layout.panel1, form.graph().XOnTop);
  return canvasImage(form).pixelColor(p);
}

}  // namespace

class PlotFormTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void opensWithTheMenuInOrderAndTheLegend();
  void zoomInAndOutStaysWithinTheFullRange();
  void readoutInTheCaption();
  void legendOkRenamesEntryAndMenuItem();
  void legendCancelChangesNothing();
  void legendRefusesAnEmptyName();
  void activeCurvesHidesACurveFromThePaint();
  void deactivatingEveryCurveEmptiesTheLegend();
  void curveItemsAndLegendToggleTheCurve();
  void menuCommandsWriteIntoTheGraph();
  void graphCaptionAppliesOnlyOnOk();
  void printsOnePdfPage();
  void pageSetupKeepsTheMargins();
  void legendDragStaysInTheWindow();
  void savesPicturesOfTheChosenSize_data();
  void savesPicturesOfTheChosenSize();
  void pictureTooLargeSaysNotEnoughMemory();
  void pictureAndPrintStartInTheProjectFolderAtARoomySize();
  void pictureTextScalesWithTheResolution();
  void failedPictureSaveNamesTheFile();
  void oneWindowPerGraphAndSettingsSurvive();
  void legendFollowsTheOpeningSizeThenStays();
  void graphGivenFewerCurvesWhileOpen();

 private:
  std::unique_ptr<TGraphPlot> m_graph;
  QPointer<TPlotForm> m_form;
};

void PlotFormTest::init() {
  m_graph = std::make_unique<TGraphPlot>();
  fillGraph(*m_graph);
  m_form = new TPlotForm(*m_graph);
  m_form->resize(900, 700);
  m_form->show();
  QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void PlotFormTest::cleanup() {
  delete m_form;
  m_graph.reset();
}

void PlotFormTest::opensWithTheMenuInOrderAndTheLegend() {
  QCOMPARE(m_form->windowTitle(), QStringLiteral("Total Capacity vs Depth"));
  const QList<QAction*> actions = m_form->PlotMenu->actions();
  QStringList captions;
  for (const QAction* a : actions) captions << a->text();
  const QStringList expected{"Show &Legend",
                             "Show Soil La&yer",
                             "Show &Wall Geometry",
                             "Show &Markers",
                             "&Font Size",
                             "Line W&idth",
                             "&Graph Title",
                             "&Edit Legend",
                             "&Active Curves",
                             "",
                             "&Print...",
                             "Page Set&up",
                             "&Save To Disk...",
                             "",
                             "A",
                             "B",
                             "C"};
  QCOMPARE(captions, expected);
  // The first per-curve item is item 14; printing stays available without a printer.
  QCOMPARE(actions[14], m_form->curveItems.first());
  QVERIFY(m_form->mPrint->isEnabled());
  QVERIFY(m_form->mPageSetup->isEnabled());
  QCOMPARE(legendTexts(*m_form), (QStringList{"A *", "B *", "C *"}));
  QVERIFY(m_form->Legend->isVisible());
  QCOMPARE(m_form->Legend->height(), 3 * 16 + 3);
  QCOMPARE(m_graph->LegendFont, 11);
  // In the plot's bottom-right corner, where no curve runs here.
  const TPlotLayout layout = m_form->screenLayout();
  QVERIFY(legendClearOfCurves(*m_form));
  QVERIFY(m_form->Legend->geometry().right() > layout.plot.right - 20);
  QVERIFY(m_form->Legend->geometry().bottom() > layout.plot.bottom - 20);
  // The full range: x 0..10, y 0..10.
  QCOMPARE(m_form->view().ranges[0], (TRange{0, 10, 0, 10}));
}

void PlotFormTest::zoomInAndOutStaysWithinTheFullRange() {
  QWidget* canvas = m_form->canvas();
  const TPlotLayout layout = m_form->screenLayout();
  const TRange full = m_form->fullView().ranges[0];
  const QPoint a = ValueToPixel(2, 2, full, layout.panel1, false);
  const QPoint b = ValueToPixel(6, 8, full, layout.panel1, false);
  QTest::mousePress(canvas, Qt::LeftButton, {}, a);
  QTest::mouseMove(canvas, b);
  QVERIFY(m_form->rubberBandActive());
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, b);
  QVERIFY(!m_form->rubberBandActive());
  const TRange zoomed = m_form->view().ranges[0];
  QVERIFY(qAbs(zoomed.XMin - 2) < 0.05 && qAbs(zoomed.XMax - 6) < 0.05);
  QVERIFY(qAbs(zoomed.YMin - 2) < 0.05 && qAbs(zoomed.YMax - 8) < 0.05);

  // A box of zero width changes nothing.
  QTest::mousePress(canvas, Qt::LeftButton, {}, a);
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(a.x(), b.y()));
  QCOMPARE(m_form->view().ranges[0], zoomed);

  // Right clicks double the range until the full range, then change nothing.
  const QPoint middle((layout.plot.left + layout.plot.right) / 2,
                      (layout.plot.top + layout.plot.bottom) / 2);
  for (int i = 0; i < 6; ++i) QTest::mouseClick(canvas, Qt::RightButton, {}, middle);
  QCOMPARE(m_form->view().ranges[0], full);
  QTest::mouseClick(canvas, Qt::RightButton, {}, middle);
  QCOMPARE(m_form->view().ranges[0], full);
}

void PlotFormTest::readoutInTheCaption() {
  const TPlotLayout layout = m_form->screenLayout();
  const QPoint p = ValueToPixel(5, 5, m_form->view().ranges[0], layout.panel1, false);
  QTest::mouseMove(m_form->canvas(), p);
  // The pixel of (5, 5) reads back within a pixel's worth of value (10 / ~500 pixels).
  const QString prefix = QStringLiteral("Total Capacity vs Depth X: 5 Y: ");
  QVERIFY(m_form->windowTitle().startsWith(prefix));
  QVERIFY(qAbs(m_form->windowTitle().mid(prefix.size()).toDouble() - 5.0) < 0.05);
  // Outside the plot area the position is clamped into it: the lower-left corner is 0, 0.
  QTest::mouseMove(m_form->canvas(), QPoint(1, m_form->canvas()->height() - 2));
  QCOMPARE(m_form->windowTitle(), QStringLiteral("Total Capacity vs Depth X: 0 Y: 0"));
}

void PlotFormTest::legendOkRenamesEntryAndMenuItem() {
  m_form->runDialog = [](QDialog& dialog) {
    auto& names = dynamic_cast<TfrmLineNames&>(dialog);
    names.show();
    names.lbLines->setCurrentRow(1);
    names.edLine->setText(QStringLiteral("API"));
    QTest::keyClick(names.edLine, Qt::Key_Return);
    QTest::mouseClick(names.okButton, Qt::LeftButton);
    return names.result();
  };
  m_form->editLegend();
  QCOMPARE(m_graph->Lines[1].Name, QStringLiteral("API"));
  QCOMPARE(legendTexts(*m_form), (QStringList{"A *", "API *", "C *"}));
  QCOMPARE(itemTexts(*m_form), (QStringList{"A", "API", "C"}));
}

void PlotFormTest::legendCancelChangesNothing() {
  QString edited;
  m_form->runDialog = [&](QDialog& dialog) {
    auto& names = dynamic_cast<TfrmLineNames&>(dialog);
    names.show();
    names.edLine->setText(QStringLiteral("Changed"));
    QTest::keyClick(names.edLine, Qt::Key_Return);
    edited = names.lbLines->item(0)->text();
    QTest::mouseClick(names.cancelButton, Qt::LeftButton);
    return names.result();
  };
  m_form->editLegend();
  QCOMPARE(edited, QStringLiteral("Changed"));
  QCOMPARE(m_graph->Lines[0].Name, QStringLiteral("A"));
  QCOMPARE(legendTexts(*m_form), (QStringList{"A *", "B *", "C *"}));
}

void PlotFormTest::legendRefusesAnEmptyName() {
  MessageRecorder boxes;
  TfrmLineNames names({QStringLiteral("A"), QStringLiteral("B")});
  names.show();
  QCOMPARE(names.edLine->text(), QStringLiteral("A"));
  QCOMPARE(names.edLine->palette().color(QPalette::Text), PaletteColor(0));
  names.lbLines->setCurrentRow(1);
  QCOMPARE(names.edLine->palette().color(QPalette::Text), PaletteColor(1));
  names.edLine->clear();
  QTest::keyClick(names.edLine, Qt::Key_Return);
  QCOMPARE(boxes.last(), QStringLiteral("The line must have a name!"));
  QCOMPARE(names.edLine->text(), QStringLiteral("B"));
  QCOMPARE(names.lbLines->item(1)->text(), QStringLiteral("B"));
  QVERIFY(names.isVisible());
}

void PlotFormTest::activeCurvesHidesACurveFromThePaint() {
  QCOMPARE(pixelAt(*m_form, 5.5, 5.5), PaletteColor(1));
  QStringList entries;
  m_form->runDialog = [&](QDialog& dialog) {
    auto& active = dynamic_cast<TfrmActiveLines&>(dialog);
    active.show();
    entries << active.lbLines->item(1)->text();
    active.lbLines->setCurrentRow(1);
    QTest::mouseClick(active.toggleButton, Qt::LeftButton);
    entries << active.lbLines->item(1)->text();
    QTest::mouseClick(active.okButton, Qt::LeftButton);
    return active.result();
  };
  m_form->editActiveCurves();
  QCOMPARE(entries, (QStringList{" yes :    B", " no  :    B"}));
  QVERIFY(!m_graph->Lines[1].Listed);
  QCOMPARE(legendTexts(*m_form), (QStringList{"A *", "C *"}));
  QCOMPARE(itemTexts(*m_form), (QStringList{"A", "C"}));
  QCOMPARE(m_form->Legend->height(), 2 * 16 + 3);
  // B is gone and C takes the colour of the second listed curve.
  QCOMPARE(pixelAt(*m_form, 5.5, 5.5), QColor(Qt::white));
  QCOMPARE(pixelAt(*m_form, 5.5, 8.5), PaletteColor(1));
  QCOMPARE(m_form->Legend->item(1)->foreground().color(), PaletteColor(1));

  // Listing it again brings back its item and entry in curve order.
  m_form->runDialog = [](QDialog& dialog) {
    auto& active = dynamic_cast<TfrmActiveLines&>(dialog);
    active.show();
    QTest::mouseClick(active.allButton, Qt::LeftButton);
    QTest::mouseClick(active.okButton, Qt::LeftButton);
    return active.result();
  };
  m_form->editActiveCurves();
  QCOMPARE(itemTexts(*m_form), (QStringList{"A", "B", "C"}));
}

void PlotFormTest::deactivatingEveryCurveEmptiesTheLegend() {
  m_form->runDialog = [](QDialog& dialog) {
    auto& active = dynamic_cast<TfrmActiveLines&>(dialog);
    active.show();
    QTest::mouseClick(active.noneButton, Qt::LeftButton);
    QTest::mouseClick(active.okButton, Qt::LeftButton);
    return active.result();
  };
  m_form->editActiveCurves();
  QCOMPARE(m_form->Legend->count(), 0);
  QVERIFY(m_form->curveItems.isEmpty());
  QCOMPARE(m_form->PlotMenu->actions().size(), 14);
  QCOMPARE(pixelAt(*m_form, 5.5, 2.5), QColor(Qt::white));
  QCOMPARE(pixelAt(*m_form, 5.5, 8.5), QColor(Qt::white));
}

void PlotFormTest::curveItemsAndLegendToggleTheCurve() {
  m_form->curveItems[2]->trigger();
  QVERIFY(!m_graph->Lines[2].Active);
  QVERIFY(!m_form->curveItems[2]->isChecked());
  QCOMPARE(legendTexts(*m_form), (QStringList{"A *", "B *", "C"}));
  QCOMPARE(pixelAt(*m_form, 5.5, 8.5), QColor(Qt::white));
  // A double-click on the legend entry toggles it back.
  QListWidget* legend = m_form->Legend;
  const QRect entry = legend->visualItemRect(legend->item(2));
  QTest::mouseDClick(legend->viewport(), Qt::LeftButton, {}, entry.center());
  QVERIFY(m_graph->Lines[2].Active);
  QCOMPARE(pixelAt(*m_form, 5.5, 8.5), PaletteColor(2));
}

void PlotFormTest::menuCommandsWriteIntoTheGraph() {
  // Markers: the submenu checks the item of the current value only.
  m_graph->Markers = 5;
  QMetaObject::invokeMethod(m_form->mMarkers, "aboutToShow");
  for (QAction* item : m_form->mMarkers->actions()) {
    QCOMPARE(item->isChecked(), item->data().toInt() == 5);
  }
  m_form->mMarkers->actions()[2]->trigger();
  QCOMPARE(m_graph->Markers, 2);
  m_graph->Markers = 4;
  QMetaObject::invokeMethod(m_form->mMarkers, "aboutToShow");
  for (QAction* item : m_form->mMarkers->actions()) QVERIFY(!item->isChecked());

  // Font size: the legend grows and is anchored again at the plot's corner.
  const int heightBefore = m_form->Legend->height();
  m_form->mFontSize->actions()[2]->trigger();
  QCOMPARE(m_graph->SizeFont, 20);
  QCOMPARE(m_form->Legend->height(), 3 * 33 + 3);  // font 22, items 33
  QVERIFY(m_form->Legend->height() > heightBefore);
  QVERIFY(legendClearOfCurves(*m_form));

  m_form->mLineWidth->actions()[4]->trigger();
  QCOMPARE(m_graph->WidthLine, 10);

  // Show Soil Layer: checked per the graph, visible only with layers; the wall item hidden.
  m_form->mShowLayers->trigger();
  QVERIFY(m_graph->ShowLayers);
  QMetaObject::invokeMethod(m_form->PlotMenu, "aboutToShow");
  QVERIFY(m_form->mShowLayers->isChecked());
  QVERIFY(m_form->mShowLayers->isVisible());
  QVERIFY(!m_form->mShowWall->isVisible());

  m_form->mShowLegend->trigger();
  QVERIFY(!m_graph->ShowLegend);
  QVERIFY(!m_form->Legend->isVisible());
}

void PlotFormTest::graphCaptionAppliesOnlyOnOk() {
  bool bottomFirst = false;
  m_form->runDialog = [&](QDialog& dialog) {
    auto& caption = dynamic_cast<TfrmGraphCaption&>(dialog);
    caption.show();
    bottomFirst = caption.rbBottom->isChecked();
    caption.edtCaption->setText(QStringLiteral("Pile P1"));
    caption.rbTop->setChecked(true);
    QTest::mouseClick(caption.okButton, Qt::LeftButton);
    return caption.result();
  };
  m_form->editGraphTitle();
  QVERIFY(bottomFirst);
  QCOMPARE(m_graph->GraphTitle, QStringLiteral("Pile P1"));
  QVERIFY(m_graph->TitleOnTop);
  m_form->runDialog = [](QDialog& dialog) {
    auto& caption = dynamic_cast<TfrmGraphCaption&>(dialog);
    caption.edtCaption->setText(QStringLiteral("Other"));
    return int(QDialog::Rejected);
  };
  m_form->editGraphTitle();
  QCOMPARE(m_graph->GraphTitle, QStringLiteral("Pile P1"));
}

void PlotFormTest::printsOnePdfPage() {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("plot.pdf"));
  m_form->choosePrinter = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return true;
  };
  m_form->printPlot();
  QFile pdf(file);
  QVERIFY(pdf.open(QIODevice::ReadOnly));
  const QByteArray content = pdf.readAll();
  QVERIFY(content.startsWith("%PDF"));
  // One page object: "/Type /Page" not followed by "s".
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
  QCOMPARE(QString::fromLatin1(content).count(page), 1);
  QCOMPARE(m_form->margins().left, 1000);
}

void PlotFormTest::pageSetupKeepsTheMargins() {
  m_form->choosePageSetup = [](QPrinter& printer) {
    printer.setPageMargins(QMarginsF(0.5, 0.25, 0.75, 2.0), QPageLayout::Inch);
    return true;
  };
  m_form->pageSetup();
  QCOMPARE(m_form->margins().left, 500);
  QCOMPARE(m_form->margins().top, 250);
  QCOMPARE(m_form->margins().right, 750);
  QCOMPARE(m_form->margins().bottom, 2000);
  // A cancelled page setup keeps them.
  m_form->choosePageSetup = [](QPrinter& printer) {
    printer.setPageMargins(QMarginsF(1, 1, 1, 1), QPageLayout::Inch);
    return false;
  };
  m_form->pageSetup();
  QCOMPARE(m_form->margins().left, 500);
}

void PlotFormTest::legendDragStaysInTheWindow() {
  QListWidget* legend = m_form->Legend;
  QWidget* viewport = legend->viewport();
  const QPoint grip(5, 5);
  QTest::mousePress(viewport, Qt::LeftButton, {}, grip);
  // Far beyond the top-left corner: the legend stops at 0, 0.
  QMouseEvent far(QEvent::MouseMove, QPointF(-2000, -2000),
                  viewport->mapToGlobal(QPointF(-2000, -2000)), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
  QApplication::sendEvent(viewport, &far);
  QCOMPARE(legend->pos(), QPoint(0, 0));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, grip);
  // Legend in the output follows where it stands now: its corner at the plot's top-left.
  QVERIFY(!m_graph->Lines[0].Points.empty());
  QCOMPARE(m_form->screenSettings().legendPos, QPoint(0, 0));
}

void PlotFormTest::savesPicturesOfTheChosenSize_data() {
  QTest::addColumn<QString>("filter");
  QTest::addColumn<double>("height");
  QTest::addColumn<double>("width");
  QTest::addColumn<int>("ppi");
  QTest::addColumn<int>("colors");
  QTest::addColumn<QString>("expectedFile");
  QTest::addColumn<QSize>("size");
  QTest::newRow("png 6 x 4 at 72, 16 colours")
      << "PNG (*.png)" << 4.0 << 6.0 << 72 << 1 << "plot.png" << QSize(432, 288);
  QTest::newRow("bmp true colour")
      << "Bitmap (*.bmp)" << 3.0 << 5.0 << 50 << 4 << "plot.bmp" << QSize(250, 150);
  QTest::newRow("smallest, black and white")
      << "PNG (*.png)" << 2.0 << 2.0 << 10 << 0 << "plot.png" << QSize(20, 20);
}

void PlotFormTest::savesPicturesOfTheChosenSize() {
  QFETCH(QString, filter);
  QFETCH(double, height);
  QFETCH(double, width);
  QFETCH(int, ppi);
  QFETCH(int, colors);
  QFETCH(QString, expectedFile);
  QFETCH(QSize, size);
  QTemporaryDir dir;
  m_form->chooseSaveFile = [&](QString& selected) {
    selected = filter;
    return dir.filePath(QStringLiteral("plot"));
  };
  int firstColors = -1;
  m_form->runDialog = [&](QDialog& dialog) {
    auto& format = dynamic_cast<TdlgFormat&>(dialog);
    format.show();
    firstColors = format.colors();
    format.deHeight->setText(QString::number(height));
    format.deWidth->setText(QString::number(width));
    format.dePPI->setText(QString::number(ppi));
    format.colorButtons[std::size_t(colors)]->setChecked(true);
    QTest::mouseClick(format.okButton, Qt::LeftButton);
    return format.result();
  };
  m_form->saveToDisk();
  QCOMPARE(firstColors, 1);  // "16 Colors" is checked first
  const QImage saved(dir.filePath(expectedFile));
  QVERIFY(!saved.isNull());
  QCOMPARE(saved.size(), size);
  // White background with the curves and the frame on it.
  // (The margins scale with the resolution: at 10 ppi the frame stands one pixel from the edge.)
  QCOMPARE(saved.pixelColor(saved.width() - 1, saved.height() / 2), QColor(Qt::white));
}

void PlotFormTest::pictureTooLargeSaysNotEnoughMemory() {
  MessageRecorder boxes;
  QTemporaryDir dir;
  m_form->chooseSaveFile = [&](QString& selected) {
    selected = QStringLiteral("PNG (*.png)");
    return dir.filePath(QStringLiteral("huge.png"));
  };
  m_form->runDialog = [&](QDialog& dialog) {
    auto& format = dynamic_cast<TdlgFormat&>(dialog);
    format.show();
    format.deHeight->setText(QStringLiteral("100000"));
    format.deWidth->setText(QStringLiteral("100000"));
    format.dePPI->setText(QStringLiteral("1000"));
    QTest::mouseClick(format.okButton, Qt::LeftButton);
    return format.result();
  };
  m_form->saveToDisk();
  QCOMPARE(boxes.last(), QStringLiteral("There is not enough memory to complete this task."));
  QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("huge.png"))));
}

void PlotFormTest::pictureAndPrintStartInTheProjectFolderAtARoomySize() {
  QTemporaryDir dir;
  m_form->setOutputFolder(dir.path());
  QCOMPARE(m_form->pictureProposal(QStringLiteral("png")),
           dir.filePath(QStringLiteral("Total_Capacity_vs_Depth.png")));
  QString printProposal;
  m_form->choosePrinter = [&](QPrinter& printer) {
    printProposal = printer.outputFileName();
    return false;
  };
  m_form->printPlot();
  // Without a printer, a print to a file is proposed in the folder.
  if (QPrinterInfo::availablePrinterNames().isEmpty())
    QCOMPARE(printProposal, dir.filePath(QStringLiteral("Total_Capacity_vs_Depth.pdf")));

  // Save Attributes proposes 8 x 6 in at 150 ppi: 1200 x 900 pixels.
  m_form->chooseSaveFile = [&](QString& selected) {
    selected = QStringLiteral("PNG (*.png)");
    return m_form->pictureProposal(QStringLiteral("png"));
  };
  QList<double> proposed;
  m_form->runDialog = [&](QDialog& dialog) {
    auto& format = dynamic_cast<TdlgFormat&>(dialog);
    format.show();
    proposed = {format.deHeight->Number(), format.deWidth->Number(), format.dePPI->Number()};
    QTest::mouseClick(format.okButton, Qt::LeftButton);
    return format.result();
  };
  m_form->saveToDisk();
  QCOMPARE(proposed, (QList<double>{6.0, 8.0, 150.0}));
  const QImage saved(m_form->pictureProposal(QStringLiteral("png")));
  QCOMPARE(saved.size(), QSize(1200, 900));
}

void PlotFormTest::pictureTextScalesWithTheResolution() {
  // The same picture in inches at two resolutions: the caption's first dark row lies twice as far
  // down at twice the resolution (within the rounding of the font and the margins).
  QTemporaryDir dir;
  const auto firstDarkRow = [&](int ppi) {
    const QString file = dir.filePath(QStringLiteral("p%1.png").arg(ppi));
    QImage bitmap(BitmapSize(6.0, 8.0, ppi), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    const QString error = m_form->saveBitmap(bitmap, TdlgFormat::TrueColor, file, "PNG", ppi);
    if (!error.isEmpty()) return -1;
    const QImage saved(file);
    for (int y = 0; y < saved.height(); ++y) {
      for (int x = 0; x < saved.width(); ++x) {
        if (qGray(saved.pixel(x, y)) < 128) return y;
      }
    }
    return -1;
  };
  const int at150 = firstDarkRow(150);
  const int at300 = firstDarkRow(300);
  QVERIFY(at150 > 0);
  QVERIFY2(std::abs(at300 - 2 * at150) <= 4,
           qPrintable(QStringLiteral("%1 %2").arg(at150).arg(at300)));
}

void PlotFormTest::failedPictureSaveNamesTheFile() {
  MessageRecorder boxes;
  QTemporaryDir dir;
  const QString target = dir.filePath(QStringLiteral("no-such-folder/plot.png"));
  m_form->chooseSaveFile = [&](QString& selected) {
    selected = QStringLiteral("PNG (*.png)");
    return target;
  };
  m_form->runDialog = [&](QDialog& dialog) {
    auto& format = dynamic_cast<TdlgFormat&>(dialog);
    format.show();
    format.dePPI->setText(QStringLiteral("20"));
    QTest::mouseClick(format.okButton, Qt::LeftButton);
    return format.result();
  };
  m_form->saveToDisk();
  QVERIFY2(boxes.last().startsWith(QStringLiteral("The picture could not be saved to ") +
                                   QDir::toNativeSeparators(target)),
           qPrintable(boxes.last()));
  QVERIFY(!QFile::exists(target));
}

void PlotFormTest::oneWindowPerGraphAndSettingsSurvive() {
  TGraphPlot graph;
  fillGraph(graph);
  TPlotForm* first = ShowPlot(graph);
  QVERIFY(first != nullptr);
  QCOMPARE(ShowPlot(graph), first);
  QCOMPARE(PlotWindowOf(graph), first);
  first->setFontScale(30);
  first->close();
  QTRY_VERIFY(PlotWindowOf(graph) == nullptr);
  QCOMPARE(graph.SizeFont, 30);
  TPlotForm* second = ShowPlot(graph);
  QVERIFY(second != nullptr);
  // The legend takes the font scale again: font 33, items 49.
  QCOMPARE(second->Legend->height(), 3 * 49 + 3);
  QCOMPARE(second->view().ranges[0], second->fullView().ranges[0]);
  delete second;

  // Data without a range open no window.
  TGraphPlot broken;
  broken.SetLineCount(1);
  broken.SetPointCount(2);
  broken.Lines[0].Points[1] = {1.0, std::numeric_limits<double>::infinity()};
  QVERIFY(ShowPlot(broken) == nullptr);
  QVERIFY(PlotWindowOf(broken) == nullptr);
}

void PlotFormTest::legendFollowsTheOpeningSizeThenStays() {
  // Shown small and maximised before it is first drawn, as a frame opens it.
  TGraphPlot graph;
  fillGraph(graph);
  TPlotForm form(graph);
  form.resize(400, 300);
  form.show();
  form.resize(1000, 800);
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QTRY_VERIFY(form.canvas()->width() > 900);
  TPlotLayout layout = form.screenLayout();
  QVERIFY(legendClearOfCurves(form));
  QVERIFY(form.Legend->geometry().bottom() > layout.plot.bottom - 20);
  // Once drawn, a resize keeps the legend where it is, inside the window.
  const QPoint before = form.Legend->pos();
  form.resize(1100, 850);
  QTRY_VERIFY(form.canvas()->width() > 1000);
  QCOMPARE(form.Legend->pos(), before);
  form.resize(500, 400);
  QTRY_VERIFY(form.canvas()->width() < 600);
  QVERIFY(form.Legend->geometry().right() < form.canvas()->width());
  QVERIFY(form.Legend->geometry().bottom() < form.canvas()->height());
}

void PlotFormTest::graphGivenFewerCurvesWhileOpen() {
  // A reload that shrinks the graph under an open window: menu, legend and paint keep going.
  m_graph->SetLineCount(1);
  QMetaObject::invokeMethod(m_form->PlotMenu, "aboutToShow");
  QVERIFY(!m_form->curveItems[2]->isChecked());
  m_form->curveItems[2]->trigger();
  m_form->curveItems[0]->trigger();
  QVERIFY(!m_graph->Lines[0].Active);
  QVERIFY(!canvasImage(*m_form).isNull());
}

QTEST_MAIN(PlotFormTest)
#include "plot_form_test.moc"
