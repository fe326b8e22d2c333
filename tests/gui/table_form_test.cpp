// The table window over real tables: the minimum rows, typed cells through the table's checks,
// row groups within the limits, and a sub-table window replaced when its row changes type.
#include "gui/table_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/program_data.h"
#include "message_recorder.h"

using namespace vorne;

namespace {

// A table of pairs: a depth column and an integer count, rows added in groups of two.
void definePairs(TGridTable& table) {
  table.Caption = QStringLiteral("Pairs");
  table.Comments = QStringLiteral("First line\rSecond line");
  table.setMinRows(2);
  table.setMaxRows(6);
  table.setRowGroup(2);
  table.CheckRanges = true;
  table.addColumn(std::make_unique<TFloatColumn>(QStringList{"Depth,"}, QStringLiteral("L2")));
  table.addColumn(std::make_unique<TIntColumn>(QStringList{"Count"}, 0, 0, 100));
}

// Types text into the cell's editor and leaves it with Tab.
void typeInto(TTableForm& form, int row, int column, const QString& text) {
  const QModelIndex index = form.grid->model()->index(row, column);
  form.grid->setCurrentIndex(index);
  form.grid->edit(index);
  QWidget* editor = QApplication::focusWidget();
  QVERIFY(qobject_cast<QLineEdit*>(editor) != nullptr);
  static_cast<QLineEdit*>(editor)->selectAll();
  QTest::keyClick(editor, Qt::Key_Backspace);
  QTest::keyClicks(editor, text);
  QTest::keyClick(editor, Qt::Key_Tab);
  QTest::qWait(1);  // a refusal is explained after the key
}

// Types text into the open editor and presses Enter.
void enterInto(TTableForm& form, const QString& text) {
  QTRY_VERIFY(form.grid->isEditing());
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  QVERIFY(editor != nullptr);
  editor->selectAll();
  QTest::keyClick(editor, Qt::Key_Backspace);
  QTest::keyClicks(editor, text);
  QTest::keyClick(editor, Qt::Key_Return);
  QTest::qWait(1);  // the editor closes after the key
}

void showActive(QWidget& window) {
  window.show();
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
}

}  // namespace

class TableFormTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheMinimumRowsCaptionAndComments();
  void typedCellsGoThroughTheTableChecks();
  void rowGroupsStayWithinTheLimits();
  void subTableWindowIsReplacedWithItsRow();
  void enterMovesDownThenToTheNextColumn();
  void enterPassesOverTheControls();
  void topLeftTextWidensTheFirstColumn();
};

void TableFormTest::showsTheMinimumRowsCaptionAndComments() {
  TProgramData project;
  project.TblTZDepth.setRowCount(0);
  TTableForm* form = TTableForm::showTable(project.TblTZDepth, nullptr);
  QVERIFY(form != nullptr);
  QCOMPARE(project.TblTZDepth.rowCount(), 1);
  QCOMPARE(form->grid->model()->rowCount(), 1);
  QCOMPARE(form->windowTitle(), QStringLiteral("Depths for Internally-generated t-z curves "));
  QCOMPARE(form->grid->model()->headerData(0, Qt::Horizontal).toString(),
           QStringLiteral("Depth below the ground\nsurface (ft)  "));
  QVERIFY(form->lblComments->isHidden());
  QCOMPARE(TTableForm::showTable(project.TblTZDepth, nullptr), form);  // one window per table
  delete form;
}

void TableFormTest::typedCellsGoThroughTheTableChecks() {
  TGridTable table(nullptr);
  definePairs(table);
  TTableForm form(table, nullptr);
  showActive(form);
  QCOMPARE(form.lblComments->text(), QStringLiteral("First line\nSecond line"));

  MessageRecorder boxes;
  typeInto(form, 0, 0, QStringLiteral("(2+3)*4"));
  QCOMPARE(table.cell(0, 0).asFloat(), 20.0);
  QCOMPARE(form.grid->model()->index(0, 0).data().toString(), QStringLiteral("20"));
  // Each refusal names the field; the refused text waits in its cell until Escape.
  const auto escape = [] {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::qWait(1);
  };
  typeInto(form, 1, 1, QStringLiteral("2.5"));
  QCOMPARE(boxes.last(), QStringLiteral("Count, row 2: Entry must be an integer."));
  QCOMPARE(table.cell(1, 1).asInteger(), 0);
  escape();
  typeInto(form, 1, 1, QStringLiteral("101"));
  QCOMPARE(boxes.last(), QStringLiteral("Count, row 2: Entry must be between 0 and 100."));
  escape();
  typeInto(form, 1, 0, QString());
  QCOMPARE(boxes.last(), QStringLiteral("Depth, row 2: Entry cannot be blank."));
  QCOMPARE(boxes.texts.size(), 3);
  // The refused cell is still being edited.
  QTRY_VERIFY(form.grid->isEditing());
  QCOMPARE(form.grid->currentIndex(), form.grid->model()->index(1, 0));
}

