// The desktop program's current project: every scalar setting, the tables that hold its
// list-valued parts (soil layers with their layer data, extra t-z depths, cross-section areas),
// the CPT points, opening and saving its data file and CPT side file, and the unit switch.
// Windowless: the desktop program and the command-line runner both use it.
#ifndef VORNE_APP_PROGRAM_DATA_H
#define VORNE_APP_PROGRAM_DATA_H

#include <QString>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "table/grid_table.h"

namespace vorne {

// One point of the cone-penetration profile held with the project.
struct CptProfilePoint {
  double depth;  // [ft | m]
  double qc;     // cone resistance [ksf | kPa]
};

// How the CPT dialog reads a cone data file; kept with the project while the program runs, not
// written to the project file.
struct TCptImportSettings {
  QString FileName;
  int DataLineCount = 2;      // lines of data after the header, 2 .. kMaxCptDataLines
  int HeaderLineCount = 0;    // lines skipped first, 0 .. 50
  int ColumnCount = 2;        // numbers read per data line, 2 .. 20; depth and Qc come first
  double StressFactor = 1.0;  // Ua: multiplies Qc into ksf (English) or kPa (SI)
  int FileChoice = 0;         // how the file is read: a CptFileChoice (app/cpt_import.h)
  QString Location = {};      // the location taken from a field file with several
};

// Column positions of the project tables.
namespace col {
// Table D, one row per soil layer.
inline constexpr int kSoilType = 0;  // choice: 1 sand, 2 clay
inline constexpr int kBottomDepth = 1;
inline constexpr int kLayerData = 2;  // sub-table of two rows: layer top, layer bottom
inline constexpr int kMaxSideFriction = 3;
inline constexpr int kMaxEndBearing = 4;
inline constexpr int kSideFrictionFactor = 5;
inline constexpr int kEndBearingFactor = 6;
// Layer data of a sand layer (tblDataSand).
inline constexpr int kSandUnitWeight = 0;
inline constexpr int kSandFrictionAngle = 1;
inline constexpr int kSandBlowCount = 2;  // integer
inline constexpr int kSandKo = 3;
inline constexpr int kSandNq = 4;
// Layer data of a clay layer (tblDataClay).
inline constexpr int kClayUnitWeight = 0;
inline constexpr int kClayUndrainedStrength = 1;
inline constexpr int kClayRemoldedStrength = 2;
inline constexpr int kClayPlasticityIndex = 3;
inline constexpr int kClayYieldStressRatio = 4;
// Both layer data layouts.
inline constexpr int kConeResistance = 5;
inline constexpr int kUserSkinFriction = 6;
inline constexpr int kUserEndBearing = 7;
// Sectionaldata.
inline constexpr int kAreaDepth = 0;
inline constexpr int kArea = 1;
}  // namespace col

class TProgramData {
 public:
  // The name that marks a project not yet saved under a name of its own.
  static inline const QString kUntitledName = QStringLiteral("NewVORNE.vr6d");
  static constexpr int kMaxLayers = 40;
  static constexpr int kMaxAreaRows = 100;
  static constexpr int kMaxExtraTzDepths = 100;
  static constexpr int kMaxCptPoints = 1000;
  static constexpr int kSandTableId = 1;
  static constexpr int kClayTableId = 2;
  static constexpr int kUserSpecifiedMethod = 5;

  // A new project (see createNew).
  TProgramData();
  TProgramData(const TProgramData&) = delete;
  TProgramData& operator=(const TProgramData&) = delete;

  // Resets to a new project: English, untitled, titled "New Pile", one sand layer, API RP 2A as
  // the load-transfer method and the only capacity method, increment length 1, print interval 1,
  // tension reduction 1, every table at its minimum rows, no CPT points, not modified.
  void createNew();

  // Opens a data file: the current layout (currentFormat, ".vr6d") or the earlier one (".vrd"),
  // then the CPT side file beside it when there is one. On failure throws EInOutError with the
  // reason; the values read so far stay, the rest keep their new-project values, the tables are
  // brought up to their minimum rows, and the project is left untitled so that a later save cannot
  // overwrite the file that failed to open. A file of the earlier layout takes the name of the
  // current layout (extension ".vr6d"), so saving never writes the new layout over it.
  void createFromFile(const QString& fileName, bool currentFormat);

  // Saves the data file at fileName() and then the CPT side file. Both texts are made first; each
  // file is then written to a temporary file in the same folder and moved over the old one only
  // when complete, so a failed write leaves that file as it was (a failure on the CPT side file
  // comes after the data file was replaced). Throws EInOutError with the system's reason and the
  // file.
  // Before writing: print interval 0 becomes 1, increment length 0 becomes 1, a circular pile
  // gets tip area 0, and unless the load-transfer method is 5 the user-specified unit skin
  // friction and end bearing of every layer become 0. Numbers always use ".". Clears the modified
  // state on success.
  void save();
  // The data file text and the CPT side file text a save writes (applies the rules of save to
  // the model but writes nothing).
  QByteArray dataFileText();
  QByteArray cptFileText() const;

