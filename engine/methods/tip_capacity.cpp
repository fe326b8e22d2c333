// Tip pass: averaged end bearing, soil plug, self weight and total capacity; see tip_capacity.h.
#include "methods/tip_capacity.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "methods/capacity_api.h"
#include "methods/unit_constants.h"

namespace vorne {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180.0;

// Diameters [in | mm] to depth units [ft | m].
double diameterScale(bool english) { return english ? 12.0 : 1000.0; }

bool usesPlugRecord(CapacityIndex index) {
  return index != CapacityIndex::RevisedLambda && index != CapacityIndex::UserTension;
}

bool isConeMethod(CapacityIndex index) {
  const int i = static_cast<int>(index);
  return i >= static_cast<int>(CapacityIndex::Ngi) && i <= static_cast<int>(CapacityIndex::Uwa);
}

// Running integral from the surface of an area times a unit bearing that is linear inside each
// increment; below the last increment the bearing at its bottom goes on. The averaging zone of a
// deep tip can reach below the last increment (which ends up to one increment short of the
// deepest soil depth); the deepest soil is all the profile says of it, and a zero there would
// lower the bearing of the deepest tips.
class BearingIntegral {
 public:
  BearingIntegral(const IncrementTable& table, const PointArray& bearing, double area)
      : m_table(table), m_bearing(bearing), m_area(area), m_atBottom(table.size()) {
    double sum = 0.0;
    for (std::size_t k = 0; k < table.size(); ++k) {
      sum += area * 0.5 * (bearing.top(k) + bearing.bottom(k)) * table[k].thickness();
      m_atBottom[k] = sum;
    }
  }

  // Integral from the surface to depth z [kip | kN times ft | m]; zero above the surface.
  double at(double z) const {
    if (z < 0.0001 || m_table.empty()) return 0.0;
    const std::size_t k = m_table.incrementAt(z);
    const IncrementProperties& row = m_table[k];
    const double above = k == 0 ? 0.0 : m_atBottom[k - 1];
    if (z >= row.bottomDepth) {
      return m_atBottom[k] + m_area * m_bearing.bottom(k) * (z - row.bottomDepth);
    }
    const double reach = std::max(z - row.topDepth, 0.0);
    const double qz = m_bearing.interpolate(m_table, z);
    return above + m_area * 0.5 * (m_bearing.top(k) + qz) * reach;
  }

 private:
  const IncrementTable& m_table;
  const PointArray& m_bearing;
  double m_area;
  std::vector<double> m_atBottom;  // integral down to the bottom of increment k
};

}  // namespace

PointArray soilPlugFriction(const IncrementTable& table,
                            const StressProfile& stress,
                            const AnalysisInput& input,
                            const TipPassInput& method) {
  PointArray accumulated(table.size());
  if (input.plugCondition == 2) return accumulated;
  const double plugDiameter =
      input.pile.enhancedEndInsideDiameter / diameterScale(input.isEnglish());
  const PointArray* record = usesPlugRecord(method.index) ? method.plugFriction : nullptr;

  double sum = 0.0;
  for (std::size_t k = 0; k < table.size(); ++k) {
    const IncrementProperties& row = table[k];
    double meanFriction = 0.0;
    if (row.isClay()) {
      if (record != nullptr) {
        meanFriction = record->top(k);
      } else {
        const double bottomStress = std::max(stress.effective.bottom(k), 1.0e-10);
        meanFriction =
            apiAlpha(row.undrainedShearStrength / bottomStress) * row.remoldedShearStrength;
      }
    } else if (record != nullptr) {
      meanFriction = 0.5 * (record->top(k) + record->bottom(k));
    } else {
      const double tanDelta = std::tan(std::max(row.frictionAngle - 5.0, 0.0) * kDegree);
      const double k0 = row.earthPressureCoefficient;
      const double top = std::min(k0 * stress.effective.top(k) * tanDelta, row.maxUnitFriction);
      const double bottom =
          std::min(k0 * stress.effective.bottom(k) * tanDelta, row.maxUnitFriction);
      meanFriction = 0.5 * (top + bottom);
    }
    accumulated.setTop(k, sum);
    sum += plugDiameter * kPi * meanFriction * row.thickness();
    accumulated.setBottom(k, sum);
  }
  return accumulated;
}

double selfWeightWaterDepth(bool english) {
  // No input supplies the depth, and a missing one is below kShallowWaterDepth.
  return kDefaultWaterDepth.of(english);
}

