// The calculation report dialog.
#include "gui/report_export_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/main_window_rules.h"
#include "base/io_error.h"
#include "gui/data_edit.h"
#include "gui/message_box.h"

using namespace vorne;

TDlgReportExport::TDlgReportExport(const TProgramData& project,
                                   const TMainGraphs& graphs,
                                   QWidget* parent)
    : QDialog(parent), m_project(project), m_graphs(graphs) {
  setWindowTitle(QStringLiteral("Export Report as PDF"));
  auto* form = new QFormLayout;

  FileNameEdit = new QLineEdit(this);
  const QFileInfo projectFile(project.fileName());
  FileNameEdit->setText(projectFile.absolutePath() + QLatin1Char('/') +
                        projectFile.completeBaseName() + QStringLiteral(".pdf"));
  FileNameEdit->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
  BrowseButton = new QPushButton(QStringLiteral("&Browse..."), this);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(FileNameEdit);
  fileRow->addWidget(BrowseButton);
  form->addRow(QStringLiteral("&File:"), fileRow);

  PageSizeBox = new QComboBox(this);
  PageSizeBox->addItem(QStringLiteral("Letter"));
  PageSizeBox->addItem(QStringLiteral("A4"));
  const int units = graphs.pltSkin.Units();
  PageSizeBox->setCurrentIndex(defaultReportPage(units) == ReportPage::A4 ? 1 : 0);
  form->addRow(QStringLiteral("&Page size:"), PageSizeBox);

  RequiredCheck = new QCheckBox(QStringLiteral("Penetration for a &required capacity"), this);
  form->addRow(RequiredCheck);
  RequiredEdit = new TDataEdit(this);
  auto* requiredLabel = new QLabel(this);
  RequiredEdit->setEditLabel(requiredLabel);
  RequiredEdit->setCaption(QStringLiteral("Required ultimate capacity"));
  RequiredEdit->setUnits(units);
  RequiredEdit->setUnitsString(QStringLiteral("F1"));
  RequiredEdit->setMinVal(0.001);
  RequiredEdit->setMaxVal(1.0e7);
  RequiredEdit->setNumber(100.0);
  RequiredEdit->setEnabled(false);
  form->addRow(requiredLabel, RequiredEdit);
  connect(RequiredCheck, &QCheckBox::toggled, RequiredEdit, &QWidget::setEnabled);

  auto* buttons = new QDialogButtonBox(this);
  ExportButton = buttons->addButton(QStringLiteral("&Export"), QDialogButtonBox::AcceptRole);
  CancelButton = buttons->addButton(QDialogButtonBox::Cancel);
  ExportButton->setDefault(true);
  connect(ExportButton, &QPushButton::clicked, this, &TDlgReportExport::ExportClick);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(BrowseButton, &QPushButton::clicked, this, &TDlgReportExport::BrowseClick);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);

  m_chooseFile = [](QWidget* owner, const QString& proposal) {
    return QFileDialog::getSaveFileName(owner, QStringLiteral("Export Report as PDF"), proposal,
                                        QStringLiteral("PDF (*.pdf)"));
  };
  m_openFile = [](const QString& fileName) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
  };
}

ReportOptions TDlgReportExport::options() const {
  ReportOptions options;
  options.page = PageSizeBox->currentIndex() == 1 ? ReportPage::A4 : ReportPage::Letter;
  if (RequiredCheck->isChecked()) options.requiredCapacity = RequiredEdit->Number();
  options.date = m_date;
  return options;
}

void TDlgReportExport::BrowseClick() {
  const QString chosen = m_chooseFile(this, FileNameEdit->text());
  if (!chosen.isEmpty()) FileNameEdit->setText(chosen);
}

void TDlgReportExport::ExportClick() {
  if (RequiredCheck->isChecked() && !RequiredEdit->Validate()) return;
  QString fileName = FileNameEdit->text().trimmed();
  if (fileName.isEmpty()) {
    showMessageBox(this, QMessageBox::Warning, windowTitle(),
                   QStringLiteral("Please give the name of the PDF file."));
    return;
  }
  if (QFileInfo(fileName).suffix().isEmpty()) fileName += QStringLiteral(".pdf");
  fileName = QFileInfo(fileName).absoluteFilePath();

  ReportSources sources;
  sources.project = &m_project;
  sources.graphs = &m_graphs;
  sources.reportFile = projectSideFile(m_project.fileName(), ".vr6o");
  QFile report(sources.reportFile);
  if (!report.open(QIODevice::ReadOnly)) {
    showMessageBox(this, QMessageBox::Warning, windowTitle(),
                   QStringLiteral("The report of the run cannot be read: %1: %2")
                       .arg(sources.reportFile, report.errorString()));
    return;
  }
  sources.reportText = QString::fromLatin1(report.readAll());

  QApplication::setOverrideCursor(Qt::WaitCursor);
  QString failure;
  try {
    writeCalculationReport(fileName, sources, options());
  } catch (const EInOutError& error) {
    failure = error.message();
  }
  QApplication::restoreOverrideCursor();
  if (!failure.isEmpty()) {
    showMessageBox(
        this, QMessageBox::Warning, windowTitle(),
        QStringLiteral("The report could not be written to %1: %2").arg(fileName, failure));
    return;
  }
  accept();
  if (showMessageBox(
          parentWidget(), QMessageBox::Question, windowTitle(),
          QStringLiteral("The report was written to %1.\nDo you want to open it?").arg(fileName),
          QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes) {
    if (!m_openFile(fileName)) {
      showMessageBox(parentWidget(), QMessageBox::Information, windowTitle(),
                     QStringLiteral("No program could open %1").arg(fileName));
    }
  }
}
