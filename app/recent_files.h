// The recent-file list of the desktop program: ten project paths, most recent first, kept in the
// user's settings beside the word-processor command.
#ifndef VORNE_APP_RECENT_FILES_H
#define VORNE_APP_RECENT_FILES_H

#include <QString>
#include <QStringList>

class QSettings;

namespace vorne {

// Organisation, application and group of the desktop program's settings.
inline const QString kSettingsOrganization = QStringLiteral("Tovrin");
inline const QString kSettingsApplication = QStringLiteral("VORNE");
inline const QString kSettingsGroup = QStringLiteral("2014.6.5");
inline const QString kWordProcessorKey = QStringLiteral("Word Processor");

class TRecentFiles {
 public:
  static constexpr int kMaxFiles = 10;

  // The entries, most recent first; always kMaxFiles of them, unused ones empty.
  const QStringList& entries() const { return m_entries; }
  // The number of non-empty entries.
  int count() const;

  // Puts fileName at the top: nothing changes when it is first already; from position 2..10 it
  // moves to the top and the entries above it move down by one; otherwise every entry moves down
  // (the tenth is dropped).
  void add(const QString& fileName);

  // The menu caption of entry index (0-based): its number, a space and the path, shown without
  // currentFolder when it lies in that folder; "&" in a path is doubled so that it is no access
  // key.
  QString caption(int index, const QString& currentFolder) const;

  // Reads "File1".."File10" of the settings group (missing values are empty) and writes them back.
  void load(QSettings& settings);
  void save(QSettings& settings) const;

 private:
  QStringList m_entries = QStringList(kMaxFiles, QString());
};

}  // namespace vorne

#endif  // VORNE_APP_RECENT_FILES_H
