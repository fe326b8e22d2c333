// A TGridTable seen as a Qt item model, for the grid of the table window: one view column per
// shown column, typed text stored through the table's checks, headings with their units.
// Needs QtCore only.
#ifndef VORNE_TABLE_GRID_TABLE_MODEL_H
#define VORNE_TABLE_GRID_TABLE_MODEL_H

#include <QAbstractTableModel>
#include <vector>

#include "table/grid_table.h"

namespace vorne {

class GridTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // table must outlive the model. The table is brought up to its minimum rows, as its window
  // shows them.
  explicit GridTableModel(TGridTable& table, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  // DisplayRole and EditRole: the cell as shown (a choice's text, a sub-table's button caption).
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // Horizontal: the heading lines joined by line breaks, the unit named for the table's system.
  // Vertical: the row number, from 1.
  QVariant headerData(int section,
                      Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  // Text cells are editable; choice and sub-table cells are controls, not text.
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Stores the typed text through TGridTable::enterText. A refused entry returns false, keeps
  // the cell, and emits entryRefused with the message to show (naming the field); lastError()
  // and refusedCell() hold it until the next accepted entry or clearRefusal(). On success every
  // cell is refreshed, so an expression shows as its value.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // The table column behind a view column.
  int tableColumn(int viewColumn) const;
  TGridTable& table() const { return m_table; }
  const QString& lastError() const { return m_lastError; }
  // The cell of the last refused entry; invalid when the last entry was accepted.
  QModelIndex refusedCell() const { return m_refusedCell; }
  // Forgets a refusal (the entry was abandoned and the cell shows its value again).
  void clearRefusal();

  // Row commands of the table window; false when the row limits refuse them. insertRows and
  // deleteRows throw ETableError "Grid.Row not in valid range" for a row outside the data rows.
  bool addRowGroup();
  bool insertRowGroup(int row);
  bool deleteRowGroup(int row);
  // Shows the table again after a change made to it directly (unit switch, file read).
  void refresh();

 signals:
  void entryRefused(int row, int column, const QString& message);

 private:
  void mapColumns();

  TGridTable& m_table;
  std::vector<int> m_columns;  // table column of each view column
  QString m_lastError;
  QPersistentModelIndex m_refusedCell;
};

}  // namespace vorne

#endif  // VORNE_TABLE_GRID_TABLE_MODEL_H
