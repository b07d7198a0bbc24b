#pragma once
// Surfaces on the null driver made as the light pre-pass renderer makes them
// on OpenGL: the null driver's own renderer is the simple one, which names no
// surface effects, so tests of the effect variants make this one current.

#include "render/engine.h"
#include "render/renderer.h"
#include "render/renderer_start.h"

namespace tk::test {

class PrePassEffectNames : public CTkRendererSimple {
 public:
  using CTkRendererSimple::CTkRendererSimple;
  bool getMaterialEffect(std::string* file, ShaderMacroList* macros, int* capacity, int materialType) override {
    return lightPrePassMaterialEffect("CTkRendererLpp", file, macros, capacity, materialType);
  }
};

// Makes a PrePassEffectNames current; the engine's shutdown releases it.
inline void namePrePassEffects() {
  auto* names = new PrePassEffectNames(tkEngine().device, rendering().context);
  setCurrentRenderer(names);
  names->drop();
}

}  // namespace tk::test
