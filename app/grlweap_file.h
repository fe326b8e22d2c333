// The GRLWEAP input file (".gwi"): the pile and the static soil resistance along it, in the
// fixed-column layout the wave-equation program reads. Written after every run whose plot data
// were read; never read back.
#ifndef VORNE_APP_GRLWEAP_FILE_H
#define VORNE_APP_GRLWEAP_FILE_H

#include <QByteArray>
#include <QString>

#include "plot/main_graphs.h"

namespace vorne {

// The project values the file needs.
struct GrlweapPile {
  QString Title;
  int Units = 1;     // 1 English, 2 SI
  int PileType = 1;  // 2 timber, 3 precast concrete; every other type is steel
  bool CircularSection = true;
  double OutsideDiameter = 0.0;       // [in | mm]
  double InsideDiameter = 0.0;        // [in | mm]
  double NoncircularPerimeter = 0.0;  // [in | mm]; a circular section's is set to OD × 3.1416
  double ElasticModulus = 0.0;        // [psi | kPa]
};

// Scientific notation with 3 significant digits and at least two exponent digits ("3.14E+01").
std::string grlweapFormatA(double value);
// Scientific notation with 3 significant digits and at least one exponent digit ("3.14E+1").
std::string grlweapFormatB(double value);

// The file text, lines ending in CR LF, "." as decimal separator. For a circular section stores
// OD × 3.1416 into pile.NoncircularPerimeter first. The pile length is the depth of the last
// cache point (0 with an empty cache). The title is cut or padded to 40 characters; characters
// outside Latin-1 are written as "?".
QByteArray grlweapText(GrlweapPile& pile, const TGrlweapCache& cache);

// Writes grlweapText to fileName, replacing the file only once it is complete. Throws
// EInOutError with the system's reason when the file cannot be written.
void writeGrlweapFile(const QString& fileName, GrlweapPile& pile, const TGrlweapCache& cache);

}  // namespace vorne

#endif  // VORNE_APP_GRLWEAP_FILE_H
