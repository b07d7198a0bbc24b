#include "tf/tf_doc.h"

#include <algorithm>

#include "tf/tf_fpc.h"

namespace tk {
namespace {

constexpr size_t kArenaBlock = 256 * 1024;

size_t roundUpToWords(size_t bytes) { return (bytes + 7) & ~size_t{7}; }

}  // namespace

void* TfArena::allocate(size_t bytes) {
  bytes = roundUpToWords(std::max<size_t>(bytes, 1));
  if (bytes > left_) {
    // Large blocks get an allocation of their own, so the current block keeps its space.
    if (bytes > kArenaBlock / 4) {
      blocks_.emplace_back(new char[bytes]);
      return blocks_.back().get();
    }
    blocks_.emplace_back(new char[kArenaBlock]);
    next_ = blocks_.back().get();
    left_ = kArenaBlock;
  }
  void* at = next_;
  next_ += bytes;
  left_ -= bytes;
  return at;
}

char* TfArena::copyString(const char* text, size_t length) {
  char* copy = static_cast<char*>(allocate(length + 1));
  std::memcpy(copy, text, length);
  copy[length] = '\0';
  return copy;
}

const TF_Node* TF_Root(const TF_Doc* doc) { return doc ? doc->root : nullptr; }

const TF_Node* TF_Find(const TF_Node* record, const char* name) {
  if (!record || record->kind != TF_RECORD || !name) return nullptr;
  for (uint32_t i = 0; i < record->count; ++i)
    if (std::strcmp(record->children[i]->name, name) == 0) return record->children[i];
  return nullptr;
}

const char* TF_TypeKeyword(uint32_t type) {
  static const char* const keywords[] = {"I4", "U4", "FP", "STR", "FP_C"};
  return type <= TF_FP_C ? keywords[type] : nullptr;
}

int TF_Int(const TF_Node* value, int fallback) {
  if (!value || value->kind != TF_VALUE || value->count == 0) return fallback;
  switch (value->type) {
    case TF_I4:
    case TF_U4: return TF_IntAt(value->data, 0);
    case TF_FP: {
      float f = TF_FloatAt(value->data, 0);
      // Out-of-range floats have no integer; keep the default rather than invoke UB.
      return (f > -2147483648.0f && f < 2147483648.0f) ? static_cast<int>(f) : fallback;
    }
    default: return fallback;
  }
}

float TF_Float(const TF_Node* value, float fallback) {
  if (!value || value->kind != TF_VALUE || value->count == 0) return fallback;
  switch (value->type) {
    case TF_I4: return static_cast<float>(TF_IntAt(value->data, 0));
    case TF_U4: return static_cast<float>(TF_Word(value->data, 0));
    case TF_FP: return TF_FloatAt(value->data, 0);
    case TF_FP_C: return TfSampleCursor(value->data).sample(0);
    default: return fallback;
  }
}

const char* TF_Str(const TF_Node* value, const char* fallback) {
  if (!value || value->kind != TF_VALUE || value->type != TF_STR) return fallback;
  return static_cast<const char*>(value->data);
}

}  // namespace tk
