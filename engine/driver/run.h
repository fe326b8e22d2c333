// One analysis run: names file, input, checks, passes and output files.
//
// A run keeps all of its state in local objects, so runs are independent of each other and
// several may go on at once in one process, each with its own files and streams. No function here
// throws: every failure ends the run with status 1 (kVorneStatusStopped) and a one-line message,
// in the report when it is open and always on the console.
#ifndef VORNE_ENGINE_DRIVER_RUN_H
#define VORNE_ENGINE_DRIVER_RUN_H

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "driver/names_file.h"
#include "io/report_writer.h"

namespace vorne {

struct RunOptions {
  // Clock shown in the date-and-time block; the local time of the run when empty (tests fix it).
  std::optional<RunTime> time;
};

// Largest data or CPT file read; a real project file is a few kilobytes.
inline constexpr std::size_t kMaxInputFileBytes = 16u << 20;

// Runs one analysis on explicit files. version is printed in the banner (12 characters). console
// receives the banner, the warnings and the messages; consoleInput is handed to the passes. The
// report and the plot data file are created (emptied) at the start, the data file is read whole,
// the CPT file is read when paths.cptFile names an existing file. Returns 0 when the run went to
// its end, 1 when an input check or a file stopped it.
int32_t runAnalysis(const RunPaths& paths,
                    std::string_view version,
                    std::ostream& console,
                    std::istream& consoleInput,
                    const RunOptions& options = {}) noexcept;

// Reads the names file at namesPath and runs the analysis it names. When one of its path lines
// 5 to 8 is missing, the data, report and plot paths are asked for on console and read from
// consoleInput (no CPT data then). A missing names file, one shorter than four lines, or a closed
// or empty console answer ends with status 1.
int32_t runFromNamesFile(const std::string& namesPath,
                         std::ostream& console,
                         std::istream& consoleInput,
                         const RunOptions& options = {}) noexcept;

// The exported entry's run: "names.dat" in the current folder, std::cout and std::cin as console.
int32_t runFromNamesFile() noexcept;

}  // namespace vorne

#endif  // VORNE_ENGINE_DRIVER_RUN_H
