// The cone data dialog importing a sample field file into the project and showing converted
// profiles, and the t-z printout option dialog.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "gui/data_edit.h"
#include "gui/cone_data_dialog.h"
#include "gui/plot_form.h"
#include "gui/show_plot.h"
#include "gui/tz_print_dialog.h"
#include "message_recorder.h"

using namespace vorne;

namespace {

const QString kSample = QStringLiteral(VORNE_TEST_DATA "/cpt_field_sample.txt");

}  // namespace

class CptTzDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void importsTheFieldFileIntoTheProject();
  void convertedProfilesAreShownButNotKept();
  void missingFileIsReported();
  void tzPrintOptionFollowsTheBox();
  void importsALocationOfAFieldFile();
  void failedImportChangesNothing();
  void saysWhatTheProjectHoldsWithoutAFile();
  void convertedGraphsTakeTheirOwnRange();
};

void CptTzDialogsTest::importsTheFieldFileIntoTheProject() {
  TProgramData project;
  TGraphPlot motionInput;
  TDlgInputMotion dialog(project, motionInput);
  int shown = 0;
  dialog.showGraph = [&](TGraphPlot& graph) {
    QCOMPARE(&graph, &motionInput);
    ++shown;
  };
  dialog.chooseFile = [](QWidget*, const QString&) { return kSample; };
  dialog.FormActivate();
  QVERIFY(!dialog.btnEditFile->isEnabled());
  QCOMPARE(dialog.deDataLines->text(), QStringLiteral("2"));
  dialog.btnBrowse->click();
  QVERIFY(dialog.btnEditFile->isEnabled());
  dialog.deDataLines->setText(QStringLiteral("10"));
  dialog.deHeaderLines->setText(QStringLiteral("3"));
  dialog.deColumns->setText(QStringLiteral("3"));

  MessageRecorder boxes;
  dialog.btnQc->click();
  QVERIFY(boxes.texts.isEmpty());
  QCOMPARE(shown, 1);
  QCOMPARE(project.CptPointCount(), 10);
  QCOMPARE(project.CptPoints[0].depth, 2.0);
  QCOMPARE(project.CptPoints[9].qc, 500.0);
  QCOMPARE(motionInput.Caption, QStringLiteral("CPT Profile"));
  QCOMPARE(project.CptImport.FileName, kSample);
  QCOMPARE(project.CptImport.HeaderLineCount, 3);
  QVERIFY(project.isModified());
  // The next save writes them to the CPT side file.
  QVERIFY(project.cptFileText().startsWith(" 1 10\r\n  2.00E+00  5.00E+01"));
}

void CptTzDialogsTest::convertedProfilesAreShownButNotKept() {
  TProgramData project;
  project.CptImport = {kSample, 10, 3, 3, 1.0};
  TGraphPlot motionInput;
  TDlgInputMotion dialog(project, motionInput);
  dialog.FormActivate();
  MessageRecorder boxes;
  dialog.btnSpt->click();
  QCOMPARE(motionInput.Caption, QStringLiteral("Converted SPT from CPT Data"));
  // 100 ksf: N = 100 x 47.875 / 280 = 17.098
  QVERIFY(std::abs(motionInput.Lines[0].Points[1].X - 17.098) < 1e-3);
  QCOMPARE(project.CptPointCount(), 0);
  dialog.btnSu->click();
  QCOMPARE(motionInput.XCaption, QStringLiteral("Undrained Shear Strength Su, k/ft^2"));
  QVERIFY(std::abs(motionInput.Lines[0].Points[1].X - 6.667) < 1e-3);  // 100 / 15
  QVERIFY(boxes.texts.isEmpty());
}

void CptTzDialogsTest::missingFileIsReported() {
  TProgramData project;
  project.CptPoints = {{1.0, 10.0}};
  TGraphPlot motionInput;
  TDlgInputMotion dialog(project, motionInput);
  bool shown = false;
  dialog.showGraph = [&](TGraphPlot&) { shown = true; };
  dialog.FormActivate();
  dialog.edtFileName->setText(QStringLiteral("/nonexistent/cone.txt"));
  MessageRecorder boxes;
  QVERIFY(!dialog.importProfile(CptConversion::Qc));
  QCOMPARE(boxes.texts, QStringList{"File /nonexistent/cone.txt does not exists"});
  QVERIFY(!shown);
  QCOMPARE(project.CptPointCount(), 1);
}

