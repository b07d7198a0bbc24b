#include "base/files/file_layer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "base/files/plain_file_layer.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

class PlainFileLayerTest : public ::testing::Test {
 protected:
  void SetUp() override { installPlainFileLayer(); }
  void TearDown() override {
    installPlainFileLayer();
    setBaseDirectory("");
  }
  test::TempFolder folder;
};

TEST_F(PlainFileLayerTest, OpensRelativeToItsCurrentDirectoryWithOneSeparator) {
  folder.write("data/a.ini", "x");
  for (const char* current : {"data", "data/"}) {
    fileLayer().setDirectory((folder.path() + "/" + current).c_str());
    EXPECT_TRUE(fileExists("a.ini")) << current;
    EXPECT_EQ(fileLayer().absolutePath("a.ini"), folder.path() + "/data/a.ini");
  }
}

// A folder made current by a relative name (a demo given as "examples/x.ini"):
// the full path of a file opens that file again, however it is used later.
TEST_F(PlainFileLayerTest, FullPathsUnderARelativeFolderOpenTheSameFile) {
  folder.write("data/shaders/a.hlsl", "x");
  char saved[4096];
  ASSERT_TRUE(getcwd(saved, sizeof saved));
  ASSERT_EQ(chdir(folder.path().c_str()), 0);
  fileLayer().setDirectory("data");
  const std::string full = fileLayer().absolutePath("shaders/a.hlsl");
  EXPECT_EQ(full, folder.path() + "/data/shaders/a.hlsl");
  EXPECT_TRUE(fileExists(full.c_str()));
  EXPECT_EQ(fileLayer().absolutePath("missing.hlsl"), "data/missing.hlsl");  // not on disk: as joined
  ASSERT_EQ(chdir(saved), 0);
}

TEST_F(PlainFileLayerTest, DirectoryOperations) {
  FileLayer& layer = fileLayer();
  EXPECT_EQ(layer.directory(), "");
  layer.extendDirectory("base");
  EXPECT_EQ(layer.directory(), "base");
  layer.extendDirectory("sub");
  EXPECT_EQ(layer.directory(), "base/sub");
  layer.setDirectory("c:");
  layer.extendDirectory("x");
  EXPECT_EQ(layer.directory(), "c:x");
  EXPECT_EQ(layer.directoryPart("a/b\\c.tscn"), "a/b\\");
  EXPECT_EQ(layer.directoryPart("c.tscn"), "");
  EXPECT_EQ(layer.baseName("a/b/c.tscn", false), "c");
  EXPECT_EQ(layer.baseName("a/b/c.tscn", true), "c.tscn");
  EXPECT_EQ(layer.baseName("a/b/c.x.tscn", false), "c.x");
}

TEST_F(PlainFileLayerTest, LongPathsAreCutAt2047Characters) {
  FileLayer& layer = fileLayer();
  layer.setDirectory(std::string(3000, 'd').c_str());
  EXPECT_EQ(layer.directory().size(), 2047u);
  EXPECT_EQ(layer.absolutePath("x").size(), 2047u);
}

TEST_F(PlainFileLayerTest, HandleOperations) {
  std::string path = folder.write("lines.txt", "one\ntwo\n");
  TkFilePtr file = openFile(path.c_str(), "rb");
  ASSERT_TRUE(file);
  char line[16];
  ASSERT_NE(file->readLine(line, sizeof line), nullptr);
  EXPECT_STREQ(line, "one\n");
  EXPECT_EQ(file->tell(), 4);
  EXPECT_EQ(file->readChar(), 't');
  EXPECT_EQ(file->seek(0, 2), 0);
  EXPECT_EQ(file->tell(), 8);
  EXPECT_EQ(file->readChar(), -1);
  EXPECT_EQ(file->seek(-3, 1), 0);
  char rest[4] = {};
  EXPECT_EQ(file->read(rest, 1, 3), 3u);
  EXPECT_STREQ(rest, "wo\n");
  EXPECT_EQ(file->readLine(line, sizeof line), nullptr);
  EXPECT_FALSE(openFile((folder.path() + "/missing").c_str()));
}

TEST_F(PlainFileLayerTest, ResolverSearchesFoldersThenTheBaseDirectory) {
  fileLayer().setDirectory(folder.path().c_str());
  folder.write("shadersPP/Gamma.hlsl", "g");
  EXPECT_EQ(resolveFile("Gamma.hlsl"), "shadersPP/Gamma.hlsl");
  folder.write("shaders/Gamma.hlsl", "g");
  EXPECT_EQ(resolveFile("Gamma.hlsl"), "shaders/Gamma.hlsl");
  EXPECT_EQ(resolveFile("nowhere.hlsl"), "nowhere.hlsl");

  test::TempFolder base;
  base.write("top.ini", "t");
  base.write("textures/wood.png", "w");
  setBaseDirectory(base.path().c_str());
  EXPECT_EQ(resolveFile("top.ini"), base.path() + "/top.ini");
  EXPECT_EQ(resolveFile("wood.png"), base.path() + "/textures/wood.png");
}

}  // namespace
}  // namespace tk
