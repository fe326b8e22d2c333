// The run sequence; see run.h. The steps below follow the order in which the report is written:
// banner and file blocks, input, soil-depth checks, input echo, segment check, passes.
#include "driver/run.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "driver/passes.h"
#include "driver/segments.h"
#include "io/data_file_reader.h"
#include "io/input_check.h"
#include "io/input_echo.h"
#include "io/text_buffer.h"
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

// An output file of the run. It is created (emptied) when opened; its text collects in memory and
// goes to the file with one write when it is closed.
class OutputFile {
 public:
  OutputFile() : m_stream(&m_buffer) {}
  ~OutputFile() { close(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void open(const std::string& path, std::size_t expectedBytes) {
    m_file = std::fopen(path.c_str(), "w");
    // Unbuffered, so that the whole text goes to the file in one write.
    if (m_file != nullptr) std::setvbuf(m_file, nullptr, _IONBF, 0);
    m_buffer.text.reserve(expectedBytes);
  }
  bool is_open() const { return m_file != nullptr; }
  std::ostream& stream() { return m_stream; }

  // Writes the text and closes the file; false when the file did not take all of it.
  bool close() {
    if (m_file == nullptr) return true;
    const std::string& text = m_buffer.text;
    bool written = std::fwrite(text.data(), 1, text.size(), m_file) == text.size();
    written = std::fclose(m_file) == 0 && written;
    m_file = nullptr;
    return written;
  }

 private:
  TextBuffer m_buffer;
  std::ostream m_stream;
  std::FILE* m_file = nullptr;
};

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
    if (m_report.is_open()) writeRunError(m_report.stream(), message);
    writeRunError(m_console, message);
    m_console.flush();
    return kVorneStatusStopped;
  }

  // Closes both output files; a report that could not be written completely stops the run.
  int32_t finish(int32_t status) {
    if (m_plot.is_open()) {
      if (!m_plot.close() && status == kVorneStatusFinished) {
        status = stop(m_paths.plotFile + ": the plot data file could not be written completely");
      }
    }
    if (m_report.is_open()) {
      if (!m_report.close()) {
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
  OutputFile m_report;
  OutputFile m_plot;
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

  // A heavy project writes about half a megabyte to each file.
  m_report.open(m_paths.reportFile, 512u << 10);
  // The plot data file is emptied at the start of every run, so that a stopped run never leaves
  // an earlier run's curves behind for the graphs to load.
  m_plot.open(m_paths.plotFile, 640u << 10);
  if (!m_report.is_open()) {
    return stop(m_paths.reportFile + ": the report cannot be opened for writing");
  }

  std::ostream& report = m_report.stream();
  writeBanner(report, m_version);
  writeFileNames(report, m_paths.dataFile, m_paths.reportFile, m_paths.plotFile);
  writeDateAndTime(report, m_options.time ? *m_options.time : localTimeNow());

  if (!m_plot.is_open()) {
    return stop(m_paths.plotFile + ": the plot data file cannot be opened for writing");
  }

  AnalysisInput input;
  if (readInput(input) != kVorneStatusFinished) return kVorneStatusStopped;
  if (const std::string problem = printableInputProblem(input); !problem.empty()) {
    return stop(m_paths.dataFile + ": " + problem);
  }
  const UnitLabels labels = UnitLabels::forUnits(input.units);

  // Both checks are strict: a profile that ends exactly at the required depth runs.
  const double requiredSoilDepth = input.requiredSoilDepth();
  // A profile that ends on the required depth runs: the depths compare as decimal depths.
  constexpr double kDepthTie = 1.0e-6;
  if (input.soilPoints.back().depth < requiredSoilDepth - kDepthTie) {
    writeNoSoilWarning(m_console, requiredSoilDepth, labels);
  }
  if (input.deepestSoilDepth < requiredSoilDepth - kDepthTie) {
    writeShallowProfileStop(report, input.deepestSoilDepth, requiredSoilDepth, labels);
    return kVorneStatusStopped;
  }

  writeProceeding(m_console);
  writeInputHeading(report, input);
  writeInputEcho(report, input, labels);
  writeResultHeading(report);

  const long long segments = segmentCount(input.deepestSoilDepth, input.pile.lengthIncrement);
  std::vector<double> depthsAsRead;
  depthsAsRead.reserve(input.soilPoints.size());
  for (const SoilPoint& point : input.soilPoints) depthsAsRead.push_back(point.depth);
  snapSoilPointDepths(input.soilPoints, input.pile.lengthIncrement);
  if (segments > kMaxSegments) {
    writeSegmentCountStop(m_console, segments);
    writeSegmentCountStop(report, segments);
    return kVorneStatusStopped;
  }
  if (segments < 1) {
    return stop(m_paths.dataFile + ": the increment of pile length " +
                plainNumber(input.pile.lengthIncrement) +
                " is longer than the soil profile; no segment can be computed");
  }

  RunContext context{input,     depthsAsRead,   report, m_plot.stream(),
                     m_console, m_consoleInput, labels, static_cast<int>(segments)};
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
