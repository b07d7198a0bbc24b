#pragma once
// The macro set of a HyperVoxel particle surface: image colour, gradients and
// rotation in use, then one macro for the blend mode.

#include <vector>

#include "effects/binds/node_extension_view.h"
#include "effects/shader_macro.h"

namespace tk {

std::vector<const char*> hyperVoxelMacroNames(const STkHyperVoxelData& data);
// Alpha-channel transparent for alpha, additive for additive, one-texture
// blend for subtractive, solid for any other mode.
int hyperVoxelBaseMaterial(int blendMode);
// The macros fitted into the caller's room (or the "Not enough space for
// macros" message and false) and the base material.
bool hyperVoxelCompileParameters(const STkHyperVoxelData& data, int* baseMaterial, ShaderMacroList* macros,
                                 int* capacity);

}  // namespace tk
