// Reading design charts held as data tables: one curve y(x), and a family of curves by reading
// each member at x and then the family values across its parameter with the same routine.
#ifndef VORNE_ENGINE_METHODS_CHART_H
#define VORNE_ENGINE_METHODS_CHART_H

#include <cstddef>
#include <span>

namespace vorne {

// y at x on the curve through (xs[i], ys[i]), xs increasing. Inside, y is linear between the
// first xs strictly greater than x and the point before it; at or below xs.front() the first y,
// at or beyond xs.back() the last y. Requires xs and ys of the same, nonzero size.
inline double readCurve(std::span<const double> xs, std::span<const double> ys, double x) {
  if (x <= xs.front()) return ys.front();
  for (std::size_t i = 1; i < xs.size(); ++i) {
    if (xs[i] > x) return ys[i - 1] + (ys[i] - ys[i - 1]) * (x - xs[i - 1]) / (xs[i] - xs[i - 1]);
  }
  return ys.back();
}

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_CHART_H
