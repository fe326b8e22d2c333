// What the four cone-based offshore methods (NGI, ICP/MTD, Fugro, UWA) share: the result they hand
// to the run driver, the pile geometry they read, and the assembly of their unit friction and end
// bearing into a CapacityProfile by the common skin-friction integration and tip pass.
#ifndef VORNE_ENGINE_METHODS_CONE_METHOD_H
#define VORNE_ENGINE_METHODS_CONE_METHOD_H

#include <string>
#include <vector>

#include "io/analysis_input.h"
#include "methods/capacity_profile.h"
#include "methods/effective_stress.h"
#include "methods/soil_profile.h"
#include "methods/unit_constants.h"

namespace vorne {

// One cone method's results for an analysis pass.
struct ConeMethodResult {
  CapacityProfile capacity;
  // Report lines the computation leaves, in order; the driver writes them before the method's
  // capacity table.
  std::vector<std::string> messages;
};

// The report line of a clay increment without a plasticity index (ICP/MTD clay rule).
inline constexpr const char* kNoPlasticityIndexMessage =
    " ERROR - NO DATA FOUND FOR PLASTIC INDEX.";

// Dilation radius of the pile-soil interface, 0.02 mm [in | mm]. (Jardine et al., 2005)
inline double dilationRadius(bool english) { return kDilationRadius.of(english); }

// Distance h from the pile tip to a depth [in | mm]: (embedded length - depth) times 12 or 1000,
// at least 1e-5.
double distanceFromTip(const AnalysisInput& input, double depth);

// True when the pile is taken as open-ended by a rule that compares the enhanced end inside
// diameter [in | mm] with threshold.
inline bool isOpenEnded(const AnalysisInput& input, double threshold) {
  return input.pile.enhancedEndInsideDiameter > threshold;
}

// q limited to the increment's maximum unit end bearing when the user set one (not the 9999999
// sentinel, and greater than 0.001) [ksf | kPa].
double limitToMaxUnitBearing(double unitEndBearing, const IncrementProperties& row);

// Writes the unit friction of increment k at its top and bottom [ksf | kPa] and the same pair as
// its plug-friction record, as the cone methods do in sand and the ICP/MTD clay rule in clay.
void setFrictionPair(MethodUnitFriction& friction, std::size_t k, double top, double bottom);

// Tan of the sand interface friction angle phi - 5 deg, the angle floored at 0.
double interfaceFrictionTan(double frictionAngle);

// Integrates friction on the penetration grid with each increment's maximum unit friction as the
// limit (integrateSkinFriction), then runs the tip pass for index with endBearing, the method's
// plug-friction record and, on an open-ended pile, the cone resistance qc (one value per
// increment [ksf | kPa]) as the bearing on the annulus.
CapacityProfile assembleConeCapacity(CapacityIndex index,
                                     const AnalysisInput& input,
                                     const IncrementTable& table,
                                     const StressProfile& stress,
                                     const MethodUnitFriction& friction,
                                     const PointArray& endBearing,
                                     const std::vector<double>& coneResistance);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_CONE_METHOD_H
