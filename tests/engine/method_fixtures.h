// Projects for the computation tests, described once in English units and built in either unit
// system, so that one case run in English and in SI can be compared after conversion.
#ifndef VORNE_TESTS_ENGINE_METHOD_FIXTURES_H
#define VORNE_TESTS_ENGINE_METHOD_FIXTURES_H

#include <vector>

#include "io/analysis_input.h"
#include "methods/effective_stress.h"
#include "methods/soil_profile.h"

namespace vorne::testing {

// English to SI factors.
inline constexpr double kFtToM = 0.3048;
inline constexpr double kInToMm = 25.4;
inline constexpr double kKsfToKpa = 47.880258980;
inline constexpr double kPcfToKnM3 = 0.157087463;
inline constexpr double kKipToKn = 4.4482216153;
inline constexpr double kFt2ToM2 = 0.09290304;

// One soil layer in English units as the engine holds them after loading (stresses in ksf).
struct LayerSpec {
  double top = 0.0;     // [ft]
  double bottom = 0.0;  // [ft]
  SoilType type = SoilType::Sand;
  double unitWeight = 100.0;   // gamma' [pcf]
  double frictionAngle = 0.0;  // [deg]
  double earthPressure = 0.0;  // K
  double bearingFactor = 0.0;  // Nq
  double su = 0.0;             // [ksf]
  double remoldedSu = 0.0;     // [ksf]
  double blowCount = 0.0;
  double maxUnitFriction = 0.0;  // [ksf]; 0 means no limit
  double maxUnitBearing = 0.0;   // [ksf]; 0 means no limit
  double coneResistance = 0.0;   // [lb/ft2]
  double sideFactor = 1.0;
  double plasticityIndex = 0.0;  // PI [%]
};

struct ProjectOutline {
  double outsideDiameter = 24.0;    // [in]
  double insideDiameter = 0.0;      // [in]
  double length = 50.0;             // embedded [ft]
  double lengthIncrement = 1.0;     // [ft]
  double zeroFrictionLength = 0.0;  // [ft]
  int pileType = 1;
  int loadingType = 0;
  double tensionReductionFactor = 1.0;
  int reducedLoadTransfer = 0;
  int plugCondition = 0;
  int criticalDepthOption = 0;
  double userCriticalDepth = 0.0;  // [ft]
  std::vector<LayerSpec> layers;
};

// Builds the input as the reader leaves it after the load-time adjustments, with SI values
// converted from the English description. Limits of 0 become the unlimited 9999999.
inline AnalysisInput makeInput(const ProjectOutline& outline, UnitSystem units) {
  const bool si = units == UnitSystem::Si;
  const double len = si ? kFtToM : 1.0;
  const double dia = si ? kInToMm : 1.0;
  const double stress = si ? kKsfToKpa : 1.0;
  const double weight = si ? kPcfToKnM3 : 1.0;
  const double cone = si ? kKsfToKpa / 1000.0 : 1.0;  // lb/ft2 to kPa

  AnalysisInput input;
  input.units = static_cast<int>(units);
  input.printIncrement = 1;
  input.pile.outsideDiameter = outline.outsideDiameter * dia;
  input.pile.outsideDiameterAsRead = input.pile.outsideDiameter;
  input.pile.insideDiameter = outline.insideDiameter * dia;
  input.pile.elasticModulus = si ? 2.0e8 : 29.0e6;
  input.pile.pileLength = outline.length * len;
  input.pile.stickupLength = 0.0;
  input.pile.enhancedEndLength = input.pile.pileLength - 1.0e-7;
  input.pile.enhancedEndInsideDiameter = input.pile.insideDiameter;
  input.pile.zeroFrictionLength = outline.zeroFrictionLength * len;
  input.pile.lengthIncrement = outline.lengthIncrement * len;
  input.pile.pileType = outline.pileType;
  input.loadingType = outline.loadingType;
  input.tensionReductionFactor = outline.tensionReductionFactor;
  input.reducedLoadTransfer = outline.reducedLoadTransfer;
  input.plugCondition = outline.plugCondition;
  input.criticalDepthOption = outline.criticalDepthOption;
  input.userCriticalDepth = outline.userCriticalDepth * len;
  input.methodSelected[static_cast<int>(MethodId::Api)] = 1;
  for (const LayerSpec& layer : outline.layers) {
    for (double depth : {layer.top, layer.bottom}) {
      SoilPoint p;
      p.depth = depth * len;
      p.soilType = static_cast<int>(layer.type);
      p.earthPressureCoefficient = layer.earthPressure;
      p.effectiveUnitWeight = layer.unitWeight * weight;
      p.frictionAngle = layer.frictionAngle;
      p.bearingFactorNq = layer.bearingFactor;
      p.undrainedShearStrength = layer.su * stress;
      p.remoldedShearStrength = layer.remoldedSu * stress;
      p.blowCountOrYsr = layer.blowCount;
      p.coneResistance = layer.coneResistance * cone;
      p.frictionUnlimited = layer.maxUnitFriction <= 0.0;
      p.bearingUnlimited = layer.maxUnitBearing <= 0.0;
      p.maxUnitFriction = p.frictionUnlimited ? 9999999.0 : layer.maxUnitFriction * stress;
      p.maxUnitBearing = p.bearingUnlimited ? 9999999.0 : layer.maxUnitBearing * stress;
      p.sideResistanceFactor = layer.sideFactor;
      p.plasticityIndex = layer.plasticityIndex;
      p.endResistanceFactor = 1.0;
      input.soilPoints.push_back(p);
    }
  }
  if (!outline.layers.empty()) input.deepestSoilDepth = outline.layers.back().bottom * len;
  return input;
}

// A project cut into increments with its stress profile, as a pass prepares it for the methods.
struct Prepared {
  AnalysisInput input;
  IncrementTable table;
  StressProfile stress;
};

inline Prepared prepare(const AnalysisInput& input, long long segmentCount) {
  Prepared r;
  r.input = input;
  r.table = buildIncrementTable(r.input, segmentCount);
  r.stress = computeStressProfile(r.table, r.input);
  return r;
}

// The segment count taken from the deepest soil depth, as the driver counts it.
inline Prepared prepare(const AnalysisInput& input) {
  return prepare(
      input, static_cast<long long>(input.deepestSoilDepth / input.pile.lengthIncrement + 1e-6));
}

}  // namespace vorne::testing

#endif  // VORNE_TESTS_ENGINE_METHOD_FIXTURES_H
