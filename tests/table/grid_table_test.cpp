// Table model: groups of rows, typed text, typed access, sub-tables, units and the changed flag.
#include "table/grid_table.h"

#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "table/grid_table_model.h"

using namespace vorne;

namespace {

// Values of a float column, top to bottom, as shown.
QStringList shownColumn(const TGridTable& table, int column) {
  QStringList values;
  for (int r = 0; r < table.rowCount(); ++r) values << table.cellText(column, r);
  return values;
}

QString errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ETableError& error) {
    return error.message();
  }
  return QStringLiteral("no error");
}

// A soil-like table: a choice of "sand"/"clay", a depth, a layer-data sub-table, with two
// templates, all in a list of their own.
struct LayerTables {
  TTableList list;
  TGridTable sand{&list};
  TGridTable clay{&list};
  TGridTable layers{&list};

  LayerTables() {
    sand.setIdentifier(1);
    sand.Caption = QStringLiteral("Sand Layer Data");
    sand.setMinRows(2);
    sand.setMaxRows(2);
    sand.addColumn(std::make_unique<TFloatColumn>(QStringList{"Unit skin"}, "F/L2^2"));
    clay.setIdentifier(2);
    clay.Caption = QStringLiteral("Clay Layer Data");
    clay.setMinRows(2);
    clay.setMaxRows(2);
    clay.addColumn(std::make_unique<TFloatColumn>(QStringList{"Su"}, "F/L2^2"));
    clay.addColumn(std::make_unique<TIntColumn>(QStringList{"Count"}, 7, 0, 10));
    layers.Caption = QStringLiteral("Soil Properties");
    layers.addColumn(
        std::make_unique<TEnumColumn>(QStringList{"Soil Type"}, QStringList{"sand", "clay"}));
    layers.addColumn(
        std::make_unique<TFloatColumn>(QStringList{"Depth at Bottom ", "of each Layer"}, "L2"));
    layers.addColumn(std::make_unique<TTableColumn>(QStringList{"Layer Data"}, QList<int>{1, 2}));
    layers.setMaxRows(40);
  }
};

}  // namespace

class GridTableTest : public QObject {
  Q_OBJECT

 private slots:
  void rowsMoveInGroups();
  void rowLimitsAndRangeMessages();
  void storesTypedText_data();
  void storesTypedText();
  void typedAccessRefusesWrongType();
  void newChoiceReplacesSubTable();
  void insertAndDeleteRenumberSubTables();
  void unitRoundTripOfDepthAndSubTables();
  void changedFlagCoversSubTables();
  void topDepthColumnContinuesRowAbove();
  void tableListFindsByIdentifier();
  void itemModelShowsShownColumns();
  void itemModelStoresTextAndReportsRefusals();
  void enteredTextChangesOnlyWhatDiffers();
};

void GridTableTest::rowsMoveInGroups() {
  TTableList list;
  TGridTable table(&list);
  table.setRowGroup(2);
  table.setMinRows(2);
  table.addColumn(std::make_unique<TFloatColumn>(QStringList{"x"}, QString(), -1.0));
  table.setRowCount(6);
  for (int r = 0; r < 6; ++r) table.cell(0, r).setFloat(r);
  // Row 3 is in the group of rows 2-3: the new group goes in front of row 2.
  QVERIFY(table.insertRows(3));
  QCOMPARE(shownColumn(table, 0), (QStringList{"0", "1", "-1", "-1", "2", "3", "4", "5"}));
  // Row 5 is in the group of rows 4-5.
  QVERIFY(table.deleteRows(5));
  QCOMPARE(shownColumn(table, 0), (QStringList{"0", "1", "-1", "-1", "4", "5"}));
  QVERIFY(table.addRows());
  QCOMPARE(table.rowCount(), 8);
}

