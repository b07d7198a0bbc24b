#include "effects/definitions/tesk_header_line.h"

#include <cstdio>
#include <cstring>

namespace tk {
namespace {

constexpr size_t kMaxFields = 32;
constexpr size_t kMaxWords = 20;

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string trimSpaces(const std::string& text) {
  size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return std::string();
  size_t end = text.find_last_not_of(' ');
  return text.substr(begin, end - begin + 1);
}

std::vector<std::string> splitWords(const std::string& text, const char* separators,
                                    size_t limit) {
  std::vector<std::string> words;
  size_t pos = 0;
  while (words.size() < limit) {
    size_t begin = text.find_first_not_of(separators, pos);
    if (begin == std::string::npos) break;
    size_t end = text.find_first_of(separators, begin);
    if (end == std::string::npos) end = text.size();
    words.push_back(text.substr(begin, end - begin));
    pos = end;
  }
  return words;
}

bool equalsIgnoringCase(const std::string& a, const char* b) {
  size_t length = std::strlen(b);
  if (a.size() != length) return false;
  for (size_t i = 0; i < length; ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

std::string countMessage(const char* format, size_t count) {
  char text[96];
  snprintf(text, sizeof text, format, static_cast<int>(count));
  return text;
}

void addParameterBind(SShader& shader, const std::string& name) {
  if (findNamed(shader.binds, name)) return;
  SParameter bind;
  bind.name = bind.value = name;
  shader.binds.push_back(bind);
}

TeskHeaderLine cutHeaderLine(const std::string& line) {
  TeskHeaderLine cut;
  size_t begin = 0;
  while (cut.fields.size() < kMaxFields) {
    size_t end = line.find_first_of(":;", begin);
    cut.fields.push_back(trimSpaces(line.substr(begin, end == std::string::npos
                                                           ? std::string::npos
                                                           : end - begin)));
    if (end == std::string::npos) break;
    begin = end + 1;
  }
  cut.words = splitWords(cut.fields[0], "\t/ \r\n", kMaxWords);
  return cut;
}

}  // namespace tk
