// A project built from New through the program's dialogs only, saved, and analysed by the runner:
// it gives the same data file and the same capacities as the same project set up directly in the
// model.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "app/soil_layers.h"
#include "gui/data_edit.h"
#include "gui/soil_layers_dialog.h"
#include "gui/layer_data_dialog.h"
#include "gui/title_dialog.h"
#include "gui/pile_material_dialog.h"
#include "gui/circular_pile_dialog.h"
#include "gui/main_form.h"
#include "message_recorder.h"
#include "tests/support/file_bytes.h"

using namespace vorne;

namespace {

int runVorne(const QString& project) {
  QProcess process;
  process.start(QStringLiteral(VORNE_BIN_DIR "/vorne"), {QStringLiteral("run"), project});
  process.waitForFinished(120000);
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// 24 in by 23 in open steel pipe, 60 ft, in 30 ft of sand over clay to 80 ft; API RP 2A.
void setUpByHand(TProgramData& p) {
  p.Title = QStringLiteral("Pier 3");
  p.ElasticModulus = 29000000.0;
  p.OutsideDiameter = 24.0;
  p.InsideDiameter = 23.0;
  p.PileLength = 60.0;
  p.D.setRowCount(2);
  p.D.cell(col::kBottomDepth, 0).setFloat(30.0);
  p.D.cell(col::kBottomDepth, 1).setFloat(80.0);
  setSoilType(p, 1, kClay);
  TGridTable& sand = p.layerData(0);
  const double sandValues[2][5] = {{115, 30, 0, 0.8, 12}, {115, 32, 0, 0.8, 12}};
  for (int row = 0; row < 2; ++row) {
    for (int c : {0, 1, 3, 4}) sand.cell(c, row).setFloat(sandValues[row][c]);
  }
  TGridTable& clay = p.layerData(1);
  clay.cell(col::kClayUnitWeight, 0).setFloat(50.0);
  clay.cell(col::kClayUnitWeight, 1).setFloat(57.6);
  clay.cell(col::kClayUndrainedStrength, 0).setFloat(600.0);
  clay.cell(col::kClayUndrainedStrength, 1).setFloat(1800.0);
  clay.cell(col::kClayRemoldedStrength, 0).setFloat(300.0);
  clay.cell(col::kClayRemoldedStrength, 1).setFloat(900.0);
}

}  // namespace

class EndToEndTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void projectBuiltInTheDialogsRunsLikeTheSameProjectByHand();

 private:
  QTemporaryDir m_folder;
};

void EndToEndTest::initTestCase() {
  QVERIFY(m_folder.isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_folder.path());
}

void EndToEndTest::projectBuiltInTheDialogsRunsLikeTheSameProjectByHand() {
  MessageRecorder boxes;
  TMainForm form;
  form.resize(1200, 900);
  form.show();
  form.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  form.mNew->trigger();

  form.mTitle->trigger();
  auto* title = dynamic_cast<TdlgTitle*>(form.childWindow(form.mTitle));
  QVERIFY(title != nullptr);
  title->edtTitle->setText(QStringLiteral("Pier 3"));

  form.mPileMaterial->trigger();  // activating it commits the title
  auto* material = dynamic_cast<TfrmMaterial*>(form.childWindow(form.mPileMaterial));
  QVERIFY(material != nullptr);
  material->deModulus->setText(QStringLiteral("29e6"));

  form.mCircularPile->trigger();
  auto* circular = dynamic_cast<TfrmShaftpeneta*>(form.childWindow(form.mCircularPile));
  QVERIFY(circular != nullptr);
  circular->deOD->setText(QStringLiteral("24"));
  circular->deID->setText(QStringLiteral("24-1"));
  circular->deLength->setText(QStringLiteral("60"));

  form.mSoilLayers->trigger();
  auto* soil = dynamic_cast<TDlgSoilLayers*>(form.childWindow(form.mSoilLayers));
  QVERIFY(soil != nullptr);
  soil->btnAdd->click();
  soil->field(0, 2)->setText(QStringLiteral("30"));
  soil->field(1, 2)->setText(QStringLiteral("80"));
  soil->typeList(1)->setCurrentIndex(1);
  emit soil->typeList(1)->activated(1);
  soil->runModal = [](QDialog& shown) {
    auto& layer = static_cast<TDlgSoils&>(shown);
    const auto set = [&layer](int column, const char* top, const char* bottom) {
      layer.fields(column)[0]->setText(QString::fromLatin1(top));
      layer.fields(column)[1]->setText(QString::fromLatin1(bottom));
    };
    if (layer.windowTitle().endsWith(QLatin1Char('1'))) {
      set(col::kSandUnitWeight, "115", "115");
      set(col::kSandFrictionAngle, "30", "32");
      set(col::kSandKo, "0.8", "0.8");
      set(col::kSandNq, "12", "12");
    } else {
      set(col::kClayUnitWeight, "50", "57.6");
      set(col::kClayUndrainedStrength, "600", "1800");
      set(col::kClayRemoldedStrength, "600/2", "1800/2");
    }
    layer.accept();
    return 1;
  };
  soil->editButton(0)->click();
  soil->editButton(1)->click();
  form.closeAllChildWindows();  // each window commits as it closes
  QVERIFY(boxes.texts.isEmpty());

  TProgramData& built = form.project();
  built.setFileName(m_folder.filePath(QStringLiteral("dialogs.vr6d")));
  built.save();
  TProgramData byHand;
  setUpByHand(byHand);
  byHand.setFileName(m_folder.filePath(QStringLiteral("hand.vr6d")));
  byHand.save();
  const QByteArray dialogsFile = readFileBytes(built.fileName());
  QVERIFY(!dialogsFile.isEmpty());
  QCOMPARE(dialogsFile, readFileBytes(byHand.fileName()));

  // The runner reads both and gives the same capacities.
  QCOMPARE(runVorne(built.fileName()), 0);
  QCOMPARE(runVorne(byHand.fileName()), 0);
  const QByteArray plot = readFileBytes(m_folder.filePath(QStringLiteral("dialogs.vr6p")));
  QVERIFY(plot.size() > 100);
  QCOMPARE(plot, readFileBytes(m_folder.filePath(QStringLiteral("hand.vr6p"))));
}

QTEST_MAIN(EndToEndTest)
#include "end_to_end_test.moc"
