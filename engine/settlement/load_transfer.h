// Load-transfer curves for the load-settlement solution: where along the pile t-z curves sit
// (stations), their maximum unit transfer from the skin friction of the load-transfer method, the
// normalised t-z shapes in clay and sand, the tip load-movement (Q-w) curve, and the curves at the
// depths the user lists for verification.
//
// Units of the whole settlement stage: English lengths and movements in inches, unit transfer in
// psi, loads in lb; SI lengths and movements in metres, unit transfer in kPa, loads in kN.
// Station depths are measured from the pile top, so the stick-up lies above the ground surface.
#ifndef VORNE_ENGINE_SETTLEMENT_LOAD_TRANSFER_H
#define VORNE_ENGINE_SETTLEMENT_LOAD_TRANSFER_H

#include <array>
#include <cstddef>
#include <vector>

#include "io/analysis_input.h"
#include "methods/capacity_profile.h"

namespace vorne {

// Points of every t-z and Q-w curve, the origin included.
inline constexpr std::size_t kCurvePoints = 10;
// Depths [ft | m] closer than this are the same decimal depth.
inline constexpr double kDepthTolerance = 1.0e-6;
// Conversion of the movements the curves are tabulated in (inches) to metres.
inline constexpr double kInchesPerMetre = 39.37;

// Unit load transfer t against pile movement z at one station.
struct TzCurve {
  double depth = 0.0;                               // from the pile top [in | m]
  double depthBelowGround = 0.0;                    // y: below the ground surface [ft | m]
  int soilType = 2;                                 // 1 sand, 2 clay
  double frictionAngle = 0.0;                       // phi at the station [deg]
  double maxUnitTransfer = 0.0;                     // tmax [psi | kPa]
  std::array<double, kCurvePoints> movement{};      // z_i, z_0 = 0 [in | m]
  std::array<double, kCurvePoints> unitTransfer{};  // t_i, t_0 = 0 [psi | kPa]

  // t at movement z: linear between the points that bracket z, the last t beyond the last point,
  // 0 at and below z = 0.
  double transferAt(double movement) const;
};

// Tip load Q against tip movement w.
struct QwCurve {
  double capacity = 0.0;                        // Qmax [lb | kN]
  std::array<double, kCurvePoints> movement{};  // w_i, w_0 = 0 [in | m]
  std::array<double, kCurvePoints> load{};      // Q_i, Q_0 = 0 [lb | kN]

  // Q at movement w: linear between the points that bracket w; beyond the last point the last
  // load holds; 0 at and below w = 0.
  double loadAt(double movement) const;
};

// What the curves take from the capacity method chosen for load transfer: its cumulative skin
// friction on the penetration grid and its tip value at the pile tip, as the report printed them.
struct LoadTransferSource {
  std::vector<double> penetration;   // grid depths d_j below the ground surface, d_0 = 0 [ft | m]
  std::vector<double> skinFriction;  // cumulative Q_j [kip | kN]
  double tipCapacity = 0.0;          // tip value at the deepest grid point [kip | kN]
};

// The source of a method's results; an empty profile (a method that did not run) gives a grid
// without points, hence zero transfer and a zero tip curve.
LoadTransferSource loadTransferSourceOf(const CapacityProfile& profile);

// The pile and unit data the curves need, in the units of the settlement stage.
struct CurveSettings {
  bool english = true;
  bool usaceShapes = false;    // LoadTransferMethod 2 (USACE) changes the curve shapes
  double diameter = 0.0;       // OD [in | m]
  double stickupLength = 0.0;  // PSL [in | m]; the ground surface lies this far below the top
  double lengthUnit = 12.0;    // curve length units per depth unit: 12 in/ft, or 1 m/m

