// The whole input of one engine run: pile, soil points, methods, options and cone data, as read
// from the project data file and the CPT side file and adjusted right after reading.
#ifndef VORNE_ENGINE_IO_ANALYSIS_INPUT_H
#define VORNE_ENGINE_IO_ANALYSIS_INPUT_H

#include <array>
#include <string>
#include <vector>

namespace vorne {

// Fixed capacities of the input; input past one is refused by the reader with the limit named.
inline constexpr int kMaxSoilPoints = 80;  // 40 layers, two points each
inline constexpr int kMaxExtraTzDepths = 100;
inline constexpr int kMaxAreaRows = 100;
inline constexpr int kMaxCptPoints = 1000;
inline constexpr int kMaxSegments = 500;

enum class UnitSystem : int { English = 1, Si = 2 };

// Shared numbering of the capacity methods (project, data file, plot data file).
enum class MethodId : int {
  Fhwa = 1,
  Usace = 2,
  RevisedLambda = 3,
  Api = 4,
  UserSpecified = 5,
  Ngi = 6,
  IcpMtd = 7,
  Fugro = 8,
  Uwa = 9,
};

// The engine's slot numbering of method results; differs from MethodId from 5 on.
enum class CapacityIndex : int {
  Fhwa = 1,
  Usace = 2,
  RevisedLambda = 3,
  Api = 4,
  Ngi = 5,
  IcpMtd = 6,
  Fugro = 7,
  Uwa = 8,
  UserTension = 9,
};

inline constexpr int kMethodCount = 9;
inline constexpr int kCapacityIndexCount = 9;

// Maps a method to its result slot; the user-specified method maps to its tension slot.
constexpr CapacityIndex capacityIndexOf(MethodId method) {
  switch (method) {
    case MethodId::Fhwa: return CapacityIndex::Fhwa;
    case MethodId::Usace: return CapacityIndex::Usace;
    case MethodId::RevisedLambda: return CapacityIndex::RevisedLambda;
    case MethodId::Api: return CapacityIndex::Api;
    case MethodId::UserSpecified: return CapacityIndex::UserTension;
    case MethodId::Ngi: return CapacityIndex::Ngi;
    case MethodId::IcpMtd: return CapacityIndex::IcpMtd;
    case MethodId::Fugro: return CapacityIndex::Fugro;
    case MethodId::Uwa: return CapacityIndex::Uwa;
  }
  return CapacityIndex::Api;
}

enum class SoilType : int { Sand = 1, Clay = 2 };

struct PileProperties {
  double noncircularPerimeter = 0.0;       // [in | mm]; 0 for a circular pile
  double noncircularTipArea = 0.0;         // [ft2 | m2] after reading (in2 in an English file)
  double outsideDiameter = 0.0;            // OD [in | mm]; perimeter/3.1416 for a noncircular pile
  double insideDiameter = 0.0;             // ID [in | mm]; 0 for a closed section
  double elasticModulus = 0.0;             // [lb/in2 | kN/m2]
  double pileLength = 0.0;                 // total length TL as read [ft | m]
  double stickupLength = 0.0;              // PSL above the ground surface [ft | m]
  double enhancedEndLength = 0.0;          // [ft | m]; TL - 1e-7 when the file holds none
  double enhancedEndInsideDiameter = 0.0;  // [in | mm]
  double zeroFrictionLength = 0.0;         // ZFL [ft | m]
  double lengthIncrement = 0.0;            // segment length [ft | m]
  int pileType = 1;                        // 1..7
  double taperAngle = 0.0;                 // [deg]
  double sectionArea = 0.0;                // [in2 | m2]
  int areaOption = 0;                      // 0 from the section, 1 constant, 2 area table

  struct AreaRow {
    double depth;  // [ft | m]
    double area;   // [in2 | m2]
  };
  std::vector<AreaRow> areaTable;  // at most kMaxAreaRows; used when areaOption is 2

