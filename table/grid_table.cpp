// Table model: rows in groups, typed cells, unit conversion, sub-tables and the table list.
#include "table/grid_table.h"

#include <algorithm>

#include "base/unit_labels.h"

namespace vorne {

namespace {

const QString kRowOutOfRange = QStringLiteral("Grid.Row not in valid range");

}  // namespace

// --- TTableList

TTableList& TTableList::processWide() {
  static TTableList list;
  return list;
}

TGridTable* TTableList::tableByIdentifier(int identifier) const {
  std::lock_guard lock(m_mutex);
  for (TGridTable* table : m_tables) {
    if (table->Identifier() == identifier) return table;
  }
  return nullptr;
}

TGridTable* TTableList::tableByIndex(int index) const {
  std::lock_guard lock(m_mutex);
  if (index < 0 || index >= static_cast<int>(m_tables.size())) return nullptr;
  return m_tables[static_cast<std::size_t>(index)];
}

int TTableList::count() const {
  std::lock_guard lock(m_mutex);
  return static_cast<int>(m_tables.size());
}

void TTableList::add(TGridTable* table) {
  std::lock_guard lock(m_mutex);
  m_tables.push_back(table);
}

void TTableList::remove(TGridTable* table) {
  std::lock_guard lock(m_mutex);
  m_tables.erase(std::remove(m_tables.begin(), m_tables.end(), table), m_tables.end());
}

// --- TData

double TData::asFloat() const {
  m_table->checkCell(m_column, m_row);
  return m_table->column(m_column).floatValue(m_row);
}

void TData::setFloat(double value) {
  m_table->checkCell(m_column, m_row);
  m_table->column(m_column).setFloatValue(m_row, value);
  m_table->setChanged();
}

int TData::asInteger() const {
  m_table->checkCell(m_column, m_row);
  return m_table->column(m_column).intValue(m_row);
}

void TData::setInteger(int value) {
  m_table->checkCell(m_column, m_row);
  if (m_table->column(m_column).type() == ColumnType::Enum) {
    m_table->writeChoice(m_column, m_row, value);
  } else {
    m_table->column(m_column).setIntValue(m_row, value);
  }
  m_table->setChanged();
}

QString TData::asText() const {
  m_table->checkCell(m_column, m_row);
  return m_table->column(m_column).textValue(m_row);
}

void TData::setText(const QString& value) {
  m_table->checkCell(m_column, m_row);
  m_table->column(m_column).setTextValue(m_row, value);
  m_table->setChanged();
}

TGridTable* TData::asTable() const {
  m_table->checkCell(m_column, m_row);
  return m_table->column(m_column).subTable(m_row);
}

QString TData::shownText() const { return m_table->cellText(m_column, m_row); }

// --- TGridTable

TGridTable::TGridTable(TTableList* list) : m_list(list) {
  if (m_list != nullptr) {
    m_list->add(this);
    m_registered = true;
  }
}

TGridTable::~TGridTable() {
  if (OnFree) OnFree();
  // Sub-tables go first, while this table is still whole.
  m_columns.clear();
  if (m_registered) m_list->remove(this);
}

std::unique_ptr<TGridTable> TGridTable::fromTemplate(const TGridTable& templ,
                                                     TGridTable* parent,
                                                     int rowNumber) {
  auto table = std::make_unique<TGridTable>(nullptr);
  table->m_list = parent != nullptr ? parent->m_list : templ.m_list;
  table->m_parent = parent;
  table->m_rowNumber = rowNumber;
  table->Caption = templ.Caption;
  table->Comments = templ.Comments;
  table->TopLeft = templ.TopLeft;
  table->CheckRanges = templ.CheckRanges;
  table->RowName = templ.RowName;
  table->EntryCheck = templ.EntryCheck;
  table->m_minRows = templ.m_minRows;
  table->m_maxRows = templ.m_maxRows;
  table->m_units = parent != nullptr ? parent->m_units : templ.m_units;
  for (const auto& column : templ.m_columns) table->m_columns.push_back(column->cloneDefinition());
  table->setRowCount(table->m_minRows);
  table->m_changed = false;
  return table;
}

void TGridTable::setMinRows(int minRows) {
  if (minRows <= 0) throw ETableError(QStringLiteral("Value must be greater than 0"));
  m_minRows = minRows;
}

TColumn& TGridTable::addColumn(std::unique_ptr<TColumn> column) {
  if (!m_columns.empty() && m_columns.back()->type() == ColumnType::Float &&
      static_cast<const TFloatColumn&>(*m_columns.back()).TopDepth &&
      column->type() != ColumnType::Float) {
    throw ETableError(
        QStringLiteral("If column if a topdepth then the next column must be a float column"));
  }
  column->insertRows(*this, 0, m_rowCount);
  m_columns.push_back(std::move(column));
  return *m_columns.back();
}

int TGridTable::shownColumnCount() const {
  return static_cast<int>(
      std::count_if(m_columns.begin(), m_columns.end(), [](const auto& c) { return c->Shown; }));
}

TColumn& TGridTable::column(int index) const {
  if (index < 0 || index >= columnCount()) throw ETableError(QStringLiteral("Index out of bounds"));
  return *m_columns[static_cast<std::size_t>(index)];
}

void TGridTable::checkCell(int column, int row) const {
  if (column < 0 || column >= columnCount() || row < 0 || row >= m_rowCount) {
    throw ETableError(QStringLiteral("Index out of bounds"));
  }
}

void TGridTable::insertRowsAt(int at, int count) {
  if (count <= 0) return;
  for (auto& column : m_columns) column->insertRows(*this, at, count);
  m_rowCount += count;
  // A top-depth column continues the row above and the following column meets the row below.
  for (std::size_t c = 0; c + 1 < m_columns.size(); ++c) {
    if (m_columns[c]->type() != ColumnType::Float ||
        !static_cast<const TFloatColumn&>(*m_columns[c]).TopDepth) {
      continue;
    }
    TColumn& top = *m_columns[c];
    TColumn& bottom = *m_columns[c + 1];
    for (int r = at; r < at + count; ++r) {
      if (r > 0) top.setFloatValue(r, bottom.floatValue(r - 1));
      if (r + 1 < m_rowCount) bottom.setFloatValue(r, top.floatValue(r + 1));
    }
  }
  renumberSubTables(at);
  m_changed = true;
}

void TGridTable::removeRowsAt(int at, int count) {
  if (count <= 0) return;
  for (auto& column : m_columns) column->removeRows(at, count);
  m_rowCount -= count;
  renumberSubTables(at);
  m_changed = true;
}

void TGridTable::renumberSubTables(int from) {
  for (auto& column : m_columns) {
    if (column->type() == ColumnType::Table) static_cast<TTableColumn&>(*column).renumber(from);
  }
}

void TGridTable::setRowCount(int n) {
  n = std::max(n, 0);
  if (n > m_rowCount) {
    insertRowsAt(m_rowCount, n - m_rowCount);
  } else if (n < m_rowCount) {
    removeRowsAt(n, m_rowCount - n);
  }
}

void TGridTable::padToMinRows() {
  if (m_rowCount < m_minRows) setRowCount(m_minRows);
}

bool TGridTable::addRows() {
  if (m_maxRows > 0 && m_rowCount + m_rowGroup > m_maxRows) return false;
  insertRowsAt(m_rowCount, m_rowGroup);
  return true;
}

bool TGridTable::insertRows(int row) {
  if (row < 0 || row >= m_rowCount) throw ETableError(kRowOutOfRange);
  if (m_maxRows > 0 && m_rowCount + m_rowGroup > m_maxRows) return false;
  insertRowsAt(row - row % m_rowGroup, m_rowGroup);
  return true;
}

bool TGridTable::deleteRows(int row) {
  if (row < 0 || row >= m_rowCount) throw ETableError(kRowOutOfRange);
  const int start = row - row % m_rowGroup;
  const int count = std::min(m_rowGroup, m_rowCount - start);
  if (m_rowCount - count < m_minRows) return false;
  removeRowsAt(start, count);
  return true;
}

TData TGridTable::cell(int column, int row) {
  checkCell(column, row);
  return TData(*this, column, row);
}

QString TGridTable::cellText(int column, int row) const {
  checkCell(column, row);
  return m_columns[static_cast<std::size_t>(column)]->cellText(row);
}

QString TGridTable::exactCellText(int column, int row) const {
  checkCell(column, row);
  return m_columns[static_cast<std::size_t>(column)]->exactText(row);
}

void TGridTable::writeChoice(int column, int row, int value) {
  TColumn& choices = *m_columns[static_cast<std::size_t>(column)];
  const int previous = choices.intValue(row);
  choices.setIntValue(row, value);
  // A new choice in the first column gives the row fresh sub-tables of that choice.
  if (column == 0 && previous != value) {
    for (auto& c : m_columns) {
      if (c->type() == ColumnType::Table) static_cast<TTableColumn&>(*c).rebuild(*this, row);
    }
  }
}

void TGridTable::storeText(int column, int row, const QString& text) {
  checkCell(column, row);
  TColumn& target = *m_columns[static_cast<std::size_t>(column)];
  if (target.type() == ColumnType::Enum) {
    writeChoice(column, row, static_cast<TEnumColumn&>(target).choiceFromText(text));
  } else {
    target.storeText(*this, row, text);
  }
  m_changed = true;
}

CellEntry TGridTable::enterText(int column, int row, const QString& text) {
  checkCell(column, row);
  CellEntry entry;
  TColumn& target = *m_columns[static_cast<std::size_t>(column)];
  if (text == target.cellText(row)) {
    entry.accepted = true;
    return entry;
  }
  try {
    if (target.type() == ColumnType::String) {
      target.storeText(*this, row, text);
    } else {
      const double value = target.valueOfText(*this, text);
      const bool whole = target.type() != ColumnType::Float;
      const double held = whole ? target.intValue(row) : target.floatValue(row);
      // The value the cell holds stays (shown with other digits, say): only a new value is
      // checked further.
      if (value == held) {
        entry.accepted = true;
        return entry;
      }
      if (EntryCheck) {
        const QString reason = EntryCheck(column, row, value);
        if (!reason.isEmpty()) throw ETableError(reason);
      }
      if (target.type() == ColumnType::Enum) {
        writeChoice(column, row, static_cast<int>(value));
      } else if (whole) {
        target.setIntValue(row, static_cast<int>(value));
      } else {
        target.setFloatValue(row, value);
      }
    }
  } catch (const ETableError& error) {
    entry.message = fieldName(column, row) + QStringLiteral(": ") + error.message();
    return entry;
  }
  entry.accepted = true;
  entry.changed = true;
  m_changed = true;
  return entry;
}

QString TGridTable::fieldName(int column, int row) const {
  QString heading = this->column(column).Headings.join(QLatin1Char(' ')).simplified();
  while (heading.endsWith(QLatin1Char(',')) || heading.endsWith(QLatin1Char('*'))) {
    heading.chop(1);
    heading = heading.trimmed();
  }
  QString name = heading + QStringLiteral(", ") + RowName + QLatin1Char(' ') +
                 QString::number(row + 1);
  if (m_parent != nullptr) name.prepend(windowCaption().simplified() + QStringLiteral(", "));
  return name;
}

QStringList TGridTable::headingLines(int column) const {
  return this->column(column).headingLines(m_units);
}

void TGridTable::setUnits(int units) {
  units = std::clamp(units, kEnglishUnits, kSiUnits);
  if (units == m_units) return;
  for (auto& column : m_columns) column->convertUnits(m_units, units);
  m_units = units;
}

QString TGridTable::unitSwitchProblem(int units) const {
  units = std::clamp(units, kEnglishUnits, kSiUnits);
  if (units == m_units) return {};
  for (const auto& column : m_columns) {
    if (column->type() == ColumnType::Table) {
      for (int r = 0; r < column->rowCount(); ++r) {
        const QString problem = column->subTable(r)->unitSwitchProblem(units);
        if (!problem.isEmpty()) return problem;
      }
      continue;
    }
    const int row = column->unitSwitchOverflowRow(m_units, units);
    if (row >= 0) {
      return QStringLiteral("%1, %2, row %3")
          .arg(windowCaption().trimmed(), column->Headings.join(QLatin1Char(' ')).simplified())
          .arg(row + 1);
    }
  }
  return {};
}

bool TGridTable::isChanged() const {
  if (m_changed) return true;
  for (const auto& column : m_columns) {
    if (column->type() != ColumnType::Table) continue;
    for (int r = 0; r < column->rowCount(); ++r) {
      if (column->subTable(r)->isChanged()) return true;
    }
  }
  return false;
}

void TGridTable::resetChanged() {
  m_changed = false;
  for (const auto& column : m_columns) {
    if (column->type() != ColumnType::Table) continue;
    for (int r = 0; r < column->rowCount(); ++r) column->subTable(r)->resetChanged();
  }
}

QString TGridTable::windowCaption() const {
  QString rows;
  for (const TGridTable* t = this; t->m_parent != nullptr; t = t->m_parent) {
    rows.prepend(QStringLiteral(" ") + QString::number(t->m_rowNumber));
  }
  return Caption + QStringLiteral(" ") + rows;
}

}  // namespace vorne
