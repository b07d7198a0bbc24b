#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/log.h"
#include "packaging/archive_builder.h"
#include "packaging/pack_tools.h"
#include "packaging/packed_archive.h"
#include "packaging/packed_archive_reader.h"
#include "packaging/program_resources.h"
#include "packaging/scramble.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/zip_builder.h"

namespace tk {
namespace {

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The member names of the archive stored as resource 500 of a program.
std::vector<std::string> packedMembers(const std::string& program) {
  std::string bytes;
  EXPECT_TRUE(loadProgramResource(program, kResourceArchive, &bytes));
  scramble(bytes.data(), bytes.size());
  MemoryArchive archive;
  EXPECT_TRUE(archive.open(bytes));
  std::vector<std::string> names;
  for (const ArchiveMember& m : archive.members()) names.push_back(m.name);
  std::sort(names.begin(), names.end());
  return names;
}

class PackagingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disableMessageBoxes();
    setLogThreshold(LOG_NONE);
    program = folder.write("startup/tesk", "#!program bytes\n");
    ASSERT_EQ(chdir(folder.path().c_str()), 0);
  }
  void TearDown() override {
    setLogThreshold(LOG_INFO);
    EXPECT_EQ(chdir("/"), 0);
  }
  test::TempFolder folder;
  std::string program;
};

