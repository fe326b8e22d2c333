// Timings of one analysis of the heaviest valid project: in memory (input text to report and
// plot text), with its files through the engine's run, the engine library alone as a whole
// process, and a whole "vorne run" process; the project model's open and save; the plot data
// loader on the project's plot file. The two process benchmarks report their goals beside the
// figures: wall time per run, the child's processor time (user + system, the steadier figure on
// a shared machine) and, for "vorne run", its peak memory.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/program_data.h"
#include "driver/passes.h"
#include "driver/run.h"
#include "driver/segments.h"
#include "heavy_project.h"
#include "io/data_file_reader.h"
#include "io/input_echo.h"
#include "io/report_writer.h"
#include "io/text_buffer.h"
#include "plot/main_graphs.h"

extern char** environ;

namespace {

using namespace vorne;

// The heavy project written once into a temporary folder, with one run's outputs.
struct HeavyFiles {
  QTemporaryDir folder;
  std::string data, cpt, report, plot;
  HeavyFiles() {
    const std::string base = folder.path().toStdString() + "/heavy";
    data = base + ".vr6d";
    cpt = base + ".cpt";
    report = base + ".vr6o";
    plot = base + ".vr6p";
    std::ofstream(data, std::ios::binary) << bench::heavyDataFile();
    std::ofstream(cpt, std::ios::binary) << bench::heavyCptFile();
    std::ostringstream console;
    std::istringstream none;
    runAnalysis({data, report, plot, cpt}, "2014.6.5", console, none);
  }
};

HeavyFiles& heavy() {
  static HeavyFiles files;
  return files;
}

void BM_AnalysisInMemory(benchmark::State& state) {
  const std::string dataText = bench::heavyDataFile();
  const std::string cptText = bench::heavyCptFile();
  for (auto _ : state) {
    AnalysisInput input;
    if (!readDataFile(dataText, "heavy.vr6d", input).ok ||
        !readCptFile(cptText, "heavy.cpt", input.cpt).ok) {
      state.SkipWithError("the heavy project does not read");
      return;
    }
    // The run's own in-memory streams.
    TextBuffer reportText;
    TextBuffer plotText;
    reportText.text.reserve(512u << 10);
    plotText.text.reserve(640u << 10);
    std::ostream report(&reportText);
    std::ostream plot(&plotText);
    std::ostringstream console;
    std::istringstream consoleInput;
    const UnitLabels labels = UnitLabels::forUnits(input.units);
    writeInputHeading(report, input);
    writeInputEcho(report, input, labels);
    writeResultHeading(report);
    const long long segments = segmentCount(input.deepestSoilDepth, input.pile.lengthIncrement);
    std::vector<double> depthsAsRead;
    for (const SoilPoint& point : input.soilPoints) depthsAsRead.push_back(point.depth);
    snapSoilPointDepths(input.soilPoints, input.pile.lengthIncrement);
    RunContext context{input,   depthsAsRead, report, plot,
                       console, consoleInput, labels, static_cast<int>(segments)};
    benchmark::DoNotOptimize(runPasses(context));
    benchmark::DoNotOptimize(plotText.text.size());
  }
}
BENCHMARK(BM_AnalysisInMemory)->Unit(benchmark::kMillisecond);

void BM_AnalysisWithFiles(benchmark::State& state) {
  HeavyFiles& files = heavy();
  std::ostringstream console;
  std::istringstream none;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        runAnalysis({files.data, files.report, files.plot, files.cpt}, "2014.6.5", console, none));
    console.str({});
  }
}
BENCHMARK(BM_AnalysisWithFiles)->Unit(benchmark::kMillisecond);

// Runs argv as a child process with its output thrown away, once per iteration, and reports the
// goals beside the figures: wall time per run (the benchmark's own time), the child's processor
// time and its peak memory. goalMs and goalMb of 0 leave that goal out.
void timeProcess(benchmark::State& state,
                 std::vector<std::string> args,
                 double goalMs,
                 double goalMb) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  double cpuSeconds = 0.0;
  long peakKb = 0;
  long runs = 0;
  for (auto _ : state) {
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("the process could not be started");
      break;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the run failed on the heavy project");
      break;
    }
    cpuSeconds += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                  1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    peakKb = std::max(peakKb, usage.ru_maxrss);
    ++runs;
  }
  posix_spawn_file_actions_destroy(&actions);
  if (runs == 0) return;
  state.counters["cpu_ms"] = 1000.0 * cpuSeconds / static_cast<double>(runs);
  if (goalMs > 0) state.counters["goal_ms"] = goalMs;
  if (goalMb > 0) {
    state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024.0;
    state.counters["goal_MB"] = goalMb;
  }
}

// The engine library alone as a whole process: start, library load, names file, the run with
// its report and plot data file, exit.
void BM_EngineProcess(benchmark::State& state) {
  HeavyFiles& files = heavy();
  const std::string folder = files.folder.path().toStdString() + "/engine";
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/names.dat", std::ios::binary) << "2014.6.5\n\n, \n0\n"
                                                         << files.data << "\n"
                                                         << folder << "/heavy.vr6o\n"
                                                         << folder << "/heavy.vr6p\n"
                                                         << files.cpt << "\n";
  timeProcess(state,
              {VORNE_BIN_DIR "/vorne_engine_process", VORNE_BIN_DIR "/libVORNE2014_DLL.so", folder},
              6.0, 0.0);
}
BENCHMARK(BM_EngineProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// A whole "vorne run" process: start, project open, engine library load, the run, plot data
// read, GRLWEAP file, summary, exit.
void BM_VorneRunProcess(benchmark::State& state) {
  HeavyFiles& files = heavy();
  const std::string output = files.folder.path().toStdString() + "/process";
  timeProcess(state, {VORNE_BIN_DIR "/vorne", "run", files.data, "--output-dir", output}, 20.0,
              16.0);
}
BENCHMARK(BM_VorneRunProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProjectOpen(benchmark::State& state) {
  const QString data = QString::fromStdString(heavy().data);
  for (auto _ : state) {
    TProgramData project;
    project.createFromFile(data, true);
    benchmark::DoNotOptimize(project.layerCount());
  }
}
BENCHMARK(BM_ProjectOpen)->Unit(benchmark::kMillisecond);

void BM_ProjectSave(benchmark::State& state) {
  TProgramData project;
  project.createFromFile(QString::fromStdString(heavy().data), true);
  project.setFileName(heavy().folder.filePath("saved.vr6d"));
  for (auto _ : state) project.save();
}
BENCHMARK(BM_ProjectSave)->Unit(benchmark::kMillisecond);

void BM_LoadPlotData(benchmark::State& state) {
  TProgramData project;
  project.createFromFile(QString::fromStdString(heavy().data), true);
  const QString plot = QString::fromStdString(heavy().plot);
  TPlotProject view;
  view.MethodSelected = project.MethodSelected;
  view.ExtraTzDepths = project.ExtraTzDepths;
  for (auto _ : state) {
    TMainGraphs graphs;
    TPlotProject copy = view;
    if (!LoadPlotData(graphs, copy, plot)) {
      state.SkipWithError("the heavy plot data file does not load");
      break;
    }
  }
}
BENCHMARK(BM_LoadPlotData)->Unit(benchmark::kMillisecond);

}  // namespace
