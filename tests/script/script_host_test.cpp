// Running script files: loose and packed chunks, what reaches standard error,
// the result, and the engine shut down in every case.
#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "base/log.h"
#include "render/engine.h"
#include "script/script_host.h"
#include "script/tk_library.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

// What the code under test writes to standard error, through a file.
class CapturedStderr {
 public:
  explicit CapturedStderr(const std::string& path) : path_(path) {
    fflush(stderr);
    saved_ = dup(2);
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, 2);
    close(fd);
  }
  ~CapturedStderr() { restore(); }
  std::string take() {
    restore();
    std::ifstream in(path_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  void restore() {
    if (saved_ < 0) return;
    fflush(stderr);
    dup2(saved_, 2);
    close(saved_);
    saved_ = -1;
  }
  std::string path_;
  int saved_ = -1;
};

class ScriptHostTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(getcwd(directory_, sizeof directory_)); }
  void TearDown() override {
    if (chdir(directory_) != 0) ADD_FAILURE() << "cannot return to " << directory_;
    setLogThreshold(LOG_INFO);
  }

  // Runs the script file and keeps what went to standard error.
  int runFile(const std::string& path, bool packed) {
    CapturedStderr captured(folder_.path() + "/stderr.txt");
    int status = runScript(path, packed);
    errors_ = captured.take();
    return status;
  }

  test::TempFolder folder_;
  std::string errors_;
  char directory_[PATH_MAX] = {};
};

TEST_F(ScriptHostTest, ScriptRunsInItsOwnDirectoryAndLeavesNoEngine) {
  std::string path = folder_.write("scripts/ok.lua",
                                   "tk.Setup(320, 240)\n"
                                   "local f = assert(io.open('marker.txt', 'w')) f:write(tk.GetDir()) f:close()\n");
  EXPECT_EQ(runFile(path, false), 0);
  EXPECT_EQ(errors_, "");
  EXPECT_FALSE(tkEngineSetUp());
  EXPECT_EQ(logThreshold(), LOG_NONE);
  std::ifstream marker(folder_.path() + "/scripts/marker.txt");
  std::string directory;
  std::getline(marker, directory);
  EXPECT_EQ(std::filesystem::path(directory), std::filesystem::path(folder_.path() + "/scripts"));
}

TEST_F(ScriptHostTest, FailuresGoToStandardErrorAndStillShutTheEngineDown) {
  struct Case {
    const char* file;
    const char* script;  // null: the file does not exist
    int status;
    const char* errors;
  } cases[] = {
      {"boom.lua", "tk.Setup(320, 240)\nerror('boom')\n", LUA_ERRRUN, "boom.lua:2: boom\n"},
      {"bad.lua", "tk.Setup()\nx = = 1\n", LUA_ERRSYNTAX, "bad.lua:2: unexpected symbol near '='\n"},
      {"missing.lua", nullptr, LUA_ERRFILE, "cannot open missing.lua: No such file or directory\n"},
      {"table.lua", "tk.Setup()\nerror({})\n", LUA_ERRRUN, "(error object is a table value)\n"},
      {"command.lua", "tk.Setup()\ntk.ShowObject(1000)\n", LUA_ERRRUN,
       "command.lua:2: bad argument #1 to 'ShowObject' (Object ID 1000 does not exist. "
       "invalid ID 1000 greater or equals than 1000)\n"},
  };
  for (const Case& c : cases) {
    std::string path = folder_.path() + "/" + c.file;
    if (c.script) folder_.write(c.file, c.script);
    EXPECT_EQ(runFile(path, false), c.status) << c.file;
    EXPECT_EQ(errors_, c.errors) << c.file;
    EXPECT_FALSE(tkEngineSetUp()) << c.file;
  }
}

TEST_F(ScriptHostTest, PackedScriptIsReadThroughTheFileLayer) {
  std::string path = folder_.write("packed/main.lua", "print('packed ' .. tostring(tk.IsSetup()))\nerror('late')\n");
  test::CapturedStdout out;
  EXPECT_EQ(runFile(path, true), LUA_ERRRUN);
  EXPECT_EQ(out.take(), "packed false\n");
  EXPECT_EQ(errors_, "[string \"mem\"]:2: late\n");

  EXPECT_EQ(runFile(folder_.path() + "/packed/absent.lua", true), -1);
  EXPECT_EQ(errors_, "cannot load absent.lua\n");
}

}  // namespace
}  // namespace tk
