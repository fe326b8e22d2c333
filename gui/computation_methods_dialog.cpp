// Computation Methods dialog.
#include "gui/computation_methods_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/dialog_rules.h"
#include "gui/data_edit.h"

namespace {

const char* const kLoadTransferTexts[] = {
    "&FHWA (Federal Highway Administration) (*)",
    "USACE (U.S. Army &Corps of Engineers) (*)",
    "Revised &Lambda (*)",
    "&API RP 2A (American Petroleum Institute) (**)",
    "Load-transfer Units specified by &User (*)",
    "&NGI (Norwegian Geotechnical Institute) (**)",
    "&ICP/MTD (Imperial College of London) (**)",
    "Fugro (Offshore Driven Piles in Sand) (**)",
    "UWA (University of Western Australia) (**)",
};
const char* const kCapacityTexts[] = {
    "&FHWA (Federal Highway Administration) ",
    "USACE (U.S. Army &Corps of Engineers) ",
    "Revised Lambda ",
    "&API RP 2A (American Petroleum Institute) ",
    "Load-transfer Units specified by &User",
    "&NGI (Norwegian Geotechnical Institute) ",
    "&ICP/MTD (Imperial College of London) ",
    "Fugro (Offshore Driven Piles in Sand) ",
    "UWA (University of Western Australia) ",
};

QRadioButton* addChoice(QButtonGroup* group, QLayout* layout, const QString& text, int id) {
  auto* button = new QRadioButton(text);
  group->addButton(button, id);
  layout->addWidget(button);
  return button;
}

}  // namespace

