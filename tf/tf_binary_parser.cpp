#include "tf/tf_binary_parser.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "base/log.h"
#include "tf/tf_fpc.h"
#include "tf/tf_load_bytes.h"

namespace tk {
namespace {

constexpr uint32_t kNode = tfChunkId("NODE");
constexpr uint32_t kValue = tfChunkId("NVAL");
constexpr uint32_t kArray = tfChunkId("NARR");
constexpr uint32_t kElement = tfChunkId("AVAL");
constexpr size_t kHeader = 8;
// Data is swapped in slices that stay in the cache between reading and swapping.
constexpr size_t kSwapSlice = 64 * 1024;
// Names and strings are looked for in steps, so a long record is not read whole
// just to find its name.
constexpr size_t kNameStep = 256;

uint32_t readBigEndian(const uint8_t* at) {
  uint32_t word;
  std::memcpy(&word, at, 4);
  return __builtin_bswap32(word);
}

void swapWordsPortable(uint8_t* data, size_t words) {
  for (size_t i = 0; i < words; ++i, data += 4) {
    uint32_t word;
    std::memcpy(&word, data, 4);
    word = __builtin_bswap32(word);
    std::memcpy(data, &word, 4);
  }
}

#if defined(__x86_64__)
// Four words at a time: swap the bytes of each 16-bit half, then the halves.
void swapWordsSse2(uint8_t* data, size_t words) {
  size_t i = 0;
  for (; i + 4 <= words; i += 4, data += 16) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
    v = _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
    v = _mm_shufflelo_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
    v = _mm_shufflehi_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(data), v);
  }
  swapWordsPortable(data, words - i);
}

// Eight words at a time with one byte shuffle, on processors that have it.
__attribute__((target("avx2"))) void swapWordsAvx2(uint8_t* data, size_t words) {
  const __m256i order = _mm256_setr_epi8(3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12, 3, 2, 1, 0, 7, 6, 5,
                                         4, 11, 10, 9, 8, 15, 14, 13, 12);
  size_t i = 0;
  for (; i + 8 <= words; i += 8, data += 32) {
    __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(data), _mm256_shuffle_epi8(v, order));
  }
  swapWordsSse2(data, words - i);
}
#endif

// Big-endian words to host order: the one pass over all the data of a file.
void swapWordsInPlace(uint8_t* data, size_t words) {
#if defined(__x86_64__)
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2) return swapWordsAvx2(data, words);
  return swapWordsSse2(data, words);
#else
  swapWordsPortable(data, words);
#endif
}

class BinaryParser {
 public:
  BinaryParser(uint8_t* buffer, size_t size, TfTreeBuilder& builder, TfByteSource* source)
      : buffer_(buffer), size_(size), source_(source), builder_(builder), ends_{size} {
    available_ = source ? source->available() : size;
  }

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

  // Makes the bytes before `end` readable. Past the end of the file the
  // buffer's zero padding is read, which is always there.
  void need(size_t end) {
    if (end <= available_ || available_ == size_) return;
    source_->ensure(std::min(end, size_));
    available_ = source_->available();
  }

  uint32_t wordAt(size_t at) {
    need(at + 4);
    return readBigEndian(buffer_ + at);
  }

  // The first NUL in [at, end), or none.
  const uint8_t* findNul(size_t at, size_t end) {
    while (at < end) {
      size_t stop = std::min(end, std::max(available_, at + kNameStep));
      need(stop);
      if (const void* nul = std::memchr(buffer_ + at, 0, stop - at)) return static_cast<const uint8_t*>(nul);
      at = stop;
    }
    return nullptr;
  }

  // One record, value or array chunk at `*at`; moves past what it consumed.
  bool readItem(size_t* at) {
    uint32_t id = wordAt(*at);
    if (id != kNode && id != kValue && id != kArray) {
      print("unknown chunk ID 0x%8x", id);
      return false;
    }
    size_t payload = *at + kHeader;
    size_t payloadEnd = payload + wordAt(*at + 4);
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
    uint32_t type = wordAt(payload + nameField);
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
      uint32_t id = wordAt(at);
      if (id != kElement) {
        print("expected AVAL chunk, found 0x%8x", id);
        return false;
      }
      size_t data = at + kHeader;
      size_t dataEnd = data + wordAt(at + 4);
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
    const uint8_t* nul = findNul(at, end);
    if (!nul) return false;
    size_t length = static_cast<size_t>(nul - (buffer_ + at));
    *field = (length + 4) & ~size_t{3};
    return at + *field <= end;
  }

  // The data of a value or element, [at, end): a string, or words put into host order.
  bool convertData(const char* name, uint32_t type, size_t at, size_t end, TF_Elem* out) {
    uint8_t* data = buffer_ + at;
    out->data = data;
    if (type == TF_STR) {
      const uint8_t* nul = findNul(at, end);
      if (!nul) {
        print("STR data of '%s' has no terminating NUL", name);
        return false;
      }
      out->count = static_cast<uint32_t>(nul - data);
      out->words = 0;
      return true;
    }
    out->words = static_cast<uint32_t>((end - at) / 4);
    const size_t dataEnd = at + 4 * static_cast<size_t>(out->words);
    for (size_t slice = at; slice < dataEnd; slice += kSwapSlice) {
      size_t sliceEnd = std::min(dataEnd, slice + kSwapSlice);
      need(sliceEnd);
      swapWordsInPlace(buffer_ + slice, (sliceEnd - slice) / 4);
    }
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
  size_t size_;
  size_t available_;
  TfByteSource* source_;
  TfTreeBuilder& builder_;
  std::vector<size_t> ends_;  // payload end of each open record, the FORM first
};

}  // namespace

bool parseTfBinary(uint8_t* buffer, size_t size, TfTreeBuilder& builder, TfByteSource* source) {
  return BinaryParser(buffer, size, builder, source).run();
}

}  // namespace tk
