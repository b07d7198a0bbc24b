#pragma once
// The changes made to a shader's SPIR-V interface before GLSL is written, so
// that a vertex and a pixel shader translated one by one link and run as under
// Direct3D 9:
// - a vertex output with semantic POSITION is the clip position;
// - varyings are named by semantic ("v_TEXCOORD1") without locations, so the
//   two stages link by semantic, not by declaration order;
// - vertex inputs read what the display library's GL driver feeds (gl_Vertex,
//   gl_Normal, gl_Color, gl_SecondaryColor, gl_MultiTexCoordN);
// - VPOS and VFACE read gl_FragCoord and gl_FrontFacing;
// - the constants form one uniform block per stage with its own name and binding;
// - every sampler gets a unit: its register(sN) or else the lowest free one.

#include <map>
#include <string>

namespace spirv_cross {
class CompilerGLSL;
}

namespace tk {

struct STkShaderConstantTable;

void fixShaderInterface(spirv_cross::CompilerGLSL& compiler, bool vertex,
                        const std::map<std::string, int>& samplerRegisters);

// A semantic in one spelling: upper case with its index ("TEXCOORD" and
// "texcoord0" both give "TEXCOORD0").
std::string canonicalSemantic(const std::string& semantic);

}  // namespace tk
