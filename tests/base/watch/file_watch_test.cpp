#include "base/watch/file_watch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include "tests/base/watch/watch_test_support.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

using test::takeError;
using test::waitUntil;

class FileWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scene = folder.write("scene.tscn", "version 1");
    clearLastError();
    ASSERT_EQ(createFileWatch(scene.c_str(), 0), 0);
  }
  void TearDown() override {
    for (int id = 0; id < 4; ++id) deleteFileWatch(id);
    clearLastError();
  }
  bool reported() { return fileWatchChanged(0) == 1; }

  test::TempFolder folder;
  std::string scene;
};

TEST_F(FileWatchTest, ASaveIsReportedUntilReset) {
  EXPECT_EQ(fileWatchChanged(0), 0);
  folder.write("scene.tscn", "version 2");
  ASSERT_TRUE(waitUntil([&] { return reported(); }));
  EXPECT_EQ(fileWatchChanged(0), 1);
  EXPECT_EQ(resetFileWatch(0), 0);
  EXPECT_EQ(fileWatchChanged(0), 0);
  folder.write("scene.tscn", "version 3");
  EXPECT_TRUE(waitUntil([&] { return reported(); }));
}

TEST_F(FileWatchTest, AFileReplacedByRenameIsReported) {
  std::string saved = folder.write("scene.tscn.tmp", "exported again");
  ASSERT_EQ(rename(saved.c_str(), scene.c_str()), 0);
  EXPECT_TRUE(waitUntil([&] { return reported(); }));
}

TEST_F(FileWatchTest, AnotherFileOfTheFolderIsNotReported) {
  std::string other = folder.write("notes.txt", "a");
  ASSERT_EQ(createFileWatch(other.c_str(), 1), 0);
  folder.write("notes.txt", "b");
  // The other watch sees the write, so the folder's notification did fire.
  ASSERT_TRUE(waitUntil([] { return fileWatchChanged(1) == 1; }));
  EXPECT_FALSE(waitUntil([&] { return reported(); }, 100));
}

// A save that arrives while the main thread handles the previous one must not be
// dropped by the reset.
TEST_F(FileWatchTest, ASaveDuringHandlingIsReportedAfterTheReset) {
  folder.write("scene.tscn", "version 2");
  ASSERT_TRUE(waitUntil([&] { return reported(); }));
  ASSERT_EQ(waitFileReadable(0, 1000), 0);
  folder.write("scene.tscn", "version 3");  // while version 2 is being loaded
  EXPECT_EQ(releaseFileWatch(0), 0);
  EXPECT_EQ(resetFileWatch(0), 0);
  EXPECT_TRUE(waitUntil([&] { return reported(); }));
}

TEST_F(FileWatchTest, AFileStillOpenForWritingIsNotReadable) {
  int writer = open(scene.c_str(), O_WRONLY | O_APPEND);
  ASSERT_GE(writer, 0);
  ASSERT_EQ(write(writer, "more", 4), 4);
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(waitFileReadable(0, 150), -1);
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(150));
  close(writer);
  EXPECT_EQ(waitFileReadable(0, 1000), 0);
  EXPECT_EQ(releaseFileWatch(0), 0);
}

TEST_F(FileWatchTest, AMissingFileIsNotReadable) {
  ASSERT_EQ(unlink(scene.c_str()), 0);
  EXPECT_EQ(waitFileReadable(0, 20), -1);
}

TEST_F(FileWatchTest, BadIdsAreReported) {
  struct Case {
    std::function<int()> call;
    int result;
    int code;
    std::string text;
  };
  const char* path = scene.c_str();
  const Case cases[] = {
      {[&] { return createFileWatch(path, 100); }, -1, 2,
       "invalid FileWatch ID 100 : invalid ID 100 greater or equals than 100"},
      {[&] { return createFileWatch(path, 0); }, -1, 2, "invalid FileWatch ID 0 : id 0 already exist"},
      {[] { return fileWatchChanged(7); }, 0, 1, "FileWatch ID 7 does not exist. id 7 does not exist"},
      {[] { return releaseFileWatch(7); }, -1, 1, "FileWatch ID 7 does not exist. id 7 does not exist"},
      {[] { return resetFileWatch(-1); }, -1, 1, "FileWatch ID -1 does not exist. invalid negative ID -1"},
      {[] { return waitFileReadable(7, 0); }, -1, 1, "FileWatch ID 7 does not exist. id 7 does not exist"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.call(), c.result) << c.text;
    EXPECT_EQ(takeError(), std::make_pair(c.text, c.code));
  }
}

// A folder that cannot be watched is reported, leaves the ID free and no thread.
TEST_F(FileWatchTest, AMissingFolderIsReportedWithoutAThreadLeftBehind) {
  int threads = test::threadCount();
  EXPECT_EQ(createFileWatch((folder.path() + "/absent/scene.tscn").c_str(), 3), -1);
  auto [text, code] = takeError();
  EXPECT_EQ(code, 1);
  EXPECT_EQ(text.rfind("FileWatch ID 3 : Cannot create change notification handle", 0), 0u) << text;
  EXPECT_EQ(test::threadCount(), threads);
  ASSERT_EQ(createFileWatch(scene.c_str(), 3), 0);
  EXPECT_EQ(test::threadCount(), threads + 1);
  EXPECT_EQ(deleteFileWatch(3), 0);
  EXPECT_EQ(test::threadCount(), threads);
}

}  // namespace
}  // namespace tk
