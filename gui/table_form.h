// The table window: a grid over one table with its caption, comments and heading rows with unit
// texts; typed cells stored through the table's checks, a list for choice columns and a button
// per sub-table cell that opens that row's sub-table window; Add, Insert and Delete Row by row
// groups within the table's row limits.
#pragma once

#include <QPointer>
#include <QTableView>
#include <QWidget>
#include <functional>

#include "gui/child_window.h"
#include "table/grid_table.h"
#include "table/grid_table_model.h"

class QLabel;
class QPushButton;

// The grid, able to hand an open cell editor's text to the model.
class TTableGrid : public QTableView {
  Q_OBJECT

 public:
  using QTableView::QTableView;
  // Stores the text of the cell being edited, if any. False when the table refused it (the
  // editor stays open on that cell with the refused text).
  bool commitEditor();
  // Whether a refused entry waits in its editor for correction or Escape.
  bool hasRefusal() const;
  // Puts the cursor and the focus back into the editor of the refused cell.
  void returnToRefusedCell();
  bool isEditing() const { return state() == QAbstractItemView::EditingState; }
  // Enter from the cell (row, column): one row down; from the last row to the first row of the
  // next column; from the last column back to the first. A control's cell focuses the control.
  void moveOnEnter(int row, int column);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // An editor closed by Enter with its text stored moves the cursor on. The editor of a refused
  // entry stays open unless Escape abandons the entry.
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
};

class TTableForm : public QWidget, public TChildWindow {
  Q_OBJECT

 public:
  // Places a new table window (a child window of the main window, or a window of its own).
  using Placer = std::function<void(QWidget*)>;

  // table must outlive the window or free it (the window closes when its table is freed).
  TTableForm(vorne::TGridTable& table, Placer place, QWidget* parent = nullptr);
  ~TTableForm() override;

  // The table's window: the open one is activated, else one is made and placed. Nothing for a
  // table without a shown column.
  static TTableForm* showTable(vorne::TGridTable& table, const Placer& place);

  vorne::TGridTable* table() const { return m_table; }
  TTableGrid* grid = nullptr;
  QLabel* lblComments = nullptr;
  QLabel* imgHelp = nullptr;  // the table's help picture, below the grid
  QPushButton* btnAdd = nullptr;
  QPushButton* btnInsert = nullptr;
  QPushButton* btnDelete = nullptr;

  // The sub-table window opened from a row's button, when open.
  TTableForm* subTableForm(int row) const;

  // TChildWindow: reload shows the table again (after a unit switch), unless a refused entry
  // waits in its cell; commit stores the cell being edited.
  void loadFromProject() override {
    if (!grid->hasRefusal()) refresh();
  }
  bool commitToProject() override { return m_table == nullptr || grid->commitEditor(); }

  void refresh();
  void AddRowClick();
  void InsertRowClick();
  void DeleteRowClick();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Enter on a list or sub-table button moves on as in a text cell.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void layControls();
  void fitHeight();
  void fitFirstColumn();
  void tableFreed();
  void showSubTable(int row, int viewColumn);
  void changeRows(bool (vorne::GridTableModel::*change)(int));

  vorne::TGridTable* m_table;
  Placer m_place;
  vorne::GridTableModel* m_model = nullptr;
  bool m_explaining = false;  // a refusal's box is due or showing
};
