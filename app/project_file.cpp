// Project data file (".vr6d", and the earlier ".vrd" layout for reading) and CPT side file
// (".cpt"): the reader and the writer of the project model. Lines end in CR LF, numbers use "."
// whatever the locale; reals are written in general format with up to 10 significant digits and
// table cells as the cell shows them.
#include <QDir>
#include <QFileInfo>

#include "app/atomic_file.h"
#include "app/io_error.h"
#include "app/number_text.h"
#include "app/program_data.h"
#include "app/unit_labels.h"
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

  // A real followed by one blank.
  Line& real(double value) { return text(formatGeneral(value, kScalarDigits)); }
  Line& integer(int value) { return text(std::to_string(value)); }
  Line& cell(const TGridTable& table, int column, int row) {
    m_out += table.cellText(column, row).toUtf8();
    m_out += ' ';
    return *this;
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

// A text line of the file; a line break inside it would shift every following line.
QByteArray textLine(const QString& text) {
  QString line = text;
  line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  return line.toUtf8() + kLineEnd;
}

[[noreturn]] void failOnLine(const TWordReader& reader, const QString& what) {
  throw EInOutError(QStringLiteral("Error on Line %1\n%2").arg(reader.LineIndex() + 1).arg(what));
}

int readIntegerIn(TWordReader& reader, const char* name, int low, int high) {
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

// CPT points of one unit system in the other: depth ft <-> m, qc ksf <-> kPa.
void convertCptPoints(std::vector<CptProfilePoint>& points, int from, int to) {
  if (from == to) return;
  const double depthFactor = englishToSiFactor(QStringLiteral("L2"));
  const double qcFactor = englishToSiFactor(QStringLiteral("F1/L2^2"));
  for (CptProfilePoint& p : points) {
    if (to == kSiUnits) {
      p.depth *= depthFactor;
      p.qc *= qcFactor;
    } else {
      p.depth /= depthFactor;
      p.qc /= qcFactor;
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
  out += textLine(Title);
  out += textLine(Designer);
  out += textLine(JobNumber);
  const int layers = D.rowCount();
  Line(out).integer(m_units).integer(PrintIncrement).last(std::to_string(2 * layers));
  {
    Line line(out);
    if (CircularSection) {
      line.text("0");
    } else {
      line.real(NoncircularPerimeter);
    }
    line.real(NoncircularTipArea).real(OutsideDiameter).real(InsideDiameter);
    line.real(ElasticModulus).real(PileLength).last(formatGeneral(StickupLength, kScalarDigits));
  }
  Line(out).real(EnhancedEndLength).real(EnhancedEndInsideDiameter);
  Line(out)
      .real(ZeroFrictionLength)
      .real(LengthIncrement)
      .integer(PileType)
      .real(TaperAngle)
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
      line.real(DeepestSoilDepth);
    }
    line.real(SectionArea);
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
  Line(out).integer(LoadingType).real(TensionReductionFactor);
  Line(out).integer(ClayDrained).integer(PlugCondition);
  const int areaRows = Sectionaldata.rowCount();
  Line(out).integer(areaRows).integer(AreaOption);
  if (areaRows > 1) {
    for (int row = 0; row < areaRows; ++row) {
      Line(out).cell(Sectionaldata, col::kAreaDepth, row).cell(Sectionaldata, col::kArea, row);
    }
  }
  Line(out).integer(CriticalDepthOption).real(UserCriticalDepth);
  return out;
}

QByteArray TProgramData::cptFileText() const {
  QByteArray out = m_units == kSiUnits ? " 2 " : " 1 ";
  out += QByteArray::number(CptPointCount()) + kLineEnd;
  for (const CptProfilePoint& p : CptPoints) {
    out += "  " + QByteArray::fromStdString(formatExponent(p.depth, kCptDigits)) + "  " +
           QByteArray::fromStdString(formatExponent(p.qc, kCptDigits)) + kLineEnd;
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
  TWordReader r(fileName);
  Title = r.ReadLine();
  Designer = r.ReadLine();
  JobNumber = r.ReadLine();
  // The tables take the file's unit system before any value of theirs is read.
  switchUnits(r.ReadInteger());
  PrintIncrement = r.ReadInteger();
  const int points = r.ReadInteger();
  if (points < 0 || points > 2 * kMaxLayers || points % 2 != 0) {
    failOnLine(r, QStringLiteral("The number of soil points %1 must be an even number from 0 to "
                                 "%2 (two per layer).")
                      .arg(points)
                      .arg(2 * kMaxLayers));
  }
  const int layers = points / 2;

  NoncircularPerimeter = r.ReadFloat();
  CircularSection = NoncircularPerimeter == 0.0;
  NoncircularTipArea = r.ReadFloat();
  OutsideDiameter = r.ReadFloat();
  InsideDiameter = r.ReadFloat();
  ElasticModulus = r.ReadFloat();
  PileLength = r.ReadFloat();
  if (currentFormat) StickupLength = r.ReadFloat();
  EnhancedEndLength = r.ReadFloat();
  EnhancedEndInsideDiameter = r.ReadFloat();
  ZeroFrictionLength = r.ReadFloat();
  LengthIncrement = r.ReadFloat();
  PileType = readIntegerIn(r, "Pile type", 1, 7);
  TaperAngle = r.ReadFloat();
  LoadTransferMethod = readIntegerIn(r, "Load-transfer method", 1, 9);
  r.ReadInteger();  // offshore parameters: always on
  if (currentFormat) {
    ReducedLoadTransfer = r.ReadInteger();
    for (int method = 1; method <= 9; ++method) MethodSelected[method] = r.ReadInteger();
  } else {
    MethodSelected.fill(1);
    MethodSelected[0] = 0;
    MethodSelected[kUserSpecifiedMethod] = LoadTransferMethod == kUserSpecifiedMethod ? 1 : 0;
  }
  DeepestSoilDepth = r.ReadFloat();
  SectionArea = r.ReadFloat();

  D.setRowCount(layers);
  for (int layer = 0; layer < layers; ++layer) {
    for (int point = 0; point < 2; ++point) {
      if (point == 0) {
        r.NextWord();  // the top is the bottom of the layer above
      } else {
        D.cell(col::kBottomDepth, layer).setFloat(r.ReadFloat());
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
        r.NextWord();
        put(col::kClayUnitWeight, r.ReadFloat());
        r.NextWord();
        r.NextWord();
      }
      // Limits and factors are per layer and repeat on both points: the bottom point's win.
      D.cell(col::kMaxSideFriction, layer).setFloat(r.ReadFloat());
      D.cell(col::kMaxEndBearing, layer).setFloat(r.ReadFloat());
      if (sand) {
        r.NextWord();
        data.cell(col::kSandBlowCount, point).setInteger(r.ReadInteger());
        r.NextWord();
        r.NextWord();
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

  ExtraTzDepths = r.ReadInteger();
  if (ExtraTzDepths == 1) {
    const int count = readIntegerIn(r, "Number of extra t-z depths", 0, kMaxExtraTzDepths);
    TblTZDepth.setRowCount(count);
    for (int row = 0; row < count; ++row) TblTZDepth.cell(0, row).setFloat(r.ReadFloat());
  }
  LoadingType = r.ReadInteger();
  TensionReductionFactor = r.ReadFloat();
  ClayDrained = r.ReadInteger();
  PlugCondition = r.ReadInteger();

  const int areaRows = readIntegerIn(r, "Number of cross-section rows", 0, kMaxAreaRows);
  const bool optionOnLine = r.WordCount() - static_cast<int>(r.WordIndex()) >= 1;
  if (optionOnLine) AreaOption = r.ReadInteger();
  if (areaRows > 1) {
    Sectionaldata.setRowCount(areaRows);
    for (int row = 0; row < areaRows; ++row) {
      Sectionaldata.cell(col::kAreaDepth, row).setFloat(r.ReadFloat());
      Sectionaldata.cell(col::kArea, row).setFloat(r.ReadFloat());
    }
  }
  if (!optionOnLine) {
    AreaOption = Sectionaldata.rowCount() >= 2 ? 2 : (SectionArea != 0.0 ? 1 : 0);
  }
  if (currentFormat) {
    CriticalDepthOption = r.ReadInteger();
    UserCriticalDepth = r.ReadFloat();
  }
}

void TProgramData::readCptFile(const QString& fileName) {
  try {
    TWordReader r(fileName);
    const int cptUnits = readIntegerIn(r, "CPT units", 1, 2);
    const int count = readIntegerIn(r, "Number of CPT points", 0, kMaxCptPoints);
    std::vector<CptProfilePoint> points;
    points.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
      const double depth = r.ReadFloat();
      points.push_back({depth, r.ReadFloat()});
    }
    convertCptPoints(points, cptUnits, m_units);
    CptPoints = std::move(points);
  } catch (const EInOutError& error) {
    throw EInOutError(error.message(), fileName);
  }
}

}  // namespace vorne
