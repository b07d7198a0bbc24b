#include "base/log.h"
#include "render/commands/indexed_slot_name.h"
#include "render/commands/render_cmd_types.h"

namespace tk {

bool CTkColorOutputs::setup(const std::vector<STkTextureSlot>& outputs, const std::string& commandName) {
  slots_ = outputs;
  indices_.clear();
  for (const STkTextureSlot& slot : slots_) {
    int index = -1;
    if (!parseIndexedSlotName(slot.name, "Color", kMaxOutputs, &index)) {
      log(LOG_ERROR, "Invalid name of output '%s' of command '%s' ", slot.name.c_str(), commandName.c_str());
      return false;
    }
    indices_.push_back(index);
  }
  return true;
}

int CTkColorOutputs::resolve(const STkCmdExecContext& ctx, irr::video::ITexture** targets) const {
  int count = 0;
  for (int i = 0; i < kMaxOutputs; ++i) targets[i] = nullptr;
  for (size_t i = 0; i < slots_.size(); ++i) {
    targets[indices_[i]] = slots_[i].resolve(ctx);
    if (indices_[i] + 1 > count) count = indices_[i] + 1;
  }
  return count;
}

}  // namespace tk
