// Feeds arbitrary bytes to the plot data reader with the project settings that shape what it
// expects: it reads the file or says why not, never crashes, hangs or reads out of bounds.
// Input: one byte of settings (bit 0 extra t-z depths, bit 1 tension), one byte of capacity
// methods 1..8 (bit k-1 for method k; method 9 follows bit 0 of the settings byte's bit 2), then
// the file's text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "plot/main_graphs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  vorne::TPlotProject project;
  project.ExtraTzDepths = data[0] & 1;
  project.LoadingType = (data[0] >> 1) & 1;
  for (int method = 1; method <= 8; ++method)
    project.MethodSelected[method] = (data[1] >> (method - 1)) & 1;
  project.MethodSelected[9] = (data[0] >> 2) & 1;
  project.OutsideDiameter = 24.0;
  project.Layers = {{1, 10.0}, {2, 40.0}};
  vorne::TMainGraphs graphs;
  QString reason;
  const bool loaded = vorne::LoadPlotDataFromText(
      graphs, project, std::string(reinterpret_cast<const char*>(data) + 2, size - 2), &reason);
  if (!loaded && reason.isEmpty()) __builtin_trap();
  return 0;
}
