#include "render/loading/loading_screen.h"

#include <algorithm>

#include "base/files/file_layer.h"
#include "base/startup_record.h"
#include "platform/screenshot/frame_keeper.h"
#include "render/engine.h"
#include "render/loading/loading_shader.h"

namespace tk {
namespace {

const irr::video::SColor kBlack(0xFF000000);
const irr::video::SColor kWhite(0xFFFFFFFF);
const irr::video::SColor kFill(0xFF4488FF);

struct LoadingScreen {
  irr::video::ITexture* picture = nullptr;
  bool pictureLooked = false;
  bool packedInitialised = false;
  LoadingShader shader;
  bool hasShader = false;
};

LoadingScreen& screen() {
  static LoadingScreen state;
  return state;
}

irr::core::recti centred(int cx, int cy, int width, int height) {
  int x = cx - width / 2, y = cy - height / 2;
  return irr::core::recti(x, y, x + width, y + height);
}

void loadPicture() {
  LoadingScreen& s = screen();
  if (s.pictureLooked) return;
  s.pictureLooked = true;
  if (!fileExists("loading.png")) return;
  s.picture = tkEngine().driver->getTexture("loading.png");
}

void prepareShader() { screen().hasShader = screen().shader.prepare(); }

void forgetPicture() {
  LoadingScreen& s = screen();
  s.shader.forget();
  s.hasShader = false;
  if (s.picture) tkEngine().driver->removeTexture(s.picture);
  s.picture = nullptr;
  s.pictureLooked = false;
}

irr::core::dimension2di screenSize() {
  irr::core::dimension2du size = tkEngine().driver->getScreenSize();
  return {static_cast<int>(size.Width), static_cast<int>(size.Height)};
}

void drawBar(float percent, int pictureHeight) {
  irr::core::dimension2di size = screenSize();
  LoadingBarRects bar = loadingBarRects(size.Width, size.Height, pictureHeight, percent);
  irr::video::IVideoDriver* driver = tkEngine().driver;
  driver->draw2DRectangle(kWhite, bar.frame);
  driver->draw2DRectangle(kBlack, bar.back);
  if (bar.fill.getWidth() > 0) driver->draw2DRectangle(kFill, bar.fill);
}

bool beginFrame() {
  STkEngine& engine = tkEngine();
  return engine.device && engine.driver && engine.driver->beginScene(true, true, kBlack);
}

// Presents the frame, kept for screenshots like every other frame.
void presentFrame() {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  if (driver->getDriverType() == irr::video::EDT_OPENGL) {
    irr::core::dimension2di size = screenSize();
    frameKeeper().frameFinished(size.Width, size.Height);
  }
  driver->endScene();
}

void drawPlainFrame(int percent) {
  if (!beginFrame()) return;
  if (percent > 0) drawBar(static_cast<float>(percent), 0);
  if (irr::gui::IGUIFont* font = tkEngine().gui ? tkEngine().gui->getBuiltInFont() : nullptr) {
    irr::core::stringw text(percent);
    text += L"%";
    font->draw(text, irr::core::recti(10, 10, 512, 60), kWhite);
  }
  presentFrame();
}

}  // namespace

LoadingBarRects loadingBarRects(int width, int height, int pictureHeight, float percent) {
  int offset = pictureHeight > 0 ? height / 10 + pictureHeight / 2 : 0;
  int cx = width / 2, cy = height / 2 + offset;
  int border = height / 40;
  LoadingBarRects bar;
  bar.frame = centred(cx, cy, width / 2, height / 10);
  bar.back = centred(cx, cy, std::max(1, width / 2 - border), std::max(1, height / 10 - border));
  bar.inner = centred(cx, cy, std::max(1, bar.back.getWidth() - border), std::max(1, bar.back.getHeight() - border));
  float share = std::clamp(percent, 0.0f, 100.0f) / 100.0f;
  int fillWidth = static_cast<int>(bar.inner.getWidth() * share);
  bar.fill = irr::core::recti(bar.inner.UpperLeftCorner.X, bar.inner.UpperLeftCorner.Y,
                              bar.inner.UpperLeftCorner.X + fillWidth, bar.inner.LowerRightCorner.Y);
  return bar;
}

void beginLoadingScreen() {
  if (!tkEngine().driver) return;
  loadPicture();
  prepareShader();
  showLoadingProgress(0);
}

void showLoadingProgress(float percent) {
  if (!beginFrame()) return;
  if (screen().hasShader) {
    screen().shader.draw(percent / 100.0f);
    presentFrame();
    return;
  }
  irr::video::ITexture* picture = screen().picture;
  int pictureHeight = 0;
  if (picture) {
    irr::core::dimension2di size = screenSize();
    irr::core::dimension2du pictureSize = picture->getOriginalSize();
    pictureHeight = static_cast<int>(pictureSize.Height);
    irr::core::position2di at((size.Width - static_cast<int>(pictureSize.Width)) / 2,
                              (size.Height - pictureHeight) / 2);
    tkEngine().driver->draw2DImage(picture, at);
  }
  drawBar(percent, pictureHeight);
  presentFrame();
}

void endLoadingScreen() {
  if (!tkEngine().driver) return;
  if (screen().hasShader) {
    for (int percent = 100; percent < 130; ++percent) showLoadingProgress(static_cast<float>(percent));  // fade out
  } else {
    showLoadingProgress(100);
  }
  forgetPicture();
}

int sceneLoadProgress(int percent, void*) {
  if (!tkEngine().driver) return 0;
  if (runningPacked()) {
    if (!screen().packedInitialised) {
      loadPicture();
      prepareShader();
      screen().packedInitialised = true;
    }
    showLoadingProgress(static_cast<float>(percent));
  } else {
    drawPlainFrame(percent);
  }
  return 0;
}

void endSceneLoadProgress() {
  if (tkEngine().driver) forgetPicture();
  screen().packedInitialised = false;
}

}  // namespace tk
