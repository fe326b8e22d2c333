// The arithmetic of every numeric field and table cell: a number or an expression with
// parentheses, ^ * / % + - and the logical & | =, functions (sin, sqrt, ...), factorial "!",
// hexadecimal "$", and the constants pi and e.
#ifndef VORNE_APP_EXPRESSION_EVALUATOR_H
#define VORNE_APP_EXPRESSION_EVALUATOR_H

#include <QString>
#include <stdexcept>

namespace vorne {

// Every evaluation failure; message() is the text shown to the user, starting with
// "Entry could not be evaluated:" and a line break.
class EExpressionError : public std::runtime_error {
 public:
  explicit EExpressionError(const QString& message)
      : std::runtime_error(message.toStdString()), m_message(message) {}
  const QString& message() const { return m_message; }

 private:
  QString m_message;
};

// Evaluates text. Blanks and tabs are ignored, names are case-insensitive, angles are radians,
// "." is the decimal separator. Operators bind in four levels, each left to right: ^; * / % &;
// + - |; =. A "-" is a sign at the start, after an operator, after "E"/"e" (exponent) or after a
// function name; otherwise it subtracts. Throws EExpressionError with the message of the fault;
// a result that is not a finite number (division by zero, sqrt of a negative value, overflow) is
// a fault too.
double evaluateExpression(const QString& text);

}  // namespace vorne

#endif  // VORNE_APP_EXPRESSION_EVALUATOR_H
