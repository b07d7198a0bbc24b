#include "render/renderer_start.h"

#include "render/color_formats.h"
#include "render/renderer_ctx_adv.h"
#include "render/tk_manager.h"

namespace tk {

STkRendering& rendering() {
  static STkRendering r;
  return r;
}

namespace {

// The named targets in A16B16G16R16F, the advanced context and, until the
// light pre-pass renderer draws its own frame, its stand-in as the default
// renderer (see CTkRendererLppForward).
bool startAdvanced(CTkManager* manager, bool antialias) {
  CTkRendererManager* renderers = manager->getRendererManager();
  if (!renderers->createRenderTargets(CF_A16B16G16R16F)) return false;
  CTkRendererCtxAdv* ctx = renderers->createRendererCtxAdv(manager->getRenderServices(), manager->getEffectManager(),
                                                           ctxAdvFiles(antialias));
  if (!ctx) return false;
  STkRendering& r = rendering();
  r.context = ctx;
  r.advancedContext = ctx;
  r.defaultRenderer = renderers->createRendererLppForward(ctx);
  return true;
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
    // Off OpenGL the pre-pass stand-in still names the pre-pass renderer's
    // surface effects, so surfaces are made alike on every driver.
    r.context = renderers->createRendererCtx(manager->getRenderServices());
    r.defaultRenderer = lightPrePass ? renderers->createRendererLppForward(r.context)
                                     : renderers->createRendererSimple(r.context);
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
