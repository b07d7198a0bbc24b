#include "tf/tf_load.h"

#include <algorithm>
#include <cstring>

#include "base/log.h"
#include "tf/tf_binary_parser.h"
#include "tf/tf_load_bytes.h"
#include "tf/tf_text_parser.h"

namespace tk {
namespace {

enum class Encoding { Binary, Text, Invalid };

constexpr size_t kHeaderSize = 12;

uint32_t readBigEndian(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) << 24 | static_cast<uint32_t>(at[1]) << 16 |
         static_cast<uint32_t>(at[2]) << 8 | at[3];
}

Encoding detectEncoding(const uint8_t* bytes, size_t size) {
  if (size < kHeaderSize) {
    print("Error, file size < 12 bytes");
    return Encoding::Invalid;
  }
  if (std::memcmp(bytes, "FORM", 4) == 0 && std::memcmp(bytes + 8, "TSKF", 4) == 0) {
    if (static_cast<uint64_t>(readBigEndian(bytes + 4)) + 8 == size) return Encoding::Binary;
    print("Error, TF binary FORM size mismatch file size");
    return Encoding::Invalid;
  }
  for (size_t i = 0; i < kHeaderSize; ++i) {
    if (bytes[i] < 9) {
      print("Error, file is not TF format");
      return Encoding::Invalid;
    }
  }
  return Encoding::Text;
}

TF_Doc* parseText(const uint8_t* bytes, size_t size) {
  std::unique_ptr<TF_Doc> doc(new TF_Doc);
  doc->encoding = 1;
  TfTreeBuilder builder;
  const char* text = reinterpret_cast<const char*>(bytes);
  if (!parseTfText(text, text + size, builder, doc->textStorage)) return nullptr;
  builder.compactInto(doc.get());
  return doc.release();
}

TF_Doc* parseBinary(std::unique_ptr<uint8_t[]> bytes, size_t size, TfByteSource* source) {
  std::unique_ptr<TF_Doc> doc(new TF_Doc);
  doc->encoding = 0;
  TfTreeBuilder builder;
  if (!parseTfBinary(bytes.get(), size, builder, source)) return nullptr;
  builder.compactInto(doc.get());
  doc->buffer = std::move(bytes);
  doc->bufferSize = size;
  return doc.release();
}

}  // namespace

std::unique_ptr<uint8_t[]> tfPaddedBuffer(size_t size) {
  std::unique_ptr<uint8_t[]> bytes(new uint8_t[size + kTfBinaryPadding]);
  std::memset(bytes.get() + size, 0, kTfBinaryPadding);
  return bytes;
}

TF_Doc* tfLoadBytes(const uint8_t* bytes, size_t size, std::unique_ptr<uint8_t[]> owned, TfByteSource* source) {
  if (size == 0) return nullptr;
  if (source) source->ensure(std::min(size, kHeaderSize));
  TfDocPtr doc;
  switch (detectEncoding(bytes, size)) {
    case Encoding::Text:
      if (source) source->ensure(size);
      doc.reset(parseText(bytes, size));
      break;
    case Encoding::Binary:
      if (!owned) {
        owned = tfPaddedBuffer(size);
        std::memcpy(owned.get(), bytes, size);
      }
      doc.reset(parseBinary(std::move(owned), size, source));
      break;
    case Encoding::Invalid: print("Error, Not a TF file"); return nullptr;
  }
  if (source && source->failed()) {
    print("Error, the file could not be read whole");
    return nullptr;
  }
  return doc.release();
}

TF_Doc* TF_LoadMemory(const void* bytes, size_t size) {
  return tfLoadBytes(static_cast<const uint8_t*>(bytes), size, nullptr);
}

void TF_Free(TF_Doc* doc) { delete doc; }

}  // namespace tk
