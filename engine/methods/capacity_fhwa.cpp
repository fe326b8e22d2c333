// FHWA method; see capacity_fhwa.h. The charts are data: one row of x values and one row of y
// values per curve, read with readCurve.
#include "methods/capacity_fhwa.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "methods/chart.h"
#include "methods/tip_capacity.h"

namespace vorne {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegreesPerRadian = 57.2958;

using Row10 = std::array<double, 10>;
using Row13 = std::array<double, 13>;

// Clay adhesion factor alpha against su [ksf].
constexpr Row10 kClaySu{0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0, 4.5};
// Chart 1 (sand above): curves at R = 10 (the R < 10 curve), 20 and 40 (and beyond).
constexpr std::array<double, 3> kChart1Ratios{10, 20, 40};
constexpr std::array<Row10, 3> kChart1{{
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},
    {1.0, 1.0, 1.0, 1.0, 0.95, 0.875, 0.75, 0.75, 0.75, 0.75},
    {1.0, 1.0, 0.9, 0.815, 0.68, 0.5, 0.44, 0.4, 0.4, 0.4},
}};
// Chart 2 (soft clay above): curves at R = 10 and 20.
constexpr std::array<double, 2> kChart2Ratios{10, 20};
constexpr std::array<Row10, 2> kChart2{{
    {0.7, 0.519, 0.398, 0.334, 0.298, 0.272, 0.246, 0.226, 0.206, 0.186},
    {0.97, 0.84, 0.746, 0.694, 0.675, 0.656, 0.626, 0.599, 0.568, 0.54},
}};
// Chart 3 (stiff clay above): curves at R = 10 and 40.
constexpr std::array<double, 2> kChart3Ratios{10, 40};
constexpr std::array<Row10, 2> kChart3{{
    {1.0, 0.984, 0.923, 0.829, 0.688, 0.443, 0.303, 0.245, 0.238, 0.238},
    {1.0, 1.0, 1.0, 1.0, 0.9, 0.701, 0.502, 0.388, 0.315, 0.299},
}};

// delta/phi against displaced volume [ft3/ft], one row per PileType 1..7.
constexpr Row13 kVolumes{0.08, 0.1, 0.2, 0.3, 0.4, 0.52, 0.6, 0.8, 1.0, 1.2, 1.4, 1.6, 1.9};
constexpr std::array<Row13, 7> kAngleRatios{{
    {0.342, 0.342, 0.342, 0.342, 0.41, 0.476, 0.516, 0.593, 0.652, 0.697, 0.733, 0.763, 0.798},
    {0.404, 0.404, 0.404, 0.404, 0.466, 0.527, 0.562, 0.637, 0.693, 0.734, 0.766, 0.793, 0.825},
    {0.466, 0.466, 0.466, 0.466, 0.525, 0.59, 0.63, 0.708, 0.767, 0.813, 0.848, 0.877, 0.914},
    {0.571, 0.571, 0.571, 0.571, 0.637, 0.699, 0.736, 0.814, 0.873, 0.917, 0.953, 0.985, 1.024},
    {0.801, 0.801, 0.801, 0.801, 0.845, 0.895, 0.925, 0.994, 1.053, 1.11, 1.159, 1.207, 1.27},
    {0.727, 0.747, 0.827, 0.8875, 0.933, 0.972, 0.98, 0.98, 0.98, 0.98, 0.98, 0.98, 0.98},
    {0.643, 0.643, 0.643, 0.643, 0.696, 0.757, 0.792, 0.86, 0.916, 0.958, 0.994, 1.024, 1.062},
}};

