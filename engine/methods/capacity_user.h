// User-specified unit load transfers: unit skin friction and unit end bearing taken from the soil
// profile as entered, without limits, zero-friction length or plug check.
#ifndef VORNE_ENGINE_METHODS_CAPACITY_USER_H
#define VORNE_ENGINE_METHODS_CAPACITY_USER_H

#include "io/analysis_input.h"
#include "methods/capacity_profile.h"
#include "methods/effective_stress.h"
#include "methods/soil_profile.h"

namespace vorne {

// True when some increment carries a nonzero user unit skin friction or unit end bearing; the
// method runs only then.
bool hasUserLoadTransfers(const IncrementTable& table);

// The method on the penetration grid. With A the noncircular tip area when given (> 0.0001),
// else pi/4 OD^2 [ft2 | m2], and P = pi OD [ft | m]: at grid point j > 0, i is the increment
// that holds d_j (the one above a boundary); the tip is A * qu(i) (A * qu of the first increment
// at the surface) and the skin friction grows by dz * P * fu(i) times the increment's side
// resistance factor, at every step, the first included, whatever input.reducedLoadTransfer says
// (the unfactored sum is kept beside it). Under tension loading the tip becomes the self
// weight (the tip pass for CapacityIndex 9) and the skin friction is not reduced. The tip never
// carries a plug marker.
CapacityProfile computeUserCapacity(const IncrementTable& table,
                                    const StressProfile& stress,
                                    const AnalysisInput& input);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_CAPACITY_USER_H
