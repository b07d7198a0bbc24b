#pragma once
// The macro set of a LightWave surface: one bit per feature in use, each bit
// a macro, added from the lowest bit to the highest.

#include <cstdint>
#include <vector>

#include "effects/shader_macro.h"
#include "surfaces/surface.h"
#include "surfaces/surface_host.h"

namespace tk {

enum : uint32_t {
  kLwMacroTexColor = 0x1,
  kLwMacroTexLuminosity = 0x2,
  kLwMacroTexDiffuse = 0x4,
  kLwMacroTexSpecular = 0x8,
  kLwMacroTexGlossiness = 0x10,
  kLwMacroTexReflectionImage = 0x20,
  kLwMacroTexReflectivity = 0x40,
  kLwMacroTexTransparency = 0x80,
  kLwMacroTexTranslucency = 0x100,
  kLwMacroTexNormal = 0x200,
  kLwMacroTransparent = 0x400,
  kLwMacroTranslucency = 0x800,
  kLwMacroTexReflectionCube = 0x1000,
  kLwMacroComputeTangents = 0x2000,
  kLwMacroUV2 = 0x4000,
  kLwMacroUV2InTexCoord2 = 0x8000,
  kLwMacroCubeMapBox = 0x2000000,
  kLwMacroNodeCubeMap = 0x4000000,
};

// The bits of `surface` drawn on a node (`onNode`) whose extension is `host`
// (null: none).
uint32_t lightwaveMacroBits(const ITkSurface& surface, bool onNode, ITkSurfaceHost* host);
// The macro names of the bits, lowest bit first.
std::vector<const char*> lightwaveMacroNames(uint32_t bits);

// The whole operation: the macros fitted into the caller's room (or the
// "Not enough space for macros" message and false) and the base material,
// alpha-channel transparent with USE_TRANSPARENT, else solid.
bool lightwaveCompileParameters(const ITkSurface& surface, bool onNode, ITkSurfaceHost* host, int* baseMaterial,
                                ShaderMacroList* macros, int* capacity);

}  // namespace tk
