#include "effects/binds/semantic_map_bind.h"

#include <cstring>

#include "effects/binds/bind_helpers.h"
#include "effects/definitions/effect_def.h"

namespace tk {
namespace {

// Floats of a value type; 0 for a type a named value cannot have.
int floatCountOf(int type) {
  switch (type) {
    case kParamFloat: return 1;
    case kParamFloat2: return 2;
    case kParamFloat3: return 3;
    case kParamFloat4: return 4;
    case kParamFloat4x4: return 16;
    default: return 0;
  }
}

constexpr int kValueBytes = 16 * sizeof(float);

}  // namespace

bool CTkEffectBindSemanticMap::addSemantic(const char* name, int type) {
  if (!name || floatCountOf(type) == 0 || names_.count(name)) return false;
  Value value;
  value.type = type;
  value.floatCount = floatCountOf(type);
  names_[name] = static_cast<int>(values_.size());
  values_.push_back(value);
  return true;
}

CTkEffectBindSemanticMap::Value* CTkEffectBindSemanticMap::find(const char* name) {
  if (!name) return nullptr;
  auto found = names_.find(name);
  return found == names_.end() ? nullptr : &values_[found->second];
}

bool CTkEffectBindSemanticMap::setFloat(const char* name, float value) {
  Value* stored = find(name);
  if (!stored) return false;
  stored->floats[0] = value;
  return true;
}

bool CTkEffectBindSemanticMap::setFloatArray(const char* name, const float* data, int size) {
  Value* stored = find(name);
  if (!stored) return false;
  if (data && size > 0) std::memcpy(stored->floats, data, size < kValueBytes ? size : kValueBytes);
  return true;
}

STkBindResult CTkEffectBindSemanticMap::getBindFunction(const STkFxConstBind& constant, int privateData[2]) {
  if (constant.stage != kStageVertex && constant.stage != kStagePixel) return STkBindResult();
  if (floatCountOf(constant.type) == 0) return STkBindResult();
  auto found = names_.find(constant.semantic);
  if (found == names_.end()) return STkBindResult();
  privateData[0] = found->second;
  return bindAnswer(upload);
}

// By name with the value's float count, or over the constant's registers as
// stored (no transposing); a value fills at most four registers.
void CTkEffectBindSemanticMap::upload(ITkEffectBind* bind, irr::video::IMaterialRendererServices* services,
                                      const STkFxConstBind& constant, const int privateData[2]) {
  const Value& value = static_cast<CTkEffectBindSemanticMap*>(bind)->values_[privateData[0]];
  if (constant.registerIndex == -1) {
    uploadByName(services, constant, value.floats, value.floatCount);
    return;
  }
  const int registers = constant.registerCount < 4 ? constant.registerCount : 4;
  if (registers > 0) uploadByRegister(services, constant.stage, value.floats, constant.registerIndex, registers);
}

}  // namespace tk
