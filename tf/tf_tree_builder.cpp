#include "tf/tf_tree_builder.h"

#include <algorithm>

namespace tk {

TfTreeBuilder::TfTreeBuilder() {
  nodes_.reserve(256);
  parent_.reserve(256);
  firstElem_.reserve(256);
  nodes_.push_back(TF_Node{TF_RECORD, 0, 0, 0, "root", nullptr, nullptr, nullptr});
  parent_.push_back(kNone);
  firstElem_.push_back(0);
  open_.push_back(0);
}

uint32_t TfTreeBuilder::append(uint32_t kind, const char* name, uint32_t type) {
  uint32_t parent = open_.back();
  uint32_t index = static_cast<uint32_t>(nodes_.size());
  nodes_.push_back(TF_Node{kind, type, 0, 0, name, nullptr, nullptr, nullptr});
  parent_.push_back(parent);
  firstElem_.push_back(static_cast<uint32_t>(elems_.size()));
  ++nodes_[parent].count;
  return index;
}

bool TfTreeBuilder::openRecord(const char* name) {
  if (static_cast<int>(open_.size()) >= TF_MAX_LEVELS) return false;
  open_.push_back(append(TF_RECORD, name, 0));
  return true;
}

bool TfTreeBuilder::closeRecord() {
  if (open_.size() <= 1) return false;
  open_.pop_back();
  return true;
}

void TfTreeBuilder::addValue(const char* name, uint32_t type, uint32_t count, uint32_t words,
                             const void* data) {
  TF_Node& node = nodes_[append(TF_VALUE, name, type)];
  node.count = count;
  node.words = words;
  node.data = data;
}

void TfTreeBuilder::openArray(const char* name, uint32_t type) { openArray_ = append(TF_ARRAY, name, type); }

void TfTreeBuilder::addElement(uint32_t count, uint32_t words, const void* data) {
  elems_.push_back(TF_Elem{count, words, data});
  ++nodes_[openArray_].count;
}

void TfTreeBuilder::compactInto(TF_Doc* doc) {
  size_t nodeCount = nodes_.size();
  // Every node but the root is the child of exactly one record.
  size_t childCount = nodeCount - 1;
  doc->nodes.reset(new TF_Node[nodeCount]);
  doc->childRefs.reset(new TF_Node*[childCount]);
  doc->elems.reset(new TF_Elem[elems_.size()]);
  doc->nodeCount = nodeCount;
  doc->childRefCount = childCount;
  doc->elemCount = elems_.size();
  std::copy(elems_.begin(), elems_.end(), doc->elems.get());

  TF_Node* pool = doc->nodes.get();
  TF_Node** nextChild = doc->childRefs.get();
  // Give each record its slice of the child pool; `filled` then tracks each slice's end.
  std::vector<TF_Node**> filled(nodeCount, nullptr);
  for (size_t i = 0; i < nodeCount; ++i) {
    pool[i] = nodes_[i];
    if (pool[i].kind == TF_RECORD) {
      pool[i].children = nextChild;
      filled[i] = nextChild;
      nextChild += pool[i].count;
    } else if (pool[i].kind == TF_ARRAY) {
      pool[i].elems = doc->elems.get() + firstElem_[i];
    }
  }
  for (size_t i = 1; i < nodeCount; ++i) *filled[parent_[i]]++ = &pool[i];
  doc->root = pool;

  std::vector<TF_Node>().swap(nodes_);
  std::vector<uint32_t>().swap(parent_);
  std::vector<uint32_t>().swap(firstElem_);
  std::vector<TF_Elem>().swap(elems_);
}

}  // namespace tk
