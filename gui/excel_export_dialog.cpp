// Export dialog over the windowless workbook writer.
#include "gui/excel_export_dialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/message_box.h"

using namespace vorne;

namespace {

QString chooseWorkbook(QWidget* parent, const QString& proposal) {
  return QFileDialog::getSaveFileName(parent, QStringLiteral("Export to Excel"), proposal,
                                      QStringLiteral("Excel Workbook (*.xlsx)"));
}

bool openWithDesktop(const QString& fileName) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

}  // namespace

TDlgExport::TDlgExport(TMainGraphs& graphs, EnabledItems enabledItems, QWidget* parent)
    : QDialog(parent),
      m_graphs(graphs),
      m_enabledItems(std::move(enabledItems)),
      m_chooseFile(chooseWorkbook),
      m_openFile(openWithDesktop) {
  setObjectName(QStringLiteral("DlgExport"));
  setWindowTitle(QStringLiteral("Export to Excel"));

  auto* column = new QVBoxLayout(this);
  column->addWidget(
      new QLabel(QStringLiteral("The chosen plots are written into a spreadsheet workbook (.xlsx): "
                                "a Legend sheet, and for each plot its data and its chart."),
                 this));
  column->addWidget(new QLabel(
      QStringLiteral("No spreadsheet program is needed to write it; the workbook can be opened "
                     "afterwards."),
      this));
  auto* group = new QGroupBox(QStringLiteral("Available Plots"), this);
  auto* groupColumn = new QVBoxLayout(group);
  CheckListBoxPlots = new QListWidget(group);
  CheckListBoxPlots->setObjectName(QStringLiteral("CheckListBoxPlots"));
  groupColumn->addWidget(CheckListBoxPlots);
  column->addWidget(group, 1);

  SelectAllButton = new QPushButton(QStringLiteral("Select All"), this);
  UnselectAllButton = new QPushButton(QStringLiteral("Unselect All"), this);
  GenerateButton = new QPushButton(QStringLiteral("Generate Excel File"), this);
  CloseButton = new QPushButton(QStringLiteral("Close Window"), this);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {SelectAllButton, UnselectAllButton, GenerateButton, CloseButton}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  GenerateButton->setDefault(true);
  column->addLayout(buttons);

  connect(SelectAllButton, &QPushButton::clicked, this, &TDlgExport::SelectAllClick);
  connect(UnselectAllButton, &QPushButton::clicked, this, &TDlgExport::UnselectAllClick);
  connect(GenerateButton, &QPushButton::clicked, this, &TDlgExport::GenerateClick);
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
  // Ticking by hand re-evaluates Generate at once.
  connect(CheckListBoxPlots, &QListWidget::itemChanged, this, [this] { refreshGenerate(); });
  refill();
}

void TDlgExport::refill() {
  const ExportPlotFlags enabled = m_enabledItems ? m_enabledItems() : ExportPlotFlags{};
  const auto list = exportPlotList(m_graphs);
  const QSignalBlocker quiet(CheckListBoxPlots);
  CheckListBoxPlots->clear();
  for (std::size_t i = 0; i < list.size(); ++i) {
    auto* item = new QListWidgetItem(list[i]->Caption, CheckListBoxPlots);
    item->setFlags(enabled[i] ? Qt::ItemIsUserCheckable | Qt::ItemIsEnabled
                              : Qt::ItemIsUserCheckable);
    item->setCheckState(enabled[i] ? Qt::Checked : Qt::Unchecked);
  }
  refreshGenerate();
}

void TDlgExport::showEvent(QShowEvent* event) {
  refill();
  QDialog::showEvent(event);
}

void TDlgExport::checkEvery(bool checked) {
  const QSignalBlocker quiet(CheckListBoxPlots);
  for (int i = 0; i < CheckListBoxPlots->count(); ++i) {
    QListWidgetItem* item = CheckListBoxPlots->item(i);
    if (item->flags() & Qt::ItemIsEnabled)
      item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  }
  refreshGenerate();
}

void TDlgExport::SelectAllClick() { checkEvery(true); }
void TDlgExport::UnselectAllClick() { checkEvery(false); }

void TDlgExport::refreshGenerate() {
  bool any = false;
  for (int i = 0; i < CheckListBoxPlots->count(); ++i) {
    const QListWidgetItem* item = CheckListBoxPlots->item(i);
    any = any || ((item->flags() & Qt::ItemIsEnabled) && item->checkState() == Qt::Checked);
  }
  GenerateButton->setEnabled(any);
}

void TDlgExport::GenerateClick() {
  ExportPlotFlags chosen{};
  for (int i = 0; i < CheckListBoxPlots->count() && i < kExportPlotCount; ++i) {
    const QListWidgetItem* item = CheckListBoxPlots->item(i);
    chosen[static_cast<std::size_t>(i)] =
        (item->flags() & Qt::ItemIsEnabled) && item->checkState() == Qt::Checked;
  }
  const QString proposal =
      m_proposal.isEmpty() ? QDir::current().filePath(QStringLiteral("plots.xlsx")) : m_proposal;
  QString fileName = m_chooseFile(this, proposal);
  if (fileName.isEmpty()) return;
  if (QFileInfo(fileName).suffix().isEmpty()) fileName += QStringLiteral(".xlsx");

  QApplication::setOverrideCursor(Qt::WaitCursor);
  const WorkbookExportResult result =
      exportGraphsToWorkbook(chosenExportPlots(m_graphs, chosen), fileName);
  QApplication::restoreOverrideCursor();
  if (!result.ok) {
    showMessageBox(
        this, QMessageBox::Warning, windowTitle(),
        (result.written ? QStringLiteral("The export stopped; the Status column of the Legend "
                                         "sheet shows how far each plot got.\n")
                        : QStringLiteral("The workbook could not be written.\n")) +
            result.message);
    return;
  }
  if (showMessageBox(this, QMessageBox::Question, windowTitle(),
                     QStringLiteral("The workbook %1 is written. Open it now?")
                         .arg(QDir::toNativeSeparators(fileName)),
                     QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes &&
      !m_openFile(fileName)) {
    showMessageBox(
        this, QMessageBox::Information, windowTitle(),
        QStringLiteral("No application could open %1.").arg(QDir::toNativeSeparators(fileName)));
  }
}
