// UWA method of the University of Western Australia (Lehane et al., 2005): unit skin friction in
// sand from the cone resistance, an effective area ratio for partial plugging, the normalised
// distance from the tip and a dilation term; end bearing in sand from the same area ratio. Clay
// increments take the ICP/MTD clay rules. Reads the uncapped effective stress.
#ifndef VORNE_ENGINE_METHODS_CAPACITY_UWA_H
#define VORNE_ENGINE_METHODS_CAPACITY_UWA_H

#include <string>
#include <vector>

#include "io/analysis_input.h"
#include "methods/capacity_profile.h"
#include "methods/cone_method.h"
#include "methods/effective_stress.h"
#include "methods/soil_profile.h"

namespace vorne {

// Effective area ratio Ar,eff = 1 - IFR (Di / D)^2, IFR = min(1, (Di / 1.5 m)^0.2), with D the
// outside and Di the enhanced end inside diameter; held within 0..1 (1 for a closed end or a pile
// without a diameter).
double uwaEffectiveAreaRatio(const AnalysisInput& input);

// Shear modulus G = 185 qc / qc1N^0.75, qc1N = (qc / pa) / sqrt(max(sigma'v / pa, 1e-7)), in the
// unit of qc [ksf | kPa]; 0 for qc <= 0.
double uwaShearModulus(double coneResistance, double effectiveStress, double pa);

// Sand unit friction at one point [ksf | kPa]: (sigma'rc + dsigma'rd) tan(phi - 5 deg), the angle
// floored at 0, sigma'rc = 0.03 qc Ar,eff^0.3 max(h / D, 2)^-0.5, dsigma'rd = 4 G dr / D with
// dr = dilationRadius (0 for D = 0); times 0.75 in tension. h and D [in | mm].
double uwaSandUnitFriction(double coneResistance,
                           double effectiveStress,
                           double frictionAngle,
                           double distanceFromTip,
                           const AnalysisInput& input);

// Sand unit end bearing (0.15 + 0.45 Ar,eff) qc, at least 0.15 qc on an open-ended pile (Di >=
// 0.0001) not forced plugged, 0.3 qc otherwise; at most the user's maximum unit bearing.
double uwaSandEndBearing(const IncrementProperties& row,
                         double coneResistance,
                         const AnalysisInput& input);

// Unit friction and plug record at the increment ends: the sand rule at each end with its own
// stress, h at the increment top; the ICP/MTD clay rule (addIcpClayFriction) in clay.
MethodUnitFriction computeUwaUnitFriction(const IncrementTable& table,
                                          const StressProfile& stress,
                                          const AnalysisInput& input,
                                          const std::vector<double>& coneResistance,
                                          std::vector<std::string>& messages);

// The method for one analysis pass, tip pass for CapacityIndex 8 included.
ConeMethodResult computeUwaCapacity(const IncrementTable& table,
                                    const StressProfile& stress,
                                    const AnalysisInput& input);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_CAPACITY_UWA_H
