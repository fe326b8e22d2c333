// Modal message boxes with a test hook.
#include "gui/message_box.h"

#include <utility>

namespace {
// The one user-interface thread owns this; only tests set it.
MessageBoxResponder& responder() {
  static MessageBoxResponder instance;
  return instance;
}
}  // namespace

QMessageBox::StandardButton showMessageBox(QWidget* parent,
                                           QMessageBox::Icon icon,
                                           const QString& title,
                                           const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) {
  if (responder()) return responder()({icon, title, text, buttons, defaultButton});
  QMessageBox box(icon, title, text, buttons, parent);
  if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

MessageBoxResponder setMessageBoxResponder(MessageBoxResponder newResponder) {
  return std::exchange(responder(), std::move(newResponder));
}
