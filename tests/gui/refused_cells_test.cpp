// Refused entries in table cells and dialog fields: the refused text keeps its cell and the focus
// until it is corrected or Escape brings back the last accepted value, the box names the field,
// the project keeps its value and is not marked modified, nothing is run or saved meanwhile, and
// an accepted expression is shown as the value stored.
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "app/soil_layers.h"
#include "gui/data_edit.h"
#include "gui/layer_data_dialog.h"
#include "gui/main_form.h"
#include "gui/pile_material_dialog.h"
#include "gui/soil_layers_dialog.h"
#include "gui/table_form.h"
#include "gui/tz_print_dialog.h"
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include "message_recorder.h"

using namespace vorne;

namespace {

void showActive(QWidget& window) {
  window.show();
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
}

// Replaces a field's text by typing, as a user does, and leaves it with Tab.
void typeAndTab(QLineEdit* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClicks(field, text);
  QTest::keyClick(field, Qt::Key_Tab);
  QTest::qWait(1);  // deferred boxes and focus returns
}

QLineEdit* focusedEdit() { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }

}  // namespace

class RefusedCellsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void soilGridRefusalKeepsTextAndTheRunUsesWhatIsShown();
  void soilGridRefusals_data();
  void soilGridRefusals();
  void tableWindowCellKeepsItsRefusedText_data();
  void tableWindowCellKeepsItsRefusedText();
  void tableWindowInTheFrameComesBackAndHoldsTheUnitSwitch();
  void dialogFieldLeftUncheckedStopsTheCommit();

 private:
  QTemporaryDir m_folder;
};

void RefusedCellsTest::initTestCase() {
  QVERIFY(m_folder.isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_folder.path());
}

void RefusedCellsTest::soilGridRefusalKeepsTextAndTheRunUsesWhatIsShown() {
  const QString file = m_folder.filePath(QStringLiteral("layers.vr6d"));
  QFile::copy(QStringLiteral(VORNE_SOURCE_DIR "/examples/steel_pipe_layered.vr6d"), file);
  QFile::copy(QStringLiteral(VORNE_SOURCE_DIR "/examples/steel_pipe_layered.cpt"),
              m_folder.filePath(QStringLiteral("layers.cpt")));
  QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
  MessageRecorder boxes;
  TMainForm form;
  form.resize(1200, 900);
  form.setPlotOpener([](TGraphPlot&) {});
  showActive(form);
  QVERIFY(form.openProjectFile(file, true));
  TProgramData& project = form.project();
  QVERIFY(project.layerCount() >= 3);
  const double depth = project.D.cell(col::kBottomDepth, 2).asFloat();
  const QString depthText = project.D.cellText(col::kBottomDepth, 2);
  const QByteArray savedBefore = [&file] {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }();

  form.mSoilLayers->trigger();
  auto* soil = dynamic_cast<TDlgSoilLayers*>(form.childWindow(form.mSoilLayers));
  QVERIFY(soil != nullptr);
  TDataEdit* depthField = soil->field(2, 2);
  typeAndTab(depthField, QStringLiteral("abc"));
  QCOMPARE(boxes.texts,
           QStringList{"Depth at Bottom of each Layer, layer 3: abc is not a valid number."});
  QCOMPARE(QApplication::focusWidget(), depthField);
  QCOMPARE(depthField->text(), QStringLiteral("abc"));
  QCOMPARE(project.D.cell(col::kBottomDepth, 2).asFloat(), depth);
  QVERIFY(!project.isModified());

  // A run asked for now is refused before anything is saved: the file keeps its bytes.
  form.CompRun->trigger();
  QTest::qWait(1);
  QCOMPARE(boxes.texts.size(), 2);
  QCOMPARE(boxes.last(), boxes.texts.first());
  QFile saved(file);
  QVERIFY(saved.open(QIODevice::ReadOnly));
  QCOMPARE(saved.readAll(), savedBefore);
  saved.close();
  QTRY_COMPARE(QApplication::focusWidget(), depthField);

  // Escape brings back the value the project holds.
  QTest::keyClick(depthField, Qt::Key_Escape);
  QCOMPARE(depthField->text(), depthText);
  QVERIFY(!project.isModified());

  TDataEdit* sideField = soil->field(2, 3);
  typeAndTab(sideField, QStringLiteral("3*4+1"));
  QCOMPARE(boxes.texts.size(), 2);
  QCOMPARE(sideField->text(), QStringLiteral("13"));
  QCOMPARE(project.D.cell(col::kMaxSideFriction, 2).asFloat(), 13.0);
  QVERIFY(project.isModified());

  form.CompRun->trigger();
  QCOMPARE(boxes.texts.size(), 3);
  QVERIFY2(boxes.last().startsWith(QStringLiteral("Computations are completed")),
           qPrintable(boxes.last()));
  TProgramData reread;
  reread.createFromFile(file, true);
  QCOMPARE(reread.D.cell(col::kBottomDepth, 2).asFloat(), depth);
  QCOMPARE(reread.D.cell(col::kMaxSideFriction, 2).asFloat(), 13.0);
}

