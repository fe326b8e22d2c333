// Vertical effective stress along the pile, the strengths filled in from blow counts and cone
// resistance, the critical depth for sand and the stress capped at that depth.
#ifndef VORNE_ENGINE_METHODS_EFFECTIVE_STRESS_H
#define VORNE_ENGINE_METHODS_EFFECTIVE_STRESS_H

#include "io/analysis_input.h"
#include "methods/soil_profile.h"

namespace vorne {

// Stresses at the ends of every increment of an IncrementTable [ksf | kPa].
struct StressProfile {
  PointArray effective;  // sigma'v, accumulated from 0 at the surface
  PointArray capped;     // sigma'c: sigma'v held at its value at the critical depth below it
  // Critical depth of the run [ft | m] when there is one. Option 0 leaves the value of the
  // deepest sand increment here, though each increment was capped by its own (see below).
  bool hasCriticalDepth = false;
  double criticalDepth = 0.0;
};

// Friction angle [deg] from an SPT blow count N > 0 and the effective overburden s [psi], from
// three curves of phi against N at s = 0, 20 and 40 psi blended linearly in s. From 40 psi on the
// 40 psi curve is read with N held within 10..90 (31 deg at N <= 10, 44 deg at N >= 90). N <= 0
// gives 0 (no blow count, no angle).
double phiFromBlowCount(double blowCount, double overburdenPsi);

// Runs the stress steps of one analysis pass over table, in order:
//   1. sigma'v at the increment ends: gamma' * dz accumulated from the surface (/1000 in English
//      units, pcf * ft to ksf); gamma' is the effective (buoyant below water) unit weight.
//   2. sand increments with phi < 1e-10 and N > 0 get phiFromBlowCount(N, sigma'v at the bottom);
//      clay increments keep their column, which holds the yield stress ratio there.
//   3. increments with su < 1e-10 get su = qc / 15 (qc is read in lb/ft2 in English units, so it
//      is first divided by 1000 to give ksf).
//   4. the critical depth by input.criticalDepthOption:
//      0: per sand increment 10, 15 or 20 OD for phi < 33, 33..36, >= 36; a clay increment takes
//         the value of the nearest sand increment above it, or of the deepest sand increment when
//         none is above, that one's angle taken before step 2 fills it (0 when it has only a blow
//         count); increments 2..N set it, so a profile without sand below increment 1 has no
//         critical depth;
//      1: the bottom of the first increment from increment 2 on whose bottom stress exceeds
//         kCriticalDepthStress (3.5 ksf; in SI its conversion, not the 185 kPa of the report line); none when no increment does (then the capped stress equals sigma'v
//         everywhere);
//      2 (any other value): input.userCriticalDepth, or 0 when that is negative.
//   5. sigma'c: equal to sigma'v above the critical depth, and the stress at the critical depth
//      itself at and below it.
// Changes the friction angle and su columns of table. Units follow input.units.
StressProfile computeStressProfile(IncrementTable& table, const AnalysisInput& input);

// Critical-depth multiple of the outside diameter for a sand friction angle [deg] (option 0).
double criticalDepthDiameters(double frictionAngle);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_EFFECTIVE_STRESS_H
