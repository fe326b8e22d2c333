// The soil-layer editor on real widgets: add, insert and delete layers with and without the
// confirmation, the 40-layer limit, switching a layer between sand and clay, the grid fields, and
// the Layer dialog's pages, enabled fields and sand strength choice.
#include "app/soil_layers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include "gui/data_edit.h"
#include "gui/layer_data_dialog.h"
#include "gui/soil_layers_dialog.h"
#include "message_recorder.h"

using namespace vorne;

namespace {

// Marks a layer by its unit weight (top) so that moves can be followed.
void markLayer(TProgramData& p, int layer, double unitWeight) {
  p.layerData(layer).cell(col::kSandUnitWeight, 0).setFloat(unitWeight);
  p.D.cell(col::kBottomDepth, layer).setFloat(10.0 * (layer + 1));
}

double mark(TProgramData& p, int layer) {
  return p.layerData(layer).cell(col::kSandUnitWeight, 0).asFloat();
}

}  // namespace

class SoilLayersTest : public QObject {
  Q_OBJECT

 private slots:
  void addsUpToFortyLayersNumberedInOrder();
  void insertMovesTheLayersBelowWithTheirData();
  void deleteAsksWhenConfirmationIsOn();
  void switchingSandToClayKeepsUnitWeightAndUserValues();
  void gridFieldsCommitIntoTheSoilTable();
  void layerDialogPagesFieldsAndStrengthChoice();
  void fieldsRefuseValuesOutsideTheirRange();
};

void SoilLayersTest::addsUpToFortyLayersNumberedInOrder() {
  TProgramData project;
  TDlgSoilLayers dialog(project);
  dialog.FormActivate();
  QCOMPARE(dialog.grdLayers->rowCount(), 1);
  for (int n = 2; n <= 40; ++n) dialog.btnAdd->click();
  QCOMPARE(project.layerCount(), 40);
  QVERIFY(!dialog.btnAdd->isEnabled());
  dialog.SoilLayersAddClick();  // refused at the limit
  QCOMPARE(project.layerCount(), 40);
  for (int layer : {0, 17, 39}) {
    const QString number = QString::number(layer + 1);
    QCOMPARE(dialog.grdLayers->item(layer, 0)->text(), QStringLiteral("Layer ") + number);
    QCOMPARE(dialog.editButton(layer)->text(), QStringLiteral("Edit Layer ") + number);
  }
  // A new layer: sand, depth 0, no limits, factors 1.
  QCOMPARE(dialog.typeList(39)->currentText(), QStringLiteral("Sand"));
  QCOMPARE(dialog.field(39, 2)->text(), QStringLiteral("0"));
  QCOMPARE(dialog.field(39, 3)->text(), QStringLiteral("0"));
  QCOMPARE(dialog.field(39, 5)->text(), QStringLiteral("1"));
  QCOMPARE(project.D.cell(col::kEndBearingFactor, 39).asFloat(), 1.0);
  QVERIFY(project.isModified());
}

void SoilLayersTest::insertMovesTheLayersBelowWithTheirData() {
  TProgramData project;
  project.D.setRowCount(3);
  for (int layer = 0; layer < 3; ++layer) markLayer(project, layer, 100.0 + layer);
  TDlgSoilLayers dialog(project);
  dialog.FormActivate();
  dialog.field(1, 3)->setFocus();  // touching a field makes its layer current
  dialog.setCurrentLayer(1);
  dialog.btnInsert->click();

  QCOMPARE(project.layerCount(), 4);
  QCOMPARE(mark(project, 0), 100.0);
  QCOMPARE(mark(project, 1), 0.0);
  QCOMPARE(mark(project, 2), 101.0);
  QCOMPARE(mark(project, 3), 102.0);
  QCOMPARE(project.D.cell(col::kSoilType, 1).asInteger(), kSand);
  QCOMPARE(project.D.cell(col::kSideFrictionFactor, 1).asFloat(), 1.0);
  QCOMPARE(dialog.field(2, 2)->text(), QStringLiteral("20"));
  QCOMPARE(dialog.grdLayers->item(3, 0)->text(), QStringLiteral("Layer 4"));
  QCOMPARE(project.layerData(3).rowNumber(), 4);
}

void SoilLayersTest::deleteAsksWhenConfirmationIsOn() {
  TProgramData project;
  project.D.setRowCount(3);
  for (int layer = 0; layer < 3; ++layer) markLayer(project, layer, 100.0 + layer);
  TDlgSoilLayers dialog(project);
  dialog.FormActivate();
  dialog.setCurrentLayer(1);

  MessageRecorder boxes(QMessageBox::No);
  dialog.btnDelete->click();
  QCOMPARE(boxes.texts, QStringList{"Do you want to delete soil layer in row 2"});
  QCOMPARE(project.layerCount(), 3);

  boxes.answerWith(QMessageBox::Yes);
  dialog.btnDelete->click();
  QCOMPARE(project.layerCount(), 2);
  QCOMPARE(mark(project, 1), 102.0);

  dialog.chkConfirm->setChecked(false);
  dialog.setCurrentLayer(1);
  dialog.btnDelete->click();
  QCOMPARE(boxes.texts.size(), 2);
  QCOMPARE(project.layerCount(), 1);
  QCOMPARE(dialog.currentLayer(), 0);  // clamped to the rows left
  dialog.btnDelete->click();           // the last layer stays
  QCOMPARE(project.layerCount(), 1);
}

