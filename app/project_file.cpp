// Project data file (".vr6d", and the earlier ".vrd" layout for reading) and CPT side file
// (".cpt"): the reader and the writer of the project model. Lines end in CR LF, numbers use "."
// whatever the locale; reals are written in general format with 10 significant digits, or more
// when a value needs them to read back to the same double, and table cells as the cell shows them,
// with more digits by the same rule.
#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <deque>
#include <optional>
#include <string>

#include "app/program_data.h"
#include "base/atomic_file.h"
#include "base/io_error.h"
#include "base/number_text.h"
#include "base/text_encoding.h"
#include "base/unit_labels.h"
#include "plot/word_reader.h"

namespace vorne {

namespace {

constexpr int kScalarDigits = 10;
constexpr int kCptDigits = 3;
const QByteArray kLineEnd = "\r\n";

// One line of the data file being built.
class Line {
 public:
  explicit Line(QByteArray& out) : m_out(out) {}
  ~Line() { m_out += kLineEnd; }
  Line(const Line&) = delete;
  Line& operator=(const Line&) = delete;

  // A real followed by one blank; the writer never writes a value that no reader takes back.
  Line& real(double value, const char* name) {
    return text(finiteText(value, QLatin1String(name)));
  }
  Line& integer(int value) { return text(std::to_string(value)); }
  Line& cell(const TGridTable& table, int column, int row) {
    if (table.column(column).type() == ColumnType::Float) {
      const double value = table.column(column).floatValue(row);
      if (!std::isfinite(value)) {
        throw EInOutError(
            QStringLiteral("%1, %2, row %3 is not a finite number (%4); the file "
                           "is not written")
                .arg(table.windowCaption().trimmed(),
                     table.column(column).Headings.join(QLatin1Char(' ')).simplified())
                .arg(row + 1)
                .arg(QString::fromStdString(formatGeneral(value, 10))));
      }
    }
    m_out += table.exactCellText(column, row).toUtf8();
    m_out += ' ';
    return *this;
  }
  static std::string finiteText(double value, const QString& name) {
    if (!std::isfinite(value)) {
      throw EInOutError(QStringLiteral("%1 is not a finite number (%2); the file is not written")
                            .arg(name, QString::fromStdString(formatGeneral(value, 10))));
    }
    return formatGeneralExact(value, kScalarDigits);
  }
  Line& text(const std::string& value) {
    m_out += QByteArray::fromStdString(value);
    m_out += ' ';
    return *this;
  }
  // A value without the blank after it.
  Line& last(const std::string& value) {
    m_out += QByteArray::fromStdString(value);
    return *this;
  }

 private:
  QByteArray& m_out;
};

// A text line of the file; a line break inside it would shift every following line. A line read
// as Windows-1252 is written back in it while its characters allow, so its bytes stay.
QByteArray textLine(const QString& text, bool windows1252) {
  QString line = text;
  line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  if (windows1252) {
    if (const std::optional<QByteArray> bytes = toWindows1252(line)) return *bytes + kLineEnd;
  }
  return line.toUtf8() + kLineEnd;
}

// A text line as read: UTF-8 when it is valid UTF-8, else Windows-1252.
QString decodedTextLine(const QByteArray& bytes, bool& windows1252) {
  windows1252 = !isValidUtf8(bytes);
  return windows1252 ? fromWindows1252(bytes) : QString::fromUtf8(bytes);
}

// Reads the numeric lines of a data file as the engine does: each line starts a record, a record
// with fewer values than needed continues on the following lines (blank lines included), values
// left on a record's last line are ignored, and values may also be separated by commas. Every file
// the writer produces is read the same way as one stream of words; hand-edited files the engine
// accepts open as well. Reals in Fortran form ("1.0D+02") are accepted.
class RecordReader {
 public:
  explicit RecordReader(TWordReader& words) : m_words(words) {}

  // Starts the next record on a fresh line.
  void startRecord() {
    m_pending.clear();
    if (m_words.WordIndex() > 0 && !m_words.AtEnd()) m_words.ReadLine();
  }
  // Whether the line of the last value holds more values.
  bool valuesLeftOnLine() const {
    return !m_pending.empty() || static_cast<int>(m_words.WordIndex()) < m_words.WordCount();
  }
  std::size_t LineIndex() const { return m_words.LineIndex(); }

