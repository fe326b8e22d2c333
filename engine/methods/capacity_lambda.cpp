// Revised Lambda method; see capacity_lambda.h.
#include "methods/capacity_lambda.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

#include "methods/capacity_api.h"
#include "methods/tip_capacity.h"

namespace vorne {
namespace {

constexpr double kPi = std::numbers::pi;

}  // namespace

double lambdaFactor(double stiffnessRatio, double strengthRatio) {
  if (!(stiffnessRatio > 0.0)) return 0.0;
  const double logX = std::log(stiffnessRatio);
  const double lambda = strengthRatio >= 0.4 ? 0.232 - 0.032 * logX : 0.178 - 0.016 * logX;
  return std::max(lambda, kLambdaFloor);
}

double lambdaStiffnessRatio(const AnalysisInput& input, double penetration, double meanStrength) {
  const PileProperties& pile = input.pile;
  const bool english = input.isEnglish();
  const double areaScale = english ? 144.0 : 1.0e6;  // ft2 -> in2, m2 -> mm2
  double area = kPi / 4.0 *
                (pile.outsideDiameter * pile.outsideDiameter -
                 pile.enhancedEndInsideDiameter * pile.enhancedEndInsideDiameter);
  if (pile.noncircularTipArea > 0.0001) area = pile.noncircularTipArea * areaScale;
  const double numerator = (english ? 1000.0 : 1.0e6) * penetration * penetration * kPi *
                           pile.outsideDiameter * meanStrength;
  const double denominator = (english ? 0.1 : 2.54) * area * pile.elasticModulus;
  if (!(numerator > 0.0)) return 0.0;
  // No stiffness: X without bound, so lambda sits on its floor.
  if (!(denominator > 1e-10)) return 1e300;
  return numerator / denominator;
}

SkinFrictionProfile computeLambdaSkinFriction(const IncrementTable& table,
                                              const StressProfile& stress,
                                              const AnalysisInput& input) {
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
  const double perimeter = kPi * input.outsideDiameterInDepthUnits();
  const double zeroFrictionLength = input.pile.zeroFrictionLength;
  const double tensionFactor = input.loadingType == 1 ? input.tensionReductionFactor : 1.0;

  double stressIntegral = 0.0;    // sum of dz * mean sigma'v over the penetrated increments
  double strengthIntegral = 0.0;  // sum of dz * s over the same
  double unreduced = 0.0;         // B_{j-1} before the tension reduction
  double previousFriction = 0.0;  // fs_{j-1} before the tension reduction
  for (std::size_t j = 1; j <= n; ++j) {
    // Grid point j is the bottom of increment j - 1, which is then fully penetrated.
    const std::size_t k = std::min(j - 1, last);
    const IncrementProperties& row = table[k];
    const double meanStress = 0.5 * (stress.effective.top(k) + stress.effective.bottom(k));
    double strength = row.isClay() ? row.undrainedShearStrength
                                   : row.earthPressureCoefficient *
                                         std::tan(row.frictionAngle * kPi / 180.0) * meanStress;
    if (row.bottomDepth <= zeroFrictionLength + 1e-6) strength = 0.0;
    stressIntegral += dz * meanStress;
    strengthIntegral += dz * strength;

    const double penetration = out.penetration[j];
    const double meanEffectiveStress = stressIntegral / penetration;
    const double meanStrength = strengthIntegral / penetration;
    const double strengthRatio =
        meanEffectiveStress > 1e-10 ? meanStrength / meanEffectiveStress : 1.0;
    const double lambda =
        lambdaFactor(lambdaStiffnessRatio(input, penetration, meanStrength), strengthRatio);
    const double total =
        penetration * perimeter * lambda * (meanEffectiveStress + 2.0 * meanStrength);

    double friction = perimeter > 0.0 ? (total - unreduced) / (perimeter * dz) : 0.0;
    if (friction < 1e-7) friction = previousFriction;
    friction = std::min(friction, table[std::min(j, last)].maxUnitFriction);
    previousFriction = friction;
    const double step = dz * perimeter * friction;
    unreduced += step;

    out.unitSkinFriction[j] = friction * tensionFactor;
    out.unfactored[j] = out.unfactored[j - 1] + step * tensionFactor;
    out.reduced[j] = out.reduced[j - 1] + step * tensionFactor * row.sideResistanceFactor;
  }
  out.skinFriction = input.reducedLoadTransfer == 1 ? out.reduced : out.unfactored;
  return out;
}

CapacityProfile computeLambdaCapacity(const IncrementTable& table,
                                      const StressProfile& stress,
                                      const AnalysisInput& input) {
  const SkinFrictionProfile skin = computeLambdaSkinFriction(table, stress, input);
  const PointArray bearing = apiUnitEndBearing(table, stress, input);
  TipPassInput method;
  method.index = CapacityIndex::RevisedLambda;
  method.unitEndBearing = &bearing;
  return computeTipCapacity(input, table, stress, skin, method);
}

}  // namespace vorne
