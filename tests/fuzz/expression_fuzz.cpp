// Feeds arbitrary text to the expression evaluator of every numeric field and table cell: it
// gives a value or its own error, never crashes, hangs or reads out of bounds.
#include <QString>
#include <cstddef>
#include <cstdint>

#include "base/expression_evaluator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Fields hold a line of text; longer inputs only slow the search down.
  if (size > 512) return 0;
  const QString text =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    (void)vorne::evaluateExpression(text);
  } catch (const vorne::EExpressionError& error) {
    if (error.message().isEmpty()) __builtin_trap();
  }
  return 0;
}
