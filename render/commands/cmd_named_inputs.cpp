#include "base/log.h"
#include "render/commands/render_cmd_types.h"
#include "render/last_frame_info.h"
#include "render/lpp/light_pass.h"
#include "render/post/post_antialias.h"
#include "render/post/post_depth_of_field.h"
#include "render/renderer_ctx_adv.h"
#include "render/render_settings.h"

namespace tk {

bool CTkRenderCmd_NamedInputs::setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) {
  if (!makeSlots(desc.inputs, false, ctx, &inputs_) || !makeSlots(desc.outputs, true, ctx, &outputs_)) return false;
  if (!requireOutput(outputs_)) return false;
  readParameters(desc);
  return true;
}

void CTkRenderCmd_DepthOfField::execute(STkCmdExecContext& ctx) {
  CTkPostDepthOfField* depthOfField = ctx.context ? ctx.context->depthOfField() : nullptr;
  const STkTextureSlot* sourceSlot = input("Source");
  if (!depthOfField || !ctx.settings || ctx.settings->dofEnable == 0) {
    passThrough(ctx, sourceSlot, output());
    return;
  }
  const STkTextureSlot* depthSlot = input("Depth");
  const STkTextureSlot* workSlot = input("Work");
  irr::video::ITexture* depth = depthSlot ? depthSlot->resolve(ctx) : nullptr;
  irr::video::ITexture* work = workSlot ? workSlot->resolve(ctx) : nullptr;
  irr::video::ITexture* source = nullptr;
  irr::video::ITexture* target = nullptr;
  resolvePair(sourceSlot, output(), ctx, &source, &target);
  // The blur keeps its circle of confusion in the work texture and
  // overwrites the source: without both the picture would be lost.
  if (!source || !depth || !work || work == source) {
    log(LOG_ERROR, "CTkRenderCmd_DepthOfField command '%s' : Failed. needs a Source, a Depth and a Work texture",
        name_.c_str());
    if (source != target) copy(ctx, source, target);
    return;
  }
  if (ctx.settings->advancedDofEnable == 0)
    depthOfField->renderPhysical(target, source, depth, work);
  else
    depthOfField->renderArtist(target, source, depth, work, ctx.settings->dofRadiusScale);
}

void CTkRenderCmd_Antialias::readParameters(const STkRenderCmdDesc& desc) {
  when_ = desc.integer("When", 0);
  sourceColorSpace_ = desc.integer("SourceColorSpace", 0);
}

// "When" 0 always, 1 and 2 at that anti-aliasing location, other values never.
bool CTkRenderCmd_Antialias::runs(const STkCmdExecContext& ctx) const {
  CTkPostAntialias* antialias = ctx.context ? ctx.context->antialias() : nullptr;
  if (!antialias || !ctx.context->antialiasSetUp() || !ctx.settings) return false;
  if (!CTkPostAntialias::isEnabled(*ctx.settings)) return false;
  const int location = ctx.settings->antialias[kAntialiasLocation];
  return when_ == 0 || ((when_ == 1 || when_ == 2) && location == when_);
}

bool CTkRenderCmd_Antialias::colorSpace(const STkCmdExecContext& ctx) const {
  if (sourceColorSpace_ == 1) return true;
  return sourceColorSpace_ == 2 && ctx.settings->colorSpaceViewer != 0;
}

void CTkRenderCmd_Antialias::execute(STkCmdExecContext& ctx) {
  const STkTextureSlot* sourceSlot = input("Source");
  if (!runs(ctx)) {
    passThrough(ctx, sourceSlot, output());
    return;
  }
  const STkTextureSlot* workSlot = input("Work");
  const STkTextureSlot* historySlot = input("History");
  STkAntialiasFrame frame;
  frame.work = workSlot ? workSlot->resolve(ctx) : nullptr;
  frame.history = historySlot ? historySlot->resolve(ctx) : nullptr;
  if (!frame.history && ctx.settings->antialias[kAntialiasBlending] != 0)
    log(LOG_ERROR, "CTkRenderCmd_Antialias command '%s' : Failed. temporal blending needs a History texture",
        name_.c_str());
  resolvePair(sourceSlot, output(), ctx, &frame.source, &frame.target);
  const bool shared = sourceSlot && sourceSlot->sharesSetWith(output());
  irr::video::ITexture* const outputTexture = frame.target;
  frame.toDisplay = !outputTexture;
  if (frame.toDisplay) {
    if (sourceSlot && sourceSlot->kind == STkTextureSlot::Kind::FlipFlop) {
      sourceSlot->set->advance();
      frame.target = sourceSlot->resolve(ctx);
    } else {
      log(LOG_ERROR,
          "CTkRenderCmd_Antialias command '%s' : Failed. Use flipflop texture([]) as input when output is Display",
          name_.c_str());
    }
  }
  frame.colorSpace = colorSpace(ctx);
  frame.cameraCut = ctx.cameraCut;
  // A frame drawn into a texture is no step of the screen's sequence.
  frame.useHistory = !ctx.display;
  if (ctx.driver) {
    frame.view = ctx.driver->getTransform(irr::video::ETS_VIEW);
    frame.projection = ctx.driver->getTransform(irr::video::ETS_PROJECTION);
  }
  if (ctx.lastFrame) {
    frame.previousView = ctx.lastFrame->getLastView();
    frame.previousProjection = ctx.lastFrame->getLastProjection();
  }
  irr::video::ITexture* result = ctx.context->antialias()->render(*ctx.settings, frame);
  if (!outputTexture || result == outputTexture) return;
  // The result may stay in the source or in a work texture: it goes into the output.
  if (shared && result == frame.source)
    output()->set->advance();
  else
    copy(ctx, result, outputTexture);
}

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

// Every light of the frame into the output, the shadow casters drawn into
// the context's shadow maps on the way.
void CTkRenderCmd_LightPass::execute(STkCmdExecContext& ctx) {
  ITkLightPass* lightPass = ctx.context ? ctx.context->lightPass() : nullptr;
  const STkTextureSlot* target = output();
  if (!lightPass || !target) return;
  std::vector<irr::scene::ILightSceneNode*> lights;
  if (const NodeList* list = ctx.lists[kListLights])
    for (irr::scene::ISceneNode* node : *list)
      if (node && node->getType() == irr::scene::ESNT_LIGHT)
        lights.push_back(static_cast<irr::scene::ILightSceneNode*>(node));
  static const NodeList kNone;
  const NodeList* casters = ctx.lists[kListShadowCasters];
  lightPass->render(target->resolve(ctx), lights, casters ? *casters : kNone);
}

// The volumetric lights are not among the advanced context's components yet:
// the output is left as it is.
void CTkRenderCmd_LightVolumetric::execute(STkCmdExecContext&) {}

}  // namespace tk
