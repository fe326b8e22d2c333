// FHWA method: clay adhesion from three chart families chosen by the stratum above the clay, sand
// friction from Nordlund's lateral stress, friction-angle ratio and correction charts against the
// displaced volume and taper, and sand end bearing from Thurman's N'q and alpha-t charts with the
// limiting tip resistance. (Nordlund, 1963, 1979; FHWA-DP-66-1, Hannigan et al., 1998, ch. 9.)
// Every chart is read in English units; SI strengths are divided by 47.880259 first.
#ifndef VORNE_ENGINE_METHODS_CAPACITY_FHWA_H
#define VORNE_ENGINE_METHODS_CAPACITY_FHWA_H

#include <vector>

#include "io/analysis_input.h"
#include "methods/capacity_profile.h"
#include "methods/effective_stress.h"
#include "methods/soil_profile.h"
#include "methods/unit_constants.h"

namespace vorne {

// kPa per ksf in the chart conversions of this method.
inline constexpr double kFhwaKpaPerKsf = kKpaPerKsf;

// Clay adhesion chart: 1 sand above the clay, 2 soft clay above (su < 0.8 ksf), 3 stiff clay
// above (su >= 0.8 ksf), also used for clay met before any chart was chosen (clay at the surface).
enum class FhwaClayChart : int { SandAbove = 1, SoftClayAbove = 2, StiffClayAbove = 3 };

// Adhesion factor alpha from the chart at su [ksf] and the penetration ratio R (pile length in
// diameters), interpolated linearly in R between the chart's curves.
double fhwaAdhesion(FhwaClayChart chart, double suKsf, double penetrationRatio);

// Friction angle ratio delta/phi at displaced volume V [ft3/ft] for PileType 1..7 (any other
// type reads the steel pipe row).
double fhwaFrictionAngleRatio(double displacedVolume, int pileType);

// Correction factor CF on K-delta at delta/phi and phi [deg].
double fhwaCorrectionFactor(double frictionAngleRatio, double frictionAngle);

// Lateral stress coefficient K-delta at phi [deg], taper angle omega [deg] and displaced volume V
// [ft3/ft]: each phi chart read at omega and interpolated in V, then the charts interpolated in
// phi (phi < 25 reads the 25 chart, phi >= 40 the 40 chart).
double fhwaLateralStressCoefficient(double frictionAngle,
                                    double taperAngle,
                                    double displacedVolume);

// Bearing factor N'q, depth factor alpha-t (against the length ratio) and the chart value of the
// limiting unit tip resistance (times 2 for ksf) at phi [deg].
double fhwaBearingFactor(double frictionAngle);
double fhwaDepthFactor(double frictionAngle, double lengthRatio);
double fhwaLimitChartValue(double frictionAngle);

// Pile length in diameters: embedded L [ft | m] over OD [in | mm] in the same unit.
double fhwaPenetrationRatio(const AnalysisInput& input);

// Clay chart of every increment, chosen once: the first clay increment below the first one takes
// its chart from the increment directly above (sand: 1; clay: 2 or 3 by that increment's su), and
// that chart holds for every later clay increment; a clay increment met before that takes chart 3.
// Entries of sand increments are the chart in force (unused).
std::vector<FhwaClayChart> fhwaClayCharts(const IncrementTable& table, const AnalysisInput& input);

// Displaced volume V [ft3/ft] of the pile section for a sand increment whose plug state (from the
// tip pass of index 1) is plugState: the annulus, or the noncircular tip area when given; the full
// section when plugged; the annulus when unplugged; the full section for a closed enhanced end;
// the noncircular tip area for an H-pile that has one. SI areas [m2] are divided by 0.09290304.
double fhwaDisplacedVolume(const AnalysisInput& input, TipMarker plugState);

// Plug state of every grid point for the sand rule: the choice the tip pass makes for index 1 under
// compression (its self-weight column under tension carries no choice), with FHWA's end bearing
// and an empty plug-friction record, as the method's own record does not exist yet when the state
// is needed. An open pipe therefore counts as unplugged unless the plug condition says plugged or
// its annulus alone bears more than the plugged section.
std::vector<TipMarker> fhwaPlugState(const IncrementTable& table,
                                     const StressProfile& stress,
                                     const AnalysisInput& input);

// Unit skin friction at the increment ends and the plug-friction record:
//   clay: f = alpha * su at both ends; plug record alpha * remolded su at the top, f at the bottom;
//   sand: f = K-delta * CF * sigma'v * sin(delta + omega) / cos(omega) at each end (uncapped
//         stress), delta = (delta/phi) * phi; the plug record holds the same values.
// plugState holds one marker per grid point; increment k reads grid point k (the last past the
// tip); an empty vector leaves V at the annulus rule.
MethodUnitFriction computeFhwaUnitFriction(const IncrementTable& table,
                                           const StressProfile& stress,
                                           const AnalysisInput& input,
                                           const std::vector<TipMarker>& plugState);

// Skin friction on the penetration grid as for API, limited by each increment's maximum unit
// friction as given, with the perimeter pi * (OD - 2 d tan omega) of a tapered pile at grid depth
// d.
SkinFrictionProfile computeFhwaSkinFriction(const IncrementTable& table,
                                            const MethodUnitFriction& friction,
                                            const AnalysisInput& input);

// Unit end bearing at the increment ends [ksf | kPa]: 9 su in clay; in sand
// alpha-t * N'q * sigma'v, at most qL (chart value times 2 ksf, or 2 * 47.880259 kPa) and at most
// the user's maximum unit bearing.
PointArray fhwaUnitEndBearing(const IncrementTable& table,
                              const StressProfile& stress,
                              const AnalysisInput& input);

// The method for the first analysis pass: plug state, unit friction, skin friction, end bearing
// and the tip pass for CapacityIndex 1.
CapacityProfile computeFhwaCapacity(const IncrementTable& table,
                                    const StressProfile& stress,
                                    const AnalysisInput& input);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_CAPACITY_FHWA_H
