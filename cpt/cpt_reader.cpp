// Format detection and the choice of reader.
#include "cpt/cpt_reader.h"

#include <QFile>

#include "cpt/reader_support.h"

namespace vorne::cpt {

QString formatName(CptFormat format) {
  switch (format) {
    case CptFormat::Gef:
      return QStringLiteral("GEF");
    case CptFormat::Ags4:
      return QStringLiteral("AGS4");
    case CptFormat::Ags3:
      return QStringLiteral("AGS3");
    case CptFormat::Columns:
      return QStringLiteral("columns");
  }
  return {};
}

std::optional<CptFormat> formatFromName(const QString& name) {
  for (CptFormat f : {CptFormat::Gef, CptFormat::Ags4, CptFormat::Ags3, CptFormat::Columns}) {
    if (name.compare(formatName(f), Qt::CaseInsensitive) == 0) return f;
  }
  return std::nullopt;
}

CptFormat detectFormat(const QByteArray& content) {
  QByteArray start = content.left(64);
  if (start.startsWith("\xEF\xBB\xBF")) start.remove(0, 3);
  if (start.trimmed().startsWith("#GEFID")) return CptFormat::Gef;
  // AGS rows start a line; a BOM may come before the first.
  qsizetype pos = 0;
  while (pos < content.size()) {
    qsizetype end = content.indexOf('\n', pos);
    if (end < 0) end = content.size();
    QByteArray line = content.mid(pos, end - pos).trimmed();
    if (pos == 0 && line.startsWith("\xEF\xBB\xBF")) line.remove(0, 3);
    if (line.startsWith("\"GROUP\"")) return CptFormat::Ags4;
    if (line.startsWith("\"**")) return CptFormat::Ags3;
    pos = end + 1;
  }
  return CptFormat::Columns;
}

CptFile readCptText(const QByteArray& content,
                    const QString& fileName,
                    const CptReadOptions& options) {
  const CptFormat format = options.format.value_or(detectFormat(content));
  switch (format) {
    case CptFormat::Gef:
      return detail::readGef(content, fileName);
    case CptFormat::Ags4:
      return detail::readAgs4(content, fileName);
    case CptFormat::Ags3:
      return detail::readAgs3(content, fileName);
    case CptFormat::Columns:
      break;
  }
  return detail::readColumns(content, fileName, options.columns);
}

CptFile readCptFile(const QString& path, const CptReadOptions& options) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    detail::fail(path, 0, QStringLiteral("cannot be opened (%1)").arg(file.errorString()));
  }
  return readCptText(file.readAll(), path, options);
}

const CptProfile& selectLocation(const CptFile& file, const QString& id) {
  QStringList ids;
  for (const CptProfile& p : file.profiles) {
    if (!id.isEmpty() && p.location == id) return p;
    ids << (p.location.isEmpty() ? QStringLiteral("(none)") : p.location);
  }
  if (id.isEmpty() && file.profiles.size() == 1) return file.profiles.front();
  if (id.isEmpty()) {
    detail::fail(file.fileName, 0,
                 QStringLiteral("%1 locations; choose one of: %2")
                     .arg(file.profiles.size())
                     .arg(ids.join(QStringLiteral(", "))));
  }
  detail::fail(file.fileName, 0,
               QStringLiteral("no location \"%1\"; the file holds: %2")
                   .arg(id, ids.join(QStringLiteral(", "))));
}

}  // namespace vorne::cpt
