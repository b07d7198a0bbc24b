#include <algorithm>
#include <cstring>
#include <string>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "tf/tf_load.h"
#include "tf/tf_load_bytes.h"

namespace tk {
namespace {

// Reads a file into its buffer in blocks, as far as the parser has asked for.
class FileSource : public TfByteSource {
 public:
  FileSource(TkFilePtr file, uint8_t* buffer, size_t size) : file_(std::move(file)), buffer_(buffer), size_(size) {}

  void ensure(size_t end) override {
    end = std::min(size_, std::max(end, std::min(size_, available_ + kBlock)));
    while (available_ < end) {
      size_t got = failed_ ? 0 : file_->read(buffer_ + available_, 1, end - available_);
      if (got == 0) {
        // The file ended early or failed: the rest reads as zeros and the load fails.
        failed_ = true;
        std::memset(buffer_ + available_, 0, end - available_);
        got = end - available_;
      }
      available_ += got;
    }
  }
  size_t available() const override { return available_; }
  bool failed() const override { return failed_; }

 private:
  static constexpr size_t kBlock = 256 * 1024;
  TkFilePtr file_;
  uint8_t* buffer_;
  size_t size_;
  size_t available_ = 0;
  bool failed_ = false;
};

// The binary encoding counts its bytes in 32 bits, and no text scene comes
// near that size: a file layer that answers more (a folder opened as a file
// answers the largest offset there is) has no TF file to give.
constexpr long kLargestTfFile = 0xFFFFFFFFL + 8;

long fileSize(TkFile& file) {
  long size = -1;
  if (file.seek(0, 2) == 0) size = file.tell();
  return size >= 0 && file.seek(0, 0) == 0 ? size : -1;
}

bool plausibleSize(long size) {
  if (size <= kLargestTfFile) return true;
  print("Error, a size of %ld bytes is beyond any TF file", size);
  return false;
}

}  // namespace

bool tfReadFileBytes(const char* path, TfFileBytes* out) {
  TkFilePtr file = openFile(path, "rb");
  if (!file) return false;
  long size = fileSize(*file);
  if (!plausibleSize(size)) return false;
  if (size >= 0) {
    out->bytes = tfPaddedBuffer(static_cast<size_t>(size));
    out->size = file->read(out->bytes.get(), 1, static_cast<size_t>(size));
    return out->size == static_cast<size_t>(size);
  }
  std::string contents;
  if (!readWholeFile(path, &contents)) return false;
  out->bytes = tfPaddedBuffer(contents.size());
  std::memcpy(out->bytes.get(), contents.data(), contents.size());
  out->size = contents.size();
  return true;
}

TF_Doc* TF_Load(const char* path) {
  if (!path) return nullptr;
  TkFilePtr file = openFile(path, "rb");
  if (!file) return nullptr;
  long size = fileSize(*file);
  if (!plausibleSize(size)) return nullptr;
  if (size < 0) {
    // No size to be had: read it whole first.
    TfFileBytes whole;
    if (!tfReadFileBytes(path, &whole)) return nullptr;
    const uint8_t* bytes = whole.bytes.get();
    return tfLoadBytes(bytes, whole.size, std::move(whole.bytes));
  }
  std::unique_ptr<uint8_t[]> buffer = tfPaddedBuffer(static_cast<size_t>(size));
  uint8_t* bytes = buffer.get();
  FileSource source(std::move(file), bytes, static_cast<size_t>(size));
  return tfLoadBytes(bytes, static_cast<size_t>(size), std::move(buffer), &source);
}

}  // namespace tk
