// One analysis run: names file, input, checks, passes and output files.
#ifndef VORNE_ENGINE_DRIVER_RUN_H
#define VORNE_ENGINE_DRIVER_RUN_H

#include <cstdint>

namespace vorne {

// Reads "names.dat" in the current folder and runs the analysis it names, with the console on
// standard output and standard input. Returns 0 finished, 1 stopped. Never throws.
int32_t runFromNamesFile();

}  // namespace vorne

#endif  // VORNE_ENGINE_DRIVER_RUN_H
