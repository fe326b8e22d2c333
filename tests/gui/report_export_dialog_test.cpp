// "Export Report as PDF...": the Computation item waits for results, its dialog proposes the
// project's name and the page of its unit system, writes the document with the required capacity
// typed in and offers to open it; a file that cannot be written is reported and nothing is left.
#include "gui/report_export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include "gui/data_edit.h"
#include "gui/main_form.h"
#include "message_recorder.h"

using namespace vorne;

class ReportExportDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void itemWaitsForResults();
  void exportWritesTheDocumentAndOffersToOpenIt();
  void unwritableFileIsReported();

 private:
  QTemporaryDir m_settings;
  QTemporaryDir m_folder;
};

void ReportExportDialogTest::initTestCase() {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
}

void ReportExportDialogTest::itemWaitsForResults() {
  TMainForm form;
  const QList<QAction*> items = form.computationMenu->actions();
  QCOMPARE(items.last(), form.mExportReport);
  QCOMPARE(form.mExportReport->text(), "&Export Report as PDF...");
  QVERIFY(items.at(items.size() - 2)->isSeparator());
  QVERIFY(!form.mExportReport->isEnabled());
}

void ReportExportDialogTest::exportWritesTheDocumentAndOffersToOpenIt() {
  const QString file = m_folder.filePath("square.vr6d");
  QVERIFY(QFile::copy(VORNE_SOURCE_DIR "/examples/square_concrete.vr6d", file));
  TMainForm form;
  MessageRecorder boxes(QMessageBox::Yes);
  QVERIFY(form.openProjectFile(file, true));
  form.CompRun->trigger();
  QVERIFY(form.resultsAvailable());
  QVERIFY(form.mExportReport->isEnabled());

  QString proposal;
  QString page;
  QStringList opened;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TDlgReportExport*>(QApplication::activeModalWidget());
    if (!dialog) return;
    proposal = dialog->FileNameEdit->text();
    page = dialog->PageSizeBox->currentText();
    QVERIFY(!dialog->RequiredEdit->isEnabled());
    dialog->RequiredCheck->setChecked(true);
    dialog->RequiredEdit->setText("350+50");  // an expression, as every numeric field takes
    dialog->setFileOpener([&](const QString& name) {
      opened << name;
      return true;
    });
    dialog->ExportButton->click();
    if (dialog->isVisible()) dialog->reject();
  });
  form.mExportReport->trigger();
  QCOMPARE(proposal, m_folder.filePath("square.pdf"));
  QCOMPARE(page, "Letter");  // English units
  QVERIFY2(boxes.last().startsWith("The report was written to " + m_folder.filePath("square.pdf")),
           qPrintable(boxes.last()));
  QCOMPARE(opened, QStringList{m_folder.filePath("square.pdf")});
  QFile pdf(m_folder.filePath("square.pdf"));
  QVERIFY(pdf.open(QIODevice::ReadOnly));
  QVERIFY(pdf.read(5) == "%PDF-");
  if (!QStandardPaths::findExecutable("pdftotext").isEmpty()) {
    QProcess text;
    text.start("pdftotext", {"-layout", pdf.fileName(), "-"});
    text.waitForFinished(60000);
    const QByteArray document = text.readAllStandardOutput();
    QVERIFY(document.contains("400.0 kips"));
    QVERIFY(document.contains("45.95"));  // FHWA's penetration for 400 kips
  }
}

void ReportExportDialogTest::unwritableFileIsReported() {
  TProgramData project;
  project.setFileName(m_folder.filePath("plain.vr6d"));
  TMainGraphs graphs;
  // A report the dialog can read, for a run without curves.
  QFile report(m_folder.filePath("plain.vr6o"));
  QVERIFY(report.open(QIODevice::WriteOnly));
  report.write("report\n");
  report.close();
  TDlgReportExport dialog(project, graphs);
  MessageRecorder boxes;
  const QString target = m_folder.filePath("missing/plain.pdf");
  dialog.FileNameEdit->setText(target);
  dialog.ExportButton->click();
  QVERIFY2(boxes.last().startsWith("The report could not be written to " + target),
           qPrintable(boxes.last()));
  QCOMPARE(dialog.result(), int(QDialog::Rejected));
  QVERIFY(!QFileInfo::exists(target));
}

QTEST_MAIN(ReportExportDialogTest)
#include "report_export_dialog_test.moc"
