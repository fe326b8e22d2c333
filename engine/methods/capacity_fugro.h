// Fugro method for offshore driven piles in sand (Kolk, Baaijens and Senders, 2005): unit skin
// friction directly from the cone resistance, the effective stress and the normalised distance
// from the pile tip, with separate compression and tension forms; end bearing from the pile
// diameter relative to the cone's. Clay increments take the ICP/MTD clay rules. Reads the uncapped
// effective stress.
#ifndef VORNE_ENGINE_METHODS_CAPACITY_FUGRO_H
#define VORNE_ENGINE_METHODS_CAPACITY_FUGRO_H

#include <string>
#include <vector>

#include "io/analysis_input.h"
#include "methods/capacity_profile.h"
#include "methods/cone_method.h"
#include "methods/effective_stress.h"
#include "methods/soil_profile.h"

namespace vorne {

// Equivalent radius R* = (OD / 2) sqrt(Ar), Ar = 1 - (IDe / OD)^2 held at 0 or more [in | mm];
// R* = OD / 2 for a closed end.
double fugroEquivalentRadius(const AnalysisInput& input);

// Sand unit friction at one point [ksf | kPa], h the distance from the tip and R* the equivalent
// radius [in | mm], qc, sigma'v and pa in one stress unit:
//   compression: 0.08 qc (sigma'v / pa)^0.05 (h/R*)^-0.9 when h/R* > 4, and the same times
//                h / (4 R*) from h/R* = 4 down;
//   tension:     0.045 qc (sigma'v / pa)^0.15 max(h/R*, 4)^-0.85.
// sigma'v below 0 counts as 0.
double fugroSandUnitFriction(double coneResistance,
                             double effectiveStress,
                             double distanceFromTip,
                             double equivalentRadius,
                             bool tension,
                             double pa);

// Sand unit end bearing, D the outside diameter in mm: qc (0.5 - 0.25 log10(D / 36)), at least
// 0.15 qc when D > 900 mm, on an open-ended pile (IDe >= 0.0001) and on any pile forced plugged
// (plugCondition 1); otherwise qc (1 - 0.5 log10(D / 36)), at least 0.3 qc when D > 900 mm. At
// most the user's maximum unit bearing.
double fugroSandEndBearing(const IncrementProperties& row,
                           double coneResistance,
                           const AnalysisInput& input);

// Unit friction and plug record at the increment ends: the sand rule at each end with its own
// stress and h at the increment top, the ICP/MTD clay rule (addIcpClayFriction) in clay.
MethodUnitFriction computeFugroUnitFriction(const IncrementTable& table,
                                            const StressProfile& stress,
                                            const AnalysisInput& input,
                                            const std::vector<double>& coneResistance,
                                            std::vector<std::string>& messages);

// The method for one analysis pass, tip pass for CapacityIndex 7 included.
ConeMethodResult computeFugroCapacity(const IncrementTable& table,
                                      const StressProfile& stress,
                                      const AnalysisInput& input);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_CAPACITY_FUGRO_H
