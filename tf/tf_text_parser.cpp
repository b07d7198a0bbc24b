#include "tf/tf_text_parser.h"

#include <string>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/log.h"
#include "tf/tf_fpc.h"
#include "tf/tf_numbers.h"

namespace tk {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineBreak(char c) { return c == '\n' || c == '\r'; }

// The first CR, LF or NUL in [p, end), or end.
const char* findLineEnd(const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r'), nul = _mm_setzero_si128();
  for (; end - p >= 16; p += 16) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)), _mm_cmpeq_epi8(v, nul));
    if (int mask = _mm_movemask_epi8(hit)) return p + __builtin_ctz(static_cast<unsigned>(mask));
  }
#endif
  while (p < end && !isLineBreak(*p) && *p != '\0') ++p;
  return p;
}

const char* skipBlanks(const char* p, const char* end) {
  while (p < end && isBlank(*p)) ++p;
  return p;
}

const char* tokenEnd(const char* p, const char* end) {
  while (p < end && !isBlank(*p)) ++p;
  return p;
}

struct Span {
  const char* begin = nullptr;
  const char* end = nullptr;
  size_t size() const { return static_cast<size_t>(end - begin); }
  bool is(const char* word, size_t length) const {
    return size() == length && std::memcmp(begin, word, length) == 0;
  }
  std::string text() const { return std::string(begin, end); }
};

// A line cut into at most three tokens; the third is the rest of the line.
struct LineTokens {
  Span token[3];
  int count = 0;
};

LineTokens cutTokens(const char* p, const char* end) {
  LineTokens tokens;
  for (int i = 0; i < 3; ++i) {
    p = skipBlanks(p, end);
    if (p == end) break;
    const char* stop = i < 2 ? tokenEnd(p, end) : end;
    tokens.token[i] = Span{p, stop};
    tokens.count = i + 1;
    p = stop;
  }
  return tokens;
}

bool typeFromKeyword(const Span& keyword, uint32_t* type) {
  for (uint32_t code = TF_I4; code <= TF_FP_C; ++code) {
    const char* word = TF_TypeKeyword(code);
    if (keyword.is(word, std::strlen(word))) {
      *type = code;
      return true;
    }
  }
  return false;
}

// Count, word length and data of one value or array element.
struct ValueData {
  uint32_t count = 0;
  uint32_t words = 0;
  const void* data = nullptr;
};

class TextParser {
 public:
  TextParser(TfTreeBuilder& builder, TfArena& storage) : builder_(builder), storage_(storage) {
    words_.reserve(1024);
  }

  bool run(const char* p, const char* end) {
    while (p < end) {
      const char* stop = findLineEnd(p, end);
      if (stop < end && *stop == '\0') {
        print("line %d: NUL byte in a text file", line_);
        return false;
      }
      if (!handleLine(skipBlanks(p, stop), stop)) return false;
      p = stop;
      if (p < end) {
        while (p < end && isLineBreak(*p)) ++p;
        ++line_;
      }
    }
    return true;
  }

 private:
  bool handleLine(const char* p, const char* end) {
    if (p == end || *p == '#' || *p == '/') return true;
    if (builder_.arrayOpen()) {
      if (*p == ']') {
        builder_.closeArray();
        return true;
      }
      ValueData element;
      if (!readValueText(builder_.arrayType(), p, end, &element)) return false;
      builder_.addElement(element.count, element.words, element.data);
      return true;
    }
    if (*p == '}') {
      if (builder_.closeRecord()) return true;
      print("line %d: too many }", line_);
      return false;
    }
    return handleItemLine(cutTokens(p, end));
  }

  bool invalidLine(const char* reason) {
    print("%s", reason);
    print("line %d: Invalid line", line_);
    return false;
  }

  bool handleItemLine(const LineTokens& tokens) {
    if (tokens.count < 2) return invalidLine("Line does not have enough token");
    const Span& first = tokens.token[0];
    const Span& second = tokens.token[1];
    if (first.begin[0] == '{') {
      if (builder_.openRecord(copyName(second))) return true;
      print("line %d: records nest deeper than %d levels", line_, TF_MAX_LEVELS);
      return false;
    }
    if (tokens.count < 3) return invalidLine("Line value does not have enough token");
    uint32_t type;
    if (!typeFromKeyword(second, &type)) {
      print("line %d: unknown value type %s", line_, second.text().c_str());
      return false;
    }
    const Span& rest = tokens.token[2];
    if (rest.begin[0] == '[') {
      builder_.openArray(copyName(first), type);
      return true;
    }
    ValueData value;
    if (!readValueText(type, rest.begin, rest.end, &value)) return false;
    builder_.addValue(copyName(first), type, value.count, value.words, value.data);
    return true;
  }

