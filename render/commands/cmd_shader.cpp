#include <algorithm>

#include "base/log.h"
#include "effects/runtime/effect.h"
#include "render/commands/indexed_slot_name.h"
#include "render/commands/render_cmd_types.h"
#include "render/last_frame_info.h"
#include "render/render_services.h"

namespace tk {

CTkRenderCmd_Shader::~CTkRenderCmd_Shader() {
  if (effect_) effect_->drop();
}

bool CTkRenderCmd_Shader::setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) {
  if (!makeSlots(desc.inputs, false, ctx, &inputs_)) return false;
  std::vector<STkTextureSlot> outputs;
  if (!makeSlots(desc.outputs, true, ctx, &outputs)) return false;
  for (const STkTextureSlot& slot : inputs_) {
    int unit = -1;
    if (!parseIndexedSlotName(slot.name, "s", kMaxInputs, &unit)) {
      log(LOG_ERROR, "Invalid name of input '%s' of command '%s' ", slot.name.c_str(), name_.c_str());
      return false;
    }
    units_.push_back(unit);
  }
  if (!outputs_.setup(outputs, name_)) return false;
  effect_ = desc.effect("Shader");
  if (effect_) effect_->grab();
  useStartEnd_ = desc.integer("UseStartEnd", 0);
  startTime_ = desc.number("StartTime", 0);
  endTime_ = desc.number("EndTime", 0);
  return true;
}

// 1: between StartTime and EndTime; 2: once, in the frame whose time span
// (from the previous frame's time to now, either way round) holds StartTime.
bool CTkRenderCmd_Shader::runsNow(const STkCmdExecContext& ctx) const {
  const float now = static_cast<float>(ctx.timeMs) / 1000.0f;
  if (useStartEnd_ == 1) return startTime_ <= now && now < endTime_;
  if (useStartEnd_ != 2) return true;
  if (!ctx.lastFrame || ctx.lastFrame->isInvalid()) return startTime_ <= now;
  const float previous = static_cast<float>(ctx.lastFrame->getLastTime()) / 1000.0f;
  return std::min(previous, now) <= startTime_ && startTime_ < std::max(previous, now);
}

void CTkRenderCmd_Shader::execute(STkCmdExecContext& ctx) {
  if (ctx.baking && disabledWhenBaking_) return;
  if (!runsNow(ctx) || !effect_) return;
  irr::video::ITexture* textures[kMaxInputs] = {};
  int textureCount = 0;
  for (size_t i = 0; i < inputs_.size(); ++i) {
    textures[units_[i]] = inputs_[i].resolve(ctx);
    textureCount = std::max(textureCount, units_[i] + 1);
  }
  for (const STkTextureSlot& output : outputs_.slots())
    for (const STkTextureSlot& input : inputs_)
      if (input.sharesSetWith(&output)) {
        output.set->advance();
        break;
      }
  ctx.services->sameOrientation(textures, textureCount);
  irr::video::ITexture* targets[CTkColorOutputs::kMaxOutputs];
  const int targetCount = outputs_.resolve(ctx, targets);
  ctx.services->setRenderTargets(targets, targetCount);
  ctx.services->drawEffectTextures(effect_, 0, 0, textures, textureCount);
}

}  // namespace tk
