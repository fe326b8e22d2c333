// Reader of the project data file and the CPT side file: layout, free-format records, load-time
// adjustments, and refusal of broken input.
#include "io/data_file_reader.h"

#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <sstream>
#include <string>

#include "test_files.h"

namespace vorne {
namespace {

using test::minimalDataFile;
using test::replaceLine;

// Depths and stresses are read from short decimal text; they need only survive a division.
constexpr double kTolerance = 1e-12;

TEST(DataFileReader, ReadsEveryBlockOfTheCurrentLayout) {
  const std::string text =
      test::readFile(std::string(VORNE_TEST_DATA) + "/reader_full_layout.vr6d");
  AnalysisInput input;
  const ReadResult result = readDataFile(text, "full.vr6d", input);
  ASSERT_TRUE(result.ok) << result.message;

  // The title is cut to 72 characters and carries no carriage return.
  EXPECT_EQ(input.title.size(), kTextLineLength);
  EXPECT_EQ(
      input.title,
      std::string("Full layout: every optional block, records over lines, commas, extra val"));
  EXPECT_EQ(input.designer, "A. Designer");
  EXPECT_EQ(input.jobNumber, "JOB-42");
  EXPECT_EQ(input.units, 1);
  EXPECT_EQ(input.printIncrement, 2);
  ASSERT_EQ(input.soilPoints.size(), 6u);

  // Pile record continued over two lines; the enhanced-end record with trailing words.
  EXPECT_EQ(input.pile.outsideDiameter, 24.0);
  EXPECT_EQ(input.pile.insideDiameter, 23.0);
  EXPECT_EQ(input.pile.elasticModulus, 29000000.0);
  EXPECT_EQ(input.pile.pileLength, 60.0);
  EXPECT_EQ(input.pile.stickupLength, 2.0);
  EXPECT_EQ(input.pile.enhancedEndLength, 5.0);
  EXPECT_EQ(input.pile.enhancedEndInsideDiameter, 22.5);
  EXPECT_EQ(input.pile.lengthIncrement, 0.5);
  EXPECT_EQ(input.pile.pileType, 1);
  EXPECT_EQ(input.loadTransferMethod, 4);
  EXPECT_EQ(input.offshoreParameters, 1);
  EXPECT_EQ(input.reducedLoadTransfer, 1);
  const std::array<int, 10> selected = {0, 1, 1, 1, 1, 0, 1, 1, 1, 1};
  EXPECT_EQ(input.methodSelected, selected);
  EXPECT_EQ(input.deepestSoilDepth, 80.0);
  EXPECT_EQ(input.pile.sectionArea, 36.91);

  // Point 2: second record split over two lines by commas and a trailing comma.
  const SoilPoint& sand = input.soilPoints[1];
  EXPECT_EQ(sand.depth, 20.0);
  EXPECT_EQ(sand.soilType, 1);
  EXPECT_NEAR(sand.maxUnitFriction, 1.4, kTolerance);  // 1400 psf
  EXPECT_NEAR(sand.maxUnitBearing, 60.0, kTolerance);
  EXPECT_EQ(sand.blowCountOrYsr, 12.0);
  EXPECT_EQ(sand.remoldedShearStrength, 0.0);
  EXPECT_EQ(sand.coneResistance, 100000.0);  // kept in psf
  EXPECT_EQ(sand.endResistanceFactor, 0.7);

  // Point 3: clay with user unit load transfers in psf.
  const SoilPoint& clay = input.soilPoints[2];
  EXPECT_EQ(clay.soilType, 2);
  EXPECT_NEAR(clay.undrainedShearStrength, 0.8, kTolerance);
  EXPECT_NEAR(clay.remoldedShearStrength, 0.4, kTolerance);
  EXPECT_EQ(clay.blowCountOrYsr, 1.5);
  EXPECT_EQ(clay.plasticityIndex, 25.0);
  EXPECT_NEAR(clay.userUnitSkinFriction, 0.5, kTolerance);
  EXPECT_NEAR(clay.userUnitEndBearing, 20.0, kTolerance);
  EXPECT_TRUE(clay.frictionUnlimited);  // written as 0
  EXPECT_TRUE(clay.bearingUnlimited);

  // Point 4: after a blank line, a negative limit, and extra values at the end of the record.
  const SoilPoint& deepClay = input.soilPoints[3];
  EXPECT_TRUE(deepClay.frictionUnlimited);
  EXPECT_EQ(deepClay.maxUnitFriction, 9999999.0);
  EXPECT_EQ(deepClay.endResistanceFactor, 0.9);

  ASSERT_EQ(input.extraTzDepths.size(), 3u);
  EXPECT_EQ(input.extraTzDepths[1], 40.5);
  EXPECT_EQ(input.loadingType, 1);
  EXPECT_EQ(input.tensionReductionFactor, 0.8);
  EXPECT_EQ(input.clayDrained, 1);
  EXPECT_EQ(input.plugCondition, 2);
  // Three area rows, each on its own line.
  EXPECT_EQ(input.pile.areaOption, 2);
  ASSERT_EQ(input.pile.areaTable.size(), 3u);
  EXPECT_EQ(input.pile.areaTable[2].depth, 70.0);
  EXPECT_EQ(input.pile.areaTable[2].area, 40.0);
  EXPECT_EQ(input.criticalDepthOption, 2);
  EXPECT_EQ(input.userCriticalDepth, 45.0);
}

TEST(DataFileReader, LoadTimeAdjustments) {
  struct Case {
    const char* name;
    std::string text;
    void (*check)(const AnalysisInput&);
  };
  // minimalDataFile: English, circular 24/23 in pile of 60 ft, sand 0-40 ft and clay 40-80 ft.
  const Case kCases[] = {
      {"circular pile keeps its diameters", minimalDataFile(),
       [](const AnalysisInput& in) {
         EXPECT_EQ(in.pile.outsideDiameter, 24.0);
         EXPECT_EQ(in.pile.insideDiameter, 23.0);
         EXPECT_EQ(in.pile.noncircularTipArea, 0.0);
       }},
      {"noncircular pile of perimeter 31.416 in",
       replaceLine(minimalDataFile(), 5, "31.416 144 24 23 29000000 60 0"),
       [](const AnalysisInput& in) {
         EXPECT_NEAR(in.pile.outsideDiameter, 10.0, 1e-12);
         EXPECT_EQ(in.pile.insideDiameter, 0.0);
         EXPECT_EQ(in.pile.outsideDiameterAsRead, 24.0);
         EXPECT_NEAR(in.pile.noncircularTipArea, 1.0, 1e-12);  // 144 in2 = 1 ft2
         EXPECT_EQ(in.pile.noncircularTipAreaAsRead, 144.0);
         // No enhanced end: its inside diameter follows the adjusted (zero) pile ID.
         EXPECT_EQ(in.pile.enhancedEndInsideDiameter, 0.0);
       }},
      {"SI tip area stays in m2",
       replaceLine(replaceLine(minimalDataFile(), 4, "2 1 4"), 5, "1000 0.08 300 0 2e8 20 0"),
       [](const AnalysisInput& in) {
         EXPECT_EQ(in.pile.noncircularTipArea, 0.08);
         EXPECT_NEAR(in.pile.outsideDiameter, 1000 / 3.1416, 1e-9);
       }},
      {"no enhanced end takes the pile length and ID", minimalDataFile(),
       [](const AnalysisInput& in) {
         EXPECT_EQ(in.pile.enhancedEndLength, 60.0 - 1.0e-7);
         EXPECT_EQ(in.pile.enhancedEndInsideDiameter, 23.0);
       }},
      {"an enhanced end of 1e-5 is kept", replaceLine(minimalDataFile(), 6, "1e-5 20"),
       [](const AnalysisInput& in) {
         EXPECT_EQ(in.pile.enhancedEndLength, 1e-5);
         EXPECT_EQ(in.pile.enhancedEndInsideDiameter, 20.0);
       }},
      {"sand blow count 25 moves out of the remolded slot", minimalDataFile(),
       [](const AnalysisInput& in) {
         EXPECT_EQ(in.soilPoints[0].blowCountOrYsr, 25.0);
         EXPECT_EQ(in.soilPoints[0].remoldedShearStrength, 0.0);
       }},
      {"English stresses to ksf, PI and qc as read", minimalDataFile(),
       [](const AnalysisInput& in) {
         const SoilPoint& clay = in.soilPoints[2];
         EXPECT_NEAR(clay.undrainedShearStrength, 0.8, 1e-12);
         EXPECT_NEAR(clay.remoldedShearStrength, 0.4, 1e-12);
         EXPECT_EQ(clay.blowCountOrYsr, 1.5);  // clay keeps its YSR
         EXPECT_EQ(clay.plasticityIndex, 25.0);
         EXPECT_EQ(clay.coneResistance, 12000.0);
         EXPECT_NEAR(in.soilPoints[0].maxUnitFriction, 1.4, 1e-12);
       }},
      {"SI stresses unchanged",
       replaceLine(replaceLine(minimalDataFile(), 4, "2 1 4"), 15,
                   "50 0 40 20 1.5 25 600 10 300 0.8 0.9"),
       [](const AnalysisInput& in) {
         const SoilPoint& clay = in.soilPoints[2];
         EXPECT_EQ(clay.maxUnitFriction, 50.0);
         EXPECT_EQ(clay.undrainedShearStrength, 40.0);
         EXPECT_EQ(clay.userUnitSkinFriction, 10.0);
         EXPECT_EQ(clay.userUnitEndBearing, 300.0);
       }},
      {"zero limits become unlimited", minimalDataFile(),
       [](const AnalysisInput& in) {
         const SoilPoint& clay = in.soilPoints[2];
         EXPECT_TRUE(clay.frictionUnlimited);
         EXPECT_TRUE(clay.bearingUnlimited);
         EXPECT_EQ(clay.maxUnitFriction, 9999999.0);
         EXPECT_EQ(clay.maxUnitBearing, 9999999.0);
         EXPECT_FALSE(in.soilPoints[0].frictionUnlimited);
       }},
      {"a limit of 1e-11 ksf counts as none",
       replaceLine(minimalDataFile(), 11, "1e-8 60000 0.0 25 0.0 0.0 100000 0 0 0.7 0.7"),
       [](const AnalysisInput& in) { EXPECT_TRUE(in.soilPoints[0].frictionUnlimited); }},
      {"Fortran-style reals and whole-number integers",
       replaceLine(replaceLine(minimalDataFile(), 4, "1.0 1. 4"), 5,
                   "0 0 2.4D+01 .23E2 29000000 +60. 0"),
       [](const AnalysisInput& in) {
         EXPECT_EQ(in.units, 1);
         EXPECT_EQ(in.pile.outsideDiameter, 24.0);
         EXPECT_EQ(in.pile.insideDiameter, 23.0);
         EXPECT_EQ(in.pile.pileLength, 60.0);
       }},
      {"LF, CR LF and tabs", test::withCrLf(replaceLine(minimalDataFile(), 7, "0\t0.5\t1 0 4 1 0")),
       [](const AnalysisInput& in) {
         EXPECT_EQ(in.pile.lengthIncrement, 0.5);
         EXPECT_EQ(in.title, "Minimal test pile");
       }},
      {"one area row is not followed by rows", replaceLine(minimalDataFile(), 21, "1 1"),
       [](const AnalysisInput& in) {
         EXPECT_EQ(in.pile.areaOption, 1);
         EXPECT_TRUE(in.pile.areaTable.empty());
         EXPECT_EQ(in.criticalDepthOption, 0);
       }},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    AnalysisInput input;
    const ReadResult result = readDataFile(c.text, "test.vr6d", input);
    ASSERT_TRUE(result.ok) << result.message;
    c.check(input);
  }
}

TEST(DataFileReader, RefusesBrokenInputNamingFileLineAndLimit) {
  struct Case {
    const char* name;
    std::string text;
    const char* message;  // expected fragment
  };
  const std::string base = minimalDataFile();
  const Case kCases[] = {
      {"empty file", "", "test.vr6d, line 1: the file ends before the title"},
      {"ends after the soil points", base.substr(0, base.find("\n0\n0 1\n")),
       "line 18: the file ends before extra t-z depths flag"},
      {"word instead of a number", replaceLine(base, 5, "0 0 24 abc 29000000 60 0"),
       "line 5: \"abc\" is not a number (inside diameter)"},
      {"NaN", replaceLine(base, 5, "0 0 nan 23 29000000 60 0"),
       "\"nan\" is not a finite number (outside diameter)"},
      {"infinity", replaceLine(base, 9, "inf 0"), "line 9: \"inf\" is not a finite number"},
      {"overflowing real", replaceLine(base, 9, "1e999 0"), "\"1e999\" is out of range"},
      {"fraction for an integer", replaceLine(base, 4, "1 2.5 4"),
       "line 4: \"2.5\" is not a whole number (print increment)"},
      {"integer too large", replaceLine(base, 4, "1 1 99999999999"), "is out of range"},
      {"two commas leave a value out", replaceLine(base, 5, "0,0,,24 23 29000000 60 0"),
       "line 5: empty value before \",\""},
      {"too many soil points", replaceLine(base, 4, "1 1 81"),
       "line 4: the number of soil points 81 is more than the limit of 80"},
      {"negative soil points", replaceLine(base, 4, "1 1 -2"),
       "the number of soil points -2 is negative"},
      {"no soil points", replaceLine(base, 4, "1 1 0"), "the number of soil points is 0"},
      {"too many extra t-z depths", replaceLine(replaceLine(base, 18, "1"), 19, "101 ..."),
       "line 19: the number of extra t-z depths 101 is more than the limit of 100"},
      {"negative extra t-z depths", replaceLine(replaceLine(base, 18, "1"), 19, "-1"),
       "the number of extra t-z depths -1 is negative"},
      {"too many area rows", replaceLine(base, 21, "101 2"),
       "line 21: the number of area rows 101 is more than the limit of 100"},
      {"negative area rows", replaceLine(base, 21, "-5 2"), "number of area rows -5 is negative"},
      {"area rows missing", replaceLine(base, 21, "3 2"), "the file ends before area row 2, depth"},
      {"units 3", replaceLine(base, 4, "3 1 4"),
       "line 4: the units 3 must be 1 (English) or 2 (SI)"},
      {"print increment 0", replaceLine(base, 4, "1 0 4"),
       "the print increment 0 must be at least 1"},
      {"length increment 0", replaceLine(base, 7, "0 0 1 0 4 1 0"),
       "line 7: the increment of pile length 0 must be greater than 0"},
      {"pile type 8", replaceLine(base, 7, "0 0.5 8 0 4 1 0"), "the pile type 8 must be 1 to 7"},
      {"load-transfer method 10", replaceLine(base, 7, "0 0.5 1 0 10 1 0"),
       "the method for unit load transfers 10 must be 1 to 9"},
      {"soil type 3", replaceLine(base, 12, "40 3 0.8 115 30 12"),
       "line 12: soil point 2: the soil type 3 must be 1 (sand) or 2 (clay)"},
      {"profile below the surface", replaceLine(base, 10, "2.0 1 0.8 115 30 12"),
       "soil point 1: the depth 2 must be 0"},
      {"negative OD", replaceLine(base, 5, "0 0 -24 23 29000000 60 0"),
       "line 5: the outside diameter -24 must not be negative"},
      {"negative enhanced end", replaceLine(base, 6, "-5 0"),
       "line 6: the length of the enhanced end section -5 must not be negative"},
      {"negative soil depth", replaceLine(base, 12, "-40 1 0.8 115 30 12"),
       "line 12: the depth of soil point 2 -40 must not be negative"},
      {"stick-up as long as the pile", replaceLine(base, 5, "0 0 24 23 29000000 60 60"),
       "the embedded length (pile length 60 less stick-up 60) must be greater than 0"},
      {"bad value inside a soil point",
       replaceLine(base, 13, "1400 60000 0.0 25 0.0 0.0 x12 0 0 0.7 0.7"),
       "line 13: \"x12\" is not a number (soil point 2, cone resistance)"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    AnalysisInput input;
    const ReadResult result = readDataFile(c.text, "test.vr6d", input);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find(c.message), std::string::npos) << result.message;
    EXPECT_EQ(result.message.find('\n'), std::string::npos) << "one line";
  }
}

TEST(DataFileReader, DecimalPointWhateverTheLocale) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  AnalysisInput input;
  const ReadResult result =
      readDataFile(replaceLine(minimalDataFile(), 7, "0 0.25 1 0 4 1 0"), "test.vr6d", input);
  std::setlocale(LC_ALL, saved.c_str());
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(input.pile.lengthIncrement, 0.25);
}

TEST(CptFileReader, ReadsPointsAndRefusesBrokenFiles) {
  CptData cpt;
  ReadResult result = readCptFile(
      " 1 3\r\n  1.00E+00  1.25E+01\r\n  2.00E+00  2.50E+01\r\n"
      "  3.00E+00  3.75E+01\r\n",
      "p.cpt", cpt);
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(cpt.cptUnits, 1);
  ASSERT_EQ(cpt.points.size(), 3u);
  EXPECT_EQ(cpt.points[2].depth, 3.0);
  EXPECT_EQ(cpt.points[2].qc, 37.5);

  result = readCptFile(" 2 0\n", "p.cpt", cpt);
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(cpt.cptUnits, 2);
  EXPECT_TRUE(cpt.points.empty());

  struct Case {
    const char* name;
    const char* text;
    const char* message;
  };
  const Case kCases[] = {
      {"empty", "", "p.cpt, line 1: the file ends before CPT units"},
      {"too many points", " 1 1001\n",
       "the number of CPT points 1001 is more than the limit of 1000"},
      {"negative count", " 1 -1\n", "the number of CPT points -1 is negative"},
      {"units 0", " 0 2\n", "the CPT units 0 must be 1 (English) or 2 (SI)"},
      {"short", " 1 2\n  1.0E+00 2.0E+01\n", "line 3: the file ends before CPT point 2, depth"},
      {"NaN qc", " 1 1\n  1.0 NaN\n", "line 2: \"NaN\" is not a finite number (CPT point 1, cone"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    result = readCptFile(c.text, "p.cpt", cpt);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find(c.message), std::string::npos) << result.message;
  }
}

}  // namespace
}  // namespace vorne
