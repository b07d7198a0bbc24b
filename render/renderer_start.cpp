#include "render/renderer_start.h"

#include "render/color_formats.h"
#include "render/tk_manager.h"

namespace tk {

STkRendering& rendering() {
  static STkRendering r;
  return r;
}

bool startRenderer(CTkManager* manager, bool lightPrePass, bool antialias) {
  CTkRendererManager* renderers = manager->getRendererManager();
  renderers->targets().create("DummyRenderTarget", irr::core::dimension2du(32, 32), colorFormatOf(CF_A8R8G8B8),
                              false, false);
  STkRendering& r = rendering();
  // The light pre-pass path (advanced context, named targets, pre-pass
  // renderer) is taken here once that renderer exists; until then its
  // stand-in draws forward with the pre-pass renderer's surface effects.
  (void)antialias;
  r.context = renderers->createRendererCtx(manager->getRenderServices());
  r.defaultRenderer = lightPrePass ? renderers->createRendererLppForward(r.context)
                                   : renderers->createRendererSimple(r.context);
  r.currentRenderer = r.defaultRenderer;
  return r.defaultRenderer != nullptr;
}

void stopRenderer() {
  STkRendering& r = rendering();
  if (r.currentRenderer && r.currentRenderer != r.defaultRenderer) r.currentRenderer->drop();
  if (r.defaultRenderer) r.defaultRenderer->drop();
  if (r.context) r.context->drop();
  r = STkRendering();
}

bool currentMaterialEffect(std::string* file, ShaderMacroList* macros, int* capacity, int materialType) {
  ITkRenderer* renderer = rendering().currentRenderer;
  if (renderer) return renderer->getMaterialEffect(file, macros, capacity, materialType);
  file->clear();
  *capacity = 0;
  return true;
}

void setCurrentRenderer(ITkRenderer* renderer) {
  STkRendering& r = rendering();
  if (!renderer) renderer = r.defaultRenderer;
  if (renderer == r.currentRenderer) return;
  if (renderer != r.defaultRenderer) renderer->grab();
  if (r.currentRenderer && r.currentRenderer != r.defaultRenderer) r.currentRenderer->drop();
  r.currentRenderer = renderer;
}

}  // namespace tk
