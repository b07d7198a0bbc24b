#include <cstring>
#include <string>

#include "app/files/file_layer.h"
#include "scene/tf/tf_load.h"
#include "scene/tf/tf_load_bytes.h"

namespace tk {

// One allocation of the file's size and one read when the size is known;
// block by block otherwise.
bool tfReadFileBytes(const char* path, TfFileBytes* out) {
  TkFilePtr file = openFile(path, "rb");
  if (!file) return false;
  long size = -1;
  if (file->seek(0, 2) == 0) size = file->tell();
  if (size >= 0 && file->seek(0, 0) == 0) {
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
  TfFileBytes file;
  if (!path || !tfReadFileBytes(path, &file)) return nullptr;
  const uint8_t* bytes = file.bytes.get();
  return tfLoadBytes(bytes, file.size, std::move(file.bytes));
}

}  // namespace tk
