#include "api/render_frame.h"

#include "api/camera_effect_commands.h"
#include "api/draw_queue.h"
#include "api/effect_draws.h"
#include "base/log.h"
#include "platform/screenshot/frame_keeper.h"
#include "platform/window/window.h"
#include "render/engine.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"

namespace tk {
namespace {

void runCurrentRenderer(STkEngine& engine, irr::video::ITexture* display) {
  STkRendering& r = rendering();
  if (!r.currentRenderer) return;
  r.context->getFrameSettings().backgroundColor = engine.clearColor.color;
  if (r.advancedContext)
    r.advancedContext->refreshRenderSettings(engine.renderSettings, engine.cameraValues, engine.colorSpaceViewer, false);
  r.context->setPostEffects(enabledCameraEffectList());
  r.currentRenderer->render(display);
}

void keepFrameForScreenshots(STkEngine& engine) {
  if (engine.driver->getDriverType() != irr::video::EDT_OPENGL) return;
  irr::core::dimension2du size = engine.driver->getScreenSize();
  frameKeeper().frameFinished(static_cast<int>(size.Width), static_cast<int>(size.Height));
}

void flushDrawQueue(STkEngine& engine) {
  CTkEffectDraws effects(engine.driver, engine.manager ? engine.manager->getMaterialContexts() : nullptr);
  drawQueue().flush(engine.driver, engine.gui ? engine.gui->getBuiltInFont() : nullptr, &effects);
}

// Whether a frame can be drawn; when not, the draws queued for it are dropped.
bool beginFrame(STkEngine& engine) {
  if (windowMinimized(engine.device)) {
    drawQueue().clear();
    engine.device->yield();
    return false;
  }
  if (!engine.driver->beginScene(false, false)) {
    log(LOG_WARN, "beginScene failed");
    drawQueue().clear();
    return false;
  }
  return true;
}

// The renderer's frame, the GUI and the queued 2D draws on `display` (none: the screen).
void drawFrame(STkEngine& engine, irr::video::ITexture* display) {
  runCurrentRenderer(engine, display);
  // The renderer leaves its own targets set; the GUI and the queue draw on the display.
  if (display) engine.driver->setRenderTarget(display, false, false);
  engine.gui->drawAll();
  flushDrawQueue(engine);
}

}  // namespace

void renderFrameInto(irr::video::ITexture* target, bool clear) {
  STkEngine& engine = tkEngine();
  if (!engine.device || !engine.driver || !beginFrame(engine)) return;
  engine.driver->setRenderTarget(target, clear, clear, engine.clearColor);
  drawFrame(engine, target);
  engine.driver->setRenderTarget(nullptr, false, false);
}

void renderFrame() {
  STkEngine& engine = tkEngine();
  if (!engine.device || !engine.driver) return;
  if (!beginFrame(engine)) return;
  drawFrame(engine, nullptr);
  keepFrameForScreenshots(engine);
  if (!engine.driver->endScene()) log(LOG_WARN, "endScene failed");
  engine.manager->getRendererManager()->getLastFrameInfo()->endFrame();
}

}  // namespace tk
