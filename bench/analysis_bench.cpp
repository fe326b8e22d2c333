// Timings of one analysis of the heaviest valid project: in memory (input text to report and
// plot text), with its files through the engine's run, and as a whole "vorne run" process; the
// project model's open and save; the plot data loader on the project's plot file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
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
    std::ostringstream report;
    std::ostringstream plot;
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
    benchmark::DoNotOptimize(plot.str().size());
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

// A whole "vorne run" process: start, engine library load, the run, summary, exit.
void BM_VorneRunProcess(benchmark::State& state) {
  HeavyFiles& files = heavy();
  const std::string runner = VORNE_BIN_DIR "/vorne";
  const std::string output = files.folder.path().toStdString() + "/process";
  std::vector<std::string> args{runner, "run", files.data, "--output-dir", output};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("vorne could not be started");
      break;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("vorne run failed on the heavy project");
      break;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
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
