// Table window.
#include "gui/table_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPushButton>
#include <QStyleOptionHeader>
#include <QStylePainter>
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

// The cell of a control laid over the grid, kept on the control for its Enter key.
constexpr char kCellProperty[] = "vorneGridCell";

bool isEnterKey(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The grid's top-left cell: QTableView's corner button holds no text of its own.
QAbstractButton* cornerButton(QTableView* grid) {
  return grid->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
}

}  // namespace

bool TTableGrid::commitEditor() {
  if (state() != QAbstractItemView::EditingState) return true;
  QWidget* editor = indexWidget(currentIndex());
  if (editor == nullptr) editor = QApplication::focusWidget();
  if (editor == nullptr || !isAncestorOf(editor)) return true;
  commitData(editor);
  if (hasRefusal()) return false;
  closeEditor(editor, QAbstractItemDelegate::NoHint);
  return true;
}

bool TTableGrid::hasRefusal() const {
  const auto* model = qobject_cast<const vorne::GridTableModel*>(this->model());
  return model != nullptr && model->refusedCell().isValid();
}

void TTableGrid::returnToRefusedCell() {
  auto* model = qobject_cast<vorne::GridTableModel*>(this->model());
  if (model == nullptr || !model->refusedCell().isValid()) return;
  const QModelIndex refused = model->refusedCell();
  if (currentIndex() != refused) setCurrentIndex(refused);  // closes any other cell's editor
  scrollTo(refused);
  QWidget* editor = indexWidget(refused);
  if (editor == nullptr) {
    edit(refused);
    editor = indexWidget(refused);
  }
  if (editor != nullptr) editor->setFocus(Qt::OtherFocusReason);
}

void TTableGrid::moveOnEnter(int row, int column) {
  const int rows = model()->rowCount();
  const int columns = model()->columnCount();
  if (rows == 0 || columns == 0) return;
  if (row + 1 < rows) {
    ++row;
  } else {
    row = 0;
    column = column + 1 < columns ? column + 1 : 0;
  }
  const QModelIndex target = model()->index(row, column);
  setFocus();
  setCurrentIndex(target);  // a text cell opens its editor
  scrollTo(target);
  if (QWidget* control = indexWidget(target)) {
    control->setFocus();
  } else if (state() != QAbstractItemView::EditingState &&
             (model()->flags(target) & Qt::ItemIsEditable)) {
    edit(target);
  }
}

void TTableGrid::keyPressEvent(QKeyEvent* event) {
  if (isEnterKey(event) && !isEditing() && currentIndex().isValid()) {
    moveOnEnter(currentIndex().row(), currentIndex().column());
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void TTableGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  auto* model = qobject_cast<vorne::GridTableModel*>(this->model());
  const bool refusedHere = model != nullptr && model->refusedCell().isValid() &&
                           indexWidget(model->refusedCell()) == editor;
  if (refusedHere && hint != QAbstractItemDelegate::RevertModelCache) {
    // A refused text stays in its open editor, whatever asked to close it (Tab, Enter, a click
    // on another cell, focus leaving the grid); the window explains the refusal and comes back.
    QTimer::singleShot(0, this, [this] { returnToRefusedCell(); });
    return;
  }
  // Escape abandons the entry: the cell shows its stored value again.
  if (refusedHere) model->clearRefusal();
  // The delegate closes an editor with SubmitModelCache on Enter only (the view itself uses it
  // when the cursor moves to another row).
  const bool byEnter = hint == QAbstractItemDelegate::SubmitModelCache &&
                       qobject_cast<QAbstractItemDelegate*>(sender()) != nullptr;
  const bool moveOn = byEnter && !hasRefusal();
  const QModelIndex from = currentIndex();
  QTableView::closeEditor(editor, moveOn ? QAbstractItemDelegate::NoHint : hint);
  if (moveOn && from.isValid()) moveOnEnter(from.row(), from.column());
}

TTableForm::TTableForm(TGridTable& table, Placer place, QWidget* parent)
    : QWidget(parent), m_table(&table), m_place(std::move(place)) {
  setAttribute(Qt::WA_DeleteOnClose);
  openForms().insert(m_table, this);
  m_table->OnFree = [this] { tableFreed(); };
  m_table->padToMinRows();
  setWindowTitle(m_table->windowCaption());

  // The grid 1/20 inch from the left and top, the buttons 1/20 inch apart.
  const int gap = logicalDpiX() / 20;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(gap, gap, gap, gap);
  layout->setSpacing(gap);
  lblComments = new QLabel(this);
  lblComments->setWordWrap(true);
  layout->addWidget(lblComments);
  grid = new TTableGrid(this);
  m_model = new vorne::GridTableModel(*m_table, this);
  grid->setModel(m_model);
  grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(grid);
  if (QAbstractButton* corner = cornerButton(grid)) {
    corner->setText(m_table->TopLeft);
    corner->installEventFilter(this);
  }
  imgHelp = new QLabel(this);
  const QPixmap help = m_table->HelpPicture.isEmpty() ? QPixmap() : QPixmap(m_table->HelpPicture);
  imgHelp->setPixmap(help);
  imgHelp->setVisible(!help.isNull());
  layout->addWidget(imgHelp, 0, Qt::AlignLeft);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(gap);
  btnAdd = new QPushButton(QStringLiteral("&Add Row"), this);
  btnInsert = new QPushButton(QStringLiteral("&Insert Row"), this);
  btnDelete = new QPushButton(QStringLiteral("&Delete Row"), this);
  for (QPushButton* b : {btnAdd, btnInsert, btnDelete}) buttons->addWidget(b);
  buttons->addStretch();
  layout->addLayout(buttons);
  connect(btnAdd, &QPushButton::clicked, this, &TTableForm::AddRowClick);
  connect(btnInsert, &QPushButton::clicked, this, &TTableForm::InsertRowClick);
  connect(btnDelete, &QPushButton::clicked, this, &TTableForm::DeleteRowClick);

  // A refused entry is explained once, after the event that committed it, and the cell's editor
  // takes the focus back with the refused text. Deferred so that no box opens inside the editor's
  // focus handling (the box's focus would commit the editor again).
  connect(m_model, &vorne::GridTableModel::entryRefused, this,
          [this](int, int, const QString& message) {
            if (m_explaining) return;
            m_explaining = true;
            QTimer::singleShot(0, this, [this, message] {
              showMessageBox(this, QMessageBox::Warning, kMessageBoxTitle, message);
              m_explaining = false;
              if (m_table == nullptr || !grid->hasRefusal()) return;
              // The window comes back to the front when another one was activated meanwhile.
              if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
                if (frame->mdiArea() != nullptr) frame->mdiArea()->setActiveSubWindow(frame);
              } else {
                raise();
                activateWindow();
              }
              grid->returnToRefusedCell();
            });
          });
  connect(m_model, &QAbstractItemModel::modelReset, this, &TTableForm::layControls);
  refresh();
}

