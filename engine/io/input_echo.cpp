// Input echo of the report; see input_echo.h.
#include "io/input_echo.h"

#include <string>
#include <string_view>

#include "io/fortran_format.h"

namespace vorne {

using fmt::blanks;
using fmt::expField;
using fmt::fixedField;
using fmt::textField;

namespace {

// The echo works with pi to four decimals, as the published layouts do.
constexpr double kEchoPi = 3.1416;

std::string_view methodLine(int method) {
  switch (method) {
    case 1:
      return "- FHWA (Federal Highway Administration)";
    case 2:
      return "- USACE (U.S. Army Corps of Engineers)";
    case 3:
      return "- Revised Lambda";
    case 4:
      return "- API RP 2A (American Petroleum Institute)";
    case 5:
      return "- Load-transfer Units specified by User";
    case 6:
      return "- NGI (Norwegian Geotechnical Institute)";
    case 7:
      return "- ICP/MTD (Imperial College of London)";
    case 8:
      return "- FUGRO (Offshore Driven Piles in Sand)";
    case 9:
      return "- UWA (University of Western Australia)";
    default:
      return "";
  }
}

std::string label(std::string_view text) { return textField(text, 3); }

// 10X, the caption, F10.2 value, 1X, A3 unit.
void writeValueLine(std::ostream& report,
                    std::string_view caption,
                    double value,
                    std::string_view unit) {
  report << blanks(10) << caption << fixedField(value, 10, 2) << " " << label(unit) << "\n";
}

void writeLoadTransferMethod(std::ostream& report, const AnalysisInput& input) {
  report << "\n\n" << blanks(10) << "METHOD FOR UNIT LOAD TRANSFERS : \n\n";
  report << blanks(10) << methodLine(input.loadTransferMethod) << "\n";
  if (input.reducedLoadTransfer == 1) {
    report << blanks(10) << "  Reduced Unit Side Friction and Unit Side Resistance are used.\n";
  } else {
    report << blanks(10) << "  Unfactored Unit Side Friction and Unit Side Resistance are used.\n";
  }
}

void writeCapacityMethods(std::ostream& report,
                          const AnalysisInput& input,
                          const UnitLabels& labels) {
  report << "\n\n\n" << blanks(10) << "COMPUTATION METHOD(S) FOR PILE CAPACITY : \n\n";
  for (int method = 1; method <= kMethodCount; ++method) {
    if (input.methodSelected[static_cast<std::size_t>(method)] != 1) continue;
    report << blanks(10) << methodLine(method) << "\n";
    if (method == static_cast<int>(MethodId::Usace)) {
      report << blanks(10) << "  # Critical Depth Method for Sand:\n" << blanks(10);
      if (input.criticalDepthOption == 0) {
        report << "    10 to 20 Pile Diameter based on the Density\n";
      } else if (input.criticalDepthOption == 1) {
        report << "    At Effective Stress Reaching 3,500 psf (185 kPa)\n";
      } else {
        report << "    At User-Specified Critical Depth ="
               << fixedField(input.userCriticalDepth, 10, 2) << " " << label(labels.length) << "\n";
      }
    }
    if (method == static_cast<int>(MethodId::IcpMtd)) {
      report << blanks(10)
             << (input.clayDrained == 1 ? "  # Use Drained Condition for Clay"
                                        : "  # Use Undrained Condition for Clay")
             << "\n";
    }
  }
}

void writeLoading(std::ostream& report, const AnalysisInput& input) {
  const bool tension = input.loadingType == 1;
  report << "\n\n"
         << blanks(10) << "TYPE OF LOADING : \n"
         << blanks(10) << (tension ? "- TENSION  " : "- COMPRESSION  ") << "\n";
  if (tension && input.isSelected(MethodId::Api)) {
    report << blanks(10) << "  REDUCTION FACTOR FOR TENSION LOADING ="
           << fixedField(input.tensionReductionFactor, 10, 2) << "\n";
  }
}

void writePileType(std::ostream& report, const AnalysisInput& input) {
  const PileProperties& pile = input.pile;
  report << "\n\n" << blanks(10) << "PILE TYPE : \n\n" << blanks(10);
  switch (pile.pileType) {
    case 1:
      report << "Steel pipe pile or non-tapered portion of monotube pile";
      break;
    case 2:
      report << "Timber pile";
      break;
    case 3:
      report << (pile.noncircularPerimeter == 0.0
                     ? "Precast concrete pile (Circular/Tubular)"
                     : "Precast concrete pile (Square/Rectangular/Orthogonal)");
      break;
    case 4:
      report << "Raymond step-taper pile";
      break;
    case 5:
      report << "Raymond Uniform taper pile";
      break;
    case 6:
      report << "H-Pile/Steel Pile";
      break;
    case 7:
      report << "Tapered portion of Monotube pile";
      break;
    default:
      break;
  }
  report << "\n";
  const bool tapered =
      pile.pileType == 2 || pile.pileType == 4 || pile.pileType == 5 || pile.pileType == 7;
  if (input.isSelected(MethodId::Api) && tapered && pile.taperAngle > 0.0) {
    report << blanks(10)
           << "Angle of taper for a tapered pile  (degrees) =" << fixedField(pile.taperAngle, 10, 2)
           << "\n";
  }
}

// Cross-section area for area option 0, in the echo's unit [in2 | m2].
double sectionAreaFromShape(const AnalysisInput& input) {
  const PileProperties& pile = input.pile;
  const bool noncircularPrecast = pile.pileType == 3 && pile.noncircularPerimeter != 0.0;
  if (pile.pileType == 6 || noncircularPrecast) return pile.noncircularTipAreaAsRead;
  const double od = pile.outsideDiameter;
  const double id = pile.pileType == 1 ? pile.insideDiameter : 0.0;
  const double area = kEchoPi / 4.0 * (od * od - id * id);
  return input.isEnglish() ? area : area / 1.0e6;
}

void writeAxialStiffness(std::ostream& report,
                         const AnalysisInput& input,
                         const UnitLabels& labels) {
  const PileProperties& pile = input.pile;
  report << "\n\n" << blanks(10) << "DATA FOR AXIAL STIFFNESS : \n\n";
  report << blanks(10) << "- MODULUS OF ELASTICITY     =" << expField(pile.elasticModulus, 10, 3)
         << " " << label(labels.modulus) << "\n";
  if (pile.areaOption == 2) {
    report << blanks(10) << "- CROSS SECTION AREA ALONG DEPTH\n"
           << blanks(10) << " DEPTH," << label(labels.length) << blanks(10) << " AREA,"
           << label(labels.area) << "\n";
    for (const PileProperties::AreaRow& row : pile.areaTable) {
      report << blanks(10) << fixedField(row.depth, 10, 2) << blanks(10)
             << fixedField(row.area, 10, 2) << "\n";
    }
    return;
  }
  const double area = pile.areaOption == 1 ? pile.sectionArea : sectionAreaFromShape(input);
  writeValueLine(report, "- CROSS SECTION AREA        =", area, labels.area);
}

bool isNoncircular(const PileProperties& pile) {
  return pile.pileType == 6 || (pile.pileType == 3 && pile.noncircularPerimeter != 0.0);
}

void writePileProperties(std::ostream& report,
                         const AnalysisInput& input,
                         const UnitLabels& labels) {
  const PileProperties& pile = input.pile;
  if (isNoncircular(pile)) {
    report << "\n\n" << blanks(10) << "NONCIRCULAR PILE PROPERTIES : \n\n";
    writeValueLine(report, "- TOTAL PILE LENGTH, TL     =", pile.pileLength, labels.length);
    writeValueLine(report, "- PILE STICKUP LENGTH, PSL  =", pile.stickupLength, labels.length);
    writeValueLine(report, "- ZERO FRICTION LENGTH, ZFL =", pile.zeroFrictionLength, labels.length);
    writeValueLine(report, "- PERIMETER OF PILE         =", pile.noncircularPerimeter,
                   labels.diameter);
    writeValueLine(report, "- TIP AREA OF PILE          =", pile.noncircularTipAreaAsRead,
                   labels.area);
    report << blanks(10) << "- INCREMENT OF PILE LENGTH\n";
    writeValueLine(report, "  USED IN COMPUTATION       =", pile.lengthIncrement, labels.length);
    return;
  }

  const bool steelPipe = pile.pileType == 1;
  report << "\n\n" << blanks(10) << "CIRCULAR PILE PROPERTIES : \n\n";
  writeValueLine(report, "- OUTSIDE DIAMETER, OD      =", pile.outsideDiameterAsRead,
                 labels.diameter);
  if (steelPipe) {
    writeValueLine(report, "- INTERNAL DIAMETER, ID     =", pile.insideDiameter, labels.diameter);
  }
  writeValueLine(report, "- TOTAL PILE LENGTH, TL     =", pile.pileLength, labels.length);
  writeValueLine(report, "- PILE STICKUP LENGTH, PSL  =", pile.stickupLength, labels.length);
  writeValueLine(report, "- ZERO FRICTION LENGTH, ZFL =", pile.zeroFrictionLength, labels.length);
  report << blanks(10) << "- INCREMENT OF PILE LENGTH\n";
  writeValueLine(report, "  USED IN COMPUTATION       =", pile.lengthIncrement, labels.length);
  if (!steelPipe) return;

  report << blanks(10) << "- LENGTH OF ENHANCED \n";
  writeValueLine(report, "  END SECTION               =", pile.enhancedEndLength, labels.length);
  report << blanks(10) << "- INTERNAL DIAMETER OF \n";
  writeValueLine(report, "  ENHANCED END SECTION      =", pile.enhancedEndInsideDiameter,
                 labels.diameter);
  report << "\n\n" << blanks(10) << "PLUGGED/UNPLUGGED CONDITIONS : \n" << blanks(10);
  if (input.plugCondition == 1) {
    report << "Plugged for open-ended pile";
  } else if (input.plugCondition == 2) {
    report << "Unplugged for open-ended pile";
  } else {
    report << "Internal Pile Plug Calculated by Program";
  }
  report << "\n";
}

void writeSoilTables(std::ostream& report, const AnalysisInput& input, const UnitLabels& labels) {
  const std::string indent = blanks(10);
  report << "\n\n\n"
         << indent << "SOIL INFORMATIONS :\n\n"
         << indent << blanks(53) << "\n\n"
         << indent << "                  LATERAL    EFFECTIVE    FRICTION   BEARING\n"
         << indent << "          SOIL    EARTH      UNIT         ANGLE      CAPACITY\n"
         << indent << " DEPTH    TYPE    PRESSURE   WEIGHT       DEGREES    FACTOR\n"
         << indent << blanks(2) << label(labels.length) << blanks(24)
         << textField(labels.unitWeight, 5) << "\n";
  for (const SoilPoint& p : input.soilPoints) {
    report << indent << fixedField(p.depth, 7, 2) << blanks(3)
           << (p.soilType == static_cast<int>(SoilType::Clay) ? "CLAY" : "SAND")
           << fixedField(p.earthPressureCoefficient, 10, 2)
           << fixedField(p.effectiveUnitWeight, 13, 2) << fixedField(p.frictionAngle, 13, 2)
           << fixedField(p.bearingFactorNq, 10, 2) << "\n";
  }

  const std::string s = label(labels.stress);
  report << "\n\n\n"
         << indent << "MAXIMUM   MAXIMUM   UNDISTURB  REMOLDED \n"
         << indent << "UNIT      UNIT      SHEAR      SHEAR     BLOW   UNIT SKIN  UNIT END\n"
         << indent << "FRICTION  BEARING   STRENGTH   STRENGTH  COUNT  FRICTION   BEARING\n"
         << indent << blanks(2) << s << blanks(7) << s << blanks(8) << s << blanks(7) << s
         << blanks(15) << s << blanks(7) << s << "\n";
  bool anyUnlimited = false;
  for (const SoilPoint& p : input.soilPoints) {
    anyUnlimited = anyUnlimited || p.frictionUnlimited || p.bearingUnlimited;
    report << indent << expField(p.maxUnitFriction, 8, 2) << (p.frictionUnlimited ? "*" : " ")
           << expField(p.maxUnitBearing, 9, 2) << (p.bearingUnlimited ? "*" : " ")
           << fixedField(p.undrainedShearStrength, 11, 2)
           << fixedField(p.remoldedShearStrength, 10, 2) << fixedField(p.blowCountOrYsr, 7, 2)
           << fixedField(p.userUnitSkinFriction, 11, 2) << fixedField(p.userUnitEndBearing, 10, 2)
           << "\n";
  }
  if (anyUnlimited) {
    report << "\n"
           << indent << "* MAXIMUM UNIT FRICTION AND/OR MAXIMUM UNIT BEARING \n"
           << indent << "  WERE SET TO BE 0.10E+08 BECAUSE THE USER DOES NOT \n"
           << indent << "  PLAN TO LIMIT THE COMPUTED DATA.\n";
  }

  report << "\n\n\n"
         << indent << "         LRFD FACTOR  LRFD FACTOR    \n"
         << indent << "          ON UNIT      ON UNIT       \n"
         << indent << " DEPTH    FRICTION     BEARING   \n"
         << indent << blanks(2) << label(labels.length) << "\n";
  for (const SoilPoint& p : input.soilPoints) {
    report << indent << fixedField(p.depth, 7, 2) << " " << fixedField(p.sideResistanceFactor, 8, 3)
           << blanks(4) << fixedField(p.endResistanceFactor, 8, 3) << "\n";
  }

  if (input.offshoreParameters != 1) return;
  // Cone resistance is held as read (lb/ft2 in English units) and shown in ksf or kPa.
  const double coneScale = input.isEnglish() ? 1.0 / 1000.0 : 1.0;
  report << "\n\n"
         << indent << blanks(53) << "\n\n"
         << indent << "        PLASTIC    YIELD      Qc                             \n"
         << indent << "         INDEX    STRESS     FROM                            \n"
         << indent << " DEPTH     PI      RATIO     CPT                             \n"
         << indent << blanks(2) << label(labels.length) << blanks(6) << "%" << blanks(17) << s
         << "\n";
  for (const SoilPoint& p : input.soilPoints) {
    report << indent << fixedField(p.depth, 7, 2) << " " << fixedField(p.plasticityIndex, 6, 2)
           << blanks(3) << fixedField(p.blowCountOrYsr, 6, 2) << blanks(3)
           << expField(p.coneResistance * coneScale, 10, 3) << "\n";
  }
}

}  // namespace

void writeInputEcho(std::ostream& report, const AnalysisInput& input, const UnitLabels& labels) {
  writeLoadTransferMethod(report, input);
  writeCapacityMethods(report, input, labels);
  writeLoading(report, input);
  writePileType(report, input);
  writeAxialStiffness(report, input, labels);
  writePileProperties(report, input, labels);
  writeSoilTables(report, input, labels);
}

}  // namespace vorne
