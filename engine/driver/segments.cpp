// Segment count and snapping of the soil profile; see segments.h.
#include "driver/segments.h"

#include <cmath>

namespace vorne {

long long segmentCount(double deepestSoilDepth, double lengthIncrement) {
  const double count = std::trunc(deepestSoilDepth / lengthIncrement + 1.0e-6);
  // Far beyond any capacity; keeps the conversion below defined for absurd inputs.
  constexpr double kCeiling = 1.0e15;
  if (!(count < kCeiling)) return static_cast<long long>(kCeiling);
  if (!(count > -kCeiling)) return -static_cast<long long>(kCeiling);
  return static_cast<long long>(count);
}

void snapSoilPointDepths(std::vector<SoilPoint>& points, double lengthIncrement) {
  // Gaps compare with dz/2 and dz as decimal lengths: a layer typed exactly half an increment
  // thick is widened, and one exactly an increment thick kept, whatever the binary rounding of
  // the depths in either unit system.
  const double tie = 1.0e-6 * lengthIncrement;
  for (std::size_t k = 0; k + 1 < points.size(); ++k) {
    const double gap = points[k + 1].depth - points[k].depth;
    if (gap < lengthIncrement / 2.0 - tie) {
      points[k + 1].depth = points[k].depth;
    } else if (gap < lengthIncrement - tie) {
      points[k + 1].depth = points[k].depth + lengthIncrement;
    }
  }
}

}  // namespace vorne
