// Stations, maximum unit transfer and curve shapes; see load_transfer.h.
#include "settlement/load_transfer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "methods/unit_constants.h"

namespace vorne {
namespace {

using Table = std::array<double, kCurvePoints - 1>;  // points 1..9; point 0 is the origin

// Clay, standard: movement as a multiple of the diameter.
constexpr Table kClayMovementPerDiameter = {0.0016, 0.0031, 0.0057, 0.008, 0.01,
                                            0.02,   0.03,   0.05,   0.2};
constexpr Table kClayRatio = {0.3, 0.5, 0.75, 0.9, 1.0, 0.9, 0.9, 0.9, 0.9};
// USACE curves (clay and the hyperbolic sand): movement in inches.
constexpr Table kUsaceMovementIn = {0.01, 0.02, 0.04, 0.06, 0.08, 0.12, 0.16, 0.5, 10.0};
constexpr Table kUsaceClayRatio = {0.18, 0.38, 0.79, 0.97, 1.0, 0.97, 0.93, 0.93, 0.93};
// Sand, standard: movement in inches.
constexpr Table kSandMovementIn = {0.01, 0.02, 0.04, 0.06, 0.08, 0.09, 0.1, 0.5, 2.0};
constexpr Table kSandRatio = {0.1, 0.2, 0.4, 0.6, 0.8, 0.9, 1.0, 1.0, 1.0};
// Tip, standard: movement as a multiple of the diameter.
constexpr Table kTipMovementPerDiameter = {0.0005, 0.001, 0.002, 0.013, 0.042,
                                           0.073,  0.1,   0.15,  0.2};
constexpr Table kTipRatio = {0.0625, 0.125, 0.25, 0.5, 0.75, 0.9, 1.0, 1.0, 1.0};
// Tip, USACE: movement in inches.
constexpr Table kUsaceTipMovementIn = {0.0001, 0.005, 0.01, 0.05, 0.1, 0.2, 0.5, 1.0, 2.0};

// Linear interpolation on a curve of points (x_i, y_i) from the origin: y_0 below x_0, the last y
// beyond the last point. A zero-width step takes the value after it.
double interpolateCurve(const std::array<double, kCurvePoints>& x,
                        const std::array<double, kCurvePoints>& y,
                        double at) {
  if (!(at > x[0])) return y[0];
  for (std::size_t i = 1; i < kCurvePoints; ++i) {
    if (at <= x[i]) {
      const double width = x[i] - x[i - 1];
      if (!(width > 0.0)) return y[i];
      return y[i - 1] + (y[i] - y[i - 1]) * (at - x[i - 1]) / width;
    }
  }
  return y[kCurvePoints - 1];
}

// Whether a soil profile interval is thick enough for stations: 0.11 ft (0.033528 m). The 1e-6
// tolerance keeps an interval typed exactly that thick, which differences of binary depths can
// put just below it, at three stations.
bool isStationInterval(const SoilPoint& upper, const SoilPoint& lower, const CurveSettings& s) {
  return lower.depth - upper.depth >= kStationIntervalThickness.of(s.english) - kDepthTolerance;
}

// Movement of a length given in inches, in the run's unit.
double movementFromInches(double inches, const CurveSettings& settings) {
  return settings.english ? inches : inches / kInchesPerMetre;
}

}  // namespace

double TzCurve::transferAt(double z) const { return interpolateCurve(movement, unitTransfer, z); }

double QwCurve::loadAt(double w) const { return interpolateCurve(movement, load, w); }

LoadTransferSource loadTransferSourceOf(const CapacityProfile& profile) {
  LoadTransferSource source;
  const std::size_t n = std::min(profile.penetration.size(), profile.skinFriction.size());
  source.penetration.assign(profile.penetration.begin(),
                            profile.penetration.begin() + static_cast<std::ptrdiff_t>(n));
  source.skinFriction.assign(profile.skinFriction.begin(),
                             profile.skinFriction.begin() + static_cast<std::ptrdiff_t>(n));
  if (n > 0 && profile.tipValue.size() >= n) source.tipCapacity = profile.tipValue[n - 1];
  return source;
}

CurveSettings CurveSettings::of(const AnalysisInput& input) {
  CurveSettings settings;
  settings.english = input.isEnglish();
  settings.usaceShapes = input.loadTransferMethod == static_cast<int>(MethodId::Usace);
  settings.lengthUnit = settings.english ? 12.0 : 1.0;
  settings.diameter =
      settings.english ? input.pile.outsideDiameter : input.pile.outsideDiameter / 1000.0;
  settings.stickupLength = input.pile.stickupLength * settings.lengthUnit;
  return settings;
}

std::size_t stickupStationCount(const CurveSettings& settings) {
  return settings.stickupLength / settings.lengthUnit > 1.0e-6 ? 3 : 0;
}

std::vector<TzCurve> buildStations(const AnalysisInput& input, const CurveSettings& settings) {
  std::vector<TzCurve> stations;
  const double psl = settings.stickupLength;
  if (stickupStationCount(settings) > 0) {
    TzCurve station;  // clay, phi 0, tmax 0
    const double middle = psl / 2.0;
    // A stick-up shorter than 0.2 in (5.08 mm) would put the bottom station above the middle one.
    const double bottom = std::max(psl - kStickupStationOffset.of(settings.english), middle);
    for (double depth : {0.0, middle, bottom}) {
      station.depth = depth;
      stations.push_back(station);
    }
  }

  const std::vector<SoilPoint>& points = input.soilPoints;
  for (std::size_t k = 0; k + 1 < points.size(); ++k) {
    const SoilPoint& upper = points[k];
    const SoilPoint& lower = points[k + 1];
    if (!isStationInterval(upper, lower, settings)) continue;
    const double top = upper.depth * settings.lengthUnit;
    const double bottom =
        lower.depth * settings.lengthUnit - kSoilStationBottomOffset.of(settings.english);
    const double middle = (top + bottom + kSoilStationMiddleOffset.of(settings.english)) / 2.0;
    TzCurve station;
    station.soilType = upper.soilType == 1 && lower.soilType == 1 ? 1 : 2;
    const double angles[] = {upper.frictionAngle, 0.5 * (upper.frictionAngle + lower.frictionAngle),
                             lower.frictionAngle};
    const double depths[] = {top, middle, bottom};
    for (int i = 0; i < 3; ++i) {
      station.depth = depths[i] + psl;
      station.depthBelowGround = depths[i] / settings.lengthUnit;
      station.frictionAngle = angles[i];
      stations.push_back(station);
    }
  }
  return stations;
}

double unitTransferAtDepth(const LoadTransferSource& source,
                           double depthBelowGround,
                           const CurveSettings& settings) {
  const std::vector<double>& d = source.penetration;
  const std::vector<double>& q = source.skinFriction;
  const std::size_t n = std::min(d.size(), q.size());
  if (n < 2 || !(settings.diameter > 0.0)) return 0.0;
  const std::size_t last = n - 1;

  // Grid depths are j * dz in binary (3 * 0.2 is 0.6000000000000001): compare as decimal depths.
  std::size_t g = last;
  if (depthBelowGround < d[last] - kDepthTolerance) {
    g = 1;
    while (g < last && !(d[g] > depthBelowGround + kDepthTolerance)) ++g;
  }
  const double step = d[g] - d[g - 1];
  if (!(step > 0.0)) return 0.0;
  double slope = 0.0;
  if (g < last) {
    // Central difference about d_g, unless nothing has been gathered above it yet (the top of
    // the friction zone), where the forward difference avoids halving the first slope.
    slope = q[g - 1] > kSlopeFrictionThreshold.of(settings.english)
                ? (q[g + 1] - q[g - 1]) / (2.0 * step)
                : (q[g + 1] - q[g]) / step;
  } else {
    slope = (q[g] - q[g - 1]) / step;
  }
  // kip/ft over the perimeter in inches gives psi after * 1000 / 12; kN/m over metres is kPa.
  const double perimeter = std::numbers::pi * settings.diameter;
  return settings.english ? slope * 1000.0 / 12.0 / perimeter : slope / perimeter;
}

double hyperbolicSandStiffness(double phi) {
  if (phi <= 28.0) return 6000.0;
  if (phi <= 31.0) return 6000.0 + 1333.3 * (phi - 28.0);
  if (phi <= 32.0) return 10000.0;
  if (phi <= 34.0) return 10000.0 + 1333.3 * (phi - 32.0);
  if (phi <= 35.0) return 14000.0;
  if (phi <= 38.0) return 14000.0 + 1333.3 * (phi - 35.0);
  return 18000.0;
}

void fillTzCurve(TzCurve& curve, const CurveSettings& settings) {
  curve.movement[0] = 0.0;
  curve.unitTransfer[0] = 0.0;
  const double tmax = curve.maxUnitTransfer;
  const bool sand = curve.soilType == 1;
  for (std::size_t i = 1; i < kCurvePoints; ++i) {
    const std::size_t p = i - 1;
    double movement = 0.0;
    double transfer = 0.0;
    if (!sand && !settings.usaceShapes) {
      movement = kClayMovementPerDiameter[p] * settings.diameter;
      transfer = kClayRatio[p] * tmax;
    } else if (!sand) {
      movement = movementFromInches(kUsaceMovementIn[p], settings);
      transfer = kUsaceClayRatio[p] * tmax;
    } else if (!settings.usaceShapes) {
      movement = movementFromInches(kSandMovementIn[p], settings);
      transfer = kSandRatio[p] * tmax;
    } else {
      // The hyperbola is tabulated in psf and inches whatever the run's units.
      const double toPsf = kPsfPerUnitTransfer.of(settings.english);
      const double tmaxPsf = tmax * toPsf;
      const double zIn = kUsaceMovementIn[p];
      const double k = hyperbolicSandStiffness(curve.frictionAngle);
      const double tPsf = tmaxPsf > 1.0e-9 ? zIn / (1.0 / k + zIn / tmaxPsf) : 0.0;
      movement = movementFromInches(zIn, settings);
      transfer = tPsf / toPsf;
    }
    curve.movement[i] = movement;
    curve.unitTransfer[i] = transfer;
  }
}

QwCurve makeQwCurve(double capacity,
                    int tipSoilType,
                    double tipFrictionAngle,
                    const CurveSettings& settings) {
  QwCurve curve;
  curve.capacity = capacity;
  const double diameter = settings.diameter;
  for (std::size_t i = 1; i < kCurvePoints; ++i) {
    const std::size_t p = i - 1;
    if (!settings.usaceShapes) {
      curve.movement[i] = kTipMovementPerDiameter[p] * diameter;
      curve.load[i] = kTipRatio[p] * capacity;
      continue;
    }
    const double w = movementFromInches(kUsaceTipMovementIn[p], settings);
    curve.movement[i] = w;
    if (!(diameter > 0.0)) continue;
    if (tipSoilType == 1) {
      // Power law through Qmax at 5 % of the diameter; it keeps rising beyond it.
      const double exponent =
          tipFrictionAngle <= 31.0 ? 0.5 : (tipFrictionAngle <= 38.0 ? 0.333 : 0.25);
      curve.load[i] = capacity * std::pow(w / (0.05 * diameter), exponent);
    } else {
      // Clay: half of Qmax at 1 % of the outside diameter, growing with sqrt(w), capped at Qmax.
      curve.load[i] = std::min(capacity, 0.5 * capacity * std::sqrt(w / (0.01 * diameter)));
    }
  }
  return curve;
}

LoadTransferCurves buildLoadTransferCurves(const AnalysisInput& input,
                                           const LoadTransferSource& source) {
  const CurveSettings settings = CurveSettings::of(input);
  LoadTransferCurves curves;
  curves.stations = buildStations(input, settings);
  curves.stickupStations = stickupStationCount(settings);
  for (std::size_t s = 0; s < curves.stations.size(); ++s) {
    TzCurve& station = curves.stations[s];
    if (s >= curves.stickupStations) {
      station.maxUnitTransfer = unitTransferAtDepth(source, station.depthBelowGround, settings);
    }
    fillTzCurve(station, settings);
  }

  // The soil at the tip: the deepest soil station on the pile, at or above the tip. The station
  // below the tip may lie in another layer the pile never reaches; the soil the pile ends in is
  // the one above.
  const double tipDepth = settings.stickupLength + input.embeddedLength() * settings.lengthUnit;
  int tipSoilType = 2;
  double tipFrictionAngle = 0.0;
  const TzCurve* tipStation = nullptr;
  for (std::size_t s = curves.stickupStations; s < curves.stations.size(); ++s) {
    const TzCurve& station = curves.stations[s];
    if (station.depth <= tipDepth + 1.0e-6 &&
        (tipStation == nullptr || station.depth >= tipStation->depth)) {
      tipStation = &station;
    }
  }
  if (tipStation == nullptr && curves.stations.size() > curves.stickupStations) {
    tipStation = &curves.stations[curves.stickupStations];
  }
  if (tipStation != nullptr) {
    tipSoilType = tipStation->soilType;
    tipFrictionAngle = tipStation->frictionAngle;
  }
  const double capacity = source.tipCapacity * (settings.english ? 1000.0 : 1.0);
  curves.tip = makeQwCurve(capacity, tipSoilType, tipFrictionAngle, settings);
  return curves;
}

std::vector<VerificationCurve> buildVerificationCurves(const AnalysisInput& input,
                                                       const LoadTransferSource& source) {
  const CurveSettings settings = CurveSettings::of(input);
  const std::vector<SoilPoint>& points = input.soilPoints;
  const double deepest = points.empty() ? 0.0 : points.back().depth;
  std::vector<VerificationCurve> curves;
  for (double depth : input.extraTzDepths) {
    VerificationCurve entry;
    entry.depthBelowGround = depth;
    entry.inSoilRange = !points.empty() && depth >= -1.0e-6 && depth <= deepest + 1.0e-6;
    if (entry.inSoilRange) {
      // The interval (at least 0.11 thick) that holds the depth; a depth inside a thinner one
      // takes the nearest thick interval below it, or the last one above.
      const SoilPoint* upper = nullptr;
      const SoilPoint* lower = nullptr;
      for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        if (!isStationInterval(points[k], points[k + 1], settings)) continue;
        upper = &points[k];
        lower = &points[k + 1];
        if (depth <= lower->depth + 1.0e-6) break;
      }
      TzCurve& curve = entry.curve;
      if (upper == nullptr) {
        // No interval is thick enough: the first soil point describes the soil.
        const SoilPoint& point = points.front();
        curve.soilType = point.soilType;
        curve.frictionAngle = point.frictionAngle;
      } else {
        curve.soilType = upper->soilType == 1 && lower->soilType == 1 ? 1 : 2;
        const double fraction =
            std::clamp((depth - upper->depth) / (lower->depth - upper->depth), 0.0, 1.0);
        curve.frictionAngle =
            upper->frictionAngle + (lower->frictionAngle - upper->frictionAngle) * fraction;
      }
      curve.depth = settings.stickupLength + depth * settings.lengthUnit;
      curve.depthBelowGround = depth;
      curve.maxUnitTransfer = unitTransferAtDepth(source, depth, settings);
      fillTzCurve(curve, settings);
    }
    curves.push_back(entry);
  }
  return curves;
}

}  // namespace vorne
