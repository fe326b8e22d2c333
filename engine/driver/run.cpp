// Placeholder run until the reader and the driver land.
#include "driver/run.h"

namespace vorne {

int32_t runFromNamesFile() { return 1; }

}  // namespace vorne
