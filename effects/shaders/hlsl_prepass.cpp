#include "effects/shaders/hlsl_prepass.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <set>

namespace tk {
namespace {

bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

const std::set<std::string> kTechniqueWords = {"technique", "technique10", "technique11", "Technique"};
const std::set<std::string> kTextureWords = {"texture",   "Texture",   "TEXTURE",    "texture1D",
                                             "texture2D", "texture3D", "textureCUBE"};

class Prepass {
 public:
  explicit Prepass(const std::string& text) { result_.text = text; }

  HlslPrepassResult run() {
    std::string& t = result_.text;
    size_t i = 0;
    while (i < t.size()) {
      const char c = t[i];
      if (c == '#' && atLineStart(i)) {
        i = lineEnd(i);
      } else if (c == '"') {
        i = stringEnd(i);
        statementStart_ = false;
      } else if (isWordChar(c) && (i == 0 || !isWordChar(t[i - 1]))) {
        i = word(i);
      } else {
        i = punctuation(i);
      }
    }
    return std::move(result_);
  }

 private:
  bool atLineStart(size_t i) const {
    while (i > 0 && (result_.text[i - 1] == ' ' || result_.text[i - 1] == '\t')) --i;
    return i == 0 || result_.text[i - 1] == '\n';
  }
  size_t lineEnd(size_t i) const {
    size_t end = result_.text.find('\n', i);
    return end == std::string::npos ? result_.text.size() : end;
  }
  size_t stringEnd(size_t i) const {
    const std::string& t = result_.text;
    for (++i; i < t.size() && t[i] != '"'; ++i)
      if (t[i] == '\\') ++i;
    return i + 1;
  }
  size_t skipBlanks(size_t i) const {
    while (i < result_.text.size() && std::isspace(static_cast<unsigned char>(result_.text[i]))) ++i;
    return i;
  }
  size_t blanksBefore(size_t i) const {
    while (i > 0 && std::isspace(static_cast<unsigned char>(result_.text[i - 1]))) --i;
    return i;
  }
  // Replaces [from, to) by blanks, keeping line breaks.
  void blank(size_t from, size_t to) {
    for (size_t k = from; k < to && k < result_.text.size(); ++k)
      if (result_.text[k] != '\n') result_.text[k] = ' ';
  }
  // Index after the brace closing the first '{' at or after i.
  size_t afterBlock(size_t i) const {
    const std::string& t = result_.text;
    i = t.find('{', i);
    if (i == std::string::npos) return t.size();
    int depth = 0;
    for (; i < t.size(); ++i) {
      if (t[i] == '{') ++depth;
      if (t[i] == '}' && --depth == 0) return i + 1;
    }
    return t.size();
  }
  // Index after the ';' ending the statement, skipping annotations (<...>)
  // and strings, which may hold ';' of their own.
  size_t afterStatement(size_t i) const {
    const std::string& t = result_.text;
    int annotationDepth = 0;
    while (i < t.size()) {
      const char c = t[i];
      if (c == '"') {
        i = stringEnd(i);
        continue;
      }
      if (c == '<') ++annotationDepth;
      if (c == '>' && annotationDepth > 0) --annotationDepth;
      if (c == ';' && annotationDepth == 0) return i + 1;
      ++i;
    }
    return t.size();
  }
  // The identifier ending right before i (skipping blanks and one [..] suffix).
  std::string identifierBefore(size_t i) const {
    const std::string& t = result_.text;
    i = blanksBefore(i);
    if (i > 0 && t[i - 1] == ']') {
      size_t open = t.rfind('[', i - 1);
      if (open == std::string::npos) return {};
      i = blanksBefore(open);
    }
    size_t end = i;
    while (i > 0 && isWordChar(t[i - 1])) --i;
    return t.substr(i, end - i);
  }

  size_t word(size_t i) {
    std::string& t = result_.text;
    size_t end = i;
    while (end < t.size() && isWordChar(t[end])) ++end;
    const std::string w = t.substr(i, end - i);
    const bool atStart = statementStart_ && braceDepth_ == 0;
    statementStart_ = false;
    if (atStart && kTechniqueWords.count(w)) {
      size_t stop = afterBlock(end);
      size_t after = skipBlanks(stop);
      if (after < t.size() && t[after] == ';') stop = after + 1;
      blank(i, stop);
      statementStart_ = true;
      return stop;
    }
    if (atStart && kTextureWords.count(w)) {
      size_t stop = afterStatement(end);
      blank(i, stop);
      statementStart_ = true;
      return stop;
    }
    if (w == "sampler_state") return samplerState(i, end);
    return end;
  }

  // `= sampler_state { ... }` on a sampler declaration: the framework's states.
  size_t samplerState(size_t i, size_t end) {
    size_t equals = blanksBefore(i);
    if (equals == 0 || result_.text[equals - 1] != '=') return end;
    size_t stop = afterBlock(end);
    blank(equals - 1, stop);
    return stop;
  }

  size_t punctuation(size_t i) {
    const char c = result_.text[i];
    if (c == '{') ++braceDepth_;
    if (c == '}') {
      if (braceDepth_ > 0) --braceDepth_;
      if (braceDepth_ == 0) {
        statementStart_ = true;
        sawEquals_ = false;
        declaredName_.clear();
      }
    }
    if (c == '(') ++parenDepth_;
    if (c == ')' && parenDepth_ > 0) --parenDepth_;
    if (c == ';' && braceDepth_ == 0) {
      statementStart_ = true;
      sawEquals_ = false;
      declaredName_.clear();
    }
    if (c == '=' && braceDepth_ == 0) sawEquals_ = true;
    if (c == ':' && braceDepth_ == 0 && parenDepth_ == 0 && !sawEquals_) return globalColon(i);
    if (!std::isspace(static_cast<unsigned char>(c)) && c != '}' && c != ';') statementStart_ = false;
    return i + 1;
  }

  // After a global declaration's name: a register binding or a semantic.
  size_t globalColon(size_t i) {
    std::string& t = result_.text;
    // A second colon follows the semantic: it still belongs to the declared name.
    if (declaredName_.empty()) declaredName_ = identifierBefore(i);
    const std::string name = declaredName_;
    size_t wordStart = skipBlanks(i + 1);
    size_t wordEnd = wordStart;
    while (wordEnd < t.size() && isWordChar(t[wordEnd])) ++wordEnd;
    const std::string after = t.substr(wordStart, wordEnd - wordStart);
    if (name.empty() || after.empty()) return i + 1;
    if (after != "register") {
      result_.semantics[name] = after;
      return wordEnd;
    }
    size_t open = skipBlanks(wordEnd);
    size_t close = t.find(')', open);
    if (open >= t.size() || t[open] != '(' || close == std::string::npos) return i + 1;
    std::string reg = t.substr(skipBlanks(open + 1), close - skipBlanks(open + 1));
    // A sampler's unit, or a Direct3D 10 style texture's (its sampler takes its name).
    if (!reg.empty() && std::strchr("sStT", reg[0])) result_.samplerRegisters[name] = std::atoi(reg.c_str() + 1);
    blank(i, close + 1);
    return close + 1;
  }

  HlslPrepassResult result_;
  int braceDepth_ = 0;
  int parenDepth_ = 0;
  bool statementStart_ = true;
  bool sawEquals_ = false;
  std::string declaredName_;
};

}  // namespace

HlslPrepassResult hlslPrepass(const std::string& text) { return Prepass(text).run(); }

}  // namespace tk
