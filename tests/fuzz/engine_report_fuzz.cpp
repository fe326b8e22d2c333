// Feeds arbitrary bytes to the reader of the engine's report that the calculation report uses: it
// must give a result, never crash or read out of bounds, and keep each table row's cell count.
#include <QString>
#include <cstddef>
#include <cstdint>

#include "report/engine_report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text =
      QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const vorne::EngineReport report = vorne::readEngineReport(text);
  for (const auto& row : report.soil) {
    if (row.size() != 6) __builtin_trap();
  }
  for (const auto& row : report.strength) {
    if (row.size() != 7) __builtin_trap();
  }
  for (const auto& table : report.capacityTables) {
    if (table.methodId < 1 || table.methodId > 9 || table.rows < 0) __builtin_trap();
  }
  return 0;
}
