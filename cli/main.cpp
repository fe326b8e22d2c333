// vorne: command-line runner for analyses.
#include <cstdio>

int main(int argc, char** argv) {
  (void)argv;
  if (argc < 2) {
    std::fputs("usage: vorne run PROJECT\n", stderr);
    return 2;
  }
  std::fputs("vorne: the analysis runner is not available yet\n", stderr);
  return 2;
}
