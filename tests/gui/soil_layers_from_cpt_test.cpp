// The Soil Layers from CPT window opened from the cone data dialog on a field file with fs: the
// proposal follows its settings, refused settings name their field, "Replace Soil Layers" asks
// and then replaces the soil table and the CPT points in one step (or changes nothing), and a
// file without fs cannot be classified.
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "../cpt/cpt_fixtures.h"
#include "../support/cpt_samples.h"
#include "app/soil_layers.h"
#include "base/unit_labels.h"
#include "gui/cone_data_dialog.h"
#include "gui/data_edit.h"
#include "gui/main_form.h"
#include "gui/soil_layers_dialog.h"
#include "gui/soil_layers_from_cpt_window.h"
#include "message_recorder.h"

using namespace vorne;
using cpt::test::profileOf;
using cpt::test::clayQt;
using cpt::test::sandQt;

namespace {

constexpr double kGamma = 18.0;

// Clay 0.5-4 m, sand 4.1-8 m, clay 8.1-12 m as a column text file; without fs when noFs.
QString writeProfile(const QTemporaryDir& folder, bool noFs = false) {
  const cpt::CptProfile p = profileOf(
      {{0.5, 4.0, 3.1, clayQt}, {4.1, 8.0, 1.8, sandQt}, {8.1, 12.0, 3.1, clayQt}}, kGamma);
  const QString text = cpt::test::columnText(p, noFs);
  const QString path = folder.filePath(noFs ? "no_fs.csv" : "blocks.csv");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0) return {};
  return path;
}

void setField(TDataEdit* edit, const QString& text) {
  edit->setText(text);
  emit edit->editingFinished();
}

}  // namespace

class SoilLayersFromCptTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void opensFromTheConeDataDialogAndReplaces();
  void mainWindowShowsTheReplacedTable();
  void refusedSettingsNameTheirField_data();
  void refusedSettingsNameTheirField();
  void profileWithoutFsCannotBeClassified();
  void locationChosenInTheDialogIsTheOneProposed();

 private:
  QTemporaryDir m_settings;
};

