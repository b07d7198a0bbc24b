#include "base/files/display_read_files.h"

#include <algorithm>
#include <climits>

namespace tk {
namespace {

class BufferReadFile : public irr::io::IReadFile {
 public:
  BufferReadFile(std::string bytes, const std::string& name) : bytes_(std::move(bytes)), name_(name.c_str()) {}
  irr::s32 read(void* buffer, irr::u32 sizeToRead) override {
    size_t count = std::min<size_t>(sizeToRead, bytes_.size() - position_);
    count = std::min<size_t>(count, INT_MAX);
    std::copy_n(bytes_.data() + position_, count, static_cast<char*>(buffer));
    position_ += count;
    return static_cast<irr::s32>(count);
  }
  bool seek(long finalPos, bool relativeMovement) override {
    long target = relativeMovement ? static_cast<long>(position_) + finalPos : finalPos;
    if (target < 0 || static_cast<size_t>(target) > bytes_.size()) return false;
    position_ = static_cast<size_t>(target);
    return true;
  }
  long getSize() const override { return static_cast<long>(bytes_.size()); }
  long getPos() const override { return static_cast<long>(position_); }
  const irr::io::path& getFileName() const override { return name_; }

 private:
  std::string bytes_;
  size_t position_ = 0;
  irr::io::path name_;
};

class DiskReadFile : public irr::io::IReadFile {
 public:
  DiskReadFile(FILE* file, const std::string& name) : file_(file), name_(name.c_str()) {
    if (fseek(file_, 0, SEEK_END) == 0) size_ = std::max(0L, ftell(file_));
    fseek(file_, 0, SEEK_SET);
  }
  ~DiskReadFile() override { fclose(file_); }
  irr::s32 read(void* buffer, irr::u32 sizeToRead) override {
    return static_cast<irr::s32>(fread(buffer, 1, std::min<size_t>(sizeToRead, INT_MAX), file_));
  }
  bool seek(long finalPos, bool relativeMovement) override {
    return fseek(file_, finalPos, relativeMovement ? SEEK_CUR : SEEK_SET) == 0;
  }
  long getSize() const override { return size_; }
  long getPos() const override { return ftell(file_); }
  const irr::io::path& getFileName() const override { return name_; }

 private:
  FILE* file_;
  long size_ = 0;
  irr::io::path name_;
};

}  // namespace

irr::io::IReadFile* makeBufferReadFile(std::string bytes, const std::string& name) {
  return new BufferReadFile(std::move(bytes), name);
}

irr::io::IReadFile* makeDiskReadFile(FILE* file, const std::string& name) { return new DiskReadFile(file, name); }

}  // namespace tk
