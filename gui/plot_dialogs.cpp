// Plot settings dialogs.
#include "gui/plot_dialogs.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/data_edit.h"
#include "gui/message_box.h"
#include "plot/plot_geometry.h"
#include "plot/plot_paint.h"

namespace {

// OK at the left and Cancel at the right, each 20 pixels from its edge.
QHBoxLayout* okCancelRow(QPushButton* ok, QPushButton* cancel) {
  auto* row = new QHBoxLayout;
  row->setContentsMargins(10, 0, 10, 0);
  row->addWidget(ok);
  row->addStretch();
  row->addWidget(cancel);
  return row;
}

}  // namespace

// --- Graph Caption

TfrmGraphCaption::TfrmGraphCaption(const QString& title, bool onTop, QWidget* parent)
    : QDialog(parent),
      edtCaption(new QLineEdit(title, this)),
      rbTop(new QRadioButton(QStringLiteral("Top"), this)),
      rbBottom(new QRadioButton(QStringLiteral("Bottom"), this)),
      okButton(new QPushButton(QStringLiteral("&OK"), this)),
      cancelButton(new QPushButton(QStringLiteral("&Cancel"), this)) {
  setWindowTitle(QStringLiteral("Graph Caption"));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QStringLiteral("Enter Graph Caption"), this);
  label->setBuddy(edtCaption);
  layout->addWidget(label);
  layout->addWidget(edtCaption);
  auto* group = new QGroupBox(QStringLiteral("Caption Location"), this);
  auto* groupLayout = new QHBoxLayout(group);
  groupLayout->addWidget(rbTop);
  groupLayout->addWidget(rbBottom);
  layout->addWidget(group);
  layout->addLayout(okCancelRow(okButton, cancelButton));
  (onTop ? rbTop : rbBottom)->setChecked(true);
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  setMinimumWidth(260);
}

QString TfrmGraphCaption::title() const { return edtCaption->text(); }

bool TfrmLineNames::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edLine && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      commitEdit();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
bool TfrmGraphCaption::onTop() const { return rbTop->isChecked(); }

// --- Legend

TfrmLineNames::TfrmLineNames(const QStringList& names, QWidget* parent)
    : QDialog(parent),
      lbLines(new QListWidget(this)),
      edLine(new QLineEdit(this)),
      okButton(new QPushButton(QStringLiteral("&OK"), this)),
      cancelButton(new QPushButton(QStringLiteral("&Cancel"), this)),
      m_names(names) {
  setWindowTitle(QStringLiteral("Legend"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 5, 10, 5);
  layout->setSpacing(5);
  layout->addWidget(new QLabel(QStringLiteral("Select line to modify:"), this));
  layout->addWidget(lbLines, 1);
  layout->addWidget(new QLabel(QStringLiteral("Type new legend below:"), this));
  layout->addWidget(edLine);
  layout->addLayout(okCancelRow(okButton, cancelButton));
  setMinimumSize(195, 167);
  lbLines->addItems(names);
  connect(lbLines, &QListWidget::currentRowChanged, this, &TfrmLineNames::showEntry);
  // Enter in the edit and leaving it both commit the text; Enter in the edit does not end the
  // dialog (the next name may follow), elsewhere it presses OK.
  connect(edLine, &QLineEdit::editingFinished, this, &TfrmLineNames::commitEdit);
  edLine->installEventFilter(this);
  okButton->setAutoDefault(false);
  cancelButton->setAutoDefault(false);
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, [this] {
    commitEdit();
    accept();
  });
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  if (!names.isEmpty()) lbLines->setCurrentRow(0);
}

void TfrmLineNames::showEntry(int row) {
  m_editedRow = row;
  if (row < 0 || row >= lbLines->count()) {
    edLine->clear();
    return;
  }
  edLine->setText(lbLines->item(row)->text());
  QPalette palette = edLine->palette();
  palette.setColor(QPalette::Text, vorne::PaletteColor(row));
  edLine->setPalette(palette);
}

void TfrmLineNames::commitEdit() {
  const int row = m_editedRow;
  if (row < 0 || row >= lbLines->count()) return;
  if (edLine->text().isEmpty()) {
    edLine->setText(lbLines->item(row)->text());
    showMessageBox(this, QMessageBox::Warning, windowTitle(),
                   QStringLiteral("The line must have a name!"));
    return;
  }
  lbLines->item(row)->setText(edLine->text());
}

void TfrmLineNames::done(int result) {
  // The entries go back into the name list however the dialog ends.
  m_names.clear();
  for (int i = 0; i < lbLines->count(); ++i) m_names << lbLines->item(i)->text();
  QDialog::done(result);
}

// --- Active Curves

const QString TfrmActiveLines::kYes = QStringLiteral(" yes : ");
const QString TfrmActiveLines::kNo = QStringLiteral(" no  : ");

