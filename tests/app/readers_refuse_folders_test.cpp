// Every reader of the program given a folder where it expects a file: each
// answers as for a file that cannot be opened, and the run goes on. (A folder
// opened as a file used to report a size of 2^63 bytes, and the scene reader
// asked for that much memory.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "api/effect_commands.h"
#include "api/object_commands.h"
#include "base/files/file_layer.h"
#include "base/files/filesystem_mount.h"
#include "base/files/ini_file.h"
#include "demo/demo_loader.h"
#include "music/music.h"
#include "packaging/packed_archive.h"
#include "packaging/program_resources.h"
#include "scene/scene_slots.h"
#include "script/script_host.h"
#include "tests/api/effect_fixture.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

struct ReaderCase {
  const char* reader;
  const char* file;  // the name the folder gets
  // Given the folder (a directory named like the file the reader wants), calls
  // the reader and returns true when it refused the file.
  std::function<bool(const std::string& folder)> refuses;
  const char* message;  // part of the reader's usual "cannot open" answer ("" when it says nothing)
};

class ReadersRefuseFoldersTest : public test::EffectCommandsTest {
 protected:
  void SetUp() override {
    test::EffectCommandsTest::SetUp();
    setLogThreshold(LOG_INFO);
  }
  std::string makeFolder(const std::string& relative) {
    const std::string path = folder.path() + "/" + relative;
    std::filesystem::create_directories(path);
    return path;
  }
  // Whatever the reader said: the recorded failure and the log.
  std::string said(test::CapturedStdout& out) { return failure() + "\n" + out.take(); }
};

TEST_F(ReadersRefuseFoldersTest, EachReaderAnswersAsForAFileThatCannotBeOpened) {
  const std::string effectWithInclude = folder.write("include.fx", std::string(test::kCommandEffectSource) + "#include \"inc.h\"\n");
  makeFolder("inc.h");
  ASSERT_EQ(LoadEffect(effectPath.c_str(), 1), 0) << failure();
  const ReaderCase cases[] = {
      {"scene", "scene.tscn", [](const std::string& f) { return LoadScene(f.c_str(), 1, SceneBases(), false, "s") == -1; },
       "scene.tscn', error: Is a directory"},
      {"scene named in another case", "scene.tscn",
       [](const std::string& f) {
         const std::string upper = f.substr(0, f.rfind('/') + 1) + "SCENE.TSCN";
         return LoadScene(upper.c_str(), 1, SceneBases(), false, "s") == -1;
       },
       "SCENE.TSCN', error: Is a directory"},
      {"mesh", "torus.obj", [](const std::string& f) { return LoadObject(f.c_str(), 1) == -1; }, "Failed to load mesh '"},
      {"music", "tune.mp3", [](const std::string& f) { return LoadMusic(f.c_str(), 1) == -1; }, "Cannot load file '"},
      {"effect", "glow.fx", [](const std::string& f) { return LoadEffect(f.c_str(), 2) == -1; }, "Cannot open file"},
      {"effect include", "unused.h", [&](const std::string&) { return LoadEffect(effectWithInclude.c_str(), 3) == -1; },
       "ShaderIncludeCallback:Open FileName='inc.h' FAILED"},
      {"texture", "wood.png",
       [](const std::string& f) {
         SetEffectTexture(1, "Picture", f.c_str());
         return textureOf(getEffect(1), "Picture") == nullptr;
       },
       "failed to load texture '"},
      {"setup file", "tesk-setup.ini",
       [](const std::string& f) {
         std::string error = "unset";
         return !IniFile::load(f.c_str(), &error) && error.empty();  // empty: it does not open
       },
       ""},
      {"demo file", "show.demo.ini",
       [](const std::string& f) {
         DemoDescription demo;
         DemoIdCounters counters;
         return tkDemoLoad(&demo, f.c_str(), &counters) == -1;
       },
       "show.demo.ini: Is a directory"},
      {"archive file", "pack.zip", [](const std::string& f) { return tkSetupFilesystem(f.c_str(), FS_ARCHIVE_FILE, 0) == -1; },
       "tkSetupFilesystem: Failed addFileArchive '"},
      {"packed program", "tesk",
       [](const std::string& f) {
         ProgramResources resources;
         std::string data;
         return !readProgramResources(f, &resources) && !loadProgramResource(f, kResourceArchive, &data) &&
                !packedArchivePresent(f);
       },
       ""},
  };
  for (const ReaderCase& c : cases) {
    const std::string path = makeFolder(std::string(c.reader) + "/" + c.file);
    bool refused;
    std::string text;
    {
      test::CapturedStdout out;
      refused = c.refuses(path);
      text = said(out);
      tkSetupFilesystem(nullptr, FS_PLAIN, 0);
    }
    EXPECT_TRUE(refused) << c.reader;
    EXPECT_NE(text.find(c.message), std::string::npos) << c.reader << ": " << text;
  }
  EXPECT_TRUE(tkEngineSetUp());  // the run goes on
}

// A demo whose part or extra names a folder, and a side file that is a folder.
TEST_F(ReadersRefuseFoldersTest, DemoPartsExtrasAndSideFiles) {
  makeFolder("scenes/part.tscn");
  folder.write("scenes/good.tscn", "{ Scene\n{ SceneInfo\nframeEnd I4 10\nframesPerSecond FP 10\n}\n}\n");
  const std::string parts[] = {
      "[part1]\ntime = 0\ndirectory = scenes\nfilename = part.tscn\n[part2]\ntime = 1000\n",
      "[part1]\ntime = 0\ndirectory = scenes\nfilename = good.tscn\n"
      "extra.0.directory = scenes\nextra.0.filename = part.tscn\nextra.0.time = 0\nextra.0.length = 10\n"
      "[part2]\ntime = 1000\n",
  };
  for (const std::string& text : parts) {
    const std::string demoPath = folder.write("folders.demo.ini", text);
    DemoDescription demo;
    DemoIdCounters counters;
    int result;
    std::string answer;
    {
      test::CapturedStdout out;
      result = tkDemoLoad(&demo, demoPath.c_str(), &counters);
      answer = said(out);
    }
    EXPECT_EQ(result, -1) << text;
    EXPECT_NE(answer.find("Fail to load "), std::string::npos) << text << answer;
  }
  const std::string program = folder.write("packed/tesk", "program");
  makeFolder("packed/tesk.dat");
  EXPECT_FALSE(packedArchivePresent(program));
  EXPECT_FALSE(mountPackedArchive(program));
}

// A script given as a folder: the interpreter's own answer, on standard error.
TEST(ScriptReaderTest, AFolderIsAScriptThatCannotBeOpened) {
  test::TempFolder folder;
  std::filesystem::create_directories(folder.path() + "/play.lua");
  char saved[4096];
  ASSERT_TRUE(getcwd(saved, sizeof saved));
  testing::internal::CaptureStderr();
  const int status = runScript(folder.path() + "/play.lua", false);
  const std::string said = testing::internal::GetCapturedStderr();
  ASSERT_EQ(chdir(saved), 0);
  EXPECT_NE(status, 0);
  EXPECT_EQ(said, "cannot open play.lua: Is a directory\n");
}

}  // namespace
}  // namespace tk
