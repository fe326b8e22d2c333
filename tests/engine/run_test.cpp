// The run sequence on real files: names file, prompts, soil-depth and segment checks, the report
// blocks the driver writes, and every way a run stops on bad input.
#include "driver/run.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "driver/segments.h"
#include "test_files.h"
#include "vorne/ivorne.h"

namespace vorne {
namespace {

using test::minimalDataFile;
using test::readFile;
using test::replaceLine;
using test::TempDir;
using test::writeFile;

const RunTime kFixedTime{2026, 3, 5, 9, 7, 3};

// A project in a temporary folder, run through runAnalysis with captured console streams.
class Project {
 public:
  explicit Project(const std::string& dataText) {
    m_paths.dataFile = m_dir.file("pile.vr6d");
    m_paths.reportFile = m_dir.file("pile.vr6o");
    m_paths.plotFile = m_dir.file("pile.vr6p");
    m_paths.cptFile = m_dir.file("pile.cpt");
    writeFile(m_paths.dataFile, dataText);
  }

  int32_t run(const std::string& consoleAnswers = "") {
    std::istringstream in(consoleAnswers);
    RunOptions options;
    options.time = kFixedTime;
    return runAnalysis(m_paths, "2014.6.5", m_console, in, options);
  }

  // Writes names.dat with the given number of lines (1..8) and runs from it.
  int32_t runFromNames(int lineCount, const std::string& consoleAnswers) {
    const std::string lines[8] = {
        "2014.6.5",     "", ", ", "0", m_paths.dataFile, m_paths.reportFile, m_paths.plotFile,
        m_paths.cptFile};
    std::string text;
    for (int k = 0; k < lineCount; ++k) text += lines[k] + "\r\n";
    writeFile(m_dir.file("names.dat"), text);
    std::istringstream in(consoleAnswers);
    RunOptions options;
    options.time = kFixedTime;
    return runFromNamesFile(m_dir.file("names.dat"), m_console, in, options);
  }

  RunPaths& paths() { return m_paths; }
  const TempDir& dir() const { return m_dir; }
  std::string report() const { return readFile(m_paths.reportFile); }
  std::string console() const { return m_console.str(); }

