// Control Options dialog.
#include "gui/control_options_dialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/dialog_rules.h"
#include "gui/data_edit.h"

TDlgOptions::TDlgOptions(vorne::TProgramData& project, QString& wordProcessor, QWidget* parent)
    : TDataDialog(project, parent), m_wordProcessor(wordProcessor) {
  setWindowTitle(QStringLiteral("Control Options"));
  chooseProgram = [](QWidget* owner, const QString& start) {
    // Programs have no extension here; the chooser lists every file.
    return QFileDialog::getOpenFileName(owner, QString(), start, QStringLiteral("All Files (*)"));
  };
  auto* layout = new QVBoxLayout(this);
  auto* print = new QGroupBox(QStringLiteral("Print Controls"), this);
  auto* grid = new QGridLayout(print);
  layout->addWidget(print);
  deIncrement = addEdit(grid, 0, QStringLiteral("Length of each computation &increment "),
                        QStringLiteral("L2"));
  deIncrement->setMaxVal(500.0);
  dePrintEvery = addEdit(grid, 1, QStringLiteral("&Print only every "));
  dePrintEvery->setIntegerOnly(true);
  dePrintEvery->setMinVal(1.0);
  dePrintEvery->setMaxVal(500.0);
  setFieldRange(deIncrement, vorne::FieldId::LengthIncrement);
  setFieldRange(dePrintEvery, vorne::FieldId::PrintIncrement);
  grid->addWidget(new QLabel(QStringLiteral("computation increment(s)"), print), 1, 2);

  auto* editor = new QGroupBox(QStringLiteral("Text Editor"), this);
  auto* row = new QHBoxLayout(editor);
  layout->addWidget(editor);
  edtEditor = new QLineEdit(editor);
  row->addWidget(edtEditor);
  auto* browse = new QPushButton(QStringLiteral("&Browse..."), editor);
  btnBrowse = browse;
  row->addWidget(browse);
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString chosen = chooseProgram(this, edtEditor->text());
    if (!chosen.isEmpty()) edtEditor->setText(chosen);
  });
  layout->addWidget(closeButton(), 0, Qt::AlignRight);
}

void TDlgOptions::loadValues() {
  deIncrement->setNumber(vorne::shownLengthIncrement(project().LengthIncrement));
  dePrintEvery->setNumber(project().PrintIncrement);
  edtEditor->setText(m_wordProcessor);
}

void TDlgOptions::storeValues() {
  storeNumber(deIncrement, project().LengthIncrement);
  storeNumber(dePrintEvery, project().PrintIncrement);
  m_wordProcessor = edtEditor->text();
}
