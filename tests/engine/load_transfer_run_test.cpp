// Whole runs of the bundled example with each first- and second-pass method chosen for load
// transfer: the tip curve is built on exactly the tip value the method's table printed.
#include <gtest/gtest.h>

#include <cmath>
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

// The example with methods 1 to 5 selected (user unit values on every soil point) and the given
// method for unit load transfers.
std::string exampleWithLoadTransferMethod(int method) {
  std::string text =
      readFile(std::string(VORNE_TEST_DATA) + "/../../examples/steel_pipe_layered.vr6d");
  text = replaceLine(text, 7, "0 0.5 1 0 " + std::to_string(method) + " 1 0");
  text = replaceLine(text, 8, "1 1 1 1 1 0 0 0 0");
  const std::string factors = " 0 0 0.7 0.7 ";
  for (std::size_t at = text.find(factors); at != std::string::npos; at = text.find(factors, at)) {
    text.replace(at, factors.size(), " 500 20000 0.7 0.7 ");
  }
  return text;
}

// The end bearing the method's table prints at the 60 ft tip [kip]: 11X,F7.2,6X,F8.1,6X,F8.1.
double printedTipValue(const std::string& report, const std::string& title) {
  const std::size_t table = report.find(title);
  if (table == std::string::npos) return -1.0;
  for (const std::string& line : linesOf(report.substr(table))) {
    if (line.rfind("             60.00", 0) == 0) return std::stod(line.substr(38, 8));
  }
  return -1.0;
}

// The tip curve of the report: ten rows of E18.4 load [kip] and E19.4 movement [in].
std::vector<std::pair<double, double>> tipCurve(const std::string& report) {
  std::vector<std::pair<double, double>> points;
  const std::size_t at = report.find("TIP   LOAD");
  if (at == std::string::npos) return points;
  const std::vector<std::string> lines = linesOf(report.substr(at));
  for (std::size_t i = 3; i < 13 && i < lines.size(); ++i) {
    std::istringstream row(lines[i]);
    double load = 0.0;
    double movement = 0.0;
    row >> load >> movement;
    points.emplace_back(load, movement);
  }
  return points;
}

TEST(LoadTransferRun, TipCurveUsesThePrintedTipValueOfTheChosenMethod) {
  struct Case {
    int method;
    const char* title;
  };
  const Case kCases[] = {
      {1, "*  FED. HWY. METHOD  *"}, {2, "* ARMY CORPS METHOD  *"}, {3, "*  LAMBDA 2 METHOD   *"},
      {4, "*  API RP-2A (1994)  *"}, {5, "* GENERAL METHOD *"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.title);
    TempDir dir;
    writeFile(dir.file("p.vr6d"), exampleWithLoadTransferMethod(c.method));
    const RunPaths paths{dir.file("p.vr6d"), dir.file("p.vr6o"), dir.file("p.vr6p"), ""};
    std::ostringstream console;
    std::istringstream in;
    ASSERT_EQ(runAnalysis(paths, "2014.6.5", console, in), kVorneStatusFinished) << console.str();
    const std::string report = readFile(paths.reportFile);
    const double printed = printedTipValue(report, c.title);
    ASSERT_GT(printed, 0.0);
    const std::vector<std::pair<double, double>> tip = tipCurve(report);
    ASSERT_EQ(tip.size(), 10u);
    // Standard curve: Qmax from 0.1 D (point 7). USACE on the sand tip (phi 38): point 8 at
    // 1 in on Qmax (w / 0.05 D)^0.333 with 0.05 D = 1.2 in.
    const double qmax = c.method == 2 ? tip[8].first / std::pow(1.0 / 1.2, 0.333) : tip[7].first;
    // F8.1 against four significant digits of E18.4.
    EXPECT_NEAR(qmax, printed, 0.05 + 5e-4 * printed);
    EXPECT_EQ(report.find("DID NOT CONVERGE"), std::string::npos);

    // The load-settlement rows rise in load and movement.
    const std::vector<std::string> plot = linesOf(readFile(paths.plotFile));
    const std::size_t settlementStart = 1 + 5 * 31 + 1 + 15 * 11 + 9 * 31;
    ASSERT_GE(plot.size(), settlementStart + 9);
    double lastLoad = 0.0;
    double lastMovement = 0.0;
    for (std::size_t r = settlementStart; r < settlementStart + 9; ++r) {
      std::istringstream row(plot[r]);
      double load = 0.0;
      double movement = 0.0;
      row >> load >> movement;
      EXPECT_GT(load, lastLoad) << plot[r];
      EXPECT_GT(movement, lastMovement) << plot[r];
      lastLoad = load;
      lastMovement = movement;
    }
  }
}

}  // namespace
}  // namespace vorne
