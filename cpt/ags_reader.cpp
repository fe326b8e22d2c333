// AGS4 and AGS3 readers. Both are lines of double-quoted, comma-separated fields (a quote inside a
// field doubled) grouped under a group name with a heading row and a unit row; the CPT data group
// (AGS4 SCPT, AGS3 STCN) holds every location and push, each row naming its own.
#include <algorithm>

#include "cpt/cpt_units.h"
#include "cpt/reader_support.h"

namespace vorne::cpt::detail {

namespace {

struct Row {
  QStringList fields;
  int line = 0;  // 1-based line where the row starts
};

// Splits text into rows of fields. A quoted field may hold commas, doubled quotes and even line
// breaks; an unquoted field is taken as it stands, trimmed. Blank lines give no row.
std::vector<Row> tokenize(const QString& text) {
  std::vector<Row> rows;
  Row row;
  QString field;
  bool inQuotes = false, fieldStarted = false, anyField = false;
  int line = 1;
  row.line = 1;
  auto endField = [&] {
    row.fields.append(fieldStarted ? field : field.trimmed());
    field.clear();
    fieldStarted = false;
    anyField = true;
  };
  auto endRow = [&] {
    if (anyField || !field.trimmed().isEmpty()) {
      endField();
      rows.push_back(row);
    }
    row = Row();
    field.clear();
    fieldStarted = false;
    anyField = false;
  };
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text[i];
    if (inQuotes) {
      if (c == QLatin1Char('"')) {
        if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
          field += c;
          ++i;
        } else {
          inQuotes = false;
        }
      } else {
        if (c == QLatin1Char('\n')) ++line;
        field += c;
      }
      continue;
    }
    if (c == QLatin1Char('"')) {
      // Text before the opening quote is only blanks in a well-formed file.
      field.clear();
      inQuotes = true;
      fieldStarted = true;
    } else if (c == QLatin1Char(',')) {
      endField();
    } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
      endRow();
      if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) ++i;
      ++line;
      row.line = line;
    } else if (!fieldStarted) {
      field += c;
    }
  }
  endRow();
  return rows;
}

struct Group {
  QString name;
  QStringList headings;
  QStringList units;
  std::vector<Row> data;
  int line = 0;       // the GROUP row
  int unitsLine = 0;  // the UNIT row, where a unit message points
};

int indexOf(const Group& g, const char* heading) {
  return static_cast<int>(g.headings.indexOf(QLatin1String(heading)));
}

// Reads the located rows of a CPT data group, converting each column by its own unit.
std::vector<LocatedRow> locatedRows(const Group& g,
                                    const QString& fileName,
                                    const char* idHeading,
                                    const char* pushHeading,
                                    const char* depthHeading,
                                    const char* qcHeading,
                                    const char* fsHeading,
                                    const char* u2Heading,
                                    const char* qtHeading,
                                    QStringList& units,
                                    QStringList& notes) {
  const int id = indexOf(g, idHeading);
  const int depth = indexOf(g, depthHeading);
  const int qc = indexOf(g, qcHeading);
  for (auto [index, name] :
       {std::pair{id, idHeading}, std::pair{depth, depthHeading}, std::pair{qc, qcHeading}}) {
    if (index < 0) {
      fail(fileName, g.line,
           QStringLiteral("group %1 has no heading %2").arg(g.name, QLatin1String(name)));
    }
  }
  const int push = indexOf(g, pushHeading);
  auto unitOf = [&](int index) { return g.units.value(index).trimmed(); };
  const QString depthUnit = unitOf(depth);
  const auto depthFactor =
      depthUnit.isEmpty() ? std::optional<double>(1.0) : lengthFactor(depthUnit);
  if (!depthFactor) {
    fail(
        fileName, g.unitsLine,
        QStringLiteral("%1 in an unknown unit \"%2\"").arg(QLatin1String(depthHeading), depthUnit));
  }
  const QString qcUnit = unitOf(qc);
  const auto qcFactor = stressFactor(qcUnit);
  if (!qcFactor) {
    fail(
        fileName, g.unitsLine,
        qcUnit.isEmpty() ? QStringLiteral("%1 has no unit").arg(QLatin1String(qcHeading))
        : isForceUnit(qcUnit)
            ? QStringLiteral("%1 in %2, a force, not a stress")
                  .arg(QLatin1String(qcHeading), qcUnit)
            : QStringLiteral("%1 in an unknown unit \"%2\"").arg(QLatin1String(qcHeading), qcUnit));
  }
  units << QStringLiteral("depth %1").arg(depthUnit.isEmpty() ? QStringLiteral("m") : depthUnit)
        << QStringLiteral("qc %1").arg(qcUnit);
  struct Optional {
    int index;
    double factor;
  };
  auto optionalColumn = [&](const char* heading, const char* name) -> Optional {
    const int index = indexOf(g, heading);
    if (index < 0) return {-1, 0.0};
    const QString unit = unitOf(index);
    const auto factor = stressFactor(unit);
    if (!factor) {
      notes << QStringLiteral("%1 in unit \"%2\" not read").arg(QLatin1String(heading), unit);
      return {-1, 0.0};
    }
    units << QStringLiteral("%1 %2").arg(QLatin1String(name), unit);
    return {index, *factor};
  };
  const Optional fs = optionalColumn(fsHeading, "fs");
  const Optional u2 = optionalColumn(u2Heading, "u2");
  const Optional qt = optionalColumn(qtHeading, "qt");

  std::vector<LocatedRow> rows;
  rows.reserve(g.data.size());
  for (const Row& row : g.data) {
    // Empty fields are missing values, never 0.
    auto value = [&](int index, double factor) -> std::optional<double> {
      if (index < 0) return std::nullopt;
      const QString text = row.fields.value(index).trimmed();
      if (text.isEmpty()) return std::nullopt;
      const auto v = readNumber(text);
      if (!v) {
        fail(fileName, row.line,
             QStringLiteral("%1 \"%2\" is not a number").arg(g.headings[index], text));
      }
      return scaled(*v, factor);
    };
    LocatedRow r;
    r.location = row.fields.value(id).trimmed();
    r.push = push >= 0 ? row.fields.value(push).trimmed() : QString();
    r.depth = value(depth, *depthFactor);
    r.coneResistance = value(qc, *qcFactor);
    r.sleeveFriction = value(fs.index, fs.factor);
    r.porePressure = value(u2.index, u2.factor);
    r.correctedConeResistance = value(qt.index, qt.factor);
    rows.push_back(r);
  }
  return rows;
}

