// Axial stiffness AE of the pile along its length for the load-settlement solution: one section
// over the whole pile, or a table of areas along the depth with linear interpolation.
#ifndef VORNE_ENGINE_SETTLEMENT_AXIAL_STIFFNESS_H
#define VORNE_ENGINE_SETTLEMENT_AXIAL_STIFFNESS_H

#include <string>
#include <vector>

#include "io/analysis_input.h"

namespace vorne {

// AE against the depth from the pile top [in | m], AE in [lb | kN].
class AxialStiffness {
 public:
  struct Point {
    double depth;      // from the pile top [in | m]
    double stiffness;  // AE [lb | kN]
  };

  AxialStiffness() = default;
  // Points in any order; they are sorted by depth (stable, so a step keeps its order).
  explicit AxialStiffness(std::vector<Point> points);

  // AE at depth: linear between the neighbouring points, the end value beyond either end. A step
  // (two points at one depth) takes the upper value at that depth. 0 without points.
  double at(double depth) const;

  const std::vector<Point>& points() const { return m_points; }

 private:
  std::vector<Point> m_points;
};

// Constant cross-section area [in2 | m2] of a pile without an area table: pi/4 (OD^2 - ID^2) with
// the diameters in inches or metres; the noncircular tip area (ft2 * 144 in English) replaces it
// when above 1e-5, and SectionArea replaces both when above 1e-5.
double constantSectionArea(const AnalysisInput& input);

// AE of the pile: areaOption below 2 gives one section from the top (0) to the bottom (total
// length, stick-up included); areaOption 2 one point per area-table row (depth * 12 in English),
// each with E times its area. Check stiffnessInputProblem first.
AxialStiffness axialStiffnessOf(const AnalysisInput& input);

// Why the input gives no usable stiffness or diameter for the load-settlement solution, or empty:
// outside diameter not above 0, modulus of elasticity not above 0, a constant area not above 0,
// or (areaOption 2) an area table with no rows or a row whose area is not above 0. Each message
// names the value and the rule.
std::string stiffnessInputProblem(const AnalysisInput& input);

}  // namespace vorne

#endif  // VORNE_ENGINE_SETTLEMENT_AXIAL_STIFFNESS_H
