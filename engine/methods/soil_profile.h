// The soil profile along the pile: the computation length cut into equal increments, every soil
// property interpolated at mid-increment, and the layout of values held at increment ends.
//
// Indexing: increments are numbered k = 0..size()-1 from the ground surface down. Increment k
// spans topDepth(k) = k * dz to bottomDepth(k) = topDepth(k) + dz. Depths are measured from the
// ground surface [ft | m]; dz is the pile's lengthIncrement.
#ifndef VORNE_ENGINE_METHODS_SOIL_PROFILE_H
#define VORNE_ENGINE_METHODS_SOIL_PROFILE_H

#include <cmath>
#include <cstddef>
#include <vector>

#include "io/analysis_input.h"

namespace vorne {

// The value the input stage stores for a maximum unit friction or bearing the user left open.
inline constexpr double kUnlimitedValue = 9999999.0;
// Only the stored value itself: a user limit above it is still the user's limit.
inline bool isUnlimitedValue(double limit) { return std::abs(limit - kUnlimitedValue) < 0.5; }

// Soil properties of one increment, interpolated linearly at its middle depth between the two
// soil points that bracket it. Units as held in AnalysisInput after the load-time adjustments.
struct IncrementProperties {
  double topDepth = 0.0;     // [ft | m]
  double bottomDepth = 0.0;  // [ft | m]
  int soilType = 1;          // 1 sand, 2 clay: taken from the soil point below the top, never mixed
  double earthPressureCoefficient = 0.0;  // K (sand)
  double effectiveUnitWeight = 0.0;       // gamma' [lb/ft3 | kN/m3]
  double frictionAngle = 0.0;             // phi [deg]; filled from the blow count when missing
  double bearingFactorNq = 0.0;           // Nq (sand)
  double maxUnitFriction = 0.0;           // fmax [ksf | kPa]; 9999999 when unlimited
  double maxUnitBearing = 0.0;            // qmax [ksf | kPa]; 9999999 when unlimited
  double undrainedShearStrength = 0.0;    // su [ksf | kPa]; filled from qc when missing
  double remoldedShearStrength = 0.0;     // [ksf | kPa]
  double blowCountOrYsr = 0.0;            // SPT N in sand, yield stress ratio in clay
  double plasticityIndex = 0.0;           // PI [%]
  double coneResistance = 0.0;            // qc [lb/ft2 | kPa], the unit it was read in
  double userUnitSkinFriction = 0.0;      // [ksf | kPa]
  double userUnitEndBearing = 0.0;        // [ksf | kPa]
  double sideResistanceFactor = 0.0;      // LRFD factor on unit side friction
  double endResistanceFactor = 0.0;       // LRFD factor on unit end bearing

  bool isClay() const { return soilType > 1; }
  bool isSand() const { return !isClay(); }
  double middleDepth() const { return 0.5 * (topDepth + bottomDepth); }
  double thickness() const { return bottomDepth - topDepth; }
};

// The increments of one analysis pass, at most kMaxSegments of them. Methods may change a column
// in place (the API method replaces coded friction limits); later methods of the same pass see the
// change, the next pass starts from a fresh table.
class IncrementTable {
 public:
  IncrementTable() = default;
  IncrementTable(std::vector<IncrementProperties> rows, double lengthIncrement)
      : m_rows(std::move(rows)), m_lengthIncrement(lengthIncrement) {}

  std::size_t size() const { return m_rows.size(); }
  bool empty() const { return m_rows.empty(); }
  double lengthIncrement() const { return m_lengthIncrement; }  // dz [ft | m]

  const IncrementProperties& operator[](std::size_t k) const { return m_rows[k]; }
  IncrementProperties& operator[](std::size_t k) { return m_rows[k]; }
  const IncrementProperties& back() const { return m_rows.back(); }

  // Index of the increment that holds depth z, with the convention that a depth on a boundary
  // belongs to the increment above it (top < z <= bottom); depths at or above the surface map to
  // increment 0, depths below the last increment to the last one. Requires !empty().
  std::size_t incrementAt(double depth) const;

  auto begin() const { return m_rows.begin(); }
  auto end() const { return m_rows.end(); }

 private:
  std::vector<IncrementProperties> m_rows;
  double m_lengthIncrement = 0.0;
};

// Values held at the two ends of every increment. Neighbouring increments touch, so bottom(k) and
// top(k + 1) describe the same depth; a continuous quantity (stress, cumulative friction) writes
// both through setEnd, a quantity that jumps at a layer change (unit friction, unit bearing) may
// hold two different values there.
class PointArray {
 public:
  PointArray() = default;
  explicit PointArray(std::size_t incrementCount, double initial = 0.0)
      : m_values(2 * incrementCount, initial) {}

  std::size_t incrementCount() const { return m_values.size() / 2; }

  double top(std::size_t k) const { return m_values[2 * k]; }
  double bottom(std::size_t k) const { return m_values[2 * k + 1]; }
  void setTop(std::size_t k, double value) { m_values[2 * k] = value; }
  void setBottom(std::size_t k, double value) { m_values[2 * k + 1] = value; }
  // Both ends of increment k.
  void setBoth(std::size_t k, double value) {
    setTop(k, value);
    setBottom(k, value);
  }
  // The bottom of increment k and the top of increment k + 1, when there is one.
  void setEnd(std::size_t k, double value) {
    setBottom(k, value);
    if (k + 1 < incrementCount()) setTop(k + 1, value);
  }

  // Linear interpolation inside the increment that holds depth (IncrementTable::incrementAt),
  // between its top and bottom values. Above the surface it is the top value of increment 0, below
  // the last increment the bottom value of the last one. Requires the table this array was built
  // for, and a non-empty one.
  double interpolate(const IncrementTable& table, double depth) const;

 private:
  std::vector<double> m_values;  // entry 2k: top of increment k, entry 2k + 1: its bottom
};

// Builds the increments of the pile's computation length: segmentCount increments of the pile's
// lengthIncrement from the surface, each property interpolated at mid-increment between the soil
// points that bracket it (soil point depths already snapped to the increment). A forward cursor
// stops at the first soil point strictly below the top of the increment (1e-6 tolerance); the soil
// type comes from that point. Below the last soil point the last point's values hold; a step (two
// points at one depth) is never divided by. segmentCount <= 0 gives an empty table.
IncrementTable buildIncrementTable(const AnalysisInput& input, long long segmentCount);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_SOIL_PROFILE_H