void GridTableTest::rowLimitsAndRangeMessages() {
  TTableList list;
  TGridTable table(&list);
  table.setMinRows(1);
  table.setMaxRows(2);
  table.addColumn(std::make_unique<TFloatColumn>(QStringList{"x"}, QString()));
  table.padToMinRows();
  QCOMPARE(table.rowCount(), 1);
  QVERIFY(!table.deleteRows(0));  // would leave fewer than MinRows
  QVERIFY(table.addRows());
  QVERIFY(!table.addRows());  // MaxRows reached
  QVERIFY(!table.insertRows(0));
  QCOMPARE(table.rowCount(), 2);
  QCOMPARE(errorOf([&] { table.deleteRows(-1); }), QStringLiteral("Grid.Row not in valid range"));
  QCOMPARE(errorOf([&] { table.insertRows(2); }), QStringLiteral("Grid.Row not in valid range"));
  QCOMPARE(errorOf([&] { table.setMinRows(0); }), QStringLiteral("Value must be greater than 0"));
  QCOMPARE(errorOf([&] { table.column(1); }), QStringLiteral("Index out of bounds"));
  QCOMPARE(errorOf([&] { table.cell(0, 2); }), QStringLiteral("Index out of bounds"));
}

void GridTableTest::storesTypedText_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<bool>("checkRanges");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("result");  // shown cell, or the message
  QTest::newRow("expression shows its value") << 1 << false << "2*3+1.5"
                                              << "7.5";
  QTest::newRow("cell shows eight digits") << 1 << false << "2/3"
                                           << "0.66666667";
  QTest::newRow("blank real") << 1 << false << "  "
                              << "Entry cannot be blank.";
  QTest::newRow("not a number") << 1 << false << "abc"
                                << "abc is not a valid number.";
  QTest::newRow("fraction in integer cell") << 2 << false << "2.5"
                                            << "Entry must be an integer.";
  QTest::newRow("blank integer") << 2 << false << ""
                                 << "Entry cannot be blank.";
  QTest::newRow("integer expression") << 2 << false << "14/2"
                                      << "7";
  QTest::newRow("range unchecked") << 2 << false << "11"
                                   << "11";
  QTest::newRow("range checked") << 2 << true << "11"
                                 << "Entry must be between 0 and 10.";
  QTest::newRow("integer past 32 bits") << 2 << false << "3e9"
                                        << "Entry must be between -2147483648 and 2147483647.";
  QTest::newRow("choice by number") << 0 << false << "2"
                                    << "clay";
  QTest::newRow("fractional choice") << 0 << false << "1.5"
                                     << "Value must be an integer.";
  QTest::newRow("choice past the list") << 0 << false << "3"
                                        << "Entry must be between 1 and 2.";
}

void GridTableTest::storesTypedText() {
  QFETCH(int, column);
  QFETCH(bool, checkRanges);
  QFETCH(QString, text);
  QFETCH(QString, result);
  TTableList list;
  TGridTable table(&list);
  table.CheckRanges = checkRanges;
  table.addColumn(std::make_unique<TEnumColumn>(QStringList{"Soil"}, QStringList{"sand", "clay"}));
  table.addColumn(std::make_unique<TFloatColumn>(QStringList{"x"}, QString()));
  table.addColumn(std::make_unique<TIntColumn>(QStringList{"n"}, 0, 0, 10));
  table.setRowCount(1);
  try {
    table.storeText(column, 0, text);
    QCOMPARE(table.cellText(column, 0), result);
  } catch (const ETableError& error) {
    QCOMPARE(error.message(), result);
  }
}

void GridTableTest::typedAccessRefusesWrongType() {
  LayerTables t;
  t.layers.setRowCount(1);
  const QString wrong = QStringLiteral("Data of wrong type");
  QCOMPARE(errorOf([&] { t.layers.cell(1, 0).asInteger(); }), wrong);
  QCOMPARE(errorOf([&] { t.layers.cell(0, 0).asFloat(); }), wrong);
  QCOMPARE(errorOf([&] { t.layers.cell(1, 0).asText(); }), wrong);
  QCOMPARE(errorOf([&] { t.layers.cell(2, 0).setFloat(1.0); }), wrong);
  QCOMPARE(errorOf([&] { t.layers.cell(1, 0).asTable(); }), wrong);
  QCOMPARE(t.layers.cell(0, 0).asInteger(), 1);
}

