// The column types of a table: a choice list, integers, reals with a unit template, a sub-table
// per row and text. A column holds one value per row, knows what a new row holds, how a cell is
// shown and how a typed text is stored.
#ifndef VORNE_TABLE_COLUMN_TYPES_H
#define VORNE_TABLE_COLUMN_TYPES_H

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "table/table_error.h"

namespace vorne {

class TGridTable;

// Ids of the column-type registry, used when a table definition is stored or restored.
enum class ColumnType : int { Enum = 0, Int = 1, Float = 2, Table = 3, String = 4 };

class TColumn {
 public:
  explicit TColumn(QStringList headings = {}) : Headings(std::move(headings)) {}
  virtual ~TColumn() = default;
  TColumn(const TColumn&) = default;
  TColumn& operator=(const TColumn&) = delete;

  virtual ColumnType type() const = 0;
  // A copy of the definition (headings, flags, definition data) without rows.
  virtual std::unique_ptr<TColumn> cloneDefinition() const = 0;

  virtual int rowCount() const = 0;
  // Inserts count rows at `at`, each holding the column's new-row value. owner is the table the
  // column belongs to; the sub-table column reads the row's choice from it.
  virtual void insertRows(TGridTable& owner, int at, int count) = 0;
  virtual void removeRows(int at, int count) = 0;

  // The cell as the grid shows it.
  virtual QString cellText(int row) const = 0;
  // The cell as a file stores it: text that reads back to the same value.
  virtual QString exactText(int row) const { return cellText(row); }
  // False for cells that are controls (choice lists and sub-table buttons).
  virtual bool isTextCell() const { return true; }
  // Stores a typed text; throws ETableError with the message to show when it is refused.
  virtual void storeText(const TGridTable& owner, int row, const QString& text) = 0;
  // The value a typed text stands for in a numeric column (the choice number in a list column),
  // checked as storeText checks it but not stored; throws ETableError with the reason when the
  // text is refused, "Data of wrong type" in a text or sub-table column.
  virtual double valueOfText(const TGridTable& owner, const QString& text) const;
  // Converts the stored values from one unit system to the other (1 English, 2 SI).
  virtual void convertUnits(int from, int to) {
    (void)from;
    (void)to;
  }
  virtual QString unitTemplate() const { return {}; }
  // The first row whose value a switch from one unit system to the other would take out of the
  // finite range, or -1.
  virtual int unitSwitchOverflowRow(int from, int to) const {
    (void)from;
    (void)to;
    return -1;
  }

  // Heading lines; with a unit template the last line gets " (" + unit + ")" and two blanks.
  QStringList headingLines(int units) const;

  // Typed access; the base refuses every type with "Data of wrong type".
  virtual double floatValue(int row) const;
  virtual void setFloatValue(int row, double value);
  virtual int intValue(int row) const;
  virtual void setIntValue(int row, int value);
  virtual QString textValue(int row) const;
  virtual void setTextValue(int row, const QString& value);
  virtual TGridTable* subTable(int row) const;

  QStringList Headings;
  bool Shown = true;  // the column has a grid column in the table window
};

// An integer choice, 1-based, shown as its text in a drop-down list. A new row holds choice 1.
class TEnumColumn : public TColumn {
 public:
  TEnumColumn(QStringList headings, QStringList choices)
      : TColumn(std::move(headings)), Choices(std::move(choices)) {}
  ColumnType type() const override { return ColumnType::Enum; }
  std::unique_ptr<TColumn> cloneDefinition() const override;
  int rowCount() const override { return static_cast<int>(m_values.size()); }
  void insertRows(TGridTable& owner, int at, int count) override;
  void removeRows(int at, int count) override;
  QString cellText(int row) const override;
  bool isTextCell() const override { return false; }
  void storeText(const TGridTable& owner, int row, const QString& text) override;
  double valueOfText(const TGridTable& owner, const QString& text) const override;
  int intValue(int row) const override;
  // Refuses a choice outside 1..number of choices.
  void setIntValue(int row, int value) override;
  // The choice a typed text names: "Value must be an integer." for a fraction, "Entry must be
  // between 1 and n." outside the choices.
  int choiceFromText(const QString& text) const;

  QStringList Choices;

 private:
  std::vector<int> m_values;
};

// A 32-bit integer shown in decimal. A new row holds Default.
class TIntColumn : public TColumn {
 public:
  TIntColumn(QStringList headings, int defaultValue, int minimum, int maximum)
      : TColumn(std::move(headings)), Default(defaultValue), Minimum(minimum), Maximum(maximum) {}
  ColumnType type() const override { return ColumnType::Int; }
  std::unique_ptr<TColumn> cloneDefinition() const override;
  int rowCount() const override { return static_cast<int>(m_values.size()); }
  void insertRows(TGridTable& owner, int at, int count) override;
  void removeRows(int at, int count) override;
  QString cellText(int row) const override;
  // "Entry must be an integer." when the fraction exceeds 1e-10; "Entry must be between %d and
  // %d." outside Minimum..Maximum when the owner checks ranges, and always outside 32 bits.
  void storeText(const TGridTable& owner, int row, const QString& text) override;
  double valueOfText(const TGridTable& owner, const QString& text) const override;
  int intValue(int row) const override;
  void setIntValue(int row, int value) override;

