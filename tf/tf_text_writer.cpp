#include <charconv>
#include <cstring>

#include "tf/tf_fpc.h"
#include "tf/tf_numbers.h"
#include "tf/tf_writer.h"

namespace tk {
namespace {

// At least 12 bytes of text first, so that the file is always told apart from
// a binary one whatever its first item is called.
constexpr char kHeader[] = "// Tesk TF text\n";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool hasLineBreak(const char* text, size_t length) {
  return std::memchr(text, '\n', length) || std::memchr(text, '\r', length);
}

// Where a string is read back: the rest of a value line, or a whole array line.
enum class StringPlace { Value, Element };

// Unquoted strings read back as they stand unless they would be taken for
// something else or lose blanks at either end.
bool needsQuotes(const char* text, size_t length, StringPlace place) {
  if (length == 0 || isBlank(text[0]) || isBlank(text[length - 1]) || text[0] == '"') return true;
  if (place == StringPlace::Value) return text[0] == '[';
  return text[0] == '#' || text[0] == '/' || text[0] == ']';
}

class TextWriter {
 public:
  TextWriter(std::string* out, std::string* error) : out_(out), error_(error) {}

  bool writeItems(const TF_Node* record, int level) {
    for (uint32_t i = 0; i < record->count; ++i)
      if (!writeItem(record->children[i], level)) return false;
    return true;
  }

 private:
  bool refuse(const TF_Node* node, const char* reason) {
    *error_ = std::string("cannot write '") + node->name + "' as text: " + reason;
    return false;
  }

  void indent(int level) { out_->append(2 * static_cast<size_t>(level - 1), ' '); }

  bool writeItem(const TF_Node* node, int level) {
    const char* name = node->name;
    size_t length = std::strlen(name);
    bool nameFits = length > 0 && !hasLineBreak(name, length) && !std::memchr(name, ' ', length) &&
                    !std::memchr(name, '\t', length);
    if (!nameFits) return refuse(node, "a name must not be empty or hold blanks or line breaks");
    indent(level);
    if (node->kind == TF_RECORD) {
      if (level >= TF_MAX_LEVELS) return refuse(node, "records nest deeper than 20 levels");
      out_->append("{ ").append(name, length).push_back('\n');
      if (!writeItems(node, level + 1)) return false;
      indent(level);
      out_->append("}\n");
      return true;
    }
    if (std::strchr("{}#/", name[0])) return refuse(node, "the name would not read back as a name");
    const char* keyword = TF_TypeKeyword(node->type);
    if (!keyword) return refuse(node, "its type code has no keyword");
    out_->append(name, length).push_back(' ');
    out_->append(keyword).push_back(' ');
    if (node->kind == TF_VALUE) {
      if (!writeData(node, node->count, node->words, node->data, StringPlace::Value)) return false;
      out_->push_back('\n');
      return true;
    }
    out_->append("[\n");
    for (uint32_t i = 0; i < node->count; ++i) {
      const TF_Elem& e = node->elems[i];
      indent(level + 1);
      if (!writeData(node, e.count, e.words, e.data, StringPlace::Element)) return false;
      out_->push_back('\n');
    }
    indent(level);
    out_->append("]\n");
    return true;
  }

  bool writeData(const TF_Node* node, uint32_t count, uint32_t words, const void* data, StringPlace place) {
    if (node->type == TF_STR) return writeString(node, static_cast<const char*>(data), count, place);
    if (words == 0) return refuse(node, "an empty value or element has no text form");
    if (node->type == TF_FP_C) {
      if (TF_CheckChannel(data, words).fault != TfChannelFault::None) return refuse(node, "its FP_C blocks are malformed");
      writeChannel(data, words);
      return true;
    }
    for (uint32_t i = 0; i < words; ++i) {
      if (i > 0) out_->push_back(' ');
      writeNumber(node->type, TF_Word(data, i));
    }
    return true;
  }

  bool writeString(const TF_Node* node, const char* text, size_t length, StringPlace place) {
    if (hasLineBreak(text, length)) return refuse(node, "a string must not hold line breaks");
    bool quoted = needsQuotes(text, length, place);
    if (quoted) out_->push_back('"');
    out_->append(text, length);
    if (quoted) out_->push_back('"');
    return true;
  }

  void writeNumber(uint32_t type, uint32_t word) {
    char text[kTfFloatTextMax];
    char* end;
    if (type == TF_I4)
      end = std::to_chars(text, text + sizeof text, static_cast<int32_t>(word)).ptr;
    else if (type == TF_U4)
      end = std::to_chars(text, text + sizeof text, word).ptr;
    else
      end = formatTfFloat(text, word);
    out_->append(text, end);
  }

  // The blocks as keyword, count and floats; the data has been checked whole.
  void writeChannel(const void* data, uint32_t words) {
    for (uint32_t at = 0; at < words;) {
      uint32_t marker = TF_Word(data, at), n = TF_Word(data, at + 1);
      uint32_t floats = marker == TF_RUN ? 1 : n;
      if (at > 0) out_->push_back(' ');
      out_->append(marker == TF_RUN ? "RUN " : "DAT ");
      writeNumber(TF_U4, n);
      for (uint32_t i = 0; i < floats; ++i) {
        out_->push_back(' ');
        writeNumber(TF_FP, TF_Word(data, at + 2 + i));
      }
      at += 2 + floats;
    }
  }

  std::string* out_;
  std::string* error_;
};

}  // namespace

bool TF_WriteText(const TF_Node* root, std::string* out, std::string* error) {
  out->assign(kHeader);
  if (!root || root->kind != TF_RECORD) {
    *error = "only a record can be written as a TF file";
    return false;
  }
  return TextWriter(out, error).writeItems(root, 1);
}

}  // namespace tk
