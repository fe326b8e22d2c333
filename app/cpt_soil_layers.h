// The soil layers proposed from a CPT, in the project's terms: the proposal's settings given in
// the project's units, and the replacement of the project's soil table by the proposal, every
// value converted into the project's unit system. Windowless; the Soil Layers from CPT window and
// `vorne cpt --layers` both use it.
#ifndef VORNE_APP_CPT_SOIL_LAYERS_H
#define VORNE_APP_CPT_SOIL_LAYERS_H

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "app/program_data.h"
#include "cpt/cpt_profile.h"
#include "cpt/cpt_reader.h"
#include "cpt/soil_layer_proposal.h"
#include "plot/graph_plot.h"

namespace vorne {

// The proposal's settings as the user gives them, in the project's units (depths in ft or m, the
// unit weight in lbs/ft^3 or kN/m^3).
struct CptLayerSettings {
  double waterTableDepth = 0.0;
  std::optional<double> totalUnitWeight;
  double nkt = cpt::kDefaultNkt;
  double minThickness = cpt::kDefaultMinThicknessSi;
};

// The defaults for a unit system: water table at the surface, Nkt 15, minimum thickness 0.5 m or
// 1.5 ft, the unit weight from the correlation.
CptLayerSettings defaultCptLayerSettings(int units);
// The settings in metres and kN/m^3.
cpt::ProposalSettings toProposalSettings(const CptLayerSettings& settings, int units);

// Factors from the proposal's SI values into a unit system: depth (m to ft or m), stress (kPa to
// lbs/ft^2 or kPa) and unit weight (kN/m^3 to lbs/ft^3 or kN/m^3), the soil table's own units.
double depthFromSi(double metres, int units);
double valueFromSi(double value, cpt::ValueKind kind, int units);

// Replaces every layer of the project's soil table by the proposal's layers, in one step: soil
// type, bottom depth and the layer data at top and bottom in the project's units. Sand gets the
// effective unit weight, friction angle and qc (blow counts stay 0, so that the friction angles
// are the ones used); clay the effective unit weight, su, YSR and qc. Everything else keeps the
// value of a new layer (limits 0, factors 1, Ko, Nq, remolded su and plasticity index 0). Marks
// the project modified. Requires proposal.ok and at most 40 layers (else nothing changes and the
// result is false).
bool replaceSoilLayers(TProgramData& project, const cpt::SoilLayerProposal& proposal);

// Whether any record of the profile has a sleeve friction, without which it cannot be classified.
bool hasSleeveFriction(const cpt::CptProfile& profile);

// The profile of a field file for the proposal: the location named, or the file's only one.
// Empty, with the reason, when the file cannot be read, when the location is not in it or none is
// named for a file of several, or when the profile has no fs.
struct CptLayerSource {
  std::optional<cpt::CptProfile> profile;
  QString message;  // why there is no profile
};
CptLayerSource readCptLayerSource(const QString& path,
                                  const QString& location = {},
                                  const cpt::CptReadOptions& options = {});

// The field names of the settings, as the window labels them and the messages name them.
inline const QString kWaterTableField = QStringLiteral("Water table depth");
inline const QString kNktField = QStringLiteral("Nkt");
inline const QString kMinThicknessField = QStringLiteral("Minimum layer thickness");
inline const QString kUnitWeightField = QStringLiteral("Total unit weight");

// Empty when the settings suit the profile; else the message naming the field, its value and its
// range in the project's units ("Water table depth 50 ft is outside 0 to 32.8 ft (the profile's
// last record)"). The ranges are those of cpt::checkProposalSettings.
QString checkCptLayerSettings(const CptLayerSettings& settings,
                              int units,
                              const cpt::CptProfile& profile);

// The proposal for settings in the project's units: refused (ok false, error from
// checkCptLayerSettings) for settings out of range, else cpt::proposeSoilLayers.
cpt::SoilLayerProposal proposeCptLayers(const cpt::CptProfile& profile,
                                        const CptLayerSettings& settings,
                                        int units);

// The CPT points a project keeps of a profile, as the cone data import takes them: reduced to the
// engine's 1000 points, depth and qc in the unit system. reduction receives the reduction note
// (empty when not reduced).
std::vector<CptProfilePoint> projectCptPoints(const cpt::CptProfile& profile,
                                              int units,
                                              QString* reduction = nullptr);

// Replaces the soil table by the proposal (replaceSoilLayers) and the project's CPT points by the
// profile's (projectCptPoints), in one step: both or neither. Returns false, changing nothing,
// when the proposal cannot replace the table.
bool applyCptLayers(TProgramData& project,
                    const cpt::SoilLayerProposal& proposal,
                    const cpt::CptProfile& profile);

// The proposed table as the window and the runner's text show it, in the project's units: per
// layer its number, type, top and bottom, each value at top and bottom (blank where the soil type
// has none; a header holds the value's caption and, after a line break, "top" or "bottom"), the zone mix, the records used and the values left at a new layer's defaults.
struct CptLayerTable {
  QStringList headers;
  std::vector<QStringList> rows;
};
CptLayerTable cptLayerTable(const cpt::SoilLayerProposal& proposal, int units);

// A number as the table shows it: four significant digits without an exponent (at most three
// decimals), "-" for a value that is not finite.
QString cptTableNumber(double value);

// The zone mix of a layer: "6 83%, 5 17%" (zone number and share, largest first).
QString zoneMixText(const cpt::ProposedLayer& layer);

// The soil table values a layer of this type leaves at a new layer's defaults.
QStringList defaultValuesOf(cpt::LayerSoil soil);

// The plot of the proposal in three panels against depth (ft or m, downward): qc of every
// record (ksf or kPa), Fr [%] and Ic of the classified records, the Ic zone
// boundaries 1.31, 2.05, 2.60, 2.95 and 3.60 as vertical lines in the Ic panel, every layer
// boundary as a horizontal line across all three panels, and the proposed layers in the layer
// strip. A proposal that is not ok leaves a graph without curves.
void fillCptLayerGraph(TGraphPlot& graph, const cpt::SoilLayerProposal& proposal, int units);

}  // namespace vorne

#endif  // VORNE_APP_CPT_SOIL_LAYERS_H
