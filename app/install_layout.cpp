// Install layout lookups.
#include "app/install_layout.h"

#include <QDir>
#include <QFileInfo>

namespace vorne {

namespace {

QString cleaned(const QString& path) { return QDir::cleanPath(path); }

}  // namespace

QString programFolder() {
  const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
  return QFileInfo(program).absolutePath();
}

QStringList engineLibraryCandidates(const QString& folder) {
  return {cleaned(folder + QLatin1Char('/') + kEngineLibraryFile),
          cleaned(folder + QStringLiteral("/../lib/vorne/") + kEngineLibraryFile)};
}

QString findEngineLibrary(const QString& folder) {
  const QStringList candidates = engineLibraryCandidates(folder);
  for (const QString& candidate : candidates) {
    if (QFileInfo(candidate).isFile()) return candidate;
  }
  return candidates.front();
}

QString manualFolderCandidate(const QString& folder) {
  return cleaned(folder + QStringLiteral("/../share/vorne/doc"));
}

QString findManualFolder(const QString& folder) {
  // Found relative to the program only: an installed program carries no path of the machine it
  // was built on, and a build tree links share/vorne/doc to its sources' docs folder.
  const QString candidate = manualFolderCandidate(folder);
  if (QFileInfo(candidate + QStringLiteral("/users-manual.md")).isFile()) return candidate;
  return {};
}

QString installedExamplesFolder(const QString& folder) {
  return cleaned(folder + QStringLiteral("/../share/vorne/examples"));
}

QString homePage() { return QStringLiteral(VORNE_HOME_PAGE); }

}  // namespace vorne
