// Pieces the field-file readers share.
#include "cpt/reader_support.h"

#include <QStringDecoder>
#include <algorithm>
#include <cmath>

#include "base/number_text.h"

namespace vorne::cpt::detail {

QString decodeText(const QByteArray& bytes) {
  QByteArray data = bytes;
  if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8.decode(data);
  if (!utf8.hasError()) return text;
  return QString::fromLatin1(data);
}

QStringList splitLines(const QString& text) {
  QStringList lines;
  qsizetype start = 0;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    if (text[i] == QLatin1Char('\n') || text[i] == QLatin1Char('\r')) {
      lines.append(text.mid(start, i - start));
      if (text[i] == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) ++i;
      start = i + 1;
    }
  }
  if (start < n) lines.append(text.mid(start));
  return lines;
}

std::optional<double> readNumber(QStringView text) {
  const QByteArray bytes = text.trimmed().toLatin1();
  double value = 0.0;
  if (!parseDecimal(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                    value)) {
    return std::nullopt;
  }
  return value;
}

void fail(const QString& fileName, int line, const QString& reason) {
  if (line > 0) {
    throw CptFileError(QStringLiteral("%1: line %2: %3").arg(fileName).arg(line).arg(reason));
  }
  throw CptFileError(QStringLiteral("%1: %2").arg(fileName, reason));
}

QString metres(double depth) { return QString::number(depth, 'f', 2) + QStringLiteral(" m"); }

namespace {

struct Push {
  QString id;
  std::vector<CptRecord> records;
};

struct Location {
  QString id;
  std::vector<Push> pushes;
  int rows = 0;
  int withoutDepth = 0;
  int withoutQc = 0;
};

}  // namespace

std::vector<CptProfile> profilesFromRows(
    const std::vector<LocatedRow>& rows,
    CptFormat format,
    const QString& fileName,
    const std::map<std::pair<QString, QString>, double>& carByPush) {
  std::vector<Location> locations;
  for (const LocatedRow& row : rows) {
    auto loc = std::find_if(locations.begin(), locations.end(),
                            [&](const Location& l) { return l.id == row.location; });
    if (loc == locations.end()) {
      locations.push_back({row.location, {}, 0, 0, 0});
      loc = locations.end() - 1;
    }
    ++loc->rows;
    if (!row.depth) {
      ++loc->withoutDepth;
      continue;
    }
    if (!row.coneResistance) {
      ++loc->withoutQc;
      continue;
    }
    auto push = std::find_if(loc->pushes.begin(), loc->pushes.end(),
                             [&](const Push& p) { return p.id == row.push; });
    if (push == loc->pushes.end()) {
      loc->pushes.push_back({row.push, {}});
      push = loc->pushes.end() - 1;
    }
    push->records.push_back({*row.depth, *row.coneResistance, row.sleeveFriction, row.porePressure,
                             row.correctedConeResistance});
  }

  std::vector<CptProfile> profiles;
  for (Location& loc : locations) {
    CptProfile profile;
    profile.format = format;
    profile.sourceFile = fileName;
    profile.location = loc.id;
    profile.recordsRead = loc.rows;
    if (loc.withoutDepth > 0) {
      profile.notes << QStringLiteral("%1 rows without a depth skipped").arg(loc.withoutDepth);
    }
    if (loc.withoutQc > 0) {
      profile.notes << QStringLiteral("%1 rows without qc skipped").arg(loc.withoutQc);
    }
    for (Push& p : loc.pushes) {
      std::stable_sort(p.records.begin(), p.records.end(),
                       [](const CptRecord& a, const CptRecord& b) { return a.depth < b.depth; });
    }
    std::stable_sort(loc.pushes.begin(), loc.pushes.end(), [](const Push& a, const Push& b) {
      return a.records.front().depth < b.records.front().depth;
    });
    if (loc.pushes.size() > 1) {
      profile.notes << QStringLiteral("%1 pushes joined in depth order").arg(loc.pushes.size());
    }
    std::optional<double> car;
    for (std::size_t k = 0; k < loc.pushes.size(); ++k) {
      const Push& p = loc.pushes[k];
      if (k > 0) {
        const Push& before = loc.pushes[k - 1];
        const double from = before.records.back().depth;
        const double to = p.records.front().depth;
        if (to < from) {
          profile.notes << QStringLiteral("push %1 (from %2) overlaps push %3 (to %4)")
                               .arg(p.id, metres(to), before.id, metres(from));
        } else {
          profile.notes << QStringLiteral("gap between push %1 (to %2) and push %3 (from %4)")
                               .arg(before.id, metres(from), p.id, metres(to));
        }
      }
      const auto found = carByPush.find({loc.id, p.id});
      if (found != carByPush.end()) {
        if (!car) {
          car = found->second;
        } else if (std::abs(*car - found->second) > 1e-9) {
          profile.notes << QStringLiteral("push %1 has cone area ratio %2, the profile keeps %3")
                               .arg(p.id)
                               .arg(found->second)
                               .arg(*car);
        }
      }
      profile.records.insert(profile.records.end(), p.records.begin(), p.records.end());
    }
    if (loc.pushes.size() > 1) {
      std::stable_sort(profile.records.begin(), profile.records.end(),
                       [](const CptRecord& a, const CptRecord& b) { return a.depth < b.depth; });
    }
    profile.coneAreaRatio = car;
    profiles.push_back(std::move(profile));
  }
  return profiles;
}

}  // namespace vorne::cpt::detail