TTableForm::~TTableForm() {
  // The grid's editor may still commit while the children are destroyed after this body: its
  // refusal must not reach this window's handlers any more.
  if (m_model != nullptr) m_model->disconnect(this);
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
        list->setProperty(kCellProperty, QPoint(v, row));
        list->installEventFilter(this);
        grid->setIndexWidget(index, list);
      } else if (column.type() == ColumnType::Table) {
        auto* button = new QPushButton(m_table->cellText(c, row));
        connect(button, &QPushButton::clicked, this, [this, row, v] { showSubTable(row, v); });
        button->setProperty(kCellProperty, QPoint(v, row));
        button->installEventFilter(this);
        grid->setIndexWidget(index, button);
      }
    }
  }
  // Sub-tables are renumbered by inserts and deletes; their captions follow.
  for (int row = 0; row < m_table->rowCount(); ++row) {
    if (TTableForm* sub = subTableForm(row)) sub->setWindowTitle(sub->m_table->windowCaption());
  }
  fitFirstColumn();
  fitHeight();
}

void TTableForm::fitFirstColumn() {
  // As wide as the top-left text and two blanks, at least 1/3 inch, and never narrower than the
  // row numbers.
  QHeaderView* rows = grid->verticalHeader();
  const int margins = 2 * rows->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, rows);
  const int text = rows->fontMetrics().horizontalAdvance(m_table->TopLeft + QStringLiteral("  "));
  rows->setFixedWidth(std::max({text + margins, logicalDpiX() / 3, rows->sizeHint().width()}));
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
  const int column = std::max(grid->currentIndex().column(), 0);
  const int firstNewRow = m_model->rowCount();
  if (!m_model->addRowGroup()) return;
  grid->scrollToBottom();
  // The cursor goes to the new row, in the column it was in, ready for typing.
  grid->setFocus(Qt::OtherFocusReason);
  grid->setCurrentIndex(m_model->index(std::min(firstNewRow, m_model->rowCount() - 1), column));
}

void TTableForm::InsertRowClick() { changeRows(&vorne::GridTableModel::insertRowGroup); }

void TTableForm::DeleteRowClick() { changeRows(&vorne::GridTableModel::deleteRowGroup); }

void TTableForm::changeRows(bool (vorne::GridTableModel::*change)(int)) {
  if (!grid->commitEditor()) return;
  const QModelIndex current = grid->currentIndex();
  try {
    (m_model->*change)(current.row());
  } catch (const vorne::ETableError& error) {
    showMessageBox(this, QMessageBox::Warning, kMessageBoxTitle, error.message());
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

bool TTableForm::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget != nullptr && event->type() == QEvent::Paint && widget == cornerButton(grid)) {
    QStyleOptionHeader option;
    option.initFrom(widget);
    option.rect = widget->rect();
    option.text = static_cast<QAbstractButton*>(widget)->text();
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    QStylePainter painter(widget);
    painter.drawControl(QStyle::CE_Header, option);
    return true;
  }
  const QVariant cell = watched->property(kCellProperty);
  if (cell.isValid() && isEnterKey(event)) {
    grid->moveOnEnter(cell.toPoint().y(), cell.toPoint().x());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TTableForm::closeEvent(QCloseEvent* event) {
  if (m_table != nullptr && !grid->commitEditor()) {
    event->ignore();
    return;
  }
  event->accept();
}