  int Default;
  int Minimum;
  int Maximum;

 private:
  std::vector<int> m_values;
};

// A real in the unit of UnitTemplate, shown in general format with up to 8 significant digits.
// A new row holds Default; in a top-depth column it holds the bottom value of the row above.
class TFloatColumn : public TColumn {
 public:
  TFloatColumn(QStringList headings,
               QString unitTemplate,
               double defaultValue = 0.0,
               bool topDepth = false)
      : TColumn(std::move(headings)),
        UnitTemplate(std::move(unitTemplate)),
        Default(defaultValue),
        TopDepth(topDepth) {}
  ColumnType type() const override { return ColumnType::Float; }
  std::unique_ptr<TColumn> cloneDefinition() const override;
  int rowCount() const override { return static_cast<int>(m_values.size()); }
  void insertRows(TGridTable& owner, int at, int count) override;
  void removeRows(int at, int count) override;
  QString cellText(int row) const override;
  QString exactText(int row) const override;
  // A text that evaluates to an infinite or undefined value is refused as not a number.
  void storeText(const TGridTable& owner, int row, const QString& text) override;
  double valueOfText(const TGridTable& owner, const QString& text) const override;
  void convertUnits(int from, int to) override;
  int unitSwitchOverflowRow(int from, int to) const override;
  QString unitTemplate() const override { return UnitTemplate; }
  double floatValue(int row) const override;
  void setFloatValue(int row, double value) override;

  QString UnitTemplate;
  double Default;
  bool TopDepth;
  // Values that are codes, not quantities (a limit of 9999 meaning "use the published limits",
  // 9999999 meaning "no limit"): a unit switch leaves them as they are.
  QList<double> Codes;

 private:
  std::vector<double> m_values;
  // The values of the last unit switch, by the bits of the value it made, for the way home.
  std::unordered_map<std::uint64_t, double> m_homeValues;
};

// One sub-table per row, built from the template table whose Identifier is Identifiers[k - 1]
// for choice k of the owner's first column (the first identifier when that column is not a
// choice list). Shown as a button captioned "row: Caption".
class TTableColumn : public TColumn {
 public:
  TTableColumn(QStringList headings, QList<int> identifiers);
  ~TTableColumn() override;
  TTableColumn(const TTableColumn& other);
  ColumnType type() const override { return ColumnType::Table; }
  std::unique_ptr<TColumn> cloneDefinition() const override;
  int rowCount() const override { return static_cast<int>(m_tables.size()); }
  void insertRows(TGridTable& owner, int at, int count) override;
  void removeRows(int at, int count) override;
  QString cellText(int row) const override;
  bool isTextCell() const override { return false; }
  void storeText(const TGridTable& owner, int row, const QString& text) override;
  void convertUnits(int from, int to) override;
  TGridTable* subTable(int row) const override;

  // Replaces the row's sub-table by a fresh one from the template of the row's current choice.
  void rebuild(TGridTable& owner, int row);
  // Gives the sub-tables from row `from` on their row numbers (row index + 1).
  void renumber(int from);

  QList<int> Identifiers;

 private:
  std::unique_ptr<TGridTable> build(TGridTable& owner, int row) const;
  std::vector<std::unique_ptr<TGridTable>> m_tables;
};

// Text. A new row holds Default; Value is kept with the definition.
class TStringColumn : public TColumn {
 public:
  explicit TStringColumn(QStringList headings, QString defaultText = {}, double value = 0.0)
      : TColumn(std::move(headings)), Default(std::move(defaultText)), Value(value) {}
  ColumnType type() const override { return ColumnType::String; }
  std::unique_ptr<TColumn> cloneDefinition() const override;
  int rowCount() const override { return static_cast<int>(m_values.size()); }
  void insertRows(TGridTable& owner, int at, int count) override;
  void removeRows(int at, int count) override;
  QString cellText(int row) const override;
  void storeText(const TGridTable& owner, int row, const QString& text) override;
  QString textValue(int row) const override;
  void setTextValue(int row, const QString& value) override;

  QString Default;
  double Value;

 private:
  std::vector<QString> m_values;
};

// The registry of column types: a column of the given id with an empty definition. Throws
// "Error Column Class not defined" for an unknown id.
std::unique_ptr<TColumn> createColumn(int typeId);

}  // namespace vorne

#endif  // VORNE_TABLE_COLUMN_TYPES_H
