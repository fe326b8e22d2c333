// API RP-2A (1994) unit skin friction and unit end bearing of a driven pile, and its skin
// friction on the penetration grid. The method reads the uncapped effective stress: it has no
// critical depth.
#ifndef VORNE_ENGINE_METHODS_CAPACITY_API_H
#define VORNE_ENGINE_METHODS_CAPACITY_API_H

#include "io/analysis_input.h"
#include "methods/capacity_profile.h"
#include "methods/effective_stress.h"
#include "methods/soil_profile.h"

namespace vorne {

// Adhesion factor in clay from psi = su / sigma'v: 0.5 / sqrt(psi) up to psi = 1, 0.5 / psi^0.25
// above, at most 1. psi is floored at 1e-10 first. (API RP-2A, 1994, eq. 6.4.2-2)
double apiAlpha(double strengthRatio);

// True when a maximum unit friction is the code the user enters for "use the API limits": 9999 in
// the unit typed, i.e. 9999 kPa in SI and 9999 lb/ft2 (9.999 ksf once loaded) in English units.
bool isApiFrictionLimitCode(double maxUnitFriction, bool english);

// Limit on sand unit friction [ksf | kPa], linear in phi [deg] between 20 and 40, constant outside.
double apiFrictionLimit(double frictionAngle, bool english);

// Limit on sand unit end bearing [ksf | kPa], linear in phi [deg] between 20 and 40, constant
// outside.
double apiBearingLimit(double frictionAngle, bool english);

// Unit skin friction at the increment ends:
//   clay: f = alpha * su at both ends, alpha from su / sigma'v at the bottom (that stress is first
//         floored at 1e-10 in stress.effective itself); plug record alpha * remolded su at the top,
//         f at the bottom;
//   sand: f = K * sigma'v * tan(phi - 5 deg) at each end, the angle floored at 0; the plug record
//         holds the same values.
// Also replaces, in table, the maximum unit friction of every sand increment that holds the API
// code (isApiFrictionLimitCode) by apiFrictionLimit; later methods of the pass see the limit.
MethodUnitFriction computeApiUnitFriction(IncrementTable& table,
                                          StressProfile& stress,
                                          const AnalysisInput& input);

// Cumulative skin friction on the penetration grid, limited by each increment's maximum unit
// friction (after the replacement above). See integrateSkinFriction.
SkinFrictionProfile computeApiSkinFriction(const IncrementTable& table,
                                           const MethodUnitFriction& friction,
                                           const AnalysisInput& input);

// Unit end bearing at the increment ends [ksf | kPa]: 9 * su in clay; in sand Nq * sigma'v, at
// most the user's maximum unit bearing, or apiBearingLimit when the user set none (9999999).
// The Revised Lambda method uses the same rule.
PointArray apiUnitEndBearing(const IncrementTable& table,
                             const StressProfile& stress,
                             const AnalysisInput& input);

// The method for one analysis pass: unit friction, skin friction, end bearing and the tip pass
// for CapacityIndex 4. Changes table and stress as computeApiUnitFriction does.
CapacityProfile computeApiCapacity(IncrementTable& table,
                                   StressProfile& stress,
                                   const AnalysisInput& input);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_CAPACITY_API_H
