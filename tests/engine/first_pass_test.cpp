// The first analysis pass in a whole run: user-specified, FHWA, USACE and Revised Lambda tables
// and plot blocks, in order, ahead of the API table of the second pass.
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
using test::replaceLine;
using test::TempDir;
using test::writeFile;

// The bundled steel pipe example with methods 1 to 5 selected and user unit values of 500 psf
// friction and 20000 psf end bearing on every soil point.
std::string exampleWithAllFirstPassMethods(int loadingType) {
  std::string text =
      readFile(std::string(VORNE_TEST_DATA) + "/../../examples/steel_pipe_layered.vr6d");
  text = replaceLine(text, 8, "1 1 1 1 1 0 0 0 0");
  const std::string factors = " 0 0 0.7 0.7 ";
  for (std::size_t at = text.find(factors); at != std::string::npos; at = text.find(factors, at)) {
    text.replace(at, factors.size(), " 500 20000 0.7 0.7 ");
  }
  // Line 34: loading type and tension reduction factor.
  return replaceLine(text, 34, std::to_string(loadingType) + " 0.8");
}

struct Outputs {
  int32_t status;
  std::string report;
  std::string plot;
  std::string console;
};

Outputs run(const std::string& data) {
  TempDir dir;
  writeFile(dir.file("p.vr6d"), data);
  const RunPaths paths{dir.file("p.vr6d"), dir.file("p.vr6o"), dir.file("p.vr6p"), ""};
  std::ostringstream console;
  std::istringstream in;
  const int32_t status = runAnalysis(paths, "2014.6.5", console, in);
  return {status, readFile(paths.reportFile), readFile(paths.plotFile), console.str()};
}

TEST(FirstPass, FiveMethodsWriteFiveTablesAndPlotBlocksInOrder) {
  for (int loadingType : {0, 1}) {
    SCOPED_TRACE(loadingType == 0 ? "compression" : "tension");
    const Outputs out = run(exampleWithAllFirstPassMethods(loadingType));
    ASSERT_EQ(out.status, kVorneStatusFinished) << out.console << out.report;
    for (const std::string& text : {out.report, out.plot}) {
      EXPECT_EQ(text.find("nan"), std::string::npos);
      EXPECT_EQ(text.find("inf"), std::string::npos);
    }
    EXPECT_EQ(out.plot.find('*'), std::string::npos);

    const char* kTitles[] = {"* GENERAL METHOD *", "*  FED. HWY. METHOD  *",
                             "* ARMY CORPS METHOD  *", "*  LAMBDA 2 METHOD   *",
                             "*  API RP-2A (1994)  *"};
    std::size_t previous = 0;
    for (const char* title : kTitles) {
      SCOPED_TRACE(title);
      const std::size_t at = out.report.find(title);
      ASSERT_NE(at, std::string::npos);
      EXPECT_GT(at, previous);
      previous = at;
    }

    // 60 ft at 0.5 ft printed every 4th grid point: 31 rows per block.
    const std::vector<std::string> plot = linesOf(out.plot);
    ASSERT_FALSE(plot.empty());
    std::istringstream header(plot[0]);
    long long methods = 0, rows = 0, units = 0, loadTransfer = 0;
    header >> methods >> rows >> units >> loadTransfer;
    EXPECT_EQ(methods, 5);
    EXPECT_EQ(rows, 31);
    // After the capacity blocks: the load-transfer records (15 t-z curves, 9 levels of 31
    // segments, 9 load-settlement rows) and the example's two extra t-z depths.
    ASSERT_EQ(plot.size(), 1u + 5u * 31u + (1 + 15 * 11 + 9 * 31 + 9) + (1 + 2 * 11));
    // Every block starts at the surface and ends at the tip.
    for (std::size_t block = 0; block < 5; ++block) {
      EXPECT_EQ(plot[1 + block * 31].substr(0, 9), "     0.00");
      EXPECT_EQ(plot[31 + block * 31].substr(0, 9), "    60.00");
    }
  }
}

TEST(FirstPass, UserMethodWithoutValuesWritesNoBlockAndIsNotCounted) {
  std::string text =
      readFile(std::string(VORNE_TEST_DATA) + "/../../examples/steel_pipe_layered.vr6d");
  text = replaceLine(text, 8, "0 0 0 1 1 0 0 0 0");
  const Outputs out = run(text);
  ASSERT_EQ(out.status, kVorneStatusFinished) << out.console;
  EXPECT_EQ(out.report.find("* GENERAL METHOD *"), std::string::npos);
  std::istringstream header(linesOf(out.plot).at(0));
  long long methods = 0;
  header >> methods;
  EXPECT_EQ(methods, 1);
}

}  // namespace
}  // namespace vorne
