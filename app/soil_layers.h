// Editing the soil profile: adding, inserting and deleting layers with their layer data, changing
// a layer between sand and clay, the choice between friction angle and blow counts, which layer
// parameters the chosen methods use, and the help comments of the soil tables. Windowless; the
// Soil Layers and Layer dialogs call these.
#ifndef VORNE_APP_SOIL_LAYERS_H
#define VORNE_APP_SOIL_LAYERS_H

#include "app/program_data.h"

namespace vorne {

inline constexpr int kSand = 1;
inline constexpr int kClay = 2;

// Appends a sand layer with bottom depth 0, limits 0 and reduction factors 1. False (nothing
// done) at the 40-layer limit.
bool addSoilLayer(TProgramData& project);
// Inserts such a layer in front of layer `layer` (0-based); the layers from there on move down
// with their layer data. False at the limit or for a layer outside the profile.
bool insertSoilLayer(TProgramData& project, int layer);
// Deletes layer `layer`; the layers below move up with their layer data. False when it is the
// only layer or outside the profile.
bool deleteSoilLayer(TProgramData& project, int layer);

// Makes layer `layer` sand (1) or clay (2). The layer data take the layout of the new type; the
// effective unit weight and the user-specified unit skin friction and end bearing (top and
// bottom) are kept, every other value starts afresh.
void setSoilType(TProgramData& project, int layer, int soilType);

// A sand layer gives either friction angles or blow counts: the alternative not chosen is
// cleared in both rows (blow counts to 0 with the friction-angle choice, angles to 0 with the
// blow-count choice).
void keepSandStrengthChoice(TGridTable& layerData, bool useBlowCounts);
// The blow-count choice is the one shown when either blow count is non-zero.
bool usesBlowCounts(const TGridTable& layerData);

// Whether the Layer dialog enables the field of a layer-data column for this soil type under the
// project's methods (the friction angle and blow counts follow the user's choice instead).
bool layerFieldEnabled(const TProgramData& project, int soilType, int column);

// The help comments of the soil table and the two layer templates, shown in their table windows,
// and the user-specified columns as the load-transfer method requires.
void attachSoilTableHelp(TProgramData& project);

}  // namespace vorne

#endif  // VORNE_APP_SOIL_LAYERS_H
