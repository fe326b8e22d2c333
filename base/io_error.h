// The error kind of every failed text-file operation of the desktop program: opening, reading a
// word that is not what the record needs, running out of words, writing a file.
#ifndef VORNE_APP_IO_ERROR_H
#define VORNE_APP_IO_ERROR_H

#include <QString>
#include <stdexcept>

namespace vorne {

class EInOutError : public std::runtime_error {
 public:
  explicit EInOutError(const QString& message, QString fileName = {})
      : std::runtime_error(message.toStdString()),
        m_message(message),
        m_fileName(std::move(fileName)) {}

  // The text shown to the user.
  const QString& message() const { return m_message; }
  // The file the error belongs to, when the thrower knows it.
  const QString& fileName() const { return m_fileName; }

 private:
  QString m_message;
  QString m_fileName;
};

}  // namespace vorne

#endif  // VORNE_APP_IO_ERROR_H
