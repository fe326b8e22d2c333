// Table window.
#include "gui/table_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/message_box.h"

using vorne::ColumnType;
using vorne::TGridTable;

namespace {

// The open window of each table.
QHash<const TGridTable*, QPointer<TTableForm>>& openForms() {
  static QHash<const TGridTable*, QPointer<TTableForm>> forms;
  return forms;
}

constexpr int kMaxShownRows = 10;

}  // namespace

bool TTableGrid::commitEditor() {
  if (state() != QAbstractItemView::EditingState) return true;
  QWidget* editor = indexWidget(currentIndex());
  if (editor == nullptr) editor = QApplication::focusWidget();
  if (editor == nullptr || !isAncestorOf(editor)) return true;
  auto* model = qobject_cast<vorne::GridTableModel*>(this->model());
  const QString before = model != nullptr ? model->lastError() : QString();
  commitData(editor);
  if (model != nullptr && !model->lastError().isEmpty()) return false;
  closeEditor(editor, QAbstractItemDelegate::NoHint);
  (void)before;
  return true;
}

TTableForm::TTableForm(TGridTable& table, Placer place, QWidget* parent)
    : QWidget(parent), m_table(&table), m_place(std::move(place)) {
  setAttribute(Qt::WA_DeleteOnClose);
  openForms().insert(m_table, this);
  m_table->OnFree = [this] { tableFreed(); };
  m_table->padToMinRows();
  setWindowTitle(m_table->windowCaption());

  auto* layout = new QVBoxLayout(this);
  lblComments = new QLabel(this);
  lblComments->setWordWrap(true);
  layout->addWidget(lblComments);
  grid = new TTableGrid(this);
  m_model = new vorne::GridTableModel(*m_table, this);
  grid->setModel(m_model);
  grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(grid);
  auto* buttons = new QHBoxLayout;
  btnAdd = new QPushButton(QStringLiteral("&Add Row"), this);
  btnInsert = new QPushButton(QStringLiteral("&Insert Row"), this);
  btnDelete = new QPushButton(QStringLiteral("&Delete Row"), this);
  for (QPushButton* b : {btnAdd, btnInsert, btnDelete}) buttons->addWidget(b);
  buttons->addStretch();
  layout->addLayout(buttons);
  connect(btnAdd, &QPushButton::clicked, this, &TTableForm::AddRowClick);
  connect(btnInsert, &QPushButton::clicked, this, &TTableForm::InsertRowClick);
  connect(btnDelete, &QPushButton::clicked, this, &TTableForm::DeleteRowClick);

  // A refused entry is explained and the cell is edited again.
  connect(m_model, &vorne::GridTableModel::entryRefused, this,
          [this](int row, int column, const QString& message) {
            showMessageBox(this, QMessageBox::Warning, TMainForm::kProgramTitle, message);
            const QModelIndex index = m_model->index(row, column);
            QTimer::singleShot(0, grid, [this, index] {
              grid->setCurrentIndex(index);
              grid->edit(index);
            });
          });
  connect(m_model, &QAbstractItemModel::modelReset, this, &TTableForm::layControls);
  refresh();
}

TTableForm::~TTableForm() {
  if (m_table != nullptr) {
    m_table->OnFree = nullptr;
    openForms().remove(m_table);
  }
}

TTableForm* TTableForm::showTable(TGridTable& table, const Placer& place) {
  if (table.shownColumnCount() == 0) return nullptr;
  if (TTableForm* open = openForms().value(&table)) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(open->parentWidget())) {
      if (frame->mdiArea() != nullptr) frame->mdiArea()->setActiveSubWindow(frame);
    } else {
      open->raise();
      open->activateWindow();
    }
    return open;
  }
  auto* form = new TTableForm(table, place);
  if (place) {
    place(form);
  } else {
    form->show();
  }
  return form;
}

TTableForm* TTableForm::subTableForm(int row) const {
  for (int c = 0; c < m_table->columnCount(); ++c) {
    if (m_table->column(c).type() != ColumnType::Table) continue;
    return openForms().value(m_table->column(c).subTable(row));
  }
  return nullptr;
}

