// The run sequence; see run.h. The steps below follow the order in which the report is written:
// banner and file blocks, input, soil-depth checks, input echo, segment check, passes.
#include "driver/run.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "driver/passes.h"
#include "driver/segments.h"
#include "io/data_file_reader.h"
#include "io/input_echo.h"
#include "vorne/ivorne.h"

namespace vorne {
namespace {

namespace fs = std::filesystem;

// Reads a whole text file. Returns false with a message naming the file when it cannot be read.
bool loadTextFile(const std::string& path,
                  std::string_view role,
                  std::string& text,
                  std::string& message) {
  std::error_code error;
  if (fs::is_directory(path, error)) {
    message = path + ": the " + std::string(role) + " is a folder, not a file";
    return false;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) {
    message = path + ": the " + std::string(role) + " cannot be opened for reading";
    return false;
  }
  text.clear();
  char buffer[65536];
  while (file) {
    file.read(buffer, sizeof buffer);
    text.append(buffer, static_cast<std::size_t>(file.gcount()));
    if (text.size() > kMaxInputFileBytes) {
      message = path + ": the " + std::string(role) + " is larger than " +
                std::to_string(kMaxInputFileBytes >> 20) + " MiB";
      return false;
    }
  }
  if (file.bad()) {
    message = path + ": the " + std::string(role) + " cannot be read";
    return false;
  }
  return true;
}

// A number for a message, with "." whatever the locale.
std::string plainNumber(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

bool sameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

// One run's open files and console. Ends the run through stop(), which writes the reason where
// the user will look for it.
class AnalysisRun {
 public:
  AnalysisRun(const RunPaths& paths,
              std::string_view version,
              std::ostream& console,
              std::istream& consoleInput,
              const RunOptions& options)
      : m_paths(paths),
        m_version(version),
        m_console(console),
        m_consoleInput(consoleInput),
        m_options(options) {}

  int32_t execute();

  // Writes message to the report (when open) and to the console; returns status 1.
  int32_t stop(std::string_view message) {
    if (m_report.is_open()) {
      writeRunError(m_report, message);
      m_report.flush();
    }
    writeRunError(m_console, message);
    m_console.flush();
    return kVorneStatusStopped;
  }

  // Closes both output files; a report that could not be written completely stops the run.
  int32_t finish(int32_t status) {
    if (m_plot.is_open()) {
      m_plot.close();
      if (m_plot.fail() && status == kVorneStatusFinished) {
        status = stop(m_paths.plotFile + ": the plot data file could not be written completely");
      }
    }
    if (m_report.is_open()) {
      m_report.close();
      if (m_report.fail()) {
        writeRunError(m_console,
                      m_paths.reportFile + ": the report could not be written completely");
        status = kVorneStatusStopped;
      }
    }
    m_console.flush();
    return status;
  }

 private:
  int32_t readInput(AnalysisInput& input);

  const RunPaths& m_paths;
  std::string_view m_version;
  std::ostream& m_console;
  std::istream& m_consoleInput;
  const RunOptions& m_options;
  std::ofstream m_report;
  std::ofstream m_plot;
};

int32_t AnalysisRun::execute() {
  writeBanner(m_console, m_version);

  if (m_paths.dataFile.empty()) return stop("no data file is named");
  if (m_paths.reportFile.empty()) return stop("no report file is named");
  if (m_paths.plotFile.empty()) return stop("no plot data file is named");
  // Creating an output over the input would destroy the project before it is read.
  if (sameFile(m_paths.dataFile, m_paths.reportFile) ||
      sameFile(m_paths.dataFile, m_paths.plotFile)) {
    return stop(m_paths.dataFile + ": the data file is also named as an output file");
  }

  m_report.open(m_paths.reportFile, std::ios::out | std::ios::trunc);
  // The plot data file is emptied at the start of every run, so that a stopped run never leaves
  // an earlier run's curves behind for the graphs to load.
  m_plot.open(m_paths.plotFile, std::ios::out | std::ios::trunc);
  if (!m_report.is_open()) {
    return stop(m_paths.reportFile + ": the report cannot be opened for writing");
  }

  writeBanner(m_report, m_version);
  writeFileNames(m_report, m_paths.dataFile, m_paths.reportFile, m_paths.plotFile);
  writeDateAndTime(m_report, m_options.time ? *m_options.time : localTimeNow());

  if (!m_plot.is_open()) {
    return stop(m_paths.plotFile + ": the plot data file cannot be opened for writing");
  }

  AnalysisInput input;
  if (readInput(input) != kVorneStatusFinished) return kVorneStatusStopped;
  const UnitLabels labels = UnitLabels::forUnits(input.units);

  // Both checks are strict: a profile that ends exactly at the required depth runs.
  const double requiredSoilDepth = input.requiredSoilDepth();
  // A profile that ends on the required depth runs: the depths compare as decimal depths.
  constexpr double kDepthTie = 1.0e-6;
  if (input.soilPoints.back().depth < requiredSoilDepth - kDepthTie) {
    writeNoSoilWarning(m_console, requiredSoilDepth, labels);
  }
  if (input.deepestSoilDepth < requiredSoilDepth - kDepthTie) {
    writeShallowProfileStop(m_report, input.deepestSoilDepth, requiredSoilDepth, labels);
    return kVorneStatusStopped;
  }

  writeProceeding(m_console);
  writeInputHeading(m_report, input);
  writeInputEcho(m_report, input, labels);
  writeResultHeading(m_report);

  const long long segments = segmentCount(input.deepestSoilDepth, input.pile.lengthIncrement);
  std::vector<double> depthsAsRead;
  depthsAsRead.reserve(input.soilPoints.size());
  for (const SoilPoint& point : input.soilPoints) depthsAsRead.push_back(point.depth);
  snapSoilPointDepths(input.soilPoints, input.pile.lengthIncrement);
  if (segments > kMaxSegments) {
    writeSegmentCountStop(m_console, segments);
    writeSegmentCountStop(m_report, segments);
    return kVorneStatusStopped;
  }
  if (segments < 1) {
    return stop(m_paths.dataFile + ": the increment of pile length " +
                plainNumber(input.pile.lengthIncrement) +
                " is longer than the soil profile; no segment can be computed");
  }

  RunContext context{input,     depthsAsRead,   m_report, m_plot,
                     m_console, m_consoleInput, labels,   static_cast<int>(segments)};
  return runPasses(context);
}

int32_t AnalysisRun::readInput(AnalysisInput& input) {
  std::string text;
  std::string message;
  if (!loadTextFile(m_paths.dataFile, "data file", text, message)) return stop(message);
  const ReadResult data = readDataFile(text, m_paths.dataFile, input);
  if (!data.ok) return stop(data.message);

  // The CPT data are optional: no path, or a path to no file, means none.
  std::error_code error;
  if (!m_paths.cptFile.empty() && fs::exists(m_paths.cptFile, error)) {
    if (!loadTextFile(m_paths.cptFile, "CPT file", text, message)) return stop(message);
    const ReadResult cpt = readCptFile(text, m_paths.cptFile, input.cpt);
    if (!cpt.ok) return stop(cpt.message);
  }
  return kVorneStatusFinished;
}

// Last resort for a fault inside the run: a message instead of an exception across the entry.
int32_t stopOnInternalError(AnalysisRun* run, std::ostream& console, const char* what) noexcept {
  try {
    const std::string message = std::string("internal error: ") + what;
    if (run != nullptr) return run->finish(run->stop(message));
    writeRunError(console, message);
  } catch (...) {
    // Nothing more can be reported; the status still tells the caller.
  }
  return kVorneStatusStopped;
}

}  // namespace

int32_t runAnalysis(const RunPaths& paths,
                    std::string_view version,
                    std::ostream& console,
                    std::istream& consoleInput,
                    const RunOptions& options) noexcept {
  std::optional<AnalysisRun> run;
  try {
    run.emplace(paths, version, console, consoleInput, options);
    return run->finish(run->execute());
  } catch (const std::exception& e) {
    return stopOnInternalError(run ? &*run : nullptr, console, e.what());
  } catch (...) {
    return stopOnInternalError(run ? &*run : nullptr, console, "unknown exception");
  }
}

int32_t runFromNamesFile(const std::string& namesPath,
                         std::ostream& console,
                         std::istream& consoleInput,
                         const RunOptions& options) noexcept {
  try {
    std::string text;
    std::string message;
    if (!loadTextFile(namesPath, "names file", text, message)) {
      writeRunError(console, message);
      return kVorneStatusStopped;
    }
    const NamesFile names = parseNamesFile(text, namesPath);
    if (!names.ok) {
      writeRunError(console, names.message);
      return kVorneStatusStopped;
    }
    RunPaths paths = names.paths;
    if (!names.pathsComplete && !promptForPaths(console, consoleInput, paths, message)) {
      writeRunError(console, message);
      return kVorneStatusStopped;
    }
    return runAnalysis(paths, names.version, console, consoleInput, options);
  } catch (const std::exception& e) {
    return stopOnInternalError(nullptr, console, e.what());
  } catch (...) {
    return stopOnInternalError(nullptr, console, "unknown exception");
  }
}

int32_t runFromNamesFile() noexcept { return runFromNamesFile("names.dat", std::cout, std::cin); }

}  // namespace vorne