void checkFieldCounts(const Group& g, const QString& fileName) {
  for (const Row& row : g.data) {
    if (row.fields.size() != g.headings.size()) {
      fail(fileName, row.line,
           QStringLiteral("%1 fields where the %2 headings have %3")
               .arg(row.fields.size())
               .arg(g.name)
               .arg(g.headings.size()));
    }
  }
}

CptFile assemble(CptFormat format,
                 const QString& fileName,
                 std::vector<LocatedRow> rows,
                 const std::map<std::pair<QString, QString>, double>& car,
                 const QStringList& units,
                 const QStringList& notes) {
  CptFile file;
  file.format = format;
  file.fileName = fileName;
  file.units = units;
  file.profiles = profilesFromRows(rows, format, fileName, car);
  // A location whose rows all lack a depth or a qc gives no profile.
  std::erase_if(file.profiles, [](const CptProfile& p) { return p.records.empty(); });
  if (file.profiles.empty()) {
    fail(fileName, 0, QStringLiteral("no CPT record with a depth and a cone resistance"));
  }
  for (CptProfile& p : file.profiles) p.notes = notes + p.notes;
  return file;
}

}  // namespace

CptFile readAgs4(const QByteArray& content, const QString& fileName) {
  const std::vector<Row> rows = tokenize(decodeText(content));
  std::map<QString, Group> groups;
  Group* current = nullptr;
  for (const Row& row : rows) {
    const QString descriptor = row.fields.value(0).trimmed();
    if (descriptor == QLatin1String("GROUP")) {
      const QString name = row.fields.value(1).trimmed();
      if (groups.count(name) > 0) {
        fail(fileName, row.line, QStringLiteral("group %1 appears twice").arg(name));
      }
      current = &groups[name];
      current->name = name;
      current->line = row.line;
      continue;
    }
    if (!current) {
      if (descriptor.isEmpty()) continue;
      fail(fileName, row.line, QStringLiteral("a %1 row before any GROUP row").arg(descriptor));
    }
    if (descriptor == QLatin1String("HEADING")) {
      current->headings = row.fields.mid(1);
      for (QString& h : current->headings) h = h.trimmed();
    } else if (descriptor == QLatin1String("UNIT")) {
      current->units = row.fields.mid(1);
      current->unitsLine = row.line;
    } else if (descriptor == QLatin1String("DATA")) {
      current->data.push_back({row.fields.mid(1), row.line});
    }
  }
  const auto scpt = groups.find(QStringLiteral("SCPT"));
  if (scpt == groups.end()) {
    const bool dissipation = groups.count(QStringLiteral("SCDT")) > 0;
    fail(fileName, 0,
         dissipation ? QStringLiteral("no CPT data (group SCPT); the file holds only dissipation "
                                      "tests (SCDT)")
                     : QStringLiteral("no CPT data (group SCPT)"));
  }
  checkFieldCounts(scpt->second, fileName);
  QStringList units, notes;
  std::vector<LocatedRow> located =
      locatedRows(scpt->second, fileName, "LOCA_ID", "SCPG_TESN", "SCPT_DPTH", "SCPT_RES",
                  "SCPT_FRES", "SCPT_PWP2", "SCPT_QT", units, notes);
  std::map<std::pair<QString, QString>, double> car;
  const auto scpg = groups.find(QStringLiteral("SCPG"));
  if (scpg != groups.end()) {
    const Group& g = scpg->second;
    checkFieldCounts(g, fileName);
    const int id = indexOf(g, "LOCA_ID"), tesn = indexOf(g, "SCPG_TESN"),
              ratio = indexOf(g, "SCPG_CAR");
    if (id >= 0 && ratio >= 0) {
      for (const Row& row : g.data) {
        const auto a = readNumber(row.fields.value(ratio));
        if (a && *a > 0.0 && *a <= 1.0) {
          car[{row.fields.value(id).trimmed(),
               tesn >= 0 ? row.fields.value(tesn).trimmed() : QString()}] = *a;
        }
      }
    }
  }
  return assemble(CptFormat::Ags4, fileName, std::move(located), car, units, notes);
}