TfrmWaterDepth::TfrmWaterDepth(vorne::TProgramData& project, QWidget* parent)
    : TDataDialog(project, parent) {
  setWindowTitle(QStringLiteral("Computation Methods"));
  auto* layout = new QVBoxLayout(this);
  pages = new QTabWidget(this);
  layout->addWidget(pages);

  // --- page 1
  auto* settlement = new QWidget(pages);
  auto* settlementLayout = new QVBoxLayout(settlement);
  auto* methodGroup = new QGroupBox(QStringLiteral("Method for Unit Load Transfers"), settlement);
  auto* methodLayout = new QVBoxLayout(methodGroup);
  methodLayout->addWidget(new QLabel(QStringLiteral("(and shape of Load-Transfer Curves)")));
  grpLoadTransfer = new QButtonGroup(this);
  for (int m = 1; m <= 9; ++m) {
    OptMethod[m] =
        addChoice(grpLoadTransfer, methodLayout, QString::fromLatin1(kLoadTransferTexts[m - 1]), m);
  }
  settlementLayout->addWidget(methodGroup);
  for (const char* note : {"Notes on shape of load-transfer curves:",
                           "(*) Uses Reese/Skepmton/Mosher curves", "(**) Uses API RP 2A Curves"}) {
    settlementLayout->addWidget(new QLabel(QString::fromLatin1(note), settlement));
  }
  auto* factors = new QGroupBox(QStringLiteral("Factors for t-z and Q-w Curves"), settlement);
  auto* factorsLayout = new QVBoxLayout(factors);
  grpFactors = new QButtonGroup(this);
  addChoice(grpFactors, factorsLayout,
            QStringLiteral("Use Unfactored Unit Side Friction and Unit Tip Resistance"), 0);
  addChoice(grpFactors, factorsLayout,
            QStringLiteral("Use Reduced Unit Side Friction and Unit Tip Resistance"), 1);
  settlementLayout->addWidget(factors);
  settlementLayout->addStretch(1);
  pages->addTab(settlement, QStringLiteral("Method for Load Settlement"));

  // --- page 2
  auto* capacity = new QWidget(pages);
  // The method list beside the options, so that the page fits a laptop screen.
  auto* capacityLayout = new QGridLayout(capacity);
  auto* capacityGroup =
      new QGroupBox(QStringLiteral("Computation Methods for Pile Capacity"), capacity);
  auto* capacityGrid = new QGridLayout(capacityGroup);
  capacityGrid->addWidget(new QLabel(QStringLiteral("Select one or more method(s)")), 0, 0, 1, 2);
  for (int m = 1; m <= 9; ++m) {
    ChkMethod[m] = new QCheckBox(QString::fromLatin1(kCapacityTexts[m - 1]), capacityGroup);
    lblLS[m] = new QLabel(QStringLiteral("LS"), capacityGroup);
    capacityGrid->addWidget(ChkMethod[m], m, 0);
    capacityGrid->addWidget(lblLS[m], m, 1);
    connect(ChkMethod[m], &QCheckBox::clicked, this, &TfrmWaterDepth::clicked);
  }
  auto* selectAll = new QPushButton(QStringLiteral("Select All"), capacityGroup);
  auto* clearSelections = new QPushButton(QStringLiteral("Clear Selections"), capacityGroup);
  btnSelectAll = selectAll;
  btnClearSelections = clearSelections;
  capacityGrid->addWidget(selectAll, 10, 0);
  capacityGrid->addWidget(clearSelections, 11, 0);
  capacityLayout->addWidget(capacityGroup, 0, 0, 4, 1);

  auto* critical = new QGroupBox(QStringLiteral("Critical Depth Method for Sand"), capacity);
  auto* criticalGrid = new QGridLayout(critical);
  grpCriticalDepth = new QButtonGroup(this);
  int row = 0;
  for (const char* text :
       {"Original Recommendations ", "At Effective Stress Reaching 3,500 psf (167.6 kPa)",
        "At User-Specified Critical Depth"}) {
    auto* button = new QRadioButton(QString::fromLatin1(text), critical);
    grpCriticalDepth->addButton(button, row);
    criticalGrid->addWidget(button, row, 0, 1, 2);
    ++row;
  }
  lblCriticalDepthNote =
      new QLabel(QStringLiteral("(10 to 20 Pile Diameter based on the Density)"), critical);
  criticalGrid->addWidget(lblCriticalDepthNote, 0, 2);
  deCriticalDepth =
      addEdit(criticalGrid, 3, QStringLiteral("Critical Depth"), QStringLiteral("L2"));
  capacityLayout->addWidget(critical, 0, 1);

  auto* clay = new QGroupBox(capacity);
  auto* clayLayout = new QVBoxLayout(clay);
  grpClay = new QButtonGroup(this);
  addChoice(grpClay, clayLayout, QStringLiteral("Use Drained Condition for Clay"), 1);
  addChoice(grpClay, clayLayout, QStringLiteral("Use Undrained Condition for Clay"), 0);
  capacityLayout->addWidget(clay, 1, 1);

  auto* loading = new QGroupBox(QStringLiteral("Type of Loading"), capacity);
  auto* loadingGrid = new QGridLayout(loading);
  grpLoading = new QButtonGroup(this);
  auto* compression = new QRadioButton(QStringLiteral("&Compression"), loading);
  auto* tension = new QRadioButton(QStringLiteral("&Tension"), loading);
  grpLoading->addButton(compression, 0);
  grpLoading->addButton(tension, 1);
  loadingGrid->addWidget(compression, 0, 0);
  loadingGrid->addWidget(tension, 1, 0);
  deReduction = addEdit(loadingGrid, 2, QStringLiteral("&Reduction factor for tension loading"));
  deReduction->setMinVal(0.001);
  deReduction->setMaxVal(10.0);
  deReduction->setNumber(1.0);
  setFieldRange(deReduction, vorne::FieldId::TensionReductionFactor);
  setFieldRange(deCriticalDepth, vorne::FieldId::UserCriticalDepth);
  lblReductionNote = new QLabel(QStringLiteral("(only applied to API RP 2A method)"), loading);
  loadingGrid->addWidget(lblReductionNote, 3, 0, 1, 2);
  capacityLayout->addWidget(loading, 2, 1);
  capacityLayout->setRowStretch(3, 1);
  pages->addTab(capacity, QStringLiteral("Method for Pile Capacity"));

  layout->addWidget(closeButton(), 0, Qt::AlignRight);

  for (QButtonGroup* group : {grpLoadTransfer, grpFactors, grpCriticalDepth, grpClay, grpLoading}) {
    connect(group, &QButtonGroup::buttonClicked, this, &TfrmWaterDepth::clicked);
  }
  connect(selectAll, &QPushButton::clicked, this, [this] {
    for (int m = 1; m <= 9; ++m) ChkMethod[m]->setChecked(true);
    clicked();
  });
  connect(clearSelections, &QPushButton::clicked, this, [this] {
    for (int m = 1; m <= 9; ++m) ChkMethod[m]->setChecked(false);
    clicked();
  });
}