void GridTableTest::newChoiceReplacesSubTable() {
  LayerTables t;
  t.layers.setRowCount(2);
  TGridTable* sand = t.layers.cell(2, 0).asTable();
  QCOMPARE(sand->Caption, QStringLiteral("Sand Layer Data"));
  QCOMPARE(sand->rowCount(), 2);
  sand->cell(0, 1).setFloat(250.0);
  TGridTable* otherRow = t.layers.cell(2, 1).asTable();

  t.layers.storeText(0, 0, QStringLiteral("2"));
  TGridTable* clay = t.layers.cell(2, 0).asTable();
  QCOMPARE(clay->Caption, QStringLiteral("Clay Layer Data"));
  QCOMPARE(clay->columnCount(), 2);
  QCOMPARE(clay->cellText(1, 0), QStringLiteral("7"));  // the template's new-row value
  QCOMPARE(t.layers.cell(2, 1).asTable(), otherRow);    // other rows keep theirs

  // Back to sand: a fresh table, the earlier 250 is not restored.
  t.layers.cell(0, 0).setInteger(1);
  QCOMPARE(t.layers.cell(2, 0).asTable()->cellText(0, 1), QStringLiteral("0"));
  // Writing the same choice again keeps the table and its values.
  t.layers.cell(2, 0).asTable()->cell(0, 0).setFloat(5.0);
  t.layers.cell(0, 0).setInteger(1);
  QCOMPARE(t.layers.cell(2, 0).asTable()->cellText(0, 0), QStringLiteral("5"));
}

void GridTableTest::insertAndDeleteRenumberSubTables() {
  LayerTables t;
  t.layers.setRowCount(3);
  TGridTable* third = t.layers.cell(2, 2).asTable();
  QCOMPARE(t.layers.cellText(2, 2), QStringLiteral("3: Sand Layer Data"));
  QVERIFY(t.layers.insertRows(1));
  QCOMPARE(t.layers.cellText(2, 3), QStringLiteral("4: Sand Layer Data"));
  QCOMPARE(t.layers.cell(2, 3).asTable(), third);
  QCOMPARE(third->windowCaption(), QStringLiteral("Sand Layer Data  4"));
  QVERIFY(t.layers.deleteRows(0));
  QCOMPARE(third->rowNumber(), 3);
  QStringList captions = shownColumn(t.layers, 2);
  QCOMPARE(captions,
           (QStringList{"1: Sand Layer Data", "2: Sand Layer Data", "3: Sand Layer Data"}));
}

void GridTableTest::unitRoundTripOfDepthAndSubTables() {
  LayerTables t;
  t.layers.setRowCount(2);
  t.layers.storeText(1, 0, QStringLiteral("100"));
  t.layers.storeText(1, 1, QStringLiteral("123.456"));
  t.layers.cell(2, 0).asTable()->storeText(0, 0, QStringLiteral("1000"));
  QCOMPARE(t.layers.headingLines(1).last(), QStringLiteral("of each Layer (ft)  "));

  t.layers.setUnits(2);
  QCOMPARE(t.layers.cellText(1, 0), QStringLiteral("30.48"));  // 100 ft * 0.3048
  QCOMPARE(t.layers.cellText(1, 1),
           QStringLiteral("37.629389"));  // 123.456 * 0.3048 = 37.6293888, 8 digits
  // 1000 psf = 1000 * 0.00444822199911631 / 0.3048^2 kPa
  QCOMPARE(t.layers.cell(2, 0).asTable()->cellText(0, 0), QStringLiteral("47.880263"));
  QCOMPARE(t.layers.cell(2, 0).asTable()->units(), 2);
  QCOMPARE(t.layers.headingLines(1).last(), QStringLiteral("of each Layer (m)  "));
  // A layer added in SI has an SI sub-table.
  QVERIFY(t.layers.addRows());
  QCOMPARE(t.layers.cell(2, 2).asTable()->units(), 2);

  t.layers.setUnits(2);  // already SI: nothing changes
  QCOMPARE(t.layers.cellText(1, 0), QStringLiteral("30.48"));
  t.layers.setUnits(1);
  QCOMPARE(t.layers.cellText(1, 0), QStringLiteral("100"));
  QCOMPARE(t.layers.cellText(1, 1), QStringLiteral("123.456"));
  QCOMPARE(t.layers.cell(2, 0).asTable()->cellText(0, 0), QStringLiteral("1000"));
}

