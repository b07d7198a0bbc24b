#include <cstring>

#include "tf/tf_binary_parser.h"
#include "tf/tf_writer.h"

namespace tk {
namespace {

void appendBigEndian(std::string* out, uint32_t word) {
  const char bytes[4] = {static_cast<char>(word >> 24), static_cast<char>(word >> 16), static_cast<char>(word >> 8),
                         static_cast<char>(word)};
  out->append(bytes, 4);
}

// Starts a chunk; returns where its size field is, to be filled by endChunk.
size_t beginChunk(std::string* out, uint32_t id) {
  appendBigEndian(out, id);
  size_t sizeField = out->size();
  appendBigEndian(out, 0);
  return sizeField;
}

void endChunk(std::string* out, size_t sizeField) {
  uint64_t size = out->size() - sizeField - 4;
  uint32_t word = static_cast<uint32_t>(size);
  for (int i = 0; i < 4; ++i) (*out)[sizeField + i] = static_cast<char>(word >> (24 - 8 * i));
}

// The name and its NUL, padded with NULs to (length + 4) rounded down to 4.
void appendNameField(std::string* out, const char* name) {
  size_t length = std::strlen(name);
  out->append(name, length);
  out->append((length + 4) / 4 * 4 - length, '\0');
}

// A string with its NUL and nothing more; other types as big-endian words.
void appendData(std::string* out, uint32_t type, uint32_t count, uint32_t words, const void* data) {
  if (type == TF_STR) {
    out->append(static_cast<const char*>(data), count);
    out->push_back('\0');
    return;
  }
  size_t at = out->size();
  out->resize(at + 4 * static_cast<size_t>(words));
  char* to = &(*out)[at];
  for (uint32_t i = 0; i < words; ++i, to += 4) {
    uint32_t word = __builtin_bswap32(TF_Word(data, i));
    std::memcpy(to, &word, 4);
  }
}

class BinaryWriter {
 public:
  explicit BinaryWriter(std::string* out) : out_(out) {}

  // The children of `record`, whose own records sit at `level`.
  bool writeItems(const TF_Node* record, int level, std::string* error) {
    for (uint32_t i = 0; i < record->count; ++i)
      if (!writeItem(record->children[i], level, error)) return false;
    return true;
  }

 private:
  bool writeItem(const TF_Node* node, int level, std::string* error) {
    if (node->kind == TF_RECORD) {
      if (level >= TF_MAX_LEVELS) {
        *error = "records nest deeper than 20 levels";
        return false;
      }
      size_t size = beginChunk(out_, tfChunkId("NODE"));
      appendNameField(out_, node->name);
      if (!writeItems(node, level + 1, error)) return false;
      endChunk(out_, size);
      return true;
    }
    size_t size = beginChunk(out_, node->kind == TF_VALUE ? tfChunkId("NVAL") : tfChunkId("NARR"));
    appendNameField(out_, node->name);
    appendBigEndian(out_, node->type);
    if (node->kind == TF_VALUE) {
      appendData(out_, node->type, node->count, node->words, node->data);
    } else {
      for (uint32_t i = 0; i < node->count; ++i) {
        const TF_Elem& e = node->elems[i];
        size_t element = beginChunk(out_, tfChunkId("AVAL"));
        appendData(out_, node->type, e.count, e.words, e.data);
        endChunk(out_, element);
      }
    }
    endChunk(out_, size);
    return true;
  }

  std::string* out_;
};

}  // namespace

bool TF_WriteBinary(const TF_Node* root, std::string* out, std::string* error) {
  out->clear();
  if (!root || root->kind != TF_RECORD) {
    *error = "only a record can be written as a TF file";
    return false;
  }
  size_t form = beginChunk(out, tfChunkId("FORM"));
  appendBigEndian(out, tfChunkId("TSKF"));
  if (!BinaryWriter(out).writeItems(root, 1, error)) return false;
  if (out->size() - 8 > UINT32_MAX) {
    *error = "the tree is too large for the binary encoding (4 GiB)";
    return false;
  }
  endChunk(out, form);
  return true;
}

}  // namespace tk
