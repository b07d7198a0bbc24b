#include "base/files/device_file_layer.h"

#include <irrlicht.h>

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

}  // namespace

DeviceFileLayer::DeviceFileLayer(irr::io::IFileSystem* fileSystem) : fileSystem_(fileSystem) {
  fileSystem_->grab();
}

DeviceFileLayer::~DeviceFileLayer() { fileSystem_->drop(); }

std::string DeviceFileLayer::directory() {
  std::string current = PlainFileLayer::directory();
  return current.empty() ? fileSystem_->getWorkingDirectory().c_str() : current;
}

std::string DeviceFileLayer::workingDirectory() { return fileSystem_->getWorkingDirectory().c_str(); }

TkFilePtr DeviceFileLayer::open(const char* name, const char*) {
  irr::io::IReadFile* file = fileSystem_->createAndOpenFile(absolutePath(name).c_str());
  if (!file) return nullptr;
  return std::make_unique<DeviceFile>(file);
}

}  // namespace tk
