// A write failure on demand: while an object lives, this process (and the engine library it
// calls) cannot make a file larger than the given size, as on a full disk; a write past it fails
// with EFBIG instead of ending the process.
#ifndef VORNE_TESTS_FILE_SIZE_LIMIT_H
#define VORNE_TESTS_FILE_SIZE_LIMIT_H

#include <sys/resource.h>

#include <csignal>

namespace vorne::test {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_saved);
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_saved;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_savedHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit m_saved{};
  void (*m_savedHandler)(int) = nullptr;
};

}  // namespace vorne::test

#endif  // VORNE_TESTS_FILE_SIZE_LIMIT_H
