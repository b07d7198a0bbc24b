#include "api/render_frame.h"

#include "api/camera_effect_commands.h"
#include "base/log.h"
#include "platform/screenshot/frame_keeper.h"
#include "platform/window/window.h"
#include "render/engine.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"

namespace tk {
namespace {

void runCurrentRenderer(STkEngine& engine) {
  STkRendering& r = rendering();
  if (!r.currentRenderer) return;
  r.context->getFrameSettings().backgroundColor = engine.clearColor.color;
  if (r.advancedContext)
    r.advancedContext->refreshRenderSettings(engine.renderSettings, engine.cameraValues, engine.colorSpaceViewer, false);
  r.context->setPostEffects(enabledCameraEffectList());
  r.currentRenderer->render(nullptr);
}

void keepFrameForScreenshots(STkEngine& engine) {
  if (engine.driver->getDriverType() != irr::video::EDT_OPENGL) return;
  irr::core::dimension2du size = engine.driver->getScreenSize();
  frameKeeper().frameFinished(static_cast<int>(size.Width), static_cast<int>(size.Height));
}

}  // namespace

void renderFrame() {
  STkEngine& engine = tkEngine();
  if (!engine.device || !engine.driver) return;
  if (windowMinimized(engine.device)) {
    engine.device->yield();
    return;
  }
  if (!engine.driver->beginScene(false, false)) {
    log(LOG_WARN, "beginScene failed");
    return;
  }
  runCurrentRenderer(engine);
  engine.gui->drawAll();
  keepFrameForScreenshots(engine);
  if (!engine.driver->endScene()) log(LOG_WARN, "endScene failed");
  engine.manager->getRendererManager()->getLastFrameInfo()->endFrame();
}

}  // namespace tk
