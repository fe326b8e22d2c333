// The whole-project check before a run; see project_check.h.
#include "app/project_check.h"

#include <cmath>

#include "app/dialog_rules.h"
#include "app/field_ranges.h"
#include "app/program_data.h"
#include "base/number_text.h"
#include "base/unit_labels.h"

namespace vorne {

namespace {

// The engine's fixed capacity of pile segments and its tolerance on depths and counts.
constexpr long long kMaxSegments = 500;
constexpr double kDepthTie = 1.0e-6;

QString number(double value) { return QString::fromStdString(formatGeneral(value, 10)); }

class ProjectCheck {
 public:
  explicit ProjectCheck(const TProgramData& project)
      : m_project(project), m_units(project.units()) {}

  QStringList run() {
    checkPile();
    checkOptions();
    checkSoil();
    checkExtraTzDepths();
    checkAreaTable();
    return m_problems;
  }

 private:
  // A value with its unit: "24 in".
  QString withUnit(double value, FieldId id) const {
    const FieldRange range = fieldRange(id, m_units);
    if (range.unitTemplate.isEmpty()) return number(value);
    return number(value) + QLatin1Char(' ') + expandUnits(range.unitTemplate, m_units);
  }
  QString caption(FieldId id) const { return fieldRange(id, m_units).caption; }

  // Adds the refusal of a value outside its range; returns whether the value is in range.
  bool range(FieldId id, double value, const QString& where = {}) {
    const QString refusal = rangeRefusal(id, value, m_units);
    if (refusal.isEmpty()) return true;
    m_problems << (where.isEmpty() ? refusal : where + QStringLiteral(", ") + refusal);
    return false;
  }
  void add(const QString& problem) { m_problems << problem; }

  double embeddedLength() const { return m_project.PileLength - m_project.StickupLength; }
  // The diameter the engine works with [in | mm]: a noncircular section counts as the circle of
  // the same perimeter.
  double engineDiameter() const {
    return m_project.CircularSection ? m_project.OutsideDiameter
                                     : m_project.NoncircularPerimeter / 3.1416;
  }

  void checkPile() {
    const TProgramData& p = m_project;
    const bool steelPipe = p.PileType == kSteelPipe;
    if (p.CircularSection) {
      const bool od = range(FieldId::OutsideDiameter, p.OutsideDiameter);
      if (steelPipe && range(FieldId::InsideDiameter, p.InsideDiameter) && od &&
          !(p.InsideDiameter < p.OutsideDiameter)) {
        add(QStringLiteral("%1: %2 must be less than the %3 (%4).")
                .arg(caption(FieldId::InsideDiameter),
                     withUnit(p.InsideDiameter, FieldId::InsideDiameter),
                     caption(FieldId::OutsideDiameter),
                     withUnit(p.OutsideDiameter, FieldId::OutsideDiameter)));
      }
    } else {
      range(FieldId::NoncircularPerimeter, p.NoncircularPerimeter);
      range(FieldId::NoncircularTipArea, p.NoncircularTipArea);
    }
    const bool length = range(FieldId::PileLength, p.PileLength);
    const bool stickup = range(FieldId::StickupLength, p.StickupLength);
    if (length && stickup && !(p.StickupLength < p.PileLength)) {
      add(QStringLiteral("%1: %2 must be less than the %3 (%4).")
              .arg(caption(FieldId::StickupLength),
                   withUnit(p.StickupLength, FieldId::StickupLength), caption(FieldId::PileLength),
                   withUnit(p.PileLength, FieldId::PileLength)));
    }
    if (range(FieldId::ZeroFrictionLength, p.ZeroFrictionLength) && length && stickup &&
        p.ZeroFrictionLength > embeddedLength() + kDepthTie && embeddedLength() > 0.0) {
      add(QStringLiteral("%1: %2 is longer than the embedded length TL - PSL (%3).")
              .arg(caption(FieldId::ZeroFrictionLength),
                   withUnit(p.ZeroFrictionLength, FieldId::ZeroFrictionLength),
                   withUnit(embeddedLength(), FieldId::PileLength)));
    }
    if (p.CircularSection && steelPipe) {
      if (range(FieldId::EnhancedEndLength, p.EnhancedEndLength) && length &&
          p.EnhancedEndLength > p.PileLength + kDepthTie) {
        add(QStringLiteral("%1: %2 is longer than the %3 (%4).")
                .arg(caption(FieldId::EnhancedEndLength),
                     withUnit(p.EnhancedEndLength, FieldId::EnhancedEndLength),
                     caption(FieldId::PileLength), withUnit(p.PileLength, FieldId::PileLength)));
      }
      // The section's bore counts only when there is a section.
      if (p.EnhancedEndLength >= 1.0e-5 &&
          range(FieldId::EnhancedEndInsideDiameter, p.EnhancedEndInsideDiameter) &&
          p.OutsideDiameter > 0.0 && !(p.EnhancedEndInsideDiameter < p.OutsideDiameter)) {
        add(QStringLiteral("%1: %2 must be less than the %3 (%4).")
                .arg(caption(FieldId::EnhancedEndInsideDiameter),
                     withUnit(p.EnhancedEndInsideDiameter, FieldId::EnhancedEndInsideDiameter),
                     caption(FieldId::OutsideDiameter),
                     withUnit(p.OutsideDiameter, FieldId::OutsideDiameter)));
      }
    }
    range(FieldId::ElasticModulus, p.ElasticModulus);
    range(FieldId::TaperAngle, p.TaperAngle);
    if (p.AreaOption == 1) range(FieldId::SectionArea, p.SectionArea);
  }