void RefusedCellsTest::soilGridRefusals_data() {
  QTest::addColumn<int>("gridColumn");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("message");
  QTest::newRow("empty cell") << 3 << ""
                              << "Max. Side Friction, layer 2: Entry cannot be blank.";
  QTest::newRow("number with letters")
      << 6 << "200000cr"
      << "Reduction/Resistance Factors on End Bearing, layer 2: 200000cr is not a valid number.";
  QTest::newRow("negative depth")
      << 2 << "-5"
      << "Depth at Bottom of each Layer, layer 2: -5 is outside the range greater than 0 and at "
         "most 3000 ft.";
  QTest::newRow("factor outside its plausible range")
      << 5 << "200000"
      << "Reduction/Resistance Factors on Side Friction, layer 2: 200000 is outside the range 0 "
         "to 1.";
  QTest::newRow("division by zero")
      << 4 << "1/0" << "Max. End Bearing, layer 2: 1/0 is not a valid number.";
}

void RefusedCellsTest::soilGridRefusals() {
  QFETCH(int, gridColumn);
  QFETCH(QString, typed);
  QFETCH(QString, message);
  TProgramData project;
  project.D.setRowCount(2);
  project.D.cell(col::kBottomDepth, 1).setFloat(40.0);
  project.clearModified();
  TDlgSoilLayers dialog(project);
  dialog.FormActivate();
  showActive(dialog);
  TDataEdit* field = dialog.field(1, gridColumn);
  const QString before = field->text();
  MessageRecorder boxes;
  typeAndTab(field, typed);
  QCOMPARE(boxes.texts, QStringList{message});
  QCOMPARE(QApplication::focusWidget(), field);
  QCOMPARE(field->text(), typed);
  QVERIFY(!project.isModified());
  // The dialog refuses to commit, to add a layer or to close while the text is shown.
  QVERIFY(!dialog.FormDeactivate());
  QTest::qWait(1);
  dialog.btnAdd->click();
  QCOMPARE(project.layerCount(), 2);
  QCOMPARE(boxes.texts.size(), 3);
  QVERIFY(!project.isModified());
  QTest::keyClick(field, Qt::Key_Escape);
  QCOMPARE(field->text(), before);
  QVERIFY(dialog.FormDeactivate());
  QVERIFY(!project.isModified());
}

void RefusedCellsTest::tableWindowCellKeepsItsRefusedText_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("message");
  QTest::newRow("not a number")
      << "abc" << "Depth below the ground surface, row 2: abc is not a valid number.";
  QTest::newRow("empty cell") << "" << "Depth below the ground surface, row 2: Entry cannot be blank.";
  QTest::newRow("number with letters")
      << "200000cr" << "Depth below the ground surface, row 2: 200000cr is not a valid number.";
}

// The extra t-z depths are one of the tables that open in a table window.
void RefusedCellsTest::tableWindowCellKeepsItsRefusedText() {
  QFETCH(QString, typed);
  QFETCH(QString, message);
  TProgramData project;
  project.TblTZDepth.setRowCount(3);
  project.TblTZDepth.cell(0, 1).setFloat(12.5);
  project.clearModified();
  TTableForm form(project.TblTZDepth, nullptr);
  showActive(form);
  QAbstractItemModel* model = form.grid->model();
  const QModelIndex cell = model->index(1, 0);
  form.grid->setCurrentIndex(cell);
  form.grid->edit(cell);
  MessageRecorder boxes;
  typeAndTab(focusedEdit(), typed);
  QCOMPARE(boxes.texts, QStringList{message});
  QVERIFY(form.grid->isEditing());
  QCOMPARE(form.grid->currentIndex(), cell);
  QVERIFY(focusedEdit() != nullptr);
  QCOMPARE(focusedEdit()->text(), typed);
  QCOMPARE(project.TblTZDepth.cell(0, 1).asFloat(), 12.5);
  QVERIFY(!project.isModified());

  // A click on another cell, and the commit a run or a save asks for, leave it where it is.
  QTest::mouseClick(form.grid->viewport(), Qt::LeftButton, {},
                    form.grid->visualRect(model->index(2, 0)).center());
  QTest::qWait(1);
  QTRY_COMPARE(form.grid->currentIndex(), cell);
  QVERIFY(!form.commitToProject());
  QTest::qWait(1);
  QCOMPARE(boxes.texts.size(), 3);
  QCOMPARE(focusedEdit()->text(), typed);
  QCOMPARE(project.TblTZDepth.cell(0, 1).asFloat(), 12.5);

  // Escape shows the stored value again; an expression is shown as its value.
  QTest::keyClick(focusedEdit(), Qt::Key_Escape);
  QVERIFY(!form.grid->isEditing());
  QCOMPARE(cell.data().toString(), QStringLiteral("12.5"));
  QVERIFY(form.commitToProject());
  QVERIFY(!project.isModified());
  form.grid->edit(cell);
  typeAndTab(focusedEdit(), QStringLiteral("3*4+1"));
  QCOMPARE(cell.data().toString(), QStringLiteral("13"));
  QCOMPARE(project.TblTZDepth.cell(0, 1).asFloat(), 13.0);
  QVERIFY(project.isModified());
  QCOMPARE(boxes.texts.size(), 3);
}

