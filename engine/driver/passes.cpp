// The computation passes; see passes.h. The methods are wired in here pass by pass.
#include "driver/passes.h"

#include "vorne/ivorne.h"

namespace vorne {

int32_t runPasses(RunContext& context) {
  (void)context;
  return kVorneStatusFinished;
}

}  // namespace vorne