void TableFormTest::rowGroupsStayWithinTheLimits() {
  TGridTable table(nullptr);
  definePairs(table);
  table.setRowCount(0);
  TTableForm form(table, nullptr);
  QCOMPARE(table.rowCount(), 2);
  table.cell(0, 1).setFloat(5.0);
  table.cell(0, 0).setFloat(5.0);

  MessageRecorder boxes;
  form.btnDelete->click();  // no current row
  QCOMPARE(boxes.last(), QStringLiteral("Grid.Row not in valid range"));
  form.grid->setCurrentIndex(form.grid->model()->index(1, 0));
  form.btnInsert->click();  // a group of two in front of the group of row 1
  QCOMPARE(table.rowCount(), 4);
  QCOMPARE(table.cell(0, 2).asFloat(), 5.0);
  form.btnAdd->click();
  QCOMPARE(table.rowCount(), 6);
  form.btnAdd->click();  // MaxRows 6
  QCOMPARE(table.rowCount(), 6);
  form.grid->setCurrentIndex(form.grid->model()->index(3, 0));
  form.btnDelete->click();
  QCOMPARE(table.rowCount(), 4);
  QCOMPARE(table.cell(0, 2).asFloat(), 0.0);  // the group of rows 2 and 3 went
  QCOMPARE(table.cell(0, 0).asFloat(), 0.0);
  form.grid->setCurrentIndex(form.grid->model()->index(0, 0));
  form.btnDelete->click();
  form.btnDelete->click();  // MinRows 2: the cursor stayed on row 0
  QCOMPARE(table.rowCount(), 2);
  QCOMPARE(boxes.texts.size(), 1);
}

void TableFormTest::subTableWindowIsReplacedWithItsRow() {
  TProgramData project;
  project.D.setRowCount(2);
  project.layerData(0).cell(col::kSandUnitWeight, 0).setFloat(110.0);
  TTableForm soil(project.D, nullptr);
  showActive(soil);
  auto* list = qobject_cast<QComboBox*>(soil.grid->indexWidget(soil.grid->model()->index(0, 0)));
  auto* button =
      qobject_cast<QPushButton*>(soil.grid->indexWidget(soil.grid->model()->index(0, 2)));
  QVERIFY(list != nullptr && button != nullptr);
  QCOMPARE(button->text(), QStringLiteral("1: Sand Layer Data"));
  button->click();
  QPointer<TTableForm> sub = soil.subTableForm(0);
  QVERIFY(sub != nullptr);
  QCOMPARE(sub->windowTitle(), QStringLiteral("Sand Layer Data  1"));
  QCOMPARE(sub->grid->model()->index(0, 0).data().toString(), QStringLiteral("110"));

  // Choosing clay gives the row a fresh clay table: the sand window closes.
  list->setCurrentIndex(1);
  emit list->activated(1);
  QTRY_VERIFY(sub.isNull());
  QCOMPARE(project.layerData(0).Caption, QStringLiteral("Clay Layer Data"));
  auto* newButton =
      qobject_cast<QPushButton*>(soil.grid->indexWidget(soil.grid->model()->index(0, 2)));
  QTRY_VERIFY(newButton != nullptr && newButton->text() == QStringLiteral("1: Clay Layer Data"));
  QCOMPARE(project.layerData(0).cell(col::kClayUnitWeight, 0).asFloat(), 0.0);

  // A sub-table window of a later row follows its row number after an insert.
  qobject_cast<QPushButton*>(soil.grid->indexWidget(soil.grid->model()->index(1, 2)))->click();
  QPointer<TTableForm> second = soil.subTableForm(1);
  QVERIFY(second != nullptr);
  soil.grid->setCurrentIndex(soil.grid->model()->index(0, 1));
  soil.btnInsert->click();
  QTRY_COMPARE(second->windowTitle(), QStringLiteral("Sand Layer Data  3"));
  delete second;
}