void SoilLayersFromCptTest::opensFromTheConeDataDialogAndReplaces() {
  QTemporaryDir folder;
  const QString path = writeProfile(folder);
  QVERIFY(!path.isEmpty());
  TProgramData project;  // English units: every value converted from the proposal's SI
  project.CptImport.FileName = path;
  project.clearModified();
  TGraphPlot motionInput;
  TDlgInputMotion dialog(project, motionInput);
  dialog.FormActivate();
  QVERIFY(dialog.btnSoilLayers->isEnabled());
  MessageRecorder boxes;
  dialog.btnSoilLayers->click();
  QVERIFY2(boxes.texts.isEmpty(), qPrintable(boxes.last()));
  auto* window = qobject_cast<TSoilLayersFromCptWindow*>(dialog.soilLayersWindow.data());
  QVERIFY(window != nullptr);
  QCOMPARE(window->windowTitle(), QStringLiteral("Soil Layers from CPT"));
  QVERIFY(window->proposal().ok);
  QCOMPARE(window->proposal().layers.size(), std::size_t{3});
  QCOMPARE(window->tblLayers->rowCount(), 3);
  QCOMPARE(window->deMinThickness->text(), QStringLiteral("1.5"));  // ft
  QVERIFY(window->btnReplace->isEnabled());

  // The graph: qc, Fr and Ic panels, the zone boundaries and the layers in the strip.
  const TGraphPlot& graph = window->graph();
  QVERIFY(graph.ShowThree);
  QCOMPARE(graph.LayerLines.size(), std::size_t{3});
  QCOMPARE(graph.LayerLines[1].Name, QStringLiteral("LAYER 2 SAND "));
  QCOMPARE(graph.Lines3[1].Name, QStringLiteral("Zone boundaries"));
  QCOMPARE(graph.Lines3[1].Points.size(), std::size_t{10});
  QCOMPARE(graph.Lines3[2].Points.size(), std::size_t{4});  // two boundaries, both ways
  window->resize(1100, 800);
  const QImage picture = window->plotView->grab().toImage();
  QVERIFY(picture.width() > 500);

  // Nkt 30 halves su: the table follows the setting.
  const int suTop = window->tblLayers->horizontalHeaderItem(10)->text().startsWith("Su\ntop")
                        ? 10
                        : -1;
  QVERIFY2(suTop == 10, qPrintable(window->tblLayers->horizontalHeaderItem(10)->text()));
  const double suAt15 = window->tblLayers->item(0, suTop)->text().toDouble();
  setField(window->deNkt, QStringLiteral("30"));
  QVERIFY(window->proposal().ok);
  const double suAt30 = window->tblLayers->item(0, suTop)->text().toDouble();
  QVERIFY2(std::fabs(suAt30 - suAt15 / 2.0) <= 0.001 * suAt15,
           qPrintable(QString("%1 %2").arg(suAt15).arg(suAt30)));
  // A total unit weight of its own.
  window->rbOneUnitWeight->setChecked(true);
  QVERIFY(window->deUnitWeight->isEnabled());
  setField(window->deUnitWeight, QStringLiteral("114.6"));  // lbs/ft^3, 18 kN/m3
  QVERIFY(window->proposal().ok);
  QVERIFY(std::fabs(*window->proposal().settings.totalUnitWeight - 18.0) < 0.01);

  // Declined: nothing changes.
  boxes.answerWith(QMessageBox::No);
  QSignalSpy replaced(window, &TSoilLayersFromCptWindow::soilLayersReplaced);
  window->btnReplace->click();
  QCOMPARE(boxes.texts.size(), 1);
  QVERIFY(boxes.last().startsWith("Replace the 1 soil layers of the project by the 3 proposed"));
  QCOMPARE(project.layerCount(), 1);
  QCOMPARE(project.CptPointCount(), 0);
  QVERIFY(!project.isModified());
  QCOMPARE(replaced.count(), 0);

  // Accepted: the soil table is the proposal, the CPT points are the profile's.
  boxes.answerWith(QMessageBox::Yes);
  window->btnReplace->click();
  QCOMPARE(replaced.count(), 1);
  QVERIFY(project.isModified());
  const cpt::SoilLayerProposal& proposal = window->proposal();
  QCOMPARE(project.layerCount(), 3);
  const int types[] = {kClay, kSand, kClay};
  for (int row = 0; row < 3; ++row) {
    const cpt::ProposedLayer& layer = proposal.layers[static_cast<std::size_t>(row)];
    QCOMPARE(project.D.cell(col::kSoilType, row).asInteger(), types[row]);
    QCOMPARE(project.D.cell(col::kBottomDepth, row).asFloat(), layer.bottom / kFootToMetre);
    QCOMPARE(project.layerData(row).cell(col::kConeResistance, 0).asFloat(),
             valueFromSi(layer.value("qc")->top, cpt::ValueKind::Stress, kEnglishUnits));
  }
  QCOMPARE(project.CptPointCount(), static_cast<int>(window->profile().records.size()));
  QCOMPARE(project.CptPoints.back().depth, window->profile().records.back().depth / kFootToMetre);

  // Closed with a field being edited: the field's last editingFinished comes while the window is
  // torn down and changes nothing.
  window->show();
  QVERIFY(QTest::qWaitForWindowActive(window));
  window->deNkt->setFocus();
  QTest::keyClicks(window->deNkt, "2");
  window->close();
  QTest::qWait(0);
  QVERIFY(dialog.soilLayersWindow.isNull());
  QCOMPARE(project.layerCount(), 3);
}

void SoilLayersFromCptTest::initTestCase() {
  QVERIFY(m_settings.isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
}

void SoilLayersFromCptTest::mainWindowShowsTheReplacedTable() {
  // In the main window: the CPT window opens in the window area, and an open Soil Layers window
  // shows the replaced table.
  QTemporaryDir folder;
  const QString path = writeProfile(folder);
  MessageRecorder boxes(QMessageBox::Yes);
  TMainForm form;
  form.resize(1200, 900);
  form.show();
  form.mSoilLayers->trigger();
  auto* soil = dynamic_cast<TDlgSoilLayers*>(form.childWindow(form.mSoilLayers));
  QVERIFY(soil != nullptr);
  const int rowsOfOneLayer = soil->grdLayers->rowCount();
  form.project().CptImport.FileName = path;
  form.mCptData->trigger();
  auto* cone = dynamic_cast<TDlgInputMotion*>(form.childWindow(form.mCptData));
  QVERIFY(cone != nullptr);
  cone->btnSoilLayers->click();
  auto* window = qobject_cast<TSoilLayersFromCptWindow*>(cone->soilLayersWindow.data());
  QVERIFY(window != nullptr);
  QVERIFY(form.mdiArea()->activeSubWindow() != nullptr);
  QCOMPARE(form.mdiArea()->activeSubWindow()->widget(), window);
  window->btnReplace->click();
  QVERIFY2(boxes.texts.size() == 1, qPrintable(boxes.texts.join('\n')));
  QCOMPARE(form.project().layerCount(), 3);
  QCOMPARE(soil->grdLayers->rowCount(), rowsOfOneLayer + 2);
  form.project().clearModified();
}

void SoilLayersFromCptTest::refusedSettingsNameTheirField_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("value");
  QTest::addColumn<QString>("message");
  QTest::newRow("water table below the profile")
      << "water" << "13" << "Water table depth 13 m is outside 0 to 12 m (the profile's last record).";
  QTest::newRow("Nkt") << "nkt" << "5" << "Nkt 5 is outside 6 to 30.";
  QTest::newRow("thickness") << "thickness" << "11" << "Minimum layer thickness 11 m is outside 0 to 10 m.";
  QTest::newRow("not a number") << "nkt" << "abc" << "Nkt: ";
}

