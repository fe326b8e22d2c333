// Results of one capacity method on the penetration grid, the integration of unit skin friction
// shared by the methods, and the grid rows printed in the report and the plot data file.
//
// Penetration grid: points j = 0..n at depth j * dz below the ground surface, where
// n = trunc(embedded length / dz + 1e-6). Grid point j (j >= 1) is the bottom of increment j - 1
// and the top of increment j of the IncrementTable; grid point n is the pile tip.
#ifndef VORNE_ENGINE_METHODS_CAPACITY_PROFILE_H
#define VORNE_ENGINE_METHODS_CAPACITY_PROFILE_H

#include <cstddef>
#include <vector>

#include "io/analysis_input.h"
#include "methods/soil_profile.h"

namespace vorne {

// Which resistance the tip value of a grid point is.
enum class TipMarker : int {
  None = 0,       // tension: the tip value is the self weight
  Plugged = 1,    // end bearing on the full (plugged) tip area governs
  Unplugged = 2,  // annulus bearing plus soil-plug friction governs (an asterisk in the report)
};

// Unit skin friction of one method at the increment ends [ksf | kPa], and its plug-friction
// record: the unit friction the tip pass uses for the soil plug inside an open-ended pile.
struct MethodUnitFriction {
  PointArray unitSkinFriction;
  PointArray plugFriction;
};

// Number of grid intervals n = trunc(embedded length / dz + 1e-6) (0 for a bad increment); the
// grid has n + 1 points.
std::size_t penetrationIntervals(const AnalysisInput& input);

// Cumulative skin friction of one method on the penetration grid.
struct SkinFrictionProfile {
  std::vector<double> penetration;       // d_j [ft | m]
  std::vector<double> unitSkinFriction;  // min(f_j, limit_j), as plotted [ksf | kPa]
  std::vector<double> unfactored;        // Q_j [kip | kN]
  std::vector<double> reduced;           // B_j, each step times the LRFD side factor [kip | kN]
  std::vector<double> skinFriction;      // Q_j or B_j, as input.reducedLoadTransfer chooses
};

// Integrates unit skin friction over the pile on the penetration grid:
//   f_j: the value of unitFriction at d_j, read at the bottom of the increment that ends there
//        (the top of increment 0 at the surface); 0 above the zero-friction length (d_j < ZFL -
//        1e-6); times the tension reduction factor under tension loading;
//   limit_j: frictionLimit[k] of the increment k that starts at d_j (the last one at the bottom);
//   each grid step adds dz * P * (f_{j-1} + f_j) / 2 with the perimeter P = pi * OD, or the same
//   with the limits when that is smaller by more than 1e-6;
//   the reduced sum weights each step by the side resistance factor of the increment it spans.
// frictionLimit holds one limit per increment [ksf | kPa]. Requires unitFriction and frictionLimit
// sized for table; an empty table gives a profile of zeros.
// stepPerimeter: for a pile whose perimeter changes with depth (a tapered pile), the perimeter
// [ft | m] of grid step j at index j (j = 1..n); empty keeps pi * OD throughout.
SkinFrictionProfile integrateSkinFriction(const AnalysisInput& input,
                                          const IncrementTable& table,
                                          const PointArray& unitFriction,
                                          const std::vector<double>& frictionLimit,
                                          const std::vector<double>& stepPerimeter = {});

// Everything one method reports on the penetration grid, grid point j at index j.
struct CapacityProfile {
  CapacityIndex index = CapacityIndex::Api;
  bool computed = false;                 // false until the tip pass has filled the profile
  bool tension = false;                  // tipValue holds the self weight
  std::vector<double> penetration;       // [ft | m]
  std::vector<double> skinFriction;      // cumulative, unfactored or reduced [kip | kN]
  std::vector<double> tipValue;          // end bearing, or self weight in tension [kip | kN]
  std::vector<double> total;             // skinFriction + tipValue [kip | kN]
  std::vector<double> unitSkinFriction;  // limited unit friction at the grid point [ksf | kPa]
  std::vector<TipMarker> marker;

  std::size_t pointCount() const { return penetration.size(); }
  // True when every value is a finite number. Extreme input (unit weights or strengths near the
  // largest double) can overflow; such a profile must never reach the report.
  bool isFinite() const;
};

// Grid points printed in the capacity tables and the plot data file: 0, p, 2p, ... up to the tip
// point n, plus the tip when the last of these falls short of it (p = printIncrement, taken as 1
// when below 1). The result is in increasing order and never empty.
std::vector<std::size_t> printedGridPoints(std::size_t intervalCount, int printIncrement);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_CAPACITY_PROFILE_H
