#include "effects/shaders/hlsl_nesting.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace tk {
namespace {

constexpr long kLargestLine = 1L << 30;  // keeps the line count inside an int

class NestingScan {
 public:
  NestingScan(const std::string& text, const std::string& path) : t_(text), file_(path) {}

  bool run(std::string* error) {
    while (i_ < t_.size()) {
      const char c = t_[i_];
      if (c == '\n') {
        ++line_;
        ++i_;
      } else if (c == '#' && atLineStart()) {
        directive();
      } else if (c == '/' && next() == '/') {
        skipTo("\n", false);
      } else if (c == '/' && next() == '*') {
        i_ += 2;
        skipTo("*/", true);
      } else if (c == '"') {
        string();
      } else if (c == '(' || c == '[' || c == '{') {
        if (++depth_ > kMaxHlslNesting) {
          *error = file_ + ":" + std::to_string(line_) + ": brackets nest deeper than " +
                   std::to_string(kMaxHlslNesting) + " levels";
          return false;
        }
        ++i_;
      } else {
        if ((c == ')' || c == ']' || c == '}') && depth_ > 0) --depth_;
        ++i_;
      }
    }
    return true;
  }

 private:
  char next() const { return i_ + 1 < t_.size() ? t_[i_ + 1] : '\0'; }

  bool atLineStart() const {
    size_t k = i_;
    while (k > 0 && (t_[k - 1] == ' ' || t_[k - 1] == '\t')) --k;
    return k == 0 || t_[k - 1] == '\n';
  }

  // Moves past `end` (or to the line end when !inclusive and end is "\n"),
  // counting the line breaks passed.
  void skipTo(const char* end, bool inclusive) {
    const size_t found = t_.find(end, i_);
    const size_t length = inclusive ? std::char_traits<char>::length(end) : 0;
    const size_t stop = found == std::string::npos ? t_.size() : found + length;
    for (; i_ < stop; ++i_)
      if (t_[i_] == '\n') ++line_;
  }

  void string() {
    for (++i_; i_ < t_.size() && t_[i_] != '"' && t_[i_] != '\n'; ++i_)
      if (t_[i_] == '\\') ++i_;
    if (i_ < t_.size() && t_[i_] == '"') ++i_;
  }

  // "#line N" or "#line N "file"" sets the line (and file) of the next line;
  // other directives are passed over.
  void directive() {
    size_t end = t_.find('\n', i_);
    if (end == std::string::npos) end = t_.size();
    const std::string text = t_.substr(i_, end - i_);
    i_ = end;
    size_t k = text.find_first_not_of(" \t", 1);
    if (k == std::string::npos || text.compare(k, 4, "line") != 0) return;
    k = text.find_first_not_of(" \t", k + 4);
    if (k == std::string::npos || !std::isdigit(static_cast<unsigned char>(text[k]))) return;
    const long number = std::min(std::strtol(text.c_str() + k, nullptr, 10), kLargestLine);
    const size_t open = text.find('"', k);
    const size_t close = open == std::string::npos ? std::string::npos : text.find('"', open + 1);
    if (close != std::string::npos) file_ = text.substr(open + 1, close - open - 1);
    // The directive's own line break follows; the line after it is `number`.
    line_ = static_cast<int>(number) - 1;
  }

  const std::string& t_;
  std::string file_;
  size_t i_ = 0;
  int line_ = 1;
  int depth_ = 0;
};

}  // namespace

bool checkHlslNesting(const std::string& text, const std::string& path, std::string* error) {
  return NestingScan(text, path).run(error);
}

}  // namespace tk
