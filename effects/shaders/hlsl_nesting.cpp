#include "effects/shaders/hlsl_nesting.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace tk {
namespace {

constexpr long kLargestLine = 1L << 30;  // keeps the line count inside an int

class NestingScan {
 public:
  NestingScan(const std::string& text, const std::string& path, HlslNestingScope scope)
      : t_(text), file_(path), scope_(scope) {}

  bool run(std::string* error) {
    error_ = error;
    while (i_ < t_.size()) {
      const char c = t_[i_];
      if (c == '\n') {
        ++line_;
        ++i_;
      } else if (c == '#' && atLineStart()) {
        if (!directive()) return false;
      } else if (!skippedText(c) && !bracket(c, &depth_)) {
        return false;
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

  // Passes a comment or a string at i_; false when none starts there.
  bool skippedText(char c) {
    if (c == '/' && next() == '/') {
      while (i_ < t_.size() && t_[i_] != '\n') ++i_;
    } else if (c == '/' && next() == '*') {
      const size_t end = t_.find("*/", i_ + 2);
      const size_t stop = end == std::string::npos ? t_.size() : end + 2;
      for (; i_ < stop; ++i_)
        if (t_[i_] == '\n') ++line_;
    } else if (c == '"') {
      for (++i_; i_ < t_.size() && t_[i_] != '"' && t_[i_] != '\n'; ++i_)
        if (t_[i_] == '\\') ++i_;
      if (i_ < t_.size() && t_[i_] == '"') ++i_;
    } else {
      return false;
    }
    return true;
  }

  // Passes the character at i_, counting it in `depth` (when given) if it is
  // a bracket; false past the limit.
  bool bracket(char c, int* depth) {
    ++i_;
    if (!depth) return true;
    if (c == ')' || c == ']' || c == '}') {
      if (*depth > 0) --*depth;
    } else if ((c == '(' || c == '[' || c == '{') && ++*depth > kMaxHlslNesting) {
      *error_ = file_ + ":" + std::to_string(line_) + ": brackets nest deeper than " +
                std::to_string(kMaxHlslNesting) + " levels";
      return false;
    }
    return true;
  }

  // One directive, with its continuation lines. "#line N" or "#line N "file""
  // sets the line (and file) of the next line; in a file as written, the
  // directive's own brackets are counted, from zero.
  bool directive() {
    const size_t start = i_;
    const int startLine = line_;
    int depth = 0;
    while (i_ < t_.size() && t_[i_] != '\n') {
      const char c = t_[i_];
      if (c == '\\' && next() == '\n') {
        i_ += 2;
        ++line_;
      } else if (!skippedText(c) && !bracket(c, scope_ == HlslNestingScope::AsWritten ? &depth : nullptr)) {
        return false;
      }
    }
    if (line_ == startLine) lineDirective(t_.substr(start, i_ - start));
    return true;
  }

  void lineDirective(const std::string& text) {
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
  HlslNestingScope scope_;
  std::string* error_ = nullptr;
  size_t i_ = 0;
  int line_ = 1;
  int depth_ = 0;
};

}  // namespace

bool checkHlslNesting(const std::string& text, const std::string& path, HlslNestingScope scope, std::string* error) {
  return NestingScan(text, path, scope).run(error);
}

}  // namespace tk
