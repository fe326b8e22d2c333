// Feeds arbitrary bytes to the reader of the JSON form of a project: it fills the project or says
// which field is wrong, never crashes, hangs or reads out of bounds, and a project it fills writes
// JSON that reads back to the same JSON and the same data file.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "app/project_json.h"
#include "base/io_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  vorne::TProgramData project;
  try {
    vorne::readProjectJson(project, input);
  } catch (const vorne::EInOutError&) {
    return 0;
  }
  const QByteArray json = vorne::projectJson(project);
  vorne::TProgramData again;
  try {
    vorne::readProjectJson(again, json);
  } catch (const vorne::EInOutError&) {
    __builtin_trap();  // the writer made a text its own reader refuses
  }
  if (vorne::projectJson(again) != json || again.dataFileText() != project.dataFileText()) {
    __builtin_trap();
  }
  return 0;
}
