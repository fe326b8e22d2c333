// Column text reader: CPT exports with no standard. The header row is the first line that names
// a depth and a cone resistance column (in English, Dutch or German); lines before it are a
// preamble. Units come from the names ("qc (MPa)", "Conuswaarden[MN/m²]") or from a units row
// below them. The separator is the header's tab, semicolon or comma, else runs of blanks, read as
// fixed-width columns when a row has blank cells. A semicolon, tab or blank separated file may
// use a decimal comma.
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

#include "cpt/cpt_units.h"
#include "cpt/reader_support.h"

namespace vorne::cpt::detail {

namespace {

enum class Role { None, Depth, Qc, Fs, U2 };

struct Field {
  QString text;
  qsizetype start = 0, end = 0;  // character span in the line, for fixed-width rows
};

// The name without its unit part, lower case.
QString bareName(const QString& header) {
  QString name = header;
  const qsizetype bracket = name.indexOf(QRegularExpression(QStringLiteral("[\\(\\[]")));
  if (bracket >= 0) name = name.left(bracket);
  return name.trimmed().toLower();
}

// The unit inside brackets of a header name, or empty.
QString unitInName(const QString& header) {
  static const QRegularExpression bracket(QStringLiteral("[\\(\\[]([^\\)\\]]*)[\\)\\]]"));
  const auto m = bracket.match(header);
  return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

Role roleOf(const QString& header) {
  const QString name = bareName(header);
  if (name.isEmpty()) return Role::None;
  auto has = [&](std::initializer_list<const char*> words) {
    for (const char* w : words) {
      if (name.contains(QLatin1String(w))) return true;
    }
    return false;
  };
  auto is = [&](std::initializer_list<const char*> words) {
    for (const char* w : words) {
      if (name == QLatin1String(w)) return true;
    }
    return false;
  };
  // Ratios, corrected and net values are other quantities that share the words below.
  if (has({"ratio", "getal", "verhältnis", "corrected", "gecorrigeerd", "net", "%"}) ||
      is({"rf", "qt", "qn", "bq", "fr"})) {
    return Role::None;
  }
  if (is({"z", "d"}) || has({"depth", "diepte", "tiefe", "penetration", "sondeerlengte"})) {
    return Role::Depth;
  }
  if (is({"qc", "q_c", "tip"}) || has({"cone", "conus", "spitze", "puntdruk"})) return Role::Qc;
  if (is({"fs", "f_s"}) || has({"friction", "reibung", "kleef", "sleeve", "wrijving"})) {
    return Role::Fs;
  }
  if (is({"u2", "u_2"}) || has({"pore", "waterspanning", "pw-druck", "porenwasser"})) {
    return Role::U2;
  }
  return Role::None;
}

// Splits a line by the separator. Blank separated: sep 0 splits a header at two or more blanks (a
// name may hold one, "Pore 2"), sep " " at every run of blanks; data rows split at every run.
std::vector<Field> splitFields(const QString& line, QChar sep, bool header) {
  std::vector<Field> fields;
  if (!sep.isNull() && sep != QLatin1Char(' ')) {
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
      if (i == line.size() || line[i] == sep) {
        fields.push_back({line.mid(start, i - start).trimmed(), start, i});
        start = i + 1;
      }
    }
    // Trailing separators leave empty fields at the end.
    while (!fields.empty() && fields.back().text.isEmpty()) fields.pop_back();
    return fields;
  }
  static const QRegularExpression headerGap(QStringLiteral("\\S+(?: \\S+)*"));
  static const QRegularExpression dataGap(QStringLiteral("\\S+"));
  auto it = (header && sep.isNull() ? headerGap : dataGap).globalMatch(line);
  while (it.hasNext()) {
    const auto m = it.next();
    fields.push_back({m.captured(0), m.capturedStart(0), m.capturedEnd(0)});
  }
  return fields;
}

// A separator character, as against splitting at blanks.
bool isDelimiter(QChar sep) { return !sep.isNull() && sep != QLatin1Char(' '); }

bool isMissingMarker(const QString& text) {
  const QString t = text.trimmed().toLower();
  return t.isEmpty() || t == QLatin1String("nan") || t == QLatin1String("na") ||
         t == QLatin1String("-") || t == QLatin1String("-9999") || t == QLatin1String("-999.25") ||
         t == QLatin1String("-9999.0") || t == QLatin1String("-999.250");
}

}  // namespace

CptFile readColumns(const QByteArray& content,
                    const QString& fileName,
                    const ColumnOverrides& overrides) {
  const QStringList lines = splitLines(decodeText(content));
  // The header row: the first line naming a depth and a qc column under some separator.
  int headerLine = -1;
  QChar sep;
  std::vector<Field> headers;
  const bool chosenColumns = overrides.depth.column >= 0 && overrides.coneResistance.column >= 0;
  for (int i = 0; i < lines.size() && headerLine < 0; ++i) {
    for (QChar candidate : {QChar('\t'), QChar(';'), QChar(','), QChar(), QChar(' ')}) {
      if (isDelimiter(candidate) && !lines[i].contains(candidate)) continue;
      const std::vector<Field> fields = splitFields(lines[i], candidate, true);
      bool depth = false, qc = false;
      for (const Field& f : fields) {
        depth = depth || roleOf(f.text) == Role::Depth;
        qc = qc || roleOf(f.text) == Role::Qc;
      }
      if (depth && qc) {
        headerLine = i;
        sep = candidate;
        headers = fields;
        break;
      }
    }
  }
  const bool named = headerLine >= 0;
  if (!named && chosenColumns) {
    // Columns chosen by the user: the data begin at the first line whose chosen fields are
    // numbers; there is no header to take names or units from.
    bool found = false;
    for (int i = 0; i < lines.size() && !found; ++i) {
      for (QChar candidate : {QChar('\t'), QChar(';'), QChar(','), QChar()}) {
        if (isDelimiter(candidate) && !lines[i].contains(candidate)) continue;
        const std::vector<Field> fields = splitFields(lines[i], candidate, false);
        const auto d = static_cast<std::size_t>(overrides.depth.column);
        const auto q = static_cast<std::size_t>(overrides.coneResistance.column);
        if (fields.size() > std::max(d, q) && readNumber(fields[d].text) &&
            readNumber(fields[q].text)) {
          headerLine = i - 1;
          sep = candidate;
          headers.assign(fields.size(), Field{});
          found = true;
          break;
        }
      }
    }
  }
  if (!named && headerLine < 0 && !chosenColumns) {
    fail(fileName, 0,
         QStringLiteral("no header row naming a depth and a cone resistance column (depth, "
                        "diepte or tiefe; qc, conus or cone)"));
  }

  std::vector<Role> roles(headers.size(), Role::None);
  for (std::size_t k = 0; k < headers.size(); ++k) {
    const Role r = roleOf(headers[k].text);
    // The first column of each role counts.
    if (r != Role::None && std::find(roles.begin(), roles.end(), r) == roles.end()) roles[k] = r;
  }
  auto columnOf = [&](Role role, const ColumnChoice& choice) -> int {
    if (choice.column >= 0) return choice.column;
    const auto it = std::find(roles.begin(), roles.end(), role);
    return it == roles.end() ? -1 : static_cast<int>(it - roles.begin());
  };
  const int depthColumn = columnOf(Role::Depth, overrides.depth);
  const int qcColumn = columnOf(Role::Qc, overrides.coneResistance);
  const int fsColumn = columnOf(Role::Fs, overrides.sleeveFriction);
  const int u2Column = columnOf(Role::U2, overrides.porePressure);

  // A units row: the line after the header when none of its fields is a number.
  int dataStart = headerLine + 1;
  std::vector<QString> units(std::max<std::size_t>(headers.size(), 1));
  for (std::size_t k = 0; k < headers.size(); ++k) units[k] = unitInName(headers[k].text);
  if (named && dataStart < lines.size()) {
    const std::vector<Field> next = splitFields(lines[dataStart], sep, true);
    const std::vector<Field> words = splitFields(lines[dataStart], sep, false);
    const bool anyNumber = std::any_of(words.begin(), words.end(), [](const Field& f) {
      QString t = f.text;
      return readNumber(t.replace(QLatin1Char(','), QLatin1Char('.'))).has_value();
    });
    if (!next.empty() && !anyNumber) {
      for (std::size_t k = 0; k < next.size() && k < units.size(); ++k) {
        QString u = next[k].text;
        if (u.startsWith(QLatin1Char('(')) || u.startsWith(QLatin1Char('['))) u = u.mid(1);
        if (u.endsWith(QLatin1Char(')')) || u.endsWith(QLatin1Char(']'))) u.chop(1);
        if (units[k].isEmpty()) units[k] = u.trimmed();
      }
      ++dataStart;
    }
  }
  auto unitOf = [&](int column, const ColumnChoice& choice) {
    if (!choice.unit.isEmpty()) return choice.unit;
    return column >= 0 && static_cast<std::size_t>(column) < units.size()
               ? units[static_cast<std::size_t>(column)]
               : QString();
  };
  const int headerLineNumber = headerLine + 1;
  if (depthColumn < 0) fail(fileName, headerLineNumber, QStringLiteral("no depth column"));
  if (qcColumn < 0) fail(fileName, headerLineNumber, QStringLiteral("no cone resistance column"));
  const QString depthUnit = unitOf(depthColumn, overrides.depth);
  const QString qcUnit = unitOf(qcColumn, overrides.coneResistance);
  const auto depthFactor = lengthFactor(depthUnit);
  if (!depthFactor) {
    fail(fileName, headerLineNumber,
         depthUnit.isEmpty() ? QStringLiteral("the depth column has no unit; choose one")
                             : QStringLiteral("depth in an unknown unit \"%1\"").arg(depthUnit));
  }
  const auto qcFactor = stressFactor(qcUnit);
  if (!qcFactor) {
    fail(fileName, headerLineNumber,
         qcUnit.isEmpty() ? QStringLiteral("the cone resistance column has no unit; choose one")
         : isForceUnit(qcUnit)
             ? QStringLiteral("cone resistance in %1, a force, not a stress").arg(qcUnit)
             : QStringLiteral("cone resistance in an unknown unit \"%1\"").arg(qcUnit));
  }
  CptFile file;
  file.format = CptFormat::Columns;
  file.fileName = fileName;
  file.units << QStringLiteral("depth %1").arg(unitToken(depthUnit))
             << QStringLiteral("qc %1").arg(unitToken(qcUnit));
  CptProfile profile;
  profile.format = CptFormat::Columns;
  profile.sourceFile = fileName;
  if (headerLine > 0) {
    profile.notes << QStringLiteral("%1 lines before the header row skipped").arg(headerLine);
  }
  auto optionalFactor = [&](int column, const ColumnChoice& choice, const char* name) -> double {
    if (column < 0) return 0.0;
    const QString unit = unitOf(column, choice);
    const auto f = stressFactor(unit);
    if (!f) {
      profile.notes
          << QStringLiteral("%1 column in unit \"%2\" not read").arg(QLatin1String(name), unit);
      return 0.0;
    }
    file.units << QStringLiteral("%1 %2").arg(QLatin1String(name), unitToken(unit));
    return *f;
  };
  const double fsFactor = optionalFactor(fsColumn, overrides.sleeveFriction, "fs");
  const double u2Factor = optionalFactor(u2Column, overrides.porePressure, "u2");

  // Decimal comma: a separator other than "," and data fields with a comma and no point.
  bool decimalComma = false;
  if (sep != QLatin1Char(',')) {
    static const QRegularExpression commaNumber(QStringLiteral("^[-+]?\\d*,\\d+$"));
    for (int i = dataStart; i < lines.size() && i < dataStart + 50; ++i) {
      for (const Field& f : splitFields(lines[i], sep, false)) {
        if (commaNumber.match(f.text).hasMatch()) decimalComma = true;
      }
    }
    if (decimalComma) profile.notes << QStringLiteral("decimal comma");
  }

  int missingQc = 0, missingDepth = 0, negativeDepths = 0;
  for (int i = dataStart; i < lines.size(); ++i) {
    if (lines[i].trimmed().isEmpty()) continue;
    std::vector<Field> fields = splitFields(lines[i], sep, false);
    if (!isDelimiter(sep) && fields.size() != headers.size() && named) {
      // Fixed width with blank cells: each value belongs to the header column it overlaps most,
      // or failing that the nearest one.
      std::vector<Field> placed(headers.size());
      for (const Field& f : fields) {
        std::size_t best = 0;
        qsizetype bestScore = std::numeric_limits<qsizetype>::min();
        for (std::size_t k = 0; k < headers.size(); ++k) {
          const qsizetype overlap =
              std::min(f.end, headers[k].end) - std::max(f.start, headers[k].start);
          if (overlap > bestScore) {
            bestScore = overlap;
            best = k;
          }
        }
        if (!placed[best].text.isEmpty()) {
          fail(fileName, i + 1,
               QStringLiteral("values \"%1\" and \"%2\" fall in the same column")
                   .arg(placed[best].text, f.text));
        }
        placed[best] = f;
      }
      fields = placed;
    }
    auto value = [&](int column, double factor) -> std::optional<double> {
      if (column < 0 || static_cast<std::size_t>(column) >= fields.size()) return std::nullopt;
      QString text = fields[static_cast<std::size_t>(column)].text;
      if (isMissingMarker(text)) return std::nullopt;
      if (decimalComma) text.replace(QLatin1Char(','), QLatin1Char('.'));
      const auto v = readNumber(text);
      if (!v) {
        fail(fileName, i + 1,
             QStringLiteral("column %1 \"%2\" is not a number").arg(column + 1).arg(text));
      }
      return scaled(*v, factor);
    };
    ++profile.recordsRead;
    const auto depth = value(depthColumn, *depthFactor);
    const auto qc = value(qcColumn, *qcFactor);
    const auto fs = fsFactor > 0.0 ? value(fsColumn, fsFactor) : std::nullopt;
    const auto u2 = u2Factor > 0.0 ? value(u2Column, u2Factor) : std::nullopt;
    if (!depth) {
      ++missingDepth;
      continue;
    }
    if (!qc) {
      ++missingQc;
      continue;
    }
    if (*depth < 0.0) ++negativeDepths;
    profile.records.push_back({std::abs(*depth), *qc, fs, u2, std::nullopt});
  }
  if (missingDepth > 0) {
    profile.notes << QStringLiteral("%1 rows without a depth skipped").arg(missingDepth);
  }
  if (missingQc > 0) profile.notes << QStringLiteral("%1 rows without qc skipped").arg(missingQc);
  if (negativeDepths > 0) {
    profile.notes << QStringLiteral("%1 negative depths taken as depths below the surface")
                         .arg(negativeDepths);
  }
  if (!std::is_sorted(profile.records.begin(), profile.records.end(),
                      [](const CptRecord& a, const CptRecord& b) { return a.depth < b.depth; })) {
    std::stable_sort(profile.records.begin(), profile.records.end(),
                     [](const CptRecord& a, const CptRecord& b) { return a.depth < b.depth; });
    profile.notes << QStringLiteral("rows sorted by depth");
  }
  if (profile.records.empty()) {
    fail(fileName, 0, QStringLiteral("no row with a depth and a cone resistance"));
  }
  file.profiles.push_back(std::move(profile));
  return file;
}

}  // namespace vorne::cpt::detail
