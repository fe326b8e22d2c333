// Report sections and plot records of the load-transfer stage: exact lines and record counts.
#include "io/load_transfer_writer.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "driver/load_transfer_stage.h"
#include "test_files.h"

namespace vorne {
namespace {

using test::linesOf;

bool contains(const std::vector<std::string>& lines, const std::string& line) {
  for (const std::string& l : lines) {
    if (l == line) return true;
  }
  return false;
}

// English run, 1 ft of stick-up (12 in), one soil station 10 ft below the ground.
struct Fixture {
  CurveSettings settings;
  LoadTransferCurves curves;
  SettlementSolution solution;

  Fixture() {
    settings.english = true;
    settings.diameter = 12.0;
    settings.stickupLength = 12.0;
    curves.stickupStations = 1;
    curves.stations.resize(2);
    curves.stations[1].depth = 12.0 + 120.0;
    curves.stations[1].maxUnitTransfer = 2.5;
    curves.stations[1].soilType = 1;
    fillTzCurve(curves.stations[1], settings);
    curves.tip = makeQwCurve(12500.0, 1, 35.0, settings);
    for (int i = 1; i <= 9; ++i) {
      solution.points.push_back({1000.0 * i, 0.01 * i, 500.0 * i, 0.001 * i});
      solution.distribution.push_back({{66.0, 1500.0, 0.25}, {6.0, 2000.0, 0.5}});
    }
  }
};

TEST(LoadTransferWriter, ReportLinesAreLaidOutColumnForColumn) {
  Fixture f;
  f.solution.converged = false;
  std::ostringstream out;
  writeLoadSettlementReport(out, f.curves, f.solution, f.settings);
  const std::vector<std::string> lines = linesOf(out.str());
  const std::string rule = std::string(16, ' ') + std::string(49, '*');
  // Two empty lines, the box, two empty lines, the t-z header.
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], rule);
  EXPECT_EQ(lines[3], "                * COMPUTE LOAD-DISTRIBUTION AND LOAD-SETTLEMENT *");
  EXPECT_EQ(lines[4], "                * CURVES FOR AXIAL LOADING                      *");
  EXPECT_EQ(lines[5], rule);
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[7], "");
  EXPECT_EQ(lines[8],
            "        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT");
  EXPECT_EQ(lines[9], "           NO.      POINTS        FT.              PSI             IN.");
  EXPECT_EQ(lines[10], "");
  // The soil station only, numbered 1, at its depth below the ground.
  EXPECT_EQ(lines[11], "            1         10      0.1000E+02");
  EXPECT_EQ(lines[12], std::string(40, ' ') + "       0.0000E+00      0.0000E+00");
  // Standard sand: 1.0 tmax at 0.1 in (point 7).
  EXPECT_EQ(lines[19], std::string(40, ' ') + "       0.2500E+01      0.1000E+00");

  EXPECT_TRUE(contains(lines, "        TIP   LOAD        TIP MOVEMENT"));
  EXPECT_TRUE(contains(lines, "            KIP               IN."));
  // Tip point 7: Qmax 12.5 kip at 0.1 D = 1.2 in.
  EXPECT_TRUE(contains(lines, "        0.1250E+02         0.1200E+01"));
  EXPECT_TRUE(contains(lines, "                      LOAD VERSUS SETTLEMENT CURVE"));
  EXPECT_TRUE(contains(lines, "                      ****************************"));
  EXPECT_TRUE(
      contains(lines, "        TOP  LOAD     TOP MOVEMENT       TIP  LOAD      TIP MOVEMENT"));
  EXPECT_TRUE(contains(lines, "           KIP             IN.              KIP            IN."));
  EXPECT_TRUE(contains(lines, "       0.9000E+01      0.9000E-01      0.4500E+01      0.9000E-02"));
  EXPECT_EQ(lines.back(), " WARNING - LOAD-SETTLEMENT ITERATION DID NOT CONVERGE.");

  std::ostringstream converged;
  f.solution.converged = true;
  writeLoadSettlementReport(converged, f.curves, f.solution, f.settings);
  EXPECT_EQ(converged.str().find("WARNING"), std::string::npos);
}

