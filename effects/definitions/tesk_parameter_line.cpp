// Parameter lines: "// float4 tint : 1,0.5,0.5,1 : pixel color" declares a
// shader constant, its default value or the engine value that feeds it, and
// the shaders that use it.

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "effects/definitions/tesk_header_line.h"
#include "effects/definitions/tesk_header_tables.h"

namespace tk {
namespace {

constexpr size_t kMaxDefaultValues = 32;

// "1, 2 ,3" → "1  2  3  ": each value followed by two spaces.
std::string defaultValueText(const std::string& value) {
  std::string text;
  size_t begin = 0;
  for (size_t count = 0; count < kMaxDefaultValues && begin <= value.size(); ++count) {
    size_t end = value.find(',', begin);
    std::string item = trimSpaces(value.substr(begin, end == std::string::npos
                                                          ? std::string::npos
                                                          : end - begin));
    if (!item.empty()) text += item + "  ";
    if (end == std::string::npos) break;
    begin = end + 1;
  }
  return text;
}

// A built-in semantic, a surface parameter or default values.
void applyValue(const std::string& value, SParameter* parameter) {
  static const std::string kSurfacePrefix = "Surface_";
  if (const char* semantic = teskBuiltInSemantic(value)) {
    parameter->semantic = semantic;
  } else if (value.compare(0, kSurfacePrefix.size(), kSurfacePrefix) == 0 &&
             teskSurfaceParameter(value.substr(kSurfacePrefix.size()))) {
    parameter->semantic =
        std::string("LW_") + teskSurfaceParameter(value.substr(kSurfacePrefix.size()));
  } else {
    parameter->value = defaultValueText(value);
  }
}

unsigned parameterFlags(const std::string& field, TeskTechniqueContext& context) {
  unsigned flags = 0;
  for (const std::string& word : splitWords(field, " \r\n", 20)) {
    const unsigned flag = teskParameterFlag(word);
    if (!flag) context.note("unknown flag '" + word + "' is ignored");
    flags |= flag;
  }
  return flags;
}

// How many default values a type word holds; -1 for any number (floatN).
int valueCount(const std::string& typeWord) {
  static const struct {
    const char* word;
    int count;
  } counts[] = {{"int", 1},    {"integer", 1}, {"bool", 1},      {"float", 1},  {"float2", 2},
                {"float3", 3}, {"float4", 4},  {"float4x4", 16}, {"floatN", -1}, {"floatNRef", -1}};
  for (const auto& entry : counts)
    if (equalsIgnoringCase(typeWord, entry.word)) return entry.count;
  return -1;
}

// Default values the reader would take otherwise than written: too few or too
// many for the type, words that are no numbers, integers past the int range.
void noteDefaultValues(const std::string& typeWord, int type, const SParameter& parameter, const std::string& value,
                       TeskTechniqueContext& context) {
  const std::string what = "'" + parameter.name + "' (" + typeWord + ")";
  const bool whole = type == kParamInt || type == kParamBool;
  const std::vector<std::string> values = splitWords(value, ", \t", kMaxDefaultValues);
  for (const std::string& item : values) {
    errno = 0;
    char* end = nullptr;
    const long long number = whole ? std::strtoll(item.c_str(), &end, 10) : 0;
    if (!whole) std::strtod(item.c_str(), &end);
    if (*end != '\0') {
      context.note("value '" + item + "' of " + what + " is not a" + (whole ? "n integer" : " number") +
                   ": it is not read as written");
    } else if (whole && (errno == ERANGE || number > INT_MAX || number < INT_MIN)) {
      context.note("value '" + item + "' of " + what + " is beyond the int range: it reads as " +
                   std::to_string(number > 0 ? INT_MAX : INT_MIN));
    }
  }
  const int expected = valueCount(typeWord);
  const int given = static_cast<int>(values.size());
  if (expected < 0 || given == expected) return;
  context.note(what + " has " + std::to_string(given) + " values where " + std::to_string(expected) +
               (given < expected ? " are expected: the missing ones read as 0"
                                 : " are expected: those after the first " + std::to_string(expected) +
                                       " are ignored"));
}

void applyAnnotations(unsigned flags, std::vector<SParameter>* annotations) {
  if (flags & kParamColor) {
    setNamed(annotations, "UIWidget", "Color");
  } else if (flags & kParamPercent) {
    setNamed(annotations, "UIWidget", "Percent");
  }
  if (flags & kParamDivider) setNamed(annotations, "UIDivider", "before");
  if (flags & kParamDivAfter) setNamed(annotations, "UIDivider", "after");
}

// "pixel" wins over "vertex", which wins over "both"; without any of them a
// parameter belongs to the vertex shader.
void addBinds(unsigned flags, const std::string& name, TeskTechniqueContext& context) {
  SShader& vertex = context.vertexShader();
  SShader& pixel = context.pixelShader();
  if (flags & kParamPixel) {
    addParameterBind(pixel, name);
  } else if (flags & kParamVertex) {
    addParameterBind(vertex, name);
  } else if (flags & kParamBoth) {
    addParameterBind(vertex, name);
    addParameterBind(pixel, name);
  } else {
    addParameterBind(vertex, name);
  }
}

}  // namespace

bool parseParameterLine(const TeskHeaderLine& line, TeskTechniqueContext& context) {
  const int type = line.words.empty() ? 0 : teskParameterType(line.words[0]);
  if (type == 0) {
    // Not a declaration: ignored. One that reads like a declaration is noted.
    if (line.words.size() >= 2 && line.fields.size() >= 2)
      context.note("unknown type '" + line.words[0] + "': the line is ignored");
    return true;
  }
  if (line.words.size() < 2) {
    context.error = countMessage("param line has %d tokens0 less than 2", line.words.size());
    return false;
  }
  if (line.fields.size() < 2) {
    context.error = countMessage("param line has %d tokens less than 1", line.fields.size() - 1);
    return false;
  }
  SParameter parameter;
  parameter.name = line.words[1];
  parameter.type = type;
  applyValue(line.fields[1], &parameter);
  if (parameter.semantic.empty()) noteDefaultValues(line.words[0], type, parameter, line.fields[1], context);
  const unsigned flags = parameterFlags(line.field(2), context);
  applyAnnotations(flags, &parameter.annotations);
  context.def->addParameter(parameter);
  addBinds(flags, parameter.name, context);
  return true;
}

}  // namespace tk
