#include "effects/shaders/shader_reload.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "base/files/file_layer.h"
#include "base/startup_record.h"
#include "base/watch/folder_watch.h"
#include "startup/sys_setup.h"
#include "tests/base/watch/watch_test_support.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

class ShaderReloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setBaseDirectory(base.path().c_str());
    setShaderChangeHandler([this](const std::vector<std::string>& files) { handed.push_back(files); });
    clearLastError();
  }
  void TearDown() override {
    endFolderWatches();
    setShaderChangeHandler(nullptr);
    setBaseDirectory("");
    setRunningPacked(false);
    clearLastError();
  }
  void makeFolders(std::initializer_list<const char*> names) {
    for (const char* name : names) ASSERT_EQ(mkdir((base.path() + "/" + name).c_str(), 0755), 0);
  }
  // Polls like a main loop until the handler was given `count` files in all.
  std::vector<std::string> pollUntil(size_t count) {
    std::vector<std::string> all;
    test::waitUntil([&] {
      std::vector<std::string> files = pollShaderChanges();
      all.insert(all.end(), files.begin(), files.end());
      return all.size() >= count;
    });
    std::sort(all.begin(), all.end());
    return all;
  }

  test::TempFolder base;
  std::vector<std::vector<std::string>> handed;
};

TEST_F(ShaderReloadTest, ChangedShadersAreLoggedAndHandedOver) {
  makeFolders({"shaders", "shadersHV", "shadersPP", "shadersPP2", "shadersSURF", "shadersSURF2"});
  beginFolderWatches();
  EXPECT_TRUE(pollShaderChanges().empty());
  test::CapturedStdout output;
  base.write("shaders/Lpp.hlsl", "a");
  base.write("shadersPP2/Glow.hlsl", "b");
  std::vector<std::string> files = pollUntil(2);
  std::vector<std::string> expected = {base.path() + "/shaders/Lpp.hlsl", base.path() + "/shadersPP2/Glow.hlsl"};
  EXPECT_EQ(files, expected);
  std::string log = output.take();
  for (const std::string& file : expected)
    EXPECT_NE(log.find("INFO : detected file change " + file + "\n"), std::string::npos) << log;
  EXPECT_NE(log.find("INFO : updating shaders...\n"), std::string::npos);
  EXPECT_NE(log.find("INFO : updating shaders done\n"), std::string::npos);
  size_t handedCount = 0;
  for (const auto& list : handed) handedCount += list.size();
  EXPECT_EQ(handedCount, 2u);
}

TEST_F(ShaderReloadTest, MissingFoldersAreReportedAndTheOthersWatched) {
  makeFolders({"shaders", "shadersPP"});
  test::CapturedStdout output;
  beginFolderWatches();
  std::string log = output.take();
  EXPECT_NE(log.find("FolderWatch ID 1 : Cannot create change notification handle for '" + base.path() +
                     "/shadersHV'"),
            std::string::npos)
      << log;
  base.write("shadersPP/Dof.hlsl", "a");
  EXPECT_EQ(pollUntil(1), std::vector<std::string>{base.path() + "/shadersPP/Dof.hlsl"});
}

TEST_F(ShaderReloadTest, NothingIsWatchedWhenRunningPacked) {
  makeFolders({"shaders"});
  setRunningPacked(true);
  beginFolderWatches();
  EXPECT_EQ(createFolderWatch(base.path().c_str(), 0), 0);  // ID 0 is still free
  EXPECT_EQ(deleteFolderWatch(0), 0);
}

// The viewer and the demo player begin the watches and leave them to the
// engine's shutdown: a later start watches afresh.
TEST_F(ShaderReloadTest, ShuttingTheEngineDownEndsTheWatches) {
  makeFolders({"shaders"});
  ASSERT_EQ(tkSysSetup(SysSetup()), 0);
  beginFolderWatches();
  tkSysShutdown();
  EXPECT_EQ(createFolderWatch(base.path().c_str(), 0), 0);  // ID 0 is free again
  EXPECT_EQ(deleteFolderWatch(0), 0);
}

}  // namespace
}  // namespace tk
