// Writes the benchmark's heavy project (bench/heavy_project.h) as PATH.vr6d and PATH.cpt, for the
// benchmarks that run it from files (bench/python_throughput.py).
#include <cstdio>
#include <string>

#include "heavy_project.h"

namespace {

bool writeText(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: vorne_heavy_project PATH   (writes PATH.vr6d and PATH.cpt)\n", stderr);
    return 2;
  }
  const std::string base = argv[1];
  if (!writeText(base + ".vr6d", vorne::bench::heavyDataFile()) ||
      !writeText(base + ".cpt", vorne::bench::heavyCptFile())) {
    std::fprintf(stderr, "vorne_heavy_project: %s: cannot write\n", argv[1]);
    return 1;
  }
  return 0;
}
