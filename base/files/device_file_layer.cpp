#include "base/files/device_file_layer.h"

#include <irrlicht.h>

#include "base/files/disk_file_archive.h"

namespace tk {
namespace {

class DeviceFile : public TkFile {
 public:
  explicit DeviceFile(irr::io::IReadFile* file) : file_(file) {}
  ~DeviceFile() override { file_->drop(); }
  int seek(long offset, int origin) override {
    switch (origin) {
      case 0: return file_->seek(offset, false) ? 0 : -1;
      case 1: return file_->seek(offset, true) ? 0 : -1;
      case 2: return file_->seek(file_->getSize() + offset, false) ? 0 : -1;
      default: return -1;
    }
  }
  size_t read(void* buffer, size_t elementSize, size_t count) override {
    if (elementSize == 0 || count == 0) return 0;
    irr::s32 got = file_->read(buffer, static_cast<irr::u32>(elementSize * count));
    return got > 0 ? static_cast<size_t>(got) / elementSize : 0;
  }
  int readChar() override {
    unsigned char c;
    return file_->read(&c, 1) == 1 ? c : -1;
  }
  char* readLine(char* buffer, int size) override {
    if (size <= 0) return nullptr;
    int n = 0;
    while (n < size - 1) {
      int c = readChar();
      if (c < 0) break;
      buffer[n++] = static_cast<char>(c);
      if (c == '\n') break;
    }
    buffer[n] = 0;
    return n > 0 ? buffer : nullptr;
  }
  long tell() override { return file_->getPos(); }

 private:
  irr::io::IReadFile* file_;
};

// The archives mounted on the file system, in their search order, without
// the disk lookup: the layer opens disk files itself.
template <typename Visit>
bool anyArchive(irr::io::IFileSystem* fileSystem, Visit visit) {
  for (irr::u32 i = 0; i < fileSystem->getFileArchiveCount(); ++i) {
    irr::io::IFileArchive* archive = fileSystem->getFileArchive(i);
    if (!isDiskLookup(archive) && visit(archive)) return true;
  }
  return false;
}

}  // namespace

DeviceFileLayer::DeviceFileLayer(irr::io::IFileSystem* fileSystem) : fileSystem_(fileSystem) {
  fileSystem_->grab();
  mountDiskLookup(fileSystem_);
}

DeviceFileLayer::~DeviceFileLayer() { fileSystem_->drop(); }

std::string DeviceFileLayer::directory() {
  std::string current = PlainFileLayer::directory();
  return current.empty() ? fileSystem_->getWorkingDirectory().c_str() : current;
}

std::string DeviceFileLayer::workingDirectory() { return fileSystem_->getWorkingDirectory().c_str(); }

TkFilePtr DeviceFileLayer::open(const char* name, const char*) {
  const std::string path = absolutePath(name);
  irr::io::IReadFile* file = nullptr;
  anyArchive(fileSystem_, [&](irr::io::IFileArchive* archive) {
    file = archive->createAndOpenFile(path.c_str());
    return file != nullptr;
  });
  if (file) return std::make_unique<DeviceFile>(file);
  return openDiskFile(path);
}

std::string DeviceFileLayer::foundPath(const char* name) {
  const std::string path = absolutePath(name);
  if (anyArchive(fileSystem_, [&](irr::io::IFileArchive* a) { return a->getFileList()->findFile(path.c_str()) >= 0; }))
    return name;
  return PlainFileLayer::foundPath(name);
}

bool DeviceFileLayer::folderExists(const char* path) {
  if (path && *path &&
      anyArchive(fileSystem_, [&](irr::io::IFileArchive* a) { return a->getFileList()->findFile(path, true) >= 0; }))
    return true;
  return PlainFileLayer::folderExists(path);
}

}  // namespace tk