void TableFormTest::enterMovesDownThenToTheNextColumn() {
  TGridTable table(nullptr);
  definePairs(table);
  TTableForm form(table, nullptr);
  showActive(form);
  MessageRecorder boxes;
  const auto at = [&form](int row, int column) { return form.grid->model()->index(row, column); };
  form.grid->setFocus();
  form.grid->setCurrentIndex(at(0, 0));
  if (!form.grid->isEditing()) form.grid->edit(at(0, 0));
  enterInto(form, QStringLiteral("1+1"));
  QCOMPARE(table.cell(0, 0).asFloat(), 2.0);
  QTRY_COMPARE(form.grid->currentIndex(), at(1, 0));
  enterInto(form, QStringLiteral("3"));
  QTRY_COMPARE(form.grid->currentIndex(), at(0, 1));  // last row: first row of the next column
  enterInto(form, QStringLiteral("2.5"));             // refused: the cursor stays
  QCOMPARE(boxes.last(), QStringLiteral("Count, row 1: Entry must be an integer."));
  QTRY_VERIFY(form.grid->isEditing());
  QCOMPARE(form.grid->currentIndex(), at(0, 1));
  enterInto(form, QStringLiteral("7"));
  QTRY_COMPARE(form.grid->currentIndex(), at(1, 1));
  enterInto(form, QStringLiteral("8"));
  QTRY_COMPARE(form.grid->currentIndex(), at(0, 0));  // last column: back to the first
  QTRY_VERIFY(form.grid->isEditing());
  QCOMPARE(table.cell(0, 1).asFloat(), 3.0);
  QCOMPARE(table.cell(1, 0).asInteger(), 7);
  QCOMPARE(table.cell(1, 1).asInteger(), 8);
  QCOMPARE(boxes.texts.size(), 1);
}

void TableFormTest::enterPassesOverTheControls() {
  TProgramData project;
  project.D.setRowCount(2);
  TTableForm soil(project.D, nullptr);
  showActive(soil);
  const auto control = [&soil](int row, int column) {
    return soil.grid->indexWidget(soil.grid->model()->index(row, column));
  };
  control(1, 0)->setFocus();
  QTest::keyClick(control(1, 0), Qt::Key_Return);  // the list of the last row
  QCOMPARE(soil.grid->currentIndex(), soil.grid->model()->index(0, 1));
  enterInto(soil, QStringLiteral("12"));
  QCOMPARE(project.D.cell(1, 0).asFloat(), 12.0);
  enterInto(soil, QStringLiteral("20"));
  QTRY_COMPARE(QApplication::focusWidget(), control(0, 2));  // the row's sub-table button
  QTest::keyClick(control(0, 2), Qt::Key_Return);
  QCOMPARE(QApplication::focusWidget(), control(1, 2));
  QVERIFY(soil.subTableForm(0) == nullptr);  // Enter moves on, it does not press the button
  // The list of the first row: Enter from the last column wraps to the first.
  const int last = soil.grid->model()->columnCount() - 1;
  soil.grid->moveOnEnter(1, last);
  QCOMPARE(QApplication::focusWidget(), control(0, 0));
}

void TableFormTest::topLeftTextWidensTheFirstColumn() {
  QTemporaryDir dir;
  QImage picture(40, 20, QImage::Format_RGB32);
  picture.fill(Qt::white);
  const QString pictureFile = dir.filePath(QStringLiteral("help.png"));
  QVERIFY(picture.save(pictureFile));

  TGridTable table(nullptr);
  definePairs(table);
  TTableForm plain(table, nullptr);
  QVERIFY(plain.imgHelp->isHidden());
  const int oneThirdInch = plain.logicalDpiX() / 3;
  QVERIFY(plain.grid->verticalHeader()->width() >= oneThirdInch);

  table.TopLeft = QStringLiteral("Location, 1=Top, 2=Bottom");
  table.HelpPicture = pictureFile;
  TTableForm form(table, nullptr);
  showActive(form);
  auto* corner = form.grid->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
  QVERIFY(corner != nullptr);
  QCOMPARE(corner->text(), table.TopLeft);
  const int wide =
      form.grid->verticalHeader()->fontMetrics().horizontalAdvance(table.TopLeft + "  ");
  QVERIFY(form.grid->verticalHeader()->width() >= wide);
  QVERIFY(form.grid->verticalHeader()->width() > oneThirdInch);
  QVERIFY(form.imgHelp->isVisible());
  QCOMPARE(form.imgHelp->pixmap().size(), QSize(40, 20));
  QCOMPARE(form.imgHelp->geometry().left(), form.grid->geometry().left());
  QVERIFY(form.imgHelp->geometry().top() >= form.grid->geometry().bottom());
}

QTEST_MAIN(TableFormTest)
#include "table_form_test.moc"
