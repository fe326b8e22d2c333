// Names file and console prompts; see names_file.h.
#include "driver/names_file.h"

#include <array>
#include <vector>

namespace vorne {
namespace {

// Splits text into lines without their line ends (LF or CR LF).
std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::size_t stop = end == std::string_view::npos ? text.size() : end;
    std::string_view line = text.substr(start, stop - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

// A path as it is used: first 255 characters, without trailing blanks or carriage returns.
std::string cleanPath(std::string_view line) {
  line = line.substr(0, kPathLength);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\t')) {
    line.remove_suffix(1);
  }
  return std::string(line);
}

}  // namespace

NamesFile parseNamesFile(std::string_view text, std::string_view fileName) {
  NamesFile names;
  const std::vector<std::string_view> lines = splitLines(text);
  if (lines.size() < 4) {
    names.message = std::string(fileName) + ", line " + std::to_string(lines.size() + 1) +
                    ": the file ends early; it needs at least four lines";
    return names;
  }
  names.ok = true;
  names.version = std::string(lines[0].substr(0, kVersionLength));
  if (lines.size() >= 8) {
    names.pathsComplete = true;
    names.paths.dataFile = cleanPath(lines[4]);
    names.paths.reportFile = cleanPath(lines[5]);
    names.paths.plotFile = cleanPath(lines[6]);
    names.paths.cptFile = cleanPath(lines[7]);
  }
  return names;
}

bool promptForPaths(std::ostream& out, std::istream& in, RunPaths& paths, std::string& message) {
  struct Prompt {
    const char* text;
    std::string* target;
  };
  const std::array<Prompt, 3> prompts = {{
      {"ENTER A FILE NAME FOR YOUR INPUT FILE.", &paths.dataFile},
      {"ENTER A FILE NAME FOR YOUR OUTPUT FILE.", &paths.reportFile},
      {"ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE.", &paths.plotFile},
  }};
  paths.cptFile.clear();
  for (const Prompt& prompt : prompts) {
    out << "\n\n       " << prompt.text << "\n ENTER >" << std::flush;
    std::string answer;
    if (!std::getline(in, answer)) {
      out << "\n";
      message = "no file name was entered: the console input is closed";
      return false;
    }
    *prompt.target = cleanPath(answer);
    if (prompt.target->empty()) {
      message = "no file name was entered";
      return false;
    }
  }
  return true;
}

}  // namespace vorne
