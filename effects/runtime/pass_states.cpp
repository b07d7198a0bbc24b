#include "effects/runtime/pass_states.h"

#include <strings.h>

#include <cstring>

namespace tk {
namespace {

constexpr SBaseMaterialName kBaseMaterials[] = {
    {"solid", 0, 0},
    {"transparent_add_color", 12, 0},
    {"transparent_vertex_alpha", 15, 0},
    {"transparent", 13, 0},
    {"transparent_alpha_channel", 13, 0},
    {"transparent_alpha_channel_ref", 14, 0},
    {"transparent_one_one", 23, 0x111},
    {"transparent_sub_color", 23, 0x105},
};

constexpr const char* kBlendFactors[] = {
    "ZERO",      "ONE",           "DEST_COLOR",          "ONE_MINUS_DEST_COLOR", "SRC_COLOR",         "ONE_MINUS_SRC_COLOR",
    "SRC_ALPHA", "ONE_MINUS_SRC_ALPHA", "DEST_ALPHA", "ONE_MINUS_DEST_ALPHA", "SRC_ALPHA_SATURATE",
};

struct DepthName {
  const char* name;
  int code;
};
constexpr DepthName kDepthFunctions[] = {
    {"NEVER", 8}, {"LESS", 3},     {"LEQUAL", 1}, {"EQUAL", 2},
    {"GREATER", 6}, {"NOTEQUAL", 4}, {"GEQUAL", 5}, {"ALWAYS", 7},
};

}  // namespace

const SBaseMaterialName* baseMaterialNamed(const std::string& name) {
  for (const SBaseMaterialName& entry : kBaseMaterials)
    if (strcasecmp(entry.name, name.c_str()) == 0) return &entry;
  return nullptr;
}

int blendFactorCodeOf(const std::string& name) {
  for (int code = 0; code < static_cast<int>(sizeof kBlendFactors / sizeof *kBlendFactors); ++code)
    if (strcasecmp(kBlendFactors[code], name.c_str()) == 0) return code;
  return 1;
}

int depthComparisonCodeOf(const std::string& value) {
  for (const DepthName& entry : kDepthFunctions)
    if (value == entry.name) return entry.code;
  return -1;
}

}  // namespace tk
