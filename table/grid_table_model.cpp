// Item model over a table.
#include "table/grid_table_model.h"

namespace vorne {

GridTableModel::GridTableModel(TGridTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table) {
  // A table window always shows at least the table's minimum rows.
  m_table.padToMinRows();
  mapColumns();
}

void GridTableModel::mapColumns() {
  m_columns.clear();
  for (int c = 0; c < m_table.columnCount(); ++c) {
    if (m_table.column(c).Shown) m_columns.push_back(c);
  }
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_table.rowCount();
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

int GridTableModel::tableColumn(int viewColumn) const {
  if (viewColumn < 0 || viewColumn >= static_cast<int>(m_columns.size())) {
    throw ETableError(QStringLiteral("Index out of bounds"));
  }
  return m_columns[static_cast<std::size_t>(viewColumn)];
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= m_table.rowCount() || index.column() >= columnCount()) {
    return {};
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return m_table.cellText(tableColumn(index.column()), index.row());
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= columnCount()) return {};
  return m_table.headingLines(tableColumn(section)).join(QLatin1Char('\n'));
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid() || index.column() >= columnCount()) return Qt::NoItemFlags;
  Qt::ItemFlags result = Qt::ItemIsEnabled;
  if (m_table.column(tableColumn(index.column())).isTextCell()) {
    result |= Qt::ItemIsSelectable | Qt::ItemIsEditable;
  }
  return result;
}

bool GridTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.column() >= columnCount() ||
      index.row() >= m_table.rowCount()) {
    return false;
  }
  const CellEntry entry =
      m_table.enterText(tableColumn(index.column()), index.row(), value.toString());
  if (!entry.accepted) {
    m_lastError = entry.message;
    m_refusedCell = QPersistentModelIndex(index);
    emit entryRefused(index.row(), index.column(), m_lastError);
    return false;
  }
  clearRefusal();
  // Every cell shows the stored values again: an expression as its value.
  emit dataChanged(this->index(0, 0), this->index(rowCount() - 1, columnCount() - 1));
  return true;
}

void GridTableModel::clearRefusal() {
  m_lastError.clear();
  m_refusedCell = QPersistentModelIndex();
}

bool GridTableModel::addRowGroup() {
  beginResetModel();
  const bool added = m_table.addRows();
  endResetModel();
  return added;
}

bool GridTableModel::insertRowGroup(int row) {
  if (row < 0 || row >= m_table.rowCount()) {
    throw ETableError(QStringLiteral("Grid.Row not in valid range"));
  }
  beginResetModel();
  const bool inserted = m_table.insertRows(row);
  endResetModel();
  return inserted;
}

bool GridTableModel::deleteRowGroup(int row) {
  if (row < 0 || row >= m_table.rowCount()) {
    throw ETableError(QStringLiteral("Grid.Row not in valid range"));
  }
  beginResetModel();
  const bool deleted = m_table.deleteRows(row);
  endResetModel();
  return deleted;
}

void GridTableModel::refresh() {
  clearRefusal();
  beginResetModel();
  mapColumns();
  endResetModel();
}

}  // namespace vorne
