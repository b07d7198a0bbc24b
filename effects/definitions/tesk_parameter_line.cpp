// Parameter lines: "// float4 tint : 1,0.5,0.5,1 : pixel color" declares a
// shader constant, its default value or the engine value that feeds it, and
// the shaders that use it.

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

unsigned parameterFlags(const std::string& field) {
  unsigned flags = 0;
  for (const std::string& word : splitWords(field, " \r\n", 20)) flags |= teskParameterFlag(word);
  return flags;
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
  if (type == 0) return true;  // not a declaration: ignored
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
  const unsigned flags = parameterFlags(line.field(2));
  applyAnnotations(flags, &parameter.annotations);
  context.def->addParameter(parameter);
  addBinds(flags, parameter.name, context);
  return true;
}

}  // namespace tk
