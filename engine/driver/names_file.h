// The names file ("names.dat") that tells a run which files to use, and the console prompts that
// stand in for its path lines when they are missing.
//
// Lines: 1 program version (first 12 characters kept), 2 and 3 identification text, 4 an
// identification number (none of them used), 5 data file, 6 report, 7 plot data file, 8 CPT side
// file (paths: first 255 characters, trailing CR and blanks removed).
#ifndef VORNE_ENGINE_DRIVER_NAMES_FILE_H
#define VORNE_ENGINE_DRIVER_NAMES_FILE_H

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace vorne {

inline constexpr std::size_t kVersionLength = 12;
inline constexpr std::size_t kPathLength = 255;

// The four files of one run. An empty cptFile means there are no CPT data.
struct RunPaths {
  std::string dataFile;    // project data file (".vr6d"), read
  std::string reportFile;  // output report (".vr6o"), written
  std::string plotFile;    // plot data file (".vr6p"), written
  std::string cptFile;     // CPT side file (".cpt"), read when it exists
};

struct NamesFile {
  bool ok = false;  // false: too short to use; message says why
  std::string message;
  std::string version;         // line 1, first 12 characters
  bool pathsComplete = false;  // lines 5 to 8 were all present
  RunPaths paths;              // the path lines present, when pathsComplete
};

// Parses the names file text. Fewer than four lines is a failure; missing path lines leave
// pathsComplete false so that the caller prompts for them. fileName is used in messages.
NamesFile parseNamesFile(std::string_view text, std::string_view fileName);

// Asks on the console for the data, report and plot paths, each after the prompt
// "ENTER A FILE NAME FOR YOUR ... FILE." and a line " ENTER >", and reads each answer as one line
// of in. The CPT path is not asked for and is left empty. Returns false with a message when the
// input is closed or an answer is empty.
bool promptForPaths(std::ostream& out, std::istream& in, RunPaths& paths, std::string& message);

}  // namespace vorne

#endif  // VORNE_ENGINE_DRIVER_NAMES_FILE_H
