// Feeds arbitrary bytes to the TF reader (either encoding) and, when it accepts
// them, looks every item up and evaluates every channel form at awkward
// positions: nothing may read outside the document.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "tf/tf_channel.h"
#include "tf/tf_load.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

void evaluate(const tk::TF_Node* node) {
  const float count = static_cast<float>(node->count);
  const float positions[] = {-3.0f, 0.0f, 0.5f, count - 1.5f, count - 1.0f, count + 2.0f, 1e30f, NAN};
  for (float p : positions) {
    tk::TF_FP_Lerp(node, p);
    tk::TF_FP_Step(node, p);
    tk::TF_FP2_Lerp(node, p);
    tk::TF_FP3_Lerp(node, p);
    tk::TF_FP3_Slerp_HPB_To_XYZ(node, p);
  }
  for (uint32_t k : {0u, node->count / 2, node->count, UINT32_MAX}) {
    tk::TF_FP_At(node, k);
    tk::TF_FP2_At(node, k);
    tk::TF_FP3_At(node, k);
  }
  tk::TF_Int(node, 0);
  tk::TF_Float(node, 0);
  const char* text = tk::TF_Str(node, nullptr);
  if (text) check(std::strlen(text) == node->count);
}

void walk(const tk::TF_Node* record) {
  for (uint32_t i = 0; i < record->count; ++i) {
    const tk::TF_Node* child = record->children[i];
    const tk::TF_Node* found = tk::TF_Find(record, child->name);
    check(found && std::strcmp(found->name, child->name) == 0);
    if (child->kind == tk::TF_RECORD)
      walk(child);
    else
      evaluate(child);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tk::TfDocPtr doc(tk::TF_LoadMemory(data, size));
  if (doc) walk(tk::TF_Root(doc.get()));
  return 0;
}