  // Converts every scalar, every table and the CPT points to the unit system (clamped into 1..2);
  // the system already in use leaves every value as it is. Each value is converted with one
  // factor per unit (divided by on the way back to English) and given as the shortest decimal
  // that converts back to it (see convertUnitValue), so a switch there and back returns exactly
  // the values typed. Returns an empty text, or, when a value would leave the range of numbers
  // (1e308 psi in kPa), the message naming it, with the project left as it was.
  QString switchUnits(int units);
  int units() const { return m_units; }

  // File names; the GRLWEAP and CPT names follow the data file name.
  const QString& fileName() const { return m_fileName; }
  void setFileName(const QString& fileName);
  QString grlweapFileName() const;
  QString cptFileName() const;
  bool isUntitled() const;

  // Modified state: the project's own flag or any table's changed flag.
  bool isModified() const;
  void setModified() { m_modified = true; }
  void clearModified();

  // Shows or hides the user-specified columns (unit skin friction, unit end bearing) of both
  // layer templates and every layer, as the load-transfer method requires.
  void applyUserLoadTransferColumns();

  // The layer data sub-table of a soil layer (row of D).
  TGridTable& layerData(int layer);
  int layerCount() const { return D.rowCount(); }

  // --- identification
  QString Title;
  QString Designer;
  QString JobNumber;

  // --- pile
  int PileType = 1;
  bool CircularSection = true;
  double OutsideDiameter = 0.0;            // OD [in | mm]
  double InsideDiameter = 0.0;             // ID [in | mm]
  double PileLength = 0.0;                 // TL [ft | m]
  double EnhancedEndLength = 0.0;          // ESL [ft | m]
  double EnhancedEndInsideDiameter = 0.0;  // EID [in | mm]
  double ZeroFrictionLength = 0.0;         // ZFL [ft | m]
  double StickupLength = 0.0;              // PSL [ft | m]
  double NoncircularPerimeter = 0.0;       // [in | mm]; 0 for a circular section
  double NoncircularTipArea = 0.0;         // [in2 | m2]
  double ElasticModulus = 0.0;             // E [psi | kPa]
  double TaperAngle = 0.0;                 // [deg]
  int AreaOption = 0;                      // 0 from the section, 1 SectionArea, 2 Sectionaldata
  double SectionArea = 0.0;                // [in2 | m2]
  int PlugCondition = 0;                   // 0 computed, 1 plugged, 2 unplugged

  // --- methods and options
  int LoadTransferMethod = 4;            // MethodId 1..9
  std::array<int, 10> MethodSelected{};  // indexed by MethodId 1..9; [0] unused
  int LoadingType = 0;                   // 0 compression, 1 tension
  double TensionReductionFactor = 1.0;   // 0.001..10
  int ClayDrained = 0;                   // 1 drained, 0 undrained
  int ReducedLoadTransfer = 0;           // 1 reduced (factored) load transfer
  int CriticalDepthOption = 0;           // 0, 1 or 2
  double UserCriticalDepth = 0.0;        // [ft | m]
  double LengthIncrement = 1.0;          // [ft | m]
  int PrintIncrement = 1;
  int ExtraTzDepths = 0;          // 1: t-z curves also at the depths of TblTZDepth
  double DeepestSoilDepth = 0.0;  // [ft | m], as read; a save writes D's last bottom

  // --- CPT profile (the points of the CPT graph), written to the CPT side file
  std::vector<CptProfilePoint> CptPoints;
  int CptPointCount() const { return static_cast<int>(CptPoints.size()); }
  TCptImportSettings CptImport;

  // --- results kept for the GRLWEAP file, filled after a run
  std::vector<double> ResultDepth;  // [ft | m]
  std::vector<double> ResultSkin;   // unit skin friction of the selected method
  std::vector<double> ResultTip;    // tip resistance
  int ResultCount() const { return static_cast<int>(ResultDepth.size()); }

  // --- tables; their list holds the two layer templates, found by identifier
  TTableList Tables;
  TGridTable tblDataSand{&Tables};
  TGridTable tblDataClay{&Tables};
  TGridTable D{&Tables};
  TGridTable TblTZDepth{&Tables};
  TGridTable Sectionaldata{&Tables};

 private:
  void defineTables();
  void resetScalars();
  void emptyTables();
  void padTables();
  void readDataFile(const QString& fileName, bool currentFormat);
  void readCptFile(const QString& fileName);
  void applySaveRules();

  QString m_fileName;
  // Title, designer and job number lines that were read as Windows-1252 (not valid UTF-8), and
  // are written back that way when they still can be.
  std::array<bool, 3> m_windows1252Text{};
  // The way home of a unit switch: per scalar (in the order switchUnits lists them) the value
  // the last switch made and the value it was made from, and the same for the CPT points by the
  // bits of the value made. A value still as the switch left it goes back bit for bit.
  std::array<std::pair<double, double>, 14> m_scalarHome{};
  std::unordered_map<std::uint64_t, double> m_cptDepthHome;
  std::unordered_map<std::uint64_t, double> m_cptQcHome;
  int m_units = 1;
  bool m_modified = false;
};

}  // namespace vorne

#endif  // VORNE_APP_PROGRAM_DATA_H
