// `vorne cpt FILE --layers`: the soil layers proposed from a field CPT file, printed as a table or
// as JSON, or written into a copy of a project with the profile's CPT points
// (--project IN --output OUT). The options of the family and their command live here, beside
// `vorne cpt`, which hands them over when it sees --layers.
#ifndef VORNE_CLI_CPT_LAYERS_H
#define VORNE_CLI_CPT_LAYERS_H

#include <QString>
#include <QStringList>
#include <optional>

#include "cpt/cpt_profile.h"

namespace vorne {

struct CptLayersCommand {
  QString file;      // the field CPT file
  QString location;  // empty: the file's only location
  std::optional<cpt::CptFormat> format;  // empty: detected from the content
  int units = 0;     // 0: the project's (SI without a project), 1 English, 2 SI
  bool json = false;
  // Settings in the chosen units; empty keeps the default (water table at the surface, the
  // unit weight from the correlation, Nkt 15, 0.5 m or 1.5 ft).
  std::optional<double> waterTable;
  std::optional<double> unitWeight;  // one total unit weight for every record
  std::optional<double> nkt;
  std::optional<double> minThickness;
  QString project;  // --project IN: the project the layers go into
  QString output;   // --output OUT: its copy with the layers and the CPT points
};

// The options only --layers takes, in its usage text.
extern const char* const kCptLayersOptionsUsage;

// Takes one of the options only --layers takes (--water-table, --unit-weight, --nkt,
// --min-thickness, --project) at args[i], with its value. Returns false when args[i] is none of
// them; error is set for a missing or unreadable value.
bool takeCptLayersOption(const QStringList& args,
                         qsizetype& i,
                         CptLayersCommand& command,
                         QString& error);

// Runs the command: 0 done, 1 the file, the project or a setting refused (the reason on standard
// error, nothing written), 2 a usage error (--output without --project, or the reverse).
int runCptLayers(const CptLayersCommand& command);

}  // namespace vorne

#endif  // VORNE_CLI_CPT_LAYERS_H
