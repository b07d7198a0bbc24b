#include "base/log.h"
#include "render/commands/render_cmd_types.h"

namespace tk {

bool CTkRenderCmd_Clear::setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) {
  if (!makeSlots(desc.outputs, true, ctx, &outputs_) || !requireOutput(outputs_)) return false;
  clearTarget_ = desc.integer("ClearTarget", 0) != 0;
  clearDepth_ = desc.integer("ClearZBuffer", 0) != 0;
  useBackground_ = desc.integer("UseBgColor", 0) != 0;
  if (const STkRenderCmdParam* color = desc.parameter("ClearColor"); color && color->kind == RP_VECTOR)
    color_ = irr::video::SColorf(color->vector[0], color->vector[1], color->vector[2], 1.0f).toSColor();
  return true;
}

void CTkRenderCmd_Clear::execute(STkCmdExecContext& ctx) {
  const irr::video::SColor color = useBackground_ ? irr::video::SColor(ctx.backgroundColor) : color_;
  irr::video::ITexture* target = outputs_.front().resolve(ctx);
  if (target)
    ctx.driver->setRenderTarget(target, clearTarget_, clearDepth_, color);
  else
    ctx.driver->setRenderTarget(irr::video::ERT_FRAME_BUFFER, clearTarget_, clearDepth_, color);
}

}  // namespace tk