  void NextWord() { nextValue(); }

  double ReadFloat() {
    double value = 0.0;
    if (!parseValue(nextValue(), value))
      fail("A floating point number was expected but not found.");
    return value;
  }

  int ReadInteger() {
    double value = 0.0;
    if (!parseValue(nextValue(), value) || value != std::trunc(value) || value < -2147483648.0 ||
        value > 2147483647.0) {
      fail("An integer was expected but not found.");
    }
    return static_cast<int>(value);
  }

 private:
  static bool parseValue(std::string text, double& value) {
    if (parseDecimal(text, value)) return true;
    for (char& c : text) {
      if (c == 'D' || c == 'd') c = 'E';
    }
    return parseDecimal(text, value);
  }

  std::string nextValue() {
    while (m_pending.empty()) {
      // Past the end of the line (or on a blank one): on to the next line with words.
      while (!m_words.AtEnd() && static_cast<int>(m_words.WordIndex()) == m_words.WordCount()) {
        m_words.ReadLine();
      }
      if (m_words.AtEnd()) {
        throw EInOutError(QStringLiteral("This file either invalid or incomplete."));
      }
      const QByteArray word = m_words.NextWord().toUtf8();
      for (const QByteArray& piece : word.split(',')) {
        if (!piece.isEmpty()) m_pending.push_back(piece.toStdString());
      }
    }
    std::string value = std::move(m_pending.front());
    m_pending.pop_front();
    return value;
  }

  [[noreturn]] void fail(const char* expectation) const {
    throw EInOutError(QStringLiteral("Error on Line %1 Item %2\n%3")
                          .arg(m_words.LineIndex() + 1)
                          .arg(m_words.WordIndex())
                          .arg(QLatin1String(expectation)));
  }

