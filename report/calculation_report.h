// The calculation report of a finished run as a PDF document: a title block and page numbers on
// every page, the inputs as the engine read them, the capacity at the pile tip of every method
// side by side (with the penetration each needs for a required capacity), the capacity against
// depth, the load-settlement curve, the run's messages and the result graphs. Every number comes
// from the run's plot data (through the graphs) or its text report; nothing is computed again.
// Windowless: Qt Gui only.
#ifndef VORNE_REPORT_CALCULATION_REPORT_H
#define VORNE_REPORT_CALCULATION_REPORT_H

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

#include "app/program_data.h"
#include "plot/main_graphs.h"

namespace vorne {

enum class ReportPage { Letter, A4 };

// Letter for English units, A4 for SI.
inline ReportPage defaultReportPage(int units) {
  return units == 2 ? ReportPage::A4 : ReportPage::Letter;
}
// "a4" or "letter", any case; false for anything else.
inline bool parseReportPage(const QString& name, ReportPage& page) {
  if (name.compare(QLatin1String("a4"), Qt::CaseInsensitive) == 0) {
    page = ReportPage::A4;
    return true;
  }
  if (name.compare(QLatin1String("letter"), Qt::CaseInsensitive) == 0) {
    page = ReportPage::Letter;
    return true;
  }
  return false;
}

// What the report is made of: the project as it was run, the graphs read from the run's plot
// data file, and the run's text report.
struct ReportSources {
  const TProgramData* project = nullptr;
  const TMainGraphs* graphs = nullptr;
  QString reportText;       // the engine's report (".vr6o") of the run
  QString reportFile;       // its path, named in the document
  QStringList runMessages;  // messages of the run beside the report's own (console warnings)
};

struct ReportOptions {
  // Required ultimate capacity [kips | kN]; none: no required-penetration column or line.
  std::optional<double> requiredCapacity;
  std::optional<ReportPage> page;  // none: by the unit system
  // The date printed and stamped into the file. Invalid: the run's date from the report, or the
  // current time when the report has none. The same sources and date give the same bytes.
  QDateTime date;
};

// The document's bytes. Needs a QGuiApplication (fonts). Throws EInOutError when the document
// cannot be drawn.
QByteArray calculationReportPdf(const ReportSources& sources, const ReportOptions& options);

// Writes the document to fileName through a temporary file renamed over it, so that a failed
// write leaves an earlier file as it was. Throws EInOutError with the system's reason.
void writeCalculationReport(const QString& fileName,
                            const ReportSources& sources,
                            const ReportOptions& options);

}  // namespace vorne

#endif  // VORNE_REPORT_CALCULATION_REPORT_H