  static CurveSettings of(const AnalysisInput& input);
};

// Stations along the pile, tmax not yet set:
//   with a stick-up (PSL > 1e-6): three clay stations with phi 0 at 0, PSL/2 and PSL - 0.1 in
//   (0.00254 m), the last kept no higher than the middle one;
//   then three stations per soil profile interval at least 0.11 ft (0.033528 m) thick (1e-6
//   tolerance): top z(k), bottom z(k+1) - 0.5 in (0.0127 m), middle (top + bottom + 1.1 in) / 2
//   (+ 0.02794 m), each shifted down by PSL; sand only when both ends are sand;
//   phi of the top point, of the bottom point and their mean. A soil station's depthBelowGround
//   is its depth as computed before the shift (in feet in English), not rebuilt from depth - PSL.
// The soil point depths are those snapped to the increment.
std::vector<TzCurve> buildStations(const AnalysisInput& input, const CurveSettings& settings);

// Number of stick-up stations at the head of a buildStations list (0 or 3).
std::size_t stickupStationCount(const CurveSettings& settings);

// Maximum unit transfer tmax [psi | kPa] at depth y below the ground surface [ft | m], from the
// slope of the cumulative skin friction: at the first grid point d_g deeper than y by more than
// kDepthTolerance, so that a y on a grid depth takes the next point whatever the binary rounding
// of either (d_g the last point when y is at or beyond it, within the same tolerance), central
// (Q_{g+1} - Q_{g-1}) / 2 dz, or forward (Q_{g+1} - Q_g) / dz when Q_{g-1} <= 1e-5 kip (4.4482e-5 kN), and (Q_g -
// Q_{g-1}) / dz at the last point; divided by the perimeter pi D. A grid of fewer than two points
// gives 0.
double unitTransferAtDepth(const LoadTransferSource& source,
                           double depthBelowGround,
                           const CurveSettings& settings);

// Fills the points of a station whose depth, soil type, phi and tmax are set.
//   clay, standard: z/D = 0.0016 ... 0.2, t/tmax rising to 1 at z/D 0.01, then 0.9;
//   clay, USACE: z = 0.01 ... 10 in, t/tmax rising to 1 at 0.08 in, then 0.97 and 0.93;
//   sand, standard: z = 0.01 ... 2 in, t/tmax linear to 1 at 0.1 in;
//   sand, USACE: hyperbola t = z / (1/k + z/tmax) in psf and inches on the USACE movements, k
//   from phi (hyperbolicSandStiffness); all zero when tmax <= 1e-9 psf.
// Movements in inches are divided by 39.37 in SI.
void fillTzCurve(TzCurve& curve, const CurveSettings& settings);

// Initial stiffness of the USACE hyperbolic sand curve [psf per inch] for phi [deg]: 6000 up to
// 28; 1333.3 per degree above 28 up to 31; 10000 up to 32; 10000 + 1333.3 per degree above 32 up
// to 34; 14000 up to 35; 14000 + 1333.3 per degree above 35 up to 38; 18000 above. (The table
// steps up at 34 deg, as tabulated.)
double hyperbolicSandStiffness(double frictionAngle);

// Tip curve for Qmax [lb | kN] (the tip value at the pile tip, times 1000 in English):
//   standard: w/D = 0.0005 ... 0.2, Q/Qmax rising to 1 at w/D 0.1;
//   USACE: w = 0.0001 ... 2 in; sand tip (tipSoilType 1): Qmax (w / 0.05 D)^e, e = 0.5 up to
//   phi 31, 0.333 up to 38, 0.25 above, not capped; clay tip: min(Qmax, 0.5 Qmax sqrt(w / 0.01 D)).
QwCurve makeQwCurve(double capacity,
                    int tipSoilType,
                    double tipFrictionAngle,
                    const CurveSettings& settings);

// The curves of one load-settlement run.
struct LoadTransferCurves {
  std::vector<TzCurve> stations;  // stick-up stations first, then the soil stations by interval
  std::size_t stickupStations = 0;
  QwCurve tip;
};

// Stations with their tmax and points, and the tip curve. The tip curve takes its soil from the
// deepest station on the pile (at or above the tip; the first soil station below it when there is
// none).
LoadTransferCurves buildLoadTransferCurves(const AnalysisInput& input,
                                           const LoadTransferSource& source);

// A curve at one listed verification depth.
struct VerificationCurve {
  double depthBelowGround = 0.0;  // as listed [ft | m]
  bool inSoilRange = false;       // 0 <= depth <= deepest soil point; no curve otherwise
  TzCurve curve;
};

// One entry per listed extra t-z depth, in list order. A depth inside the profile takes the soil
// type of the profile interval that holds it (among those at least 0.11 ft thick; sand only when both
// ends are sand), phi interpolated linearly in it, and tmax from unitTransferAtDepth.
std::vector<VerificationCurve> buildVerificationCurves(const AnalysisInput& input,
                                                       const LoadTransferSource& source);

}  // namespace vorne

#endif  // VORNE_ENGINE_SETTLEMENT_LOAD_TRANSFER_H
