#include "render/commands/render_cmd.h"

#include "base/log.h"
#include "render/render_services.h"
#include "render/render_target_registry.h"

namespace tk {

irr::video::ITexture* STkTextureSlot::resolve(const STkCmdExecContext& ctx) const {
  switch (kind) {
    case Kind::Display: return ctx.display;
    case Kind::FlipFlop: return set->resolve(phase);
    case Kind::Fixed: break;
  }
  return texture;
}

bool CTkRenderCmd::setup(const STkRenderCmdDesc& desc, const STkCmdSetupContext& ctx) {
  name_ = desc.name;
  type_ = desc.cmd;
  disabledWhenBaking_ = desc.integer("DisabledWhenBaking", 0) != 0;
  return setupType(desc, ctx);
}

bool CTkRenderCmd::makeSlot(const RenderConnection& connection, bool output, const STkCmdSetupContext& ctx,
                            STkTextureSlot* slot) const {
  slot->name = connection.slot;
  slot->reference = connection.reference;
  const char* direction = output ? "output" : "input";
  if (output && connection.reference == "Display") {
    slot->kind = STkTextureSlot::Kind::Display;
    return true;
  }
  FlipFlopReference flipFlop;
  if (parseFlipFlopReference(connection.reference, &flipFlop)) {
    slot->kind = STkTextureSlot::Kind::FlipFlop;
    slot->set = ctx.flipFlops->setFor(flipFlop);
    slot->phase = flipFlop.phase;
    if (slot->set) return true;
    log(LOG_ERROR, "Failed to find flip flop textures '%s' for %s '%s' of command '%s' ",
        connection.reference.c_str(), direction, connection.slot.c_str(), name_.c_str());
    return false;
  }
  slot->kind = STkTextureSlot::Kind::Fixed;
  slot->texture = ctx.textures->findTexture(connection.reference);
  if (slot->texture) return true;
  log(LOG_ERROR, "failed find texture '%s' for %s '%s' of command '%s' ", connection.reference.c_str(), direction,
      connection.slot.c_str(), name_.c_str());
  return false;
}

bool CTkRenderCmd::makeSlots(const std::vector<RenderConnection>& connections, bool output,
                             const STkCmdSetupContext& ctx, std::vector<STkTextureSlot>* slots) const {
  slots->clear();
  slots->resize(connections.size());
  for (size_t i = 0; i < connections.size(); ++i)
    if (!makeSlot(connections[i], output, ctx, &(*slots)[i])) return false;
  return true;
}

const STkTextureSlot* CTkRenderCmd::slotNamed(const std::vector<STkTextureSlot>& slots, const char* name) {
  for (const STkTextureSlot& slot : slots)
    if (slot.name == name) return &slot;
  return nullptr;
}

bool CTkRenderCmd::requireInput(const std::vector<STkTextureSlot>& inputs) const {
  if (!inputs.empty()) return true;
  log(LOG_ERROR, "Missing input for command '%s' ", name_.c_str());
  return false;
}

bool CTkRenderCmd::requireOutput(const std::vector<STkTextureSlot>& outputs) const {
  if (!outputs.empty()) return true;
  log(LOG_ERROR, "Missing output for command '%s' ", name_.c_str());
  return false;
}

void CTkRenderCmd::resolvePair(const STkTextureSlot* input, const STkTextureSlot* output,
                               const STkCmdExecContext& ctx, irr::video::ITexture** in, irr::video::ITexture** out) {
  *in = input ? input->resolve(ctx) : nullptr;
  if (input && input->sharesSetWith(output)) output->set->advance();
  *out = output ? output->resolve(ctx) : nullptr;
}

void CTkRenderCmd::copy(const STkCmdExecContext& ctx, irr::video::ITexture* source, irr::video::ITexture* target) {
  if (!source || source == target) return;
  ctx.services->copyTextureInto(target, source);
}

void CTkRenderCmd::passThrough(const STkCmdExecContext& ctx, const STkTextureSlot* input,
                               const STkTextureSlot* output) {
  if (input && input->sharesSetWith(output)) return;
  irr::video::ITexture* in = input ? input->resolve(ctx) : nullptr;
  copy(ctx, in, output ? output->resolve(ctx) : nullptr);
}

}  // namespace tk
