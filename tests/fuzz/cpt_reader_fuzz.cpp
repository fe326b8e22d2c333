// Feeds arbitrary bytes to one field CPT reader, its format forced by VORNE_FUZZ_CPT_FORMAT (one
// target per reader): a file either gives profiles that keep the invariants the import and the
// engine profile rely on, or a CptFileError naming the file; never a crash, a hang or another
// exception.
#include <QByteArray>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "cpt/cpt_reader.h"
#include "cpt/engine_profile.h"

namespace {

bool finite(const std::optional<double>& v) { return !v || std::isfinite(*v); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  vorne::cpt::CptReadOptions options;
  options.format = vorne::cpt::CptFormat::VORNE_FUZZ_CPT_FORMAT;
  try {
    const vorne::cpt::CptFile file = vorne::cpt::readCptText(content, "fuzz", options);
    if (file.profiles.empty() || file.format != *options.format) __builtin_trap();
    for (const vorne::cpt::CptProfile& p : file.profiles) {
      if (p.records.empty()) __builtin_trap();
      double previous = -INFINITY;
      for (const vorne::cpt::CptRecord& r : p.records) {
        // Depths increase downwards and every value is a number.
        if (!std::isfinite(r.depth) || r.depth < previous || !std::isfinite(r.coneResistance) ||
            !finite(r.sleeveFriction) || !finite(r.porePressure) ||
            !finite(r.correctedConeResistance)) {
          __builtin_trap();
        }
        previous = r.depth;
      }
      for (int units : {1, 2}) {
        const vorne::cpt::EngineProfile engine = vorne::cpt::engineProfile(p, units);
        if (engine.points.empty() ||
            engine.points.size() > static_cast<std::size_t>(vorne::cpt::kMaxEnginePoints)) {
          __builtin_trap();
        }
        if (vorne::cpt::cptSideFileText(engine).isEmpty()) __builtin_trap();
      }
    }
    (void)vorne::cpt::selectLocation(file, file.profiles.front().location);
  } catch (const vorne::cpt::CptFileError& error) {
    if (!error.message().startsWith(QStringLiteral("fuzz: "))) __builtin_trap();
  }
  return 0;
}
