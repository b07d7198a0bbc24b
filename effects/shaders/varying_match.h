#pragma once
// Direct3D 9 lets a pixel shader read an input its vertex shader does not
// write (it reads zeros on most hardware); GLSL refuses to link such a pair.
// The pixel shader's unmatched inputs become zero-valued globals instead.

#include <string>

namespace tk {

// The pixel GLSL to link with `vertexGlsl`: inputs named by semantic ("v_...")
// that the vertex shader does not write read zero.
std::string pixelGlslMatchedTo(const std::string& vertexGlsl, const std::string& pixelGlsl);

}  // namespace tk
