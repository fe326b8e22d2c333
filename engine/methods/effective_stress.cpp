// Effective stress, strengths from blow counts and cone resistance, critical depth and capped
// stress; see effective_stress.h.
#include "methods/effective_stress.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

#include "methods/unit_constants.h"

namespace vorne {

namespace {

struct CurvePoint {
  double blowCount;
  double frictionAngle;  // [deg]
};

// Friction angle against blow count at 0, 20 and 40 psi effective overburden.
constexpr std::array<CurvePoint, 7> kCurveA{
    {{0, 0}, {2, 32}, {4, 34}, {6, 36}, {10, 38}, {15, 42}, {20, 45}}};
constexpr std::array<CurvePoint, 11> kCurveB{{{6, 30},
                                              {10, 32},
                                              {15, 34},
                                              {20, 36},
                                              {25, 37},
                                              {30, 39},
                                              {35, 40},
                                              {40, 41},
                                              {45, 42},
                                              {50, 44},
                                              {55, 45}}};
constexpr std::array<CurvePoint, 17> kCurveC{{{10, 31},
                                              {15, 32},
                                              {20, 34},
                                              {25, 35},
                                              {30, 36},
                                              {35, 36},
                                              {40, 37},
                                              {45, 38},
                                              {50, 39},
                                              {55, 39},
                                              {60, 40},
                                              {65, 41},
                                              {70, 42},
                                              {75, 42},
                                              {80, 43},
                                              {85, 44},
                                              {90, 44}}};

// Piecewise linear reading of a curve, constant beyond its ends.
double readCurve(std::span<const CurvePoint> curve, double n) {
  if (n <= curve.front().blowCount) return curve.front().frictionAngle;
  for (std::size_t i = 1; i < curve.size(); ++i) {
    if (curve[i].blowCount > n) {
      const CurvePoint& a = curve[i - 1];
      const CurvePoint& b = curve[i];
      return a.frictionAngle +
             (b.frictionAngle - a.frictionAngle) * (n - a.blowCount) / (b.blowCount - a.blowCount);
    }
  }
  return curve.back().frictionAngle;
}

// The 20..40 psi rules, also used below 20 psi for N >= 55.
double phiBetweenCurvesBAndC(double n, double s) {
  if (n <= 6.0) return 30.0;
  if (n < 10.0) return 30.0 + 0.5 * (n - 6.0);
  if (n <= 55.0) {
    const double phiB = readCurve(kCurveB, n);
    return phiB - ((s - 20.0) / 20.0) * (phiB - readCurve(kCurveC, n));
  }
  if (n < 90.0) {
    const double phiC = readCurve(kCurveC, n);
    return phiC + ((40.0 - s) / 20.0) * (45.0 - phiC);
  }
  return 50.0;
}

double toPsi(double stress, bool english) {
  return english ? stress * 1000.0 / 144.0 : stress / kKpaPerPsi;
}

// sigma'v at the critical depth zc, from the increment whose bottom first reaches it; false when zc
// lies below every increment (nothing is capped then).
bool stressAtDepth(const IncrementTable& table,
                   const PointArray& effective,
                   double zc,
                   double stressScale,
                   double& stress) {
  for (std::size_t j = 0; j < table.size(); ++j) {
    if (table[j].bottomDepth >= zc) {
      const double reach = std::max(zc - table[j].topDepth, 0.0);
      stress = effective.top(j) + reach * table[j].effectiveUnitWeight * stressScale;
      return true;
    }
  }
  return false;
}

// Caps both ends of increment k at the stress at zc.
void capIncrement(const IncrementTable& table,
                  StressProfile& profile,
                  std::size_t k,
                  double zc,
                  double stressScale) {
  double atCritical = 0.0;
  const bool reached = stressAtDepth(table, profile.effective, zc, stressScale, atCritical);
  const double top = profile.effective.top(k);
  const double bottom = profile.effective.bottom(k);
  profile.capped.setTop(k, reached && table[k].topDepth >= zc ? atCritical : top);
  profile.capped.setBottom(k, reached && table[k].bottomDepth >= zc ? atCritical : bottom);
}

}  // namespace

double phiFromBlowCount(double blowCount, double overburdenPsi) {
  const double n = blowCount;
  const double s = overburdenPsi;
  if (!(n > 0.0)) return 0.0;
  if (s < 20.0) {
    if (n < 6.0) {
      const double phiA = readCurve(kCurveA, n);
      return phiA - (s / 20.0) * (phiA - 30.0);
    }
    if (n <= 20.0) {
      const double phiA = readCurve(kCurveA, n);
      return phiA - (s / 20.0) * (phiA - readCurve(kCurveB, n));
    }
    if (n < 55.0) {
      const double phiB = readCurve(kCurveB, n);
      return phiB + ((20.0 - s) / 20.0) * (45.0 - phiB);
    }
    return phiBetweenCurvesBAndC(n, s);
  }
  if (s < 40.0) return phiBetweenCurvesBAndC(n, s);
  return readCurve(kCurveC, std::clamp(n, 10.0, 90.0));
}

double criticalDepthDiameters(double frictionAngle) {
  if (frictionAngle < 33.0) return 10.0;
  if (frictionAngle < 36.0) return 15.0;
  return 20.0;
}

StressProfile computeStressProfile(IncrementTable& table, const AnalysisInput& input) {
  const bool english = input.isEnglish();
  const double stressScale = english ? 1.0 / 1000.0 : 1.0;  // gamma' * depth to ksf | kPa
  const std::size_t count = table.size();
  StressProfile profile{PointArray(count), PointArray(count), false, 0.0};

  const double diameter = input.outsideDiameterInDepthUnits();
  // Option 0 sweeps increments 2..N twice. The first runs with the stress accumulation, before
  // the friction angles are filled from blow counts, and leaves zc at the value of the deepest
  // sand increment: a deepest sand given only by its blow count counts with phi 0 there (10 OD).
  double zc = 0.0;
  double stress = 0.0;
  for (std::size_t k = 0; k < count; ++k) {
    profile.effective.setTop(k, stress);
    stress += table[k].effectiveUnitWeight * table[k].thickness() * stressScale;
    profile.effective.setBottom(k, stress);
    if (input.criticalDepthOption == 0 && k > 0 && table[k].isSand()) {
      zc = criticalDepthDiameters(table[k].frictionAngle) * diameter;
      profile.hasCriticalDepth = true;
    }
  }

  for (std::size_t k = 0; k < count; ++k) {
    IncrementProperties& row = table[k];
    if (row.isSand() && row.frictionAngle < 1.0e-10 && row.blowCountOrYsr > 0.0) {
      row.frictionAngle =
          phiFromBlowCount(row.blowCountOrYsr, toPsi(profile.effective.bottom(k), english));
    }
    if (row.undrainedShearStrength < 1.0e-10) {
      const double qc = english ? row.coneResistance / 1000.0 : row.coneResistance;
      row.undrainedShearStrength = qc / 15.0;
    }
  }

  if (input.criticalDepthOption == 0) {
    // The second sweep starts from the first one's zc and resets it at each sand increment with
    // the filled angle: each sand increment is capped at the depth of its own friction angle, a
    // clay increment keeps the depth of the sand above it, or of the deepest sand when it lies
    // above all sand. Increment 1 is capped by the value the sweep starts from.
    profile.criticalDepth = zc;
    for (std::size_t k = 0; k < count && profile.hasCriticalDepth; ++k) {
      if (k > 0 && table[k].isSand()) {
        zc = criticalDepthDiameters(table[k].frictionAngle) * diameter;
      }
      capIncrement(table, profile, k, zc, stressScale);
    }
  } else {
    if (input.criticalDepthOption == 1) {
      // Walking down from increment 2, like the option-0 sweeps.
      const double threshold = kCriticalDepthStress.of(english);
      for (std::size_t k = 1; k < count && !profile.hasCriticalDepth; ++k) {
        if (profile.effective.bottom(k) > threshold) {
          profile.hasCriticalDepth = true;
          profile.criticalDepth = table[k].bottomDepth;
        }
      }
    } else {
      profile.hasCriticalDepth = true;
      profile.criticalDepth = std::max(input.userCriticalDepth, 0.0);
    }
    for (std::size_t k = 0; k < count; ++k) {
      if (profile.hasCriticalDepth) {
        capIncrement(table, profile, k, profile.criticalDepth, stressScale);
      } else {
        profile.capped.setTop(k, profile.effective.top(k));
        profile.capped.setBottom(k, profile.effective.bottom(k));
      }
    }
  }
  if (!profile.hasCriticalDepth) profile.capped = profile.effective;
  return profile;
}

}  // namespace vorne
