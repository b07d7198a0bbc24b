// The folder commands: SetDir takes only a folder that is there (on disk or in
// a mounted archive, names written on Windows included) and otherwise fails
// with code 1, keeping the current folder.
#include "api/file_commands.h"

#include <filesystem>

#include "base/files/filesystem_mount.h"
#include "tests/api/commands_fixture.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/zip_builder.h"

namespace tk {
namespace {

class FileCommandsTest : public test::EngineCommandsTest {
 protected:
  void TearDown() override {
    tkSetupFilesystem(nullptr, FS_PLAIN, 0);
    test::EngineCommandsTest::TearDown();
  }
  test::TempFolder folder;
};

TEST_F(FileCommandsTest, SetDirTakesOnlyFoldersThatAreThere) {
  folder.write("data/shader/variable.inc", "x");
  const std::string zip = test::makeZip({{"packed/scene.tscn", "{ Scene\n}\n"}});
  ASSERT_EQ(tkSetupFilesystem(zip.data(), FS_ARCHIVE_MEMORY, zip.size()), 0);
  const std::string start = folder.path() + "/data";
  struct Case {
    std::string path;
    bool taken;
  } cases[] = {
      {folder.path() + "/data", true},
      {folder.path() + "/DATA\\Shader", true},  // written on Windows
      {"packed", true},                         // a folder of the mounted archive
      {"", true},                               // no folder: the working directory
      {folder.path() + "/missing", false},
      {folder.path() + "/data/shader/variable.inc", false},  // a file
      {"packed/scene.tscn", false},
  };
  for (const Case& c : cases) {
    SetDir(start.c_str());
    ASSERT_EQ(failure(), "");
    SetDir(c.path.c_str());
    if (c.taken) {
      EXPECT_EQ(failure(), "") << c.path;
      EXPECT_EQ(GetDir(), c.path.empty() ? std::filesystem::current_path().string() : c.path) << c.path;
    } else {
      EXPECT_EQ(failure(), "1: failed to set the current folder to '" + c.path + "': no such folder\n") << c.path;
      EXPECT_EQ(GetDir(), start) << c.path;
    }
  }
}

}  // namespace
}  // namespace tk
