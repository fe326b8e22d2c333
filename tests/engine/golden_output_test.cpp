// The report and the plot data file of every bundled example and of the heaviest benchmark
// project, byte for byte against the files stored under tests/data/golden. The run's clock is
// fixed and the temporary folder in the report's file block is written as "<folder>/", so the
// outputs do not depend on when or where the test runs.
//
// After a deliberate change of the outputs, scripts/regen-golden-outputs rewrites the stored files
// (VORNE_REGEN_GOLDEN=1) and the change is reviewed as a diff.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "driver/run.h"
#include "heavy_project.h"
#include "test_files.h"
#include "vorne/ivorne.h"

namespace vorne {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

const fs::path kGoldenDir = fs::path(VORNE_TEST_DATA) / "golden";
const std::string kHeavy = "heavy_project";

// Names (without extension) of the bundled examples, then the heavy project.
std::vector<std::string> projectNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(VORNE_EXAMPLES_DIR)) {
    if (entry.path().extension() == ".vr6d") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  names.push_back(kHeavy);
  return names;
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
}

// Checks one output against its golden file, or rewrites the golden file when regenerating.
void checkOutput(const std::string& output, const std::string& goldenName) {
  const fs::path golden = kGoldenDir / goldenName;
  if (std::getenv("VORNE_REGEN_GOLDEN") != nullptr) {
    fs::create_directories(kGoldenDir);
    writeFile(golden, output);
    return;
  }
  ASSERT_TRUE(fs::exists(golden)) << golden << " is missing; run scripts/regen-golden-outputs";
  const std::string expected = readFile(golden);
  if (output == expected) return;
  // Name the first line that differs rather than printing a megabyte of text.
  std::istringstream a(output);
  std::istringstream b(expected);
  std::string lineA;
  std::string lineB;
  int number = 1;
  while (true) {
    const bool moreA = static_cast<bool>(std::getline(a, lineA));
    const bool moreB = static_cast<bool>(std::getline(b, lineB));
    if (!moreA && !moreB) break;
    if (moreA != moreB || lineA != lineB) break;
    ++number;
  }
  ADD_FAILURE() << goldenName << " differs from the golden file at line " << number
                << "\n  written: \"" << lineA << "\"\n  golden:  \"" << lineB << "\"";
}

class GoldenOutputs : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenOutputs, ReportAndPlotDataMatch) {
  const std::string& name = GetParam();
  TempDir dir;
  RunPaths paths;
  paths.dataFile = dir.file(name + ".vr6d");
  paths.reportFile = dir.file(name + ".vr6o");
  paths.plotFile = dir.file(name + ".vr6p");
  paths.cptFile = dir.file(name + ".cpt");
  if (name == kHeavy) {
    writeFile(paths.dataFile, bench::heavyDataFile());
    writeFile(paths.cptFile, bench::heavyCptFile());
  } else {
    const fs::path source = fs::path(VORNE_EXAMPLES_DIR) / name;
    fs::copy_file(source.string() + ".vr6d", paths.dataFile);
    if (fs::exists(source.string() + ".cpt"))
      fs::copy_file(source.string() + ".cpt", paths.cptFile);
  }

  std::ostringstream console;
  std::istringstream noAnswers;
  RunOptions options;
  options.time = RunTime{2026, 3, 5, 9, 7, 3};
  ASSERT_EQ(runAnalysis(paths, "2014.6.5", console, noAnswers, options), kVorneStatusFinished)
      << console.str();

  std::string report = readFile(paths.reportFile);
  replaceAll(report, dir.path().string() + "/", "<folder>/");
  checkOutput(report, name + ".vr6o");
  checkOutput(readFile(paths.plotFile), name + ".vr6p");
}

INSTANTIATE_TEST_SUITE_P(Projects,
                         GoldenOutputs,
                         ::testing::ValuesIn(projectNames()),
                         [](const ::testing::TestParamInfo<std::string>& project) {
                           return project.param;
                         });

}  // namespace
}  // namespace vorne
