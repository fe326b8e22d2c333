// The summary the runner prints after a run: per method the skin friction, end bearing (self
// weight in tension) and ultimate capacity at the pile tip, and the load-settlement curve, as a
// table or as JSON. Everything comes from the graphs filled from the plot data file.
#ifndef VORNE_CLI_RUN_SUMMARY_H
#define VORNE_CLI_RUN_SUMMARY_H

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "app/analysis_run.h"

namespace vorne {

struct MethodTipRow {
  int methodId = 0;           // MethodId, 0 when the file holds more curves than selected methods
  QString name;               // curve name: "API", "User Spec.", ...
  double depth = 0.0;         // pile tip penetration [ft | m]
  double skinFriction = 0.0;  // [kips | kN]
  double endBearing = 0.0;    // end bearing, or self weight in tension [kips | kN]
  double ultimateCapacity = 0.0;  // [kips | kN]
  // Shallowest penetration whose ultimate capacity reaches the required capacity [ft | m];
  // none when it is not reached.
  std::optional<double> requiredDepth;
};

struct LoadSettlementPoint {
  double load = 0.0;        // pile head load [kips | kN]
  double settlement = 0.0;  // pile head movement [in | m]
};

struct RunSummary {
  QString project;  // the project file as given
  QString title;
  int units = 1;
  bool tension = false;
  QString loadTransferMethod;
  std::optional<double> requiredCapacity;  // [kips | kN], when asked for
  std::vector<MethodTipRow> methods;
  std::vector<LoadSettlementPoint> loadSettlement;  // from the origin
  EngineRunFiles files;
  QString grlweapFile;
};

// The summary of a run whose plot data were read into graphs (the last row of each method curve
// is the tip row), with each method's penetration for requiredCapacity when given.
RunSummary summarize(const QString& projectArgument,
                     const TProgramData& project,
                     TMainGraphs& graphs,
                     const AnalysisRunResult& result,
                     std::optional<double> requiredCapacity = std::nullopt);

QByteArray summaryText(const RunSummary& summary);
QByteArray summaryJson(const RunSummary& summary);

}  // namespace vorne

#endif  // VORNE_CLI_RUN_SUMMARY_H
