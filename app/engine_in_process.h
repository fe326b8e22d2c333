// The engine core called in this process, for callers that run many analyses at once on threads
// (the Python module). The engine keeps every run's state in local objects, so runs on different
// files may go on side by side; this call changes no process state: the names file goes into a
// private temporary folder of its own, the engine is handed that path, its console is a buffer
// and its console input is empty. The numbers it reads and writes do not depend on the locale.
#ifndef VORNE_APP_ENGINE_IN_PROCESS_H
#define VORNE_APP_ENGINE_IN_PROCESS_H

#include "app/engine_run.h"

namespace vorne {

// One run of the engine core on these files, as runEngine runs the library: the same names file,
// the same outcomes and messages. The names file's private folder goes under tempRoot (empty: the
// system's temporary folder). Thread-safe; never throws.
EngineRunResult runEngineInProcess(const EngineRunFiles& files, const QString& tempRoot = {});

}  // namespace vorne

#endif  // VORNE_APP_ENGINE_IN_PROCESS_H
