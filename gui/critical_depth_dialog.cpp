// Critical Depths dialog.
#include "gui/critical_depth_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/data_edit.h"

TDlgBlock::TDlgBlock(vorne::TProgramData& project, QWidget* parent) : TDataDialog(project, parent) {
  setWindowTitle(QStringLiteral("Critical Depths Used by US Army Method"));
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(QStringLiteral("User Options"), this);
  auto* grid = new QGridLayout(group);
  grpOption = new QButtonGroup(this);
  int id = 0;
  for (const char* text :
       {"Original Recommendations (10 to 20 Pile Diameter based on the Density).",
        "Critical Depth at the  Effective Stress Reaching 3500 psf or 167.6 kPa.",
        "User-Specified Critical Depth"}) {
    auto* button = new QRadioButton(QString::fromLatin1(text), group);
    grpOption->addButton(button, id);
    grid->addWidget(button, id, 0, 1, 2);
    ++id;
  }
  deDepth = addEdit(grid, 3, QStringLiteral("Critical Depth"), QStringLiteral("L2"));
  deDepth->setMinVal(0.0);
  setFieldRange(deDepth, vorne::FieldId::UserCriticalDepth);
  connect(grpOption, &QButtonGroup::buttonClicked, this, [this] {
    markModified();
    applyRules();
  });
  layout->addWidget(group);
  layout->addWidget(closeButton(), 0, Qt::AlignRight);
}

void TDlgBlock::loadValues() {
  grpOption->button(std::clamp(project().CriticalDepthOption, 0, 2))->setChecked(true);
  deDepth->setNumber(project().UserCriticalDepth);
}

void TDlgBlock::applyRules() {
  const bool user = grpOption->checkedId() == 2;
  deDepth->setVisible(user);
  deDepth->EditLabel()->setVisible(user);
}

void TDlgBlock::storeValues() {
  project().CriticalDepthOption = std::max(grpOption->checkedId(), 0);
  storeNumber(deDepth, project().UserCriticalDepth);
}
