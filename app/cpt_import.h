// Import of a cone penetration profile from a field data text file into the CPT graph, as cone
// resistance Qc or converted to SPT blow counts or undrained shear strength.
#ifndef VORNE_APP_CPT_IMPORT_H
#define VORNE_APP_CPT_IMPORT_H

#include <QString>
#include <QStringList>
#include <vector>

#include "app/program_data.h"
#include "cpt/cpt_reader.h"
#include "plot/graph_plot.h"

namespace vorne {

enum class CptConversion { Qc, Spt, Su };

// The engine reads at most this many CPT points.
inline constexpr int kMaxCptDataLines = 1000;

struct CptImportResult {
  bool ok = false;
  QString message;  // what to show the user when not ok
};

// Reads the file into graph: one line of points, x the value (Ua × Qc converted) and y the depth,
// with the captions and line name of the conversion. SPT: Ua × Qc × 47.875 / 280 in English units,
// Ua × Qc / 280 in SI; Su: Ua × Qc / 15. Each data line must hold at least ColumnCount numbers on
// that line; anything after them is skipped.
// Failures: a missing file gives "File <path> does not exists" and leaves the graph as it was;
// settings outside their ranges give a message naming the setting, graph unchanged; a file too
// short or a word that is not a number gives "There was an error reading the input CPT file."
// and the graph keeps only the points read before the error.
CptImportResult importCptData(const TCptImportSettings& settings,
                              CptConversion conversion,
                              int units,
                              TGraphPlot& graph);

// How the dialog reads a file, in the order of its list: by content, one of the field formats
// (GEF, AGS4, AGS3, column text with a header row), or the plain columns of importCptData.
enum class CptFileChoice { Auto = 0, Gef, Ags4, Ags3, ColumnText, PlainColumns };

// The captions of the list, in the order of CptFileChoice.
QStringList cptFileChoiceNames();

// A file read before its import: the field file with its locations, or, for a file read as plain
// columns, only that (importCptData reads it with the dialog's settings). Auto reads GEF, AGS4
// and AGS3 by their content, and anything else as column text with a header row, or as plain
// columns when no header row names a depth and a cone resistance.
struct CptFilePreview {
  bool ok = false;
  bool plainColumns = false;
  QString message;  // why the file cannot be imported: "<file>: line <n>: <reason>"
  cpt::CptFile file;
};
CptFilePreview previewCptFile(const QString& path, CptFileChoice choice);

// What the dialog shows before an import: the format (and whether it was detected), every
// location with its points and depth range, the units found, and the chosen location's notes,
// with depths in the unit system (1 English, 2 SI); the reason for a file that does not read.
QString cptFileSummary(const CptFilePreview& preview, const QString& location, int units);

// What the project holds: "The project holds 120 CPT points from 0.5 to 60 m." or "The project
// holds no CPT points."
QString projectCptSummary(const TProgramData& project);

// Shows points (x the value in the project's units before the conversion, y the depth) in graph
// as one line with the captions and line name of the conversion, in the unit system.
void showCptPoints(TGraphPlot& graph,
                   const std::vector<TFloatPoint>& points,
                   CptConversion conversion,
                   int units);

// Imports a location of a read field file (empty: its only one) into graph as showCptPoints
// does, reduced to the engine's points and in the unit system. On failure (no such location) the
// graph is left as it was and the message names the file and the locations it holds.
CptImportResult importCptLocation(const CptFilePreview& preview,
                                  const QString& location,
                                  CptConversion conversion,
                                  int units,
                                  TGraphPlot& graph);

}  // namespace vorne

#endif  // VORNE_APP_CPT_IMPORT_H
