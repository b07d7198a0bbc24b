// Only regular files open: a folder, a named pipe or a device is refused at
// once, by the plain file layer, the file layer on the display library's file
// system and the display library's own lookups alike.
#include "base/files/regular_file.h"

#include <gtest/gtest.h>
#include <irrlicht.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "base/files/file_layer.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

struct Entry {
  const char* what;
  std::function<std::string(const test::TempFolder&)> make;  // returns the path
  int errnoWhenRefused;                                       // 0: it opens
};

const Entry kEntries[] = {
    {"regular file", [](const test::TempFolder& f) { return f.write("scene.tscn", "{ Scene\n}\n"); }, 0},
    {"empty file", [](const test::TempFolder& f) { return f.write("empty.tscn", ""); }, 0},
    {"link to a file",
     [](const test::TempFolder& f) {
       std::string target = f.write("real.tscn", "x");
       std::filesystem::create_symlink(target, f.path() + "/link.tscn");
       return f.path() + "/link.tscn";
     },
     0},
    {"folder",
     [](const test::TempFolder& f) {
       std::filesystem::create_directories(f.path() + "/folder.tscn");
       return f.path() + "/folder.tscn";
     },
     EISDIR},
    {"link to a folder",
     [](const test::TempFolder& f) {
       std::filesystem::create_directories(f.path() + "/dir");
       std::filesystem::create_directory_symlink(f.path() + "/dir", f.path() + "/dirlink.tscn");
       return f.path() + "/dirlink.tscn";
     },
     EISDIR},
    // Opening a pipe for reading would wait for a writer forever.
    {"named pipe",
     [](const test::TempFolder& f) {
       std::string path = f.path() + "/pipe.tscn";
       mkfifo(path.c_str(), 0600);
       return path;
     },
     EINVAL},
    {"device", [](const test::TempFolder&) { return std::string("/dev/null"); }, EINVAL},
    {"missing", [](const test::TempFolder& f) { return f.path() + "/missing.tscn"; }, ENOENT},
};

TEST(RegularFileTest, OnlyRegularFilesOpen) {
  for (const Entry& entry : kEntries) {
    test::TempFolder folder;
    const std::string path = entry.make(folder);
    errno = 0;
    FILE* file = openRegularFile(path.c_str());
    if (entry.errnoWhenRefused == 0) {
      EXPECT_TRUE(file) << entry.what;
      EXPECT_EQ(diskEntryOf(path.c_str()), DiskEntry::RegularFile) << entry.what;
    } else {
      EXPECT_FALSE(file) << entry.what;
      EXPECT_EQ(errno, entry.errnoWhenRefused) << entry.what;
    }
    if (file) fclose(file);
  }
}

// The same entries through every way the engine opens files.
class FileLayerRefusalTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) {
      device_ = irr::createDevice(irr::video::EDT_NULL);
      ASSERT_TRUE(device_);
      installDeviceFileLayer(device_->getFileSystem());
    } else {
      installPlainFileLayer();
    }
  }
  void TearDown() override {
    installPlainFileLayer();
    if (device_) device_->drop();
  }
  irr::IrrlichtDevice* device_ = nullptr;
};

TEST_P(FileLayerRefusalTest, OnlyRegularFilesOpenAndExist) {
  for (const Entry& entry : kEntries) {
    test::TempFolder folder;
    const std::string path = entry.make(folder);
    const bool opens = entry.errnoWhenRefused == 0;
    EXPECT_EQ(openFile(path.c_str()) != nullptr, opens) << entry.what;
    EXPECT_EQ(fileExists(path.c_str()), opens) << entry.what;
    std::string contents;
    EXPECT_EQ(readWholeFile(path.c_str(), &contents), opens) << entry.what;
    EXPECT_EQ(fileLayer().foundPath(path.c_str()).empty(), !opens) << entry.what;
  }
}

INSTANTIATE_TEST_SUITE_P(PlainAndDevice, FileLayerRefusalTest, ::testing::Bool());

// The display library opens meshes and textures itself: what is not a regular
// file reads there as an empty file (which its loaders refuse) instead of a
// folder of 2^63 bytes or a pipe that never answers.
TEST(DisplayLibraryLookupTest, WhatIsNoRegularFileReadsAsEmpty) {
  irr::IrrlichtDevice* device = irr::createDevice(irr::video::EDT_NULL);
  ASSERT_TRUE(device);
  installDeviceFileLayer(device->getFileSystem());
  for (const Entry& entry : kEntries) {
    if (entry.errnoWhenRefused == ENOENT) continue;
    test::TempFolder folder;
    const std::string path = entry.make(folder);
    irr::io::IReadFile* file = device->getFileSystem()->createAndOpenFile(path.c_str());
    ASSERT_TRUE(file) << entry.what;
    if (entry.errnoWhenRefused != 0) {
      EXPECT_EQ(file->getSize(), 0) << entry.what;
    }
    char byte;
    EXPECT_EQ(file->read(&byte, 1), entry.errnoWhenRefused == 0 && file->getSize() > 0 ? 1 : 0) << entry.what;
    file->drop();
  }
  installPlainFileLayer();
  device->drop();
}

}  // namespace
}  // namespace tk