void RefusedCellsTest::tableWindowInTheFrameComesBackAndHoldsTheUnitSwitch() {
  MessageRecorder boxes;
  TMainForm form;
  form.resize(1200, 900);
  showActive(form);
  form.mNew->trigger();
  form.mTzPrint->trigger();
  auto* tz = dynamic_cast<TDlgTZPrint*>(form.childWindow(form.mTzPrint));
  QVERIFY(tz != nullptr);
  tz->ChkPrint->click();
  tz->btnEditDepths->click();
  TTableForm* table = nullptr;
  for (QMdiSubWindow* frame : form.mdiArea()->subWindowList()) {
    if (auto* found = qobject_cast<TTableForm*>(frame->widget())) table = found;
  }
  QVERIFY(table != nullptr);
  QCOMPARE(table->table(), &form.project().TblTZDepth);
  QTRY_COMPARE(form.mdiArea()->activeSubWindow()->widget(), table);
  form.project().clearModified();
  const QModelIndex cell = table->grid->model()->index(0, 0);
  table->grid->setCurrentIndex(cell);
  table->grid->edit(cell);
  typeAndTab(focusedEdit(), QStringLiteral("abc"));
  QCOMPARE(boxes.texts.size(), 1);

  // Another window activated: the table window explains again and comes back with its text.
  form.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(tz->parentWidget()));
  QTRY_COMPARE(boxes.texts.size(), 2);
  QTRY_COMPARE(form.mdiArea()->activeSubWindow()->widget(), table);
  QTRY_VERIFY(focusedEdit() != nullptr);
  QCOMPARE(focusedEdit()->text(), QStringLiteral("abc"));

  // The unit switch waits for the entry to be corrected or abandoned.
  form.mSIUnits->trigger();
  QCOMPARE(form.project().units(), 1);
  QTRY_COMPARE(boxes.texts.size(), 3);
  QVERIFY(!form.project().isModified());
  QTest::keyClick(focusedEdit(), Qt::Key_Escape);
  form.mSIUnits->trigger();
  QCOMPARE(form.project().units(), 2);
  QCOMPARE(boxes.texts.size(), 3);
  form.project().clearModified();
}

void RefusedCellsTest::dialogFieldLeftUncheckedStopsTheCommit() {
  // A text typed into a field that was never left within the dialog (the focus went straight to
  // another window) is checked by the commit too.
  TProgramData project;
  project.ElasticModulus = 29000000.0;
  project.clearModified();
  TfrmMaterial dialog(project);
  dialog.FormActivate();
  dialog.deModulus->selectAll();
  QTest::keyClicks(dialog.deModulus, QStringLiteral("29e6x"));
  MessageRecorder boxes;
  QVERIFY(!dialog.commitToProject());
  QCOMPARE(boxes.texts.size(), 1);
  QCOMPARE(dialog.deModulus->text(), QStringLiteral("29e6x"));
  QCOMPARE(project.ElasticModulus, 29000000.0);
  QVERIFY(!project.isModified());
  QTest::qWait(1);  // the dialog's return to the front

  // Escape restores; committing the value shown changes nothing and marks nothing.
  QTest::keyClick(dialog.deModulus, Qt::Key_Escape);
  QCOMPARE(dialog.deModulus->text(), dialog.deModulus->textOf(29000000.0));
  QVERIFY(dialog.commitToProject());
  QVERIFY(!project.isModified());
  dialog.deModulus->setText(QStringLiteral("2*15e6"));
  QVERIFY(dialog.commitToProject());
  QCOMPARE(project.ElasticModulus, 30000000.0);
  QVERIFY(project.isModified());

  // The Layer dialog likewise stays open while a field shows a text the layer does not hold.
  project.layerData(0).cell(col::kSandUnitWeight, 1).setFloat(115.0);
  project.clearModified();
  TDlgSoils layer(project, 0);
  layer.fields(col::kSandUnitWeight)[1]->setText(QStringLiteral("11O"));
  layer.done(QDialog::Accepted);
  QCOMPARE(boxes.texts.size(), 2);
  QCOMPARE(project.layerData(0).cell(col::kSandUnitWeight, 1).asFloat(), 115.0);
  QVERIFY(!project.isModified());
  layer.fields(col::kSandUnitWeight)[1]->setText(QStringLiteral("110"));
  layer.done(QDialog::Accepted);
  QCOMPARE(boxes.texts.size(), 2);
  QCOMPARE(project.layerData(0).cell(col::kSandUnitWeight, 1).asFloat(), 110.0);
  QVERIFY(project.isModified());
}

QTEST_MAIN(RefusedCellsTest)
#include "refused_cells_test.moc"
