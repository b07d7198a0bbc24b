// Names written on Windows: "\" separates folders and, when the exact name
// does not exist, each part matches without regard to case. Exact names win.
#include "base/files/content_names.h"

#include <gtest/gtest.h>
#include <irrlicht.h>
#include <unistd.h>

#include "base/files/file_layer.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

class ContentNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.write("Meshes/torus.obj", "lower");
    folder.write("data/shader/variable.inc", "inc");
    folder.write("exact/Torus.obj", "upper T");
    folder.write("exact/torus.obj", "lower t");
    folder.write("literal/a\\b.txt", "a file whose name holds a backslash");
    folder.write("Mixed/Case/File.TXT", "mixed");
  }
  std::string in(const std::string& relative) const { return folder.path() + "/" + relative; }
  test::TempFolder folder;
};

TEST_F(ContentNamesTest, FindsWhatTheNameStandsFor) {
  struct Case {
    const char* name;
    const char* found;  // relative to the folder; "" for nothing
  } cases[] = {
      {"Meshes/torus.obj", "Meshes/torus.obj"},
      {"Meshes\\TORUS.OBJ", "Meshes/torus.obj"},
      {"meshes/Torus.Obj", "Meshes/torus.obj"},
      {"DATA\\Shader\\Variable.inc", "data/shader/variable.inc"},
      {"data\\shader\\VARIABLE.INC", "data/shader/variable.inc"},
      {"exact/Torus.obj", "exact/Torus.obj"},  // exact names win over other cases
      {"exact/torus.obj", "exact/torus.obj"},
      {"exact/TORUS.OBJ", "exact/Torus.obj"},  // several fit: the first in byte order
      {"EXACT\\torus.obj", "exact/torus.obj"}, // each part exact where it can be
      {"literal/a\\b.txt", "literal/a\\b.txt"},
      {"mixed/case/file.txt", "Mixed/Case/File.TXT"},
      {"Mixed/./Case/../Case/File.TXT", "Mixed/./Case/../Case/File.TXT"},
      {"Meshes\\missing.obj", ""},
      {"nowhere/torus.obj", ""},
      {"Meshes/torus.obj/more", ""},
  };
  for (const Case& c : cases) {
    const std::string expected = *c.found ? in(c.found) : "";
    EXPECT_EQ(findOnDisk(in(c.name)), expected) << c.name;
  }
  EXPECT_EQ(findOnDisk(""), "");
}

TEST_F(ContentNamesTest, RelativeNamesStartAtTheWorkingDirectory) {
  char saved[4096];
  ASSERT_TRUE(getcwd(saved, sizeof saved));
  ASSERT_EQ(chdir(folder.path().c_str()), 0);
  EXPECT_EQ(findOnDisk("MESHES\\torus.obj"), "Meshes/torus.obj");
  EXPECT_EQ(findOnDisk("./meshes/TORUS.obj"), "./Meshes/torus.obj");
  ASSERT_EQ(chdir(saved), 0);
}

// Every way of opening a file follows the rule: the plain layer, the layer on
// the display library's file system, and the display library's own lookups
// (meshes, material libraries, textures).
class ContentNamesLayerTest : public ContentNamesTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    ContentNamesTest::SetUp();
    if (GetParam()) {
      device_ = irr::createDevice(irr::video::EDT_NULL);
      ASSERT_TRUE(device_);
      installDeviceFileLayer(device_->getFileSystem());
    } else {
      installPlainFileLayer();
    }
    fileLayer().setDirectory(folder.path().c_str());
  }
  void TearDown() override {
    installPlainFileLayer();
    if (device_) device_->drop();
  }
  irr::IrrlichtDevice* device_ = nullptr;
};

TEST_P(ContentNamesLayerTest, OpensNamesWrittenOnWindows) {
  std::string contents;
  ASSERT_TRUE(readWholeFile("Meshes\\TORUS.OBJ", &contents));
  EXPECT_EQ(contents, "lower");
  ASSERT_TRUE(readWholeFile("EXACT/Torus.obj", &contents));
  EXPECT_EQ(contents, "upper T");
  EXPECT_TRUE(fileExists("data\\SHADER\\variable.INC"));
  EXPECT_FALSE(fileExists("Meshes\\cube.obj"));
  EXPECT_EQ(fileLayer().foundPath("meshes\\torus.OBJ"), in("Meshes/torus.obj"));
  EXPECT_TRUE(fileLayer().folderExists(in("DATA\\Shader").c_str()));
  EXPECT_FALSE(fileLayer().folderExists(in("Meshes\\torus.obj").c_str()));
  EXPECT_FALSE(fileLayer().folderExists(in("Nowhere").c_str()));
}

INSTANTIATE_TEST_SUITE_P(PlainAndDevice, ContentNamesLayerTest, ::testing::Bool());

TEST_F(ContentNamesTest, TheDisplayLibraryFindsThemToo) {
  irr::IrrlichtDevice* device = irr::createDevice(irr::video::EDT_NULL);
  ASSERT_TRUE(device);
  installDeviceFileLayer(device->getFileSystem());
  irr::io::IFileSystem* fs = device->getFileSystem();
  const std::string name = in("Meshes\\TORUS.OBJ");
  EXPECT_TRUE(fs->existFile(name.c_str()));
  irr::io::IReadFile* file = fs->createAndOpenFile(name.c_str());
  ASSERT_TRUE(file);
  EXPECT_EQ(file->getSize(), 5);
  // Named by the file found, so that names relative to it (material libraries,
  // textures) are looked up beside it.
  EXPECT_EQ(std::string(file->getFileName().c_str()), in("Meshes/torus.obj"));
  file->drop();
  // The library first opens a missing texture under its "absolute path",
  // which stops at the first missing folder (".../MESHES"): a folder matched
  // by case alone must leave it to go on to the name as written.
  irr::video::IVideoDriver* driver = device->getVideoDriver();
  irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, {2, 2});
  ASSERT_TRUE(driver->writeImageToFile(image, in("Meshes/wood.bmp").c_str()));
  image->drop();
  EXPECT_TRUE(driver->getTexture(in("MESHES/WOOD.BMP").c_str()));
  installPlainFileLayer();
  device->drop();
}

}  // namespace
}  // namespace tk
