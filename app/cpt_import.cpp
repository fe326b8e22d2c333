// Cone data import.
#include "app/cpt_import.h"

#include <QFileInfo>
#include <cmath>

#include "base/io_error.h"
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
      return ua * qc;
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

}  // namespace vorne
