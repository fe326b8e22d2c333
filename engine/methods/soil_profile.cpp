// Increments of the computation length and mid-increment soil properties; see soil_profile.h.
#include "methods/soil_profile.h"

#include <algorithm>
#include <cmath>

namespace vorne {

namespace {

constexpr double kDepthTolerance = 1.0e-6;  // [ft | m]

// Properties of soil point p, as an increment row (depths left to the caller).
IncrementProperties propertiesOf(const SoilPoint& p) {
  IncrementProperties row;
  row.soilType = p.soilType;
  row.earthPressureCoefficient = p.earthPressureCoefficient;
  row.effectiveUnitWeight = p.effectiveUnitWeight;
  row.frictionAngle = p.frictionAngle;
  row.bearingFactorNq = p.bearingFactorNq;
  row.maxUnitFriction = p.maxUnitFriction;
  row.maxUnitBearing = p.maxUnitBearing;
  row.undrainedShearStrength = p.undrainedShearStrength;
  row.remoldedShearStrength = p.remoldedShearStrength;
  row.blowCountOrYsr = p.blowCountOrYsr;
  row.plasticityIndex = p.plasticityIndex;
  row.coneResistance = p.coneResistance;
  row.userUnitSkinFriction = p.userUnitSkinFriction;
  row.userUnitEndBearing = p.userUnitEndBearing;
  row.sideResistanceFactor = p.sideResistanceFactor;
  row.endResistanceFactor = p.endResistanceFactor;
  return row;
}

double lerp(double upper, double lower, double t) { return upper + (lower - upper) * t; }

// Every numeric property interpolated between a (t = 0) and b (t = 1); the soil type is b's.
IncrementProperties interpolated(const SoilPoint& a, const SoilPoint& b, double t) {
  IncrementProperties row = propertiesOf(b);
  row.earthPressureCoefficient = lerp(a.earthPressureCoefficient, b.earthPressureCoefficient, t);
  row.effectiveUnitWeight = lerp(a.effectiveUnitWeight, b.effectiveUnitWeight, t);
  row.frictionAngle = lerp(a.frictionAngle, b.frictionAngle, t);
  row.bearingFactorNq = lerp(a.bearingFactorNq, b.bearingFactorNq, t);
  row.maxUnitFriction = lerp(a.maxUnitFriction, b.maxUnitFriction, t);
  row.maxUnitBearing = lerp(a.maxUnitBearing, b.maxUnitBearing, t);
  row.undrainedShearStrength = lerp(a.undrainedShearStrength, b.undrainedShearStrength, t);
  row.remoldedShearStrength = lerp(a.remoldedShearStrength, b.remoldedShearStrength, t);
  row.blowCountOrYsr = lerp(a.blowCountOrYsr, b.blowCountOrYsr, t);
  row.plasticityIndex = lerp(a.plasticityIndex, b.plasticityIndex, t);
  row.coneResistance = lerp(a.coneResistance, b.coneResistance, t);
  row.userUnitSkinFriction = lerp(a.userUnitSkinFriction, b.userUnitSkinFriction, t);
  row.userUnitEndBearing = lerp(a.userUnitEndBearing, b.userUnitEndBearing, t);
  row.sideResistanceFactor = lerp(a.sideResistanceFactor, b.sideResistanceFactor, t);
  row.endResistanceFactor = lerp(a.endResistanceFactor, b.endResistanceFactor, t);
  return row;
}

}  // namespace

std::size_t IncrementTable::incrementAt(double depth) const {
  if (m_lengthIncrement <= 0.0 || depth <= 0.0) return 0;
  // Boundary depths belong to the increment above: ceil(z/dz) - 1, with the tolerance absorbing
  // the rounding of depths built as sums of dz.
  const double position = depth / m_lengthIncrement - kDepthTolerance;
  const double index = std::ceil(position) - 1.0;
  if (!(index > 0.0)) return 0;
  const double last = static_cast<double>(m_rows.size() - 1);
  return index >= last ? m_rows.size() - 1 : static_cast<std::size_t>(index);
}

double PointArray::interpolate(const IncrementTable& table, double depth) const {
  const std::size_t k = table.incrementAt(depth);
  const IncrementProperties& row = table[k];
  if (depth <= row.topDepth) return top(k);
  if (depth >= row.bottomDepth) return bottom(k);
  const double t = (depth - row.topDepth) / row.thickness();
  return lerp(top(k), bottom(k), t);
}

IncrementTable buildIncrementTable(const AnalysisInput& input, long long segmentCount) {
  const double dz = input.pile.lengthIncrement;
  const std::vector<SoilPoint>& points = input.soilPoints;
  std::vector<IncrementProperties> rows;
  if (segmentCount <= 0 || points.empty() || !(dz > 0.0)) return IncrementTable(rows, dz);
  const auto count = static_cast<std::size_t>(std::min<long long>(segmentCount, kMaxSegments));
  rows.reserve(count);

  std::size_t cursor = 0;  // first soil point strictly below the top of the increment
  for (std::size_t k = 0; k < count; ++k) {
    const double top = static_cast<double>(k) * dz;
    while (cursor < points.size() && points[cursor].depth - top <= kDepthTolerance) ++cursor;
    const double middle = top + 0.5 * dz;

    IncrementProperties row;
    if (cursor >= points.size()) {
      row = propertiesOf(points.back());  // below the profile the last point's values hold
    } else if (cursor == 0) {
      row = propertiesOf(points.front());  // a profile starting below the surface
    } else {
      const SoilPoint& upper = points[cursor - 1];
      const SoilPoint& lower = points[cursor];
      const double span = lower.depth - upper.depth;
      const double t = span > 1.0e-12 ? (middle - upper.depth) / span : 1.0;
      row = interpolated(upper, lower, t);
    }
    row.topDepth = top;
    row.bottomDepth = top + dz;
    rows.push_back(row);
  }
  return IncrementTable(std::move(rows), dz);
}

}  // namespace vorne
