// Project Title dialog.
#include "gui/title_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

TdlgTitle::TdlgTitle(vorne::TProgramData& project, QWidget* parent) : TDataDialog(project, parent) {
  setWindowTitle(QStringLiteral("Project Title"));
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Enter line of text for project description:"), this),
                  0, 0, 1, 2);
  edtTitle = new QLineEdit(this);
  edtTitle->setMaxLength(80);  // a single line: the project file keeps it on one line
  grid->addWidget(edtTitle, 1, 0, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Name of the Designer : "), this), 2, 0);
  edtDesigner = new QLineEdit(this);
  grid->addWidget(edtDesigner, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("Job Number : "), this), 3, 0);
  edtJobNumber = new QLineEdit(this);
  grid->addWidget(edtJobNumber, 3, 1);
  grid->addWidget(closeButton(), 4, 1, Qt::AlignRight);
  // Every field is saved with the project, so an edit of any of them is a change to save.
  for (QLineEdit* edit : {edtTitle, edtDesigner, edtJobNumber}) {
    connect(edit, &QLineEdit::textEdited, this, [this] { markModified(); });
  }
}

void TdlgTitle::loadValues() {
  edtTitle->setText(project().Title);
  edtDesigner->setText(project().Designer);
  edtJobNumber->setText(project().JobNumber);
}

void TdlgTitle::storeValues() {
  project().Title = edtTitle->text();
  project().Designer = edtDesigner->text();
  project().JobNumber = edtJobNumber->text();
}
