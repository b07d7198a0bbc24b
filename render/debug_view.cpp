#include "render/debug_view.h"

#include "render/render_services.h"
#include "render/render_target_registry.h"

namespace tk {
namespace {

constexpr int kThumbWidth = 160;
constexpr int kThumbHeight = 120;

struct Thumbnail {
  const char* name;
  int x, y;
};

const Thumbnail kThumbnails[] = {{"NormalRTT", 0, 0},         {"DepthRTT", 180, 0},
                                 {"LightRTT", 360, 0},        {"HalfScreen[1]", 0, 140},
                                 {"QuarterScreen[0]", 0, 270}, {"QuarterScreen[1]", 0, 400}};

constexpr int kShadowMapShown = 2;
constexpr int kShadowMapX = 540;

}  // namespace

void drawDebugView(CTkRenderServices* services, const RenderTargetRegistry* textures,
                   const std::vector<irr::video::ITexture*>& shadowMaps) {
  services->setRenderTargets(nullptr, 0);
  irr::video::IVideoDriver* driver = services->driver();
  for (const Thumbnail& t : kThumbnails)
    drawTexture(driver, textures ? textures->findTexture(t.name) : nullptr, t.x, t.y, kThumbWidth, kThumbHeight);
  if (shadowMaps.size() > kShadowMapShown)
    drawTexture(driver, shadowMaps[kShadowMapShown], kShadowMapX, 0, kThumbWidth, kThumbHeight);
}

void drawTexture(irr::video::IVideoDriver* driver, irr::video::ITexture* texture, int x, int y, int width,
                 int height) {
  if (!texture) return;
  const irr::core::dimension2du size = texture->getOriginalSize();
  const irr::core::recti source(0, 0, static_cast<irr::s32>(size.Width), static_cast<irr::s32>(size.Height));
  driver->draw2DImage(texture, irr::core::recti(x, y, x + width, y + height), source, nullptr, nullptr, false);
}

}  // namespace tk
