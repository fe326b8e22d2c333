// Every modal message box of the desktop program goes through here, so that tests can answer it
// without a box left waiting: a test installs a responder that records the box and returns the
// button a user would have pressed.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

// The title of the program's message boxes.
inline const QString kMessageBoxTitle = QStringLiteral("VORNE 2014");

struct MessageBoxRequest {
  QMessageBox::Icon icon;
  QString title;
  QString text;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton;
};

using MessageBoxResponder = std::function<QMessageBox::StandardButton(const MessageBoxRequest&)>;

// Shows a modal box (or asks the installed responder) and returns the button pressed.
QMessageBox::StandardButton showMessageBox(
    QWidget* parent,
    QMessageBox::Icon icon,
    const QString& title,
    const QString& text,
    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Installs a responder for every later box (tests); an empty function restores real boxes.
// Returns the responder that was installed before.
MessageBoxResponder setMessageBoxResponder(MessageBoxResponder responder);
