#include "render/renderer_manager.h"

#include <algorithm>

#include "base/log.h"
#include "render/color_formats.h"
#include "render/commands/renderer_cmds.h"
#include "render/lpp/renderer_lpp.h"
#include "render/renderer_ctx_adv.h"
#include "render/tk_scene_manager.h"

namespace tk {
namespace {

using Size = irr::core::dimension2du;

// A fraction of a small screen is never empty: a target of no pixels cannot
// be drawn to, and the driver refuses it.
Size shifted(Size size, int bits) {
  return Size(std::max(size.Width >> bits, 1u), std::max(size.Height >> bits, 1u));
}

// "ColorFormat" of a "Create Texture" command: 0 keeps the back targets' format.
irr::video::ECOLOR_FORMAT sceneTextureFormat(int code, irr::video::ECOLOR_FORMAT backFormat) {
  static const irr::video::ECOLOR_FORMAT table[] = {
      irr::video::ECF_A1R5G5B5, irr::video::ECF_R5G6B5, irr::video::ECF_R8G8B8, irr::video::ECF_A8R8G8B8,
      irr::video::ECF_R16F,     irr::video::ECF_G16R16F, irr::video::ECF_A16B16G16R16F,
      irr::video::ECF_R32F,     irr::video::ECF_G32R32F, irr::video::ECF_A32B32G32R32F};
  if (code == 0) return backFormat;
  if (code >= 1 && code <= 10) return table[code - 1];
  return irr::video::ECF_A8R8G8B8;
}

// "Size" of a "Create Texture" command.
Size sceneTextureSize(int sizeCode, int width, int height, Size screen) {
  if (sizeCode == 0) return Size(width, height);
  if (sizeCode >= 2 && sizeCode <= 6) return shifted(screen, sizeCode - 1);
  return screen;
}

}  // namespace

CTkRendererManager::CTkRendererManager(irr::IrrlichtDevice* device, const CTkSceneManager* scenes)
    : device_(device), scenes_(scenes), targets_(device->getVideoDriver()), frameSource_(device, scenes), lastFrame_(&frameSource_) {}

// The device's own (virtual) clock: a held clock, as in capture, gives frame
// times that follow the captured frames.
irr::u32 CTkRendererManager::DeviceFrameSource::clockMs() { return device_->getTimer()->getTime(); }

irr::core::matrix4 CTkRendererManager::DeviceFrameSource::projection() {
  return device_->getVideoDriver()->getTransform(irr::video::ETS_PROJECTION);
}

irr::core::matrix4 CTkRendererManager::DeviceFrameSource::view() {
  return device_->getVideoDriver()->getTransform(irr::video::ETS_VIEW);
}

irr::u32 CTkRendererManager::DeviceFrameSource::sceneTime() {
  return scenes_ ? scenes_->currentTime() : 0;
}

Size CTkRendererManager::screenSize() const { return device_->getVideoDriver()->getScreenSize(); }

bool CTkRendererManager::createTarget(const char* name, Size size, int formatCode, bool ownDepth) {
  return targets_.create(name, size, colorFormatOf(formatCode), ownDepth, false) != nullptr;
}

bool CTkRendererManager::createRenderTargets(int formatCode, Size size) {
  int f = formatCode == CF_NONE ? CF_A8R8G8B8 : formatCode;
  if (size.Width == 0 || size.Height == 0) size = screenSize();
  struct Target {
    const char* name;
    int shift;
    int format;
  };
  const Target screenTargets[] = {
      {"BackRTT[0]", 0, f},           {"BackRTT[1]", 0, f},           {"BackRTT[2]", 0, f},
      {"BackRTT[3]", 0, f},           {"DepthRTT", 0, CF_R32F},       {"NormalRTT", 0, f},
      {"LightRTT", 0, f},             {"HalfScreen[0]", 1, f},        {"HalfScreen[1]", 1, f},
      {"HalfScreen[2]", 1, f},        {"QuarterScreen[0]", 2, f},     {"QuarterScreen[1]", 2, f},
      {"EighthScreen[0]", 3, f},      {"EighthScreen[1]", 3, f},      {"SixTeenthScreen[0]", 4, f},
      {"SixTeenthScreen[1]", 4, f},   {"ThirtyTwothScreen[0]", 5, f}, {"ThirtyTwothScreen[1]", 5, f},
      {"SixtyFourthScreen[0]", 6, f}, {"SixtyFourthScreen[1]", 6, f}, {"QuarterScreenR32F", 2, CF_R32F},
      {"EighthScreenR32F", 3, CF_R32F},
  };
  bool all = true;
  for (const Target& t : screenTargets) all = createTarget(t.name, shifted(size, t.shift), t.format, false) && all;
  if (!all) {
    log(LOG_ERROR, "CTkRenderTargets failed to create render targets");
    return false;
  }
  struct ShadowMap {
    const char* name;
    irr::u32 edge;
  };
  const ShadowMap shadowMaps[] = {
      {"ShadowMap.256", 256}, {"ShadowMap.512", 512}, {"ShadowMap.512.1", 512}, {"ShadowMap.1024", 1024}};
  shadowMaps_.clear();
  for (const ShadowMap& s : shadowMaps) {
    if (createTarget(s.name, Size(s.edge, s.edge), CF_R32F, true)) shadowMaps_.push_back(targets_.find(s.name)->texture);
    else all = false;
  }
  if (!all) {
    log(LOG_ERROR, "CTkRenderTargets failed to create shadow map render targets");
    return false;
  }
  return true;
}

ITkRendererCtx* CTkRendererManager::createRendererCtx(CTkRenderServices* services) {
  return new CTkRendererCtx(services, &targets_);
}

ITkRenderer* CTkRendererManager::createRendererSimple(ITkRendererCtx* ctx) {
  return new CTkRendererSimple(device_, ctx);
}

CTkRendererCtxAdv* CTkRendererManager::createRendererCtxAdv(CTkRenderServices* services, CTkEffectManager* effects,
                                                             const std::vector<std::string>& files) {
  auto* ctx = new CTkRendererCtxAdv(services, &targets_, effects);
  if (ctx->init(files)) return ctx;
  ctx->drop();
  return nullptr;
}

CTkRendererCmds* CTkRendererManager::createRendererCmds(CTkRendererCtxAdv* ctx, CTkRenderServices* services,
                                                        ITkVideoDriverExt* videoDriverExt,
                                                        const std::vector<STkRenderCmdDesc>& commands) {
  STkRendererCmdsSetup setup;
  setup.device = device_;
  setup.context = ctx;
  setup.services = services;
  setup.videoDriverExt = videoDriverExt;
  setup.sceneManager = scenes_;
  setup.lastFrame = &lastFrame_;
  setup.textures = &targets_;
  auto* renderer = new CTkRendererCmds(setup);
  if (renderer->init({"Lpp.hlsl", "Forward.hlsl"}, commands)) return renderer;
  renderer->drop();
  return nullptr;
}

CTkRendererLpp* CTkRendererManager::createRendererLpp(CTkRendererCtxAdv* ctx, CTkRenderServices* services) {
  STkRendererLppSetup setup;
  setup.device = device_;
  setup.context = ctx;
  setup.services = services;
  setup.lastFrame = &lastFrame_;
  setup.textures = &targets_;
  auto* renderer = new CTkRendererLpp(setup);
  if (renderer->init("Lpp.hlsl", "Forward.hlsl")) return renderer;
  renderer->drop();
  return nullptr;
}

bool CTkRendererManager::createRenderTextures(const std::vector<STkRenderCommandRecord>& commands) {
  for (const STkRenderCommandRecord& command : commands)
    if (command.cmd == "Create Texture" && !createRenderTexture(command)) return false;
  return true;
}

bool CTkRendererManager::createRenderTexture(const STkRenderCommandRecord& c) {
  const char* command = c.name.c_str();
  std::string name = c.text("Name");
  int colorFormat = c.integer("ColorFormat"), sizeCode = c.integer("Size");
  int width = c.integer("SizeWidth"), height = c.integer("SizeHeight"), ownZ = c.integer("OwnZBuffer");
  if (name.empty() || colorFormat == -1 || sizeCode == -1 || width == -1 || height == -1 || ownZ == -1) {
    log(LOG_ERROR, "Create texture '%s' failed : missing parameters", command);
    return false;
  }
  const RenderTargetInfo* back = targets_.find("BackRTT[0]");
  irr::video::ECOLOR_FORMAT format = sceneTextureFormat(colorFormat, back ? back->format : irr::video::ECF_A8R8G8B8);
  Size size = sceneTextureSize(sizeCode, width, height, screenSize());
  bool mipMaps = c.integer("MipMap") == 1;
  bool ownDepth = ownZ != 0;
  const char* texture = name.c_str();

  const RenderTargetInfo* existing = targets_.find(name);
  if (!existing) {
    if (targets_.findTexture(name)) {
      log(LOG_ERROR, "Create texture '%s' failed: texture '%s' already exist but is not a render target. Use another name",
          command, texture);
      return false;
    }
    if (!targets_.create(name, size, format, ownDepth, mipMaps)) {
      log(LOG_ERROR, "Create texture '%s' : failed to add render target texture '%s'", command, texture);
      return false;
    }
    return true;
  }
  const char* mismatch = nullptr;
  if (existing->format != format) mismatch = "different color format. Restart engine may be necessary";
  else if (existing->size != size) mismatch = "different dimension. Restart engine may be necessary";
  else if (existing->ownDepth != ownDepth) mismatch = "different own z-buffer.  Restart engine may be necessary";
  else if (existing->mipMaps != mipMaps) mismatch = "different mip map configuration. Restart engine may be necessary";
  if (mismatch) {
    log(LOG_ERROR, "Create texture '%s' failed: texture '%s' already exist with %s", command, texture, mismatch);
    return false;
  }
  return true;
}

}  // namespace tk