double pileSelfWeight(const AnalysisInput& input, double depth) {
  const bool english = input.isEnglish();
  const PileProperties& pile = input.pile;
  const double scale = diameterScale(english);
  double area =
      kPi / 4.0 *
      (pile.outsideDiameter * pile.outsideDiameter - pile.insideDiameter * pile.insideDiameter) /
      (scale * scale);
  if (pile.sectionArea > 1.0e-6) area = english ? pile.sectionArea / 144.0 : pile.sectionArea;

  double unitWeight = kSteelUnitWeight.of(english);  // [kcf | kN/m3]
  if (pile.pileType == 2) unitWeight = kTimberUnitWeight.of(english);
  if (pile.pileType == 3) unitWeight = kConcreteUnitWeight.of(english);
  const double waterUnitWeight = kWaterUnitWeight.of(english);
  const double zw = selfWeightWaterDepth(english);
  if (depth <= zw) return unitWeight * area * depth;
  return unitWeight * area * zw + (unitWeight - waterUnitWeight) * area * (depth - zw);
}

CapacityProfile computeTipCapacity(const AnalysisInput& input,
                                   const IncrementTable& table,
                                   const StressProfile& stress,
                                   const SkinFrictionProfile& skin,
                                   const TipPassInput& method) {
  const bool english = input.isEnglish();
  const PileProperties& pile = input.pile;
  const double scale = diameterScale(english);
  const std::size_t points = skin.penetration.size();

  CapacityProfile out;
  out.index = method.index;
  out.tension = input.loadingType == 1;
  out.penetration = skin.penetration;
  out.skinFriction = skin.skinFriction;
  out.unitSkinFriction = skin.unitSkinFriction;
  out.tipValue.assign(points, 0.0);
  out.total.assign(points, 0.0);
  out.marker.assign(points, out.tension ? TipMarker::None : TipMarker::Plugged);

  if (!table.empty() && method.unitEndBearing != nullptr) {
    const PointArray& q = *method.unitEndBearing;
    const double outsideDiameter = pile.outsideDiameter / scale;  // [ft | m]
    const double plugDiameter = pile.enhancedEndInsideDiameter / scale;
    const bool userTipArea = pile.noncircularTipArea > 0.0001;

    // Annulus (the full section for a closed pile) and the bearing on it.
    double annulusArea =
        kPi / 4.0 * (outsideDiameter * outsideDiameter - plugDiameter * plugDiameter);
    if (userTipArea) annulusArea = pile.noncircularTipArea;
    const bool coneOnAnnulus = isConeMethod(method.index) &&
                               pile.enhancedEndInsideDiameter > 0.0001 &&
                               method.coneAnnulusBearing != nullptr;
    const PointArray& annulusBearing = coneOnAnnulus ? *method.coneAnnulusBearing : q;
    const PointArray plug = soilPlugFriction(table, stress, input, method);

    // Plugged tip: the tapered tip diameter, but the averaging zone of the top diameter.
    const double tipDiameter = std::max(
        outsideDiameter - 2.0 * input.embeddedLength() * std::tan(pile.taperAngle * kDegree), 0.0);
    const double tipArea =
        userTipArea ? pile.noncircularTipArea : kPi / 4.0 * tipDiameter * tipDiameter;
    PointArray bearingLimit(table.size());
    for (std::size_t k = 0; k < table.size(); ++k) bearingLimit.setBoth(k, table[k].maxUnitBearing);
    const BearingIntegral bearing(table, q, tipArea);
    const BearingIntegral limit(table, bearingLimit, tipArea);
    const double zone = 1.5 * outsideDiameter;
    const double zoneLength = std::max(3.0 * outsideDiameter, 1.0e-10);

    const bool openEnded =
        pile.insideDiameter >= 1.0e-10 && pile.enhancedEndInsideDiameter >= 1.0e-10;
    for (std::size_t j = 0; j < points; ++j) {
      const double d = out.penetration[j];
      double plugged = (bearing.at(d + zone) - bearing.at(d - zone)) / zoneLength;
      const double pluggedLimit = (limit.at(d + zone) - limit.at(d - zone)) / zoneLength;
      if (plugged - pluggedLimit > 1.0e-6) plugged = pluggedLimit;

      double tip = plugged;
      TipMarker marker = TipMarker::Plugged;
      if (openEnded) {
        const double plugAbove = d - pile.enhancedEndLength;
        const double unplugged = annulusBearing.interpolate(table, d) * annulusArea +
                                 plug.interpolate(table, d) -
                                 (plugAbove <= 1.0e-6 ? 0.0 : plug.interpolate(table, plugAbove));
        if (unplugged - plugged <= 1.0e-6) {
          tip = unplugged;
          marker = TipMarker::Unplugged;
          if (input.plugCondition == 1) {
            tip = plugged;
            marker = TipMarker::Plugged;
          }
        }
      }
      out.tipValue[j] = tip;
      out.marker[j] = marker;
    }
  }

  for (std::size_t j = 0; j < points; ++j) {
    if (out.tension) {
      out.tipValue[j] = pileSelfWeight(input, out.penetration[j]);
      out.marker[j] = TipMarker::None;
    }
    out.total[j] = out.skinFriction[j] + out.tipValue[j];
  }
  out.computed = true;
  return out;
}

}  // namespace vorne
