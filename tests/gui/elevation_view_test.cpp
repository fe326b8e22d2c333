// The elevation view window on a real project: it follows edits when activated, shows the depth
// under the mouse, draws the pile, and prints the picture to a PDF file through the print chooser.
#include "gui/elevation_view.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QtTest>

#include "app/program_data.h"

using namespace vorne;

namespace {

// A 1 ft pile of 20 ft with 2 ft stick-up in sand to 10 ft over clay to 25 ft.
void describe(TProgramData& project) {
  project.OutsideDiameter = 12;
  project.PileLength = 20;
  project.StickupLength = 2;
  project.D.setRowCount(2);
  project.D.cell(col::kSoilType, 0).setInteger(1);
  project.D.cell(col::kBottomDepth, 0).setFloat(10);
  project.D.cell(col::kSoilType, 1).setInteger(2);
  project.D.cell(col::kBottomDepth, 1).setFloat(25);
}

}  // namespace

class DlgSideViewTest : public QObject {
  Q_OBJECT

 private slots:
  void followsTheProjectOnActivation();
  void captionShowsTheDepthUnderTheMouse();
  void drawsThePile();
  void printsToAPdfFile();
};

void DlgSideViewTest::followsTheProjectOnActivation() {
  TProgramData project;
  describe(project);
  TDlgSideView view(project);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  QCOMPARE(view.windowTitle(), "Elevation View");
  QCOMPARE(view.outline().quads.at(0)[2].Y, 18.0);

  project.PileLength = 30;
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&view, &activate);
  QCOMPARE(view.outline().quads.at(0)[2].Y, 28.0);
  QCOMPARE(view.outline().range.YMax, 28 * 1.05);
}

void DlgSideViewTest::captionShowsTheDepthUnderTheMouse() {
  TProgramData project;
  describe(project);
  TDlgSideView view(project);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  QWidget* area = view.drawingArea();
  const QPoint where(area->width() / 2, area->height() / 2);
  QTest::mouseMove(area, where);
  QTRY_COMPARE(view.windowTitle(),
               sideViewReadout(sideViewDepthAt(view.layout().shown, where.y(), area->height())));
  QVERIFY(view.windowTitle().startsWith("  Depth: "));
}

void DlgSideViewTest::drawsThePile() {
  TProgramData project;
  describe(project);
  TDlgSideView view(project);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  const QImage picture = view.grabPicture();
  const SideViewRange& shown = view.layout().shown;
  const int x = static_cast<int>(sideViewPixelX(shown, 0.0, picture.width()));
  const int y = static_cast<int>(sideViewPixelY(shown, 15.0, picture.height()));
  QCOMPARE(picture.pixelColor(x, y), view.palette().color(QPalette::WindowText));
  QCOMPARE(picture.pixelColor(picture.width() - 3, y), view.palette().color(QPalette::Window));
}

void DlgSideViewTest::printsToAPdfFile() {
  TProgramData project;
  describe(project);
  TDlgSideView view(project);
  QTemporaryDir folder;
  const QString pdf = folder.filePath("profile.pdf");
  QString title;
  bool landscape = false;
  QString proposal;
  view.setPrintChooser([&](QPrinter& printer, QWidget*) {
    title = printer.docName();
    proposal = printer.outputFileName();
    landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  });
  view.printButton()->click();
  QCOMPARE(title, "Soil-Pile Profile");
  // Without a printer a print to a file is proposed in the project's (here the current) folder.
  if (QPrinterInfo::availablePrinterNames().isEmpty())
    QCOMPARE(proposal, QDir::current().filePath("Soil-Pile_Profile.pdf"));
  QVERIFY(landscape);
  QFile file(pdf);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QVERIFY(file.read(4) == "%PDF");
  QVERIFY(file.size() > 1000);

  // Cancelled: nothing printed.
  const QString cancelled = folder.filePath("cancelled.pdf");
  view.setPrintChooser([&](QPrinter& printer, QWidget*) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(cancelled);
    return false;
  });
  view.printButton()->click();
  QVERIFY(!QFileInfo::exists(cancelled));
}

QTEST_MAIN(DlgSideViewTest)
#include "elevation_view_test.moc"
