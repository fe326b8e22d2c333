// Axial stiffness along the pile; see axial_stiffness.h.
#include "settlement/axial_stiffness.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace vorne {
namespace {

// A real for a message, with "." whatever the locale.
std::string messageNumber(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

AxialStiffness::AxialStiffness(std::vector<Point> points) : m_points(std::move(points)) {
  std::stable_sort(m_points.begin(), m_points.end(),
                   [](const Point& a, const Point& b) { return a.depth < b.depth; });
}

double AxialStiffness::at(double depth) const {
  if (m_points.empty()) return 0.0;
  if (!(depth > m_points.front().depth)) return m_points.front().stiffness;
  for (std::size_t i = 1; i < m_points.size(); ++i) {
    const Point& lower = m_points[i];
    if (depth <= lower.depth) {
      const Point& upper = m_points[i - 1];
      const double width = lower.depth - upper.depth;
      if (!(width > 0.0)) return upper.stiffness;
      return upper.stiffness + (lower.stiffness - upper.stiffness) * (depth - upper.depth) / width;
    }
  }
  return m_points.back().stiffness;
}

double constantSectionArea(const AnalysisInput& input) {
  const PileProperties& pile = input.pile;
  const bool english = input.isEnglish();
  const double od = english ? pile.outsideDiameter : pile.outsideDiameter / 1000.0;
  const double id = english ? pile.insideDiameter : pile.insideDiameter / 1000.0;
  double area = std::numbers::pi / 4.0 * (od * od - id * id);
  if (pile.noncircularTipArea > 1.0e-5) {
    area = english ? pile.noncircularTipArea * 144.0 : pile.noncircularTipArea;
  }
  if (pile.sectionArea > 1.0e-5) area = pile.sectionArea;
  return area;
}

AxialStiffness axialStiffnessOf(const AnalysisInput& input) {
  const PileProperties& pile = input.pile;
  const double lengthUnit = input.isEnglish() ? 12.0 : 1.0;
  std::vector<AxialStiffness::Point> points;
  if (pile.areaOption == 2) {
    for (const PileProperties::AreaRow& row : pile.areaTable) {
      points.push_back({row.depth * lengthUnit, pile.elasticModulus * row.area});
    }
  } else {
    const double stiffness = pile.elasticModulus * constantSectionArea(input);
    points.push_back({0.0, stiffness});
    points.push_back({pile.pileLength * lengthUnit, stiffness});
  }
  return AxialStiffness(std::move(points));
}

std::string stiffnessInputProblem(const AnalysisInput& input) {
  const PileProperties& pile = input.pile;
  if (!(pile.outsideDiameter > 0.0)) {
    return "the outside diameter " + messageNumber(pile.outsideDiameter) +
           " must be greater than 0 for the load-settlement curve";
  }
  if (!(pile.elasticModulus > 0.0) || !std::isfinite(pile.elasticModulus)) {
    return "the modulus of elasticity " + messageNumber(pile.elasticModulus) +
           " must be greater than 0 for the load-settlement curve";
  }
  if (pile.areaOption == 2) {
    if (pile.areaTable.empty()) {
      return "the cross-section area varies with depth but the area table has fewer than two rows";
    }
    for (std::size_t k = 0; k < pile.areaTable.size(); ++k) {
      const double area = pile.areaTable[k].area;
      if (!(area > 0.0) || !std::isfinite(area) || !std::isfinite(pile.areaTable[k].depth)) {
        return "area row " + std::to_string(k + 1) + ": the area " + messageNumber(area) +
               " must be greater than 0";
      }
    }
    return {};
  }
  const double area = constantSectionArea(input);
  if (!(area > 0.0) || !std::isfinite(area)) {
    return "the cross-section area " + messageNumber(area) +
           " used for the axial stiffness must be greater than 0 (check the diameters or the "
           "section area)";
  }
  return {};
}

}  // namespace vorne
