#include "render/commands/render_cmd_types.h"
#include "render/post/post_effect.h"
#include "render/render_settings.h"
#include "render/renderer_ctx_adv.h"

namespace tk {

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

// The down-sample blur is not among the advanced context's components yet:
// every frame takes the branch of glow being off, which draws nothing.
void CTkRenderCmd_DownSample::execute(STkCmdExecContext&) {}

void CTkRenderCmd_Glow::readParameters(const STkRenderCmdDesc& desc) {
  intensity_ = desc.number("Intensity", 1.0f);
  radius_ = desc.number("Radius", 16.0f);
}

// The glow component is not among the advanced context's components yet:
// every frame takes the branch of glow being off, which draws nothing.
void CTkRenderCmd_Glow::execute(STkCmdExecContext&) {}

}  // namespace tk
