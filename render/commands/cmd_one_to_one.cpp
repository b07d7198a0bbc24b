#include "render/commands/render_cmd_types.h"
#include "render/post/post_blur.h"
#include "render/post/post_effect.h"
#include "render/post/post_glow.h"
#include "render/render_settings.h"
#include "render/renderer_ctx_adv.h"

namespace tk {
namespace {

// Glow is off when it is disabled or has no intensity (no settings: off).
bool glowOff(const STkRenderSettings* settings) {
  return !settings || settings->glowEnable == 0 || settings->glowIntensity == 0;
}

}  // namespace

bool CTkRenderCmd_OneToOne::setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) {
  if (!makeSlots(desc.inputs, false, ctx, &inputs_) || !makeSlots(desc.outputs, true, ctx, &outputs_)) return false;
  if (!requireInput(inputs_) || !requireOutput(outputs_)) return false;
  when_ = desc.integer("When", 0);
  readParameters(desc);
  return true;
}

// With "When", the picture is encoded only for a scene viewed through the
// colour-space conversion; without it, always.
void CTkRenderCmd_Gamma::execute(STkCmdExecContext& ctx) {
  CTkPostEffect* gamma = ctx.context ? ctx.context->gamma() : nullptr;
  const bool converting = ctx.settings && ctx.settings->colorSpaceViewer != 0;
  if ((when_ != 0 && !converting) || !gamma) {
    passThrough(ctx, input(), output());
    return;
  }
  irr::video::ITexture* in = nullptr;
  irr::video::ITexture* out = nullptr;
  resolvePair(input(), output(), ctx, &in, &out);
  if (in) gamma->draw(out, in);
}

// With "When" the reduction serves the glow and is skipped while glow is off.
void CTkRenderCmd_DownSample::execute(STkCmdExecContext& ctx) {
  CTkPostDownSample* downSample = ctx.context ? ctx.context->downSample() : nullptr;
  if ((when_ != 0 && glowOff(ctx.settings)) || !downSample) return;
  irr::video::ITexture *in = nullptr, *out = nullptr;
  resolvePair(input(), output(), ctx, &in, &out);
  downSample->render(out, in);
}

void CTkRenderCmd_Glow::readParameters(const STkRenderCmdDesc& desc) {
  intensity_ = desc.number("Intensity", 1.0f);
  radius_ = desc.number("Radius", 16.0f);
}

// With "When" the scene's glow settings drive it (and it is skipped while
// glow is off); without, the command's own radius and intensity, no streaks.
// The glow is added onto the output, which may be the input itself.
void CTkRenderCmd_Glow::execute(STkCmdExecContext& ctx) {
  CTkPostGlow* glow = ctx.context ? ctx.context->glow() : nullptr;
  if ((when_ != 0 && glowOff(ctx.settings)) || !glow) return;
  static const STkRenderSettings kNoSettings;
  const STkRenderSettings& settings = ctx.settings ? *ctx.settings : kNoSettings;
  const bool fromSettings = when_ != 0;
  glow->render(output()->resolve(ctx), input()->resolve(ctx), fromSettings ? settings.glowRadius : radius_,
               fromSettings ? settings.glowIntensity : intensity_, fromSettings && settings.streakEnable != 0,
               settings);
}

}  // namespace tk
