// A whole offshore run: the bundled SI open-ended pipe with its CPT file and the four cone methods
// selected writes their tables and plot blocks after API, in order.
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

const std::string kExamples = std::string(VORNE_TEST_DATA) + "/../../examples/";

const char* const kTitles[] = {
    "                            *  API RP-2A (1994)  *",
    "          *  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *",
    "                    *  IMPERIAL COLLEGE (MTD) METHOD  *",
    "                    *    FUGRO 2004 (FUGRO) METHOD    *",
    "             *  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *",
};

TEST(ConePasses, OffshorePipeWritesTheFourTablesAfterApi) {
  TempDir dir;
  const Outputs out =
      runProject(dir, kExamples + "offshore_pipe_si.vr6d", kExamples + "offshore_pipe_si.cpt");
  ASSERT_EQ(out.status, kVorneStatusFinished) << out.console << out.report;
  EXPECT_EQ(out.report.find("nan"), std::string::npos);
  EXPECT_EQ(out.report.find("inf"), std::string::npos);
  EXPECT_EQ(out.plot.find('*'), std::string::npos);
  EXPECT_EQ(out.report.find("NO DATA FOUND"), std::string::npos);

  // 35 m at 0.25 m, every 4th grid point: 0, 1, ..., 35 m, 36 rows per table, in method order.
  std::size_t previous = 0;
  for (const char* title : kTitles) {
    SCOPED_TRACE(title);
    const std::size_t at = out.report.find(std::string(title) + "\n");
    ASSERT_NE(at, std::string::npos);
    EXPECT_GT(at, previous);
    previous = at;
    const std::vector<std::string> table = linesOf(out.report.substr(at));
    ASSERT_GT(table.size(), 6u + 36u);
    EXPECT_EQ(table[4], "          PENETRATION   FRICTION       BEARING     CAPACITY");
    EXPECT_EQ(table[5].substr(0, 17), "              M. ");
    EXPECT_EQ(table[6 + 35].substr(0, 18), "             35.00");
    EXPECT_EQ(table[6 + 36], "");
  }

  const std::vector<std::string> plot = linesOf(out.plot);
  // Five capacity blocks of 36 rows, then the load-transfer records.
  ASSERT_GT(plot.size(), 1u + 5u * 36u);
  for (std::size_t block = 0; block < 5; ++block) {
    EXPECT_EQ(plot[1 + 36 * block].substr(0, 9), "     0.00");
    EXPECT_EQ(plot[36 * (block + 1)].substr(0, 9), "    35.00");
  }
  std::istringstream header(plot[0]);
  int methods = 0, rows = 0, units = 0, loadTransfer = 0;
  header >> methods >> rows >> units >> loadTransfer;
  EXPECT_EQ(methods, 5);
  EXPECT_EQ(rows, 36);
  EXPECT_EQ(units, 2);
  EXPECT_EQ(loadTransfer, 7);  // the load transfer takes the ICP/MTD results
  EXPECT_NE(out.report.find("LOAD VERSUS SETTLEMENT CURVE"), std::string::npos);
}

TEST(ConePasses, OffshoreParametersOffRunsNoConeMethodAndPlasticIndexErrorsAreReported) {
  const std::string data = readFile(kExamples + "offshore_pipe_si.vr6d");
  {
    TempDir dir;
    // Line 7, offshore parameters 0: no cone method runs, even when selected.
    writeFile(dir.file("p.vr6d"), replaceLine(data, 7, "0 0.25 1 0 4 0 0\r"));
    const Outputs out = runProject(dir, dir.file("p.vr6d"), kExamples + "offshore_pipe_si.cpt");
    ASSERT_EQ(out.status, kVorneStatusFinished) << out.report;
    EXPECT_NE(out.report.find(kTitles[0]), std::string::npos);
    EXPECT_EQ(out.report.find("(NGI) METHOD"), std::string::npos);
    EXPECT_EQ(out.report.find("(UWA) METHOD"), std::string::npos);
  }
  {
    TempDir dir;
    // The clay of 6..14 m without a plasticity index (PI -1): ICP/MTD, Fugro and UWA each write
    // one line per clay increment of that layer (32) before their tables; NGI none.
    std::string text = replaceLine(data, 15, "0 0 40 20 1.8 -1 0 0 0 1 1\r");
    text = replaceLine(text, 17, "0 0 70 35 1.8 -1 0 0 0 1 1\r");
    writeFile(dir.file("p.vr6d"), text);
    const Outputs out = runProject(dir, dir.file("p.vr6d"), kExamples + "offshore_pipe_si.cpt");
    ASSERT_EQ(out.status, kVorneStatusFinished) << out.report;
    const std::string line = " ERROR - NO DATA FOUND FOR PLASTIC INDEX.\n";
    std::size_t count = 0;
    for (std::size_t at = out.report.find(line); at != std::string::npos;
         at = out.report.find(line, at + 1)) {
      ++count;
    }
    EXPECT_EQ(count, 3u * 32u);
    const std::size_t ngi = out.report.find(kTitles[1]);
    const std::size_t first = out.report.find(line);
    const std::size_t icp = out.report.find(kTitles[2]);
    EXPECT_LT(ngi, first);
    EXPECT_LT(first, icp);
    EXPECT_EQ(out.report.find("WARNING - h/R"), std::string::npos);
  }
}

// The capacity table under title: its heading and rows, up to the blank line that ends it.
std::string capacityTable(const std::string& report, const char* title) {
  const std::size_t at = report.find(std::string(title) + "\n");
  if (at == std::string::npos) return {};
  const std::size_t end = report.find("\n\n", report.find("PENETRATION", at));
  return report.substr(at, end - at);
}

TEST(ConePasses, OffshoreCptExampleTakesTheConeResistanceFromItsCptFile) {
  // The example's layers leave qc at 0, so the cone methods read it from the CPT profile; without
  // that file they fall back to qc = 2.8·pa·N and give other capacities. API never reads qc.
  const std::string data = kExamples + "offshore_open_pipe_cpt.vr6d";
  TempDir dir;
  const Outputs withCpt = runProject(dir, data, kExamples + "offshore_open_pipe_cpt.cpt");
  ASSERT_EQ(withCpt.status, kVorneStatusFinished) << withCpt.console << withCpt.report;
  TempDir bare;
  const Outputs withoutCpt = runProject(bare, data, bare.file("absent.cpt"));
  ASSERT_EQ(withoutCpt.status, kVorneStatusFinished) << withoutCpt.console << withoutCpt.report;

  const std::string api = capacityTable(withCpt.report, kTitles[0]);
  ASSERT_FALSE(api.empty());
  EXPECT_EQ(api, capacityTable(withoutCpt.report, kTitles[0]));
  for (const char* title : {kTitles[1], kTitles[2], kTitles[3], kTitles[4]}) {
    SCOPED_TRACE(title);
    const std::string table = capacityTable(withCpt.report, title);
    ASSERT_FALSE(table.empty());
    EXPECT_NE(table, capacityTable(withoutCpt.report, title));
  }
}

}  // namespace
}  // namespace vorne