  void checkOptions() {
    const TProgramData& p = m_project;
    range(FieldId::LengthIncrement, p.LengthIncrement);
    range(FieldId::PrintIncrement, p.PrintIncrement);
    if (p.LoadingType == 1) range(FieldId::TensionReductionFactor, p.TensionReductionFactor);
    if (p.CriticalDepthOption == 2 && p.MethodSelected[kUsace] == 1) {
      range(FieldId::UserCriticalDepth, p.UserCriticalDepth);
    }
  }

  void checkLayerData(int layer, bool sand) {
    const TGridTable* data = m_project.D.column(col::kLayerData).subTable(layer);
    if (data == nullptr) return;
    for (int row = 0; row < data->rowCount() && row < 2; ++row) {
      const QString where = QStringLiteral("Soil layer %1, %2")
                                .arg(layer + 1)
                                .arg(row == 0 ? QStringLiteral("top") : QStringLiteral("bottom"));
      const auto value = [data, row](int column) { return data->column(column).floatValue(row); };
      range(FieldId::UnitWeight, value(col::kSandUnitWeight), where);
      if (sand) {
        range(FieldId::FrictionAngle, value(col::kSandFrictionAngle), where);
        range(FieldId::BlowCount, data->column(col::kSandBlowCount).intValue(row), where);
        range(FieldId::EarthPressureCoefficient, value(col::kSandKo), where);
        range(FieldId::BearingFactorNq, value(col::kSandNq), where);
      } else {
        range(FieldId::UndrainedShearStrength, value(col::kClayUndrainedStrength), where);
        range(FieldId::RemoldedShearStrength, value(col::kClayRemoldedStrength), where);
        range(FieldId::PlasticityIndex, value(col::kClayPlasticityIndex), where);
        range(FieldId::YieldStressRatio, value(col::kClayYieldStressRatio), where);
      }
      range(FieldId::ConeResistance, value(col::kConeResistance), where);
      range(FieldId::UserUnitSkinFriction, value(col::kUserSkinFriction), where);
      range(FieldId::UserUnitEndBearing, value(col::kUserEndBearing), where);
    }
  }

