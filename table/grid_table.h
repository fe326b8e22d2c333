// An editable table of typed columns: row limits, rows added, inserted and deleted in groups,
// typed cell access, typed text stored through the expression evaluator, unit conversion, nested
// sub-tables per row and a changed flag. Windowless; the table window sits on top of it.
#ifndef VORNE_TABLE_GRID_TABLE_H
#define VORNE_TABLE_GRID_TABLE_H

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "table/column_types.h"

namespace vorne {

// The list in which tables are found by Identifier, e.g. the template of a sub-table column.
// One list serves the whole process; a project that must not share its templates with another
// (two projects converted side by side in one process) gives its tables a list of their own.
class TTableList {
 public:
  TTableList() = default;
  TTableList(const TTableList&) = delete;
  TTableList& operator=(const TTableList&) = delete;

  static TTableList& processWide();

  // The first table with this identifier, or nullptr.
  TGridTable* tableByIdentifier(int identifier) const;
  // The table at this position in order of creation, or nullptr.
  TGridTable* tableByIndex(int index) const;
  int count() const;

 private:
  friend class TGridTable;
  void add(TGridTable* table);
  void remove(TGridTable* table);

  mutable std::mutex m_mutex;
  std::vector<TGridTable*> m_tables;
};

class TGridTable;

// The outcome of a typed entry into a cell (TGridTable::enterText).
struct CellEntry {
  bool accepted = false;
  bool changed = false;  // accepted, and the cell's value is not the one it held
  QString message;       // the refusal, naming the field: "<field>: <reason>"; empty when accepted
};

// Typed access to one cell; every wrong combination of column type and value type throws
// ETableError "Data of wrong type". Writes mark the table changed.
class TData {
 public:
  TData(TGridTable& table, int column, int row) : m_table(&table), m_column(column), m_row(row) {}

  double asFloat() const;
  void setFloat(double value);
  // Integer cells and choice cells (1-based).
  int asInteger() const;
  void setInteger(int value);
  QString asText() const;
  void setText(const QString& value);
  TGridTable* asTable() const;
  // The cell as shown in the grid.
  QString shownText() const;

 private:
  TGridTable* m_table;
  int m_column;
  int m_row;
};

class TGridTable {
 public:
  // A table registered in list (the process-wide list unless given).
  explicit TGridTable(TTableList* list = &TTableList::processWide());
  ~TGridTable();
  TGridTable(const TGridTable&) = delete;
  TGridTable& operator=(const TGridTable&) = delete;

  // A sub-table built from a template: its Caption, Comments, TopLeft, row limits and a copy of
  // every column, MinRows rows, the parent's unit system, and the given row number. Sub-tables
  // are not entered in the list.
  static std::unique_ptr<TGridTable> fromTemplate(const TGridTable& templ,
                                                  TGridTable* parent,
                                                  int rowNumber);

  // --- definition
  QString Caption;
  QString Comments;
  QString TopLeft;
  // File name or resource path of an image shown below the grid; empty for none.
  QString HelpPicture;
  bool HardwiredButton = false;
  // Integer columns refuse values outside their Minimum..Maximum only when this is set.
  bool CheckRanges = false;
  // How a row is named in a refusal ("row 3", "layer 3").
  QString RowName = QStringLiteral("row");
  // A further check of a typed entry after the column's own: given the column, the row and the
  // value the text stands for, the reason it is refused, or an empty text to accept it. Not asked
  // for the value the cell already holds. Kept by sub-tables built from this table.
  std::function<QString(int column, int row, double value)> EntryCheck;
  // Called when the table is freed (a sub-table replaced or its row deleted), so that a window
  // showing it lets go of it first.
  std::function<void()> OnFree;

  int Identifier() const { return m_identifier; }
  void setIdentifier(int identifier) { m_identifier = identifier; }
  int MinRows() const { return m_minRows; }
  // Throws "Value must be greater than 0" for 0 or less.
  void setMinRows(int minRows);
  int MaxRows() const { return m_maxRows; }
  // 0: no limit.
  void setMaxRows(int maxRows) { m_maxRows = maxRows < 0 ? 0 : maxRows; }
  int RowGroup() const { return m_rowGroup; }
  // Values below 1 become 1.
  void setRowGroup(int rowGroup) { m_rowGroup = rowGroup < 1 ? 1 : rowGroup; }