void CptTzDialogsTest::tzPrintOptionFollowsTheBox() {
  TProgramData project;
  project.ExtraTzDepths = 1;
  TDlgTZPrint dialog(project);
  QSignalSpy tables(&dialog, &TDlgTZPrint::showTable);
  dialog.FormActivate();
  QVERIFY(dialog.ChkPrint->isChecked());
  QVERIFY(dialog.btnEditDepths->isEnabled());
  dialog.btnEditDepths->click();
  QCOMPARE(tables.count(), 1);
  QCOMPARE(tables.at(0).at(0).value<TGridTable*>(), &project.TblTZDepth);
  dialog.ChkPrint->click();
  QVERIFY(!dialog.btnEditDepths->isEnabled());
  QVERIFY(dialog.FormDeactivate());
  QCOMPARE(project.ExtraTzDepths, 0);
  project.ExtraTzDepths = 1;
  dialog.FormActivate();
  QVERIFY(dialog.btnEditDepths->isEnabled());
}

namespace {

// Two locations of one AGS4 delivery: A at 1 and 2 m, B at 0.5, 1.5 and 3 m, qc in MN/m2.
const QByteArray kTwoLocations =
    "\"GROUP\",\"SCPT\"\r\n"
    "\"HEADING\",\"LOCA_ID\",\"SCPG_TESN\",\"SCPT_DPTH\",\"SCPT_RES\",\"SCPT_FRES\"\r\n"
    "\"UNIT\",\"\",\"\",\"m\",\"MN/m2\",\"kN/m2\"\r\n"
    "\"TYPE\",\"ID\",\"X\",\"2DP\",\"3DP\",\"3DP\"\r\n"
    "\"DATA\",\"A\",\"1\",\"1.00\",\"2\",\"10\"\r\n"
    "\"DATA\",\"A\",\"1\",\"2.00\",\"3\",\"\"\r\n"
    "\"DATA\",\"B\",\"1\",\"0.50\",\"4.02\",\"\"\r\n"
    "\"DATA\",\"B\",\"1\",\"1.50\",\"5\",\"12\"\r\n"
    "\"DATA\",\"B\",\"1\",\"3.00\",\"6\",\"20\"\r\n";

QString writeFile(const QTemporaryDir& folder, const QString& name, const QByteArray& text) {
  const QString path = folder.filePath(name);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(text);
  return path;
}

}  // namespace

void CptTzDialogsTest::importsALocationOfAFieldFile() {
  QTemporaryDir folder;
  const QString path = writeFile(folder, "site.ags", kTwoLocations);
  TProgramData project;
  project.switchUnits(2);
  project.CptPoints = {{1.0, 10.0}};
  TGraphPlot motionInput;
  TDlgInputMotion dialog(project, motionInput);
  int shown = 0;
  dialog.showGraph = [&](TGraphPlot&) { ++shown; };
  dialog.chooseFile = [&](QWidget*, const QString&) { return path; };
  dialog.FormActivate();
  dialog.btnBrowse->click();
  // The summary before the import: format, both locations, the units found.
  const QString summary = dialog.txtSummary->toPlainText();
  QVERIFY2(summary.contains("AGS4, 2 locations"), qPrintable(summary));
  QVERIFY2(summary.contains("A: 2 points, 1 to 2 m"), qPrintable(summary));
  QVERIFY2(summary.contains("B: 3 points, 0.5 to 3 m"), qPrintable(summary));
  QVERIFY2(summary.contains("MN/m2"), qPrintable(summary));
  QVERIFY(dialog.cbLocation->isEnabled());
  QCOMPARE(dialog.cbLocation->count(), 2);
  QVERIFY(!dialog.deStressFactor->isEnabled());

  // No location chosen: nothing is imported.
  MessageRecorder boxes;
  QVERIFY(!dialog.importProfile(CptConversion::Qc));
  QVERIFY2(boxes.last().contains("2 locations; choose one of: A, B"), qPrintable(boxes.last()));
  QCOMPARE(project.CptPointCount(), 1);
  QCOMPARE(shown, 0);

  dialog.cbLocation->setCurrentIndex(1);
  QVERIFY(dialog.importProfile(CptConversion::Qc));
  QCOMPARE(shown, 1);
  QCOMPARE(project.CptPointCount(), 3);
  QCOMPARE(project.CptPoints[0].depth, 0.5);
  QCOMPARE(project.CptPoints[0].qc, 4020.0);
  QCOMPARE(project.CptPoints[2].qc, 6000.0);
  QCOMPARE(motionInput.Caption, QStringLiteral("CPT Profile"));
  QVERIFY(project.cptFileText().startsWith(" 2 3\r\n  5.00E-01  4.02E+03\r\n"));
  QVERIFY(dialog.FormDeactivate());
  QCOMPARE(project.CptImport.Location, QStringLiteral("B"));

  // Forced to another format, the same file does not read, and says why.
  dialog.cbFormat->setCurrentIndex(int(CptFileChoice::Gef));
  QVERIFY(dialog.txtSummary->toPlainText().contains("not a GEF file"));
  QVERIFY(!dialog.importProfile(CptConversion::Qc));
  QCOMPARE(project.CptPointCount(), 3);
}

