// Layer dialog.
#include "gui/layer_data_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

#include "app/soil_layers.h"
#include "base/expression_evaluator.h"
#include "gui/data_edit.h"

using vorne::col::kConeResistance;
using vorne::col::kUserEndBearing;
using vorne::col::kUserSkinFriction;

namespace {

struct FieldDefinition {
  int column;
  const char* caption;
  const char* units;
  std::vector<const char*> notes;
};

const std::vector<FieldDefinition> kSandFields = {
    {vorne::col::kSandUnitWeight, "1. Effective Unit Weight", "F/L2^3", {}},
    {vorne::col::kSandFrictionAngle, "2. Friction Angle (Degrees)", "", {}},
    {vorne::col::kSandBlowCount, "Blow Counts", "", {}},
    {vorne::col::kSandKo,
     "3a. Coefficient of Lateral Earth Pressure, Ko",
     "",
     {"(API reccomends Ko=1 for full displacement", "piles and Ko=0.8 for open ended pipe piles)"}},
    {vorne::col::kSandNq, "3b. Bearing Capacity Factor, Nq", "", {}},
    {kUserSkinFriction, "4a. Unit Skin Friction", "F/L2^2", {"(Not used in other methods)"}},
    {kUserEndBearing, "4b. Unit End Bearing", "F/L2^2", {}},
    {kConeResistance,
     "5. Qc from Cone Penetration Data",
     "F/L2^2",
     {"(Only used in Offshore Computation Methods)"}},
};

const std::vector<FieldDefinition> kClayFields = {
    {vorne::col::kClayUnitWeight, "1. Effective Unit Weight", "F/L2^3", {}},
    {vorne::col::kClayUndrainedStrength, "2. Undrained Shear Strength", "F/L2^2", {}},
    {vorne::col::kClayRemoldedStrength,
     "3. Remolded Shear Strength",
     "F/L2^2",
     {"(Only used for open-ended pipe piles)"}},
    {kUserSkinFriction, "4a. Unit Skin Friction", "F/L2^2", {"(Not used in other methods)"}},
    {kUserEndBearing, "4b. Unit End Bearing", "F/L2^2", {}},
    {kConeResistance,
     "5. Qc from Cone Penetration Data",
     "F/L2^2",
     {"(Only used in Offshore Computation Methods)"}},
    {vorne::col::kClayPlasticityIndex,
     "6a. Plasticity Index, PI(%)",
     "",
     {"(Only used in Offshore Computation Methods)"}},
    {vorne::col::kClayYieldStressRatio, "6b. Yield STress Ratio, YSR", "", {}},
};

}  // namespace

TDlgSoils::TDlgSoils(vorne::TProgramData& project, int layer, QWidget* parent)
    : QDialog(parent),
      m_project(project),
      m_layer(layer),
      m_rangeCheck(new TFieldRangeCheck(this, [this] { return m_project.units(); })) {
  setWindowTitle(QStringLiteral("Data for Layer ") + QString::number(layer + 1));
  auto* layout = new QVBoxLayout(this);
  pages = new QTabWidget(this);
  pages->addTab(buildPage(vorne::kSand), QStringLiteral("Sand"));
  pages->addTab(buildPage(vorne::kClay), QStringLiteral("Clay"));
  layout->addWidget(pages);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  close->setDefault(true);
  layout->addWidget(close, 0, Qt::AlignRight);
  FormActivate();
}

