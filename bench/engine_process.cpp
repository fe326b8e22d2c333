// The engine library alone as a whole process: loads the library given as the first argument,
// makes the folder given as the second the current one (it holds names.dat) and calls the entry
// point once. Exits with the run's status, or 2 when the library or the folder is unusable.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: vorne_engine_process LIBRARY FOLDER\n", stderr);
    return 2;
  }
  if (::chdir(argv[2]) != 0) {
    std::perror(argv[2]);
    return 2;
  }
  void* library = ::dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "%s\n", ::dlerror());
    return 2;
  }
  using Entry = int32_t (*)(int32_t);
  const auto entry = reinterpret_cast<Entry>(::dlsym(library, "_IVORNE"));
  if (entry == nullptr) {
    std::fprintf(stderr, "%s\n", ::dlerror());
    return 2;
  }
  return entry(5);
}
