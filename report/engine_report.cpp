// Reading the engine's fixed-column report; the column positions are those the engine's input
// echo and capacity table writers use (docs/ and engine/io/).
#include "report/engine_report.h"

#include <QRegularExpression>
#include <array>
#include <utility>

namespace vorne {

namespace {

struct Column {
  int start;
  int width;
};

ReportTableRow cells(const QString& line, const std::vector<Column>& columns) {
  ReportTableRow row;
  for (const Column& c : columns) row << line.mid(c.start, c.width).trimmed();
  return row;
}

bool isBlank(const QString& line) { return line.trimmed().isEmpty(); }

// A table row starts, after its indent, with a number or a field filled with asterisks (which,
// unlike a border line of asterisks, is followed by further fields).
bool isNumberRow(const QString& line) {
  const QString t = line.trimmed();
  if (t.isEmpty()) return false;
  const QChar c = t.front();
  return c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.') ||
         (t.startsWith(QStringLiteral("**")) && t.contains(QLatin1Char(' ')));
}

// The rows of a table whose heading line holds `heading`: after the heading and its unit line,
// the rows up to the first line that is not one.
std::vector<ReportTableRow> tableAfter(const QStringList& lines,
                                       qsizetype from,
                                       qsizetype to,
                                       const QString& heading,
                                       const std::vector<Column>& columns,
                                       qsizetype* end = nullptr) {
  std::vector<ReportTableRow> rows;
  for (qsizetype i = from; i < to; ++i) {
    if (!lines[i].contains(heading)) continue;
    qsizetype j = i + 2;  // heading, unit line
    for (; j < to && isNumberRow(lines[j]); ++j) rows.push_back(cells(lines[j], columns));
    if (end != nullptr) *end = j;
    return rows;
  }
  if (end != nullptr) *end = from;
  return rows;
}

const std::array<std::pair<const char*, int>, 9> kCapacityTitles{{
    {"* GENERAL METHOD *", 5},
    {"*  FED. HWY. METHOD  *", 1},
    {"* ARMY CORPS METHOD  *", 2},
    {"*  LAMBDA 2 METHOD   *", 3},
    {"*  API RP-2A (1994)  *", 4},
    {"(NGI) METHOD  *", 6},
    {"(MTD) METHOD  *", 7},
    {"(FUGRO) METHOD    *", 8},
    {"(UWA) METHOD  *", 9},
}};

int capacityTitle(const QString& line) {
  for (const auto& [title, id] : kCapacityTitles) {
    if (line.contains(QLatin1String(title))) return id;
  }
  return 0;
}

QDateTime runDateOf(const QString& text) {
  static const QRegularExpression date(
      QStringLiteral(R"(Date:\s+([A-Z][a-z]+) (\d\d), (\d{4})\s+Time:\s+(\d\d):(\d\d):(\d\d))"));
  const QRegularExpressionMatch m = date.match(text);
  if (!m.hasMatch()) return {};
  static const QStringList months{
      QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
      QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
      QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
      QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
  const qsizetype month = months.indexOf(m.captured(1));
  if (month < 0) return {};
  const QDate day(m.captured(3).toInt(), static_cast<int>(month) + 1, m.captured(2).toInt());
  const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
  if (!day.isValid() || !time.isValid()) return {};
  return QDateTime(day, time);
}

}  // namespace

EngineReport readEngineReport(const QString& text) {
  EngineReport report;
  report.runDate = runDateOf(text);
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  }
  const qsizetype count = lines.size();

  for (qsizetype i = 0; i < count; ++i) {
    const QString t = lines[i].trimmed();
    if (!t.startsWith(QStringLiteral("DESIGNER   :"))) continue;
    report.designer = t.mid(12).trimmed();
    for (qsizetype j = i - 1; j >= 0 && j >= i - 4; --j) {
      if (!isBlank(lines[j])) {
        if (!lines[j].contains(QStringLiteral("*****"))) report.title = lines[j].trimmed();
        break;
      }
    }
    for (qsizetype j = i + 1; j < count && j <= i + 3; ++j) {
      const QString job = lines[j].trimmed();
      if (job.startsWith(QStringLiteral("JOB NUMBER :"))) report.jobNumber = job.mid(12).trimmed();
    }
    break;
  }

