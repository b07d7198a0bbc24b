#include "app/render_frame.h"

#include "app/engine.h"
#include "app/log.h"
#include "app/window/window.h"
#include "render/gl/frame_keeper.h"

namespace tk {
namespace {

// Until the engine context provides renderers, the frame is the scene graph
// drawn by the display library over the clear colour.
void runCurrentRenderer(STkEngine& engine) {
  engine.driver->setRenderTarget(irr::video::ERT_FRAME_BUFFER, true, true, engine.clearColor);
  engine.sceneManager->drawAll();
}

void keepFrameForScreenshots(STkEngine& engine) {
  if (engine.driver->getDriverType() != irr::video::EDT_OPENGL) return;
  irr::core::dimension2du size = engine.driver->getScreenSize();
  frameKeeper().keepBackBuffer(static_cast<int>(size.Width), static_cast<int>(size.Height));
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
}

}  // namespace tk
