#include "effects/runtime/pass_states.h"

#include <strings.h>

#include <cstring>
#include <iterator>

namespace tk {
namespace {

constexpr SBaseMaterialName kBaseMaterials[] = {
    {"solid", kBaseMaterialSolid, 0},
    {"transparent_add_color", kBaseMaterialTransparentAddColor, 0},
    {"transparent_vertex_alpha", kBaseMaterialTransparentVertexAlpha, 0},
    {"transparent", kBaseMaterialTransparentAlphaChannel, 0},
    {"transparent_alpha_channel", kBaseMaterialTransparentAlphaChannel, 0},
    {"transparent_alpha_channel_ref", kBaseMaterialTransparentAlphaChannelRef, 0},
    {"transparent_one_one", kBaseMaterialOneTextureBlend,
     packedBlendFunction(kBlendOne, kBlendOne, kBlendModulate1x, kBlendAlphaSourceNone)},
    {"transparent_sub_color", kBaseMaterialOneTextureBlend,
     packedBlendFunction(kBlendZero, kBlendOneMinusSrcColor, kBlendModulate1x, kBlendAlphaSourceNone)},
};

// Indexed by blend factor code.
constexpr const char* kBlendFactorNames[] = {
    "ZERO",      "ONE",           "DEST_COLOR",          "ONE_MINUS_DEST_COLOR", "SRC_COLOR",         "ONE_MINUS_SRC_COLOR",
    "SRC_ALPHA", "ONE_MINUS_SRC_ALPHA", "DEST_ALPHA", "ONE_MINUS_DEST_ALPHA", "SRC_ALPHA_SATURATE",
};
static_assert(std::size(kBlendFactorNames) == kBlendFactorEnd, "one name per blend factor code");

struct DepthName {
  const char* name;
  int code;
};
constexpr DepthName kDepthFunctions[] = {
    {"NEVER", kCompareNever},         {"LESS", kCompareLess},
    {"LEQUAL", kCompareLessEqual},    {"EQUAL", kCompareEqual},
    {"GREATER", kCompareGreater},     {"NOTEQUAL", kCompareNotEqual},
    {"GEQUAL", kCompareGreaterEqual}, {"ALWAYS", kCompareAlways},
};

}  // namespace

const SBaseMaterialName* baseMaterialNamed(const std::string& name) {
  for (const SBaseMaterialName& entry : kBaseMaterials)
    if (strcasecmp(entry.name, name.c_str()) == 0) return &entry;
  return nullptr;
}

BlendFactor blendFactorCodeOf(const std::string& name) {
  for (int code = 0; code < kBlendFactorEnd; ++code)
    if (strcasecmp(kBlendFactorNames[code], name.c_str()) == 0) return static_cast<BlendFactor>(code);
  return kBlendOne;
}

int depthComparisonCodeOf(const std::string& value) {
  for (const DepthName& entry : kDepthFunctions)
    if (value == entry.name) return entry.code;
  return -1;
}

}  // namespace tk
