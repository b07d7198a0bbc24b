#pragma once
// The names a pass's states and annotations use, as material settings.

#include <cstdint>
#include <string>

namespace tk {

struct SBaseMaterialName {
  const char* name;
  int materialType;
  uint32_t typeParameterBits;  // the display library's packed blend function, as float bits
};

// The "baseMaterial" annotation's entry (ignoring case), or null.
const SBaseMaterialName* baseMaterialNamed(const std::string& name);
// Blend factor codes ("SRC_ALPHA" 6 ...), ignoring case; 1 for an unlisted name.
int blendFactorCodeOf(const std::string& name);
// Depth comparison code of a "depth_func" value (exact case); -1 for another value.
int depthComparisonCodeOf(const std::string& value);

}  // namespace tk
