// Texture lines: "// texture 0 : diffuse.png : repeat srgb" declares a sampled
// texture, either in a numbered sampler slot or as a named parameter.

#include <string>

#include "effects/definitions/tesk_header_line.h"
#include "effects/definitions/tesk_header_tables.h"

namespace tk {
namespace {

constexpr size_t kMaxSlotDigits = 9;  // keeps the slot inside an int

bool allDigits(const std::string& word) {
  if (word.empty()) return false;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

unsigned textureFlags(const std::string& field, TeskTechniqueContext& context) {
  unsigned flags = 0;
  for (const std::string& word : splitWords(field, " \r\n", 20)) {
    const unsigned flag = teskTextureFlag(word);
    if (!flag) context.note("unknown texture flag '" + word + "' is ignored");
    flags |= flag;
  }
  return flags;
}

int textureType(unsigned flags) {
  if (flags & kTexCube) return kParamTextureCube;
  if (flags & kTex3D) return kParamTexture3D;
  return kParamTexture2D;
}

const char* textureStateName(int type) {
  if (type == kParamTextureCube) return "textureCUBE";
  if (type == kParamTexture3D) return "texture3D";
  return "texture2D";
}

void applyWraps(unsigned flags, SSampler* sampler) {
  struct Wrap {
    unsigned flag;
    const char* s;
    const char* t;
    const char* r;
  };
  // In this order, so that a later flag overrides an earlier one.
  static const Wrap wraps[] = {
      {kTexRepeat, "REPEAT", "REPEAT", "REPEAT"},
      {kTexClamp, "CLAMP", "CLAMP", "CLAMP"},
      {kTexClampToEdge, "CLAMP_TO_EDGE", "CLAMP_TO_EDGE", "CLAMP_TO_EDGE"},
      {kTexClampV, "REPEAT", "CLAMP", "REPEAT"},
      {kTexClampToEdgeV, "REPEAT", "CLAMP_TO_EDGE", "REPEAT"},
      {kTexClampToBorder, "CLAMP_TO_BORDER", "CLAMP_TO_BORDER", "CLAMP_TO_BORDER"},
  };
  for (const Wrap& wrap : wraps) {
    if (!(flags & wrap.flag)) continue;
    sampler->wrapS = wrap.s;
    sampler->wrapT = wrap.t;
    sampler->wrapR = wrap.r;
  }
}

void applyFilters(unsigned flags, SSampler* sampler) {
  if (flags & kTexNoMipMap) sampler->mipFilter = "NONE";
  if (flags & kTexFilterPoint) sampler->minFilter = sampler->magFilter = "NEAREST";
  if (flags & kTexTrilinear) sampler->mipFilter = sampler->minFilter = sampler->magFilter = "LINEAR";
}

void applyAnnotations(unsigned flags, std::vector<SParameter>* annotations) {
  struct Annotation {
    unsigned flag;
    const char* name;
    const char* value;
  };
  static const Annotation table[] = {
      {kTexR32f, "format", "r32f"},         {kTexSrgb, "SRGB", "true"},
      {kTexLinear, "SRGB", "false"},        {kTexImage, "UIWidget", "Image"},
      {kTexImageRef, "UIWidget", "ImageRef"}, {kTexDivider, "UIDivider", "before"},
      {kTexDivAfter, "UIDivider", "after"},
  };
  for (const Annotation& annotation : table) {
    if (flags & annotation.flag) setNamed(annotations, annotation.name, annotation.value);
  }
}

// The value names an engine texture (preset), a LightWave channel or a file,
// which the loader is asked to look for.
void applyValue(const std::string& value, unsigned flags, SParameter* parameter, TeskTechniqueContext& context) {
  if (value.empty()) return;
  if (flags & kTexPreset) {
    parameter->semantic = value;
  } else if (const char* channel = teskLightwaveChannel(value)) {
    parameter->semantic = std::string("LW_Tex_") + channel;
  } else {
    parameter->sampler.imageReference = value;
    context.note(value, true);
  }
}

}  // namespace

bool parseTextureLine(const TeskHeaderLine& line, TeskTechniqueContext& context) {
  int slot = -1;
  std::string name;
  if (line.words.size() < 2) {
    slot = context.nextTextureSlot++;
  } else if (allDigits(line.words[1])) {
    if (line.words[1].size() > kMaxSlotDigits) {
      context.error = "texture slot " + line.words[1] + " is out of range";
      return false;
    }
    slot = std::stoi(line.words[1]);
  } else {
    name = line.words[1];
  }
  const unsigned flags = textureFlags(line.field(2), context);

  SParameter parameter;
  parameter.name = slot >= 0 ? "Tex_" + context.name + "_" + std::to_string(slot) : name;
  parameter.type = textureType(flags);
  applyValue(line.field(1), flags, &parameter, context);
  applyWraps(flags, &parameter.sampler);
  applyFilters(flags, &parameter.sampler);
  applyAnnotations(flags, &parameter.annotations);
  context.def->addParameter(parameter);

  if (slot < 0) {
    addParameterBind((flags & kTexVertex) ? context.vertexShader() : context.pixelShader(), name);
  } else {
    SState state;
    state.name = textureStateName(parameter.type);
    state.parameterReference = parameter.name;
    state.index = slot;
    context.pass().states.push_back(state);
  }
  return true;
}

}  // namespace tk