TfrmActiveLines::TfrmActiveLines(const QStringList& names,
                                 const std::vector<bool>& listed,
                                 QWidget* parent)
    : QDialog(parent),
      lbLines(new QListWidget(this)),
      toggleButton(new QPushButton(QStringLiteral("Activate/Deactivate Selected"), this)),
      allButton(new QPushButton(QStringLiteral("Activate All"), this)),
      noneButton(new QPushButton(QStringLiteral("Deactivate All"), this)),
      okButton(new QPushButton(QStringLiteral("&OK"), this)),
      cancelButton(new QPushButton(QStringLiteral("&Cancel"), this)),
      m_names(names),
      m_listed(listed) {
  setWindowTitle(QStringLiteral("Active Curves"));
  m_listed.resize(static_cast<std::size_t>(names.size()), true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->setSpacing(10);
  layout->addWidget(new QLabel(QStringLiteral("Select Curve to Active/Desactive"), this));
  auto* heads = new QHBoxLayout;
  heads->addWidget(new QLabel(QStringLiteral("Active :"), this));
  heads->addWidget(new QLabel(QStringLiteral("Curve"), this), 1);
  layout->addLayout(heads);
  layout->addWidget(lbLines, 1);
  layout->addWidget(toggleButton);
  auto* allRow = new QHBoxLayout;
  allRow->addWidget(allButton);
  allRow->addStretch();
  allRow->addWidget(noneButton);
  layout->addLayout(allRow);
  auto* okRow = new QHBoxLayout;
  okRow->addWidget(okButton);
  okRow->addStretch();
  okRow->addWidget(cancelButton);
  layout->addLayout(okRow);
  setMinimumSize(190, 234);
  lbLines->setSelectionMode(QAbstractItemView::ExtendedSelection);
  for (int i = 0; i < names.size(); ++i) {
    lbLines->addItem(QString());
    rewrite(i);
  }
  if (lbLines->count() > 0) lbLines->setCurrentRow(0);
  connect(lbLines, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { flip(lbLines->row(item)); });
  connect(toggleButton, &QPushButton::clicked, this, &TfrmActiveLines::flipSelected);
  connect(allButton, &QPushButton::clicked, this, [this] { setAll(true); });
  connect(noneButton, &QPushButton::clicked, this, [this] { setAll(false); });
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmActiveLines::rewrite(int row) {
  lbLines->item(row)->setText((m_listed[std::size_t(row)] ? kYes : kNo) + QStringLiteral("   ") +
                              m_names[row]);
}

void TfrmActiveLines::flip(int row) {
  if (row < 0 || row >= lbLines->count()) return;
  m_listed[std::size_t(row)] = !m_listed[std::size_t(row)];
  rewrite(row);
}

void TfrmActiveLines::flipSelected() {
  const QList<QListWidgetItem*> selected = lbLines->selectedItems();
  if (selected.size() <= 1) {
    flip(lbLines->currentRow());
    return;
  }
  for (QListWidgetItem* item : selected) flip(lbLines->row(item));
}

void TfrmActiveLines::setAll(bool listed) {
  for (int i = 0; i < lbLines->count(); ++i) {
    m_listed[std::size_t(i)] = listed;
    rewrite(i);
  }
}

// --- Save Attributes

TdlgFormat::TdlgFormat(QWidget* parent)
    : QDialog(parent),
      deHeight(new TDataEdit(this)),
      deWidth(new TDataEdit(this)),
      dePPI(new TDataEdit(this)),
      okButton(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton(new QPushButton(QStringLiteral("Cancel"), this)) {
  setWindowTitle(QStringLiteral("Save Attributes"));
  auto* layout = new QHBoxLayout(this);
  auto* fields = new QVBoxLayout;
  const auto addField = [&](TDataEdit* edit, const QString& caption, const QString& unit) {
    auto* label = new QLabel(this);
    label->setBuddy(edit);
    edit->setEditLabel(label);
    edit->setCaption(caption);
    edit->setUnitsString(unit);
    fields->addWidget(label);
    fields->addWidget(edit);
  };
  addField(deHeight, QStringLiteral("&Height"), QStringLiteral("in"));
  addField(deWidth, QStringLiteral("&Width"), QStringLiteral("in"));
  addField(dePPI, QStringLiteral("&Pixels Per Inch"), QString());
  deHeight->setMinVal(2);
  deWidth->setMinVal(2);
  dePPI->setIntegerOnly(true);
  dePPI->setMinVal(10);
  fields->addStretch();
  layout->addLayout(fields);
  auto* group = new QGroupBox(QStringLiteral("Colors"), this);
  auto* groupLayout = new QVBoxLayout(group);
  for (const char* text : {"Black and White", "16 Colors", "256 Colors", "High Color (16 bit)",
                           "True Color (24 bit)"}) {
    colorButtons.push_back(new QRadioButton(QString::fromLatin1(text), group));
    groupLayout->addWidget(colorButtons.back());
  }
  layout->addWidget(group);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  buttons->addStretch();
  layout->addLayout(buttons);
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &TdlgFormat::okClicked);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  setValues(vorne::kDefaultPicture.heightInches, vorne::kDefaultPicture.widthInches,
            vorne::kDefaultPicture.pixelsPerInch, Colors16);
}

void TdlgFormat::setValues(double heightInches, double widthInches, int pixelsPerInch, int colors) {
  deHeight->setNumber(heightInches);
  deWidth->setNumber(widthInches);
  dePPI->setNumber(pixelsPerInch);
  colorButtons[std::size_t(std::clamp(colors, 0, 4))]->setChecked(true);
}

int TdlgFormat::colors() const {
  for (std::size_t i = 0; i < colorButtons.size(); ++i) {
    if (colorButtons[i]->isChecked()) return static_cast<int>(i);
  }
  return Colors16;
}

void TdlgFormat::okClicked() {
  for (TDataEdit* edit : {deHeight, deWidth, dePPI}) {
    if (!edit->Validate()) return;
  }
  m_height = deHeight->Number();
  m_width = deWidth->Number();
  m_ppi = static_cast<int>(dePPI->Number());
  const QSize size = vorne::BitmapSize(m_height, m_width, m_ppi);
  m_bitmap = QImage(size, QImage::Format_RGB32);
  if (m_bitmap.isNull()) {
    done(kOutOfMemory);
    return;
  }
  m_bitmap.fill(Qt::white);
  accept();
}