void TTableForm::refresh() {
  if (m_table == nullptr) return;
  setWindowTitle(m_table->windowCaption());
  const QString comments = QString(m_table->Comments).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  lblComments->setText(comments);
  lblComments->setVisible(!comments.isEmpty());
  m_model->refresh();  // resets the model: the controls are laid again
}

void TTableForm::layControls() {
  if (m_table == nullptr) return;
  for (int v = 0; v < m_model->columnCount(); ++v) {
    const int c = m_model->tableColumn(v);
    const vorne::TColumn& column = m_table->column(c);
    for (int row = 0; row < m_table->rowCount(); ++row) {
      const QModelIndex index = m_model->index(row, v);
      if (column.type() == ColumnType::Enum) {
        auto* list = new QComboBox;
        list->addItems(static_cast<const vorne::TEnumColumn&>(column).Choices);
        list->setCurrentIndex(m_table->cell(c, row).asInteger() - 1);
        connect(list, &QComboBox::activated, this, [this, c, row](int choice) {
          // A new choice in the first column gives the row a fresh sub-table.
          m_table->cell(c, row).setInteger(choice + 1);
          QTimer::singleShot(0, this, [this] { refresh(); });
        });
        grid->setIndexWidget(index, list);
      } else if (column.type() == ColumnType::Table) {
        auto* button = new QPushButton(m_table->cellText(c, row));
        connect(button, &QPushButton::clicked, this, [this, row, v] { showSubTable(row, v); });
        grid->setIndexWidget(index, button);
      }
    }
  }
  // Sub-tables are renumbered by inserts and deletes; their captions follow.
  for (int row = 0; row < m_table->rowCount(); ++row) {
    if (TTableForm* sub = subTableForm(row)) sub->setWindowTitle(sub->m_table->windowCaption());
  }
  fitHeight();
}

void TTableForm::fitHeight() {
  const int rows = std::min(m_table->rowCount(), kMaxShownRows);
  int height = grid->horizontalHeader()->sizeHint().height() + 2 * grid->frameWidth();
  for (int r = 0; r < rows; ++r) height += grid->rowHeight(r);
  grid->setMinimumHeight(height);
}

void TTableForm::showSubTable(int row, int viewColumn) {
  TGridTable* sub = m_table->column(m_model->tableColumn(viewColumn)).subTable(row);
  if (sub != nullptr) showTable(*sub, m_place);
}

void TTableForm::AddRowClick() {
  if (!grid->commitEditor()) return;
  if (m_model->addRowGroup()) grid->scrollToBottom();
}

void TTableForm::InsertRowClick() { changeRows(&vorne::GridTableModel::insertRowGroup); }

void TTableForm::DeleteRowClick() { changeRows(&vorne::GridTableModel::deleteRowGroup); }

void TTableForm::changeRows(bool (vorne::GridTableModel::*change)(int)) {
  if (!grid->commitEditor()) return;
  const QModelIndex current = grid->currentIndex();
  try {
    (m_model->*change)(current.row());
  } catch (const vorne::ETableError& error) {
    showMessageBox(this, QMessageBox::Warning, TMainForm::kProgramTitle, error.message());
    return;
  }
  // The model was reset; the cursor stays on its row.
  const int row = std::min(current.row(), m_model->rowCount() - 1);
  grid->setCurrentIndex(m_model->index(row, current.column()));
}

void TTableForm::tableFreed() {
  // The table goes away (its row was deleted or its type changed): let go of it and close.
  openForms().remove(m_table);
  m_table = nullptr;
  grid->setModel(nullptr);
  delete m_model;
  m_model = nullptr;
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    QTimer::singleShot(0, frame, [frame] { frame->close(); });
  } else {
    QTimer::singleShot(0, this, [this] { close(); });
  }
}

void TTableForm::closeEvent(QCloseEvent* event) {
  if (m_table != nullptr && !grid->commitEditor()) {
    event->ignore();
    return;
  }
  event->accept();
}
