#include "tf/tf_compare.h"

#include <cstring>

namespace tk {
namespace {

bool sameData(uint32_t type, uint32_t countA, uint32_t wordsA, const void* a, uint32_t countB, uint32_t wordsB,
              const void* b) {
  if (countA != countB || wordsA != wordsB) return false;
  size_t bytes = type == TF_STR ? countA : 4 * static_cast<size_t>(wordsA);
  return bytes == 0 || std::memcmp(a, b, bytes) == 0;
}

bool sameNode(const TF_Node* a, const TF_Node* b, const std::string& path, std::string* difference) {
  std::string here = path + "/" + a->name;
  auto differ = [&](const char* what) {
    if (difference) *difference = here + ": " + what;
    return false;
  };
  if (std::strcmp(a->name, b->name) != 0) return differ("names differ");
  if (a->kind != b->kind) return differ("kinds differ");
  if (a->count != b->count) return differ("counts differ");
  if (a->kind == TF_RECORD) {
    for (uint32_t i = 0; i < a->count; ++i)
      if (!sameNode(a->children[i], b->children[i], here, difference)) return false;
    return true;
  }
  if (a->type != b->type) return differ("types differ");
  if (a->kind == TF_VALUE)
    return sameData(a->type, a->count, a->words, a->data, b->count, b->words, b->data) || differ("data differs");
  for (uint32_t i = 0; i < a->count; ++i) {
    const TF_Elem& x = a->elems[i];
    const TF_Elem& y = b->elems[i];
    if (!sameData(a->type, x.count, x.words, x.data, y.count, y.words, y.data)) return differ("element data differs");
  }
  return true;
}

}  // namespace

bool TF_SameTree(const TF_Node* a, const TF_Node* b, std::string* difference) {
  if (!a || !b) {
    if (difference && a != b) *difference = "one tree is missing";
    return a == b;
  }
  return sameNode(a, b, "", difference);
}

}  // namespace tk
