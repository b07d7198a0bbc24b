#include "effects/runtime/effect_material.h"

#include <cmath>

namespace tk {

int CTkMaterialContexts::add(STkMaterialContext* context) {
  if (!free_.empty()) {
    int number = free_.back();
    free_.pop_back();
    slots_[number - 1] = context;
    return number;
  }
  slots_.push_back(context);
  return static_cast<int>(slots_.size());
}

void CTkMaterialContexts::remove(int number) {
  if (number < 1 || number > static_cast<int>(slots_.size()) || !slots_[number - 1]) return;
  slots_[number - 1] = nullptr;
  free_.push_back(number);
}

STkMaterialContext* CTkMaterialContexts::find(float typeParameter2) const {
  if (!(typeParameter2 >= 1) || typeParameter2 > static_cast<float>(slots_.size())) return nullptr;
  if (std::floor(typeParameter2) != typeParameter2) return nullptr;
  STkMaterialContext* context = slots_[static_cast<size_t>(typeParameter2) - 1];
  return context && context->marker == kMaterialContextMarker ? context : nullptr;
}

}  // namespace tk
