// The heaviest valid project: 40 layers (80 soil points), 500 segments, all nine methods with
// user unit values so the user-specified method runs, 100 extra t-z depths and 1000 CPT points.
// English units; a 36 in pipe, 240 ft long, in 250 ft of alternating sand and clay.
#ifndef VORNE_BENCH_HEAVY_PROJECT_H
#define VORNE_BENCH_HEAVY_PROJECT_H

#include <cstdio>
#include <string>

namespace vorne::bench {

inline std::string heavyDataFile() {
  std::string text =
      "Heaviest project: 40 layers, 500 segments, nine methods\r\nBenchmark\r\nBench 1\r\n";
  text += "1 1 80 \r\n";                      // English, every node printed, 80 soil points
  text += "0 0 36 34.5 29000000 240 0 \r\n";  // pipe, 240 ft
  text += "0 0 \r\n";
  text += "0 0.5 1 0 4 1 0 \r\n";  // 250 ft / 0.5 ft = 500 segments
  text += "1 1 1 1 1 1 1 1 1 \r\n";
  text += "250 0 \r\n";
  char line[256];
  for (int layer = 0; layer < 40; ++layer) {
    const double top = 6.25 * layer;
    const bool sand = layer % 2 == 0;
    for (double depth : {top, top + 6.25}) {
      if (sand) {
        std::snprintf(line, sizeof line,
                      "%g 1 0.8 %g %g 20 \r\n2000 100000 0 %d 0 0 %g 500 20000 0.7 0.7 \r\n", depth,
                      layer == 0 ? 115.0 : 62.6, 30.0 + layer % 7, 10 + layer,
                      60000.0 + 2000.0 * layer);
      } else {
        std::snprintf(line, sizeof line,
                      "%g 2 0 %g 0 0 \r\n0 0 %g %g 1.5 25 %g 500 20000 0.7 0.7 \r\n", depth, 57.6,
                      600.0 + 60.0 * layer, 300.0 + 30.0 * layer, 12000.0 + 1200.0 * layer);
      }
      text += line;
    }
  }
  text += "1 \r\n100 \r\n";
  for (int k = 1; k <= 100; ++k) {
    std::snprintf(line, sizeof line, "%d \r\n", 2 * k);
    text += line;
  }
  text += "0 1 \r\n0 0 \r\n1 0 \r\n0 0 \r\n";
  return text;
}

inline std::string heavyCptFile() {
  std::string text = " 1 1000\r\n";
  char line[64];
  for (int k = 1; k <= 1000; ++k) {
    std::snprintf(line, sizeof line, "  %.2E  %.2E\r\n", 0.25 * k, 40.0 + 0.8 * k);
    text += line;
  }
  return text;
}

}  // namespace vorne::bench

#endif  // VORNE_BENCH_HEAVY_PROJECT_H
