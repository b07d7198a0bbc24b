#include "effects/runtime/sampler_record.h"

#include <strings.h>

namespace tk {
namespace {

bool sameIgnoringCase(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

struct WrapName {
  const char* name;
  int code;
};
constexpr WrapName kWrapNames[] = {
    {"WRAP", 0},         {"REPEAT", 0},        {"CLAMP", 1},
    {"CLAMP_TO_EDGE", 2}, {"CLAMP_TO_BORDER", 3}, {"BORDER", 3},
    {"MIRROR", 4},       {"MIRROR_CLAMP", 5},  {"MIRRORED_REPEAT", 5},
    {"MIRROR_CLAMP_TO_EDGE", 6}, {"MIRROR_CLAMP_TO_BORDER", 7}, {"MIRROR_ONCE", 7},
};

}  // namespace

int wrapCodeOf(const std::string& name) {
  for (const WrapName& entry : kWrapNames)
    if (sameIgnoringCase(name, entry.name)) return entry.code;
  return 0;
}

STkTextureLayer samplerRecordOf(const SParameter& parameter) {
  const SSampler& sampler = parameter.sampler;
  STkTextureLayer layer;
  layer.wrapU = static_cast<uint8_t>(wrapCodeOf(sampler.wrapS));
  layer.wrapV = static_cast<uint8_t>(wrapCodeOf(sampler.wrapT));
  layer.bilinear = true;
  layer.trilinear = false;
  layer.anisotropy = 0;
  if (sameIgnoringCase(sampler.minFilter, "NEAREST")) layer.bilinear = false;
  if (sameIgnoringCase(sampler.minFilter, "LINEAR")) layer.bilinear = true;
  if (sameIgnoringCase(sampler.minFilter, "ANISOTROPIC")) layer.anisotropy = 8;
  if (sameIgnoringCase(sampler.magFilter, "NEAREST")) layer.bilinear = false;
  if (sameIgnoringCase(sampler.magFilter, "LINEAR")) layer.bilinear = true;
  if (sameIgnoringCase(sampler.mipFilter, "LINEAR")) layer.trilinear = true;
  layer.lodBias = 0;
  layer.sRGB = annotationSaysSRGB(parameter);
  return layer;
}

bool annotationSaysSRGB(const SParameter& parameter) {
  const SParameter* annotation = findNamed(parameter.annotations, "SRGB");
  return annotation && sameIgnoringCase(annotation->value, "true");
}

}  // namespace tk
