// Feeds arbitrary bytes to the data-file and CPT readers: they must return a result, never crash,
// read out of bounds or overflow.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/data_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  vorne::AnalysisInput input;
  const vorne::ReadResult result = vorne::readDataFile(text, "fuzz.vr6d", input);
  if (result.ok) {
    // A file the reader accepts keeps the invariants the run relies on.
    if (input.soilPoints.empty() ||
        input.soilPoints.size() > static_cast<std::size_t>(vorne::kMaxSoilPoints) ||
        !(input.pile.lengthIncrement > 0.0) || input.printIncrement < 1) {
      __builtin_trap();
    }
  } else if (result.message.empty()) {
    __builtin_trap();
  }
  vorne::CptData cpt;
  const vorne::ReadResult cptResult = vorne::readCptFile(text, "fuzz.cpt", cpt);
  if (cptResult.ok && cpt.points.size() > static_cast<std::size_t>(vorne::kMaxCptPoints))
    __builtin_trap();
  return 0;
}
