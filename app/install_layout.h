// Where the programs find the files they ship with: the engine library and the manuals, both in a
// build tree (everything beside the program, the manuals in the source folder) and under an
// install prefix (PREFIX/bin, PREFIX/lib/vorne, PREFIX/share/doc/vorne).
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

// The folder of the manuals (users-manual.md, technical-manual.md and their pictures): the install
// layout's ../share/doc/vorne, else the docs folder of the source tree the program was built from;
// empty when neither holds the user's manual.
QString findManualFolder(const QString& programFolder);

// The project's home page, which "Check for Updates" opens (a build setting, VORNE_HOME_PAGE).
QString homePage();

}  // namespace vorne

#endif  // VORNE_APP_INSTALL_LAYOUT_H
