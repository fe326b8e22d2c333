// Public interface of the engine library: one C entry point that runs one analysis.
#ifndef VORNE_IVORNE_H
#define VORNE_IVORNE_H

#include <stdint.h>

#if defined(_WIN32)
#if defined(VORNE_BUILDING_ENGINE)
#define VORNE_API __declspec(dllexport)
#else
#define VORNE_API __declspec(dllimport)
#endif
#else
#define VORNE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Run statuses returned by the entry point.
enum { kVorneStatusFinished = 0, kVorneStatusStopped = 1 };

// The command that runs one analysis; any other command returns kVorneStatusStopped at once.
enum { kVorneCommandRun = 5 };

// Runs one analysis from "names.dat" in the current folder when command is 5. Returns 0 when the
// run went to its end, 1 when an input check stopped it or the command was not 5.
VORNE_API int32_t IVORNE(int32_t command);

// The same entry under its second exported name.
VORNE_API int32_t _IVORNE(int32_t command);

#ifdef __cplusplus
}
#endif

#endif  // VORNE_IVORNE_H
