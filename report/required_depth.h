// The penetration a pile needs to carry a required ultimate capacity, read off a method's
// capacity-against-depth profile as the run printed it.
#ifndef VORNE_REPORT_REQUIRED_DEPTH_H
#define VORNE_REPORT_REQUIRED_DEPTH_H

#include <optional>
#include <vector>

#include "plot/graph_plot.h"

namespace vorne {

// The shallowest penetration at which the total capacity reaches requiredCapacity, on a profile
// of points with Y the penetration [ft | m] and X the total capacity [kips | kN], in order of
// increasing penetration (the rows of a total-capacity curve). Linear between neighbouring rows;
// a row whose capacity equals the requirement gives that row's depth exactly; a first row that
// already carries it gives the first depth. Nothing when the capacity never reaches it, when the
// profile is empty, or when the requirement or a row is not a finite number.
std::optional<double> requiredDepth(const std::vector<TFloatPoint>& profile,
                                    double requiredCapacity);

}  // namespace vorne

#endif  // VORNE_REPORT_REQUIRED_DEPTH_H