void SoilLayersTest::switchingSandToClayKeepsUnitWeightAndUserValues() {
  TProgramData project;
  project.D.setRowCount(2);
  TGridTable& sand = project.layerData(1);
  sand.cell(col::kSandUnitWeight, 0).setFloat(110.0);
  sand.cell(col::kSandUnitWeight, 1).setFloat(115.0);
  sand.cell(col::kSandFrictionAngle, 0).setFloat(32.0);
  sand.cell(col::kUserSkinFriction, 1).setFloat(2.5);
  sand.cell(col::kUserEndBearing, 0).setFloat(40.0);
  project.D.cell(col::kBottomDepth, 1).setFloat(30.0);
  TDlgSoilLayers dialog(project);
  dialog.FormActivate();
  QComboBox* list = dialog.typeList(1);
  list->setCurrentIndex(1);
  emit list->activated(1);

  QCOMPARE(project.D.cell(col::kSoilType, 1).asInteger(), kClay);
  TGridTable& clay = project.layerData(1);
  QCOMPARE(clay.Caption, QStringLiteral("Clay Layer Data"));
  QCOMPARE(clay.cell(col::kClayUnitWeight, 0).asFloat(), 110.0);
  QCOMPARE(clay.cell(col::kClayUnitWeight, 1).asFloat(), 115.0);
  QCOMPARE(clay.cell(col::kClayUndrainedStrength, 0).asFloat(), 0.0);  // not the angle
  QCOMPARE(clay.cell(col::kUserSkinFriction, 1).asFloat(), 2.5);
  QCOMPARE(clay.cell(col::kUserEndBearing, 0).asFloat(), 40.0);
  QCOMPARE(project.D.cell(col::kBottomDepth, 1).asFloat(), 30.0);
}

void SoilLayersTest::gridFieldsCommitIntoTheSoilTable() {
  TProgramData project;
  TDlgSoilLayers dialog(project);
  dialog.FormActivate();
  QCOMPARE(dialog.grdLayers->horizontalHeaderItem(2)->text(),
           QStringLiteral(" Depth at Bottom * \n of each layer (ft) "));
  dialog.field(0, 2)->setText(QStringLiteral("12*5"));
  dialog.field(0, 3)->setText(QStringLiteral("2000"));
  dialog.field(0, 6)->setText(QStringLiteral("0.8"));
  QVERIFY(dialog.FormDeactivate());
  QCOMPARE(project.D.cell(col::kBottomDepth, 0).asFloat(), 60.0);
  QCOMPARE(project.D.cell(col::kMaxSideFriction, 0).asFloat(), 2000.0);
  QCOMPARE(project.D.cell(col::kEndBearingFactor, 0).asFloat(), 0.8);

  project.switchUnits(2);
  dialog.FormActivate();
  QCOMPARE(dialog.grdLayers->horizontalHeaderItem(2)->text(),
           QStringLiteral(" Depth at Bottom * \n of each layer (m) "));
  QCOMPARE(dialog.grdLayers->horizontalHeaderItem(3)->text(),
           QStringLiteral(" Max. Side Friction ** \n       (kN/m^2)    "));
  QCOMPARE(dialog.field(0, 2)->text(), QStringLiteral("18.288"));
}

