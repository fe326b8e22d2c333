// Recent-file list.
#include "app/recent_files.h"

#include <QDir>
#include <QSettings>

namespace vorne {

namespace {
QString valueName(int index) { return QStringLiteral("File%1").arg(index + 1); }
}  // namespace

int TRecentFiles::count() const {
  int n = 0;
  for (const QString& entry : m_entries) n += entry.isEmpty() ? 0 : 1;
  return n;
}

void TRecentFiles::add(const QString& fileName) {
  if (fileName.isEmpty() || m_entries.first() == fileName) return;
  const int at = m_entries.indexOf(fileName);
  m_entries.removeAt(at >= 0 ? at : kMaxFiles - 1);
  m_entries.prepend(fileName);
}

QString TRecentFiles::caption(int index, const QString& currentFolder) const {
  QString path = m_entries.value(index);
  const QString folder = QDir::cleanPath(currentFolder);
  // Every path lies below the root folder; shown relative to it, a path would read as relative.
  if (!folder.isEmpty() && folder != QLatin1String("/")) {
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    if (path.startsWith(prefix)) path = path.mid(prefix.size());
  }
  path.replace(QLatin1Char('&'), QLatin1String("&&"));
  return QString::number(index + 1) + QLatin1Char(' ') + path;
}

void TRecentFiles::load(QSettings& settings) {
  settings.beginGroup(kSettingsGroup);
  for (int i = 0; i < kMaxFiles; ++i) m_entries[i] = settings.value(valueName(i)).toString();
  settings.endGroup();
}

void TRecentFiles::save(QSettings& settings) const {
  settings.beginGroup(kSettingsGroup);
  for (int i = 0; i < kMaxFiles; ++i) settings.setValue(valueName(i), m_entries[i]);
  settings.endGroup();
}

}  // namespace vorne
