#pragma once
// The display library's file system: archives mounted on it are searched.

#include "app/files/file_layer.h"

namespace tk {

class DeviceFileLayer : public FileLayer {
 public:
  explicit DeviceFileLayer(irr::io::IFileSystem* fileSystem);
  ~DeviceFileLayer() override;
  TkFilePtr open(const char* name, const char* mode) override;
  void setDirectory(const char* path) override;
  void extendDirectory(const char* relativePath) override;
  std::string directory() override;
  std::string directoryPart(const char* name) override;
  std::string baseName(const char* name, bool keepExtension) override;
  std::string absolutePath(const char* name) override;

 private:
  irr::io::IFileSystem* fileSystem_;
};

}  // namespace tk
