// The last stage of a run: the load-transfer curves of the chosen method, the load-settlement
// solution, and the verification curves at the listed depths, written to the report and the plot
// data file.
#ifndef VORNE_ENGINE_DRIVER_LOAD_TRANSFER_STAGE_H
#define VORNE_ENGINE_DRIVER_LOAD_TRANSFER_STAGE_H

#include <cstdint>
#include <ostream>

#include "io/analysis_input.h"
#include "methods/capacity_profile.h"

namespace vorne {

// Builds the curves from selected (the CapacityProfile of input.loadTransferMethod, exactly as its
// table was printed; an empty profile for a method that did not run gives zero curves), solves
// the load-settlement curve and writes both files; with the extra t-z flag set and at least one
// listed depth, also the verification curves. Returns kVorneStatusFinished, or
// kVorneStatusStopped after a report and console line, with nothing of the stage written, when
// the pile has no usable diameter or axial stiffness (stiffnessInputProblem; the passes check it
// before any computation as well) or a result is not a finite number.
int32_t runLoadTransferStage(const AnalysisInput& input,
                             const CapacityProfile& selected,
                             std::ostream& report,
                             std::ostream& plot,
                             std::ostream& console);

}  // namespace vorne

#endif  // VORNE_ENGINE_DRIVER_LOAD_TRANSFER_STAGE_H
