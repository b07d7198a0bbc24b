#include "geometry/obj/mtl_statements.h"

#include <cstring>
#include <string_view>

namespace tk {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// A statement keyword followed by a blank, as the parser recognises it.
bool startsWithKey(std::string_view line, std::string_view key) {
  return line.size() > key.size() && line.substr(0, key.size()) == key && isBlank(line[key.size()]);
}

unsigned statementOf(std::string_view line) {
  static const struct {
    const char* key;
    unsigned bit;
  } kKeys[] = {{"Ka", kMtlAmbient},   {"Kd", kMtlDiffuse}, {"Ks", kMtlSpecular}, {"Ke", kMtlEmissive},
               {"Ns", kMtlShininess}, {"d", kMtlDissolve}, {"Tf", kMtlFilter}};
  for (const auto& k : kKeys)
    if (startsWithKey(line, k.key)) return k.bit;
  return 0;
}

// The line as the parser sees it: trailing blanks gone, then read as a C string
// after its leading blanks.
std::string_view parsedLine(std::string_view raw) {
  size_t end = raw.find_last_not_of(" \t");
  raw = end == std::string_view::npos ? std::string_view() : raw.substr(0, end + 1);
  raw = raw.substr(0, raw.find('\0'));
  size_t start = raw.find_first_not_of(" \t");
  return start == std::string_view::npos ? std::string_view() : raw.substr(start);
}

}  // namespace

std::vector<unsigned> scanMtlStatements(const std::string& text) {
  std::vector<unsigned> materials;
  bool named = false;
  unsigned stated = 0;
  size_t begin = 0;
  while (begin <= text.size()) {
    size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string::npos) end = text.size();
    std::string_view line = parsedLine(std::string_view(text).substr(begin, end - begin));
    begin = end + 1;
    if (startsWithKey(line, "newmtl")) {
      if (named) materials.push_back(stated);
      named = line.size() > 7;
      stated = 0;
    } else {
      stated |= statementOf(line);
    }
  }
  materials.push_back(stated);
  return materials;
}

}  // namespace tk