  // Values as they stood in the file, for the input echo.
  double outsideDiameterAsRead = 0.0;
  double noncircularTipAreaAsRead = 0.0;
};

// One layer boundary; a layer contributes its top point and then its bottom point.
struct SoilPoint {
  double depth = 0.0;                     // [ft | m]
  int soilType = 1;                       // 1 sand, 2 clay
  double earthPressureCoefficient = 0.0;  // Ko (sand)
  double effectiveUnitWeight = 0.0;       // [lb/ft3 | kN/m3]
  double frictionAngle = 0.0;             // [deg] (sand)
  double bearingFactorNq = 0.0;           // (sand)
  double maxUnitFriction = 0.0;           // [ksf | kPa]; 9999999 when unlimited
  double maxUnitBearing = 0.0;            // [ksf | kPa]; 9999999 when unlimited
  double undrainedShearStrength = 0.0;    // su [ksf | kPa] (clay)
  double remoldedShearStrength = 0.0;     // [ksf | kPa] (clay); 0 for sand
  double blowCountOrYsr = 0.0;            // SPT N (sand) or yield stress ratio (clay)
  double plasticityIndex = 0.0;           // PI [%]
  double coneResistance = 0.0;            // qc [lb/ft2 | kPa], kept as read
  double userUnitSkinFriction = 0.0;      // [ksf | kPa] after reading
  double userUnitEndBearing = 0.0;        // [ksf | kPa] after reading
  double sideResistanceFactor = 0.0;      // LRFD factor on unit side friction
  double endResistanceFactor = 0.0;       // LRFD factor on unit end bearing
  bool frictionUnlimited = false;         // the file held no limit on unit friction
  bool bearingUnlimited = false;          // the file held no limit on unit end bearing
};

struct CptPoint {
  double depth;  // [ft | m]
  double qc;     // cone resistance in the unit of cptUnits
};

struct CptData {
  int cptUnits = 0;  // 1 English, 2 SI; 0 when there is no CPT file
  std::vector<CptPoint> points;  // at most kMaxCptPoints
};

struct AnalysisInput {
  std::string title;      // first 72 characters
  std::string designer;   // first 72 characters
  std::string jobNumber;  // first 72 characters
  int units = 1;          // UnitSystem: 1 English, 2 SI
  int printIncrement = 1;
  PileProperties pile;
  int loadTransferMethod = 4;  // MethodId
  int offshoreParameters = 1;
  int reducedLoadTransfer = 0;
  std::array<int, kMethodCount + 1> methodSelected{};  // indexed by MethodId 1..9; [0] unused
  double deepestSoilDepth = 0.0;                       // [ft | m]
  std::vector<SoilPoint> soilPoints;                   // at most kMaxSoilPoints
  int extraTzFlag = 0;
  std::vector<double> extraTzDepths;  // [ft | m], at most kMaxExtraTzDepths
  int loadingType = 0;                // 0 compression, 1 tension
  double tensionReductionFactor = 1.0;
  int clayDrained = 0;
  int plugCondition = 0;  // 0 computed, 1 plugged, 2 unplugged
  int criticalDepthOption = 0;
  double userCriticalDepth = 0.0;  // [ft | m]
  CptData cpt;

  bool isEnglish() const { return units != static_cast<int>(UnitSystem::Si); }
  bool isSelected(MethodId method) const {
    return methodSelected[static_cast<std::size_t>(method)] == 1;
  }
  // Embedded length TL - PSL [ft | m], the length every computation uses.
  double embeddedLength() const { return pile.pileLength - pile.stickupLength; }
  // Outside diameter in depth units [ft | m].
  double outsideDiameterInDepthUnits() const {
    return pile.outsideDiameter / (isEnglish() ? 12.0 : 1000.0);
  }
  // Embedded length plus two diameters [ft | m]: the soil must reach at least this deep.
  double requiredSoilDepth() const {
    return embeddedLength() + 2.0 * outsideDiameterInDepthUnits();
  }
};

}  // namespace vorne

#endif  // VORNE_ENGINE_IO_ANALYSIS_INPUT_H
