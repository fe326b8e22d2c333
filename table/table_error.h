// The error kind of the table framework: a refused entry, a wrong typed access, a bad index or a
// bad table definition. message() is the text shown to the user.
#ifndef VORNE_TABLE_TABLE_ERROR_H
#define VORNE_TABLE_TABLE_ERROR_H

#include <QString>
#include <stdexcept>

namespace vorne {

class ETableError : public std::runtime_error {
 public:
  explicit ETableError(const QString& message)
      : std::runtime_error(message.toStdString()), m_message(message) {}
  const QString& message() const { return m_message; }

 private:
  QString m_message;
};

}  // namespace vorne

#endif  // VORNE_TABLE_TABLE_ERROR_H
