// Required penetration by linear interpolation between printed depths.
#include "report/required_depth.h"

#include <cmath>

namespace vorne {

std::optional<double> requiredDepth(const std::vector<TFloatPoint>& profile,
                                    double requiredCapacity) {
  if (!std::isfinite(requiredCapacity) || profile.empty()) return std::nullopt;
  for (const TFloatPoint& row : profile) {
    if (!std::isfinite(row.X) || !std::isfinite(row.Y)) return std::nullopt;
  }
  if (profile.front().X >= requiredCapacity) return profile.front().Y;
  for (std::size_t i = 1; i < profile.size(); ++i) {
    const TFloatPoint& above = profile[i - 1];
    const TFloatPoint& below = profile[i];
    if (below.X < requiredCapacity) continue;
    // The exact row, not a sum that may miss it in the last digit.
    if (below.X == requiredCapacity) return below.Y;
    // above.X < requiredCapacity < below.X here, so the division is by a positive number.
    const double fraction = (requiredCapacity - above.X) / (below.X - above.X);
    return above.Y + fraction * (below.Y - above.Y);
  }
  return std::nullopt;
}

}  // namespace vorne