  TWordReader& m_words;
  std::deque<std::string> m_pending;  // further values of a word that held commas
};

[[noreturn]] void failOnLine(const RecordReader& reader, const QString& what) {
  throw EInOutError(QStringLiteral("Error on Line %1\n%2").arg(reader.LineIndex() + 1).arg(what));
}

int readIntegerIn(RecordReader& reader, const char* name, int low, int high) {
  const int value = reader.ReadInteger();
  if (value < low || value > high) {
    failOnLine(reader, QStringLiteral("%1 %2 is outside %3 to %4.")
                           .arg(QLatin1String(name))
                           .arg(value)
                           .arg(low)
                           .arg(high));
  }
  return value;
}

// A length, diameter, area or modulus read from the data file; a negative one is refused on its
// line, as the engine's reader refuses it.
double readNotNegative(RecordReader& reader, const char* name) {
  const double value = reader.ReadFloat();
  if (value < 0.0) {
    failOnLine(reader,
               QStringLiteral("The %1 %2 must not be negative.")
                   .arg(QLatin1String(name), QString::fromStdString(formatGeneral(value, 10))));
  }
  return value;
}

// CPT points of one unit system in the other: depth ft <-> m, qc ksf <-> kPa. A point that would
// leave the range of numbers is refused (a side file is never read into an infinite value).
void convertCptPoints(std::vector<CptProfilePoint>& points, int from, int to) {
  if (from == to) return;
  const double depthFactor = englishToSiFactor(QStringLiteral("L2"));
  const double qcFactor = englishToSiFactor(QStringLiteral("F1/L2^2"));
  const bool toSi = to == kSiUnits;
  for (std::size_t k = 0; k < points.size(); ++k) {
    CptProfilePoint& p = points[k];
    p.depth = convertUnitValue(p.depth, depthFactor, toSi);
    p.qc = convertUnitValue(p.qc, qcFactor, toSi);
    if (!std::isfinite(p.depth) || !std::isfinite(p.qc)) {
      throw EInOutError(QStringLiteral("CPT point %1 cannot be converted to the project's %2 "
                                       "units: the result is beyond the range of numbers.")
                            .arg(k + 1)
                            .arg(QLatin1String(toSi ? "SI" : "English")));
    }
  }
}

}  // namespace

// --- writer

void TProgramData::applySaveRules() {
  if (PrintIncrement == 0) PrintIncrement = 1;
  if (LengthIncrement == 0.0) LengthIncrement = 1.0;
  if (CircularSection) NoncircularTipArea = 0.0;
  if (LoadTransferMethod != kUserSpecifiedMethod) {
    for (int layer = 0; layer < D.rowCount(); ++layer) {
      TGridTable& data = layerData(layer);
      for (int row = 0; row < data.rowCount(); ++row) {
        for (int column : {col::kUserSkinFriction, col::kUserEndBearing}) {
          if (data.cell(column, row).asFloat() != 0.0) data.cell(column, row).setFloat(0.0);
        }
      }
    }
  }
}

QByteArray TProgramData::dataFileText() {
  applySaveRules();
  QByteArray out;
  out += textLine(Title, m_windows1252Text[0]);
  out += textLine(Designer, m_windows1252Text[1]);
  out += textLine(JobNumber, m_windows1252Text[2]);
  const int layers = D.rowCount();
  Line(out).integer(m_units).integer(PrintIncrement).last(std::to_string(2 * layers));
  {
    Line line(out);
    if (CircularSection) {
      line.text("0");
    } else {
      line.real(NoncircularPerimeter, "Perimeter");
    }
    line.real(NoncircularTipArea, "Tip Area")
        .real(OutsideDiameter, "Outside Diameter, OD")
        .real(InsideDiameter, "Inside Diameter, ID");
    line.real(ElasticModulus, "Modulus of Elasticity, E")
        .real(PileLength, "Total Length, TL")
        .last(Line::finiteText(StickupLength, QStringLiteral("Pile Stick-up Length, PSL")));
  }
  Line(out)
      .real(EnhancedEndLength, "Enhanced End Section Length, ESL")
      .real(EnhancedEndInsideDiameter, "Enhanced End Inside Diameter, EID");
  Line(out)
      .real(ZeroFrictionLength, "Zero Friction Length, ZFL")
      .real(LengthIncrement, "Increment of Pile Length")
      .integer(PileType)
      .real(TaperAngle, "Taper Angle")
      .integer(LoadTransferMethod)
      .integer(1)  // offshore parameters are always on
      .integer(ReducedLoadTransfer);
  {
    Line line(out);
    for (int method = 1; method <= 9; ++method) line.integer(MethodSelected[method]);
  }
  {
    Line line(out);
    if (layers > 0) {
      line.cell(D, col::kBottomDepth, layers - 1);
    } else {
      line.real(DeepestSoilDepth, "Depth of the Deepest Soil");
    }
    line.real(SectionArea, "Cross-section Area");
  }
  for (int layer = 0; layer < layers; ++layer) {
    const bool sand = D.cell(col::kSoilType, layer).asInteger() == 1;
    const TGridTable& data = layerData(layer);
    for (int point = 0; point < 2; ++point) {
      {
        Line line(out);
        if (layer == 0 && point == 0) {
          line.text("0.0");
        } else {
          line.cell(D, col::kBottomDepth, point == 0 ? layer - 1 : layer);
        }
        line.integer(sand ? 1 : 2);
        if (sand) {
          line.cell(data, col::kSandKo, point)
              .cell(data, col::kSandUnitWeight, point)
              .cell(data, col::kSandFrictionAngle, point)
              .cell(data, col::kSandNq, point);
        } else {
          line.text("0.0").cell(data, col::kClayUnitWeight, point).text("0.0").text("0.0");
        }
      }
      Line line(out);
      line.cell(D, col::kMaxSideFriction, layer).cell(D, col::kMaxEndBearing, layer);
      if (sand) {
        line.text("0.0").cell(data, col::kSandBlowCount, point).text("0.0").text("0.0");
      } else {
        line.cell(data, col::kClayUndrainedStrength, point)
            .cell(data, col::kClayRemoldedStrength, point)
            .cell(data, col::kClayYieldStressRatio, point)
            .cell(data, col::kClayPlasticityIndex, point);
      }
      line.cell(data, col::kConeResistance, point)
          .cell(data, col::kUserSkinFriction, point)
          .cell(data, col::kUserEndBearing, point)
          .cell(D, col::kSideFrictionFactor, layer)
          .cell(D, col::kEndBearingFactor, layer);
    }
  }
  Line(out).integer(ExtraTzDepths);
  if (ExtraTzDepths == 1) {
    Line(out).integer(TblTZDepth.rowCount());
    for (int row = 0; row < TblTZDepth.rowCount(); ++row) Line(out).cell(TblTZDepth, 0, row);
  }
  Line(out).integer(LoadingType).real(TensionReductionFactor, "Reduction Factor for Tension");
  Line(out).integer(ClayDrained).integer(PlugCondition);
  const int areaRows = Sectionaldata.rowCount();
  Line(out).integer(areaRows).integer(AreaOption);
  if (areaRows > 1) {
    for (int row = 0; row < areaRows; ++row) {
      Line(out).cell(Sectionaldata, col::kAreaDepth, row).cell(Sectionaldata, col::kArea, row);
    }
  }
  Line(out).integer(CriticalDepthOption).real(UserCriticalDepth, "Critical Depth");
  return out;
}

QByteArray TProgramData::cptFileText() const {
  QByteArray out = m_units == kSiUnits ? " 2 " : " 1 ";
  out += QByteArray::number(CptPointCount()) + kLineEnd;
  for (std::size_t k = 0; k < CptPoints.size(); ++k) {
    const CptProfilePoint& p = CptPoints[k];
    if (!std::isfinite(p.depth) || !std::isfinite(p.qc)) {
      throw EInOutError(
          QStringLiteral("CPT point %1 is not a finite number; the file is not written").arg(k + 1),
          cptFileName());
    }
    out += "  " + QByteArray::fromStdString(formatExponentExact(p.depth, kCptDigits)) + "  " +
           QByteArray::fromStdString(formatExponentExact(p.qc, kCptDigits)) + kLineEnd;
  }
  return out;
}

void TProgramData::save() {
  const QByteArray data = dataFileText();
  const QByteArray cpt = cptFileText();
  // Both texts are complete before either file is touched.
  writeFileAtomically(m_fileName, data);
  writeFileAtomically(cptFileName(), cpt);
  clearModified();
}

// --- reader

void TProgramData::createFromFile(const QString& requestedName, bool currentFormat) {
  // A copy: the caller may pass fileName() itself, which createNew resets.
  const QString fileName = requestedName;
  createNew();
  if (currentFormat) {
    setFileName(fileName);
  } else {
    const QFileInfo info(fileName);
    setFileName(info.dir().filePath(info.completeBaseName() + QStringLiteral(".vr6d")));
  }
  emptyTables();
  // Temporary files a killed save of this project left behind.
  removeStaleTemporaryFiles(fileName);
  removeStaleTemporaryFiles(cptFileName());
  try {
    readDataFile(fileName, currentFormat);
    if (QFileInfo::exists(cptFileName())) readCptFile(cptFileName());
  } catch (const EInOutError& error) {
    padTables();
    applyUserLoadTransferColumns();
    const QString failedFile = error.fileName().isEmpty() ? fileName : error.fileName();
    setFileName(kUntitledName);
    clearModified();
    throw EInOutError(error.message(), failedFile);
  }
  padTables();
  applyUserLoadTransferColumns();
  clearModified();
}

void TProgramData::readDataFile(const QString& fileName, bool currentFormat) {
  TWordReader words(fileName);
  QByteArray first = words.ReadLineBytes();
  // A byte-order mark some editors write is not part of the title.
  if (first.startsWith("\xEF\xBB\xBF")) first.remove(0, 3);
  Title = decodedTextLine(first, m_windows1252Text[0]);
  Designer = decodedTextLine(words.ReadLineBytes(), m_windows1252Text[1]);
  JobNumber = decodedTextLine(words.ReadLineBytes(), m_windows1252Text[2]);
  RecordReader r(words);
  r.startRecord();
  // The tables take the file's unit system before any value of theirs is read.
  // The reader refuses what the engine's reader refuses and the desktop would otherwise change on
  // its next save (a unit code, a print interval or increment of 0, words in unused slots), so
  // that the desktop never saves and runs a file that the runner would not. What it saves as read
  // (a new project's zero pile length) opens, and the run refuses it as the runner does.
  switchUnits(readIntegerIn(r, "Units", kEnglishUnits, kSiUnits));
  PrintIncrement = r.ReadInteger();
  if (PrintIncrement < 1) {
    failOnLine(r, QStringLiteral("The print increment %1 must be at least 1.").arg(PrintIncrement));
  }
  const int points = r.ReadInteger();
  if (points == 0)
    failOnLine(r, QStringLiteral("The number of soil points is 0: no soil is described."));
  if (points < 0 || points > 2 * kMaxLayers || points % 2 != 0) {
    failOnLine(r, QStringLiteral("The number of soil points %1 must be an even number from 0 to "
                                 "%2 (two per layer).")
                      .arg(points)
                      .arg(2 * kMaxLayers));
  }
  const int layers = points / 2;

  r.startRecord();
  NoncircularPerimeter = readNotNegative(r, "noncircular perimeter");
  CircularSection = NoncircularPerimeter == 0.0;
  NoncircularTipArea = readNotNegative(r, "noncircular tip area");
  OutsideDiameter = readNotNegative(r, "outside diameter");
  InsideDiameter = readNotNegative(r, "inside diameter");
  ElasticModulus = readNotNegative(r, "modulus of elasticity");
  PileLength = readNotNegative(r, "pile length");
  if (currentFormat) StickupLength = readNotNegative(r, "stick-up length");
  r.startRecord();
  EnhancedEndLength = readNotNegative(r, "length of the enhanced end section");
  EnhancedEndInsideDiameter = readNotNegative(r, "inside diameter of the enhanced end section");
  r.startRecord();
  ZeroFrictionLength = readNotNegative(r, "zero friction length");
  LengthIncrement = r.ReadFloat();
  if (!(LengthIncrement > 0.0)) {
    failOnLine(r, QStringLiteral("The increment of pile length %1 must be greater than 0.")
                      .arg(QString::fromStdString(formatGeneral(LengthIncrement, 10))));
  }
  PileType = readIntegerIn(r, "Pile type", 1, 7);
  TaperAngle = r.ReadFloat();
  LoadTransferMethod = readIntegerIn(r, "Load-transfer method", 1, 9);
  r.ReadInteger();  // offshore parameters: always on
  if (currentFormat) {
    ReducedLoadTransfer = r.ReadInteger();
    r.startRecord();
    for (int method = 1; method <= 9; ++method) MethodSelected[method] = r.ReadInteger();
  } else {
    MethodSelected.fill(1);
    MethodSelected[0] = 0;
    MethodSelected[kUserSpecifiedMethod] = LoadTransferMethod == kUserSpecifiedMethod ? 1 : 0;
  }
  r.startRecord();
  DeepestSoilDepth = readNotNegative(r, "depth of the deepest soil layer");
  SectionArea = readNotNegative(r, "cross-section area");

  D.setRowCount(layers);
  for (int layer = 0; layer < layers; ++layer) {
    for (int point = 0; point < 2; ++point) {
      r.startRecord();
      if (point == 0) {
        // The top is the bottom of the layer above; the profile starts at the surface.
        const double top = readNotNegative(r, "depth of a soil point");
        if (layer == 0 && std::fabs(top) > 1.0e-6) {
          failOnLine(r,
                     QStringLiteral("The depth %1 of the first soil point must be 0 (the profile "
                                    "starts at the ground surface).")
                         .arg(QString::fromStdString(formatGeneral(top, 10))));
        }
      } else {
        D.cell(col::kBottomDepth, layer).setFloat(readNotNegative(r, "depth of a soil point"));
      }
      const int soilType = readIntegerIn(r, "Soil type", 1, 2);
      if (point == 0) D.cell(col::kSoilType, layer).setInteger(soilType);
      const bool sand = D.cell(col::kSoilType, layer).asInteger() == 1;
      TGridTable& data = layerData(layer);
      const auto put = [&data, point](int column, double value) {
        data.cell(column, point).setFloat(value);
      };
      if (sand) {
        put(col::kSandKo, r.ReadFloat());
        put(col::kSandUnitWeight, r.ReadFloat());
        put(col::kSandFrictionAngle, r.ReadFloat());
        put(col::kSandNq, r.ReadFloat());
      } else {
        // Slots a clay point does not use are still numbers, as the engine requires.
        r.ReadFloat();
        put(col::kClayUnitWeight, r.ReadFloat());
        r.ReadFloat();
        r.ReadFloat();
      }
      r.startRecord();
      // Limits and factors are per layer and repeat on both points: the bottom point's win.
      D.cell(col::kMaxSideFriction, layer).setFloat(r.ReadFloat());
      D.cell(col::kMaxEndBearing, layer).setFloat(r.ReadFloat());
      if (sand) {
        r.ReadFloat();
        data.cell(col::kSandBlowCount, point).setInteger(r.ReadInteger());
        r.ReadFloat();
        r.ReadFloat();
      } else {
        put(col::kClayUndrainedStrength, r.ReadFloat());
        put(col::kClayRemoldedStrength, r.ReadFloat());
        put(col::kClayYieldStressRatio, r.ReadFloat());
        put(col::kClayPlasticityIndex, r.ReadFloat());
      }
      put(col::kConeResistance, r.ReadFloat());
      put(col::kUserSkinFriction, r.ReadFloat());
      put(col::kUserEndBearing, r.ReadFloat());
      if (currentFormat) {
        D.cell(col::kSideFrictionFactor, layer).setFloat(r.ReadFloat());
        D.cell(col::kEndBearingFactor, layer).setFloat(r.ReadFloat());
      }
    }
  }

  r.startRecord();
  ExtraTzDepths = r.ReadInteger();
  if (ExtraTzDepths == 1) {
    r.startRecord();
    const int count = readIntegerIn(r, "Number of extra t-z depths", 0, kMaxExtraTzDepths);
    TblTZDepth.setRowCount(count);
    for (int row = 0; row < count; ++row) {
      r.startRecord();
      TblTZDepth.cell(0, row).setFloat(r.ReadFloat());
    }
  }
  r.startRecord();
  LoadingType = r.ReadInteger();
  TensionReductionFactor = r.ReadFloat();
  r.startRecord();
  ClayDrained = r.ReadInteger();
  PlugCondition = r.ReadInteger();

  r.startRecord();
  const int areaRows = readIntegerIn(r, "Number of cross-section rows", 0, kMaxAreaRows);
  // The earlier layout may end the line after the row count.
  const bool optionOnLine = r.valuesLeftOnLine();
  if (optionOnLine) AreaOption = r.ReadInteger();
  if (areaRows > 1) {
    Sectionaldata.setRowCount(areaRows);
    for (int row = 0; row < areaRows; ++row) {
      r.startRecord();
      Sectionaldata.cell(col::kAreaDepth, row).setFloat(r.ReadFloat());
      Sectionaldata.cell(col::kArea, row).setFloat(r.ReadFloat());
    }
  }
  if (!optionOnLine) {
    AreaOption = Sectionaldata.rowCount() >= 2 ? 2 : (SectionArea != 0.0 ? 1 : 0);
  }
  if (currentFormat) {
    r.startRecord();
    CriticalDepthOption = r.ReadInteger();
    UserCriticalDepth = r.ReadFloat();
  }
}

void TProgramData::readCptFile(const QString& fileName) {
  try {
    TWordReader words(fileName);
    RecordReader r(words);
    r.startRecord();
    const int cptUnits = readIntegerIn(r, "CPT units", 1, 2);
    const int count = readIntegerIn(r, "Number of CPT points", 0, kMaxCptPoints);
    std::vector<CptProfilePoint> points;
    points.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
      r.startRecord();
      const double depth = r.ReadFloat();
      points.push_back({depth, r.ReadFloat()});
    }
    convertCptPoints(points, cptUnits, m_units);
    CptPoints = std::move(points);
  } catch (const EInOutError& error) {
    // The side file is not the file the user opened: the message says which file it is.
    throw EInOutError(QStringLiteral("CPT side file %1:\n%2")
                          .arg(QDir::toNativeSeparators(fileName), error.message()),
                      fileName);
  }
}

}  // namespace vorne
