// Cutting the pile's computation length into segments, and fitting the soil profile to them.
#ifndef VORNE_ENGINE_DRIVER_SEGMENTS_H
#define VORNE_ENGINE_DRIVER_SEGMENTS_H

#include <vector>

#include "io/analysis_input.h"

namespace vorne {

// NSEG = integer part of (deepestSoilDepth / lengthIncrement + 1e-6), both in [ft | m]. Truncates;
// the 1e-6 absorbs the rounding of a depth that is a whole number of increments. Requires
// lengthIncrement > 0 (checked when the data file is read). A result too large for the counter
// (beyond any capacity anyway) is returned as a large value rather than overflowing.
long long segmentCount(double deepestSoilDepth, double lengthIncrement);

// Thin-layer adjustment of the soil point depths to the increment dz, top to bottom, each gap
// measured from the already adjusted depth above and compared within 1e-6 dz:
//   gap < dz/2        -> the lower point moves up to the upper one (the change becomes a step);
//   dz/2 <= gap < dz  -> the lower point moves to one increment below the upper one;
//   gap >= dz         -> unchanged.
// Depths out of order end up equal to the one above, so the result never decreases.
void snapSoilPointDepths(std::vector<SoilPoint>& points, double lengthIncrement);

}  // namespace vorne

#endif  // VORNE_ENGINE_DRIVER_SEGMENTS_H
