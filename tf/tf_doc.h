#pragma once
// TF documents: one tree of named records, values and arrays, read from a file
// in the text or the binary encoding (tf_load.h). The whole tree lives in three
// exactly sized pools; names and data point either into the document's copy of
// a binary file or into the document's own storage for a text file.
//
// Data of a binary document is used in place in the file buffer, where a word
// may sit at any byte offset (a string value before it need not end on a
// 4-byte boundary). Read data words through the accessors below, never through
// a cast pointer.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace tk {

enum : uint32_t {
  TF_RECORD = 0,
  TF_VALUE = 1,
  TF_ARRAY = 2,
};

// Value types: the code a binary file stores and a node keeps.
enum : uint32_t {
  TF_I4 = 0,
  TF_U4 = 1,
  TF_FP = 2,
  TF_STR = 3,
  TF_FP_C = 4,
};

// Records nest at most this deep, the root included.
constexpr int TF_MAX_LEVELS = 20;

// One element of an array: the count and data of a value of the array's type.
struct TF_Elem {
  uint32_t count;    // integers, floats, string length or samples (FP_C)
  uint32_t words;    // length of the data in 32-bit words (0 for "STR")
  const void* data;  // "STR": a NUL-terminated string
};

struct TF_Node {
  uint32_t kind;      // TF_RECORD, TF_VALUE or TF_ARRAY
  uint32_t type;      // value and array: the type code, stored as read
  uint32_t count;     // record: children; value: as TF_Elem::count; array: elements
  uint32_t words;     // value: as TF_Elem::words
  const char* name;   // NUL-terminated, compared byte-wise
  TF_Node** children; // record: `count` children in file order
  const void* data;   // value
  TF_Elem* elems;     // array: `count` elements in file order
};

// Storage of a text document's names and data: a few large blocks instead of
// one allocation per item, released together with the document.
class TfArena {
 public:
  // `bytes` of storage aligned for 32-bit words.
  void* allocate(size_t bytes);
  char* copyString(const char* text, size_t length);

 private:
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* next_ = nullptr;
  size_t left_ = 0;
};

struct TF_Doc {
  TF_Node* root = nullptr;
  int encoding = 0;  // 0 binary, 1 text
  std::unique_ptr<uint8_t[]> buffer;  // the file (binary only); names and data point into it
  size_t bufferSize = 0;
  std::unique_ptr<TF_Node[]> nodes;       // every node, root first, depth-first in file order
  size_t nodeCount = 0;
  std::unique_ptr<TF_Node*[]> childRefs;  // the children of every record
  size_t childRefCount = 0;
  std::unique_ptr<TF_Elem[]> elems;       // the elements of every array
  size_t elemCount = 0;
  TfArena textStorage;                    // names and data of a text document
};

const TF_Node* TF_Root(const TF_Doc* doc);

// The first child of `record` named `name`, or none. A none record (or one that
// is not a record) yields none, so lookups chain.
const TF_Node* TF_Find(const TF_Node* record, const char* name);

// Keyword of a type code ("I4" ... "FP_C"), or none for a code outside the table.
const char* TF_TypeKeyword(uint32_t type);

// Word `index` of a data block, in host order.
inline uint32_t TF_Word(const void* data, size_t index) {
  uint32_t word;
  std::memcpy(&word, static_cast<const char*>(data) + 4 * index, 4);
  return word;
}
inline int32_t TF_IntAt(const void* data, size_t index) { return static_cast<int32_t>(TF_Word(data, index)); }
inline float TF_FloatAt(const void* data, size_t index) {
  float value;
  std::memcpy(&value, static_cast<const char*>(data) + 4 * index, 4);
  return value;
}

// The first element of a found value, as loaders read settings; `fallback` when
// the value is missing, empty or of a type that does not convert.
// "I4" and "U4" read as integers, "FP" as a float (truncated for TF_Int).
int TF_Int(const TF_Node* value, int fallback);
float TF_Float(const TF_Node* value, float fallback);
const char* TF_Str(const TF_Node* value, const char* fallback);

}  // namespace tk