void SoilLayersTest::layerDialogPagesFieldsAndStrengthChoice() {
  TProgramData project;
  project.D.setRowCount(2);
  setSoilType(project, 1, kClay);
  project.layerData(0).cell(col::kSandFrictionAngle, 0).setFloat(30.0);
  project.layerData(0).cell(col::kSandFrictionAngle, 1).setFloat(34.0);
  project.layerData(0).cell(col::kSandBlowCount, 1).setInteger(12);
  project.MethodSelected[6] = 1;  // NGI: the cone resistance is used
  TDlgSoilLayers dialog(project);
  dialog.FormActivate();

  bool ran = false;
  QStringList failed;  // checks inside the modal run, reported after it
  const auto check = [&failed](bool ok, const char* what) {
    if (!ok) failed << QString::fromLatin1(what);
  };
  dialog.runModal = [&](QDialog& shown) -> int {
    auto& layer = static_cast<TDlgSoils&>(shown);
    ran = true;
    check(layer.windowTitle() == QStringLiteral("Data for Layer 1"), "caption");
    check(layer.pages->isTabVisible(0) && !layer.pages->isTabVisible(1), "sand page only");
    // A non-zero blow count selects the blow-count choice.
    check(layer.grpStrength->checkedId() == 1, "blow-count choice");
    check(layer.fields(col::kSandBlowCount)[0]->isEnabled(), "blow counts enabled");
    check(!layer.fields(col::kSandFrictionAngle)[0]->isEnabled(), "angles disabled");
    check(layer.fields(col::kSandKo)[1]->isEnabled(), "Ko with API");
    check(layer.fields(col::kConeResistance)[0]->isEnabled(), "Qc with NGI");
    check(!layer.fields(col::kUserSkinFriction)[0]->isEnabled(), "no user-specified values");
    check(layer.fields(col::kSandUnitWeight)[0]->EditLabel()->text() ==
              QStringLiteral("1. Effective Unit Weight (lbs/ft^3)"),
          "unit weight label");
    layer.fields(col::kSandBlowCount)[0]->setText(QStringLiteral("8"));
    layer.accept();
    return 1;
  };
  dialog.editButton(0)->click();
  QVERIFY(ran);
  QCOMPARE(failed, QStringList());
  TGridTable& sand = project.layerData(0);
  QCOMPARE(sand.cell(col::kSandBlowCount, 0).asInteger(), 8);
  QCOMPARE(sand.cell(col::kSandFrictionAngle, 0).asFloat(), 0.0);
  QCOMPARE(sand.cell(col::kSandFrictionAngle, 1).asFloat(), 0.0);

  // The clay page: the remolded strength needs a steel pipe, PI and YSR need ICP/MTD.
  project.PileType = 2;
  TDlgSoils clay(project, 1);
  QVERIFY(clay.pages->isTabVisible(1));
  QVERIFY(!clay.pages->isTabVisible(0));
  QVERIFY(!clay.fields(col::kClayRemoldedStrength)[0]->isEnabled());
  QVERIFY(!clay.fields(col::kClayPlasticityIndex)[0]->isEnabled());
  QVERIFY(clay.fields(col::kClayUndrainedStrength)[1]->isEnabled());
  project.MethodSelected[7] = 1;
  clay.FormActivate();
  QVERIFY(clay.fields(col::kClayYieldStressRatio)[1]->isEnabled());
}

// A friction angle of 95 typed into the Layer dialog is refused when the user leaves the field:
// the message names the field and its range, the field keeps the focus and the text, and the
// dialog does not commit until the value is corrected. The same in the grid for a depth above the
// layer over it.
void SoilLayersTest::fieldsRefuseValuesOutsideTheirRange() {
  TProgramData project;
  TDlgSoils dialog(project, 0);
  dialog.show();
  dialog.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  TDataEdit* top = dialog.fields(col::kSandFrictionAngle)[0];
  TDataEdit* bottom = dialog.fields(col::kSandFrictionAngle)[1];
  QVERIFY(top->isEnabled());
  top->setFocus();
  top->selectAll();
  QTest::keyClicks(top, "95");
  MessageRecorder boxes;
  QTest::keyClick(top, Qt::Key_Tab);
  QCOMPARE(boxes.texts, QStringList{"Friction Angle: 95 is outside the range 0 to 50 deg."});
  QCOMPARE(QApplication::focusWidget(), top);
  QCOMPARE(top->text(), QStringLiteral("95"));
  QVERIFY(!dialog.FormDeactivate());
  QCOMPARE(project.layerData(0).cell(col::kSandFrictionAngle, 0).asFloat(), 0.0);

  top->selectAll();
  QTest::keyClicks(top, "30+4");
  QTest::keyClick(top, Qt::Key_Tab);
  QCOMPARE(boxes.texts.size(), 2);  // the commit's refusal, no new one
  QCOMPARE(QApplication::focusWidget(), bottom);
  QVERIFY(dialog.FormDeactivate());
  QCOMPARE(project.layerData(0).cell(col::kSandFrictionAngle, 0).asFloat(), 34.0);
  dialog.hide();

  project.D.cell(col::kBottomDepth, 0).setFloat(20.0);
  vorne::addSoilLayer(project);
  TDlgSoilLayers grid(project);
  grid.show();
  grid.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&grid));
  grid.FormActivate();
  TDataEdit* depth = grid.field(1, 2);
  depth->setFocus();
  depth->selectAll();
  QTest::keyClicks(depth, "15");
  QTest::keyClick(depth, Qt::Key_Tab);
  QCOMPARE(boxes.last(), QStringLiteral("Depth at Bottom of each Layer, layer 2: 15 must be deeper "
                                        "than the bottom of layer 1 (20 ft)."));
  QCOMPARE(QApplication::focusWidget(), depth);
}

QTEST_MAIN(SoilLayersTest)
#include "soil_layers_test.moc"
