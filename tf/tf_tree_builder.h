#pragma once
// Collects the items of a TF file while it is parsed, in file order, and then
// compacts them into a document's three exactly sized pools.

#include <cstdint>
#include <vector>

#include "tf/tf_doc.h"

namespace tk {

class TfTreeBuilder {
 public:
  TfTreeBuilder();

  // Level of the record items are added to (0 = the root).
  int level() const { return static_cast<int>(open_.size()) - 1; }
  // False when the record would nest deeper than TF_MAX_LEVELS.
  bool openRecord(const char* name);
  // False when only the root is open.
  bool closeRecord();
  void addValue(const char* name, uint32_t type, uint32_t count, uint32_t words, const void* data);
  void openArray(const char* name, uint32_t type);
  void addElement(uint32_t count, uint32_t words, const void* data);
  bool arrayOpen() const { return openArray_ != kNone; }
  uint32_t arrayType() const { return nodes_[openArray_].type; }
  void closeArray() { openArray_ = kNone; }

  // Moves the tree into the document's pools; the builder is spent afterwards.
  void compactInto(TF_Doc* doc);

 private:
  static constexpr uint32_t kNone = UINT32_MAX;
  uint32_t append(uint32_t kind, const char* name, uint32_t type);

  std::vector<TF_Node> nodes_;        // file order, root first
  std::vector<uint32_t> parent_;      // per node
  std::vector<uint32_t> firstElem_;   // per node: index of an array's first element
  std::vector<TF_Elem> elems_;
  std::vector<uint32_t> open_;        // records from the root to the current one
  uint32_t openArray_ = kNone;
};

}  // namespace tk
