#pragma once
// The display library's file system: archives mounted on it are searched
// first, then the disk. Names are taken relative to the layer's own current
// folder, as in the plain layer, so that a folder inside a mounted archive can
// be current too (the display library looks archive members up by their path
// from the archive's root, whatever its working directory).

#include "base/files/plain_file_layer.h"

namespace tk {

class DeviceFileLayer : public PlainFileLayer {
 public:
  // Also mounts the disk lookup of base/files/disk_file_archive.h on the file
  // system, so that the display library's own lookups follow the same rules.
  explicit DeviceFileLayer(irr::io::IFileSystem* fileSystem);
  ~DeviceFileLayer() override;
  TkFilePtr open(const char* name, const char* mode) override;
  std::string foundPath(const char* name) override;
  bool folderExists(const char* path) override;
  // The current folder; until one is set, the process's working directory.
  std::string directory() override;

 protected:
  std::string workingDirectory() override;

 private:
  irr::io::IFileSystem* fileSystem_;
};

}  // namespace tk