void GridTableTest::changedFlagCoversSubTables() {
  LayerTables t;
  t.layers.setRowCount(1);
  t.layers.resetChanged();
  QVERIFY(!t.layers.isChanged());
  t.layers.cell(2, 0).asTable()->storeText(0, 0, QStringLiteral("1"));
  QVERIFY(t.layers.isChanged());
  t.layers.resetChanged();
  QVERIFY(!t.layers.isChanged());
  QVERIFY(!t.layers.cell(2, 0).asTable()->isChanged());
  QVERIFY(t.layers.addRows());
  QVERIFY(t.layers.isChanged());
}

void GridTableTest::topDepthColumnContinuesRowAbove() {
  TTableList list;
  TGridTable table(&list);
  table.addColumn(std::make_unique<TFloatColumn>(QStringList{"Top"}, "L2", 0.0, true));
  QCOMPARE(errorOf([&] { table.addColumn(std::make_unique<TIntColumn>(QStringList{}, 0, 0, 1)); }),
           QStringLiteral("If column if a topdepth then the next column must be a float column"));
  table.addColumn(std::make_unique<TFloatColumn>(QStringList{"Bottom"}, "L2"));
  table.setRowCount(2);
  table.cell(1, 0).setFloat(10.0);
  table.cell(0, 1).setFloat(10.0);
  table.cell(1, 1).setFloat(20.0);
  QVERIFY(table.insertRows(1));  // between 10 and the row starting at 10
  QCOMPARE(table.cellText(0, 1), QStringLiteral("10"));
  QCOMPARE(table.cellText(1, 1), QStringLiteral("10"));
}

void GridTableTest::tableListFindsByIdentifier() {
  TTableList list;
  auto table = std::make_unique<TGridTable>(&list);
  table->setIdentifier(42);
  QCOMPARE(list.tableByIdentifier(42), table.get());
  QCOMPARE(list.tableByIndex(0), table.get());
  table.reset();
  QCOMPARE(list.tableByIdentifier(42), nullptr);
  QCOMPARE(list.count(), 0);
  QCOMPARE(errorOf([] { createColumn(9); }), QStringLiteral("Error Column Class not defined"));
}

void GridTableTest::itemModelShowsShownColumns() {
  LayerTables t;
  {
    GridTableModel empty(t.layers);  // MinRows 1 and no rows: the window shows one row
    QCOMPARE(empty.rowCount(), 1);
  }
  t.layers.setRowCount(2);
  t.layers.addColumn(std::make_unique<TFloatColumn>(QStringList{"Hidden"}, QString()));
  t.layers.column(3).Shown = false;
  GridTableModel model(t.layers);
  QCOMPARE(model.columnCount(), 3);
  QCOMPARE(model.rowCount(), 2);
  QCOMPARE(model.headerData(1, Qt::Horizontal).toString(),
           QStringLiteral("Depth at Bottom \nof each Layer (ft)  "));
  QCOMPARE(model.headerData(1, Qt::Vertical).toInt(), 2);
  QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("sand"));
  QCOMPARE(model.data(model.index(1, 2)).toString(), QStringLiteral("2: Sand Layer Data"));
  QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));  // a choice list
  QVERIFY(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
  QCOMPARE(errorOf([&] { model.deleteRowGroup(5); }),
           QStringLiteral("Grid.Row not in valid range"));
  QVERIFY(model.addRowGroup());
  QCOMPARE(model.rowCount(), 3);
  t.layers.setUnits(2);
  model.refresh();
  QVERIFY(model.headerData(1, Qt::Horizontal).toString().endsWith(QLatin1String("(m)  ")));
}

