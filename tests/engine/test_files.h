// Small helpers shared by the engine tests: a minimal valid data file, line edits, temporary
// folders and whole-file reads and writes.
#ifndef VORNE_TESTS_ENGINE_TEST_FILES_H
#define VORNE_TESTS_ENGINE_TEST_FILES_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vorne::test {

// English units, circular steel pipe 24 in OD / 23 in ID, 60 ft long, no stick-up, increment
// 0.5 ft; sand 0-40 ft (blow count 25) over clay 40-80 ft; API selected. Lines numbered from 1:
//  4 units line, 5 pile, 6 enhanced end, 7 increment line, 8 methods, 9 deepest depth,
//  10-17 soil points (two lines each), 18 extra t-z flag, 19 loading, 20 clay/plug, 21 area,
//  22 critical depth.
inline std::string minimalDataFile() {
  return "Minimal test pile\n"
         "Test Designer\n"
         "Job 1\n"
         "1 1 4\n"
         "0 0 24 23 29000000 60 0\n"
         "0 0\n"
         "0 0.5 1 0 4 1 0\n"
         "0 0 0 1 0 0 0 0 0\n"
         "80 0\n"
         "0.0 1 0.8 115 30 12\n"
         "1400 60000 0.0 25 0.0 0.0 100000 0 0 0.7 0.7\n"
         "40 1 0.8 115 30 12\n"
         "1400 60000 0.0 25 0.0 0.0 100000 0 0 0.7 0.7\n"
         "40 2 0.0 50 0.0 0.0\n"
         "0 0 800 400 1.5 25 12000 0 0 0.8 0.9\n"
         "80 2 0.0 50 0.0 0.0\n"
         "0 0 1200 600 1.5 25 18000 0 0 0.8 0.9\n"
         "0\n"
         "0 1\n"
         "0 0\n"
         "1 0\n"
         "0 0\n";
}

// text split into its lines, without their line ends.
inline std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// text with its line number (1-based) replaced by line.
inline std::string replaceLine(const std::string& text, int number, const std::string& line) {
  std::istringstream in(text);
  std::string out;
  std::string current;
  for (int n = 1; std::getline(in, current); ++n) {
    out += (n == number ? line : current) + "\n";
  }
  return out;
}

inline std::string withCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void writeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

// A fresh folder for one test, removed at the end.
class TempDir {
 public:
  TempDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("vorne_") + info->test_suite_name() + "_" + info->name() + "_" +
                       std::to_string(::getpid());
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    m_path = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
  }
  ~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  std::string file(const std::string& name) const { return (m_path / name).string(); }

 private:
  std::filesystem::path m_path;
};

}  // namespace vorne::test

#endif  // VORNE_TESTS_ENGINE_TEST_FILES_H
