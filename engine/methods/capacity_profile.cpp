// Skin friction on the penetration grid and the printed grid points; see capacity_profile.h.
#include "methods/capacity_profile.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vorne {

std::size_t penetrationIntervals(const AnalysisInput& input) {
  const double dz = input.pile.lengthIncrement;
  if (!(dz > 0.0)) return 0;
  const double n = std::trunc(input.embeddedLength() / dz + 1.0e-6);
  if (!(n > 0.0)) return 0;
  // The soil depth check keeps n within the increment table; the cap only guards the conversion.
  return static_cast<std::size_t>(std::min(n, 1.0e6));
}

SkinFrictionProfile integrateSkinFriction(const AnalysisInput& input,
                                          const IncrementTable& table,
                                          const PointArray& unitFriction,
                                          const std::vector<double>& frictionLimit,
                                          const std::vector<double>& stepPerimeter) {
  const std::size_t n = penetrationIntervals(input);
  const double dz = input.pile.lengthIncrement;
  SkinFrictionProfile out;
  out.penetration.resize(n + 1);
  out.unitSkinFriction.assign(n + 1, 0.0);
  out.unfactored.assign(n + 1, 0.0);
  out.reduced.assign(n + 1, 0.0);
  for (std::size_t j = 0; j <= n; ++j) out.penetration[j] = static_cast<double>(j) * dz;
  if (table.empty()) {
    out.skinFriction = out.unfactored;
    return out;
  }

  const std::size_t last = table.size() - 1;
  const double perimeter = std::numbers::pi * input.outsideDiameterInDepthUnits();
  const double zeroFrictionLength = input.pile.zeroFrictionLength;
  const double tensionFactor = input.loadingType == 1 ? input.tensionReductionFactor : 1.0;

  std::vector<double> friction(n + 1);
  std::vector<double> limit(n + 1);
  for (std::size_t j = 0; j <= n; ++j) {
    double f = j == 0 ? unitFriction.top(0) : unitFriction.bottom(std::min(j - 1, last));
    if (out.penetration[j] < zeroFrictionLength - 1.0e-6) f = 0.0;
    friction[j] = f * tensionFactor;
    limit[j] = frictionLimit[std::min(j, last)];
    out.unitSkinFriction[j] = std::min(friction[j], limit[j]);
  }

  for (std::size_t j = 1; j <= n; ++j) {
    const double p = j < stepPerimeter.size() ? stepPerimeter[j] : perimeter;
    double step = dz * p * 0.5 * (friction[j - 1] + friction[j]);
    const double limitedStep = dz * p * 0.5 * (limit[j - 1] + limit[j]);
    if (step - limitedStep > 1.0e-6) step = limitedStep;
    // The step from d_(j-1) to d_j lies in table[j - 1], and that increment's side factor weights
    // it. Taking the factor of the increment below d_j instead would weight the friction gathered
    // in one layer by the next layer's factor at every boundary.
    const double factor = table[std::min(j - 1, last)].sideResistanceFactor;
    out.unfactored[j] = out.unfactored[j - 1] + step;
    out.reduced[j] = out.reduced[j - 1] + step * factor;
  }
  out.skinFriction = input.reducedLoadTransfer == 1 ? out.reduced : out.unfactored;
  return out;
}

bool CapacityProfile::isFinite() const {
  const auto allFinite = [](const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
  };
  return allFinite(penetration) && allFinite(skinFriction) && allFinite(tipValue) &&
         allFinite(total) && allFinite(unitSkinFriction);
}

std::vector<std::size_t> printedGridPoints(std::size_t intervalCount, int printIncrement) {
  const std::size_t step = printIncrement < 1 ? 1 : static_cast<std::size_t>(printIncrement);
  std::vector<std::size_t> points;
  for (std::size_t j = 0; j <= intervalCount; j += step) points.push_back(j);
  if (points.back() != intervalCount) points.push_back(intervalCount);
  return points;
}

}  // namespace vorne
