// Cone data import.
#include "app/cpt_import.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "base/io_error.h"
#include "base/number_text.h"
#include "base/unit_labels.h"
#include "cpt/cpt_units.h"
#include "cpt/engine_profile.h"
#include "plot/word_reader.h"

namespace vorne {

namespace {

const QString kReadError = QStringLiteral("There was an error reading the input CPT file.");

QString rangeMessage(const char* setting, int value, int low, int high) {
  return QStringLiteral("%1 %2 is outside %3 to %4.")
      .arg(QLatin1String(setting))
      .arg(value)
      .arg(low)
      .arg(high);
}

void describe(TGraphPlot& graph, CptConversion conversion, bool english) {
  QString lineName;
  switch (conversion) {
    case CptConversion::Qc:
      graph.Caption = QStringLiteral("CPT Profile");
      graph.XCaption = english ? QStringLiteral("Qc, ksf") : QStringLiteral("Qc, kPa");
      lineName = QStringLiteral("CPT Data");
      break;
    case CptConversion::Spt:
      graph.Caption = QStringLiteral("Converted SPT from CPT Data");
      graph.XCaption = QStringLiteral("SPT, N");
      lineName = QStringLiteral("Converted SPT");
      break;
    case CptConversion::Su:
      graph.Caption = QStringLiteral("Converted Undrained Shear Strength Su from CPT Data");
      graph.XCaption = english ? QStringLiteral("Undrained Shear Strength Su, k/ft^2")
                               : QStringLiteral("Undrained Shear Strength Su, kPa");
      lineName = QStringLiteral("Converted Su");
      break;
  }
  graph.YCaption = english ? QStringLiteral("Depth, ft") : QStringLiteral("Depth, m");
  graph.Lines[0].Name = lineName;
}

double convert(double qc, double ua, CptConversion conversion, bool english) {
  switch (conversion) {
    case CptConversion::Qc:
      // Rounded to 15 digits: 1000 x 4.02 is 4020, whose side-file text is 4.02E+03, not the
      // product's 4.0199999999999995E+03.
      return cpt::scaled(qc, ua);
    case CptConversion::Spt:
      return english ? ua * qc * 47.875 / 280.0 : ua * qc / 280.0;
    case CptConversion::Su:
      return ua * qc / 15.0;
  }
  return 0.0;
}

}  // namespace

CptImportResult importCptData(const TCptImportSettings& settings,
                              CptConversion conversion,
                              int units,
                              TGraphPlot& graph) {
  if (!QFileInfo(settings.FileName).isFile()) {
    return {false,
            QStringLiteral("File ") + settings.FileName + QStringLiteral(" does not exists")};
  }
  // The counts size the graph before anything is read, so they are checked first.
  if (settings.DataLineCount < 2 || settings.DataLineCount > kMaxCptDataLines) {
    return {false,
            rangeMessage("Number of data lines", settings.DataLineCount, 2, kMaxCptDataLines)};
  }
  if (settings.HeaderLineCount < 0 || settings.HeaderLineCount > 50) {
    return {false, rangeMessage("Number of header lines", settings.HeaderLineCount, 0, 50)};
  }
  if (settings.ColumnCount < 2 || settings.ColumnCount > 20) {
    return {false, rangeMessage("Number of data columns", settings.ColumnCount, 2, 20)};
  }

  const bool english = units != 2;
  std::size_t read = 0;
  try {
    TWordReader reader(settings.FileName);
    graph.SetLineCount(0);
    graph.SetLineCount(1);
    describe(graph, conversion, english);
    graph.SetPointCount(settings.DataLineCount);
    for (int k = 0; k < settings.HeaderLineCount; ++k) reader.ReadLine();
    for (TFloatPoint& point : graph.Lines[0].Points) {
      // All numbers of a data point come from one line; a short line is an error, not a reason
      // to borrow numbers from the next one.
      double depth = reader.ReadFloat();
      const std::size_t lineIndex = reader.LineIndex();
      const double qc = reader.ReadFloat();
      for (int column = 2; column < settings.ColumnCount; ++column) reader.ReadFloat();
      if (reader.LineIndex() != lineIndex) throw EInOutError(kReadError);
      const double value = convert(qc, settings.StressFactor, conversion, english);
      if (!std::isfinite(value)) {
        // Ua x Qc beyond the range of numbers would be saved as a side file no reader takes.
        graph.SetPointCount(static_cast<int>(read));
        return {false, QStringLiteral("Line %1 of %2: Ua x Qc (%3 x %4) is beyond the range of "
                                      "numbers.")
                           .arg(lineIndex + 1)
                           .arg(settings.FileName)
                           .arg(settings.StressFactor)
                           .arg(qc)};
      }
      point.X = value;
      point.Y = depth;
      ++read;
      reader.ReadLine();
    }
  } catch (const EInOutError&) {
    // Points that were never read would be saved as depth 0, so only the read ones stay.
    if (graph.LineCount() == 1) graph.SetPointCount(static_cast<int>(read));
    return {false, kReadError};
  }
  return {true, {}};
}

QStringList cptFileChoiceNames() {
  return {QStringLiteral("Auto (by content)"), QStringLiteral("GEF"), QStringLiteral("AGS4"),
          QStringLiteral("AGS3"), QStringLiteral("Column text with a header row"),
          QStringLiteral("Plain columns (depth, Qc)")};
}

CptFilePreview previewCptFile(const QString& path, CptFileChoice choice) {
  CptFilePreview preview;
  if (!QFileInfo(path).isFile()) {
    preview.message = QStringLiteral("File ") + path + QStringLiteral(" does not exists");
    return preview;
  }
  if (choice == CptFileChoice::PlainColumns) {
    preview.ok = true;
    preview.plainColumns = true;
    return preview;
  }
  cpt::CptReadOptions options;
  switch (choice) {
    case CptFileChoice::Gef:
      options.format = cpt::CptFormat::Gef;
      break;
    case CptFileChoice::Ags4:
      options.format = cpt::CptFormat::Ags4;
      break;
    case CptFileChoice::Ags3:
      options.format = cpt::CptFormat::Ags3;
      break;
    case CptFileChoice::ColumnText:
      options.format = cpt::CptFormat::Columns;
      break;
    case CptFileChoice::Auto:
    case CptFileChoice::PlainColumns:
      break;
  }
  try {
    preview.file = cpt::readCptFile(path, options);
    preview.ok = true;
  } catch (const cpt::CptFileError& error) {
    preview.message = error.message();
    // A file of bare numbers, as the plain import reads them, has no header row to name its
    // columns: by content it is plain columns.
    if (choice == CptFileChoice::Auto &&
        error.message().contains(QStringLiteral("no header row naming a depth"))) {
      QFile file(path);
      if (file.open(QIODevice::ReadOnly) &&
          cpt::detectFormat(file.read(1 << 20)) == cpt::CptFormat::Columns) {
        preview = {};
        preview.ok = true;
        preview.plainColumns = true;
      }
    }
  }
  return preview;
}

namespace {

double lengthIn(double metres, int units) {
  return units == 1 ? cpt::scaled(metres, 1.0 / englishToSiFactor(QStringLiteral("L2")))
                    : metres;
}

QString numberText(double value) { return QString::fromStdString(formatGeneral(value, 6)); }

}  // namespace

QString cptFileSummary(const CptFilePreview& preview, const QString& location, int units) {
  if (!preview.ok) return preview.message;
  if (preview.plainColumns) {
    return QStringLiteral(
        "Plain columns: depth and Qc read by the numbers of lines and columns below, Qc times "
        "Ua.");
  }
  const QString length = units == 1 ? QStringLiteral("ft") : QStringLiteral("m");
  const cpt::CptFile& file = preview.file;
  QStringList lines;
  lines << QStringLiteral("Format: %1, %2 location%3")
               .arg(cpt::formatName(file.format))
               .arg(file.profiles.size())
               .arg(file.profiles.size() == 1 ? QString() : QStringLiteral("s"));
  for (const cpt::CptProfile& p : file.profiles) {
    lines << QStringLiteral("  %1: %2 points, %3 to %4 %5")
                 .arg(p.location.isEmpty() ? QStringLiteral("(no id)") : p.location)
                 .arg(p.records.size())
                 .arg(numberText(lengthIn(p.records.front().depth, units)),
                      numberText(lengthIn(p.records.back().depth, units)), length);
  }
  if (!file.units.isEmpty()) lines << QStringLiteral("Units: ") + file.units.join(", ");
  const cpt::CptProfile* chosen = nullptr;
  for (const cpt::CptProfile& p : file.profiles) {
    if (p.location == location || file.profiles.size() == 1) chosen = &p;
  }
  if (chosen == nullptr) {
    lines << QStringLiteral("Choose a location.");
  } else {
    const cpt::EngineProfile engine = cpt::engineProfile(*chosen, units);
    QStringList notes = chosen->notes;
    if (!engine.reduction.isEmpty()) notes << engine.reduction;
    if (!notes.isEmpty()) lines << QStringLiteral("Notes:");
    for (const QString& note : notes) lines << QStringLiteral("  ") + note;
  }
  return lines.join('\n');
}

QString projectCptSummary(const TProgramData& project) {
  if (project.CptPoints.empty()) return QStringLiteral("The project holds no CPT points.");
  double top = project.CptPoints.front().depth;
  double bottom = top;
  for (const CptProfilePoint& p : project.CptPoints) {
    top = std::min(top, p.depth);
    bottom = std::max(bottom, p.depth);
  }
  return QStringLiteral("The project holds %1 CPT point%2 from %3 to %4 %5.")
      .arg(project.CptPoints.size())
      .arg(project.CptPoints.size() == 1 ? QString() : QStringLiteral("s"))
      .arg(numberText(top), numberText(bottom),
           project.units() == 1 ? QStringLiteral("ft") : QStringLiteral("m"));
}

void showCptPoints(TGraphPlot& graph,
                   const std::vector<TFloatPoint>& points,
                   CptConversion conversion,
                   int units) {
  const bool english = units != 2;
  graph.SetLineCount(0);
  graph.SetLineCount(1);
  describe(graph, conversion, english);
  graph.Lines[0].Points.clear();
  for (const TFloatPoint& p : points) {
    graph.Lines[0].Points.push_back({convert(p.X, 1.0, conversion, english), p.Y});
  }
}

CptImportResult importCptLocation(const CptFilePreview& preview,
                                  const QString& location,
                                  CptConversion conversion,
                                  int units,
                                  TGraphPlot& graph) {
  if (!preview.ok) return {false, preview.message};
  try {
    const cpt::CptProfile& profile = cpt::selectLocation(preview.file, location);
    const cpt::EngineProfile engine = cpt::engineProfile(profile, units);
    std::vector<TFloatPoint> points;
    for (const cpt::EnginePoint& p : engine.points) points.push_back({p.coneResistance, p.depth});
    showCptPoints(graph, points, conversion, units);
  } catch (const cpt::CptFileError& error) {
    return {false, error.message()};
  }
  return {true, {}};
}

}  // namespace vorne
