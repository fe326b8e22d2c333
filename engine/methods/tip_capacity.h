// The tip pass that follows every capacity method: end bearing averaged around the tip, the
// unplugged resistance of an open-ended pipe (annulus bearing plus soil-plug friction), the choice
// between them, the self weight under tension, and the total capacity on the penetration grid.
// Written once for every CapacityIndex: a method supplies only its unit end bearing, its
// plug-friction record and its skin friction.
#ifndef VORNE_ENGINE_METHODS_TIP_CAPACITY_H
#define VORNE_ENGINE_METHODS_TIP_CAPACITY_H

#include "io/analysis_input.h"
#include "methods/capacity_profile.h"
#include "methods/effective_stress.h"
#include "methods/soil_profile.h"

namespace vorne {

// Depth of the water table for the submerged self weight [ft | m]. No input supplies it, so it
// is always kDefaultWaterDepth, the value a depth below kShallowWaterDepth takes.
double selfWeightWaterDepth(bool english);

// What one method hands to the tip pass. The arrays are sized for the increment table.
struct TipPassInput {
  CapacityIndex index = CapacityIndex::Api;
  const PointArray* unitEndBearing = nullptr;  // q at the increment ends [ksf | kPa]; required
  // The method's plug-friction record; used for indexes 1, 2 and 4..8 when given. Revised Lambda
  // and the user-specified method (indexes 3 and 9) always use the default API-type plug rule.
  const PointArray* plugFriction = nullptr;
  // Cone methods (indexes 5..8): the unit bearing on the steel annulus of a pipe with an inside
  // diameter (the cone resistance of the increment, with the method's rule for a missing qc).
  // Ignored for other indexes; when absent, q is used on the annulus as well.
  const PointArray* coneAnnulusBearing = nullptr;
};

// Soil-plug friction accumulated from the surface at the increment ends [kip | kN]: the
// friction inside the enhanced end diameter IDe of unit plug friction
//   clay: alpha * remolded su, alpha from su / sigma'v at the bottom (API rule), or the top value
//         of the method's record;
//   sand: K * sigma'v * tan(phi - 5 deg) at each end (angle floored at 0), each at most the
//         increment's maximum unit friction, or the method's record (top and bottom).
// Zero everywhere for an unplugged pile (plugCondition 2).
PointArray soilPlugFriction(const IncrementTable& table,
                            const StressProfile& stress,
                            const AnalysisInput& input,
                            const TipPassInput& method);

// Self weight of the embedded pile down to depth [kip | kN]: steel area (or SectionArea) times the
// unit weight of the pile type, submerged below selfWeightWaterDepth.
double pileSelfWeight(const AnalysisInput& input, double depth);

// The tip pass: builds the method's CapacityProfile on the penetration grid from its skin
// friction. For every grid point d:
//   P: At * q integrated over d +- 1.5 OD and divided by 3 OD (the part above the surface counts
//      zero), At the tip area (pi/4 Dt^2 with the tapered tip diameter, or the noncircular tip
//      area), at most the same average of At * qmax;
//   U (open-ended pipes only): annulus bearing at d plus the plug friction over the enhanced end
//      length above d;
//   tip value: P (marker Plugged) when U exceeds P by more than 1e-6, otherwise U (Unplugged),
//      with plugCondition 1 forcing P and 2 forcing U in that case; closed-ended piles take P;
//   under tension loading the tip value is the self weight (marker None);
//   total = skin friction + tip value.
// Requires method.unitEndBearing; an empty increment table gives zero resistance.
CapacityProfile computeTipCapacity(const AnalysisInput& input,
                                   const IncrementTable& table,
                                   const StressProfile& stress,
                                   const SkinFrictionProfile& skin,
                                   const TipPassInput& method);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_TIP_CAPACITY_H
