// Cone resistance of the increments; see cone_resistance.h.
#include "methods/cone_resistance.h"

#include <algorithm>

namespace vorne {

namespace {

constexpr double kFeetToMetres = kMetresPerFoot;
constexpr double kKsfToKpa = kKpaPerKsf;
constexpr double kMissingConeResistance = 1.0e-5;  // an increment qc below this has none

}  // namespace

double interpolateCptTable(const CptData& cpt, double depth, bool english) {
  const std::vector<CptPoint>& points = cpt.points;
  // Table units to run units; a table without units is taken in the run's.
  const bool tableEnglish = cpt.cptUnits == 0 ? english : cpt.cptUnits == 1;
  double depthScale = 1.0;
  double stressScale = 1.0;
  if (tableEnglish && !english) {
    depthScale = kFeetToMetres;
    stressScale = kKsfToKpa;
  } else if (!tableEnglish && english) {
    depthScale = 1.0 / kFeetToMetres;
    stressScale = 1.0 / kKsfToKpa;
  }

  if (depth <= points.front().depth * depthScale) return points.front().qc * stressScale;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const double upper = points[i - 1].depth * depthScale;
    const double lower = points[i].depth * depthScale;
    if (depth < lower) {
      if (lower - upper <= 1.0e-12) return points[i].qc * stressScale;
      const double t = (depth - upper) / (lower - upper);
      return (points[i - 1].qc + (points[i].qc - points[i - 1].qc) * t) * stressScale;
    }
  }
  return points.back().qc * stressScale;
}

double incrementConeResistance(const IncrementProperties& row, const AnalysisInput& input) {
  const bool english = input.isEnglish();
  double qc = row.coneResistance;
  if (qc >= kMissingConeResistance) {
    if (english) qc /= 1000.0;  // lb/ft2 to ksf
  } else if (!input.cpt.points.empty()) {
    qc = interpolateCptTable(input.cpt, row.topDepth, english);
  } else if (row.isClay()) {
    qc = 15.0 * row.undrainedShearStrength;
  } else {
    qc = 2.8 * atmosphericPressure(english) * row.blowCountOrYsr;
  }
  return std::max(qc, 0.0);
}

std::vector<double> coneResistanceProfile(const IncrementTable& table, const AnalysisInput& input) {
  std::vector<double> qc(table.size());
  for (std::size_t k = 0; k < table.size(); ++k) qc[k] = incrementConeResistance(table[k], input);
  return qc;
}

}  // namespace vorne
