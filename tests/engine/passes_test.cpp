// Whole runs through the passes: the report's capacity tables and the plot data file of the
// bundled example, and a project at the capacity limits (40 layers, 500 segments).
#include "driver/passes.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "driver/run.h"
#include "test_files.h"
#include "vorne/ivorne.h"

namespace vorne {
namespace {

using test::linesOf;
using test::readFile;
using test::TempDir;
using test::writeFile;

std::vector<long long> integersOf(const std::string& line) {
  std::vector<long long> values;
  std::istringstream in(line);
  for (long long v; in >> v;) values.push_back(v);
  return values;
}

// A non-finite value would print as "nan" or "inf", or fill its field with asterisks (the plot
// data file has no other asterisks).
bool holdsNonFinite(const std::string& text) {
  return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

struct Outputs {
  int32_t status;
  std::string report;
  std::string plot;
  std::string console;
};

Outputs runProject(const TempDir& dir, const std::string& dataPath, const std::string& cptPath) {
  const RunPaths paths{dataPath, dir.file("run.vr6o"), dir.file("run.vr6p"), cptPath};
  std::ostringstream console;
  std::istringstream in;
  RunOptions options;
  options.time = RunTime{2026, 3, 5, 9, 7, 3};
  const int32_t status = runAnalysis(paths, "2014.6.5", console, in, options);
  return {status, readFile(paths.reportFile), readFile(paths.plotFile), console.str()};
}

TEST(Passes, SteelPipeExampleWritesTheApiTableAndPlotRows) {
  const std::string examples = std::string(VORNE_TEST_DATA) + "/../../examples/";
  TempDir dir;
  const Outputs out =
      runProject(dir, examples + "steel_pipe_layered.vr6d", examples + "steel_pipe_layered.cpt");
  ASSERT_EQ(out.status, kVorneStatusFinished) << out.console;
  EXPECT_FALSE(holdsNonFinite(out.report));
  EXPECT_FALSE(holdsNonFinite(out.plot));
  EXPECT_EQ(out.plot.find('*'), std::string::npos);

  // 60 ft at 0.5 ft, every 4th grid point: 0, 2, ..., 60 ft, 31 rows.
  const std::string title = "                            *  API RP-2A (1994)  *\n";
  const std::size_t table = out.report.find(title);
  ASSERT_NE(table, std::string::npos);
  const std::vector<std::string> report = linesOf(out.report.substr(table));
  ASSERT_GT(report.size(), 6u + 31u);
  EXPECT_EQ(report[6].substr(0, 18), "              0.00");
  EXPECT_EQ(report[6 + 30].substr(0, 18), "             60.00");
  EXPECT_EQ(report[6 + 31], "");
  EXPECT_NE(out.report.find("AN ASTERISK WILL BE PLACED IN THE END-BEARING COLUMN"),
            std::string::npos);

  const std::vector<std::string> plot = linesOf(out.plot);
  // Header and 31 capacity rows; the t-z count and 15 curves of 11 lines (three stations in each
  // of the five layers); 9 load levels of 31 segments; 9 load-settlement rows; the two extra
  // depths (20 and 50 ft) with their count.
  const std::size_t settlementStart = 1 + 31 + 1 + 15 * 11 + 9 * 31;
  ASSERT_EQ(plot.size(), settlementStart + 9 + 1 + 2 * 11);
  EXPECT_EQ(integersOf(plot[0]), (std::vector<long long>{1, 31, 1, 4}));
  EXPECT_EQ(plot[31].substr(0, 9), "    60.00");
  EXPECT_EQ(integersOf(plot[32]), (std::vector<long long>{15}));

  // The load-settlement curve rises in load and in movement.
  double lastLoad = 0.0;
  double lastMovement = 0.0;
  for (std::size_t r = settlementStart; r < settlementStart + 9; ++r) {
    std::istringstream row(plot[r]);
    double topLoad = 0.0;
    double topMovement = 0.0;
    ASSERT_TRUE(row >> topLoad >> topMovement) << plot[r];
    EXPECT_GT(topLoad, lastLoad) << plot[r];
    EXPECT_GT(topMovement, lastMovement) << plot[r];
    lastLoad = topLoad;
    lastMovement = topMovement;
  }
  EXPECT_EQ(out.report.find("DID NOT CONVERGE"), std::string::npos);
}

// 40 layers of 2.5 ft, alternating sand (API limit code, friction angle from the blow count)
// and clay, 100 ft deep at 0.2 ft: 500 segments. Every method is selected.
std::string heavyProject(int loadingType) {
  std::ostringstream text;
  text << "Heavy project\nDesigner\nJob\n"
       << "1 1 80\n"
       << "0 0 24 22 29000000 95 5\n"
       << "0 0\n"
       << "1 0.2 1 0 4 1 0\n"
       << "1 1 1 1 1 1 1 1 1\n"
       << "100 0\n";
  for (int layer = 0; layer < 40; ++layer) {
    for (int end = 0; end < 2; ++end) {
      const double depth = 2.5 * (layer + end);
      if (layer % 2 == 0) {
        text << depth << " 1 0.8 115 0 20\n"
             << "9999 0 0.0 " << 10 + layer << " 0.0 0.0 100000 0 0 0.7 0.7\n";
      } else {
        text << depth << " 2 0.0 55 0.0 0.0\n"
             << "0 0 " << 400 + 50 * layer << " 200 1.5 25 12000 0 0 0.8 0.9\n";
      }
    }
  }
  text << "0\n"
       << loadingType << " 0.8\n"
       << "0 0\n"
       << "1 0\n"
       << "0 0\n";
  return text.str();
}

TEST(Passes, HeavyProjectAtTheCapacityLimits) {
  for (int loadingType : {0, 1}) {
    SCOPED_TRACE(loadingType == 0 ? "compression" : "tension");
    TempDir dir;
    writeFile(dir.file("heavy.vr6d"), heavyProject(loadingType));
    const Outputs out = runProject(dir, dir.file("heavy.vr6d"), dir.file("heavy.cpt"));
    ASSERT_EQ(out.status, kVorneStatusFinished) << out.console << out.report;
    EXPECT_FALSE(holdsNonFinite(out.report));
    EXPECT_FALSE(holdsNonFinite(out.plot));
    // 90 ft embedded at 0.2 ft: 451 grid points, all printed.
    const std::vector<std::string> plot = linesOf(out.plot);
    ASSERT_FALSE(plot.empty());
    const std::vector<long long> header = integersOf(plot[0]);
    ASSERT_EQ(header.size(), 4u);
    EXPECT_EQ(header[1], 451);
    // Capacity blocks, then the t-z count and 120 curves (three stations in each of the 40
    // layers) of 11 lines, 9 load levels of 451 segments and 9 load-settlement rows.
    const auto rows = static_cast<std::size_t>(header[1]);
    EXPECT_EQ(plot.size(),
              1u + static_cast<std::size_t>(header[0]) * rows + 1 + 120 * 11 + 9 * rows + 9);
    EXPECT_EQ(out.plot.find('*'), std::string::npos);
  }
}

TEST(Passes, OverflowingInputStopsInsteadOfReportingNonFiniteValues) {
  struct Case {
    const char* methods;  // line 8 of the data file
    const char* message;
  };
  // Whichever methods are reported, the input check refuses the area before any of them runs:
  // its echo alone could not be printed.
  const Case kCases[] = {
      {"1 1 1 1 1 1 1 1 1\n",
       "huge.vr6d: the cross-section area 1e+308 M2 is more than 9999999.99"},
      {"0 0 0 1 0 0 0 0 0\n",
       "huge.vr6d: the cross-section area 1e+308 M2 is more than 9999999.99"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.message);
    TempDir dir;
    std::string text = heavyProject(1);
    // In SI under tension, a section area of 1e308 m2 makes the self weight overflow.
    text.replace(text.find("1 1 80\n"), 7, "2 1 80\n");
    text.replace(text.find("100 0\n"), 6, "100 1e308\n");
    text.replace(text.find("1 1 1 1 1 1 1 1 1\n"), 18, c.methods);
    writeFile(dir.file("huge.vr6d"), text);
    const Outputs out = runProject(dir, dir.file("huge.vr6d"), dir.file("huge.cpt"));
    EXPECT_EQ(out.status, kVorneStatusStopped);
    EXPECT_NE(out.report.find(c.message), std::string::npos);
    EXPECT_FALSE(holdsNonFinite(out.report));
    EXPECT_EQ(out.report.find("INPUT INFORMATION"), std::string::npos);
    EXPECT_EQ(out.plot, "");
  }
}

TEST(Passes, PileWithoutAxialStiffnessStopsBeforeAnyComputation) {
  TempDir dir;
  std::string text = heavyProject(0);
  text.replace(text.find(" 29000000 "), 10, " 0 ");
  writeFile(dir.file("soft.vr6d"), text);
  const Outputs out = runProject(dir, dir.file("soft.vr6d"), dir.file("soft.cpt"));
  EXPECT_EQ(out.status, kVorneStatusStopped);
  EXPECT_NE(out.report.find(" VORNE STOPPED: the modulus of elasticity 0 must be greater than 0"),
            std::string::npos);
  EXPECT_EQ(out.report.find("API RP-2A (1994)"), std::string::npos);
  EXPECT_EQ(out.plot, "");
}

}  // namespace
}  // namespace vorne
