// ICP/MTD method of Imperial College (Jardine et al., 2005): unit skin friction in sand from the
// cone resistance, the distance from the pile tip and a dilation term; in clay from the yield
// stress ratio, the sensitivity and the distance from the tip; end bearing in sand from the pile
// diameter relative to the cone's. The clay friction and clay end-bearing rules here serve the
// Fugro and UWA methods as well. Reads the uncapped effective stress.
#ifndef VORNE_ENGINE_METHODS_CAPACITY_ICP_H
#define VORNE_ENGINE_METHODS_CAPACITY_ICP_H

#include <vector>

#include "io/analysis_input.h"
#include "methods/capacity_profile.h"
#include "methods/cone_method.h"
#include "methods/effective_stress.h"
#include "methods/soil_profile.h"

namespace vorne {

// Strength ratio eta at which the fitted denominator of the sand shear modulus peaks; larger
// ratios are held here, as the denominator turns negative beyond about 1044.
inline constexpr double kIcpShearModulusRatioCap = 514.0;

// Equivalent radius R* = sqrt((OD^2 - IDe^2) / 4) [in | mm], IDe the enhanced end inside diameter
// (R* = OD / 2 for a closed end); 0 when IDe >= OD.
double icpEquivalentRadius(const AnalysisInput& input);

// h / R* at depth [ft | m], h = distanceFromTip, held at 8 or more.
double icpNormalisedDistance(const AnalysisInput& input, double depth);

// Operational shear modulus G = qc / (0.0203 + 0.00125 eta - 1.216e-6 eta^2) with
// eta = qc / sqrt(sigma'v pa) held at most kIcpShearModulusRatioCap [ksf | kPa]. sigma'v is floored
// at 1e-10; qc <= 0 gives 0.
double icpShearModulus(double coneResistance, double effectiveStress, double pa);

// Interface friction angle in clay [deg] from the plasticity index, linear in this table of PI 0
// to 80 by 5: 34 ... 8.5; below 0 it is 34, above 80 it is 8.5.
double icpClayInterfaceAngle(double plasticityIndex);

// Clay unit friction at the two ends of an increment [ksf | kPa]:
//   f = 0.8 Kc sigma'v tan(delta_f) at each end, Kc = (2 - 0.625 dIvy) YSR^0.42 (h/R*)^-0.2,
//   dIvy = log10(su / remolded su) when su > 0, remolded su > 0 and su > remolded su, else 0
//   (no sensitivity where the remolded strength is not known);
// YSR the yield stress ratio (the blow count column of a clay layer; negative counts as 0), h/R* at
// the increment top. missingPlasticityIndex is set when PI < 0 (delta_f is then 34 deg). The
// loading direction does not change the rule.
struct IcpClayFriction {
  double top = 0.0;
  double bottom = 0.0;
  bool missingPlasticityIndex = false;
};
IcpClayFriction icpClayUnitFriction(const IncrementProperties& row,
                                    double topStress,
                                    double bottomStress,
                                    const AnalysisInput& input);

// Clay unit end bearing of the cone methods ICP/MTD, Fugro and UWA [ksf | kPa]:
//   plugCondition 1 (plugged): 0.65 qc drained, 0.4 qc undrained;
//   open-ended (IDe >= 1e-6), plugCondition 2: 1.6 qc drained, qc undrained;
//   open-ended, plugCondition 0: 9 su;
//   closed-ended: 1.3 qc drained, 0.8 qc undrained;
// at most the user's maximum unit bearing. Drained when input.clayDrained is 1.
double coneClayEndBearing(const IncrementProperties& row,
                          double coneResistance,
                          const AnalysisInput& input);

// The clay rule over every clay increment of table, written into friction (unit friction and plug
// record alike); one kNoPlasticityIndexMessage line per clay increment with PI < 0 is appended to
// messages. Sand increments are left untouched.
void addIcpClayFriction(const IncrementTable& table,
                        const StressProfile& stress,
                        const AnalysisInput& input,
                        MethodUnitFriction& friction,
                        std::vector<std::string>& messages);

// Sand unit friction at the increment ends and the plug record (the same values):
//   compression: (sigma'rc + dsigma'rd) tan(phi - 5 deg); tension: (0.8 sigma'rc + dsigma'rd)
//   tan(phi - 5 deg), times 0.9 on an open-ended pile (IDe > 1e-5);
//   sigma'rc = 0.029 qc (sigma'v / pa)^0.13 (h/R*)^-0.38 with each end's stress;
//   dsigma'rd = 2 G dr / (OD / 2), G from the bottom stress, dr = dilationRadius (0 for OD 0);
// then the clay rule (addIcpClayFriction).
MethodUnitFriction computeIcpUnitFriction(const IncrementTable& table,
                                          const StressProfile& stress,
                                          const AnalysisInput& input,
                                          const std::vector<double>& coneResistance,
                                          std::vector<std::string>& messages);

// Sand unit end bearing from the outside diameter D in mm and the cone's 36 mm:
// open-ended (IDe >= 0.0001): qc (0.5 - 0.25 log10(D / 36)), at least 0.15 qc when D > 900 mm,
// and qc itself when the pile is unplugged (plugCondition 2); closed-ended: qc (1 - 0.5
// log10(D / 36)), at least 0.3 qc when D > 900 mm. At most the user's maximum unit bearing.
double icpSandEndBearing(const IncrementProperties& row,
                         double coneResistance,
                         const AnalysisInput& input);

// A cone method's sand end-bearing rule: (increment, qc [ksf | kPa], input) -> q [ksf | kPa].
using SandEndBearingRule = double (*)(const IncrementProperties&, double, const AnalysisInput&);

// Unit end bearing at the increment ends (one value per increment, both ends alike): the clay
// rule shared by the cone methods (coneClayEndBearing) in clay, sandRule in sand.
PointArray coneUnitEndBearing(const IncrementTable& table,
                              const AnalysisInput& input,
                              const std::vector<double>& coneResistance,
                              SandEndBearingRule sandRule);

// The method for one analysis pass, tip pass for CapacityIndex 6 included.
ConeMethodResult computeIcpCapacity(const IncrementTable& table,
                                    const StressProfile& stress,
                                    const AnalysisInput& input);

// Outside diameter in mm, the unit of the cone-diameter ratio of ICP/MTD and Fugro end bearing.
double outsideDiameterMm(const AnalysisInput& input);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_CAPACITY_ICP_H