  const char* copyName(const Span& name) { return storage_.copyString(name.begin, name.size()); }

  bool readValueText(uint32_t type, const char* p, const char* end, ValueData* out) {
    if (type == TF_STR) {
      readString(p, end, out);
      return true;
    }
    words_.clear();
    if (type == TF_FP_C) {
      if (!readChannelWords(p, end, &out->count)) return false;
    } else {
      readNumberWords(type, p, end);
      out->count = static_cast<uint32_t>(words_.size());
    }
    out->words = static_cast<uint32_t>(words_.size());
    void* data = storage_.allocate(words_.size() * 4);
    std::memcpy(data, words_.data(), words_.size() * 4);
    out->data = data;
    return true;
  }

  void readString(const char* p, const char* end, ValueData* out) {
    p = skipBlanks(p, end);
    if (p < end && *p == '"') {
      ++p;
      const char* last = end;
      while (last > p && (isBlank(last[-1]) || isLineBreak(last[-1]))) --last;
      if (last > p && last[-1] == '"') end = last - 1;
    }
    out->count = static_cast<uint32_t>(end - p);
    out->data = storage_.copyString(p, out->count);
  }

  void readNumberWords(uint32_t type, const char* p, const char* end) {
    for (p = skipBlanks(p, end); p < end; p = skipBlanks(p, end)) {
      uint32_t word;
      if (type == TF_FP || type == TF_FP_C) {
        // Read in one pass: a number never runs into the next token.
        p = tokenEnd(readTfFloat(p, end, &word), end);
      } else {
        const char* stop = tokenEnd(p, end);
        word = type == TF_I4 ? static_cast<uint32_t>(parseTfInt(p, stop)) : parseTfUnsigned(p, stop);
        p = stop;
      }
      words_.push_back(word);
    }
  }

  // The blocks of an "FP_C" text: RUN count float, or DAT count and that many floats.
  bool readChannelWords(const char* p, const char* end, uint32_t* samples) {
    enum class Expect { Marker, Count, Floats } expect = Expect::Marker;
    uint32_t marker = TF_RUN, announced = 0, remaining = 0;
    uint64_t total = 0;
    for (p = skipBlanks(p, end); p < end; p = skipBlanks(p, end)) {
      if (expect == Expect::Floats && *p != 'R' && *p != 'D') {
        uint32_t word;
        p = tokenEnd(readTfFloat(p, end, &word), end);
        words_.push_back(word);
        if (--remaining == 0) expect = Expect::Marker;
        continue;
      }
      Span token{p, tokenEnd(p, end)};
      p = token.end;
      bool isRun = token.is("RUN", 3), isDat = token.is("DAT", 3);
      if (isRun || isDat) {
        if (expect != Expect::Marker) return incompleteBlock(expect == Expect::Count, marker, announced, remaining);
        marker = isRun ? TF_RUN : TF_DAT;
        words_.push_back(marker);
        expect = Expect::Count;
      } else if (expect == Expect::Marker) {
        print("line %d: FP_C block must start with RUN or DAT, found '%s'", line_, token.text().c_str());
        return false;
      } else if (expect == Expect::Count) {
        announced = parseTfUnsigned(token.begin, token.end);
        words_.push_back(announced);
        total += announced;
        remaining = marker == TF_RUN ? 1 : announced;
        expect = remaining > 0 ? Expect::Floats : Expect::Marker;
      } else {
        words_.push_back(parseTfFloatBits(token.begin, token.end));
        if (--remaining == 0) expect = Expect::Marker;
      }
    }
    if (expect != Expect::Marker) return incompleteBlock(expect == Expect::Count, marker, announced, remaining);
    if (total == 0 || total > UINT32_MAX) {
      print("line %d: FP_C data %s", line_, total == 0 ? "holds no samples" : "holds more than 4294967295 samples");
      return false;
    }
    *samples = static_cast<uint32_t>(total);
    return true;
  }

  bool incompleteBlock(bool countMissing, uint32_t marker, uint32_t announced, uint32_t remaining) {
    const char* keyword = marker == TF_RUN ? "RUN" : "DAT";
    if (countMissing)
      print("line %d: FP_C %s block has no count", line_, keyword);
    else if (marker == TF_RUN)
      print("line %d: FP_C RUN block has no float", line_);
    else
      print("line %d: FP_C DAT block announces %u floats but holds %u", line_, announced, announced - remaining);
    return false;
  }

  TfTreeBuilder& builder_;
  TfArena& storage_;
  std::vector<uint32_t> words_;
  int line_ = 1;
};

}  // namespace

bool parseTfText(const char* begin, const char* end, TfTreeBuilder& builder, TfArena& storage) {
  return TextParser(builder, storage).run(begin, end);
}

}  // namespace tk
