// A cone penetration profile as read from a field file: one test at one location, depths
// increasing downwards from the ground surface (or seabed), every stress in kPa and every depth
// in metres whatever the file used. The readers fill it; the import into a project converts it to
// the project's unit system; the interpretation derives soil parameters from it.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vorne::cpt {

// The formats a field file can be read as.
enum class CptFormat { Gef, Ags4, Ags3, Columns };

// One record of the profile. Optional values are missing in the file (empty or void), never 0.
struct CptRecord {
  double depth = 0.0;                 // below the ground surface [m]
  double coneResistance = 0.0;        // qc [kPa]
  std::optional<double> sleeveFriction;  // fs [kPa]
  std::optional<double> porePressure;    // u2, behind the cone [kPa]
  std::optional<double> correctedConeResistance;  // qt as the file gives it [kPa]
};

struct CptProfile {
  CptFormat format = CptFormat::Columns;
  QString sourceFile;       // the file the profile was read from
  QString location;         // location id (AGS LOCA_ID, GEF test id), empty when the file has none
  int recordsRead = 0;      // data records in the file for this location
  std::optional<double> coneAreaRatio;  // a, net area ratio of the cone, when the file gives it
  std::vector<CptRecord> records;       // kept records, depth increasing
  QStringList notes;        // everything the reader decided: dropped rows, voids, gaps, units
};

}  // namespace vorne::cpt