TEST(LoadTransferWriter, SiLabelsAndPlotRecords) {
  Fixture f;
  f.settings.english = false;
  f.settings.lengthUnit = 1.0;
  f.settings.stickupLength = 1.0;
  f.curves.stations[1].depth = 3.5;
  std::ostringstream report;
  writeLoadSettlementReport(report, f.curves, f.solution, f.settings);
  const std::vector<std::string> lines = linesOf(report.str());
  EXPECT_EQ(lines[9], "           NO.      POINTS        M.               KPA             M. ");
  EXPECT_EQ(lines[11], "            1         10      0.2500E+01");
  EXPECT_TRUE(contains(lines, "           KN.             M.               KN.            M. "));

  std::ostringstream plot;
  writeLoadSettlementPlot(plot, f.curves, f.solution, f.settings);
  const std::vector<std::string> records = linesOf(plot.str());
  // Count, 11 lines per soil station, 9 levels of 2 rows, 9 load-settlement rows.
  ASSERT_EQ(records.size(), 1u + 11u + 18u + 9u);
  EXPECT_EQ(records[0], "           1");
  EXPECT_EQ(records[12], "    0.660E+02    0.150E+04    0.250E+00");  // SI: no conversion
  EXPECT_EQ(records[30], "       0.1000E+04      0.1000E-01      0.5000E+03      0.1000E-02");
}

TEST(LoadTransferWriter, EnglishLoadDistributionIsInFeetAndKips) {
  Fixture f;
  std::ostringstream plot;
  writeLoadSettlementPlot(plot, f.curves, f.solution, f.settings);
  const std::vector<std::string> records = linesOf(plot.str());
  EXPECT_EQ(records[12], "    0.550E+01    0.150E+01    0.250E+00");
  EXPECT_EQ(records[13], "    0.500E+00    0.200E+01    0.500E+00");
}

TEST(LoadTransferWriter, VerificationCurvesAndTheOutOfRangeLine) {
  Fixture f;
  std::vector<VerificationCurve> extra(2);
  extra[0].depthBelowGround = 99.0;
  extra[1].depthBelowGround = 4.0;
  extra[1].inSoilRange = true;
  extra[1].curve = f.curves.stations[1];
  std::ostringstream report;
  writeVerificationReport(report, extra, f.settings);
  const std::vector<std::string> lines = linesOf(report.str());
  EXPECT_EQ(lines[3], "                * COMPUTE INTERNALLY-GENERATED LOAD-TRANSFER    *");
  EXPECT_EQ(lines[4], "                * (t-z) CURVES FOR VERIFICATION                 *");
  EXPECT_EQ(lines[8], "               CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE");
  EXPECT_EQ(lines[9],
            "        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT");
  EXPECT_EQ(lines[12], "            2         10      0.4000E+01");  // its place in the list

  std::ostringstream plot;
  writeVerificationPlot(plot, extra);
  const std::vector<std::string> records = linesOf(plot.str());
  ASSERT_EQ(records.size(), 12u);
  EXPECT_EQ(records[0], "           1");

  std::ostringstream none;
  writeVerificationReport(none, {}, f.settings);
  writeVerificationPlot(none, {});
  EXPECT_EQ(none.str(), "");
}

// A 20 ft embedded pile under 2 ft of stick-up in one sand layer, printed every 5 ft (5 rows, so
// 5 segments), with skin friction 0.5 j^2 kip and 50 kip at the tip.
AnalysisInput stageInput() {
  AnalysisInput input;
  input.units = 1;
  input.printIncrement = 5;
  input.loadTransferMethod = 4;
  input.pile.outsideDiameter = 24.0;
  input.pile.insideDiameter = 23.0;
  input.pile.elasticModulus = 29.0e6;
  input.pile.pileLength = 22.0;
  input.pile.stickupLength = 2.0;
  input.pile.lengthIncrement = 1.0;
  SoilPoint top;
  top.soilType = 1;
  top.frictionAngle = 30.0;
  SoilPoint bottom = top;
  bottom.depth = 30.0;
  bottom.frictionAngle = 34.0;
  input.soilPoints = {top, bottom};
  input.deepestSoilDepth = 30.0;
  return input;
}

