#pragma once
// The property the round-trip fuzz target checks, shared with the unit test
// that replays the seed corpus and the kept regression inputs: whatever the
// reader accepts, the writers turn into files that read back to the same tree,
// and the binary bytes are the same whichever encoding they came from.

#include <cstddef>
#include <cstdint>
#include <string>

#include "tf/tf_compare.h"
#include "tf/tf_load.h"
#include "tf/tf_writer.h"

namespace tk {

// Empty when the property holds for these input bytes, else what went wrong.
inline std::string checkTfRoundTrip(const void* bytes, size_t size) {
  TfDocPtr doc(TF_LoadMemory(bytes, size));
  if (!doc) return "";
  const TF_Node* root = TF_Root(doc.get());
  std::string binary, error, difference;
  if (!TF_WriteBinary(root, &binary, &error)) return "binary writer refused a loaded tree: " + error;
  TfDocPtr fromBinary(TF_LoadMemory(binary.data(), binary.size()));
  if (!fromBinary) return "binary output does not read back";
  if (!TF_SameTree(root, TF_Root(fromBinary.get()), &difference)) return "binary round trip: " + difference;
  std::string again;
  if (!TF_WriteBinary(TF_Root(fromBinary.get()), &again, &error) || again != binary)
    return "binary output changes when written again";

  std::string text;
  if (!TF_WriteText(root, &text, &error)) {
    // Only a binary file can hold what the text grammar cannot carry.
    return doc->encoding == 1 ? "text writer refused a tree read from text: " + error : "";
  }
  TfDocPtr fromText(TF_LoadMemory(text.data(), text.size()));
  if (!fromText) return "text output does not read back";
  if (!TF_SameTree(root, TF_Root(fromText.get()), &difference)) return "text round trip: " + difference;
  if (!TF_WriteBinary(TF_Root(fromText.get()), &again, &error) || again != binary)
    return "binary output differs after a text round trip";
  return "";
}

}  // namespace tk
