// Text lines of older files: UTF-8, or Windows-1252 (the code page older projects were written
// in, with "°", "Ø" and "é" as single bytes).
#ifndef VORNE_BASE_TEXT_ENCODING_H
#define VORNE_BASE_TEXT_ENCODING_H

#include <QByteArray>
#include <QString>
#include <optional>

namespace vorne {

bool isValidUtf8(const QByteArray& bytes);

// Every byte decodes: the five bytes Windows-1252 leaves undefined become the control
// characters of the same value, as in Latin-1.
QString fromWindows1252(const QByteArray& bytes);

// The text in Windows-1252, or nothing when a character has no byte there.
std::optional<QByteArray> toWindows1252(const QString& text);

}  // namespace vorne

#endif  // VORNE_BASE_TEXT_ENCODING_H
