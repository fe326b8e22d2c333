// The exported entry of the built shared library, loaded as the desktop program loads it.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "test_files.h"

namespace {

using Entry = int32_t (*)(int32_t);

class EngineLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = std::string(VORNE_BIN_DIR) + "/libVORNE2014_DLL.so";
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(m_handle, nullptr) << dlerror();
  }
  void TearDown() override {
    if (m_handle != nullptr) dlclose(m_handle);
  }
  Entry entry(const char* name) { return reinterpret_cast<Entry>(dlsym(m_handle, name)); }

  void* m_handle = nullptr;
};

// Runs body with the current folder set to folder, restoring it afterwards.
template <typename Body>
void inFolder(const std::filesystem::path& folder, Body body) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  body();
  std::filesystem::current_path(previous);
}

TEST_F(EngineLibrary, BothNamesAreTheSameEntry) {
  const Entry plain = entry("IVORNE");
  const Entry underscored = entry("_IVORNE");
  ASSERT_NE(plain, nullptr);
  ASSERT_NE(underscored, nullptr);
  EXPECT_EQ(plain, underscored);
}

TEST_F(EngineLibrary, OnlyCommandFiveRuns) {
  const Entry run = entry("_IVORNE");
  ASSERT_NE(run, nullptr);
  vorne::test::TempDir dir;
  const std::string names = "2014.6.5\n\n, \n0\n" + dir.file("pile.vr6d") + "\n" +
                            dir.file("pile.vr6o") + "\n" + dir.file("pile.vr6p") + "\n" +
                            dir.file("pile.cpt") + "\n";
  vorne::test::writeFile(dir.file("names.dat"), names);
  vorne::test::writeFile(dir.file("pile.vr6d"), vorne::test::minimalDataFile());

  inFolder(dir.path(), [&] {
    EXPECT_EQ(run(4), 1);
    EXPECT_EQ(run(0), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("pile.vr6o")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("pile.vr6p")));

    EXPECT_EQ(run(5), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("pile.vr6o")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("pile.vr6p")));
  });
}

}  // namespace
