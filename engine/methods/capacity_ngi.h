// NGI method for offshore driven piles (Clausen, Aas and Karlsrud, 2005): unit skin friction in
// sand from the relative density derived from the cone resistance, in clay from an adhesion factor
// on the strength ratio and the plasticity index; unit end bearing from the relative density in
// sand and 9 su in clay. Reads the uncapped effective stress.
#ifndef VORNE_ENGINE_METHODS_CAPACITY_NGI_H
#define VORNE_ENGINE_METHODS_CAPACITY_NGI_H

#include <vector>

#include "io/analysis_input.h"
#include "methods/capacity_profile.h"
#include "methods/cone_method.h"
#include "methods/effective_stress.h"
#include "methods/soil_profile.h"

namespace vorne {

// Relative density Dr = 0.4 ln(qc / (22 sqrt(sigma'v pa))), without a floor. qc and sigma'v in the
// unit of pa [ksf | kPa]; sigma'v is floored at 1e-10 first. qc <= 0 gives the floor of the
// friction rule, 0.200001.
double ngiRelativeDensity(double coneResistance, double effectiveStress, double pa);

// The sand factors that do not depend on the stress point: Ftip (1.0 open-ended, 1.6 closed-ended),
// Fload (1.3 compression, 1.0 tension) and Fmat (1.2 for timber and precast concrete piles, types
// 2 and 3; 1.0 otherwise), multiplied.
double ngiSandPileFactor(const AnalysisInput& input);

// Unit skin friction in sand at one increment point [ksf | kPa]:
//   f = (z1 / L) pa Fdr Fsig pileFactor, Fdr = 2.1 (Dr - 0.1)^1.7 with Dr at least 0.200001,
//   Fsig = (sigma'v / pa)^0.25,
// z1 the increment's top depth and L the embedded length [ft | m] (L > 0). Zero where sigma'v <= 0.
double ngiSandUnitFriction(double coneResistance,
                           double effectiveStress,
                           double topDepth,
                           double embeddedLength,
                           double pileFactor,
                           double pa);

// Unit skin friction in clay at both points of an increment, and the plug-friction record at its
// top [ksf | kPa]. With sigma'v the bottom stress (floored at 1e-10) and psi = su / sigma'v (at
// least 1e-10):
//   psi < 0.25:   f = 0.08 (PI - 10)^0.3 sigma'v, PI at least 10.000001;
//   psi > 1:      f = 0.5 psi^-0.3 su Ft;
//   otherwise:    alpha between 0.32 (PI - 10)^0.3 at psi = 0.25 and 0.5 psi^-0.3 at psi = 1, PI at
//                 least 12.000001; f = alpha su Ft, at least fmin = 0.06 (PI - 12)^0.33 sigma'v;
// Ft = 0.8 + 0.2 sqrt(psi) on a closed-ended pile, 1 on an open-ended one. The plug record is the
// same expression with the remolded strength in place of su (alpha still from su).
struct NgiClayFriction {
  double unitFriction = 0.0;
  double plugFriction = 0.0;
};
NgiClayFriction ngiClayUnitFriction(double undrainedShearStrength,
                                    double remoldedShearStrength,
                                    double plasticityIndex,
                                    double bottomStress,
                                    bool openEnded);

// Unit friction and plug-friction record at the increment ends; coneResistance holds one qc per
// increment [ksf | kPa] (coneResistanceProfile).
MethodUnitFriction computeNgiUnitFriction(const IncrementTable& table,
                                          const StressProfile& stress,
                                          const AnalysisInput& input,
                                          const std::vector<double>& coneResistance);

// Unit end bearing at the increment ends [ksf | kPa]: in sand q = 0.8 qc / (1 + Dr^2) on a
// closed-ended pile and 0.7 qc / (1 + 3 Dr^2) on an open-ended one (enhanced end ID > 0.0001), Dr
// without its floor, at most the user's maximum unit bearing, and 0 where qc or sigma'v is 0 (the
// limit of the formula as sigma'v goes to 0); in clay 9 su.
PointArray ngiUnitEndBearing(const IncrementTable& table,
                             const StressProfile& stress,
                             const AnalysisInput& input,
                             const std::vector<double>& coneResistance);

// The method for one analysis pass: unit friction, skin friction, end bearing and the tip pass
// for CapacityIndex 5. Leaves no report line.
ConeMethodResult computeNgiCapacity(const IncrementTable& table,
                                    const StressProfile& stress,
                                    const AnalysisInput& input);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_CAPACITY_NGI_H
