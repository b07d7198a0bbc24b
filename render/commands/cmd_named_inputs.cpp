#include "base/log.h"
#include "render/commands/render_cmd_types.h"
#include "render/renderer_ctx_adv.h"
#include "render/render_settings.h"

namespace tk {

bool CTkRenderCmd_NamedInputs::setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) {
  if (!makeSlots(desc.inputs, false, ctx, &inputs_) || !makeSlots(desc.outputs, true, ctx, &outputs_)) return false;
  if (!requireOutput(outputs_)) return false;
  readParameters(desc);
  return true;
}

// The depth-of-field component is not among the advanced context's
// components yet: every frame takes the branch of depth of field being off.
void CTkRenderCmd_DepthOfField::execute(STkCmdExecContext& ctx) { passThrough(ctx, input("Source"), output()); }

void CTkRenderCmd_Antialias::readParameters(const STkRenderCmdDesc& desc) {
  when_ = desc.integer("When", 0);
  sourceColorSpace_ = desc.integer("SourceColorSpace", 0);
}

// The anti-aliasing components are not among the advanced context's
// components yet, so anti-aliasing is never set up: the source passes through.
void CTkRenderCmd_Antialias::execute(STkCmdExecContext& ctx) { passThrough(ctx, input("Source"), output()); }

void CTkRenderCmd_PostProc::readParameters(const STkRenderCmdDesc& desc) { render_ = desc.text("Render"); }

void CTkRenderCmd_PostProc::execute(STkCmdExecContext& ctx) {
  CTkPostChain* chain = ctx.context ? ctx.context->getPostChain() : nullptr;
  const STkTextureSlot* sourceSlot = input("Source");
  const STkTextureSlot* workSlot = input("Work");
  irr::video::ITexture* work = workSlot ? workSlot->resolve(ctx) : nullptr;
  irr::video::ITexture* source = nullptr;
  irr::video::ITexture* target = nullptr;
  resolvePair(sourceSlot, output(), ctx, &source, &target);
  const bool shared = sourceSlot && sourceSlot->sharesSetWith(output());
  irr::video::ITexture* const outputTexture = target;
  bool sourceAdvanced = false;
  if (!target && !work) {
    if (sourceSlot && sourceSlot->kind == STkTextureSlot::Kind::FlipFlop) {
      sourceSlot->set->advance();
      target = sourceSlot->resolve(ctx);
      sourceAdvanced = true;
    } else {
      log(LOG_ERROR,
          "CTkRenderCmd_PostProc command '%s' : Failed. when output is Display, need to use flipflop texture([]) as "
          "source or set a Work",
          name_.c_str());
    }
  }
  if (source && source == target && !work) {
    // The chain would read the texture it writes: the output is left as it is.
    log(LOG_ERROR, "CTkRenderCmd_PostProc command '%s' : Failed. when source=target need to use a work texture",
        name_.c_str());
    return;
  }
  if (!chain) return;
  const bool glowOn = ctx.settings && ctx.settings->glowEnable != 0 && ctx.settings->glowIntensity != 0;
  irr::video::ITexture* result =
      chain->render(target, source, work, render_.empty() ? nullptr : render_.c_str(), !sourceAdvanced, glowOn);
  if (result == outputTexture) return;
  if (shared)
    output()->set->advance();
  else
    copy(ctx, result, outputTexture);
}

bool CTkRenderCmd_LightOutput::setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) {
  return makeSlots(desc.outputs, true, ctx, &outputs_) && requireOutput(outputs_);
}

// The light buffer is not among the advanced context's components yet: the
// output is left as it is.
void CTkRenderCmd_LightPass::execute(STkCmdExecContext&) {}

// The volumetric lights are not among the advanced context's components yet:
// the output is left as it is.
void CTkRenderCmd_LightVolumetric::execute(STkCmdExecContext&) {}

}  // namespace tk