  // The input echo runs from the load-transfer method to the soil tables.
  qsizetype echoStart = -1;
  qsizetype soilStart = count;
  for (qsizetype i = 0; i < count; ++i) {
    if (echoStart < 0 && lines[i].contains(QStringLiteral("METHOD FOR UNIT LOAD TRANSFERS"))) {
      echoStart = i;
    }
    if (lines[i].contains(QStringLiteral("SOIL INFORMATIONS :"))) {
      soilStart = i;
      break;
    }
  }
  if (echoStart >= 0) {
    bool previousBlank = true;
    for (qsizetype i = echoStart; i < soilStart; ++i) {
      const QString line = lines[i].startsWith(QString(10, QLatin1Char(' '))) ? lines[i].mid(10)
                                                                              : lines[i].trimmed();
      const bool blank = isBlank(line);
      if (blank && previousBlank) continue;
      report.inputEcho << (blank ? QString() : line);
      previousBlank = blank;
      if (line.contains(QStringLiteral("PLUGGED/UNPLUGGED CONDITIONS"))) {
        report.openEndedPipe = true;
      }
    }
    while (!report.inputEcho.isEmpty() && report.inputEcho.back().isEmpty()) {
      report.inputEcho.removeLast();
    }
    for (QString& line : report.inputEcho) {
      while (line.endsWith(QLatin1Char(' '))) line.chop(1);
    }
  }

  qsizetype resultStart = count;
  for (qsizetype i = soilStart; i < count; ++i) {
    if (lines[i].contains(QStringLiteral("* COMPUTATION RESULT *"))) {
      resultStart = i;
      break;
    }
  }
  if (soilStart < count) {
    qsizetype end = soilStart;
    report.soil = tableAfter(lines, soilStart, resultStart, QStringLiteral(" DEPTH    TYPE "),
                             {{10, 7}, {20, 4}, {24, 10}, {34, 13}, {47, 13}, {60, 10}});
    report.strength =
        tableAfter(lines, soilStart, resultStart, QStringLiteral("FRICTION  BEARING   STRENGTH"),
                   {{10, 9}, {19, 10}, {29, 11}, {40, 10}, {50, 7}, {57, 11}, {68, 10}}, &end);
    for (qsizetype i = end; i < resultStart && i < end + 6; ++i) {
      const QString t = lines[i].trimmed();
      if (t.startsWith(QStringLiteral("* MAXIMUM UNIT FRICTION"))) {
        report.soilNotes << t << lines[i + 1 < count ? i + 1 : i].trimmed()
                         << lines[i + 2 < count ? i + 2 : i].trimmed();
        break;
      }
    }
    report.factors =
        tableAfter(lines, soilStart, resultStart, QStringLiteral(" DEPTH    FRICTION     BEARING"),
                   {{10, 7}, {18, 8}, {30, 8}});
    report.offshore =
        tableAfter(lines, soilStart, resultStart, QStringLiteral(" DEPTH     PI      RATIO"),
                   {{10, 7}, {18, 6}, {27, 6}, {36, 10}});
  }

  for (qsizetype i = resultStart; i < count; ++i) {
    const int id = capacityTitle(lines[i]);
    if (id == 0) continue;
    ReportCapacityTable table;
    table.methodId = id;
    qsizetype j = i + 1;
    while (j < count && !isNumberRow(lines[j]) && j < i + 10) ++j;
    qsizetype last = -1;
    for (; j < count && isNumberRow(lines[j]); ++j) {
      ++table.rows;
      last = j;
    }
    // 11X, F7.2, 6X, F8.1, 6X, F8.1, then "*" in place of the first of 4X.
    if (last >= 0) table.tipUnplugged = lines[last].mid(46, 1) == QStringLiteral("*");
    report.capacityTables.push_back(table);
    i = j - 1;
  }

  for (const QString& line : lines) {
    const QString t = line.trimmed();
    if (t.startsWith(QStringLiteral("ERROR -")) || t.startsWith(QStringLiteral("WARNING -")) ||
        t.startsWith(QStringLiteral("COMPUTATION DOES NOT PROCEED")) ||
        t.startsWith(QStringLiteral("YOUR NUMBERS OF SEGMENT"))) {
      if (!report.messages.contains(t)) report.messages << t;
    }
  }
  return report;
}

bool tipUnplugged(const EngineReport& report, int methodId) {
  for (const ReportCapacityTable& table : report.capacityTables) {
    if (table.methodId == methodId) return table.tipUnplugged;
  }
  return false;
}

}  // namespace vorne
