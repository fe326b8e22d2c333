// GEF (GEF-CPT-Report) reader. The header is a list of "#KEYWORD= values" lines up to #EOH;
// columns are known by their quantity numbers, each with its own unit and void value, and the data
// records follow, split by the declared column separator (else by blanks and tabs) and ended by
// the record separator or the end of a line.
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <map>

#include "cpt/cpt_units.h"
#include "cpt/reader_support.h"

namespace vorne::cpt::detail {

namespace {

// The most columns a GEF file may declare, and the highest quantity number read; anything beyond
// is a damaged header, not a file to read.
constexpr int kMaxGefColumns = 1000;
constexpr double kMaxGefQuantity = 100000.0;

// Quantity numbers of the columns this reader uses.
constexpr int kPenetrationLength = 1;
constexpr int kConeResistance = 2;
constexpr int kSleeveFriction = 3;
constexpr int kPorePressureU2 = 6;
constexpr int kCorrectedDepth = 11;
constexpr int kCorrectedConeResistance = 13;
// #MEASUREMENTVAR numbers.
constexpr int kNetAreaRatio = 3;
constexpr int kPreExcavatedDepth = 13;

struct HeaderLine {
  QString keyword;  // upper case, without "#"
  QString value;    // text after "=", continuation lines joined
  int line = 0;
};

struct Column {
  int number = 0;  // 1-based
  QString unit;
  int quantity = 0;
  std::optional<double> voidValue;
  int line = 0;
};

QStringList values(const QString& text) {
  QStringList parts = text.split(QLatin1Char(','));
  for (QString& p : parts) p = p.trimmed();
  return parts;
}

bool isVoid(double value, const std::optional<double>& voidValue) {
  if (!voidValue) return false;
  return std::abs(value - *voidValue) <= 1e-9 * std::max(1.0, std::abs(*voidValue));
}

// The one separator character a keyword declares, or 0 when it declares none.
QChar separatorOf(const QString& value) {
  const QString v = value.trimmed();
  return v.isEmpty() ? QChar() : v[0];
}

}  // namespace

CptFile readGef(const QByteArray& content, const QString& fileName) {
  const QStringList lines = splitLines(decodeText(content));
  std::vector<HeaderLine> header;
  int dataStart = -1;
  for (int i = 0; i < lines.size(); ++i) {
    const QString text = lines[i].trimmed();
    if (!text.startsWith(QLatin1Char('#'))) {
      // A header line that does not start with "#" continues the one before it.
      if (!header.empty() && !text.isEmpty()) header.back().value += QLatin1Char(' ') + text;
      continue;
    }
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    HeaderLine h;
    h.keyword = (eq < 0 ? text.mid(1) : text.mid(1, eq - 1)).trimmed().toUpper();
    h.value = eq < 0 ? QString() : text.mid(eq + 1);
    h.line = i + 1;
    if (h.keyword == QLatin1String("EOH")) {
      dataStart = i + 1;
      break;
    }
    header.push_back(h);
  }
  if (header.empty() || header.front().keyword != QLatin1String("GEFID")) {
    fail(fileName, 1, QStringLiteral("not a GEF file (it does not start with #GEFID)"));
  }
  if (dataStart < 0) fail(fileName, 0, QStringLiteral("the header has no #EOH line"));

  std::map<int, Column> columns;
  std::optional<int> declaredColumns;
  std::optional<double> preExcavated, areaRatio;
  QChar columnSeparator, recordSeparator;
  QString testId;
  for (const HeaderLine& h : header) {
    const QStringList v = values(h.value);
    if (h.keyword == QLatin1String("PROCEDURECODE") || h.keyword == QLatin1String("REPORTCODE")) {
      if (h.value.contains(QLatin1String("BORE"), Qt::CaseInsensitive)) {
        fail(fileName, h.line, QStringLiteral("a borehole log (%1), not a CPT").arg(v.value(0)));
      }
    } else if (h.keyword == QLatin1String("COLUMN")) {
      if (const auto n = readNumber(v.value(0)); n && *n >= 0 && *n <= kMaxGefColumns) {
        declaredColumns = static_cast<int>(*n);
      }
    } else if (h.keyword == QLatin1String("COLUMNINFO")) {
      const auto number = readNumber(v.value(0));
      const auto quantity = readNumber(v.value(v.size() - 1));
      if (v.size() < 4 || !number || !quantity || *number < 1 || *number > kMaxGefColumns ||
          *number != std::floor(*number) || !(*quantity >= 0 && *quantity <= kMaxGefQuantity)) {
        fail(fileName, h.line,
             QStringLiteral("#COLUMNINFO needs a column number, a unit, a "
                            "description and a quantity number"));
      }
      Column& c = columns[static_cast<int>(*number)];
      c.number = static_cast<int>(*number);
      c.unit = v[1];
      c.quantity = static_cast<int>(*quantity);
      c.line = h.line;
    } else if (h.keyword == QLatin1String("COLUMNVOID")) {
      const auto number = readNumber(v.value(0));
      const auto value = readNumber(v.value(1));
      if (!number || !value || *number < 1 || *number > kMaxGefColumns) {
        fail(fileName, h.line, QStringLiteral("#COLUMNVOID needs a column number and a value"));
      }
      columns[static_cast<int>(*number)].voidValue = *value;
    } else if (h.keyword == QLatin1String("COLUMNSEPARATOR")) {
      columnSeparator = separatorOf(h.value);
    } else if (h.keyword == QLatin1String("RECORDSEPARATOR")) {
      recordSeparator = separatorOf(h.value);
    } else if (h.keyword == QLatin1String("MEASUREMENTVAR")) {
      const auto number = readNumber(v.value(0));
      const auto value = readNumber(v.value(1));
      if (number && value && *number == kPreExcavatedDepth) preExcavated = *value;
      if (number && value && *number == kNetAreaRatio && *value > 0.0 && *value <= 1.0) {
        areaRatio = *value;
      }
    } else if (h.keyword == QLatin1String("TESTID")) {
      testId = h.value.trimmed();
    }
  }
  // A void declared for a column without COLUMNINFO leaves an entry without a number.
  for (auto it = columns.begin(); it != columns.end();) {
    it = it->second.number == 0 ? columns.erase(it) : std::next(it);
  }
  if (columns.empty()) fail(fileName, 0, QStringLiteral("the header has no #COLUMNINFO lines"));
  const int columnCount = columns.rbegin()->first;

  CptProfile profile;
  profile.format = CptFormat::Gef;
  profile.sourceFile = fileName;
  profile.location = testId;
  profile.coneAreaRatio = areaRatio;
  if (declaredColumns && *declaredColumns != static_cast<int>(columns.size())) {
    profile.notes << QStringLiteral("#COLUMN says %1 columns, #COLUMNINFO defines %2")
                         .arg(*declaredColumns)
                         .arg(columns.size());
  }

  auto find = [&](int quantity) -> const Column* {
    for (const auto& [number, c] : columns) {
      if (c.quantity == quantity) return &c;
    }
    return nullptr;
  };
  CptFile file;
  file.format = CptFormat::Gef;
  file.fileName = fileName;

  const Column* qc = find(kConeResistance);
  if (!qc) fail(fileName, 0, QStringLiteral("no cone resistance column (quantity number 2)"));
  const Column* corrected = find(kCorrectedDepth);
  const Column* length = find(kPenetrationLength);
  if (!corrected && !length) {
    fail(fileName, 0,
         QStringLiteral("no depth column (quantity number 1 or 11, penetration length or "
                        "corrected depth)"));
  }
  const auto qcFactor = stressFactor(qc->unit);
  if (!qcFactor) {
    fail(fileName, qc->line,
         isForceUnit(qc->unit)
             ? QStringLiteral("cone resistance in %1, a force, not a stress").arg(qc->unit)
             : QStringLiteral("cone resistance in an unknown unit \"%1\"").arg(qc->unit));
  }
  file.units << QStringLiteral("qc %1").arg(unitToken(qc->unit));
  auto depthFactorOf = [&](const Column* c) -> double {
    if (!c) return 1.0;
    const QString token = unitToken(c->unit);
    // Depth columns in GEF are metres; a unit that says otherwise is taken when it is a length.
    if (token.isEmpty()) return 1.0;
    const auto f = lengthFactor(c->unit);
    if (!f) fail(fileName, c->line, QStringLiteral("depth in an unknown unit \"%1\"").arg(c->unit));
    return *f;
  };
  const double correctedFactor = depthFactorOf(corrected);
  const double lengthFactorValue = depthFactorOf(length);
  file.units << QStringLiteral("depth m");
  // Optional stress columns: one in a unit that is not a stress is left out, with a note.
  auto optionalStress = [&](int quantity, const char* name) -> std::pair<const Column*, double> {
    const Column* c = find(quantity);
    if (!c) return {nullptr, 0.0};
    const auto f = stressFactor(c->unit);
    if (!f) {
      profile.notes << QStringLiteral("%1 column %2 in unit \"%3\" not read")
                           .arg(QLatin1String(name))
                           .arg(c->number)
                           .arg(c->unit);
      return {nullptr, 0.0};
    }
    file.units << QStringLiteral("%1 %2").arg(QLatin1String(name), unitToken(c->unit));
    return {c, *f};
  };
  const auto [fs, fsFactor] = optionalStress(kSleeveFriction, "fs");
  const auto [u2, u2Factor] = optionalStress(kPorePressureU2, "u2");
  const auto [qt, qtFactor] = optionalStress(kCorrectedConeResistance, "qt");

  int voidQc = 0, voidDepth = 0, aboveExcavation = 0, lengthFallback = 0;
  std::vector<double> fields(static_cast<std::size_t>(columnCount));
  for (int i = dataStart; i < lines.size(); ++i) {
    const QString& line = lines[i];
    const QStringList records =
        recordSeparator.isNull() ? QStringList{line} : line.split(recordSeparator);
    for (const QString& record : records) {
      const QString text = record.trimmed();
      if (text.isEmpty()) continue;
      QStringList parts;
      if (columnSeparator.isNull() || columnSeparator.isSpace()) {
        parts = text.split(QRegularExpression(QStringLiteral("[ \\t]+")), Qt::SkipEmptyParts);
      } else {
        parts = text.split(columnSeparator);
      }
      // Free text may follow the numbers, so only the first columnCount fields are read.
      if (parts.size() < columnCount) {
        fail(fileName, i + 1,
             QStringLiteral("%1 fields where the header defines %2 columns")
                 .arg(parts.size())
                 .arg(columnCount));
      }
      for (int k = 0; k < columnCount; ++k) {
        const auto value = readNumber(parts[k]);
        if (!value) {
          fail(
              fileName, i + 1,
              QStringLiteral("field %1 \"%2\" is not a number").arg(k + 1).arg(parts[k].trimmed()));
        }
        fields[static_cast<std::size_t>(k)] = *value;
      }
      ++profile.recordsRead;
      auto valueOf = [&](const Column* c) -> std::optional<double> {
        if (!c) return std::nullopt;
        const double v = fields[static_cast<std::size_t>(c->number - 1)];
        if (isVoid(v, c->voidValue)) return std::nullopt;
        return v;
      };
      // The void test comes before the sign change: -999.999 must not become a 999.999 m depth.
      std::optional<double> depth;
      if (const auto d = valueOf(corrected)) {
        depth = scaled(std::abs(*d), correctedFactor);
      } else if (const auto l = valueOf(length)) {
        depth = scaled(std::abs(*l), lengthFactorValue);
        if (corrected) ++lengthFallback;
      }
      if (!depth) {
        ++voidDepth;
        continue;
      }
      const auto cone = valueOf(qc);
      if (!cone) {
        ++voidQc;
        continue;
      }
      if (preExcavated && *depth < *preExcavated - 1e-6) {
        ++aboveExcavation;
        continue;
      }
      CptRecord r;
      r.depth = *depth;
      r.coneResistance = scaled(*cone, *qcFactor);
      if (const auto v = valueOf(fs)) r.sleeveFriction = scaled(*v, fsFactor);
      if (const auto v = valueOf(u2)) r.porePressure = scaled(*v, u2Factor);
      if (const auto v = valueOf(qt)) r.correctedConeResistance = scaled(*v, qtFactor);
      profile.records.push_back(r);
    }
  }
  if (voidDepth > 0)
    profile.notes << QStringLiteral("%1 records with a void depth skipped").arg(voidDepth);
  if (voidQc > 0) profile.notes << QStringLiteral("%1 records with a void qc skipped").arg(voidQc);
  if (lengthFallback > 0) {
    profile.notes << QStringLiteral(
                         "%1 records with a void corrected depth take the penetration "
                         "length")
                         .arg(lengthFallback);
  }
  if (aboveExcavation > 0) {
    profile.notes << QStringLiteral("%1 records above the pre-excavated depth of %2 dropped")
                         .arg(aboveExcavation)
                         .arg(metres(*preExcavated));
  }
  profile.notes.prepend(QStringLiteral("depth from the %1")
                            .arg(corrected ? QStringLiteral("corrected depth")
                                           : QStringLiteral("penetration length")));
  if (!std::is_sorted(profile.records.begin(), profile.records.end(),
                      [](const CptRecord& a, const CptRecord& b) { return a.depth < b.depth; })) {
    std::stable_sort(profile.records.begin(), profile.records.end(),
                     [](const CptRecord& a, const CptRecord& b) { return a.depth < b.depth; });
    profile.notes << QStringLiteral("records sorted by depth");
  }
  if (profile.records.empty()) {
    fail(fileName, 0,
         QStringLiteral("no record with a depth and a cone resistance (%1 records read)")
             .arg(profile.recordsRead));
  }
  file.profiles.push_back(std::move(profile));
  return file;
}

}  // namespace vorne::cpt::detail