  void checkSoil() {
    const TGridTable& layers = m_project.D;
    if (layers.rowCount() == 0) {
      add(QStringLiteral("The project has no soil layer."));
      return;
    }
    double above = 0.0;
    bool depthsInRange = true;
    for (int layer = 0; layer < layers.rowCount(); ++layer) {
      const QString where = QStringLiteral("Soil layer %1").arg(layer + 1);
      const double bottom = layers.column(col::kBottomDepth).floatValue(layer);
      if (!range(FieldId::LayerBottomDepth, bottom, where)) {
        depthsInRange = false;
      } else if (layer > 0 && !(bottom > above)) {
        add(QStringLiteral("%1, %2: %3 must be deeper than the bottom of soil layer %4 (%5).")
                .arg(where, caption(FieldId::LayerBottomDepth),
                     withUnit(bottom, FieldId::LayerBottomDepth))
                .arg(layer)
                .arg(withUnit(above, FieldId::LayerBottomDepth)));
      }
      above = bottom;
      range(FieldId::MaxSideFriction, layers.column(col::kMaxSideFriction).floatValue(layer),
            where);
      range(FieldId::MaxEndBearing, layers.column(col::kMaxEndBearing).floatValue(layer), where);
      range(FieldId::SideFrictionFactor, layers.column(col::kSideFrictionFactor).floatValue(layer),
            where);
      range(FieldId::EndBearingFactor, layers.column(col::kEndBearingFactor).floatValue(layer),
            where);
      checkLayerData(layer, layers.column(col::kSoilType).intValue(layer) == 1);
    }
    if (!depthsInRange) return;

    const TProgramData& p = m_project;
    const double deepest = above;
    const double diameterInDepthUnits = engineDiameter() / (m_units == kSiUnits ? 1000.0 : 12.0);
    const double required = embeddedLength() + 2.0 * diameterInDepthUnits;
    if (embeddedLength() > 0.0 && std::isfinite(required) && deepest < required - kDepthTie) {
      add(QStringLiteral(
              "Soil layer %1, %2: %3 is above the pile tip plus two pile diameters (%4); "
              "the bottom of the last layer must be at least that deep.")
              .arg(layers.rowCount())
              .arg(caption(FieldId::LayerBottomDepth), withUnit(deepest, FieldId::LayerBottomDepth),
                   withUnit(required, FieldId::LayerBottomDepth)));
    }
    if (p.LengthIncrement > 0.0 && std::isfinite(p.LengthIncrement)) {
      const double segments = std::trunc(deepest / p.LengthIncrement + kDepthTie);
      if (segments > static_cast<double>(kMaxSegments)) {
        add(QStringLiteral("%1: %2 cuts the soil profile of %3 into %4 segments; at most %5 are "
                           "computed, so the increment must be at least %6.")
                .arg(caption(FieldId::LengthIncrement),
                     withUnit(p.LengthIncrement, FieldId::LengthIncrement),
                     withUnit(deepest, FieldId::LayerBottomDepth), number(segments))
                .arg(kMaxSegments)
                .arg(withUnit(deepest / static_cast<double>(kMaxSegments),
                              FieldId::LengthIncrement)));
      } else if (segments < 1.0) {
        add(QStringLiteral("%1: %2 is longer than the soil profile (%3); no segment can be "
                           "computed.")
                .arg(caption(FieldId::LengthIncrement),
                     withUnit(p.LengthIncrement, FieldId::LengthIncrement),
                     withUnit(deepest, FieldId::LayerBottomDepth)));
      }
    }
  }

  void checkExtraTzDepths() {
    if (m_project.ExtraTzDepths != 1) return;
    const TGridTable& depths = m_project.TblTZDepth;
    for (int row = 0; row < depths.rowCount(); ++row) {
      const QString where = QStringLiteral("Extra t-z depth %1").arg(row + 1);
      const double depth = depths.column(0).floatValue(row);
      if (range(FieldId::ExtraTzDepth, depth, where) && embeddedLength() > 0.0 &&
          depth > embeddedLength() + kDepthTie) {
        add(QStringLiteral("%1, %2: %3 is below the pile tip (embedded length %4).")
                .arg(where, caption(FieldId::ExtraTzDepth), withUnit(depth, FieldId::ExtraTzDepth),
                     withUnit(embeddedLength(), FieldId::PileLength)));
      }
    }
  }

  void checkAreaTable() {
    if (m_project.AreaOption != 2) return;
    const TGridTable& areas = m_project.Sectionaldata;
    for (int row = 0; row < areas.rowCount(); ++row) {
      const QString where = QStringLiteral("Cross-section row %1").arg(row + 1);
      range(FieldId::AreaDepth, areas.column(col::kAreaDepth).floatValue(row), where);
      range(FieldId::Area, areas.column(col::kArea).floatValue(row), where);
    }
  }

  const TProgramData& m_project;
  const int m_units;
  QStringList m_problems;
};

}  // namespace

QStringList projectProblems(const TProgramData& project) { return ProjectCheck(project).run(); }

QString projectProblemsMessage(const QStringList& problems) {
  QString text = kProjectProblemsHeading;
  for (const QString& problem : problems) text += QStringLiteral("\n- ") + problem;
  return text;
}

}  // namespace vorne
