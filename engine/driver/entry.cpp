// The exported C entry point: a thin adapter over the run, so that no exception or state crosses
// into the caller. "_IVORNE" is the same function under a second exported name.
#include "vorne/ivorne.h"

#include "driver/run.h"

extern "C" VORNE_API int32_t IVORNE(int32_t command) {
  if (command != kVorneCommandRun) return kVorneStatusStopped;
  return vorne::runFromNamesFile();
}

#if defined(_WIN32)
extern "C" VORNE_API int32_t _IVORNE(int32_t command) { return IVORNE(command); }
#else
extern "C" VORNE_API int32_t _IVORNE(int32_t command) __attribute__((alias("IVORNE")));
#endif
