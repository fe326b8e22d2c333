// Revised Lambda method: the total skin friction to each penetration from the mean effective
// stress and the mean strength over the penetrated length, with lambda from the pile-soil
// stiffness ratio; unit friction follows from the growth of that total. End bearing is the API
// rule. (Kraft, Focht and Amerasinghe, 1981, "Friction capacity of piles driven into clay",
// J. Geotech. Eng. 107(11); lambda as revised by Kraft et al.)
#ifndef VORNE_ENGINE_METHODS_CAPACITY_LAMBDA_H
#define VORNE_ENGINE_METHODS_CAPACITY_LAMBDA_H

#include "io/analysis_input.h"
#include "methods/capacity_profile.h"
#include "methods/effective_stress.h"
#include "methods/soil_profile.h"

namespace vorne {

// Lower bound of lambda.
inline constexpr double kLambdaFloor = 0.14;

// lambda from the stiffness ratio X and the ratio of mean strength to mean stress: 0 for X = 0;
// 0.232 - 0.032 ln X when the strength ratio is 0.4 or more (or the mean stress is 0), else
// 0.178 - 0.016 ln X; at least kLambdaFloor.
double lambdaFactor(double stiffnessRatio, double strengthRatio);

// Stiffness ratio X at penetration l [ft | m] for the mean strength sm [ksf | kPa]:
// English 1000 l^2 pi OD sm / (0.1 A E), SI 10^6 l^2 pi OD sm / (2.54 A E), with OD [in | mm],
// E [psi | kPa] and A [in2 | mm2] the noncircular tip area (converted from ft2 | m2) when given,
// else pi/4 (OD^2 - IDe^2). A section without stiffness counts as infinitely flexible.
double lambdaStiffnessRatio(const AnalysisInput& input, double penetration, double meanStrength);

// Skin friction on the penetration grid. At every grid point l_j > 0: mean stress and mean
// strength over [0, l_j] (the strength term is su in clay and K tan(phi) sigma'v in sand, 0 for
// increments ending at or above the zero-friction length), F = l P lambda (sigma'm + 2 sm);
// unit friction fs_j = (F - unreduced sum so far) / (P dz), the previous value when below 1e-7,
// at most the maximum unit friction of the increment below the point; the unreduced sum grows by
// dz P fs_j. Under tension each step (and fs_j) is times the reduction factor; the reduced sum
// weights each step by the side resistance factor of the increment it spans.
SkinFrictionProfile computeLambdaSkinFriction(const IncrementTable& table,
                                              const StressProfile& stress,
                                              const AnalysisInput& input);

// The method for the first analysis pass: skin friction, API end bearing and the tip pass for
// CapacityIndex 3 (whose plug friction is the API rule).
CapacityProfile computeLambdaCapacity(const IncrementTable& table,
                                      const StressProfile& stress,
                                      const AnalysisInput& input);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_CAPACITY_LAMBDA_H
