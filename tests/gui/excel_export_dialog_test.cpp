// The export dialog: entries follow the Graphics menu, Select All and Unselect All touch only the
// offered entries, Generate writes the workbook of the checked graphs and offers to open it, and a
// workbook that cannot be written is reported.
#include "gui/excel_export_dialog.h"

#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "message_recorder.h"

using namespace vorne;

namespace {

// Results of a compression run without extra t-z depths: every entry but the extra t-z curves.
ExportPlotFlags compressionRun() {
  ExportPlotFlags flags{};
  flags.fill(true);
  flags[8] = false;
  return flags;
}

void fillGraphs(TMainGraphs& graphs) {
  for (TGraphPlot* graph : exportPlotList(graphs)) {
    graph->SetLineCount(2);
    graph->SetPointCount(3);
  }
}

QStringList checked(const TDlgExport& dialog) {
  QStringList captions;
  for (int i = 0; i < dialog.CheckListBoxPlots->count(); ++i) {
    const QListWidgetItem* item = dialog.CheckListBoxPlots->item(i);
    if (item->checkState() == Qt::Checked) captions << item->text();
  }
  return captions;
}

}  // namespace

class DlgExportTest : public QObject {
  Q_OBJECT

 private slots:
  void noPlotDataOffersNothing();
  void selectionTouchesOnlyOfferedEntries();
  void generateWritesTheCheckedGraphs();
  void unwritableWorkbookIsReported();
};

void DlgExportTest::noPlotDataOffersNothing() {
  TMainGraphs graphs;
  TDlgExport dialog(graphs, [] { return ExportPlotFlags{}; });
  QCOMPARE(dialog.CheckListBoxPlots->count(), kExportPlotCount);
  QCOMPARE(dialog.CheckListBoxPlots->item(0)->text(), "Unit Skin Friction vs Depth");
  QCOMPARE(dialog.CheckListBoxPlots->item(9)->text(), "Internally-Generated Q-w Curve");
  for (int i = 0; i < kExportPlotCount; ++i) {
    QVERIFY(!(dialog.CheckListBoxPlots->item(i)->flags() & Qt::ItemIsEnabled));
  }
  QVERIFY(checked(dialog).isEmpty());
  QVERIFY(!dialog.GenerateButton->isEnabled());
  dialog.SelectAllButton->click();
  QVERIFY(checked(dialog).isEmpty());
  QVERIFY(!dialog.GenerateButton->isEnabled());
}

void DlgExportTest::selectionTouchesOnlyOfferedEntries() {
  TMainGraphs graphs;
  ExportPlotFlags offered = compressionRun();
  TDlgExport dialog(graphs, [&] { return offered; });
  QCOMPARE(checked(dialog).size(), 9);
  QVERIFY(!checked(dialog).contains("Extra t-z curves at User Specified Depths"));
  dialog.UnselectAllButton->click();
  QVERIFY(checked(dialog).isEmpty());
  QVERIFY(!dialog.GenerateButton->isEnabled());
  // Ticking one entry by hand enables Generate.
  dialog.CheckListBoxPlots->item(9)->setCheckState(Qt::Checked);
  QVERIFY(dialog.GenerateButton->isEnabled());
  dialog.SelectAllButton->click();
  QCOMPARE(checked(dialog).size(), 9);

  // Showing the dialog again follows the menu: in tension the tip and Q-w entries go.
  offered[2] = offered[9] = false;
  dialog.show();
  QCOMPARE(checked(dialog).size(), 7);
  QVERIFY(!(dialog.CheckListBoxPlots->item(2)->flags() & Qt::ItemIsEnabled));
}

void DlgExportTest::generateWritesTheCheckedGraphs() {
  TMainGraphs graphs;
  fillGraphs(graphs);
  TDlgExport dialog(graphs, compressionRun);
  dialog.UnselectAllButton->click();
  dialog.CheckListBoxPlots->item(9)->setCheckState(Qt::Checked);

  QTemporaryDir folder;
  QString proposal;
  dialog.setProposedFileName(folder.filePath("pier.xlsx"));
  dialog.setSaveChooser([&](QWidget*, const QString& proposed) {
    proposal = proposed;
    return folder.filePath("qw");  // no extension: ".xlsx" is added
  });
  QString opened;
  dialog.setFileOpener([&](const QString& file) {
    opened = file;
    return true;
  });
  MessageRecorder boxes(QMessageBox::Yes);
  dialog.GenerateButton->click();
  QCOMPARE(proposal, folder.filePath("pier.xlsx"));
  const QString written = folder.filePath("qw.xlsx");
  QVERIFY(QFileInfo::exists(written));
  QCOMPARE(boxes.texts.size(), 1);
  QVERIFY(boxes.last().contains("Open it now?"));
  QCOMPARE(opened, written);

  // Declining leaves the file unopened; a failing opener says so.
  opened.clear();
  boxes.answerWith(QMessageBox::No);
  dialog.GenerateButton->click();
  QVERIFY(opened.isEmpty());
  boxes.answerWith(QMessageBox::Yes);
  dialog.setFileOpener([](const QString&) { return false; });
  dialog.GenerateButton->click();
  QVERIFY(boxes.last().startsWith("No application could open"));

  // Cancelling the file dialog writes nothing and asks nothing.
  const int shown = boxes.texts.size();
  dialog.setSaveChooser([](QWidget*, const QString&) { return QString(); });
  dialog.GenerateButton->click();
  QCOMPARE(boxes.texts.size(), shown);
}

void DlgExportTest::unwritableWorkbookIsReported() {
  TMainGraphs graphs;
  fillGraphs(graphs);
  TDlgExport dialog(graphs, compressionRun);
  QTemporaryDir folder;
  dialog.setSaveChooser(
      [&](QWidget*, const QString&) { return folder.filePath("missing/folder/out.xlsx"); });
  bool opened = false;
  dialog.setFileOpener([&](const QString&) { return opened = true; });
  MessageRecorder boxes(QMessageBox::Yes);
  dialog.GenerateButton->click();
  QCOMPARE(boxes.texts.size(), 1);
  QVERIFY(boxes.last().startsWith("The workbook could not be written."));
  QVERIFY(boxes.last().contains("missing/folder/out.xlsx"));
  QVERIFY(!opened);
}

QTEST_MAIN(DlgExportTest)
#include "excel_export_dialog_test.moc"
