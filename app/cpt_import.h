// Import of a cone penetration profile from a field data text file into the CPT graph, as cone
// resistance Qc or converted to SPT blow counts or undrained shear strength.
#ifndef VORNE_APP_CPT_IMPORT_H
#define VORNE_APP_CPT_IMPORT_H

#include <QString>

#include "app/program_data.h"
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

}  // namespace vorne

#endif  // VORNE_APP_CPT_IMPORT_H
