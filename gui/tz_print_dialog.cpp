// t-z printout option dialog.
#include "gui/tz_print_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TDlgTZPrint::TDlgTZPrint(vorne::TProgramData& project, QWidget* parent)
    : TDataDialog(project, parent) {
  setWindowTitle(QStringLiteral("Option of Printing t-z Curves"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("t-z Curves for Verification"), this));
  ChkPrint = new QCheckBox(QStringLiteral("&Print Internally-Generated"), this);
  layout->addWidget(ChkPrint);
  btnEditDepths = new QPushButton(QStringLiteral("Edit Depths"), this);
  layout->addWidget(btnEditDepths);
  layout->addWidget(closeButton(), 0, Qt::AlignRight);
  connect(ChkPrint, &QCheckBox::clicked, this, [this] {
    markModified();
    applyRules();
  });
  connect(btnEditDepths, &QPushButton::clicked, this,
          [this] { emit showTable(&this->project().TblTZDepth); });
}

void TDlgTZPrint::loadValues() { ChkPrint->setChecked(project().ExtraTzDepths == 1); }

void TDlgTZPrint::applyRules() { btnEditDepths->setEnabled(ChkPrint->isChecked()); }

void TDlgTZPrint::storeValues() { project().ExtraTzDepths = ChkPrint->isChecked() ? 1 : 0; }
