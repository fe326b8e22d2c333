// Cone tip resistance of the increments, as the cone-based offshore methods (NGI, ICP/MTD, Fugro,
// UWA) read it, with the rules for an increment that carries no value of its own.
#ifndef VORNE_ENGINE_METHODS_CONE_RESISTANCE_H
#define VORNE_ENGINE_METHODS_CONE_RESISTANCE_H

#include <vector>

#include "io/analysis_input.h"
#include "methods/soil_profile.h"
#include "methods/unit_constants.h"

namespace vorne {

// Atmospheric pressure pa [ksf | kPa].
inline double atmosphericPressure(bool english) { return kAtmosphericPressure.of(english); }

// The CPT table read at depth [ft | m] in the run's units, linearly between the two points that
// bracket it; above the first point the first value, below the last point the last value. The
// table is taken in its own units (cptUnits 1: ft and ksf, 2: m and kPa) and converted when they
// differ from the run's; points are expected in increasing depth (two at one depth give the lower
// one's value). Requires a non-empty table.
double interpolateCptTable(const CptData& cpt, double depth, bool english);

// Cone resistance qc of one increment [ksf | kPa]:
//   the increment's own qc when it is at least 1e-5 (English values are lb/ft2, divided by 1000);
//   else, with a CPT table, the table at the increment's top depth (interpolateCptTable);
//   else in clay 15 su, the inverse of the su = qc / 15 that fills a missing strength (the blow
//   count column of a clay layer holds its yield stress ratio, not a blow count);
//   else in sand 2.8 pa N.
// A negative result (a negative CPT value or blow count) counts as 0: no resistance.
double incrementConeResistance(const IncrementProperties& row, const AnalysisInput& input);

// incrementConeResistance of every increment of table, increment k at index k.
std::vector<double> coneResistanceProfile(const IncrementTable& table, const AnalysisInput& input);

}  // namespace vorne

#endif  // VORNE_ENGINE_METHODS_CONE_RESISTANCE_H