TEST(ScrambleTest, WholeWordsOnlyAndItUndoesItself) {
  unsigned char bytes[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  unsigned char original[10];
  memcpy(original, bytes, 10);
  scramble(bytes, 10);
  EXPECT_NE(memcmp(bytes, original, 8), 0);
  EXPECT_EQ(bytes[8], 9);
  EXPECT_EQ(bytes[9], 10);
  uint32_t word = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
  EXPECT_EQ(word, 0x04030201u ^ kScrambleKey);
  scramble(bytes, 10);
  EXPECT_EQ(memcmp(bytes, original, 10), 0);
}

TEST(SideFileTest, ExtensionOfTheFileNameOnly) {
  struct Case {
    const char* program;
    const char* side;
  } cases[] = {{"/a/tesk", "/a/tesk.dat"}, {"/a/tesk.bin", "/a/tesk.dat"}, {"/a.b/tesk", "/a.b/tesk.dat"},
               {"demo.x.run", "demo.x.dat"}, {"/a/.hidden", "/a/.hidden.dat"}};
  for (const Case& c : cases) EXPECT_EQ(sideFileOf(c.program), c.side) << c.program;
}

TEST_F(PackagingTest, ResourcesAreReplacedAndKept) {
  std::string error;
  ASSERT_TRUE(writeProgramResource(program, 501, "shaders", &error)) << error;
  ASSERT_TRUE(writeProgramResource(program, 500, "first", &error)) << error;
  ASSERT_TRUE(writeProgramResource(program, 500, "second archive", &error)) << error;
  std::string data;
  ASSERT_TRUE(loadProgramResource(program, 500, &data));
  EXPECT_EQ(data, "second archive");
  ASSERT_TRUE(loadProgramResource(program, 501, &data));
  EXPECT_EQ(data, "shaders");
  EXPECT_EQ(readAll(program).substr(0, 16), "#!program bytes\n");
  EXPECT_EQ(std::filesystem::status(program).permissions() & std::filesystem::perms::owner_exec,
            std::filesystem::perms::owner_exec);
}

TEST_F(PackagingTest, DamagedTrailersReadAsNoResources) {
  std::string error;
  ASSERT_TRUE(writeProgramResource(program, 500, std::string(100, 'z'), &error));
  std::string bytes = readAll(program);
  struct Case {
    std::string contents;
    bool damaged;
  } cases[] = {{bytes.substr(0, bytes.size() - 30) + bytes.substr(bytes.size() - 8), true},  // table cut
               {std::string(3, 'x'), false},
               {bytes.substr(0, bytes.size() - 3), false}};  // trailer cut
  for (const Case& c : cases) {
    std::string path = folder.write("damaged", c.contents);
    ProgramResources resources;
    bool damaged = false;
    ASSERT_TRUE(readProgramResources(path, &resources, &damaged));
    EXPECT_TRUE(resources.entries.empty());
    EXPECT_EQ(damaged, c.damaged);
    EXPECT_FALSE(packedArchivePresent(path));
  }
}

TEST_F(PackagingTest, SideFileOfRandomBytesIsNotAnArchive) {
  folder.write("startup/tesk.dat", "random bytes, not a zip");
  EXPECT_FALSE(packedArchivePresent(program));
  folder.write("startup/tesk.dat", test::makeZip({{"tesk.tscn", "{ Scene\n}\n"}}));
  EXPECT_TRUE(packedArchivePresent(program));
}

TEST_F(PackagingTest, DemoFoldersPackedOnceWithEngineShaders) {
  folder.write("demo/Scenes/A/a.tscn", "{ Scene\n}\n");
  folder.write("demo/Scenes/A/mesh.OBJ", "v 0 0 0\n");
  folder.write("demo/Scenes/A/notes.txt", "skip");
  folder.write("demo/music/song.mp3", "mp3");
  folder.write("demo/x.demo.ini",
               "[setup]\nmusicdirectory = music\n[part1]\ntime=0\ndirectory = Scenes/A\nfilename = a.tscn\n"
               "[part2]\ntime=10\ndirectory = scenes/a\nfilename = a.tscn\n");
  folder.write("startup/shaders/Gamma.hlsl", "float4 main() : COLOR { return 0; }");
  folder.write("startup/textures/noise.PNG", "png");
  ASSERT_EQ(packDemo(program, "out/packed", folder.path() + "/demo/x.demo.ini", PackStorage::InProgram), 0);
  std::string out = folder.path() + "/out/packed";
  EXPECT_EQ(packedMembers(out), (std::vector<std::string>{"Scenes/A/a.tscn", "Scenes/A/mesh.OBJ", "music/song.mp3",
                                                          "shaders/Gamma.hlsl", "tesk.demo.ini", "textures/noise.PNG"}));
  EXPECT_FALSE(std::filesystem::exists(folder.path() + "/out/packed.dat.tmp"));
  // Packing the packed program again keeps what it carries besides the archive.
  std::string error;
  ASSERT_TRUE(writeProgramResource(out, kResourceShaders, "engine shaders", &error));
  ASSERT_EQ(packDemo(out, "out/again", folder.path() + "/demo/x.demo.ini", PackStorage::SideFile), 0);
  std::string data;
  EXPECT_TRUE(loadProgramResource(folder.path() + "/out/again", kResourceShaders, &data));
  EXPECT_TRUE(std::filesystem::exists(folder.path() + "/out/again.dat"));
}

// A demo written on Windows names its folders with "\" and in other cases:
// the files are found on disk, and kept under the names the demo uses, which
// is how the demo asks for them when it plays from the archive.
TEST_F(PackagingTest, DemoFoldersWrittenOnWindowsArePacked) {
  folder.write("demo/Scenes/A/a.tscn", "{ Scene\n}\n");
  folder.write("demo/x.demo.ini", "[part1]\ntime=0\ndirectory = SCENES\\a\nfilename = A.TSCN\n");
  ASSERT_EQ(packDemo(program, "out/packed", folder.path() + "/demo/x.demo.ini", PackStorage::InProgram), 0);
  EXPECT_EQ(packedMembers(folder.path() + "/out/packed"), (std::vector<std::string>{"SCENES/a/a.tscn", "tesk.demo.ini"}));
}

TEST_F(PackagingTest, EngineResourcesGoToTheirOwnResource) {
  folder.write("startup/shadersPP/Gamma.hlsl", "g");
  folder.write("startup/shadersHV/include/common.h", "h");
  folder.write("startup/shadersCache/a.vso", "cache is not packed here");
  folder.write("startup/textures/AreaTex.png", "png");
  ASSERT_EQ(packEngineResources(program, "rsc/tesk"), 0);
  std::string out = folder.path() + "/rsc/tesk", bytes;
  EXPECT_FALSE(loadProgramResource(out, kResourceArchive, &bytes));
  ASSERT_TRUE(loadProgramResource(out, kResourceShaders, &bytes));
  scramble(bytes.data(), bytes.size());
  MemoryArchive archive;
  ASSERT_TRUE(archive.open(bytes));
  std::vector<std::string> names;
  for (const ArchiveMember& m : archive.members()) names.push_back(m.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"shadersHV/include/common.h", "shadersPP/Gamma.hlsl", "textures/AreaTex.png"}));
}

