#include "music/temp_files.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

class TempFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("TMPDIR", folder.path().c_str(), 1); }
  void TearDown() override {
    deleteAllTempFiles();
    unsetenv("TMPDIR");
  }
  size_t filesInFolder() const {
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) count += entry.is_regular_file();
    return count;
  }
  test::TempFolder folder;
};

TEST_F(TempFilesTest, NamesCarrySlotAndExtension) {
  struct Case {
    const char* source;
    const char* ending;
  };
  const Case cases[] = {{"music/intro.mp3", "_0.mp3"}, {"dir.v2/song", "_1.tmp"}, {"a\\b.c\\tune.ogg", "_2.ogg"}};
  for (const Case& c : cases) {
    int slot = createTempFile("data", c.source);
    ASSERT_GE(slot, 0);
    std::string name = std::filesystem::path(tempFilePath(slot)).filename().string();
    EXPECT_EQ(name.rfind("TM_", 0), 0u) << name;
    EXPECT_EQ(name.substr(name.size() - strlen(c.ending)), c.ending) << c.source;
    EXPECT_EQ(std::filesystem::path(tempFilePath(slot)).parent_path(), folder.path());
  }
  std::ifstream copy(tempFilePath(0), std::ios::binary);
  std::stringstream contents;
  contents << copy.rdbuf();
  EXPECT_EQ(contents.str(), "data");
  deleteTempFile(1);
  EXPECT_EQ(tempFilePath(1), "");
  EXPECT_EQ(filesInFolder(), 2u);
  EXPECT_EQ(createTempFile("again", "x.mp3"), 1);  // the freed slot is taken first
}

TEST_F(TempFilesTest, AnUnusableTemporaryFolderIsReported) {
  setenv("TMPDIR", (folder.path() + "/absent").c_str(), 1);
  test::CapturedStdout output;
  EXPECT_EQ(createTempFile("data", "a.mp3"), -1);
  EXPECT_EQ(output.take(), "ERROR : GetTempPath failed\n");
  EXPECT_EQ(createTempFile("data", "a.mp3"), -1);  // and the slot was given back
}

TEST_F(TempFilesTest, AllHundredSlotsThenFailure) {
  for (int i = 0; i < kTempFileSlots; ++i) ASSERT_EQ(createTempFile("", "a.mp3"), i);
  test::CapturedStdout output;
  EXPECT_EQ(createTempFile("", "a.mp3"), -1);
  EXPECT_NE(output.take().find("ERROR : "), std::string::npos);
}

// Copies still listed when the process ends are deleted.
TEST_F(TempFilesTest, CopiesAreDeletedWhenTheProcessEnds) {
  fflush(stdout);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    int slot = createTempFile("data", "a.mp3");
    exit(slot >= 0 && std::filesystem::exists(tempFilePath(slot)) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the child made no copy";
  EXPECT_EQ(filesInFolder(), 0u);
}

}  // namespace
}  // namespace tk
