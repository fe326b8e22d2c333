// The cone data dialog importing a sample field file into the project and showing converted
// profiles, and the t-z printout option dialog.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "gui/data_edit.h"
#include "gui/cone_data_dialog.h"
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

QTEST_MAIN(CptTzDialogsTest)
#include "cpt_tz_dialogs_test.moc"
