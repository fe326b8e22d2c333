// Circular Pile Properties dialog.
#include "gui/circular_pile_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialog_rules.h"
#include "base/expression_evaluator.h"
#include "gui/data_edit.h"
#include "gui/pile_picture.h"

TfrmShaftpeneta::TfrmShaftpeneta(vorne::TProgramData& project, QWidget* parent)
    : TDataDialog(project, parent) {
  setWindowTitle(QStringLiteral("Circular Pile Properties"));
  auto* outer = new QHBoxLayout(this);
  imgPile = new TPilePicture(true, this);
  outer->addWidget(imgPile, 0, Qt::AlignTop);
  auto* layout = new QVBoxLayout;
  outer->addLayout(layout);
  auto* grid = new QGridLayout;
  deOD = addEdit(grid, 0, QStringLiteral("&Outer Diameter, OD"), QStringLiteral("L1"));
  deID = addEdit(grid, 1, QStringLiteral("&Inner Diameter, ID"), QStringLiteral("L1"));
  deLength = addEdit(grid, 2, QStringLiteral("&Total Length, TL"), QStringLiteral("L2"));
  deStickup = addEdit(grid, 3, QStringLiteral("&Pile Stickup Length, PSL"), QStringLiteral("L2"));
  deZeroFriction = addEdit(grid, 4, QStringLiteral("Zero-&Friction Length from Ground, ZFL"),
                           QStringLiteral("L2"));
  deEndID = addEdit(grid, 5, QStringLiteral("Inner &Diameter of Lower-End Section, EID"),
                    QStringLiteral("L1"));
  deEndLength =
      addEdit(grid, 6, QStringLiteral("&Lower End Section Length, ESL"), QStringLiteral("L2"));
  for (TDataEdit* edit : {deOD, deID, deLength, deStickup, deZeroFriction, deEndID, deEndLength}) {
    edit->setMinVal(0.0);
  }
  setFieldRange(deOD, vorne::FieldId::OutsideDiameter);
  setFieldRange(deLength, vorne::FieldId::PileLength);
  setFieldRange(deStickup, vorne::FieldId::StickupLength);
  setFieldRange(deZeroFriction, vorne::FieldId::ZeroFrictionLength);
  setFieldRange(deEndLength, vorne::FieldId::EnhancedEndLength);
  // A bore is narrower than the pile: the OD in its field bounds the IDs.
  const auto belowOutsideDiameter = [this](vorne::FieldId id) -> TFieldRangeCheck::RangeOf {
    return [this, id] {
      vorne::FieldRange range = vorne::fieldRange(id, this->project().units());
      double od = 0.0;
      try {
        od = deOD->Number();
      } catch (const vorne::EExpressionError&) {
        return range;
      }
      if (od > 0.0 && od <= range.maximum) {
        range.maximum = od;
        range.maximumIncluded = false;
      }
      return range;
    };
  };
  setFieldRange(deID, belowOutsideDiameter(vorne::FieldId::InsideDiameter));
  setFieldRange(deEndID, belowOutsideDiameter(vorne::FieldId::EnhancedEndInsideDiameter));
  imgPile->setTarget(QStringLiteral("OD"), deOD);
  imgPile->setTarget(QStringLiteral("ID"), deID);
  imgPile->setTarget(QStringLiteral("TL"), deLength);
  imgPile->setTarget(QStringLiteral("PSL"), deStickup);
  imgPile->setTarget(QStringLiteral("ZFL"), deZeroFriction);
  imgPile->setTarget(QStringLiteral("EID"), deEndID);
  imgPile->setTarget(QStringLiteral("ESL"), deEndLength);
  lblEndNote = new QLabel(
      QStringLiteral("(Note: leave values of end section as zero if none is present)"), this);
  grid->addWidget(lblEndNote, 7, 0, 1, 2);
  layout->addLayout(grid);

  grpPlug = new QGroupBox(QStringLiteral("Plugged / Unplugged Conditions "), this);
  auto* plugLayout = new QVBoxLayout(grpPlug);
  grpPlugCondition = new QButtonGroup(this);
  int id = 0;
  for (const char* text : {"Internal Pile Plug Calculated by Program",
                           "Plugged for open-ended pile", "Unplugged for open-ended pile"}) {
    auto* button = new QRadioButton(QString::fromLatin1(text), grpPlug);
    grpPlugCondition->addButton(button, id++);
    plugLayout->addWidget(button);
  }
  connect(grpPlugCondition, &QButtonGroup::buttonClicked, this, [this] { markModified(); });
  layout->addWidget(grpPlug);
  layout->addWidget(closeButton(), 0, Qt::AlignRight);
}

void TfrmShaftpeneta::loadValues() {
  vorne::TProgramData& p = project();
  // Only a steel pipe has a bore and a lower-end section.
  if (p.PileType != vorne::kSteelPipe) {
    p.InsideDiameter = 0.0;
    p.EnhancedEndInsideDiameter = 0.0;
    p.EnhancedEndLength = 0.0;
  }
  deOD->setNumber(p.OutsideDiameter);
  deID->setNumber(p.InsideDiameter);
  deLength->setNumber(p.PileLength);
  deStickup->setNumber(p.StickupLength);
  deZeroFriction->setNumber(p.ZeroFrictionLength);
  deEndID->setNumber(p.EnhancedEndInsideDiameter);
  deEndLength->setNumber(p.EnhancedEndLength);
  grpPlugCondition->button(std::clamp(p.PlugCondition, 0, 2))->setChecked(true);
}

void TfrmShaftpeneta::applyRules() {
  const bool steelPipe = project().PileType == vorne::kSteelPipe;
  for (QWidget* w : std::initializer_list<QWidget*>{deID, deEndID, deEndLength, lblEndNote}) {
    w->setEnabled(steelPipe);
  }
  grpPlug->setVisible(steelPipe);
  imgPile->update();  // the hot spots follow their edits
}

void TfrmShaftpeneta::storeValues() {
  vorne::TProgramData& p = project();
  storeNumber(deOD, p.OutsideDiameter);
  storeNumber(deID, p.InsideDiameter);
  storeNumber(deLength, p.PileLength);
  storeNumber(deStickup, p.StickupLength);
  storeNumber(deZeroFriction, p.ZeroFrictionLength);
  storeNumber(deEndID, p.EnhancedEndInsideDiameter);
  storeNumber(deEndLength, p.EnhancedEndLength);
  p.PlugCondition = std::max(grpPlugCondition->checkedId(), 0);
}