// Correction factor CF against phi, one curve per delta/phi.
constexpr std::array<double, 9> kCorrectionAngles{14, 18, 22, 26, 30, 34, 38, 42, 45};
constexpr std::array<double, 7> kCorrectionRatios{0.2, 0.4, 0.6, 0.8, 1.0, 1.2, 1.4};
constexpr std::array<std::array<double, 9>, 7> kCorrection{{
    {0.83, 0.77, 0.71, 0.64, 0.58, 0.5, 0.42, 0.32, 0.24},
    {0.9, 0.85, 0.8, 0.74, 0.69, 0.63, 0.56, 0.49, 0.43},
    {0.95, 0.92, 0.89, 0.85, 0.82, 0.77, 0.72, 0.66, 0.62},
    {0.99, 0.98, 0.97, 0.95, 0.94, 0.92, 0.9, 0.87, 0.84},
    {1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0},
    {1.01, 1.02, 1.02, 1.02, 1.03, 1.05, 1.07, 1.09, 1.12},
    {1.02, 1.03, 1.03, 1.04, 1.06, 1.08, 1.1, 1.13, 1.16},
}};

// K-delta against taper angle omega [deg]; one chart per phi, each with curves for V = 0.1, 1.0
// and 10 ft3/ft. Charts differ in their omega points.
constexpr std::array<double, 3> kLateralVolumes{0.1, 1.0, 10.0};
constexpr std::array<double, 4> kLateralAngles{25, 30, 35, 40};

constexpr Row10 kTaper25{0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.8, 1.0, 1.2};
constexpr std::array<Row10, 3> kLateral25{{
    {0.7, 0.739, 0.817, 0.922, 1.042, 1.194, 1.4, 1.808, 2.322, 2.917},
    {0.85, 0.902, 0.992, 1.085, 1.206, 1.353, 1.536, 1.886, 2.337, 2.917},
    {1.0, 1.05, 1.136, 1.237, 1.349, 1.478, 1.646, 1.944, 2.316, 2.917},
}};
constexpr std::array<double, 14> kTaper30{0,   0.1, 0.2, 0.3, 0.4, 0.5, 0.6,
                                          0.8, 1.0, 1.2, 1.4, 1.6, 1.8, 1.9};
constexpr std::array<std::array<double, 14>, 3> kLateral30{{
    {0.85, 1.043, 1.26, 1.551, 2.017, 2.56, 3.18, 4.332, 5.36, 5.934, 6.244, 6.399, 6.487, 6.494},
    {1.15, 1.408, 1.629, 1.958, 2.435, 2.928, 3.444, 4.421, 5.36, 5.934, 6.244, 6.399, 6.487,
     6.494},
    {1.45, 1.745, 1.978, 2.339, 2.746, 3.18, 3.638, 4.499, 5.36, 5.934, 6.244, 6.399, 6.487, 6.494},
}};
constexpr Row13 kTaper35{0, 0.1, 0.2, 0.25, 0.3, 0.4, 0.5, 0.6, 0.75, 0.88, 1.0, 1.11, 2.0};
constexpr std::array<Row13, 3> kLateral35{{
    {1.15, 1.47, 2.0, 2.32, 2.9, 4.18, 5.42, 6.81, 8.55, 9.75, 10.18, 10.34, 10.34},
    {1.75, 2.01, 2.59, 2.98, 3.56, 4.66, 5.65, 6.85, 8.55, 9.75, 10.18, 10.34, 10.34},
    {2.35, 2.76, 3.37, 3.72, 4.26, 5.19, 6.08, 7.12, 8.55, 9.75, 10.18, 10.34, 10.34},
}};
constexpr Row10 kTaper40{0, 0.1, 0.15, 0.22, 0.3, 0.4, 0.43, 0.5, 0.56, 2.0};
constexpr std::array<Row10, 3> kLateral40{{
    {1.7, 5.12, 7.36, 10.56, 13.6, 15.84, 16.64, 17.28, 17.54, 17.54},
    {3.0, 6.352, 8.0, 10.56, 13.6, 15.84, 16.64, 17.28, 17.54, 17.54},
    {4.3, 7.04, 8.48, 10.56, 13.6, 15.84, 16.64, 17.28, 17.54, 17.54},
}};

// N'q against phi (Thurman).
constexpr Row13 kBearingAngles{15, 17.5, 20, 22.5, 25, 27.5, 30, 32.5, 35, 37.5, 40, 42.5, 45};
constexpr Row13 kBearingFactors{4.8,  6.2,  8.2,  12.0,  15.0,  21.0, 30.0,
                                43.0, 64.0, 98.0, 160.0, 265.0, 475.0};

