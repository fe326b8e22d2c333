// Where the programs find the files they ship with: the engine library and the manuals, both in a
// build tree (the libraries beside the program, share/vorne/doc a link to the sources' docs) and
// under an install prefix (PREFIX/bin, PREFIX/lib/vorne, PREFIX/share/vorne/doc).
#ifndef VORNE_APP_INSTALL_LAYOUT_H
#define VORNE_APP_INSTALL_LAYOUT_H

#include <QString>
#include <QStringList>

namespace vorne {

inline const QString kEngineLibraryFile = QStringLiteral("libVORNE2014_DLL.so");

// The folder of the running program's own file, with or without an application object.
QString programFolder();

// The places the engine library is looked for, in order: beside the program, then the install
// layout's ../lib/vorne.
QStringList engineLibraryCandidates(const QString& programFolder);
// The first candidate that exists; when none does, the one beside the program, so that the
// failure names a place.
QString findEngineLibrary(const QString& programFolder);

// The place of the manuals (users-manual.md, technical-manual.md and their pictures) for a program
// in programFolder: ../share/vorne/doc, which is kept by installs that leave out share/doc.
QString manualFolderCandidate(const QString& programFolder);
// manualFolderCandidate(programFolder) when it holds the user's manual, else empty.
QString findManualFolder(const QString& programFolder);

// The examples installed with a program in programFolder: ../share/vorne/examples.
QString installedExamplesFolder(const QString& programFolder);

// The project's home page, which "Check for Updates" opens (a build setting, VORNE_HOME_PAGE).
QString homePage();

}  // namespace vorne

#endif  // VORNE_APP_INSTALL_LAYOUT_H
