#include "render/renderer_start.h"

#include "render/color_formats.h"
#include "render/lpp/renderer_lpp.h"
#include "render/renderer_ctx_adv.h"
#include "render/tk_manager.h"

namespace tk {

STkRendering& rendering() {
  static STkRendering r;
  return r;
}

namespace {

// The named targets in A16B16G16R16F, the advanced context and the light
// pre-pass renderer as the default renderer.
bool startAdvanced(CTkManager* manager, bool antialias) {
  CTkRendererManager* renderers = manager->getRendererManager();
  if (!renderers->createRenderTargets(CF_A16B16G16R16F)) return false;
  CTkRendererCtxAdv* ctx = renderers->createRendererCtxAdv(manager->getRenderServices(), manager->getEffectManager(),
                                                           ctxAdvFiles(antialias));
  if (!ctx) return false;
  STkRendering& r = rendering();
  r.context = ctx;
  r.advancedContext = ctx;
  r.defaultRenderer = renderers->createRendererLpp(ctx, manager->getRenderServices());
  return r.defaultRenderer != nullptr;
}

}  // namespace

bool startRenderer(CTkManager* manager, bool lightPrePass, bool antialias) {
  CTkRendererManager* renderers = manager->getRendererManager();
  renderers->targets().create("DummyRenderTarget", irr::core::dimension2du(32, 32), colorFormatOf(CF_A8R8G8B8),
                              false, false);
  STkRendering& r = rendering();
  const bool advanced = lightPrePass && manager->getEffectManager() &&
                        manager->getDevice()->getVideoDriver()->getDriverType() == irr::video::EDT_OPENGL;
  if (advanced) {
    if (!startAdvanced(manager, antialias)) return false;
  } else {
    // The light pre-pass needs the named targets and the effects only the
    // OpenGL driver draws: elsewhere the simple renderer draws the frame.
    r.context = renderers->createRendererCtx(manager->getRenderServices());
    r.defaultRenderer = renderers->createRendererSimple(r.context);
  }
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