// alpha-t against phi, one curve per length ratio.
constexpr Row13 kDepthAngles{20, 20.5, 22.5, 25, 27.5, 30, 32.5, 35, 36.5, 37.5, 40, 42.5, 45};
constexpr std::array<double, 3> kDepthRatios{20, 30, 45};
constexpr std::array<Row13, 3> kDepthFactors{{
    {0.365, 0.375, 0.416, 0.47, 0.525, 0.58, 0.637, 0.68, 0.7, 0.715, 0.75, 0.78, 0.8},
    {0.256, 0.267, 0.319, 0.389, 0.4, 0.52, 0.605, 0.67, 0.7, 0.715, 0.75, 0.78, 0.8},
    {0.177, 0.19, 0.242, 0.318, 0.4, 0.49, 0.578, 0.66, 0.7, 0.715, 0.75, 0.78, 0.8},
}};

// Limiting unit tip resistance against phi, chart units (times 2 for ksf).
constexpr std::array<double, 12> kLimitAngles{30,   31.25, 32.5, 33.75, 35,   36.25,
                                              37.5, 38.75, 40,   41.25, 42.5, 43.75};
constexpr std::array<double, 12> kLimitValues{6.66,  11.25, 20.0,  32.5,  53.8,  81.3,
                                              117.5, 159.5, 208.8, 262.5, 318.8, 368.8};

// Reads every curve of a family at x, then the family across its parameter at p.
template <std::size_t Curves, std::size_t Points>
double readFamily(const std::array<double, Curves>& parameters,
                  const std::array<double, Points>& xs,
                  const std::array<std::array<double, Points>, Curves>& curves,
                  double x,
                  double p) {
  std::array<double, Curves> values{};
  for (std::size_t i = 0; i < Curves; ++i) values[i] = readCurve(xs, curves[i], x);
  return readCurve(parameters, values, p);
}

double diameterScale(bool english) { return english ? 12.0 : 1000.0; }

}  // namespace

double fhwaAdhesion(FhwaClayChart chart, double suKsf, double penetrationRatio) {
  switch (chart) {
    case FhwaClayChart::SandAbove:
      return readFamily(kChart1Ratios, kClaySu, kChart1, suKsf, penetrationRatio);
    case FhwaClayChart::SoftClayAbove:
      return readFamily(kChart2Ratios, kClaySu, kChart2, suKsf, penetrationRatio);
    case FhwaClayChart::StiffClayAbove:
      break;
  }
  return readFamily(kChart3Ratios, kClaySu, kChart3, suKsf, penetrationRatio);
}

double fhwaFrictionAngleRatio(double displacedVolume, int pileType) {
  const int row = pileType >= 1 && pileType <= 7 ? pileType - 1 : 0;
  return readCurve(kVolumes, kAngleRatios[static_cast<std::size_t>(row)], displacedVolume);
}

double fhwaCorrectionFactor(double frictionAngleRatio, double frictionAngle) {
  return readFamily(kCorrectionRatios, kCorrectionAngles, kCorrection, frictionAngle,
                    frictionAngleRatio);
}

double fhwaLateralStressCoefficient(double frictionAngle,
                                    double taperAngle,
                                    double displacedVolume) {
  const std::array<double, 4> byAngle{
      readFamily(kLateralVolumes, kTaper25, kLateral25, taperAngle, displacedVolume),
      readFamily(kLateralVolumes, kTaper30, kLateral30, taperAngle, displacedVolume),
      readFamily(kLateralVolumes, kTaper35, kLateral35, taperAngle, displacedVolume),
      readFamily(kLateralVolumes, kTaper40, kLateral40, taperAngle, displacedVolume),
  };
  return readCurve(kLateralAngles, byAngle, frictionAngle);
}

double fhwaBearingFactor(double frictionAngle) {
  return readCurve(kBearingAngles, kBearingFactors, frictionAngle);
}

double fhwaDepthFactor(double frictionAngle, double lengthRatio) {
  return readFamily(kDepthRatios, kDepthAngles, kDepthFactors, frictionAngle, lengthRatio);
}

double fhwaLimitChartValue(double frictionAngle) {
  return readCurve(kLimitAngles, kLimitValues, frictionAngle);
}