 private:
  TempDir m_dir;
  RunPaths m_paths;
  std::ostringstream m_console;
};

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(Run, WritesBannerFileNamesTimeAndHeadings) {
  Project project(minimalDataFile());
  ASSERT_EQ(project.run(), kVorneStatusFinished) << project.console();
  const std::string folder = project.dir().path().string() + "/";
  const std::string rule = "     " + std::string(73, '=') + "\n";
  const std::string dashes = "     " + std::string(73, '-') + "\n";
  const std::string indent(20, ' ');
  const std::string expected =
      rule + "\n" + indent + "  VORNE for Windows, Version " + "2014.6.5    " + "\n\n" + indent +
      "   A Program for Analyzing the Axial Capacity \n" + indent +
      "   and Short-term Settlement of Driven Piles \n" + indent +
      "             under Axial Loading. \n\n" + rule + "\n\n" +
      "     Path to file locations      : " + folder + "\n" +
      "     Name of input data file     : pile.vr6d\n"
      "     Name of output file         : pile.vr6o\n"
      "     Name of plot output file    : pile.vr6p\n"
      "\n" +
      dashes + "                          Time and Date of Analysis\n" + dashes + "\n" +
      "               Date:  March 05, 2026     Time:  09:07:03\n"
      "\n\n\n1\n"
      "          *********************\n"
      "          * INPUT INFORMATION *\n"
      "          *********************\n"
      "\n\n\n"
      "          Minimal test pile" +
      std::string(70 - 17, ' ') + "\n\n" + "          DESIGNER   : Test Designer" +
      std::string(60 - 13, ' ') + "\n\n" + "          JOB NUMBER : Job 1" +
      std::string(60 - 5, ' ') + "\n";
  const std::string resultHeading =
      "\n\n\n1\n"
      "          **********************\n"
      "          * COMPUTATION RESULT *\n"
      "          **********************\n";
  // The input echo and the capacity tables come between and after these blocks.
  const std::string report = project.report();
  EXPECT_EQ(report.substr(0, expected.size()), expected);
  EXPECT_TRUE(contains(report, resultHeading));

  const std::string console = project.console();
  EXPECT_TRUE(contains(console, "  VORNE for Windows, Version 2014.6.5"));
  EXPECT_TRUE(contains(console, "\n\n         COMPUTATION IS PROCEEDING........\n"));
  EXPECT_FALSE(contains(console, "NO SOIL"));
}

TEST(Run, SoilDepthChecks) {
  // Required soil depth: 60 ft embedded + 2 x 24 in = 64 ft.
  struct Case {
    const char* name;
    const char* deepestLine;    // line 9: deepest soil depth, section area
    const char* lastPointLine;  // line 16: depth of the last soil point
    int32_t status;
    bool noSoilWarning;
  };
  const Case kCases[] = {
      {"deep enough", "80 0", "80 2 0.0 50 0.0 0.0", kVorneStatusFinished, false},
      {"ends exactly at the required depth", "64 0", "64 2 0.0 50 0.0 0.0", kVorneStatusFinished,
       false},
      {"last point shallow, deepest depth enough", "64 0", "63.9 2 0.0 50 0.0 0.0",
       kVorneStatusFinished, true},
      {"deepest depth shallow", "63.99 0", "63.99 2 0.0 50 0.0 0.0", kVorneStatusStopped, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    Project project(
        replaceLine(replaceLine(minimalDataFile(), 9, c.deepestLine), 16, c.lastPointLine));
    EXPECT_EQ(project.run(), c.status);
    const std::string console = project.console();
    const std::string report = project.report();
    EXPECT_EQ(contains(console,
                       "\n\n\n          COMPUTATION DOES NOT PROCEED BECAUSE NO SOIL INFORMATION\n"
                       "          WAS PROVIDED AT THE DEPTH      64.00 FT.\n"
                       "          PLEASE NOTE THAT SOIL SHOULD EXTEND AT LEAST THE \n"
                       "           PILE LENGTH PLUS TWO PILE DIAMETERS\n"),
              c.noSoilWarning);
    if (c.status == kVorneStatusStopped) {
      // The report ends with the stop message: no input heading.
      const std::string stop =
          "\n\n          COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE   63.99 "
          "FT.\n"
          "          IS LESS THAN PILE EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER      64.00 "
          "FT.\n";
      ASSERT_GE(report.size(), stop.size());
      EXPECT_EQ(report.substr(report.size() - stop.size()), stop);
      EXPECT_FALSE(contains(report, "INPUT INFORMATION"));
      EXPECT_FALSE(contains(console, "PROCEEDING"));
    } else {
      EXPECT_TRUE(contains(report, "* COMPUTATION RESULT *"));
    }
  }
}

TEST(Run, SegmentCountLimit) {
  // 100 ft at 0.2 ft is 500 segments and runs; at 0.19 ft it is 526 and stops.
  EXPECT_EQ(segmentCount(100.0, 0.2), 500);
  EXPECT_EQ(segmentCount(100.0, 0.19), 526);
  EXPECT_EQ(segmentCount(80.0, 0.5), 160);
  EXPECT_EQ(segmentCount(1.0e300, 1.0e-300), 1000000000000000LL);

  const std::string base =
      replaceLine(replaceLine(minimalDataFile(), 9, "100 0"), 16, "100 2 0.0 50 0.0 0.0");
  Project fits(replaceLine(base, 7, "0 0.2 1 0 4 1 0"));
  EXPECT_EQ(fits.run(), kVorneStatusFinished) << fits.console();

  Project tooMany(replaceLine(base, 7, "0 0.19 1 0 4 1 0"));
  EXPECT_EQ(tooMany.run(), kVorneStatusStopped);
  const std::string message =
      "\n\n YOUR NUMBERS OF SEGMENT  526 IS LARGER THAN\n"
      " DEFAULT VALUE 500. YOU MIGHT WANT TO CHANGE THE LENGTH OF \n"
      " SEGMENT OR CONSULT TOVRIN, INC. FOR CHANGING THE DEFAULT VALUE\n";
  const std::string report = tooMany.report();
  const std::size_t heading = report.find("* COMPUTATION RESULT *");
  ASSERT_NE(heading, std::string::npos);
  EXPECT_NE(report.find(message, heading), std::string::npos) << report;
  EXPECT_TRUE(contains(tooMany.console(), message));
}

TEST(Run, SnapsSoilPointsToTheIncrement) {
  struct Case {
    const char* name;
    std::vector<double> depths;
    double increment;
    std::vector<double> snapped;
  };
  const Case kCases[] = {
      {"thinner than half an increment becomes a step", {10.0, 10.3}, 1.0, {10.0, 10.0}},
      {"between half and one increment is widened", {10.0, 10.7}, 1.0, {10.0, 11.0}},
      {"exactly half an increment is widened", {0.0, 0.5}, 1.0, {0.0, 1.0}},
      {"thick layers stay", {0.0, 0.0, 4.0, 4.0, 9.25}, 0.5, {0.0, 0.0, 4.0, 4.0, 9.25}},
      // The widened layer pushes the next point: 10.7 -> 11.0, then 11.2 is within half of 11.0.
      {"a widened layer shifts the next gap",
       {10.0, 10.7, 11.2, 14.0},
       1.0,
       {10.0, 11.0, 11.0, 14.0}},
      {"depths out of order collapse to a step", {5.0, 3.0}, 1.0, {5.0, 5.0}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    std::vector<SoilPoint> points(c.depths.size());
    for (std::size_t k = 0; k < points.size(); ++k) points[k].depth = c.depths[k];
    snapSoilPointDepths(points, c.increment);
    for (std::size_t k = 0; k < points.size(); ++k) EXPECT_DOUBLE_EQ(points[k].depth, c.snapped[k]);
  }
}

TEST(Run, NamesFileWithEightLines) {
  Project project(minimalDataFile());
  EXPECT_EQ(project.runFromNames(8, ""), kVorneStatusFinished) << project.console();
  EXPECT_FALSE(contains(project.console(), "ENTER"));
  // Line 1 is the version; CR LF line ends leave no carriage return in paths or the version.
  EXPECT_TRUE(contains(project.report(), "Version 2014.6.5    \n"));
  EXPECT_TRUE(contains(project.report(), "Name of input data file     : pile.vr6d\n"));
}

TEST(Run, NamesFileWithFourLinesPromptsForThreePaths) {
  Project project(minimalDataFile());
  const RunPaths& p = project.paths();
  const std::string answers = p.dataFile + "\n" + p.reportFile + "\r\n" + p.plotFile + "\n";
  EXPECT_EQ(project.runFromNames(4, answers), kVorneStatusFinished) << project.console();
  const std::string console = project.console();
  EXPECT_TRUE(contains(console, "\n\n       ENTER A FILE NAME FOR YOUR INPUT FILE.\n ENTER >"));
  EXPECT_TRUE(contains(console, "\n\n       ENTER A FILE NAME FOR YOUR OUTPUT FILE.\n ENTER >"));
  EXPECT_TRUE(
      contains(console, "\n\n       ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE.\n ENTER >"));
  EXPECT_TRUE(contains(project.report(), "* COMPUTATION RESULT *"));
}

TEST(Run, StopsOnUnusableNamesFileOrConsole) {
  struct Case {
    const char* name;
    int lines;  // 0: no names file at all
    const char* answers;
    const char* message;
  };
  const Case kCases[] = {
      {"no names file", 0, "", "names.dat: the names file cannot be opened"},
      {"three lines", 3, "", "names.dat, line 4: the file ends early"},
      {"prompts answered by a closed console", 4, "", "the console input is closed"},
      {"prompt answered by an empty line", 4, "\n", "no file name was entered"},
      {"second prompt unanswered", 5, "x.vr6d\n", "the console input is closed"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    Project project(minimalDataFile());
    int32_t status = 0;
    if (c.lines == 0) {
      std::ostringstream console;
      std::istringstream in;
      status = runFromNamesFile(project.dir().file("names.dat"), console, in);
      EXPECT_TRUE(contains(console.str(), c.message)) << console.str();
    } else {
      status = project.runFromNames(c.lines, c.answers);
      EXPECT_TRUE(contains(project.console(), c.message)) << project.console();
    }
    EXPECT_EQ(status, kVorneStatusStopped);
    EXPECT_FALSE(std::filesystem::exists(project.paths().reportFile));
  }
}

TEST(Run, BadInputStopsWithMessageInReport) {
  struct Case {
    const char* name;
    std::string data;  // data file text
    const char* cpt;   // CPT file text; nullptr: no CPT file
    const char* message;
  };
  const std::string base = minimalDataFile();
  const Case kCases[] = {
      {"ends early", base.substr(0, 40), nullptr, "pile.vr6d, line 5: the file ends before"},
      {"not a number", replaceLine(base, 9, "eighty 0"), nullptr,
       "pile.vr6d, line 9: \"eighty\" is not a number"},
      {"NaN", replaceLine(base, 5, "0 0 NaN 23 29000000 60 0"), nullptr, "is not a finite number"},
      {"infinity", replaceLine(base, 9, "-Infinity 0"), nullptr, "is not a finite number"},
      {"soil points over the limit", replaceLine(base, 4, "1 1 200"), nullptr,
       "the number of soil points 200 is more than the limit of 80"},
      {"negative count", replaceLine(base, 4, "1 1 -4"), nullptr,
       "the number of soil points -4 is negative"},
      {"malformed CPT file", base, " 1 2\n 1.0 2.0\n", "pile.cpt, line 3: the file ends before"},
      {"CPT points over the limit", base, " 1 5000\n",
       "the number of CPT points 5000 is more than the limit of 1000"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    Project project(c.data);
    if (c.cpt != nullptr) writeFile(project.paths().cptFile, c.cpt);
    EXPECT_EQ(project.run(), kVorneStatusStopped);
    EXPECT_TRUE(contains(project.report(), c.message)) << project.report();
    EXPECT_TRUE(contains(project.console(), c.message));
    EXPECT_FALSE(contains(project.report(), "INPUT INFORMATION"));
  }
}

// Values the report or the plot data file could not print in their fixed fields stop the run with
// the field named, before the input echo; the plot data file then holds no asterisks for its
// reader to refuse. A strength that passes the input check but gives capacities too large for
// their columns stops the method that computed them.
TEST(Run, RefusesValuesItsLayoutsCannotPrint) {
  struct Case {
    const char* name;
    std::string data;
    const char* message;
    bool echoed;  // the input echo is written before the stop
  };
  const std::string base = minimalDataFile();
  const Case kCases[] = {
      {"su 1e11 psf", replaceLine(base, 17, "0 0 1e11 600 1.5 25 18000 0 0 0.8 0.9"),
       "pile.vr6d: soil point 4: the undisturbed shear strength 100000000 KSF is more than 99999.999, "
       "the most its report and plot data columns can print",
       false},
      {"OD 1e8 in", replaceLine(base, 5, "0 0 1e8 23 29000000 60 0"),
       "the outside diameter 100000000 IN. is more than 9999999.99", false},
      {"plasticity index 5000", replaceLine(base, 17, "0 0 1200 600 1.5 5000 18000 0 0 0.8 0.9"),
       "soil point 4: the plasticity index 5000 % is more than 999.99", false},
      {"factor 200000", replaceLine(base, 13, "1400 60000 0.0 25 0.0 0.0 100000 0 0 200000 0.7"),
       "soil point 2: the factor on unit friction 200000 is more than 9999.999", false},
      // 99999 ksf passes the su limit; 9 su over the 3.14 ft2 tip of the closed 24 in pile in the
      // clay is some 2.8e6 kips, beyond the F8.1 column (999999.9).
      {"end bearing beyond F8.1",
       replaceLine(replaceLine(replaceLine(base, 5, "0 0 24 0 29000000 60 0"), 15,
                               "0 0 99999000 0 1.5 25 12000 0 0 1 1"),
                   17, "0 0 99999000 0 1.5 25 18000 0 0 1 1"),
       "API RP 2A method: the end bearing ", true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    Project project(c.data);
    EXPECT_EQ(project.run(), kVorneStatusStopped);
    EXPECT_TRUE(contains(project.report(), c.message)) << project.report();
    EXPECT_TRUE(contains(project.console(), c.message)) << project.console();
    EXPECT_EQ(contains(project.report(), "INPUT INFORMATION"), c.echoed);
    EXPECT_FALSE(contains(readFile(project.paths().plotFile), "*"));
  }
}

TEST(Run, StopsWhenFilesCannotBeUsed) {
  {
    SCOPED_TRACE("data file missing");
    Project project(minimalDataFile());
    std::filesystem::remove(project.paths().dataFile);
    EXPECT_EQ(project.run(), kVorneStatusStopped);
    EXPECT_TRUE(
        contains(project.report(), "pile.vr6d: the data file cannot be opened for reading"));
  }
  {
    SCOPED_TRACE("report in a missing folder");
    Project project(minimalDataFile());
    project.paths().reportFile = project.dir().file("no/such/folder/pile.vr6o");
    EXPECT_EQ(project.run(), kVorneStatusStopped);
    EXPECT_TRUE(contains(project.console(), "the report cannot be opened for writing"));
  }
  {
    SCOPED_TRACE("plot data file in a missing folder");
    Project project(minimalDataFile());
    project.paths().plotFile = project.dir().file("no/such/folder/pile.vr6p");
    EXPECT_EQ(project.run(), kVorneStatusStopped);
    EXPECT_TRUE(contains(project.report(), "the plot data file cannot be opened for writing"));
  }
  {
    SCOPED_TRACE("data file is a folder");
    Project project(minimalDataFile());
    project.paths().dataFile = project.dir().path().string();
    EXPECT_EQ(project.run(), kVorneStatusStopped);
    EXPECT_TRUE(contains(project.report(), "is a folder"));
  }
  {
    SCOPED_TRACE("increment longer than the soil profile");
    Project project(replaceLine(minimalDataFile(), 7, "0 100 1 0 4 1 0"));
    EXPECT_EQ(project.run(), kVorneStatusStopped);
    EXPECT_TRUE(contains(project.report(), "the increment of pile length 100 is longer than"));
  }
  {
    SCOPED_TRACE("report named like the data file");
    Project project(minimalDataFile());
    project.paths().reportFile = project.paths().dataFile;
    EXPECT_EQ(project.run(), kVorneStatusStopped);
    EXPECT_EQ(readFile(project.paths().dataFile), minimalDataFile());
  }
}

TEST(Run, CptFileIsOptional) {
  Project noFile(minimalDataFile());
  EXPECT_EQ(noFile.run(), kVorneStatusFinished) << noFile.console();

  Project noPath(minimalDataFile());
  noPath.paths().cptFile.clear();
  EXPECT_EQ(noPath.run(), kVorneStatusFinished) << noPath.console();

  Project withFile(minimalDataFile());
  writeFile(withFile.paths().cptFile, " 1 2\r\n  1.00E+00  1.25E+01\r\n  2.00E+00  2.50E+01\r\n");
  EXPECT_EQ(withFile.run(), kVorneStatusFinished) << withFile.console();
}

TEST(Run, StoppedRunLeavesNoEarlierPlotData) {
  Project project(replaceLine(minimalDataFile(), 9, "bad 0"));
  writeFile(project.paths().plotFile, "curves of an earlier run\n");
  EXPECT_EQ(project.run(), kVorneStatusStopped);
  ASSERT_TRUE(std::filesystem::exists(project.paths().plotFile));
  EXPECT_EQ(readFile(project.paths().plotFile), "");
}

TEST(Run, BundledExampleRuns) {
  const std::string examples = std::string(VORNE_TEST_DATA) + "/../../examples/";
  TempDir dir;
  RunPaths paths{examples + "steel_pipe_layered.vr6d", dir.file("example.vr6o"),
                 dir.file("example.vr6p"), examples + "steel_pipe_layered.cpt"};
  std::ostringstream console;
  std::istringstream in;
  EXPECT_EQ(runAnalysis(paths, "2014.6.5", console, in), kVorneStatusFinished) << console.str();
  EXPECT_TRUE(contains(readFile(paths.reportFile),
                       "          Steel pipe pile, 24 in OD open-ended, in layered sand and clay"));
}

}  // namespace
}  // namespace vorne
