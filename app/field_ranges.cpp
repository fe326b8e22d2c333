// The range table of the project's numeric inputs; see field_ranges.h.
#include "app/field_ranges.h"

#include <cmath>

#include "app/program_data.h"
#include "base/number_text.h"
#include "base/unit_labels.h"

namespace vorne {

namespace {

constexpr bool kIncluded = true;
constexpr bool kExcluded = false;

// One row of the table: the bounds in English and in SI units.
struct RangeRow {
  FieldId id;
  const char* caption;
  const char* unitTemplate;  // unit tokens, or a plain unit name such as "deg"
  double minimum;
  bool minimumIncluded;
  double englishMaximum;
  double siMaximum;
  bool maximumIncluded;
  bool wholeNumber;
};

// Depths and lengths stay inside the report's F7.2 depth column (9999.99); diameters, perimeters
// and areas inside F10.2; strengths, limits and unit load transfers so that the unit skin friction
// they allow fits the F9.3 column (99999.999 ksf | kPa) and their echo in ksf or kPa fits F10.2;
// plasticity index and yield stress ratio inside F6.2 (999.99); factors inside F8.3. Every bound
// lies far beyond real piles and soils (a 15 m pile, 1000 m of soil, su of 10 MPa, qc of 200 MPa).
const RangeRow kRows[] = {
    {FieldId::OutsideDiameter, "Outer Diameter, OD", "L1", 0, kExcluded, 600, 15000, kIncluded,
     false},
    {FieldId::InsideDiameter, "Inner Diameter, ID", "L1", 0, kIncluded, 600, 15000, kIncluded,
     false},
    {FieldId::PileLength, "Total Length, TL", "L2", 0, kExcluded, 3000, 1000, kIncluded, false},
    {FieldId::StickupLength, "Pile Stickup Length, PSL", "L2", 0, kIncluded, 3000, 1000, kIncluded,
     false},
    {FieldId::ZeroFrictionLength, "Zero-Friction Length from Ground, ZFL", "L2", 0, kIncluded, 3000,
     1000, kIncluded, false},
    {FieldId::EnhancedEndLength, "Lower End Section Length, ESL", "L2", 0, kIncluded, 3000, 1000,
     kIncluded, false},
    {FieldId::EnhancedEndInsideDiameter, "Inner Diameter of Lower-End Section, EID", "L1", 0,
     kIncluded, 600, 15000, kIncluded, false},
    {FieldId::NoncircularPerimeter, "Perimeter for Noncircular Section", "L1", 0, kExcluded, 2000,
     50000, kIncluded, false},
    {FieldId::NoncircularTipArea, "Tip Area for Noncircular Section", "L^2", 0, kExcluded, 100000,
     65, kIncluded, false},
    {FieldId::ElasticModulus, "Modulus of Elasticity, E", "F/L^2", 0, kExcluded, 1.0e10, 7.0e10,
     kIncluded, false},
    {FieldId::TaperAngle, "Angle of taper for a tapered pile", "deg", 0, kIncluded, 30, 30,
     kIncluded, false},
    {FieldId::SectionArea, "Constant Cross Section Area", "L^2", 0, kExcluded, 100000, 65,
     kIncluded, false},
    {FieldId::TensionReductionFactor, "Reduction factor for tension loading", "", 0.001, kIncluded,
     10, 10, kIncluded, false},
    {FieldId::UserCriticalDepth, "User-Specified Critical Depth", "L2", 0, kIncluded, 3000, 1000,
     kIncluded, false},
    {FieldId::LengthIncrement, "Length of each computation increment", "L2", 0, kExcluded, 500, 500,
     kIncluded, false},
    {FieldId::PrintIncrement, "Print only every ... computation increment(s)", "", 1, kIncluded,
     500, 500, kIncluded, true},
    {FieldId::LayerBottomDepth, "Depth at Bottom", "L2", 0, kExcluded, 3000, 1000, kIncluded,
     false},
    {FieldId::MaxSideFriction, "Max. Side Friction", "F/L2^2", 0, kIncluded, 1.0e6, 50000,
     kIncluded, false},
    {FieldId::MaxEndBearing, "Max. End Bearing", "F/L2^2", 0, kIncluded, 4.0e6, 200000, kIncluded,
     false},
    {FieldId::SideFrictionFactor, "Reduction/Resistance Factor on Side Friction", "", 0, kIncluded,
     1, 1, kIncluded, false},
    {FieldId::EndBearingFactor, "Reduction/Resistance Factor on End Bearing", "", 0, kIncluded, 1,
     1, kIncluded, false},
    {FieldId::UnitWeight, "Effective Unit Weight", "F/L2^3", 0, kExcluded, 300, 50, kIncluded,
     false},
    {FieldId::FrictionAngle, "Friction Angle", "deg", 0, kIncluded, 50, 50, kIncluded, false},
    {FieldId::BlowCount, "Blow Counts from SPT", "", 0, kIncluded, 300, 300, kIncluded, true},
    {FieldId::EarthPressureCoefficient, "Coefficient of Lateral Earth Pressure, Ko", "", 0,
     kIncluded, 10, 10, kIncluded, false},
    {FieldId::BearingFactorNq, "Bearing Capacity Factor, Nq", "", 0, kIncluded, 300, 300, kIncluded,
     false},
    {FieldId::UndrainedShearStrength, "Undrained Shear Strength", "F/L2^2", 0, kIncluded, 200000,
     10000, kIncluded, false},
    {FieldId::RemoldedShearStrength, "Remolded Shear Strength", "F/L2^2", 0, kIncluded, 200000,
     10000, kIncluded, false},
    {FieldId::PlasticityIndex, "Plasticity Index, PI", "%", 0, kIncluded, 300, 300, kIncluded,
     false},
    {FieldId::YieldStressRatio, "Yield Stress Ratio, YSR", "", 0, kIncluded, 200, 200, kIncluded,
     false},
    {FieldId::ConeResistance, "Qc from Cone Penetration Data", "F/L2^2", 0, kIncluded, 4.0e6,
     200000, kIncluded, false},
    {FieldId::UserUnitSkinFriction, "Unit Skin Friction", "F/L2^2", 0, kIncluded, 1.0e6, 50000,
     kIncluded, false},
    {FieldId::UserUnitEndBearing, "Unit End Bearing", "F/L2^2", 0, kIncluded, 4.0e6, 200000,
     kIncluded, false},
    {FieldId::ExtraTzDepth, "Depth of an extra t-z curve", "L2", 0, kIncluded, 3000, 1000,
     kIncluded, false},
    {FieldId::AreaDepth, "Depth of a cross-section area", "L2", 0, kIncluded, 3000, 1000, kIncluded,
     false},
    {FieldId::Area, "Cross section area", "L^2", 0, kExcluded, 100000, 65, kIncluded, false},
};

QString number(double value) { return QString::fromStdString(formatGeneral(value, 10)); }

}  // namespace

bool FieldRange::contains(double value) const {
  if (!std::isfinite(value)) return false;
  if (wholeNumber && value != std::trunc(value)) return false;
  const bool aboveMinimum = minimumIncluded ? value >= minimum : value > minimum;
  const bool belowMaximum = maximumIncluded ? value <= maximum : value < maximum;
  return aboveMinimum && belowMaximum;
}

QString FieldRange::describe(int units) const {
  const QString unit =
      unitTemplate.isEmpty() ? QString() : QLatin1Char(' ') + expandUnits(unitTemplate, units);
  QString text;
  if (minimumIncluded && maximumIncluded) {
    text = QStringLiteral("%1 to %2").arg(number(minimum), number(maximum));
  } else if (minimumIncluded) {
    text = QStringLiteral("%1 to less than %2").arg(number(minimum), number(maximum));
  } else if (maximumIncluded) {
    text = QStringLiteral("greater than %1 and at most %2").arg(number(minimum), number(maximum));
  } else {
    text = QStringLiteral("between %1 and %2").arg(number(minimum), number(maximum));
  }
  if (wholeNumber) text += QStringLiteral(" (a whole number)");
  return text + unit;
}

FieldRange fieldRange(FieldId id, int units) {
  for (const RangeRow& row : kRows) {
    if (row.id != id) continue;
    FieldRange range;
    range.id = id;
    range.caption = QString::fromLatin1(row.caption);
    range.unitTemplate = QString::fromLatin1(row.unitTemplate);
    range.minimum = row.minimum;
    range.minimumIncluded = row.minimumIncluded;
    range.maximum = units == kSiUnits ? row.siMaximum : row.englishMaximum;
    range.maximumIncluded = row.maximumIncluded;
    range.wholeNumber = row.wholeNumber;
    return range;
  }
  // Every FieldId has a row (the range table test walks them all).
  return FieldRange{id, QStringLiteral("?"), QString(), 0.0, 0.0, true, true, false};
}

QString rangeRefusal(const FieldRange& range, double value, int units) {
  if (range.contains(value)) return {};
  return QStringLiteral("%1: %2 is outside the range %3.")
      .arg(range.caption, number(value), range.describe(units));
}

QString rangeRefusal(FieldId id, double value, int units) {
  return rangeRefusal(fieldRange(id, units), value, units);
}

QString rangeReason(FieldId id, double value, int units) {
  const FieldRange range = fieldRange(id, units);
  if (range.contains(value)) return {};
  return QStringLiteral("%1 is outside the range %2.").arg(number(value), range.describe(units));
}

QString cellRangeReason(const TProgramData& project,
                        const TGridTable& table,
                        int column,
                        double value) {
  const std::optional<FieldId> id = fieldOfCell(project, table, column);
  return id ? rangeReason(*id, value, project.units()) : QString();
}

std::optional<FieldId> fieldOfCell(const TProgramData& project,
                                   const TGridTable& table,
                                   int column) {
  if (&table == &project.D) {
    switch (column) {
      case col::kBottomDepth:
        return FieldId::LayerBottomDepth;
      case col::kMaxSideFriction:
        return FieldId::MaxSideFriction;
      case col::kMaxEndBearing:
        return FieldId::MaxEndBearing;
      case col::kSideFrictionFactor:
        return FieldId::SideFrictionFactor;
      case col::kEndBearingFactor:
        return FieldId::EndBearingFactor;
      default:
        return std::nullopt;
    }
  }
  if (&table == &project.TblTZDepth) {
    if (column == 0) return FieldId::ExtraTzDepth;
    return std::nullopt;
  }
  if (&table == &project.Sectionaldata) {
    if (column == col::kAreaDepth) return FieldId::AreaDepth;
    if (column == col::kArea) return FieldId::Area;
    return std::nullopt;
  }
  bool sand = false;
  if (&table == &project.tblDataSand) {
    sand = true;
  } else if (&table == &project.tblDataClay) {
    sand = false;
  } else if (table.parentTable() == &project.D && table.rowNumber() >= 1 &&
             table.rowNumber() <= project.D.rowCount()) {
    sand = project.D.column(col::kSoilType).intValue(table.rowNumber() - 1) == 1;
  } else {
    return std::nullopt;
  }
  switch (column) {
    case col::kConeResistance:
      return FieldId::ConeResistance;
    case col::kUserSkinFriction:
      return FieldId::UserUnitSkinFriction;
    case col::kUserEndBearing:
      return FieldId::UserUnitEndBearing;
    default:
      break;
  }
  if (sand) {
    switch (column) {
      case col::kSandUnitWeight:
        return FieldId::UnitWeight;
      case col::kSandFrictionAngle:
        return FieldId::FrictionAngle;
      case col::kSandBlowCount:
        return FieldId::BlowCount;
      case col::kSandKo:
        return FieldId::EarthPressureCoefficient;
      case col::kSandNq:
        return FieldId::BearingFactorNq;
      default:
        return std::nullopt;
    }
  }
  switch (column) {
    case col::kClayUnitWeight:
      return FieldId::UnitWeight;
    case col::kClayUndrainedStrength:
      return FieldId::UndrainedShearStrength;
    case col::kClayRemoldedStrength:
      return FieldId::RemoldedShearStrength;
    case col::kClayPlasticityIndex:
      return FieldId::PlasticityIndex;
    case col::kClayYieldStressRatio:
      return FieldId::YieldStressRatio;
    default:
      return std::nullopt;
  }
}

QString cellRangeRefusal(
    const TProgramData& project, const TGridTable& table, int column, int row, double value) {
  const std::optional<FieldId> id = fieldOfCell(project, table, column);
  if (!id) return {};
  const QString refusal = rangeRefusal(*id, value, project.units());
  if (refusal.isEmpty()) return {};
  QString where;
  if (&table == &project.D) {
    where = QStringLiteral("Soil layer %1").arg(row + 1);
  } else if (&table == &project.TblTZDepth) {
    where = QStringLiteral("Extra t-z depth %1").arg(row + 1);
  } else if (&table == &project.Sectionaldata) {
    where = QStringLiteral("Cross-section row %1").arg(row + 1);
  } else if (table.parentTable() == &project.D) {
    where = QStringLiteral("Soil layer %1, %2")
                .arg(table.rowNumber())
                .arg(row == 0 ? QStringLiteral("top") : QStringLiteral("bottom"));
  } else {
    return refusal;
  }
  return where + QStringLiteral(", ") + refusal;
}

}  // namespace vorne