void SoilLayersFromCptTest::refusedSettingsNameTheirField() {
  QFETCH(QString, field);
  QFETCH(QString, value);
  QFETCH(QString, message);
  QTemporaryDir folder;
  const QString path = writeProfile(folder);
  TProgramData project;
  project.switchUnits(kSiUnits);
  const CptLayerSource source = readCptLayerSource(path);
  QVERIFY2(source.profile, qPrintable(source.message));
  TSoilLayersFromCptWindow window(project, *source.profile);
  QVERIFY(window.btnReplace->isEnabled());
  TDataEdit* edit = field == "water" ? window.deWaterTable
                    : field == "nkt" ? window.deNkt
                                     : window.deMinThickness;
  MessageRecorder boxes;
  setField(edit, value);
  QVERIFY(!boxes.texts.isEmpty());
  QVERIFY2(boxes.last().startsWith(message), qPrintable(boxes.last()));
  QVERIFY(window.lblMessage->text().startsWith(message));
  QVERIFY(!window.proposal().ok);
  QVERIFY(!window.btnReplace->isEnabled());
  QCOMPARE(window.tblLayers->rowCount(), 0);
  QVERIFY(!window.replaceSoilLayers());
  QCOMPARE(project.layerCount(), 1);
}

void SoilLayersFromCptTest::profileWithoutFsCannotBeClassified() {
  QTemporaryDir folder;
  const QString path = writeProfile(folder, true);
  TProgramData project;
  project.CptImport.FileName = path;
  TGraphPlot motionInput;
  TDlgInputMotion dialog(project, motionInput);
  dialog.FormActivate();
  QVERIFY(!dialog.btnSoilLayers->isEnabled());
  MessageRecorder boxes;
  QVERIFY(!dialog.openSoilLayers());
  QVERIFY2(boxes.last().contains("cannot be classified"), qPrintable(boxes.last()));
  QVERIFY(dialog.soilLayersWindow.isNull());
}

void SoilLayersFromCptTest::locationChosenInTheDialogIsTheOneProposed() {
  // The real delivery of three seabed CPTs: the window proposes from the location chosen.
  const QString samples = cptSamplesFolder();
  const QString merged =
      samples.isEmpty() ? QString() : samples + "/ags/rvo_HKZ1-CPT02-04_merged_AGS4.ags";
  if (merged.isEmpty()) QSKIP("the CPT samples are not beside the source tree");
  TProgramData project;
  project.switchUnits(kSiUnits);
  project.CptImport.FileName = merged;
  TGraphPlot motionInput;
  TDlgInputMotion dialog(project, motionInput);
  dialog.FormActivate();
  QCOMPARE(dialog.cbLocation->count(), 3);
  dialog.cbLocation->setCurrentIndex(1);
  QVERIFY(dialog.btnSoilLayers->isEnabled());
  MessageRecorder boxes;
  QVERIFY(dialog.openSoilLayers());
  auto* window = qobject_cast<TSoilLayersFromCptWindow*>(dialog.soilLayersWindow.data());
  QVERIFY(window != nullptr);
  QCOMPARE(window->profile().location, QStringLiteral("HKZ1-CPT03.000"));
  QVERIFY2(window->proposal().ok, qPrintable(window->proposal().error));
  QVERIFY(window->proposal().layers.size() <= 40);
  window->close();
}

QTEST_MAIN(SoilLayersFromCptTest)
#include "soil_layers_from_cpt_test.moc"
