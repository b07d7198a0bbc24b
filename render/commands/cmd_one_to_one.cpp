#include "render/commands/render_cmd_types.h"

namespace tk {

bool CTkRenderCmd_OneToOne::setupType(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) {
  if (!makeSlots(desc.inputs, false, ctx, &inputs_) || !makeSlots(desc.outputs, true, ctx, &outputs_)) return false;
  if (!requireInput(inputs_) || !requireOutput(outputs_)) return false;
  when_ = desc.integer("When", 0);
  readParameters(desc);
  return true;
}

// The gamma post effect is not among the advanced context's components yet:
// every frame takes the pass-through branch, which is also the branch for a
// scene viewed without colour-space conversion.
void CTkRenderCmd_Gamma::execute(STkCmdExecContext& ctx) { passThrough(ctx, input(), output()); }

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