TEST_F(PackagingTest, SceneIsStoredUnderItsFixedName) {
  folder.write("s/intro.tscn", "{ Scene\n}\n");
  folder.write("s/scene_backup/intro.lws", "lws");
  folder.write("s/scene_backup/box.LWO", "lwo");
  folder.write("s/logo.png", "png");
  ASSERT_EQ(packDemo(program, "scene.run", "s/intro.tscn", PackStorage::InProgram), 0);
  EXPECT_EQ(packedMembers(folder.path() + "/scene.run"),
            (std::vector<std::string>{"logo.png", "scene_backup/box.LWO", "scene_backup/intro.lws", "tesk.tscn"}));
}

TEST_F(PackagingTest, FileListEntries) {
  folder.write("images/a.png", "a");
  folder.write("images/b.jpg", "b");
  folder.write("main.lua", "print(1)");
  folder.write("list.txt", "  images/*.png\r\n\n*.lua\n/*.txt\n");
  ASSERT_EQ(packFileList(program, "listed", "list.txt"), 0);
  EXPECT_EQ(packedMembers(folder.path() + "/listed"), (std::vector<std::string>{"images/a.png", "list.txt", "main.lua"}));
  EXPECT_NE(packFileList(program, "listed", "missing.txt"), 0);
}

TEST_F(PackagingTest, ExtractionWritesSceneSourcesOnly) {
  std::string archive = test::makeZip({{"tesk.tscn", "scene"},
                                       {"sky.png", "png"},
                                       {"box.x", "mesh"},
                                       {"scene_backup/box.lwo", "lwo"},
                                       {"scene_backup/old/box.lwo", "second"},
                                       {"scene_backup/intro.LWS", "lws"},
                                       {"other/skip.png", "no"}});
  scramble(archive.data(), archive.size());
  std::string error;
  ASSERT_TRUE(writeProgramResource(program, kResourceArchive, archive, &error));
  ASSERT_EQ(extractPackedScene(program), 0);
  std::string root = folder.path() + "/ExeExtract";
  EXPECT_EQ(readAll(root + "/Images/sky.png"), "png");
  EXPECT_EQ(readAll(root + "/Objects/box.lwo"), "lwo");  // the first of two with one name
  EXPECT_EQ(readAll(root + "/Scenes/intro.LWS"), "lws");
  EXPECT_FALSE(std::filesystem::exists(root + "/Images/box.x"));
  EXPECT_FALSE(std::filesystem::exists(root + "/Images/skip.png"));

  // A damaged member is reported, never written out as good data.
  archive = test::makeZip({{"tesk.tscn", "scene"}, {"scene_backup/box.lwo", "the object's bytes"}}, true);
  archive[archive.find("the object's bytes")] ^= 0x20;
  scramble(archive.data(), archive.size());
  std::string damaged = folder.write("damaged.run", "#!program\n");
  ASSERT_TRUE(writeProgramResource(damaged, kResourceArchive, archive, &error));
  std::filesystem::remove_all(root);
  {
    setLogThreshold(LOG_INFO);
    test::CapturedStdout out;
    EXPECT_EQ(extractPackedScene(damaged), -1);
    const std::string said = out.take();
    EXPECT_NE(said.find("archive member 'scene_backup/box.lwo' is damaged"), std::string::npos) << said;
    EXPECT_NE(said.find("Failed to extract file scene_backup/box.lwo"), std::string::npos) << said;
    setLogThreshold(LOG_NONE);
  }
  EXPECT_FALSE(std::filesystem::exists(root + "/Objects/box.lwo"));

  std::string demo = test::makeZip({{"tesk.demo.ini", "x"}, {"tesk.tscn", "s"}, {"scene_backup/a.lwo", "l"}});
  scramble(demo.data(), demo.size());
  std::string other = folder.write("demo.run", "#!program\n");
  ASSERT_TRUE(writeProgramResource(other, kResourceArchive, demo, &error));
  std::filesystem::remove_all(root);
  EXPECT_EQ(extractPackedScene(other), 0);
  EXPECT_FALSE(std::filesystem::exists(root));
}

}  // namespace
}  // namespace tk