double fhwaPenetrationRatio(const AnalysisInput& input) {
  const double diameter = input.pile.outsideDiameter;
  if (!(diameter > 0.0)) return 0.0;
  return input.embeddedLength() * diameterScale(input.isEnglish()) / diameter;
}

std::vector<FhwaClayChart> fhwaClayCharts(const IncrementTable& table, const AnalysisInput& input) {
  const double toKsf = input.isEnglish() ? 1.0 : 1.0 / kFhwaKpaPerKsf;
  std::vector<FhwaClayChart> charts(table.size(), FhwaClayChart::StiffClayAbove);
  bool chosen = false;
  FhwaClayChart chart = FhwaClayChart::StiffClayAbove;
  for (std::size_t k = 0; k < table.size(); ++k) {
    if (!chosen && k > 0 && table[k].isClay()) {
      const IncrementProperties& above = table[k - 1];
      if (above.isSand()) {
        chart = FhwaClayChart::SandAbove;
      } else {
        chart = above.undrainedShearStrength * toKsf < 0.8 ? FhwaClayChart::SoftClayAbove
                                                           : FhwaClayChart::StiffClayAbove;
      }
      chosen = true;
    }
    charts[k] = chart;
  }
  return charts;
}

double fhwaDisplacedVolume(const AnalysisInput& input, TipMarker plugState) {
  const PileProperties& pile = input.pile;
  const bool english = input.isEnglish();
  const double areaScale = english ? 144.0 : 1.0e6;  // in2 -> ft2, mm2 -> m2
  const double od2 = pile.outsideDiameter * pile.outsideDiameter;
  const double annulus =
      std::max(kPi / 4.0 * (od2 - pile.insideDiameter * pile.insideDiameter) / areaScale, 0.0);
  const double fullSection = kPi / 4.0 * od2 / areaScale;
  const bool userTipArea = pile.noncircularTipArea > 1e-6;

  double volume = userTipArea ? pile.noncircularTipArea : annulus;
  if (plugState == TipMarker::Plugged) volume = fullSection;
  if (plugState == TipMarker::Unplugged) volume = annulus;
  if (pile.enhancedEndLength > 0.001 && pile.enhancedEndInsideDiameter < 1e-5) volume = fullSection;
  if (pile.pileType == 6 && userTipArea) volume = pile.noncircularTipArea;
  return english ? volume : volume / kSquareMetresPerSquareFoot;
}

std::vector<TipMarker> fhwaPlugState(const IncrementTable& table,
                                     const StressProfile& stress,
                                     const AnalysisInput& input) {
  AnalysisInput compression = input;
  compression.loadingType = 0;
  const PointArray bearing = fhwaUnitEndBearing(table, stress, compression);
  const SkinFrictionProfile noFriction =
      integrateSkinFriction(compression, table, PointArray(table.size()),
                            std::vector<double>(table.size(), kUnlimitedValue));
  // The method's plug-friction record does not exist yet when its plug state is needed: the
  // plug carries no friction in this choice.
  const PointArray emptyRecord(table.size());
  TipPassInput method;
  method.index = CapacityIndex::Fhwa;
  method.unitEndBearing = &bearing;
  method.plugFriction = &emptyRecord;
  return computeTipCapacity(compression, table, stress, noFriction, method).marker;
}