QWidget* TDlgSoils::buildPage(int soilType) {
  auto* pageWidget = new QWidget(this);
  auto* grid = new QGridLayout(pageWidget);
  grid->addWidget(new QLabel(QStringLiteral("Values at\nTop of Layer"), pageWidget), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Values at\nBottom of Layer"), pageWidget), 0, 2);
  int row = 1;
  // Keyboard order: each quantity's top then bottom field, quantity after quantity, and the
  // strength choice after every field, so that values typed in order land in their fields.
  std::vector<QWidget*> tabOrder;
  std::vector<QWidget*> choices;
  const auto& definitions = soilType == vorne::kSand ? kSandFields : kClayFields;
  for (const FieldDefinition& d : definitions) {
    Field field{d.column, {}, new QLabel(pageWidget), {}};
    if (soilType == vorne::kSand && d.column == vorne::col::kSandFrictionAngle) {
      grpStrength = new QButtonGroup(this);
      auto* angle =
          new QRadioButton(QStringLiteral("Enter Friction Angle (Preferred)"), pageWidget);
      auto* blows = new QRadioButton(QStringLiteral("Enter Blow Counts from SPT"), pageWidget);
      grpStrength->addButton(angle, 0);
      grpStrength->addButton(blows, 1);
      grid->addWidget(angle, row, 3);
      grid->addWidget(blows, row + 1, 3);
      choices = {angle, blows};
      connect(grpStrength, &QButtonGroup::buttonClicked, this, [this] {
        m_project.setModified();
        applyRules();
      });
    }
    grid->addWidget(field.label, row, 0);
    for (int k = 0; k < 2; ++k) {
      auto* edit = new TDataEdit(pageWidget);
      edit->setUnitsString(QString::fromLatin1(d.units));
      if (d.column == vorne::col::kSandBlowCount && soilType == vorne::kSand) {
        edit->setIntegerOnly(true);
        edit->setMinVal(0.0);
      }
      if (k == 0) {
        edit->setEditLabel(field.label);
        edit->setCaption(QString::fromLatin1(d.caption));
        field.label->setBuddy(edit);
      }
      // The page's layout decides the quantity of a column.
      const vorne::TGridTable& layout =
          soilType == vorne::kSand ? m_project.tblDataSand : m_project.tblDataClay;
      if (const std::optional<vorne::FieldId> id =
              vorne::fieldOfCell(m_project, layout, d.column)) {
        m_rangeCheck->watch(edit, *id);
      }
      field.edits[static_cast<std::size_t>(k)] = edit;
      grid->addWidget(edit, row, 1 + k);
      tabOrder.push_back(edit);
    }
    ++row;
    for (const char* note : d.notes) {
      auto* label = new QLabel(QString::fromLatin1(note), pageWidget);
      grid->addWidget(label, row++, 0, 1, 3);
      field.notes.push_back(label);
    }
    page(soilType).push_back(field);
  }
  tabOrder.insert(tabOrder.end(), choices.begin(), choices.end());
  for (std::size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
  return pageWidget;
}

const std::array<TDataEdit*, 2>& TDlgSoils::fields(int column) const {
  for (const Field& f : page(m_soilType)) {
    if (f.column == column) return f.edits;
  }
  static const std::array<TDataEdit*, 2> kNone{};
  return kNone;
}

void TDlgSoils::FormActivate() {
  m_soilType = m_project.D.cell(vorne::col::kSoilType, m_layer).asInteger();
  pages->setTabVisible(0, m_soilType == vorne::kSand);
  pages->setTabVisible(1, m_soilType == vorne::kClay);
  pages->setCurrentIndex(m_soilType == vorne::kSand ? 0 : 1);
  vorne::TGridTable& layer = m_project.layerData(m_layer);
  for (Field& f : page(m_soilType)) {
    for (int row = 0; row < 2; ++row) {
      TDataEdit* edit = f.edits[static_cast<std::size_t>(row)];
      if (!edit->UnitsString().isEmpty()) edit->setUnits(m_project.units());
      if (layer.column(f.column).type() == vorne::ColumnType::Int) {
        edit->setNumber(layer.cell(f.column, row).asInteger());
      } else {
        edit->setNumber(layer.cell(f.column, row).asFloat());
      }
    }
  }
  if (m_soilType == vorne::kSand) {
    grpStrength->button(vorne::usesBlowCounts(layer) ? 1 : 0)->setChecked(true);
  }
  m_rangeCheck->loaded();
  applyRules();
}

void TDlgSoils::applyRules() {
  for (Field& f : page(m_soilType)) {
    bool enabled = vorne::layerFieldEnabled(m_project, m_soilType, f.column);
    if (m_soilType == vorne::kSand && f.column == vorne::col::kSandFrictionAngle) {
      enabled = grpStrength->checkedId() == 0;
    } else if (m_soilType == vorne::kSand && f.column == vorne::col::kSandBlowCount) {
      enabled = grpStrength->checkedId() == 1;
    }
    for (TDataEdit* edit : f.edits) edit->setEnabled(enabled);
    for (QLabel* note : f.notes) note->setEnabled(enabled);
  }
}

bool TDlgSoils::FormDeactivate() {
  auto* focused = qobject_cast<TDataEdit*>(QApplication::focusWidget());
  if (focused != nullptr && isAncestorOf(focused) && focused->isEnabled() &&
      (!focused->Validate() || !m_rangeCheck->accept(focused))) {
    return false;
  }
  // Every other enabled field too: none may show a refused text while the layer keeps its value.
  for (Field& f : page(m_soilType)) {
    for (TDataEdit* edit : f.edits) {
      if (edit != focused && edit->isEnabled() && !edit->Validate()) return false;
    }
  }
  vorne::TGridTable& layer = m_project.layerData(m_layer);
  for (Field& f : page(m_soilType)) {
    for (int row = 0; row < 2; ++row) {
      const TDataEdit* edit = f.edits[static_cast<std::size_t>(row)];
      const bool whole = layer.column(f.column).type() == vorne::ColumnType::Int;
      const double held =
          whole ? layer.cell(f.column, row).asInteger() : layer.cell(f.column, row).asFloat();
      // A field still showing the held value keeps it with all its digits.
      if (edit->text() == edit->textOf(held)) continue;
      double value = 0.0;
      try {
        value = edit->Number();
      } catch (const vorne::EExpressionError&) {
        continue;  // not reached: every enabled field passed its check above
      }
      if (whole) {
        const int rounded = static_cast<int>(std::lround(std::clamp(value, 0.0, 2147483647.0)));
        if (layer.cell(f.column, row).asInteger() != rounded) {
          layer.cell(f.column, row).setInteger(rounded);
        }
      } else if (layer.cell(f.column, row).asFloat() != value) {
        layer.cell(f.column, row).setFloat(value);
      }
    }
  }
  if (m_soilType == vorne::kSand)
    vorne::keepSandStrengthChoice(layer, grpStrength->checkedId() == 1);
  return true;
}

void TDlgSoils::done(int result) {
  if (!FormDeactivate()) return;  // stays open; the field's check showed its message
  QDialog::done(result);
}
