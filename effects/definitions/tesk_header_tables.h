#pragma once
// The fixed vocabularies of the effect file header: parameter types, built-in
// semantics, surface parameters, LightWave texture channels and line flags.
// Every look-up ignores case (ASCII).

#include <string>

namespace tk {

// Type code of a parameter type word ("float4" 5, ...); 0 when unknown.
int teskParameterType(const std::string& word);

// The semantic stored for a built-in semantic name ("World" → "WorldTranspose",
// "time" → "Time"); null when the name is not built in.
const char* teskBuiltInSemantic(const std::string& name);
int teskBuiltInSemanticCount();

// The surface parameter's own spelling ("basecolor" → "BaseColor"); null when unknown.
const char* teskSurfaceParameter(const std::string& name);
// Its identifier: 0x10000 plus its position in the list; -1 when unknown.
int teskSurfaceParameterId(const std::string& name);

// The LightWave channel a texture line names ("Color" → "BaseColor"); null when unknown.
const char* teskLightwaveChannel(const std::string& name);

// Texture line flags.
enum : unsigned {
  kTexCube = 0x1,
  kTex3D = 0x2,
  kTexPreset = 0x4,
  kTexRepeat = 0x8,
  kTexClamp = 0x10,
  kTexClampToEdge = 0x20,
  kTexClampV = 0x40,
  kTexClampToEdgeV = 0x80,
  kTexClampToBorder = 0x100,
  kTexNoMipMap = 0x200,
  kTexFilterPoint = 0x400,
  kTexTrilinear = 0x800,
  kTexR32f = 0x1000,
  kTexSrgb = 0x2000,
  kTexLinear = 0x4000,
  kTexImage = 0x8000,
  kTexImageRef = 0x10000,
  kTexVertex = 0x20000,
  kTexDivider = 0x40000,
  kTexDivAfter = 0x80000,
};

// Parameter line flags.
enum : unsigned {
  kParamPixel = 0x1,
  kParamVertex = 0x2,
  kParamBoth = 0x4,
  kParamColor = 0x8,
  kParamPercent = 0x10,
  kParamDivider = 0x20,
  kParamDivAfter = 0x40,
};

// The bit of one flag word; 0 for words the table does not list.
unsigned teskTextureFlag(const std::string& word);
unsigned teskParameterFlag(const std::string& word);

}  // namespace tk
