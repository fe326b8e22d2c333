// The input echo of the report, against text written from the report layouts.
#include "io/input_echo.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace vorne {
namespace {

std::string pad(int count) { return std::string(static_cast<std::size_t>(count), ' '); }

SoilPoint point(double depth, SoilType type) {
  SoilPoint p;
  p.depth = depth;
  p.soilType = static_cast<int>(type);
  return p;
}

// A 24 x 22 in steel pipe, 60 ft with 5 ft stick-up, in sand over clay; USACE and API, tension.
AnalysisInput steelPipe() {
  AnalysisInput input;
  input.units = 1;
  input.loadTransferMethod = 4;
  input.methodSelected[2] = 1;
  input.methodSelected[4] = 1;
  input.criticalDepthOption = 2;
  input.userCriticalDepth = 12.5;
  input.loadingType = 1;
  input.tensionReductionFactor = 0.8;
  input.plugCondition = 1;
  PileProperties& pile = input.pile;
  pile.pileType = 1;
  pile.elasticModulus = 29.0e6;
  pile.outsideDiameter = pile.outsideDiameterAsRead = 24.0;
  pile.insideDiameter = 22.0;
  pile.pileLength = 60.0;
  pile.stickupLength = 5.0;
  pile.zeroFrictionLength = 2.0;
  pile.lengthIncrement = 0.5;
  pile.enhancedEndLength = 3.0;
  pile.enhancedEndInsideDiameter = 20.0;

  for (double depth : {0.0, 10.0}) {
    SoilPoint p = point(depth, SoilType::Sand);
    p.earthPressureCoefficient = 0.8;
    p.effectiveUnitWeight = 115.0;
    p.frictionAngle = 30.0;
    p.bearingFactorNq = 12.0;
    p.maxUnitFriction = 1.4;
    p.maxUnitBearing = 9999999.0;
    p.bearingUnlimited = true;
    p.blowCountOrYsr = 10.0;
    p.coneResistance = 104000.0;
    p.sideResistanceFactor = 0.7;
    p.endResistanceFactor = 0.65;
    input.soilPoints.push_back(p);
  }
  for (double depth : {10.0, 30.0}) {
    SoilPoint p = point(depth, SoilType::Clay);
    p.effectiveUnitWeight = 50.0;
    p.maxUnitFriction = 9999999.0;
    p.frictionUnlimited = true;
    p.maxUnitBearing = 40.0;
    p.undrainedShearStrength = depth < 20.0 ? 0.6 : 0.9;
    p.remoldedShearStrength = depth < 20.0 ? 0.3 : 0.45;
    p.blowCountOrYsr = 1.5;
    p.plasticityIndex = 25.0;
    p.coneResistance = depth < 20.0 ? 9000.0 : 13500.0;
    p.sideResistanceFactor = 0.8;
    p.endResistanceFactor = 0.9;
    input.soilPoints.push_back(p);
  }
  return input;
}

TEST(InputEcho, SteelPipeInSandOverClay) {
  const AnalysisInput input = steelPipe();
  std::ostringstream out;
  writeInputEcho(out, input, UnitLabels::forUnits(1));
  const std::string in = pad(10);
  const std::string expected =
      "\n\n" + in + "METHOD FOR UNIT LOAD TRANSFERS : \n\n" + in +
      "- API RP 2A (American Petroleum Institute)\n" + in +
      "  Unfactored Unit Side Friction and Unit Side Resistance are used.\n" + "\n\n\n" + in +
      "COMPUTATION METHOD(S) FOR PILE CAPACITY : \n\n" + in +
      "- USACE (U.S. Army Corps of Engineers)\n" + in + "  # Critical Depth Method for Sand:\n" +
      in + "    At User-Specified Critical Depth =     12.50 FT.\n" + in +
      "- API RP 2A (American Petroleum Institute)\n" + "\n\n" + in + "TYPE OF LOADING : \n" + in +
      "- TENSION  \n" + in + "  REDUCTION FACTOR FOR TENSION LOADING =      0.80\n" + "\n\n" + in +
      "PILE TYPE : \n\n" + in + "Steel pipe pile or non-tapered portion of monotube pile\n" +
      "\n\n" + in + "DATA FOR AXIAL STIFFNESS : \n\n" + in +
      "- MODULUS OF ELASTICITY     = 0.290E+08 PSI\n" +
      // pi/4 (24^2 - 22^2) with pi = 3.1416
      in + "- CROSS SECTION AREA        =     72.26 IN2\n" + "\n\n" + in +
      "CIRCULAR PILE PROPERTIES : \n\n" + in + "- OUTSIDE DIAMETER, OD      =     24.00 IN.\n" +
      in + "- INTERNAL DIAMETER, ID     =     22.00 IN.\n" + in +
      "- TOTAL PILE LENGTH, TL     =     60.00 FT.\n" + in +
      "- PILE STICKUP LENGTH, PSL  =      5.00 FT.\n" + in +
      "- ZERO FRICTION LENGTH, ZFL =      2.00 FT.\n" + in + "- INCREMENT OF PILE LENGTH\n" + in +
      "  USED IN COMPUTATION       =      0.50 FT.\n" + in + "- LENGTH OF ENHANCED \n" + in +
      "  END SECTION               =      3.00 FT.\n" + in + "- INTERNAL DIAMETER OF \n" + in +
      "  ENHANCED END SECTION      =     20.00 IN.\n" + "\n\n" + in +
      "PLUGGED/UNPLUGGED CONDITIONS : \n" + in + "Plugged for open-ended pile\n" + "\n\n\n" + in +
      "SOIL INFORMATIONS :\n\n" + in + pad(53) + "\n\n" + in +
      "                  LATERAL    EFFECTIVE    FRICTION   BEARING\n" + in +
      "          SOIL    EARTH      UNIT         ANGLE      CAPACITY\n" + in +
      " DEPTH    TYPE    PRESSURE   WEIGHT       DEGREES    FACTOR\n" + in + "  FT." + pad(24) +
      "LB/CF\n" + in + "   0.00   SAND      0.80       115.00        30.00     12.00\n" + in +
      "  10.00   SAND      0.80       115.00        30.00     12.00\n" + in +
      "  10.00   CLAY      0.00        50.00         0.00      0.00\n" + in +
      "  30.00   CLAY      0.00        50.00         0.00      0.00\n" + "\n\n\n" + in +
      "MAXIMUM   MAXIMUM   UNDISTURB  REMOLDED \n" + in +
      "UNIT      UNIT      SHEAR      SHEAR     BLOW   UNIT SKIN  UNIT END\n" + in +
      "FRICTION  BEARING   STRENGTH   STRENGTH  COUNT  FRICTION   BEARING\n" + in +
      "  KSF       KSF        KSF       KSF               KSF       KSF\n" + in +
      "0.14E+01  0.10E+08*       0.00      0.00  10.00       0.00      0.00\n" + in +
      "0.14E+01  0.10E+08*       0.00      0.00  10.00       0.00      0.00\n" + in +
      "0.10E+08* 0.40E+02        0.60      0.30   1.50       0.00      0.00\n" + in +
      "0.10E+08* 0.40E+02        0.90      0.45   1.50       0.00      0.00\n" + "\n" + in +
      "* MAXIMUM UNIT FRICTION AND/OR MAXIMUM UNIT BEARING \n" + in +
      "  WERE SET TO BE 0.10E+08 BECAUSE THE USER DOES NOT \n" + in +
      "  PLAN TO LIMIT THE COMPUTED DATA.\n" + "\n\n\n" + in +
      "         LRFD FACTOR  LRFD FACTOR    \n" + in + "          ON UNIT      ON UNIT       \n" +
      in + " DEPTH    FRICTION     BEARING   \n" + in + "  FT.\n" + in +
      "   0.00    0.700       0.650\n" + in + "  10.00    0.700       0.650\n" + in +
      "  10.00    0.800       0.900\n" + in + "  30.00    0.800       0.900\n" + "\n\n" + in +
      pad(53) + "\n\n" + in + "        PLASTIC    YIELD      Qc                             \n" +
      in + "         INDEX    STRESS     FROM                            \n" + in +
      " DEPTH     PI      RATIO     CPT                             \n" + in +
      "  FT.      %                 KSF\n" + in + "   0.00   0.00    10.00    0.104E+03\n" + in +
      "  10.00   0.00    10.00    0.104E+03\n" + in + "  10.00  25.00     1.50    0.900E+01\n" +
      in + "  30.00  25.00     1.50    0.135E+02\n";
  EXPECT_EQ(out.str(), expected);
}

TEST(InputEcho, NoncircularPileInSi) {
  AnalysisInput input = steelPipe();
  input.units = 2;
  input.loadTransferMethod = 1;
  input.reducedLoadTransfer = 1;
  input.methodSelected = {};
  input.methodSelected[1] = 1;
  input.loadingType = 0;
  PileProperties& pile = input.pile;
  pile.pileType = 6;
  pile.elasticModulus = 2.0e8;
  pile.noncircularPerimeter = 1500.0;
  pile.noncircularTipAreaAsRead = 0.0125;
  pile.areaOption = 1;
  pile.sectionArea = 0.0115;
  pile.pileLength = 18.0;
  pile.stickupLength = 0.0;
  pile.zeroFrictionLength = 0.0;
  pile.lengthIncrement = 0.1;
  std::ostringstream out;
  writeInputEcho(out, input, UnitLabels::forUnits(2));
  const std::string in = pad(10);
  const std::string expected =
      "\n\n" + in + "METHOD FOR UNIT LOAD TRANSFERS : \n\n" + in +
      "- FHWA (Federal Highway Administration)\n" + in +
      "  Reduced Unit Side Friction and Unit Side Resistance are used.\n" + "\n\n\n" + in +
      "COMPUTATION METHOD(S) FOR PILE CAPACITY : \n\n" + in +
      "- FHWA (Federal Highway Administration)\n" + "\n\n" + in + "TYPE OF LOADING : \n" + in +
      "- COMPRESSION  \n" + "\n\n" + in + "PILE TYPE : \n\n" + in + "H-Pile/Steel Pile\n" + "\n\n" +
      in + "DATA FOR AXIAL STIFFNESS : \n\n" + in +
      "- MODULUS OF ELASTICITY     = 0.200E+09 KPA\n" + in +
      "- CROSS SECTION AREA        =      0.01 M2 \n" + "\n\n" + in +
      "NONCIRCULAR PILE PROPERTIES : \n\n" + in + "- TOTAL PILE LENGTH, TL     =     18.00 M. \n" +
      in + "- PILE STICKUP LENGTH, PSL  =      0.00 M. \n" + in +
      "- ZERO FRICTION LENGTH, ZFL =      0.00 M. \n" + in +
      "- PERIMETER OF PILE         =   1500.00 MM.\n" + in +
      "- TIP AREA OF PILE          =      0.01 M2 \n" + in + "- INCREMENT OF PILE LENGTH\n" + in +
      "  USED IN COMPUTATION       =      0.10 M. \n" + "\n\n\n" + in + "SOIL INFORMATIONS :\n\n" +
      in + pad(53) + "\n\n" + in +
      "                  LATERAL    EFFECTIVE    FRICTION   BEARING\n" + in +
      "          SOIL    EARTH      UNIT         ANGLE      CAPACITY\n" + in +
      " DEPTH    TYPE    PRESSURE   WEIGHT       DEGREES    FACTOR\n" + in + "  M. " + pad(24) +
      "KN/CM\n";
  EXPECT_EQ(out.str().substr(0, expected.size()), expected);
  // SI cone resistance is shown as held, in kPa.
  EXPECT_NE(out.str().find(in + "   0.00   0.00    10.00    0.104E+06\n"), std::string::npos);
}

TEST(InputEcho, NoUnlimitedNoteWhenEveryLimitIsSet) {
  AnalysisInput input = steelPipe();
  for (SoilPoint& p : input.soilPoints) p.frictionUnlimited = p.bearingUnlimited = false;
  std::ostringstream out;
  writeInputEcho(out, input, UnitLabels::forUnits(1));
  EXPECT_EQ(out.str().find("* MAXIMUM UNIT FRICTION"), std::string::npos);
  EXPECT_EQ(out.str().find("0.10E+08*"), std::string::npos);
}

TEST(InputEcho, LinesThatDependOnTheOptions) {
  struct Case {
    const char* name;
    void (*edit)(AnalysisInput&);
    const char* present;
    const char* absent;
  };
  const Case kCases[] = {
      {"critical depth by density", [](AnalysisInput& in) { in.criticalDepthOption = 0; },
       "  # Critical Depth Method for Sand:\n"
       "              10 to 20 Pile Diameter based on the Density\n",
       "At User-Specified"},
      {"critical depth by stress", [](AnalysisInput& in) { in.criticalDepthOption = 1; },
       "              At Effective Stress Reaching 3,500 psf (185 kPa)\n", "10 to 20"},
      {"ICP/MTD drained clay",
       [](AnalysisInput& in) {
         in.methodSelected[7] = 1;
         in.clayDrained = 1;
       },
       "          - ICP/MTD (Imperial College of London)\n"
       "            # Use Drained Condition for Clay\n",
       "Undrained"},
      {"tapered timber pile with API",
       [](AnalysisInput& in) {
         in.pile.pileType = 2;
         in.pile.taperAngle = 0.5;
       },
       "          Timber pile\n"
       "          Angle of taper for a tapered pile  (degrees) =      0.50\n",
       "INTERNAL DIAMETER"},
      {"taper angle without API is not echoed",
       [](AnalysisInput& in) {
         in.pile.pileType = 2;
         in.pile.taperAngle = 0.5;
         in.methodSelected[4] = 0;
       },
       "          CIRCULAR PILE PROPERTIES : \n", "Angle of taper"},
      {"area along depth",
       [](AnalysisInput& in) {
         in.pile.areaOption = 2;
         in.pile.areaTable = {{0.0, 40.0}, {30.0, 72.5}};
       },
       "          - CROSS SECTION AREA ALONG DEPTH\n"
       "           DEPTH,FT.           AREA,IN2\n"
       "                0.00               40.00\n"
       "               30.00               72.50\n",
       "- CROSS SECTION AREA        ="},
      {"square precast pile",
       [](AnalysisInput& in) {
         in.pile.pileType = 3;
         in.pile.noncircularPerimeter = 48.0;
         in.pile.noncircularTipAreaAsRead = 144.0;
       },
       "          Precast concrete pile (Square/Rectangular/Orthogonal)\n"
       "\n\n          DATA FOR AXIAL STIFFNESS : \n\n"
       "          - MODULUS OF ELASTICITY     = 0.290E+08 PSI\n"
       "          - CROSS SECTION AREA        =    144.00 IN2\n",
       "\n          CIRCULAR PILE PROPERTIES"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    AnalysisInput input = steelPipe();
    c.edit(input);
    std::ostringstream out;
    writeInputEcho(out, input, UnitLabels::forUnits(1));
    EXPECT_NE(out.str().find(c.present), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find(c.absent), std::string::npos);
  }
}

}  // namespace
}  // namespace vorne