void TfrmWaterDepth::clicked() {
  markModified();
  applyRules();
}

void TfrmWaterDepth::loadValues() {
  const vorne::TProgramData& p = project();
  OptMethod[std::clamp(p.LoadTransferMethod, 1, 9)]->setChecked(true);
  for (int m = 1; m <= 9; ++m) ChkMethod[m]->setChecked(p.MethodSelected[m] != 0);
  grpFactors->button(p.ReducedLoadTransfer != 0 ? 1 : 0)->setChecked(true);
  grpCriticalDepth->button(std::clamp(p.CriticalDepthOption, 0, 2))->setChecked(true);
  deCriticalDepth->setNumber(p.UserCriticalDepth);
  grpClay->button(p.ClayDrained != 0 ? 1 : 0)->setChecked(true);
  grpLoading->button(p.LoadingType == 1 ? 1 : 0)->setChecked(true);
  deReduction->setNumber(p.TensionReductionFactor);
}

void TfrmWaterDepth::applyRules() {
  const int chosen = grpLoadTransfer->checkedId();
  // The method of the load-transfer curves always computes capacity too.
  if (chosen >= 1) ChkMethod[chosen]->setChecked(true);
  for (int m = 1; m <= 9; ++m) lblLS[m]->setVisible(m == chosen);
  const bool usace = ChkMethod[vorne::kUsace]->isChecked();
  for (QAbstractButton* button : grpCriticalDepth->buttons()) button->setEnabled(usace);
  lblCriticalDepthNote->setEnabled(usace);
  deCriticalDepth->setEnabled(usace && grpCriticalDepth->checkedId() == 2);
  const bool icp = ChkMethod[vorne::kIcpMtd]->isChecked();
  for (QAbstractButton* button : grpClay->buttons()) button->setEnabled(icp);
  const bool tensionApi = grpLoading->checkedId() == 1 && ChkMethod[vorne::kApi]->isChecked();
  deReduction->setEnabled(tensionApi);
  lblReductionNote->setEnabled(tensionApi);
}

void TfrmWaterDepth::storeValues() {
  vorne::MethodChoices choices;
  choices.loadTransferMethod = grpLoadTransfer->checkedId();
  for (int m = 1; m <= 9; ++m) choices.selected[m] = ChkMethod[m]->isChecked() ? 1 : 0;
  choices.loadingType = grpLoading->checkedId() == 1 ? 1 : 0;
  choices.tensionReductionFactor = project().TensionReductionFactor;
  storeNumber(deReduction, choices.tensionReductionFactor);
  choices.clayDrained = grpClay->checkedId() == 1 ? 1 : 0;
  choices.reducedLoadTransfer = grpFactors->checkedId() == 1 ? 1 : 0;
  choices.criticalDepthOption = std::max(grpCriticalDepth->checkedId(), 0);
  choices.userCriticalDepth = project().UserCriticalDepth;
  storeNumber(deCriticalDepth, choices.userCriticalDepth);
  if (vorne::storeMethodChoices(project(), choices)) emit taperAngleReset();
}
