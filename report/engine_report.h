// What the calculation report takes from the engine's text report (".vr6o"): the date of the run,
// the input echo, the soil tables, whether each method's tip resistance is controlled by the
// soil plug, and the run's warnings. Values stay the texts the engine printed, so that the
// document shows the digits the report shows.
#ifndef VORNE_REPORT_ENGINE_REPORT_H
#define VORNE_REPORT_ENGINE_REPORT_H

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

namespace vorne {

// One row of a fixed-column table of the report, cell by cell, blanks trimmed.
using ReportTableRow = QStringList;

// One capacity table of the report.
struct ReportCapacityTable {
  int methodId = 0;           // MethodId of the table's title
  int rows = 0;               // rows printed
  bool tipUnplugged = false;  // the tip row carries "*": the soil plug's friction controls
};

struct EngineReport {
  QDateTime runDate;  // "Time and Date of Analysis", local time; invalid when missing
  // The identification as run; each empty when the report does not hold it.
  QString title, designer, jobNumber;
  QStringList inputEcho;       // from the load-transfer method to the pile properties, indent cut
  bool openEndedPipe = false;  // the echo holds the plugged/unplugged conditions
  // Soil table 1: depth, type, earth pressure, unit weight, friction angle, Nq.
  std::vector<ReportTableRow> soil;
  // Soil table 2: max. unit friction, max. unit bearing (each with "*" when unlimited),
  // undrained and remolded shear strength, blow count, user unit skin friction and end bearing.
  std::vector<ReportTableRow> strength;
  QStringList soilNotes;  // the note under soil table 2, when printed
  // Factor table: depth, factor on unit friction, factor on unit bearing.
  std::vector<ReportTableRow> factors;
  // Offshore table: depth, plasticity index, yield stress ratio, Qc.
  std::vector<ReportTableRow> offshore;
  std::vector<ReportCapacityTable> capacityTables;  // in report order
  QStringList messages;  // error, warning and stop lines, each once, in order
};

// Reads the report text. Never fails: a block the text does not hold stays empty, and a line
// too short for a column gives empty cells.
EngineReport readEngineReport(const QString& text);

// Whether the tip resistance of the method's last printed row is controlled by the soil plug.
bool tipUnplugged(const EngineReport& report, int methodId);

}  // namespace vorne

#endif  // VORNE_REPORT_ENGINE_REPORT_H