  // Appends a column; a column after a top-depth column must be a float column ("If column if
  // a topdepth then the next column must be a float column"). The column takes the current rows.
  TColumn& addColumn(std::unique_ptr<TColumn> column);
  int columnCount() const { return static_cast<int>(m_columns.size()); }
  int shownColumnCount() const;
  // Throws "Index out of bounds".
  TColumn& column(int index) const;

  // --- rows
  int rowCount() const { return m_rowCount; }
  // n is raised to at least 0; new rows take their columns' new-row values.
  void setRowCount(int n);
  // Brings the row count up to MinRows.
  void padToMinRows();
  // Appends one group of RowGroup rows; false (nothing done) when MaxRows would be passed.
  bool addRows();
  // Inserts one group in front of the group holding row; false when MaxRows would be passed.
  // Throws "Grid.Row not in valid range" for a row outside the data rows.
  bool insertRows(int row);
  // Deletes the group holding row; false when fewer than MinRows rows would remain. Throws
  // "Grid.Row not in valid range" for a row outside the data rows.
  bool deleteRows(int row);

  // --- cells; column and row zero-based, "Index out of bounds" outside the table
  TData cell(int column, int row);
  QString cellText(int column, int row) const;
  // The cell as a file stores it: the shown text, or more digits when the shown text would not
  // read back to the same value.
  QString exactCellText(int column, int row) const;
  // Stores a typed text through the column (expressions are evaluated); throws ETableError with
  // the message to show when the entry is refused. A new choice in the first column replaces the
  // row's sub-tables.
  void storeText(int column, int row, const QString& text);
  // The one path from a typed text to a cell, for every table window and grid field: the text
  // the cell shows now is taken as it is (so that passing through a cell never rounds its value
  // to the shown digits); any other text is evaluated and checked by the column, then (unless it
  // is the value held) by EntryCheck, and stored when accepted. The changed flag is set only when the value differs. A
  // refusal leaves the cell and the changed flag as they were.
  CellEntry enterText(int column, int row, const QString& text);
  // The field a cell is, for messages: the window caption for a sub-table, the column's heading
  // and the row ("Depth at Bottom of each Layer, layer 3"; "Sand Layer Data 2, Friction Angle
  // (Deg.), row 1").
  QString fieldName(int column, int row) const;
  // The column's heading lines with its unit named for the table's unit system.
  QStringList headingLines(int column) const;

  // --- units
  int units() const { return m_units; }
  // Converts every float column (and every sub-table) from the stored system to the given one
  // (clamped into 1..2); a table already in that system is left alone.
  void setUnits(int units);
  // The first cell that setUnits(units) would take out of the finite range, named by the
  // table's window caption, the column's heading and the row ("Soil layer data 2, Undrained
  // Shear Strength, row 1"), or an empty text when every value converts.
  QString unitSwitchProblem(int units) const;

  // --- changed flag: set by every edit, insert and delete, also of a sub-table
  bool isChanged() const;
  void setChanged() { m_changed = true; }
  void resetChanged();

  // --- sub-tables
  TGridTable* parentTable() const { return m_parent; }
  // Row number in the parent (row index + 1); 0 for a top-level table.
  int rowNumber() const { return m_rowNumber; }
  // Caption of the table window: Caption, a blank, then the row numbers of the parent rows,
  // outermost first, each preceded by a blank.
  QString windowCaption() const;
  TTableList* tableList() const { return m_list; }

 private:
  friend class TData;
  friend class TTableColumn;
  void checkCell(int column, int row) const;
  void insertRowsAt(int at, int count);
  void removeRowsAt(int at, int count);
  void renumberSubTables(int from);
  void writeChoice(int column, int row, int value);

  TTableList* m_list = nullptr;
  bool m_registered = false;
  int m_identifier = 0;
  int m_minRows = 1;
  int m_maxRows = 0;
  int m_rowGroup = 1;
  int m_rowCount = 0;
  int m_units = 1;
  bool m_changed = false;
  TGridTable* m_parent = nullptr;
  int m_rowNumber = 0;
  std::vector<std::unique_ptr<TColumn>> m_columns;
};

}  // namespace vorne

#endif  // VORNE_TABLE_GRID_TABLE_H
