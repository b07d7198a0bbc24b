#pragma once
// The names a pass's states and annotations use, as material settings.

#include <cstdint>
#include <string>

#include "effects/device_state_codes.h"

namespace tk {

struct SBaseMaterialName {
  const char* name;
  BaseMaterial materialType;
  uint32_t typeParameterBits;  // the display library's packed blend function, as float bits
};

// The "baseMaterial" annotation's entry (ignoring case), or null.
const SBaseMaterialName* baseMaterialNamed(const std::string& name);
// Blend factor codes ("SRC_ALPHA" kBlendSrcAlpha ...), ignoring case; kBlendOne
// for an unlisted name.
BlendFactor blendFactorCodeOf(const std::string& name);
// Comparison code (a CompareFunction) of a "depth_func" value (exact case); -1
// for another value.
int depthComparisonCodeOf(const std::string& value);

}  // namespace tk
