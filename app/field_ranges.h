// The plausible range of every numeric input of a project: one table of fields with their caption,
// unit template and bounds in each unit system, and the refusal message a field gives for a value
// outside its range. Dialog fields, table cells and the whole-project check before a run all take
// their bounds from here, so that a value the engine would refuse or could not print in its fixed
// report and plot-data layouts never reaches it.
//
// The bounds are generous: well beyond any real pile or soil, and below the widths of the fixed
// layouts that print each value or a value derived from it (depths in F7.2, lengths and diameters
// in F10.2, strengths in F11.2 and unit skin friction in F9.3, indices in F6.2, factors in F8.3).
#ifndef VORNE_APP_FIELD_RANGES_H
#define VORNE_APP_FIELD_RANGES_H

#include <QString>
#include <optional>

namespace vorne {

class TGridTable;
class TProgramData;

// Every ranged numeric input. The comment gives the unit [English | SI].
enum class FieldId {
  // Pile
  OutsideDiameter,            // [in | mm]
  InsideDiameter,             // [in | mm]
  PileLength,                 // [ft | m]
  StickupLength,              // [ft | m]
  ZeroFrictionLength,         // [ft | m]
  EnhancedEndLength,          // [ft | m]
  EnhancedEndInsideDiameter,  // [in | mm]
  NoncircularPerimeter,       // [in | mm]
  NoncircularTipArea,         // [in2 | m2]
  ElasticModulus,             // [psi | kPa]
  TaperAngle,                 // [deg]
  SectionArea,                // [in2 | m2]
  // Methods and options
  TensionReductionFactor,  // [-]
  UserCriticalDepth,       // [ft | m]
  LengthIncrement,         // [ft | m]
  PrintIncrement,          // [-], whole number
  // Soil layers (one row per layer)
  LayerBottomDepth,    // [ft | m]
  MaxSideFriction,     // [psf | kPa], 0 = no limit
  MaxEndBearing,       // [psf | kPa], 0 = no limit
  SideFrictionFactor,  // [-]
  EndBearingFactor,    // [-]
  // Layer data (top and bottom of a layer)
  UnitWeight,                // effective unit weight [pcf | kN/m3]
  FrictionAngle,             // [deg], 0 = from the blow count
  BlowCount,                 // SPT N [-], whole number
  EarthPressureCoefficient,  // Ko [-]
  BearingFactorNq,           // [-]
  UndrainedShearStrength,    // [psf | kPa], 0 = from the cone resistance
  RemoldedShearStrength,     // [psf | kPa]
  PlasticityIndex,           // [%]
  YieldStressRatio,          // [-]
  ConeResistance,            // [psf | kPa]
  UserUnitSkinFriction,      // [psf | kPa]
  UserUnitEndBearing,        // [psf | kPa]
  // Other tables
  ExtraTzDepth,  // [ft | m]
  AreaDepth,     // [ft | m]
  Area,          // [in2 | m2]
};

// The range of one field in one unit system.
struct FieldRange {
  FieldId id = FieldId::OutsideDiameter;
  QString caption;       // the field's name as its dialog or column shows it
  QString unitTemplate;  // unit tokens (base/unit_labels): "L1", "F/L2^2"; empty: no unit
  double minimum = 0.0;
  double maximum = 0.0;
  bool minimumIncluded = true;  // false: the value must be greater than minimum
  bool maximumIncluded = true;  // false: the value must be less than maximum
  bool wholeNumber = false;

  bool contains(double value) const;
  // "0 to 50 deg", "greater than 0 and at most 600 in", "0 to less than 24 in".
  QString describe(int units) const;
};

// The range of a field in a unit system (1 English, 2 SI; other values count as English).
FieldRange fieldRange(FieldId id, int units);

// Empty when value lies in range; otherwise the refusal, naming the field, the value and the range:
// "Friction Angle: 95 is outside the range 0 to 50 deg." A non-finite value is always refused.
QString rangeRefusal(const FieldRange& range, double value, int units);
QString rangeRefusal(FieldId id, double value, int units);
// The same without the field's name, for a caller that names the field itself:
// "95 is outside the range 0 to 50 deg."
QString rangeReason(FieldId id, double value, int units);

// The field a column of one of the project's tables holds: table D (soil layers), a layer's data
// sub-table (sand or clay by the layer's soil type), the extra t-z depths or the cross-section
// table. Empty for a column without a range (the soil type, the sub-table button) or a table of
// another project.
std::optional<FieldId> fieldOfCell(const TProgramData& project,
                                   const TGridTable& table,
                                   int column);

// The reason a typed value of a project table cell is refused (rangeReason of fieldOfCell in the
// project's units), or an empty text; the table's entry check (TGridTable::EntryCheck) names the
// field and the row.
QString cellRangeReason(const TProgramData& project,
                        const TGridTable& table,
                        int column,
                        double value);

// The refusal of a typed table value, or an empty text: the range of fieldOfCell in the project's
// units, the message prefixed with the table and row ("Soil layer 3, Depth at Bottom: ...").
QString cellRangeRefusal(
    const TProgramData& project, const TGridTable& table, int column, int row, double value);

}  // namespace vorne

#endif  // VORNE_APP_FIELD_RANGES_H
