#include "base/watch/folder_watch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "tests/base/watch/watch_test_support.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

using test::takeError;
using test::waitUntil;

class FolderWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clearLastError();
    ASSERT_EQ(createFolderWatch(folder.path().c_str(), 0), 0);
  }
  void TearDown() override {
    for (int id = 0; id < 3; ++id) deleteFolderWatch(id);
    clearLastError();
  }

  // The files of the next report that lists any, then resets the watch; empty
  // when none comes within the time. Reports without files (late notifications
  // of writes already collected) are reset and skipped.
  std::vector<std::string> nextChanges(int timeoutMs = 3000) {
    std::vector<std::string> changes;
    waitUntil(
        [&] {
          if (!folderWatchChanged(0)) return false;
          folderWatchChanges(0, &changes);
          resetFolderWatch(0);
          return !changes.empty();
        },
        timeoutMs);
    return changes;
  }
  std::string path(const std::string& relative) const { return folder.path() + "/" + relative; }

  test::TempFolder folder;
};

TEST_F(FolderWatchTest, AFileSavedTwiceIsListedOnce) {
  EXPECT_EQ(folderWatchChanged(0), 0);
  folder.write("a.hlsl", "1");
  folder.write("a.hlsl", "2");
  EXPECT_EQ(nextChanges(), std::vector<std::string>{path("a.hlsl")});
  EXPECT_EQ(nextChanges(100), std::vector<std::string>{});
}

TEST_F(FolderWatchTest, AReportStaysUntilReset) {
  folder.write("a.hlsl", "1");
  ASSERT_TRUE(waitUntil([] { return folderWatchChanged(0) == 1; }));
  EXPECT_EQ(folderWatchChanged(0), 1);
  std::vector<std::string> changes;
  EXPECT_EQ(folderWatchChanges(0, &changes), 1);
  EXPECT_EQ(folderWatchChanges(0, &changes), 1);
  EXPECT_EQ(resetFolderWatch(0), 0);
  EXPECT_EQ(folderWatchChanges(0, &changes), 0);
  EXPECT_TRUE(changes.empty());
}

TEST_F(FolderWatchTest, TwelveFilesAtOnceListTenAndWarn) {
  for (int i = 0; i < 12; ++i) folder.write("f" + std::to_string(10 + i) + ".hlsl", "x");
  test::CapturedStdout output;
  std::vector<std::string> changes = nextChanges();
  ASSERT_EQ(changes.size(), 10u);
  EXPECT_EQ(changes.front(), path("f10.hlsl"));
  EXPECT_EQ(changes.back(), path("f19.hlsl"));
  EXPECT_NE(output.take().find("WARN : tkGetFolderWatchChanges too much changes\n"), std::string::npos);
  // The two left out come back once they are saved again.
  folder.write("f21.hlsl", "y");
  EXPECT_EQ(nextChanges(), std::vector<std::string>{path("f21.hlsl")});
}

TEST_F(FolderWatchTest, SubfoldersCountDownToTwoLevelsWithoutHiddenOnes) {
  for (const char* sub : {"sub", "sub/deeper", "sub/deeper/deepest", ".hidden"})
    ASSERT_EQ(mkdir(path(sub).c_str(), 0755), 0);
  ASSERT_EQ(deleteFolderWatch(0), 0);
  ASSERT_EQ(createFolderWatch(folder.path().c_str(), 0), 0);
  folder.write("sub/deeper/deepest/c.fx", "3");
  folder.write(".hidden/d.fx", "h");
  folder.write("sub/deeper/b.fx", "2");
  EXPECT_EQ(nextChanges(), std::vector<std::string>{path("sub/deeper/b.fx")});

  // Folders made after the watch started are watched too, also when a file is
  // written into them before the watch thread got to them.
  folder.write("late/e.fx", "e");
  EXPECT_EQ(nextChanges(), std::vector<std::string>{path("late/e.fx")});
  folder.write("late/f.fx", "f");
  EXPECT_EQ(nextChanges(), std::vector<std::string>{path("late/f.fx")});
}

// A save that arrives while the main thread handles the previous report must
// be found by the next one.
TEST_F(FolderWatchTest, ASaveDuringHandlingIsListedAfterTheReset) {
  folder.write("a.hlsl", "1");
  ASSERT_TRUE(waitUntil([] { return folderWatchChanged(0) == 1; }));
  std::vector<std::string> changes;
  folderWatchChanges(0, &changes);
  EXPECT_EQ(changes, std::vector<std::string>{path("a.hlsl")});
  folder.write("b.hlsl", "2");  // while a.hlsl is being recompiled
  ASSERT_EQ(resetFolderWatch(0), 0);
  EXPECT_EQ(nextChanges(), std::vector<std::string>{path("b.hlsl")});
}

TEST_F(FolderWatchTest, BadIdsAndMissingFolders) {
  int threads = test::threadCount();
  struct Case {
    std::function<int()> call;
    int result;
    std::pair<std::string, int> error;
  };
  std::string missing = path("absent");
  const Case cases[] = {
      {[&] { return createFolderWatch(missing.c_str(), 1); }, -1,
       {"FolderWatch ID 1 : Cannot create change notification handle for '" + missing +
            "': No such file or directory", 1}},
      {[&] { return createFolderWatch(folder.path().c_str(), 100); }, -1,
       {"invalid FolderWatch ID 100 : invalid ID 100 greater or equals than 100", 2}},
      {[&] { return createFolderWatch(folder.path().c_str(), 0); }, -1,
       {"invalid FolderWatch ID 0 : id 0 already exist", 2}},
      {[] { return folderWatchChanged(9); }, 0, {"FolderWatch ID 9 does not exist. id 9 does not exist", 1}},
      {[] { return folderWatchChanges(9, nullptr); }, 0, {"FolderWatch ID 9 does not exist. id 9 does not exist", 1}},
      {[] { return resetFolderWatch(-2); }, -1, {"FolderWatch ID -2 does not exist. invalid negative ID -2", 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.call(), c.result) << c.error.first;
    EXPECT_EQ(takeError(), c.error);
  }
  EXPECT_EQ(test::threadCount(), threads);
  EXPECT_EQ(createFolderWatch(folder.path().c_str(), 1), 0);  // the failed ID stayed free
}

TEST_F(FolderWatchTest, DeletingEndsTheThread) {
  int threads = test::threadCount();
  EXPECT_EQ(deleteFolderWatch(0), 0);
  EXPECT_EQ(test::threadCount(), threads - 1);
  EXPECT_EQ(deleteFolderWatch(0), -1);
}

}  // namespace
}  // namespace tk
