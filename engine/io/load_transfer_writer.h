// The load-transfer part of the output report and the plot data file: the t-z curves of the
// stations below the ground surface, the tip load-movement curve, the load distribution (plot data
// file only), the load-settlement curve, and the verification curves at the listed depths.
//
// Report values: t-z depths below the ground surface [ft | m], unit transfer [psi | kPa],
// movements [in | m], loads [kip | kN]. Every writer ends its lines with "\n" and writes the empty
// lines its layout opens with.
#ifndef VORNE_ENGINE_IO_LOAD_TRANSFER_WRITER_H
#define VORNE_ENGINE_IO_LOAD_TRANSFER_WRITER_H

#include <ostream>
#include <vector>

#include "settlement/load_transfer.h"
#include "settlement/settlement_solver.h"

namespace vorne {

// The line the report gets, once, when a segment iteration stopped at its repetition limit.
inline constexpr const char* kNotConvergedWarning =
    "WARNING - LOAD-SETTLEMENT ITERATION DID NOT CONVERGE.";

// Report: the "COMPUTE LOAD-DISTRIBUTION AND LOAD-SETTLEMENT" box, the t-z curves of the soil
// stations numbered from 1, the tip curve, the load-settlement table and, when the solution did
// not converge, the warning line.
void writeLoadSettlementReport(std::ostream& report,
                               const LoadTransferCurves& curves,
                               const SettlementSolution& solution,
                               const CurveSettings& settings);

// Plot data file: the t-z count and curves of the soil stations, the load distribution (depth in
// ft and load in kip in English runs) and the load-settlement rows.
void writeLoadSettlementPlot(std::ostream& plot,
                             const LoadTransferCurves& curves,
                             const SettlementSolution& solution,
                             const CurveSettings& settings);

// Report: the verification box, then per listed depth its curve, numbered by its place in the
// list, or the "CURVE NOT PRINTED" line. Writes nothing for an empty list.
void writeVerificationReport(std::ostream& report,
                             const std::vector<VerificationCurve>& curves,
                             const CurveSettings& settings);

// Plot data file: the number of curves in the soil range, then those curves. Writes nothing for an
// empty list.
void writeVerificationPlot(std::ostream& plot, const std::vector<VerificationCurve>& curves);

}  // namespace vorne

#endif  // VORNE_ENGINE_IO_LOAD_TRANSFER_WRITER_H
