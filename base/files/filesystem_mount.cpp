#include "base/files/filesystem_mount.h"

#include <irrlicht.h>

#include <string>

#include "base/files/disk_file_archive.h"
#include "base/files/file_layer.h"
#include "base/files/zip_archive.h"
#include "base/files/zip_file_archive.h"
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

// Archives are read by the engine's own ZIP reader (checked reads, names
// written on Windows), searched before the disk.
bool mountZip(irr::io::IFileSystem* fs, std::unique_ptr<ZipArchive> zip, const std::string& name) {
  if (!zip) return false;
  return mountArchiveBeforeDisk(fs, makeZipFileArchive(std::move(zip), name, fs));
}

int mountArchiveFile(irr::io::IFileSystem* fs) {
  log(LOG_INFO, "setup filesystem irrzip");
  const std::string& path = mount().archivePath;
  if (!mountZip(fs, ZipArchive::fromFile(path.c_str()), fs->getAbsolutePath(path.c_str()).c_str())) {
    logError("tkSetupFilesystem: Failed addFileArchive '%s'", path.c_str());
    return -1;
  }
  return 0;
}

int mountArchiveMemory(irr::io::IFileSystem* fs) {
  if (!mount().block) {
    logError("tkSetupFilesystem: Failed to create file from memory");
    return -1;
  }
  if (!mountZip(fs, ZipArchive::fromMemory(mount().block, mount().size), "MyRscFile")) {
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
