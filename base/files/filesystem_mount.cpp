#include "base/files/filesystem_mount.h"

#include <irrlicht.h>

#include <string>

#include "base/files/file_layer.h"
#include "base/log.h"

namespace tk {
namespace {

struct MountState {
  int mode = FS_PLAIN;
  std::string archivePath;
  const void* block = nullptr;
  size_t size = 0;
  // The device whose file system the mode is mounted on, while one exists.
  irr::IrrlichtDevice* device = nullptr;
};

MountState& mount() {
  static MountState s;
  return s;
}

int mountArchiveFile(irr::io::IFileSystem* fs) {
  log(LOG_INFO, "setup filesystem irrzip");
  if (!fs->addFileArchive(mount().archivePath.c_str(), true, false, irr::io::EFAT_ZIP)) {
    logError("tkSetupFilesystem: Failed addFileArchive '%s'", mount().archivePath.c_str());
    return -1;
  }
  return 0;
}

int mountArchiveMemory(irr::io::IFileSystem* fs) {
  irr::io::IReadFile* file = fs->createMemoryReadFile(const_cast<void*>(mount().block),
                                                      static_cast<irr::s32>(mount().size), "MyRscFile", false);
  if (!file) {
    logError("tkSetupFilesystem: Failed to create file from memory");
    return -1;
  }
  bool added = fs->addFileArchive(file, true, false, irr::io::EFAT_ZIP);
  file->drop();
  if (!added) {
    logError("tkSetupFilesystem: Failed addFileArchive from memory");
    return -1;
  }
  return 0;
}

}  // namespace

int fileSystemMode() { return mount().mode; }

int mountFileSystemOnDevice(irr::IrrlichtDevice* device) {
  mount().device = device;
  irr::io::IFileSystem* fs = device->getFileSystem();
  installDeviceFileLayer(fs);
  switch (mount().mode) {
    case FS_ARCHIVE_FILE: return mountArchiveFile(fs);
    case FS_ARCHIVE_MEMORY: return mountArchiveMemory(fs);
    default: log(LOG_INFO, "setup filesystem irrstd"); return 0;
  }
}

void unmountFileSystem() {
  mount().device = nullptr;
  installPlainFileLayer();
}

int tkSetupFilesystem(const void* source, int mode, size_t size) {
  MountState& m = mount();
  m.mode = mode;
  m.archivePath = (mode == FS_ARCHIVE_FILE && source) ? static_cast<const char*>(source) : "";
  m.block = mode == FS_ARCHIVE_MEMORY ? source : nullptr;
  m.size = mode == FS_ARCHIVE_MEMORY ? size : 0;
  irr::IrrlichtDevice* device = m.device;
  if (!device) {
    installPlainFileLayer();
    log(LOG_INFO, "setup filesystem stdio");
    return 0;
  }
  return mountFileSystemOnDevice(device);
}

}  // namespace tk