MethodUnitFriction computeFhwaUnitFriction(const IncrementTable& table,
                                           const StressProfile& stress,
                                           const AnalysisInput& input,
                                           const std::vector<TipMarker>& plugState) {
  const std::size_t count = table.size();
  MethodUnitFriction out{PointArray(count), PointArray(count)};
  const double toKsf = input.isEnglish() ? 1.0 : 1.0 / kFhwaKpaPerKsf;
  const double ratio = fhwaPenetrationRatio(input);
  const double taper = input.pile.taperAngle;
  const std::vector<FhwaClayChart> charts = fhwaClayCharts(table, input);
  for (std::size_t k = 0; k < count; ++k) {
    const IncrementProperties& row = table[k];
    if (row.isClay()) {
      const double su = row.undrainedShearStrength;
      const double alpha = fhwaAdhesion(charts[k], su * toKsf, ratio);
      out.unitSkinFriction.setBoth(k, alpha * su);
      out.plugFriction.setTop(k, alpha * row.remoldedShearStrength);
      out.plugFriction.setBottom(k, alpha * su);
      continue;
    }
    const TipMarker state =
        plugState.empty() ? TipMarker::None : plugState[std::min(k, plugState.size() - 1)];
    const double volume = fhwaDisplacedVolume(input, state);
    const double phi = row.frictionAngle;
    const double angleRatio = fhwaFrictionAngleRatio(volume, input.pile.pileType);
    const double delta = angleRatio * phi;
    const double correction = fhwaCorrectionFactor(angleRatio, phi);
    const double lateral = fhwaLateralStressCoefficient(phi, taper, volume);
    const double slope = lateral * correction * std::sin((delta + taper) / kDegreesPerRadian) /
                         std::cos(taper / kDegreesPerRadian);
    out.unitSkinFriction.setTop(k, slope * stress.effective.top(k));
    out.unitSkinFriction.setBottom(k, slope * stress.effective.bottom(k));
    out.plugFriction.setTop(k, out.unitSkinFriction.top(k));
    out.plugFriction.setBottom(k, out.unitSkinFriction.bottom(k));
  }
  return out;
}

SkinFrictionProfile computeFhwaSkinFriction(const IncrementTable& table,
                                            const MethodUnitFriction& friction,
                                            const AnalysisInput& input) {
  std::vector<double> limits(table.size());
  for (std::size_t k = 0; k < table.size(); ++k) limits[k] = table[k].maxUnitFriction;
  std::vector<double> perimeters;
  const double taper = input.pile.taperAngle;
  if (taper > 0.0) {
    const double diameter = input.outsideDiameterInDepthUnits();
    const double dz = input.pile.lengthIncrement;
    perimeters.resize(penetrationIntervals(input) + 1);
    for (std::size_t j = 0; j < perimeters.size(); ++j) {
      const double depth = static_cast<double>(j) * dz;
      perimeters[j] =
          kPi * std::max(diameter - 2.0 * depth * std::tan(taper / kDegreesPerRadian), 0.0);
    }
  }
  return integrateSkinFriction(input, table, friction.unitSkinFriction, limits, perimeters);
}

PointArray fhwaUnitEndBearing(const IncrementTable& table,
                              const StressProfile& stress,
                              const AnalysisInput& input) {
  const std::size_t count = table.size();
  PointArray bearing(count);
  const double ratio = fhwaPenetrationRatio(input);
  const double limitScale = input.isEnglish() ? 2.0 : 2.0 * kFhwaKpaPerKsf;
  for (std::size_t k = 0; k < count; ++k) {
    const IncrementProperties& row = table[k];
    if (row.isClay()) {
      bearing.setBoth(k, 9.0 * row.undrainedShearStrength);
      continue;
    }
    const double phi = row.frictionAngle;
    const double factor = fhwaDepthFactor(phi, ratio) * fhwaBearingFactor(phi);
    const double limit = std::min(fhwaLimitChartValue(phi) * limitScale, row.maxUnitBearing);
    bearing.setTop(k, std::min(factor * stress.effective.top(k), limit));
    bearing.setBottom(k, std::min(factor * stress.effective.bottom(k), limit));
  }
  return bearing;
}

CapacityProfile computeFhwaCapacity(const IncrementTable& table,
                                    const StressProfile& stress,
                                    const AnalysisInput& input) {
  const std::vector<TipMarker> plugState = fhwaPlugState(table, stress, input);
  const MethodUnitFriction friction = computeFhwaUnitFriction(table, stress, input, plugState);
  const SkinFrictionProfile skin = computeFhwaSkinFriction(table, friction, input);
  const PointArray bearing = fhwaUnitEndBearing(table, stress, input);
  TipPassInput method;
  method.index = CapacityIndex::Fhwa;
  method.unitEndBearing = &bearing;
  method.plugFriction = &friction.plugFriction;
  return computeTipCapacity(input, table, stress, skin, method);
}

}  // namespace vorne