void CptTzDialogsTest::failedImportChangesNothing() {
  QTemporaryDir folder;
  const QString path = writeFile(
      folder, "bad.gef",
      "#GEFID= 1, 1, 0\n#PROCEDURECODE= GEF-CPT-Report, 1, 1, 0, -\n#COLUMN= 2\n"
      "#COLUMNINFO= 1, m, length, 1\n#COLUMNINFO= 2, MPa, qc, 2\n#EOH=\n0.1 1\n0.2 x\n");
  TProgramData project;
  project.CptPoints = {{1.0, 10.0}, {2.0, 20.0}};
  project.clearModified();
  TGraphPlot motionInput;
  TDlgInputMotion dialog(project, motionInput);
  dialog.FormActivate();
  dialog.btnQc->click();  // no file: the project's own points
  QCOMPARE(motionInput.PointCount(0), 2);
  dialog.edtFileName->setText(path);
  MessageRecorder boxes;
  for (CptConversion conversion : {CptConversion::Qc, CptConversion::Su}) {
    QVERIFY(!dialog.importProfile(conversion));
    QCOMPARE(boxes.last(), path + ": line 8: field 2 \"x\" is not a number");
    QCOMPARE(motionInput.PointCount(0), 2);
    QCOMPARE(motionInput.Caption, QStringLiteral("CPT Profile"));
  }
  QCOMPARE(project.CptPointCount(), 2);
  QCOMPARE(project.CptPoints[1].qc, 20.0);
  // A plain-column file that stops short keeps nothing of it either.
  const QString shortFile = writeFile(folder, "short.txt", "1.0 10\n2.0\n");
  dialog.edtFileName->setText(shortFile);
  dialog.cbFormat->setCurrentIndex(int(CptFileChoice::PlainColumns));
  QVERIFY(!dialog.importProfile(CptConversion::Qc));
  QCOMPARE(boxes.last(), QStringLiteral("There was an error reading the input CPT file."));
  QCOMPARE(motionInput.PointCount(0), 2);
  QCOMPARE(project.CptPointCount(), 2);
}

void CptTzDialogsTest::saysWhatTheProjectHoldsWithoutAFile() {
  TProgramData project;
  project.CptPoints = {{2.0, 50.0}, {4.0, 100.0}, {20.0, 500.0}};
  project.clearModified();
  TGraphPlot motionInput;
  TDlgInputMotion dialog(project, motionInput);
  dialog.FormActivate();
  QCOMPARE(dialog.txtSummary->toPlainText(),
           QStringLiteral("The project holds 3 CPT points from 2 to 20 ft."));
  MessageRecorder boxes;
  QVERIFY(dialog.importProfile(CptConversion::Su));
  QVERIFY(boxes.texts.isEmpty());
  QVERIFY(std::abs(motionInput.Lines[0].Points[1].X - 100.0 / 15.0) < 1e-12);
  QCOMPARE(project.CptPointCount(), 3);
  QVERIFY(!project.isModified());
  TProgramData empty;
  TDlgInputMotion none(empty, motionInput);
  none.FormActivate();
  QCOMPARE(none.txtSummary->toPlainText(), QStringLiteral("The project holds no CPT points."));
  QVERIFY(!none.importProfile(CptConversion::Qc));
  QVERIFY(!boxes.last().contains("does not exists"));
}

void CptTzDialogsTest::convertedGraphsTakeTheirOwnRange() {
  // Qc up to 500 ksf, then Su up to 33 ksf in the same open plot window: the window's range and
  // legend follow the new curve instead of squashing it against the old range.
  TProgramData project;
  project.CptImport = {kSample, 10, 3, 3, 1.0, int(CptFileChoice::PlainColumns), {}};
  TGraphPlot motionInput;
  TDlgInputMotion dialog(project, motionInput);
  dialog.showGraph = [](TGraphPlot& graph) { ShowPlot(graph); };
  dialog.FormActivate();
  MessageRecorder boxes;
  QVERIFY(dialog.importProfile(CptConversion::Qc));
  TPlotForm* window = PlotWindowOf(motionInput);
  QVERIFY(window != nullptr);
  const double qcRange = window->fullView().ranges[0].XMax;
  QVERIFY(qcRange >= 500.0);
  QVERIFY(dialog.importProfile(CptConversion::Su));
  QCOMPARE(PlotWindowOf(motionInput), window);
  const double suRange = window->fullView().ranges[0].XMax;
  QVERIFY2(suRange >= 500.0 / 15.0 && suRange < 100.0, qPrintable(QString::number(suRange)));
  QCOMPARE(window->windowTitle(),
           QStringLiteral("Converted Undrained Shear Strength Su from CPT Data"));
  delete window;
}

QTEST_MAIN(CptTzDialogsTest)
#include "cpt_tz_dialogs_test.moc"