CapacityProfile stageProfile() {
  CapacityProfile profile;
  profile.computed = true;
  for (int j = 0; j <= 20; ++j) {
    profile.penetration.push_back(j);
    profile.skinFriction.push_back(0.5 * j * j);
    profile.tipValue.push_back(50.0);
    profile.total.push_back(0.5 * j * j + 50.0);
    profile.unitSkinFriction.push_back(0.0);
    profile.marker.push_back(TipMarker::Plugged);
  }
  return profile;
}

TEST(LoadTransferStage, PlotRecordCountsWithAndWithoutExtraDepths) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;

  struct Case {
    const char* name;
    int flag;
    std::vector<double> depths;
    std::size_t records;
  };
  // 3 soil stations (11 lines each) + count, 9 levels x 5 segments, 9 load-settlement rows; the
  // extra block adds its count and 11 lines per depth inside the soil.
  const std::size_t base = 1 + 3 * 11 + 9 * 5 + 9;
  const Case kCases[] = {
      {"no extra depths", 0, {}, base},
      {"flag without a list", 1, {}, base},
      {"one inside, one outside the soil", 1, {5.0, 50.0}, base + 1 + 11},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    AnalysisInput input = stageInput();
    input.extraTzFlag = c.flag;
    input.extraTzDepths = c.depths;
    std::ostringstream report;
    std::ostringstream plot;
    std::ostringstream console;
    EXPECT_EQ(runLoadTransferStage(input, stageProfile(), report, plot, console), 0);
    EXPECT_EQ(linesOf(plot.str()).size(), c.records);
    EXPECT_EQ(plot.str().find(','), std::string::npos);
    EXPECT_EQ(report.str().find(','), std::string::npos);
    EXPECT_EQ(report.str().find("nan"), std::string::npos);
    EXPECT_EQ(report.str().find("VERIFICATION") != std::string::npos, c.records != base);
  }
  std::setlocale(LC_ALL, saved.c_str());
  if (!german) GTEST_SKIP() << "de_DE.UTF-8 is not installed; ran in the default locale";
}

TEST(LoadTransferStage, UnusableStiffnessStopsWithAMessage) {
  AnalysisInput input = stageInput();
  input.pile.elasticModulus = 0.0;
  std::ostringstream report;
  std::ostringstream plot;
  std::ostringstream console;
  EXPECT_EQ(runLoadTransferStage(input, stageProfile(), report, plot, console), 1);
  EXPECT_NE(report.str().find("modulus of elasticity 0"), std::string::npos);
  EXPECT_EQ(plot.str(), "");
}

TEST(LoadTransferStage, OverflowingResultStopsWithoutWritingIt) {
  AnalysisInput input = stageInput();
  input.pile.elasticModulus = 1e-320;  // shortening beyond any double
  std::ostringstream report;
  std::ostringstream plot;
  std::ostringstream console;
  EXPECT_EQ(runLoadTransferStage(input, stageProfile(), report, plot, console), 1);
  EXPECT_NE(report.str().find("load-settlement curve: a result is not a finite number"),
            std::string::npos);
  EXPECT_EQ(report.str().find("inf"), std::string::npos);
  EXPECT_EQ(plot.str(), "");
}

TEST(LoadTransferStage, LoadSettlementCurveRisesWithMovement) {
  std::ostringstream report;
  std::ostringstream plot;
  std::ostringstream console;
  ASSERT_EQ(runLoadTransferStage(stageInput(), stageProfile(), report, plot, console), 0);
  const std::vector<std::string> records = linesOf(plot.str());
  double lastLoad = -1.0;
  double lastMovement = -1.0;
  for (std::size_t r = records.size() - 9; r < records.size(); ++r) {
    std::istringstream row(records[r]);
    double topLoad = 0.0;
    double topMovement = 0.0;
    row >> topLoad >> topMovement;
    EXPECT_GT(topLoad, lastLoad) << records[r];
    EXPECT_GT(topMovement, lastMovement) << records[r];
    lastLoad = topLoad;
    lastMovement = topMovement;
  }
}

}  // namespace
}  // namespace vorne
