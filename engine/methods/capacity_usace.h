// US Army Corps of Engineers method: adhesion in clay from the undrained strength, K*sigma'c*tan
// delta in sand with delta by pile type and the stress held below the critical depth, and sand end
// bearing from an Nq chart with the stress frozen below the critical depths.
// (EM 1110-2-2906, Design of Pile Foundations, US Army Corps of Engineers, 1991, ch. 4.)
#ifndef VORNE_ENGINE_METHODS_CAPACITY_USACE_H
#define VORNE_ENGINE_METHODS_CAPACITY_USACE_H

#include "io/analysis_input.h"
#include "methods/capacity_profile.h"
#include "methods/effective_stress.h"
#include "methods/soil_profile.h"
#include "methods/unit_constants.h"

namespace vorne {

// Adhesion factor from su [ksf | kPa]: 1 up to 0.5 ksf, falling linearly to 0.5 at 1.5 ksf, 0.5
// above; an SI su is converted to ksf first (thresholds 23.94 and 71.82 kPa).
double usaceAdhesion(double undrainedShearStrength, bool english);

// Interface friction angle delta [deg] from phi and PileType: 0.75 phi for steel pipe and the
// Raymond and monotube types (1, 4, 5, 7), 0.9 phi timber (2), 0.95 phi precast concrete (3),
// 0.875 phi H-pile (6), phi - 5 (at least 0) for any other code.
double usaceInterfaceFrictionAngle(double frictionAngle, int pileType);

// Bearing capacity factor Nq at phi [deg] from the chart (1.0 below 0 deg, 415.1 above 50 deg).
double usaceBearingFactor(double frictionAngle);

// The critical depth [ft | m] the end bearing uses for input.criticalDepthOption > 0 (option 1:
// the middle of the first increment whose bottom sigma'v exceeds kCriticalDepthStress; option 2
// or more: the user's depth). hasDepth is false for option 0, and for option 1 when no increment
// exceeds the threshold (then the end-bearing stress is never frozen).
struct UsaceCriticalDepth {
  bool hasDepth = false;
  double depth = 0.0;
};
UsaceCriticalDepth usaceCriticalDepth(const IncrementTable& table,
                                      const StressProfile& stress,
                                      const AnalysisInput& input);

// Unit skin friction at the increment ends and the plug-friction record:
//   clay: f = alpha * su at both ends; plug record alpha * remolded su at the top, f at the bottom;
//   sand: f = K * sigma'c * tan(delta) at each end with the capped stress; the plug record holds
//         the same values.
MethodUnitFriction computeUsaceUnitFriction(const IncrementTable& table,
                                            const StressProfile& stress,
                                            const AnalysisInput& input);

// The two stresses the end-bearing walk stores [ksf | kPa]: S15, at the first increment past
// 1 + 15 OD in sand of 33 < phi <= 36, and S20, at the first past 1 + 20 OD in sand of phi > 36
// (past the option's critical depth when it is positive). They are kept for the whole run (the tip
// pre-pass at the start of each analysis pass walks before the method does), unset (0) until the
// walk stores them; the frozen stress sigma_f starts unset at every walk.
struct UsaceStoredStresses {
  double at15Diameters = 0.0;  // S15
  double at20Diameters = 0.0;  // S20
};

// Unit end bearing at the increment ends [ksf | kPa]. Clay: 9 su. Sand: Nq(phi) * sigma'v, with
// sigma'v replaced by a frozen stress sigma_f once the pile is past the critical depth of its
// friction angle (1 ft + 10, 15 or 20 OD for phi <= 33, 33..36, > 36, or the critical depth
// of the option when it is positive): walking down, sigma_f is the capped bottom stress of the
// first increment past 10 OD for phi <= 33, and for denser sand S15 (33 < phi) or S20
// (phi > 36), each stored at its first increment unless stored already; both ends take
// Nq * sigma_f when the bottom stress exceeds it. At most the user's maximum unit bearing when
// one is given (> 0.001). Updates stored.
PointArray usaceUnitEndBearing(const IncrementTable& table,
                               const StressProfile& stress,
                               const AnalysisInput& input,
                               UsaceStoredStresses& stored);

// The USACE end-bearing walk of the tip pre-pass that opens every analysis pass, before any
// method has run: as usaceUnitEndBearing, except that under critical-depth option 1 it takes the
// critical depth of the stress profile (the method's own is not found yet). Only its stored
// stresses remain.
void runUsaceTipPrePass(const IncrementTable& table,
                        const StressProfile& stress,
                        const AnalysisInput& input,
                        UsaceStoredStresses& stored);

// The method for the first analysis pass: unit friction, skin friction limited by each
// increment's maximum unit friction as given, end bearing and the tip pass for CapacityIndex 2.
CapacityProfile computeUsaceCapacity(const IncrementTable& table,
                                     const StressProfile& stress,
                                     const AnalysisInput& input,
                                     UsaceStoredStresses& stored);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_CAPACITY_USACE_H
