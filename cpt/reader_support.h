// Pieces the field-file readers share: decoding, numbers, messages, and the assembly of the
// profiles of a file whose rows name their location and push (AGS4, AGS3).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "cpt/cpt_reader.h"

namespace vorne::cpt::detail {

// The text of bytes: UTF-8 when they are valid UTF-8, else Latin-1 (cp1252 files read with their
// accented letters nearly right; only displayed text depends on it). A leading BOM is dropped.
QString decodeText(const QByteArray& bytes);

// The lines of text, split at CR LF, LF or CR.
QStringList splitLines(const QString& text);

// A decimal number with "." whatever the locale; empty for anything else.
std::optional<double> readNumber(QStringView text);

// Throws CptFileError "<file>: line <line>: <reason>" (without the line part when line is 0).
[[noreturn]] void fail(const QString& fileName, int line, const QString& reason);

// Formats a depth in metres for notes and messages: "12.86 m".
QString metres(double depth);

// One data row of a file with locations and pushes, already in metres and kPa.
struct LocatedRow {
  QString location;
  QString push;  // test number within the location; pushes are joined in depth order
  std::optional<double> depth;
  std::optional<double> coneResistance, sleeveFriction, porePressure, correctedConeResistance;
};

// Builds one profile per location (in order of first appearance): rows without a depth or a qc
// are skipped with a note, pushes are sorted by their top and joined, and every gap between pushes
// is noted. carByPush gives the cone area ratio by (location, push).
std::vector<CptProfile> profilesFromRows(
    const std::vector<LocatedRow>& rows,
    CptFormat format,
    const QString& fileName,
    const std::map<std::pair<QString, QString>, double>& carByPush);

// The three readers behind readCptText; each throws CptFileError.
CptFile readGef(const QByteArray& content, const QString& fileName);
CptFile readAgs4(const QByteArray& content, const QString& fileName);
CptFile readAgs3(const QByteArray& content, const QString& fileName);
CptFile readColumns(const QByteArray& content,
                    const QString& fileName,
                    const ColumnOverrides& overrides);

}  // namespace vorne::cpt::detail
