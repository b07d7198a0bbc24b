#pragma once
// Reading TF files in either encoding, told apart by their first 12 bytes.

#include <cstddef>
#include <memory>

#include "tf/tf_doc.h"

namespace tk {

// Reads the file whole through the engine file layer (so files inside a mounted
// archive are found) and parses it. None on any failure; a message has then been
// printed, except when the file could not be read or is empty.
TF_Doc* TF_Load(const char* path);

// The same from bytes in memory (the bytes are copied where the tree needs them).
TF_Doc* TF_LoadMemory(const void* bytes, size_t size);

void TF_Free(TF_Doc* doc);

// Owns a document and frees it with TF_Free.
struct TfDocDeleter {
  void operator()(TF_Doc* doc) const { TF_Free(doc); }
};
using TfDocPtr = std::unique_ptr<TF_Doc, TfDocDeleter>;

}  // namespace tk
