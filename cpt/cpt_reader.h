// Reading a field CPT file (GEF, AGS4, AGS3 or column text) into one profile per location. The
// format is found from the file's content unless the caller forces one; every reader converts each
// column by its own unit into metres and kPa and leaves a note for every decision it took.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>
#include <vector>

#include "cpt/cpt_profile.h"

namespace vorne::cpt {

// A file that cannot give a profile. The message names the file, the line (or record) where the
// reader stopped and the reason: "c.gef: line 12: ...".
class CptFileError : public std::runtime_error {
 public:
  explicit CptFileError(const QString& message)
      : std::runtime_error(message.toStdString()), m_message(message) {}
  const QString& message() const { return m_message; }

 private:
  QString m_message;
};

// What the user decides for a column text file in place of the header: a column (0-based; -1
// keeps the one found by name) and a unit text (empty keeps the header's).
struct ColumnChoice {
  int column = -1;
  QString unit;
};
struct ColumnOverrides {
  ColumnChoice depth, coneResistance, sleeveFriction, porePressure;
};

struct CptReadOptions {
  std::optional<CptFormat> format;  // forced format; empty detects it from the content
  ColumnOverrides columns;          // column text only
};

// A read file: its format and one profile per location, in the file's order.
struct CptFile {
  CptFormat format = CptFormat::Columns;
  QString fileName;
  std::vector<CptProfile> profiles;
  QStringList units;  // the units the reader found, as "qc MN/m2", "fs kN/m2", "depth m"
};

// "GEF", "AGS4", "AGS3" or "columns".
QString formatName(CptFormat format);
// The format of a name as formatName gives it (case-insensitive), or empty.
std::optional<CptFormat> formatFromName(const QString& name);

// GEF starts with #GEFID, AGS4 has "GROUP" rows, AGS3 has "** group rows; the rest is columns.
CptFormat detectFormat(const QByteArray& content);

// Reads content (the bytes of fileName, which is only used in messages and the profiles).
// Throws CptFileError: no CPT data, a qc column in a unit that is not a stress or is unknown, a
// row whose field count differs from its headings, a number that does not read, a profile left
// empty after voids. Every profile returned holds at least one record.
CptFile readCptText(const QByteArray& content,
                    const QString& fileName,
                    const CptReadOptions& options = {});
// Reads the file at path; a file that cannot be opened throws CptFileError naming it.
CptFile readCptFile(const QString& path, const CptReadOptions& options = {});

// The profile of location id; an empty id chooses the only one. Throws CptFileError naming the
// ids in the file when id is not among them, or when id is empty and the file has several.
const CptProfile& selectLocation(const CptFile& file, const QString& id);

}  // namespace vorne::cpt
