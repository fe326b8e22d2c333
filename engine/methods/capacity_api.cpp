// API RP-2A unit friction, limits and unit end bearing; see capacity_api.h.
#include "methods/capacity_api.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "methods/tip_capacity.h"

namespace vorne {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

struct LimitPoint {
  double frictionAngle;  // [deg]
  double english;        // [ksf]
  double si;             // [kPa]
};

// API RP-2A (1994) table 6.4.3-1, by friction angle. The SI limit at 30 deg is 81.3 kPa, the
// conversion of 1.7 ksf; 83.1 would make English and SI runs of one project disagree.
constexpr std::array<LimitPoint, 5> kFrictionLimits{
    {{20, 1.0, 47.8}, {25, 1.4, 67.0}, {30, 1.7, 81.3}, {35, 2.0, 95.5}, {40, 2.4, 114.8}}};
constexpr std::array<LimitPoint, 5> kBearingLimits{
    {{20, 40, 1900}, {25, 60, 2900}, {30, 100, 4800}, {35, 200, 9600}, {40, 250, 12000}}};

double readLimit(const std::array<LimitPoint, 5>& table, double phi, bool english) {
  auto value = [english](const LimitPoint& p) { return english ? p.english : p.si; };
  if (phi <= table.front().frictionAngle) return value(table.front());
  for (std::size_t i = 1; i < table.size(); ++i) {
    if (phi < table[i].frictionAngle) {
      const LimitPoint& a = table[i - 1];
      const LimitPoint& b = table[i];
      return value(a) +
             (value(b) - value(a)) * (phi - a.frictionAngle) / (b.frictionAngle - a.frictionAngle);
    }
  }
  return value(table.back());
}

}  // namespace

double apiAlpha(double strengthRatio) {
  const double psi = std::max(strengthRatio, 1.0e-10);
  const double alpha = psi <= 1.0 ? 0.5 / std::sqrt(psi) : 0.5 / std::pow(psi, 0.25);
  return std::min(alpha, 1.0);
}

bool isApiFrictionLimitCode(double maxUnitFriction, bool english) {
  const double code = english ? 9.999 : 9999.0;
  return std::abs(maxUnitFriction - code) <= 1.0e-9 * code;
}

double apiFrictionLimit(double frictionAngle, bool english) {
  return readLimit(kFrictionLimits, frictionAngle, english);
}

double apiBearingLimit(double frictionAngle, bool english) {
  return readLimit(kBearingLimits, frictionAngle, english);
}

MethodUnitFriction computeApiUnitFriction(IncrementTable& table,
                                          StressProfile& stress,
                                          const AnalysisInput& input) {
  const bool english = input.isEnglish();
  MethodUnitFriction out{PointArray(table.size()), PointArray(table.size())};
  for (std::size_t k = 0; k < table.size(); ++k) {
    IncrementProperties& row = table[k];
    if (row.isClay()) {
      const double bottomStress = std::max(stress.effective.bottom(k), 1.0e-10);
      stress.effective.setBottom(k, bottomStress);
      const double alpha = apiAlpha(row.undrainedShearStrength / bottomStress);
      const double f = alpha * row.undrainedShearStrength;
      out.unitSkinFriction.setBoth(k, f);
      out.plugFriction.setTop(k, alpha * row.remoldedShearStrength);
      out.plugFriction.setBottom(k, f);
    } else {
      const double tanDelta = std::tan(std::max(row.frictionAngle - 5.0, 0.0) * kDegree);
      const double k0 = row.earthPressureCoefficient;
      out.unitSkinFriction.setTop(k, k0 * stress.effective.top(k) * tanDelta);
      out.unitSkinFriction.setBottom(k, k0 * stress.effective.bottom(k) * tanDelta);
      out.plugFriction.setTop(k, out.unitSkinFriction.top(k));
      out.plugFriction.setBottom(k, out.unitSkinFriction.bottom(k));
      if (isApiFrictionLimitCode(row.maxUnitFriction, english)) {
        row.maxUnitFriction = apiFrictionLimit(row.frictionAngle, english);
      }
    }
  }
  return out;
}

SkinFrictionProfile computeApiSkinFriction(const IncrementTable& table,
                                           const MethodUnitFriction& friction,
                                           const AnalysisInput& input) {
  std::vector<double> limits(table.size());
  for (std::size_t k = 0; k < table.size(); ++k) limits[k] = table[k].maxUnitFriction;
  return integrateSkinFriction(input, table, friction.unitSkinFriction, limits);
}

PointArray apiUnitEndBearing(const IncrementTable& table,
                             const StressProfile& stress,
                             const AnalysisInput& input) {
  const bool english = input.isEnglish();
  PointArray q(table.size());
  for (std::size_t k = 0; k < table.size(); ++k) {
    const IncrementProperties& row = table[k];
    if (row.isClay()) {
      q.setBoth(k, 9.0 * row.undrainedShearStrength);
      continue;
    }
    const double limit = isUnlimitedValue(row.maxUnitBearing)
                             ? apiBearingLimit(row.frictionAngle, english)
                             : row.maxUnitBearing;
    q.setTop(k, std::min(row.bearingFactorNq * stress.effective.top(k), limit));
    q.setBottom(k, std::min(row.bearingFactorNq * stress.effective.bottom(k), limit));
  }
  return q;
}

CapacityProfile computeApiCapacity(IncrementTable& table,
                                   StressProfile& stress,
                                   const AnalysisInput& input) {
  const MethodUnitFriction friction = computeApiUnitFriction(table, stress, input);
  const SkinFrictionProfile skin = computeApiSkinFriction(table, friction, input);
  const PointArray endBearing = apiUnitEndBearing(table, stress, input);
  TipPassInput method;
  method.index = CapacityIndex::Api;
  method.unitEndBearing = &endBearing;
  method.plugFriction = &friction.plugFriction;
  return computeTipCapacity(input, table, stress, skin, method);
}

}  // namespace vorne