CptFile readAgs3(const QByteArray& content, const QString& fileName) {
  // Long rows are wrapped onto the next line after a trailing comma; the lines are joined before
  // the fields are split. "<CONT>" rows continue the text of the previous data row.
  const QStringList lines = splitLines(decodeText(content));
  QString logical;
  int logicalLine = 0;
  std::vector<std::pair<QString, int>> logicalLines;
  for (int i = 0; i < lines.size(); ++i) {
    const QString text = lines[i].trimmed();
    if (logical.isEmpty()) logicalLine = i + 1;
    logical += text;
    const bool wraps = text.endsWith(QLatin1Char(',')) && i + 1 < lines.size() &&
                       !lines[i + 1].trimmed().startsWith(QLatin1String("\"<CONT>\"")) &&
                       !lines[i + 1].trimmed().startsWith(QLatin1String("\"**")) &&
                       !lines[i + 1].trimmed().isEmpty();
    if (wraps) continue;
    if (logical.endsWith(QLatin1Char(','))) logical.chop(1);
    logicalLines.push_back({logical, logicalLine});
    logical.clear();
  }

  std::map<QString, Group> groups;
  Group* current = nullptr;
  for (const auto& [text, line] : logicalLines) {
    if (text.isEmpty()) continue;
    const std::vector<Row> parsed = tokenize(text);
    if (parsed.empty()) continue;
    const QStringList& fields = parsed.front().fields;
    const QString first = fields.value(0);
    if (first.startsWith(QLatin1String("**"))) {
      const QString name = first.mid(2).trimmed();
      if (groups.count(name) > 0) {
        fail(fileName, line, QStringLiteral("group %1 appears twice").arg(name));
      }
      current = &groups[name];
      current->name = name;
      current->line = line;
      continue;
    }
    if (!current) continue;
    if (first.startsWith(QLatin1Char('*'))) {
      for (QString h : fields) {
        while (h.startsWith(QLatin1Char('*')) || h.startsWith(QLatin1Char('?'))) h.remove(0, 1);
        current->headings.append(h.trimmed());
      }
    } else if (first == QLatin1String("<UNITS>")) {
      current->units = fields;
      current->units[0].clear();
      current->unitsLine = line;
    } else if (first == QLatin1String("<CONT>")) {
      if (current->data.empty()) {
        fail(fileName, line, QStringLiteral("a <CONT> row before any data row"));
      }
      QStringList& previous = current->data.back().fields;
      for (qsizetype k = 1; k < fields.size() && k < previous.size(); ++k) previous[k] += fields[k];
    } else {
      current->data.push_back({fields, line});
    }
  }
  const auto stcn = groups.find(QStringLiteral("STCN"));
  if (stcn == groups.end()) fail(fileName, 0, QStringLiteral("no CPT data (group STCN)"));
  checkFieldCounts(stcn->second, fileName);
  QStringList units, notes;
  std::vector<LocatedRow> located =
      locatedRows(stcn->second, fileName, "HOLE_ID", "STCN_TESN", "STCN_DPTH", "STCN_RES",
                  "STCN_FRES", "STCN_PWP2", "STCN_QT", units, notes);
  return assemble(CptFormat::Ags3, fileName, std::move(located), {}, units, notes);
}

}  // namespace vorne::cpt::detail
