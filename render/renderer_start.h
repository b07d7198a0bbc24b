#pragma once
// The engine's renderers: its context, its default renderer and the current one.

#include "render/renderer.h"

namespace tk {

class CTkManager;
class CTkRendererCtxAdv;

struct STkRendering {
  ITkRendererCtx* context = nullptr;
  // The same context when the advanced renderer runs, else none: command
  // renderers exist only beside the advanced renderer.
  CTkRendererCtxAdv* advancedContext = nullptr;
  ITkRenderer* defaultRenderer = nullptr;
  ITkRenderer* currentRenderer = nullptr;
};

STkRendering& rendering();

// Creates the dummy target, the context and the default renderer, and makes it
// current. With the light pre-pass on the OpenGL driver the advanced path
// runs: the named 16-bit float targets and the advanced context. False when
// there is no default renderer.
bool startRenderer(CTkManager* manager, bool lightPrePass, bool antialias);
// Releases the default renderer, then the context.
void stopRenderer();
// None restores the default renderer.
void setCurrentRenderer(ITkRenderer* renderer);
// The current renderer's getMaterialEffect; without a renderer no file and
// no macros.
bool currentMaterialEffect(std::string* file, ShaderMacroList* macros, int* capacity, int materialType);

}  // namespace tk
