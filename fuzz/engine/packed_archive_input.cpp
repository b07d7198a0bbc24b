#include <irrlicht.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "base/files/content_names.h"
#include "base/files/file_layer.h"
#include "base/files/filesystem_mount.h"
#include "fuzz/engine/fuzz_inputs.h"
#include "packaging/packed_archive_reader.h"
#include "render/engine.h"
#include "startup/sys_setup.h"

namespace tk::fuzz {
namespace {

// Reading members inflates them; a few hundred members of a small input could
// each inflate to megabytes, so only the first ones are read whole.
constexpr size_t kMembersRead = 32;

// The names a member is asked for: as stored, and as content written on
// Windows would name it.
std::string windowsNameOf(std::string name) {
  std::replace(name.begin(), name.end(), '/', '\\');
  std::transform(name.begin(), name.end(), name.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
  return name;
}

void readThroughTheEngine(const std::vector<ArchiveMember>& members) {
  irr::io::IFileSystem* fs = tkEngine().device->getFileSystem();
  std::string contents;
  for (size_t i = 0; i < members.size() && i < kMembersRead; ++i) {
    for (const std::string& name : {members[i].name, windowsNameOf(members[i].name)}) {
      readWholeFile(name.c_str(), &contents);
      fileLayer().folderExists(fileLayer().directoryPart(name.c_str()).c_str());
      fileLayer().foundPath(name.c_str());
      if (irr::io::IReadFile* file = fs->createAndOpenFile(name.c_str())) {
        char block[4096];
        while (file->read(block, sizeof block) > 0) {
        }
        file->drop();
      }
    }
  }
  // The display library's own view: its listing of every mounted archive.
  for (irr::u32 a = 0; a < fs->getFileArchiveCount(); ++a) {
    const irr::io::IFileList* list = fs->getFileArchive(a)->getFileList();
    for (irr::u32 i = 0; i < list->getFileCount(); ++i) list->findFile(list->getFullFileName(i), list->isDirectory(i));
  }
}

}  // namespace

int packedArchive(const uint8_t* data, size_t size) {
  prepareProcess();
  // Kept alive while mounted: the archive reads from these bytes.
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  MemoryArchive archive;
  if (!archive.open(bytes)) return 0;
  const std::vector<ArchiveMember> members = archive.members();
  std::string contents;
  for (size_t i = 0; i < members.size() && i < kMembersRead; ++i) archive.read(members[i].name, &contents);

  tkSetupFilesystem(bytes.data(), FS_ARCHIVE_MEMORY, bytes.size());
  SysSetup setup;
  if (tkSysSetup(setup) == 0) {
    readThroughTheEngine(members);
    tkSysShutdown();
  }
  tkSetupFilesystem(nullptr, FS_PLAIN, 0);
  return 0;
}

}  // namespace tk::fuzz
