// The report viewer: a report in a fixed-width font, found text next and previous with wrapping,
// printing to a file proposed in the project's folder, an unreadable report told by name, and
// View Output opening it when no word processor is set (a configured one still wins).
#include "gui/report_viewer.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QtTest>

#include "gui/main_form.h"
#include "message_recorder.h"

namespace {

const QString kExamples = QStringLiteral(VORNE_SOURCE_DIR "/examples/");

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// A report of a few lines: the word "capacity" on lines 2 and 4.
const QByteArray kReport =
    "  VORNE 2014 REPORT\r\n"
    "  ULTIMATE CAPACITY          = 412.50 kips\r\n"
    "  DEPTH (ft)   LOAD (kips)\r\n"
    "\f  TIP CAPACITY   = 120.00 kips\r\n";

}  // namespace

class ReportViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void showsTheReportInAFixedFont();
  void findsNextAndPreviousAroundTheEnds();
  void printsToAFileInTheProjectFolder();
  void unreadableReportIsToldByName();
  void viewOutputUsesTheViewerWithoutAWordProcessor();

 private:
  QTemporaryDir m_folder;
};

void ReportViewerTest::initTestCase() {
  QVERIFY(m_folder.isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_folder.path());
  writeFile(m_folder.filePath("pier.vr6o"), kReport);
}

void ReportViewerTest::showsTheReportInAFixedFont() {
  TReportViewer viewer;
  QVERIFY(viewer.showFile(m_folder.filePath("pier.vr6o")));
  QCOMPARE(viewer.windowTitle(), QStringLiteral("pier.vr6o"));
  QVERIFY(QFontInfo(viewer.text->font()).fixedPitch());
  QCOMPARE(viewer.text->lineWrapMode(), QPlainTextEdit::NoWrap);
  QVERIFY(viewer.text->isReadOnly());
  // Line ends without CR; the page break a blank line.
  QCOMPARE(viewer.text->toPlainText().split('\n').size(), 6);
  QVERIFY(!viewer.text->toPlainText().contains('\r'));
  QVERIFY(!viewer.text->toPlainText().contains('\f'));
}

void ReportViewerTest::findsNextAndPreviousAroundTheEnds() {
  TReportViewer viewer;
  QVERIFY(viewer.showFile(m_folder.filePath("pier.vr6o")));
  const auto line = [&] { return viewer.text->textCursor().blockNumber(); };
  viewer.findEdit->setText(QStringLiteral("capacity"));  // any case
  QVERIFY(viewer.findNext());
  QCOMPARE(line(), 1);
  QCOMPARE(viewer.text->textCursor().selectedText(), QStringLiteral("CAPACITY"));
  QVERIFY(viewer.findNext());
  QCOMPARE(line(), 4);
  QVERIFY(viewer.findNext());  // round to the start
  QCOMPARE(line(), 1);
  QVERIFY(viewer.findPrevious());  // round to the end
  QCOMPARE(line(), 4);
  QVERIFY(viewer.findPrevious());
  QCOMPARE(line(), 1);
  // Enter in the find field goes on to the next.
  QTest::keyClick(viewer.findEdit, Qt::Key_Return);
  QCOMPARE(line(), 4);

  viewer.findEdit->setText(QStringLiteral("settlement"));
  QVERIFY(!viewer.findNext());
  QCOMPARE(viewer.findStatus->text(), QStringLiteral("Not found"));
  QCOMPARE(line(), 4);  // the cursor stays where it was
}

void ReportViewerTest::printsToAFileInTheProjectFolder() {
  TReportViewer viewer;
  QVERIFY(viewer.showFile(m_folder.filePath("pier.vr6o")));
  viewer.setOutputFolder(m_folder.path());
  QString proposed;
  const QString pdf = m_folder.filePath("printed.pdf");
  viewer.choosePrinter = [&](QPrinter& printer) {
    proposed = printer.outputFileName();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  };
  viewer.printReport();
  // Without a printer, a print to a file is proposed in the project's folder.
  if (QPrinterInfo::availablePrinterNames().isEmpty())
    QCOMPARE(proposed, m_folder.filePath("pier.pdf"));
  QFile printed(pdf);
  QVERIFY(printed.open(QIODevice::ReadOnly));
  QVERIFY(printed.read(4) == "%PDF");
}

void ReportViewerTest::unreadableReportIsToldByName() {
  TReportViewer viewer;
  const QString missing = m_folder.filePath("gone.vr6o");
  QVERIFY(!viewer.showFile(missing));
  QVERIFY(viewer.errorText().contains(QDir::toNativeSeparators(missing)));
  QCOMPARE(viewer.text->toPlainText(), viewer.errorText());
}

void ReportViewerTest::viewOutputUsesTheViewerWithoutAWordProcessor() {
  const QString project = m_folder.filePath("pile.vr6d");
  QVERIFY(QFile::copy(kExamples + "steel_pipe_layered.vr6d", project));
  QFile(project).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
  writeFile(m_folder.filePath("pile.vr6o"), kReport);
  MessageRecorder boxes;
  TMainForm form;
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  form.setWordProcessor(QString());
  QVERIFY(form.openProjectFile(project, true));
  QVERIFY(form.tbViewOutput->isEnabled());
  form.tbViewOutput->trigger();
  auto* viewer = qobject_cast<TReportViewer*>(form.childWindow(form.tbViewOutput));
  QVERIFY(viewer != nullptr);
  QCOMPARE(viewer->fileName(), m_folder.filePath("pile.vr6o"));
  QVERIFY(viewer->text->toPlainText().contains("ULTIMATE CAPACITY"));

  // A new report (a later run) shows when the window comes to the front again.
  writeFile(m_folder.filePath("pile.vr6o"), "  NEW RUN\n");
  QFile(m_folder.filePath("pile.vr6o"))
      .setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
  form.tbViewOutput->trigger();
  QCOMPARE(form.childWindow(form.tbViewOutput), viewer);  // one viewer
  QCOMPARE(viewer->text->toPlainText(), QStringLiteral("  NEW RUN\n"));
  // Escape closes it.
  QTest::keyClick(viewer->findEdit, Qt::Key_Escape);
  QTRY_VERIFY(form.childWindow(form.tbViewOutput) == nullptr);

  // A configured word processor still wins: no viewer opens.
  form.setWordProcessor(QStringLiteral("true"));
  form.tbViewOutput->trigger();
  QVERIFY(form.childWindow(form.tbViewOutput) == nullptr);
  QVERIFY(boxes.texts.isEmpty());
}

QTEST_MAIN(ReportViewerTest)
#include "report_viewer_test.moc"
