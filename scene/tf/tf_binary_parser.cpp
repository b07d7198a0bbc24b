#include "scene/tf/tf_binary_parser.h"

#include <cstring>
#include <vector>

#include "app/log.h"
#include "scene/tf/tf_fpc.h"

namespace tk {
namespace {

constexpr uint32_t kNode = tfChunkId("NODE");
constexpr uint32_t kValue = tfChunkId("NVAL");
constexpr uint32_t kArray = tfChunkId("NARR");
constexpr uint32_t kElement = tfChunkId("AVAL");
constexpr size_t kHeader = 8;

uint32_t readBigEndian(const uint8_t* at) {
  uint32_t word;
  std::memcpy(&word, at, 4);
  return __builtin_bswap32(word);
}

void swapWordsInPlace(uint8_t* data, size_t words) {
  for (size_t i = 0; i < words; ++i, data += 4) {
    uint32_t word;
    std::memcpy(&word, data, 4);
    word = __builtin_bswap32(word);
    std::memcpy(data, &word, 4);
  }
}

class BinaryParser {
 public:
  BinaryParser(uint8_t* buffer, size_t size, TfTreeBuilder& builder)
      : buffer_(buffer), builder_(builder), ends_{size} {}

  bool run() {
    size_t at = 12;
    for (;;) {
      // Close every record whose payload ends here; the FORM's end finishes the file.
      for (;;) {
        if (at > ends_.back()) return fail("exceed chunk size at level %d", level());
        if (at < ends_.back()) break;
        if (level() == 0) return true;
        ends_.pop_back();
        builder_.closeRecord();
      }
      if (!readItem(&at)) return false;
    }
  }

 private:
  int level() const { return static_cast<int>(ends_.size()) - 1; }

  bool fail(const char* format, int number) {
    print(format, number);
    return false;
  }

  // One record, value or array chunk at `*at`; moves past what it consumed.
  bool readItem(size_t* at) {
    uint32_t id = readBigEndian(buffer_ + *at);
    if (id != kNode && id != kValue && id != kArray) {
      print("unknown chunk ID 0x%8x", id);
      return false;
    }
    size_t payload = *at + kHeader;
    size_t payloadEnd = payload + readBigEndian(buffer_ + *at + 4);
    if (payload > ends_.back() || payloadEnd > ends_.back()) return fail("exceed chunk size at level %d", level());

    size_t nameField;
    if (id == kNode) {
      // The name field must lie inside the record's own payload.
      if (!measureName(payload, payloadEnd, &nameField)) return fail("exceed chunk size at level %d", level() + 1);
      if (!builder_.openRecord(reinterpret_cast<const char*>(buffer_ + payload))) {
        print("records nest deeper than %d levels", TF_MAX_LEVELS);
        return false;
      }
      ends_.push_back(payloadEnd);
      *at = payload + nameField;
      return true;
    }
    if (!measureName(payload, payloadEnd, &nameField) || payload + nameField + 4 > payloadEnd)
      return fail("exceed chunk size at level %d", level());
    const char* name = reinterpret_cast<const char*>(buffer_ + payload);
    uint32_t type = readBigEndian(buffer_ + payload + nameField);
    size_t data = payload + nameField + 4;
    *at = payloadEnd;
    if (id == kValue) {
      TF_Elem value;
      if (!convertData(name, type, data, payloadEnd, &value)) return false;
      builder_.addValue(name, type, value.count, value.words, value.data);
      return true;
    }
    builder_.openArray(name, type);
    bool ok = readElements(name, type, data, payloadEnd);
    builder_.closeArray();
    return ok;
  }

  bool readElements(const char* name, uint32_t type, size_t at, size_t end) {
    while (at < end) {
      uint32_t id = readBigEndian(buffer_ + at);
      if (id != kElement) {
        print("expected AVAL chunk, found 0x%8x", id);
        return false;
      }
      size_t data = at + kHeader;
      size_t dataEnd = data + readBigEndian(buffer_ + at + 4);
      if (data > end || dataEnd > end) return fail("exceed array size at level %d", level());
      TF_Elem element;
      if (!convertData(name, type, data, dataEnd, &element)) return false;
      builder_.addElement(element.count, element.words, element.data);
      at = dataEnd;
    }
    return true;
  }

  // Length of the NUL-padded name field at `at`, when its NUL lies before `end`.
  bool measureName(size_t at, size_t end, size_t* field) {
    const void* nul = std::memchr(buffer_ + at, 0, end - at);
    if (!nul) return false;
    size_t length = static_cast<size_t>(static_cast<const uint8_t*>(nul) - (buffer_ + at));
    *field = (length + 4) & ~size_t{3};
    return at + *field <= end;
  }

  // The data of a value or element, [at, end): a string, or words put into host order.
  bool convertData(const char* name, uint32_t type, size_t at, size_t end, TF_Elem* out) {
    uint8_t* data = buffer_ + at;
    out->data = data;
    if (type == TF_STR) {
      const void* nul = std::memchr(data, 0, end - at);
      if (!nul) {
        print("STR data of '%s' has no terminating NUL", name);
        return false;
      }
      out->count = static_cast<uint32_t>(static_cast<const uint8_t*>(nul) - data);
      out->words = 0;
      return true;
    }
    out->words = static_cast<uint32_t>((end - at) / 4);
    swapWordsInPlace(data, out->words);
    out->count = out->words;
    if (type != TF_FP_C) return true;
    TfChannelCheck check = TF_CheckChannel(data, out->words);
    if (check.fault != TfChannelFault::None) {
      print("FP_C data of '%s' %s", name, TF_ChannelFaultText(check));
      return false;
    }
    out->count = check.samples;
    return true;
  }

  uint8_t* buffer_;
  TfTreeBuilder& builder_;
  std::vector<size_t> ends_;  // payload end of each open record, the FORM first
};

}  // namespace

bool parseTfBinary(uint8_t* buffer, size_t size, TfTreeBuilder& builder) {
  return BinaryParser(buffer, size, builder).run();
}

}  // namespace tk
