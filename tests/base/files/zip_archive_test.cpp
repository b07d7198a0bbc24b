// Archives read by the engine: members found under the names rule, every
// member checked against its CRC when read, on its own and mounted on the
// display library's file system.
#include "base/files/zip_archive.h"

#include <gtest/gtest.h>
#include <irrlicht.h>

#include "base/files/file_layer.h"
#include "base/files/filesystem_mount.h"
#include "base/log.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/zip_builder.h"

namespace tk {
namespace {

constexpr const char* kGoodText = "a member that stays whole";
constexpr const char* kDamagedText = "a member whose bytes are damaged in the archive";

// A stored archive with one member's bytes changed after the CRC was taken.
std::string archiveWithDamage() {
  std::string bytes = test::makeZip({{"Good.txt", kGoodText}, {"Scenes/Damaged.tscn", kDamagedText}}, true);
  size_t at = bytes.find(kDamagedText);
  EXPECT_NE(at, std::string::npos);
  bytes[at + 5] ^= 0x20;
  return bytes;
}

TEST(ZipArchiveTest, MembersAreFoundUnderTheNamesRule) {
  const std::string bytes = test::makeZip({{"Data/Scene.TXT", "upper"}, {"data/scene.txt", "lower"}, {"Maps/", ""}});
  std::unique_ptr<ZipArchive> zip = ZipArchive::fromMemory(bytes.data(), bytes.size());
  ASSERT_TRUE(zip);
  auto nameOf = [&](const char* name) {
    long index = zip->find(name);
    return index < 0 ? std::string("-") : zip->members()[static_cast<size_t>(index)].name;
  };
  struct Case {
    const char* name;
    const char* member;
  } cases[] = {
      {"Data/Scene.TXT", "Data/Scene.TXT"}, {"data/scene.txt", "data/scene.txt"},  // exact names win
      {"Data\\Scene.TXT", "Data/Scene.TXT"}, {"DATA\\SCENE.TXT", "Data/Scene.TXT"}, {"Maps/", "Maps/"},
      {"Data/Other.txt", "-"},
  };
  for (const Case& c : cases) EXPECT_EQ(nameOf(c.name), c.member) << c.name;
  EXPECT_TRUE(zip->members()[static_cast<size_t>(zip->find("Maps/"))].isFolder);
  std::string contents;
  ASSERT_EQ(zip->read(static_cast<size_t>(zip->find("data\\SCENE.txt")), &contents), ZipArchive::Read::Ok);
  EXPECT_EQ(contents, "upper");
}

TEST(ZipArchiveTest, ADamagedMemberIsNeverReadAsGoodData) {
  const std::string bytes = archiveWithDamage();
  std::unique_ptr<ZipArchive> zip = ZipArchive::fromMemory(bytes.data(), bytes.size());
  ASSERT_TRUE(zip);
  std::string contents;
  EXPECT_EQ(zip->read(static_cast<size_t>(zip->find("Good.txt")), &contents), ZipArchive::Read::Ok);
  EXPECT_EQ(contents, kGoodText);
  EXPECT_EQ(zip->read(static_cast<size_t>(zip->find("Scenes/Damaged.tscn")), &contents), ZipArchive::Read::Damaged);
  EXPECT_EQ(contents, "");
}

TEST(ZipArchiveTest, WhatIsNoArchiveDoesNotOpen) {
  test::TempFolder folder;
  const std::string text = "no archive at all";
  EXPECT_FALSE(ZipArchive::fromMemory(text.data(), text.size()));
  EXPECT_FALSE(ZipArchive::fromMemory(text.data(), 0));
  EXPECT_FALSE(ZipArchive::fromFile(folder.write("empty.zip", "").c_str()));
  EXPECT_FALSE(ZipArchive::fromFile(folder.path().c_str()));  // a folder
  EXPECT_FALSE(ZipArchive::fromFile((folder.path() + "/missing.zip").c_str()));
  const std::string zip = test::makeZip({{"a.txt", "a"}});
  EXPECT_TRUE(ZipArchive::fromFile(folder.write("pack.zip", zip).c_str()));
}

// Mounted as a packed program's archive: the engine's readers and the display
// library's loaders both refuse the damaged member, which is reported by name.
TEST(MountedArchiveTest, ADamagedMemberIsReportedAndDoesNotOpen) {
  const std::string bytes = archiveWithDamage();
  ASSERT_EQ(tkSetupFilesystem(bytes.data(), FS_ARCHIVE_MEMORY, bytes.size()), 0);
  irr::IrrlichtDevice* device = irr::createDevice(irr::video::EDT_NULL);
  ASSERT_TRUE(device);
  const int threshold = logThreshold();
  setLogThreshold(LOG_INFO);
  test::CapturedStdout out;
  ASSERT_EQ(mountFileSystemOnDevice(device), 0);
  std::string contents;
  EXPECT_TRUE(readWholeFile("good.TXT", &contents));
  EXPECT_EQ(contents, kGoodText);
  EXPECT_FALSE(readWholeFile("Scenes\\Damaged.tscn", &contents));
  EXPECT_NE(out.take().find("ERROR : archive member 'Scenes/Damaged.tscn' is damaged"), std::string::npos);
  EXPECT_FALSE(device->getFileSystem()->createAndOpenFile("Scenes/Damaged.tscn"));
  EXPECT_NE(out.take().find("archive member 'Scenes/Damaged.tscn' is damaged"), std::string::npos);
  EXPECT_TRUE(fileLayer().folderExists("scenes"));
  setLogThreshold(threshold);
  unmountFileSystem();
  tkSetupFilesystem(nullptr, FS_PLAIN, 0);
  device->drop();
}

}  // namespace
}  // namespace tk
