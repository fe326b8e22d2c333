// A proposed soil profile from one interpreted CPT: sand and clay layers from the soil behaviour
// type index, thin layers merged into the neighbour they resemble most, at most 40 layers, and per
// layer the values the soil table asks for at its top and bottom, from straight-line fits over the
// layer's records. A starting point for the engineer to review, never a finished soil table; it
// carries its settings, the records used and the zone mix of every layer so that it can be checked.
// Metres, kPa and kN/m3 throughout; the project's soil table converts them.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

#include "cpt/cpt_interpretation.h"
#include "cpt/cpt_profile.h"

namespace vorne::cpt {

inline constexpr int kMaxProposedLayers = 40;  // the soil table's limit
inline constexpr double kDefaultNkt = 15.0;    // the factor of the program's Su conversion
inline constexpr double kMinNkt = 6.0;
inline constexpr double kMaxNkt = 30.0;
inline constexpr double kDefaultMinThicknessSi = 0.5;       // [m]
inline constexpr double kDefaultMinThicknessEnglish = 1.5;  // [ft]
inline constexpr double kMaxMinThickness = 10.0;            // [m]
inline constexpr double kMinUnitWeight = 10.0;              // user's total unit weight [kN/m3]
inline constexpr double kMaxUnitWeight = 26.0;
// The soil table's range of friction angles [deg]; a fitted angle beyond it is capped.
inline constexpr double kMinFrictionAngle = 0.0;
inline constexpr double kMaxFrictionAngle = 50.0;

struct ProposalSettings {
  double waterTableDepth = 0.0;           // below the ground surface or seabed [m]
  std::optional<double> totalUnitWeight;  // for every record in place of the correlation [kN/m3]
  double nkt = kDefaultNkt;               // su = (qt - sigma_v0) / Nkt
  double minThickness = kDefaultMinThicknessSi;  // thinner layers are merged [m]
  bool notesInFeet = false;  // the notes give depths in ft, for a project in English units
};

// Empty when the settings suit the profile; else the message naming the setting, its value and
// its range: water table from 0 to the profile's last record, Nkt 6 to 30, minimum thickness 0 to
// 10 m, unit weight 10 to 26 kN/m3.
QString checkProposalSettings(const ProposalSettings& settings, const CptProfile& profile);

enum class LayerSoil : int { Sand = 1, Clay = 2 };

// What kind of quantity a value is, for the conversion into the project's units.
enum class ValueKind { UnitWeight, Stress, Plain };

// One quantity of a layer at its top and bottom.
struct ProposedValue {
  QString key;      // "effective_unit_weight", "friction_angle", "blow_count", "qc",
                    // "undrained_shear_strength", "yield_stress_ratio"
  QString caption;  // as the window shows it
  ValueKind kind = ValueKind::Plain;
  double top = 0.0;
  double bottom = 0.0;
  bool capped = false;  // a fitted value lay beyond the soil table's range and was capped
};

struct ProposedLayer {
  LayerSoil soil = LayerSoil::Sand;
  double top = 0.0;     // [m]
  double bottom = 0.0;  // [m]
  // Sand: effective unit weight, friction angle (Kulhawy and Mayne 1990), blow count N60
  // (Robertson 2012), qc. Clay: effective unit weight, su, YSR (Robertson 2009), qc.
  std::vector<ProposedValue> values;
  // Share of the layer's classified records in each zone, largest first.
  std::vector<std::pair<SoilZone, double>> zoneShares;
  int firstRecord = 0;  // index of the layer's first record in the interpretation
  int lastRecord = 0;   // index of its last record (inclusive)
  int recordsUsed = 0;  // classified records of the layer's own type, which give its values

  const ProposedValue* value(const QString& key) const;
};

struct SoilLayerProposal {
  bool ok = false;
  QString error;  // why not ok
  ProposalSettings settings;
  Interpretation interpretation;
  std::vector<ProposedLayer> layers;
  int runCount = 0;   // layers of one soil type before any merging
  QStringList notes;  // everything the proposal decided: merges, the layer limit, the fits
};

// The soil table values a CPT cannot give, which keep the defaults of a new layer.
QStringList valuesNotFromCpt();

// Proposes the layers. Records with Ic <= 2.60 are sand, the others clay; consecutive classified
// records of one type form a layer, and the water table, when it falls between two records of
// one, splits it. Boundaries lie midway between the records on either side (at the water table
// for that split); the first layer starts at the surface, the last ends at the last record.
// A layer thinner than the minimum thickness, thinnest first, joins the neighbour whose mean Ic
// is nearest its own (never across the water table); neighbours of one type then join. Beyond 40
// layers the thinnest are merged the same way. Each value is a least-squares straight line over
// the layer's classified records of its type, read at the top and the bottom but no further
// than those records reach and no further than their values range. A friction angle beyond 0 to
// 50 degrees (dense sand at low stress can reach 55 by the correlation) is capped, with a note
// naming the layers. Fails (ok false, with the
// reason) for bad settings or a profile that cannot be classified.
SoilLayerProposal proposeSoilLayers(const CptProfile& profile, const ProposalSettings& settings);

}  // namespace vorne::cpt
