// The soil layers proposed from a CPT, in the project's terms: the proposal's settings given in
// the project's units, and the replacement of the project's soil table by the proposal, every
// value converted into the project's unit system. Windowless; the Soil Layers from CPT window and
// `vorne cpt --layers` both use it.
#ifndef VORNE_APP_CPT_SOIL_LAYERS_H
#define VORNE_APP_CPT_SOIL_LAYERS_H

#include <optional>

#include "app/program_data.h"
#include "cpt/soil_layer_proposal.h"

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

}  // namespace vorne

#endif  // VORNE_APP_CPT_SOIL_LAYERS_H