void GridTableTest::itemModelStoresTextAndReportsRefusals() {
  LayerTables t;
  t.layers.setRowCount(1);
  GridTableModel model(t.layers);
  QSignalSpy changed(&model, &GridTableModel::dataChanged);
  QSignalSpy refused(&model, &GridTableModel::entryRefused);
  QVERIFY(model.setData(model.index(0, 1), QStringLiteral("(10+2)*2")));
  QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("24"));
  QCOMPARE(changed.count(), 1);
  QVERIFY(!model.setData(model.index(0, 1), QString()));
  QCOMPARE(refused.count(), 1);
  QCOMPARE(refused.first().at(2).toString(),
           QStringLiteral("Depth at Bottom of each Layer, row 1: Entry cannot be blank."));
  QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("24"));
  QCOMPARE(model.refusedCell(), model.index(0, 1));
  QVERIFY(model.setData(model.index(0, 1), QStringLiteral("24")));
  QVERIFY(!model.refusedCell().isValid());
}

void GridTableTest::enteredTextChangesOnlyWhatDiffers() {
  LayerTables t;
  t.layers.setRowCount(2);
  t.layers.RowName = QStringLiteral("layer");
  t.layers.cell(1, 1).setFloat(19.68503937007874);  // a converted depth: more digits than shown
  t.layers.EntryCheck = [](int column, int, double value) {
    return column == 1 && value > 1000.0 ? QStringLiteral("Entry must be at most 1000") : QString();
  };
  t.layers.resetChanged();

  struct Case {
    const char* name;
    int column, row;
    const char* text;
    bool accepted, changed;
    const char* message;
  };
  const Case kCases[] = {
      {"shown text passes through unrounded", 1, 1, "19.685039", true, false, ""},
      {"same value by another text", 1, 0, "0*5", true, false, ""},
      {"further check refuses", 1, 0, "2000",
       false, false, "Depth at Bottom of each Layer, layer 1: Entry must be at most 1000"},
      {"column refuses before the further check", 1, 0, "x", false, false,
       "Depth at Bottom of each Layer, layer 1: x is not a valid number."},
      {"same choice keeps the sub-table", 0, 0, "1", true, false, ""},
  };
  TGridTable* subTable = t.layers.cell(2, 0).asTable();
  for (const Case& c : kCases) {
    const CellEntry entry = t.layers.enterText(c.column, c.row, QString::fromLatin1(c.text));
    QVERIFY2(entry.accepted == c.accepted, c.name);
    QVERIFY2(entry.changed == c.changed, c.name);
    QCOMPARE(entry.message, QString::fromLatin1(c.message));
    QVERIFY2(!t.layers.isChanged(), c.name);
  }
  QCOMPARE(t.layers.cell(1, 1).asFloat(), 19.68503937007874);
  QCOMPARE(t.layers.cell(2, 0).asTable(), subTable);

  const CellEntry changed = t.layers.enterText(1, 0, QStringLiteral("3*4+1"));
  QVERIFY(changed.accepted && changed.changed);
  QCOMPARE(t.layers.cellText(1, 0), QStringLiteral("13"));
  QVERIFY(t.layers.isChanged());
  // A sub-table names its window and row.
  QCOMPARE(subTable->enterText(0, 1, QString()).message,
           QStringLiteral("Sand Layer Data 1, Unit skin, row 2: Entry cannot be blank."));
}

QTEST_GUILESS_MAIN(GridTableTest)
#include "grid_table_test.moc"
