// Program and toolbar icons from the resource gui/icons/gui_icons.qrc.
#include "gui/program_icons.h"

// The resource lives in the gui library, which is static: nothing refers to its registration, so
// it is called for here (Q_INIT_RESOURCE cannot stand inside a namespace).
static void loadIconResource() {
  static const bool loaded = [] {
    Q_INIT_RESOURCE(gui_icons);
    return true;
  }();
  (void)loaded;
}

QIcon programIcon() {
  loadIconResource();
  return QIcon(QStringLiteral(":/icons/vorne.svg"));
}

QIcon toolbarIcon(const QString& themeName, const QString& bundled) {
  loadIconResource();
  const QIcon fallback(QStringLiteral(":/icons/") + bundled + QStringLiteral(".svg"));
  return themeName.isEmpty() ? fallback : QIcon::fromTheme(themeName, fallback);
}
