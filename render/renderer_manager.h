#pragma once
// Creates render targets, renderer contexts and renderers.

#include <irrlicht.h>

#include <string>
#include <vector>

#include "render/last_frame_info.h"
#include "render/commands/render_cmd_desc.h"
#include "render/render_command_record.h"
#include "render/render_target_registry.h"
#include "render/renderer.h"

namespace tk {

class CTkEffectManager;
class CTkSceneManager;

class CTkRenderServices;
class CTkRendererCmds;
class CTkRendererLpp;
class CTkRendererCtxAdv;
class ITkVideoDriverExt;

class CTkRendererManager {
 public:
  // The scene time of frame records comes from `scenes`.
  CTkRendererManager(irr::IrrlichtDevice* device, const CTkSceneManager* scenes);

  // The named screen-sized and shadow-map targets; `size` zero means the
  // driver's screen size. False (after logging) when any is missing.
  bool createRenderTargets(int formatCode, irr::core::dimension2du size = {0, 0});
  // With render services the context can run post effects.
  ITkRendererCtx* createRendererCtx(CTkRenderServices* services = nullptr);
  ITkRenderer* createRendererSimple(ITkRendererCtx* ctx);
  // An advanced context initialised with the effect-file list (see
  // ctxAdvFiles), its effects made by `effects`; null (after logging) when it
  // cannot be.
  CTkRendererCtxAdv* createRendererCtxAdv(CTkRenderServices* services, CTkEffectManager* effects,
                                          const std::vector<std::string>& files);
  // The light pre-pass renderer over the named targets, its surfaces drawn
  // with "Lpp.hlsl" and "Forward.hlsl"; null (after logging) when a target is
  // missing.
  CTkRendererLpp* createRendererLpp(CTkRendererCtxAdv* ctx, CTkRenderServices* services);
  // A command renderer over a scene's converted list; null (after logging)
  // when the list cannot be set up.
  CTkRendererCmds* createRendererCmds(CTkRendererCtxAdv* ctx, CTkRenderServices* services,
                                      ITkVideoDriverExt* videoDriverExt, const std::vector<STkRenderCmdDesc>& commands);
  // Runs every "Create Texture" command of a scene's list; false at the first failure.
  bool createRenderTextures(const std::vector<STkRenderCommandRecord>& commands);
  bool createRenderTexture(const STkRenderCommandRecord& command);

  RenderTargetRegistry& targets() { return targets_; }
  CTkLastFrameInfo* getLastFrameInfo() { return &lastFrame_; }
  const std::vector<irr::video::ITexture*>& shadowMaps() const { return shadowMaps_; }

 private:
  irr::core::dimension2du screenSize() const;
  bool createTarget(const char* name, irr::core::dimension2du size, int formatCode, bool ownDepth);

  // The frame's facts as the device sees them.
  class DeviceFrameSource : public FrameSource {
   public:
    DeviceFrameSource(irr::IrrlichtDevice* device, const CTkSceneManager* scenes) : device_(device), scenes_(scenes) {}
    irr::u32 clockMs() override;
    irr::core::matrix4 projection() override;
    irr::core::matrix4 view() override;
    irr::u32 sceneTime() override;

   private:
    irr::IrrlichtDevice* device_;
    const CTkSceneManager* scenes_;
  };

  irr::IrrlichtDevice* device_;
  const CTkSceneManager* scenes_;
  RenderTargetRegistry targets_;
  DeviceFrameSource frameSource_;
  CTkLastFrameInfo lastFrame_;
  std::vector<irr::video::ITexture*> shadowMaps_;
};

}  // namespace tk
