// The program's icons: its own (packaging/vorne.svg, on every window) and the toolbar's, taken
// from the desktop theme where it has one and from the bundled pictures in gui/icons otherwise.
#pragma once

#include <QIcon>
#include <QString>

// The program's icon.
QIcon programIcon();

// The theme's icon of themeName, or the bundled picture gui/icons/<bundled>.svg when the theme
// has none (or themeName is empty).
QIcon toolbarIcon(const QString& themeName, const QString& bundled);
