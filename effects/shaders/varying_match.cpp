#include "effects/shaders/varying_match.h"

#include <regex>
#include <set>

namespace tk {
namespace {

// Declarations as the GLSL writer emits them, one per line, with optional
// interpolation qualifiers: "noperspective in vec2 v_TEXCOORD1;".
const std::regex kVarying(R"(^((?:flat |noperspective |centroid |sample )*)(in|out) (\w+) (v_\w+);$)",
                          std::regex::multiline);

std::set<std::string> writtenVaryings(const std::string& vertexGlsl) {
  std::set<std::string> names;
  for (auto it = std::sregex_iterator(vertexGlsl.begin(), vertexGlsl.end(), kVarying); it != std::sregex_iterator(); ++it)
    if ((*it)[2] == "out") names.insert((*it)[4]);
  return names;
}

}  // namespace

std::string pixelGlslMatchedTo(const std::string& vertexGlsl, const std::string& pixelGlsl) {
  const std::set<std::string> written = writtenVaryings(vertexGlsl);
  std::string matched;
  size_t copied = 0;
  for (auto it = std::sregex_iterator(pixelGlsl.begin(), pixelGlsl.end(), kVarying); it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    if (m[2] != "in" || written.count(m[4])) continue;
    matched.append(pixelGlsl, copied, static_cast<size_t>(m.position(0)) - copied);
    matched += m[3].str() + " " + m[4].str() + " = " + m[3].str() + "(0);";
    copied = static_cast<size_t>(m.position(0) + m.length(0));
  }
  matched.append(pixelGlsl, copied, std::string::npos);
  return matched;
}

}  // namespace tk
