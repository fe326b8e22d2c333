// Column types: new-row values, shown text and the checks of typed text.
#include "table/column_types.h"

#include <bit>
#include <cmath>

#include "base/expression_evaluator.h"
#include "base/number_text.h"
#include "base/unit_labels.h"
#include "table/grid_table.h"

namespace vorne {

namespace {

// Cells show reals with up to 8 significant digits.
constexpr int kCellDigits = 8;
// An integer entry may differ from a whole number by rounding noise of an expression only.
constexpr double kIntegerTolerance = 1e-10;
// Nesting of sub-tables beyond this depth is a template that refers to itself.
constexpr int kMaxSubTableDepth = 8;

[[noreturn]] void wrongType() { throw ETableError(QStringLiteral("Data of wrong type")); }

// Evaluates a typed text with the table's messages.
double evaluateEntry(const QString& text) {
  if (text.trimmed().isEmpty()) throw ETableError(QStringLiteral("Entry cannot be blank."));
  try {
    return evaluateExpression(text);
  } catch (const EExpressionError&) {
    throw ETableError(text + QStringLiteral(" is not a valid number."));
  }
}

template <typename T>
void insertValues(std::vector<T>& values, int at, int count, const T& value) {
  values.insert(values.begin() + at, static_cast<std::size_t>(count), value);
}

template <typename T>
void removeValues(std::vector<T>& values, int at, int count) {
  values.erase(values.begin() + at, values.begin() + at + count);
}

}  // namespace

double TColumn::valueOfText(const TGridTable&, const QString&) const { wrongType(); }

QStringList TColumn::headingLines(int units) const {
  QStringList lines = Headings;
  const QString templ = unitTemplate();
  if (!templ.isEmpty()) {
    if (lines.isEmpty()) lines.append(QString());
    lines.back() += QStringLiteral(" (") + expandUnits(templ, units) + QStringLiteral(")  ");
  }
  return lines;
}

double TColumn::floatValue(int) const { wrongType(); }
void TColumn::setFloatValue(int, double) { wrongType(); }
int TColumn::intValue(int) const { wrongType(); }
void TColumn::setIntValue(int, int) { wrongType(); }
QString TColumn::textValue(int) const { wrongType(); }
void TColumn::setTextValue(int, const QString&) { wrongType(); }
TGridTable* TColumn::subTable(int) const { wrongType(); }

// --- TEnumColumn

std::unique_ptr<TColumn> TEnumColumn::cloneDefinition() const {
  auto copy = std::make_unique<TEnumColumn>(*this);
  copy->m_values.clear();
  return copy;
}

void TEnumColumn::insertRows(TGridTable&, int at, int count) {
  insertValues(m_values, at, count, 1);
}

void TEnumColumn::removeRows(int at, int count) { removeValues(m_values, at, count); }

QString TEnumColumn::cellText(int row) const {
  const int choice = m_values[static_cast<std::size_t>(row)];
  return choice >= 1 && choice <= Choices.size() ? Choices[choice - 1] : QString();
}

int TEnumColumn::choiceFromText(const QString& text) const {
  const double value = evaluateEntry(text);
  if (value != std::trunc(value)) throw ETableError(QStringLiteral("Value must be an integer."));
  if (value < 1 || value > static_cast<double>(Choices.size())) {
    throw ETableError(QStringLiteral("Entry must be between 1 and %1.").arg(Choices.size()));
  }
  return static_cast<int>(value);
}

void TEnumColumn::storeText(const TGridTable&, int row, const QString& text) {
  setIntValue(row, choiceFromText(text));
}

double TEnumColumn::valueOfText(const TGridTable&, const QString& text) const {
  return choiceFromText(text);
}

int TEnumColumn::intValue(int row) const { return m_values[static_cast<std::size_t>(row)]; }

void TEnumColumn::setIntValue(int row, int value) {
  if (value < 1 || value > Choices.size()) {
    throw ETableError(QStringLiteral("Entry must be between 1 and %1.").arg(Choices.size()));
  }
  m_values[static_cast<std::size_t>(row)] = value;
}

// --- TIntColumn

std::unique_ptr<TColumn> TIntColumn::cloneDefinition() const {
  auto copy = std::make_unique<TIntColumn>(*this);
  copy->m_values.clear();
  return copy;
}

void TIntColumn::insertRows(TGridTable&, int at, int count) {
  insertValues(m_values, at, count, Default);
}

void TIntColumn::removeRows(int at, int count) { removeValues(m_values, at, count); }

QString TIntColumn::cellText(int row) const {
  return QString::number(m_values[static_cast<std::size_t>(row)]);
}

void TIntColumn::storeText(const TGridTable& owner, int row, const QString& text) {
  m_values[static_cast<std::size_t>(row)] = static_cast<int>(valueOfText(owner, text));
}

double TIntColumn::valueOfText(const TGridTable& owner, const QString& text) const {
  const double value = evaluateEntry(text);
  const double whole = std::round(value);
  if (std::fabs(value - whole) > kIntegerTolerance) {
    throw ETableError(QStringLiteral("Entry must be an integer."));
  }
  // Past 32 bits the value cannot be held, whether or not the table checks ranges.
  if (whole < -2147483648.0 || whole > 2147483647.0) {
    throw ETableError(QStringLiteral("Entry must be between %1 and %2.")
                          .arg(owner.CheckRanges ? Minimum : -2147483647 - 1)
                          .arg(owner.CheckRanges ? Maximum : 2147483647));
  }
  const int n = static_cast<int>(whole);
  if (owner.CheckRanges && (n < Minimum || n > Maximum)) {
    throw ETableError(QStringLiteral("Entry must be between %1 and %2.").arg(Minimum).arg(Maximum));
  }
  return n;
}

int TIntColumn::intValue(int row) const { return m_values[static_cast<std::size_t>(row)]; }

void TIntColumn::setIntValue(int row, int value) {
  m_values[static_cast<std::size_t>(row)] = value;
}

// --- TFloatColumn

std::unique_ptr<TColumn> TFloatColumn::cloneDefinition() const {
  auto copy = std::make_unique<TFloatColumn>(*this);
  copy->m_values.clear();
  return copy;
}

void TFloatColumn::insertRows(TGridTable&, int at, int count) {
  insertValues(m_values, at, count, Default);
}

void TFloatColumn::removeRows(int at, int count) { removeValues(m_values, at, count); }

QString TFloatColumn::cellText(int row) const {
  return formatGeneralQ(m_values[static_cast<std::size_t>(row)], kCellDigits);
}

// The shown digits when they read back to the stored value, more when they do not (a converted
// 19.68503937007874 ft must not land on 19.685039, the other side of a layer boundary).
QString TFloatColumn::exactText(int row) const {
  return QString::fromStdString(
      formatGeneralExact(m_values[static_cast<std::size_t>(row)], kCellDigits));
}

void TFloatColumn::storeText(const TGridTable& owner, int row, const QString& text) {
  m_values[static_cast<std::size_t>(row)] = valueOfText(owner, text);
}

double TFloatColumn::valueOfText(const TGridTable&, const QString& text) const {
  const double value = evaluateEntry(text);
  // 1/0 evaluates; a cell holds only numbers a file can carry and the engine can read.
  if (!std::isfinite(value)) throw ETableError(text + QStringLiteral(" is not a valid number."));
  return value;
}

void TFloatColumn::convertUnits(int from, int to) {
  if (from == to) return;
  const double factor = englishToSiFactor(UnitTemplate);
  if (factor == 1.0) return;
  const bool toSi = from == kEnglishUnits && to == kSiUnits;
  // A value the last switch made goes home to the value it was made from, bit for bit (also one
  // of 17 digits, or an expression's result); others are converted. Kept by value, not by row, so
  // rows inserted or deleted in between change nothing.
  std::unordered_map<std::uint64_t, double> home;
  for (double& value : m_values) {
    if (Codes.contains(value)) continue;
    const auto found = m_homeValues.find(std::bit_cast<std::uint64_t>(value));
    const double converted =
        found != m_homeValues.end() ? found->second : convertUnitValue(value, factor, toSi);
    home[std::bit_cast<std::uint64_t>(converted)] = value;
    value = converted;
  }
  m_homeValues = std::move(home);
}

int TFloatColumn::unitSwitchOverflowRow(int from, int to) const {
  if (from == to) return -1;
  const double factor = englishToSiFactor(UnitTemplate);
  const bool toSi = from == kEnglishUnits && to == kSiUnits;
  for (std::size_t row = 0; row < m_values.size(); ++row) {
    const double value = m_values[row];
    if (Codes.contains(value) || !std::isfinite(value)) continue;
    if (!std::isfinite(convertUnitValue(value, factor, toSi))) return static_cast<int>(row);
  }
  return -1;
}

double TFloatColumn::floatValue(int row) const { return m_values[static_cast<std::size_t>(row)]; }

void TFloatColumn::setFloatValue(int row, double value) {
  m_values[static_cast<std::size_t>(row)] = value;
}

// --- TTableColumn

TTableColumn::TTableColumn(QStringList headings, QList<int> identifiers)
    : TColumn(std::move(headings)), Identifiers(std::move(identifiers)) {}

TTableColumn::~TTableColumn() = default;

TTableColumn::TTableColumn(const TTableColumn& other)
    : TColumn(other), Identifiers(other.Identifiers) {}

std::unique_ptr<TColumn> TTableColumn::cloneDefinition() const {
  return std::make_unique<TTableColumn>(*this);
}

std::unique_ptr<TGridTable> TTableColumn::build(TGridTable& owner, int row) const {
  int identifier = Identifiers.isEmpty() ? 0 : Identifiers.front();
  if (owner.columnCount() > 0 && owner.column(0).type() == ColumnType::Enum &&
      owner.column(0).rowCount() > row) {
    const int choice = owner.column(0).intValue(row);
    if (choice >= 1 && choice <= Identifiers.size()) identifier = Identifiers[choice - 1];
  }
  int depth = 0;
  for (const TGridTable* t = &owner; t != nullptr; t = t->parentTable()) ++depth;
  const TGridTable* templ = owner.tableList() != nullptr && depth <= kMaxSubTableDepth
                                ? owner.tableList()->tableByIdentifier(identifier)
                                : nullptr;
  if (templ == nullptr) {
    // No template: an empty sub-table keeps the rows consistent.
    auto empty = std::make_unique<TGridTable>(nullptr);
    empty->m_parent = &owner;
    empty->m_rowNumber = row + 1;
    empty->m_list = owner.tableList();
    return empty;
  }
  return TGridTable::fromTemplate(*templ, &owner, row + 1);
}

void TTableColumn::insertRows(TGridTable& owner, int at, int count) {
  for (int r = at; r < at + count; ++r) m_tables.insert(m_tables.begin() + r, build(owner, r));
}

void TTableColumn::removeRows(int at, int count) { removeValues(m_tables, at, count); }

QString TTableColumn::cellText(int row) const {
  const TGridTable& sub = *m_tables[static_cast<std::size_t>(row)];
  return QString::number(sub.rowNumber()) + QStringLiteral(": ") + sub.Caption;
}

void TTableColumn::storeText(const TGridTable&, int, const QString&) { wrongType(); }

void TTableColumn::convertUnits(int, int to) {
  for (auto& sub : m_tables) sub->setUnits(to);
}

TGridTable* TTableColumn::subTable(int row) const {
  return m_tables[static_cast<std::size_t>(row)].get();
}

void TTableColumn::rebuild(TGridTable& owner, int row) {
  m_tables[static_cast<std::size_t>(row)] = build(owner, row);
}

void TTableColumn::renumber(int from) {
  for (std::size_t r = static_cast<std::size_t>(from); r < m_tables.size(); ++r) {
    m_tables[r]->m_rowNumber = static_cast<int>(r) + 1;
  }
}

// --- TStringColumn

std::unique_ptr<TColumn> TStringColumn::cloneDefinition() const {
  auto copy = std::make_unique<TStringColumn>(*this);
  copy->m_values.clear();
  return copy;
}

void TStringColumn::insertRows(TGridTable&, int at, int count) {
  insertValues(m_values, at, count, Default);
}

void TStringColumn::removeRows(int at, int count) { removeValues(m_values, at, count); }

QString TStringColumn::cellText(int row) const { return m_values[static_cast<std::size_t>(row)]; }

void TStringColumn::storeText(const TGridTable&, int row, const QString& text) {
  m_values[static_cast<std::size_t>(row)] = text;
}

QString TStringColumn::textValue(int row) const { return m_values[static_cast<std::size_t>(row)]; }

void TStringColumn::setTextValue(int row, const QString& value) {
  m_values[static_cast<std::size_t>(row)] = value;
}

std::unique_ptr<TColumn> createColumn(int typeId) {
  switch (typeId) {
    case static_cast<int>(ColumnType::Enum):
      return std::make_unique<TEnumColumn>(QStringList{}, QStringList{});
    case static_cast<int>(ColumnType::Int):
      return std::make_unique<TIntColumn>(QStringList{}, 0, -2147483647 - 1, 2147483647);
    case static_cast<int>(ColumnType::Float):
      return std::make_unique<TFloatColumn>(QStringList{}, QString());
    case static_cast<int>(ColumnType::Table):
      return std::make_unique<TTableColumn>(QStringList{}, QList<int>{});
    case static_cast<int>(ColumnType::String):
      return std::make_unique<TStringColumn>(QStringList{});
    default:
      break;
  }
  throw ETableError(QStringLiteral("Error Column Class not defined"));
}

}  // namespace vorne
