// Pile Material dialog.
#include "gui/pile_material_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialog_rules.h"
#include "gui/data_edit.h"

TfrmMaterial::TfrmMaterial(vorne::TProgramData& project, QWidget* parent)
    : TDataDialog(project, parent) {
  setWindowTitle(QStringLiteral("Pile Material"));
  auto* layout = new QVBoxLayout(this);

  auto* typeGroup = new QGroupBox(QStringLiteral("Select Pile Type"), this);
  auto* typeGrid = new QGridLayout(typeGroup);
  grpPileType = new QButtonGroup(this);
  struct Choice {
    const char* text;
    int type;
  };
  const Choice kTypes[] = {
      {"&Steel pipe piles and non-tapered portion of monotube piles", 1},
      {"&H-Piles/Steel Piles", 6},
      {"&Precast concrete piles", 3},
      {"Tapered portion of &Monotube piles", 7},
      {"&Raymond step-taper piles", 4},
      {"&Raymond &Uniform taper piles", 5},
      {"&Timber piles", 2},
  };
  int row = 0;
  for (const Choice& c : kTypes) {
    auto* button = new QRadioButton(QString::fromLatin1(c.text), typeGroup);
    grpPileType->addButton(button, c.type);
    typeGrid->addWidget(button, row++, 0, 1, 2);
    if (c.type == vorne::kPrecastConcrete) {
      grpConcrete = new QButtonGroup(this);
      auto* circular = new QRadioButton(QStringLiteral("Circular/Tubular"), typeGroup);
      auto* square = new QRadioButton(QStringLiteral("Square/Rectangular/Orthogonal"), typeGroup);
      grpConcrete->addButton(circular, 1);
      grpConcrete->addButton(square, 0);
      typeGrid->addWidget(circular, row++, 1);
      typeGrid->addWidget(square, row++, 1);
    }
  }
  layout->addWidget(typeGroup);

  auto* taperGrid = new QGridLayout;
  deTaper = addEdit(taperGrid, 0, QStringLiteral("&Angle of taper for a tapered pile "));
  lblTaperNote =
      new QLabel(QStringLiteral("( Only used by the FHWA Method for Pile Capacity)"), this);
  taperGrid->addWidget(lblTaperNote, 1, 0, 1, 2);
  layout->addLayout(taperGrid);

  auto* stiffness = new QGroupBox(QStringLiteral("Data for Axial Stiffness"), this);
  auto* grid = new QGridLayout(stiffness);
  deModulus =
      addEdit(grid, 0, QStringLiteral("Modulus of &Elasticity, E"), QStringLiteral("F/L^2"));
  grpAreaOption = new QButtonGroup(this);
  auto* calculated = new QRadioButton(QStringLiteral("Calculate from Pile Section"), stiffness);
  auto* constant = new QRadioButton(QStringLiteral("Constant Cross Section Area"), stiffness);
  auto* table = new QRadioButton(QStringLiteral("Non-constant Cross Section Area"), stiffness);
  grpAreaOption->addButton(calculated, 0);
  grpAreaOption->addButton(constant, 1);
  grpAreaOption->addButton(table, 2);
  grid->addWidget(calculated, 1, 0);
  deComputedArea = addEdit(grid, 1, QStringLiteral("Area"), QStringLiteral("L^2"), 1);
  deComputedArea->setReadOnly(true);
  grid->addWidget(constant, 2, 0);
  deSectionArea = addEdit(grid, 2, QStringLiteral("Area"), QStringLiteral("L^2"), 1);
  setFieldRange(deTaper, vorne::FieldId::TaperAngle);
  setFieldRange(deModulus, vorne::FieldId::ElasticModulus);
  setFieldRange(deSectionArea, vorne::FieldId::SectionArea);
  grid->addWidget(table, 3, 0);
  btnData = new QPushButton(QStringLiteral("Data Button"), stiffness);
  grid->addWidget(btnData, 3, 1);
  grid->addWidget(new QLabel(QStringLiteral("(enter the area as a function of depth.)")), 4, 0, 1,
                  3);
  grid->addWidget(new QLabel(QStringLiteral(
                      "(These entries are only used for computations of elastic deformation)")),
                  5, 0, 1, 3);
  layout->addWidget(stiffness);
  layout->addWidget(closeButton(), 0, Qt::AlignRight);

  for (QButtonGroup* group : {grpPileType, grpConcrete, grpAreaOption}) {
    connect(group, &QButtonGroup::buttonClicked, this, [this] {
      markModified();
      applyRules();
    });
  }
  connect(btnData, &QPushButton::clicked, this, [this] {
    markModified();
    emit showTable(&this->project().Sectionaldata);
  });
}

int TfrmMaterial::chosenType() const { return std::max(grpPileType->checkedId(), 1); }

bool TfrmMaterial::chosenCircular() const {
  return vorne::isCircularType(chosenType(), grpConcrete->checkedId() == 1);
}

void TfrmMaterial::loadValues() {
  const vorne::TProgramData& p = project();
  grpPileType->button(std::clamp(p.PileType, 1, 7))->setChecked(true);
  grpConcrete->button(p.PileType == vorne::kPrecastConcrete && !p.CircularSection ? 0 : 1)
      ->setChecked(true);
  deTaper->setNumber(p.TaperAngle);
  deModulus->setNumber(p.ElasticModulus);
  grpAreaOption->button(std::clamp(p.AreaOption, 0, 2))->setChecked(true);
  deSectionArea->setNumber(p.SectionArea);
  applyRules();
  // A value the rules leave disabled is not used, so it is shown and kept as 0.
  if (!deTaper->isEnabled()) deTaper->setNumber(0.0);
  if (!deSectionArea->isEnabled()) deSectionArea->setNumber(0.0);
}

void TfrmMaterial::applyRules() {
  const int type = chosenType();
  const bool taper = vorne::taperApplies(project(), type);
  deTaper->setEnabled(taper);
  lblTaperNote->setEnabled(taper);
  for (QAbstractButton* button : grpConcrete->buttons()) {
    button->setEnabled(type == vorne::kPrecastConcrete);
  }
  deSectionArea->setEnabled(grpAreaOption->checkedId() == 1);
  btnData->setEnabled(grpAreaOption->checkedId() == 2);
  deComputedArea->setNumber(vorne::computedSectionArea(project(), type, chosenCircular()));
}

void TfrmMaterial::storeValues() {
  vorne::MaterialChoices choices;
  choices.pileType = chosenType();
  choices.circular = chosenCircular();
  choices.taperAngle = project().TaperAngle;
  storeNumber(deTaper, choices.taperAngle);
  choices.elasticModulus = project().ElasticModulus;
  storeNumber(deModulus, choices.elasticModulus);
  choices.areaOption = std::max(grpAreaOption->checkedId(), 0);
  choices.sectionArea = project().SectionArea;
  storeNumber(deSectionArea, choices.sectionArea);
  vorne::storeMaterialChoices(project(), choices);
}
