#include "effects/binds/default_bind.h"

#include "effects/definitions/effect_def.h"

namespace tk {
namespace {

// Bools and ints are stored as integers and reach the shader as one float.
void uploadInteger(ITkEffectBind*, irr::video::IMaterialRendererServices* services, const STkFxConstBind& constant,
                   const int*) {
  int stored = 0;
  if (constant.type == kParamBool)
    stored = *reinterpret_cast<const uint8_t*>(constant.value);
  else
    stored = *reinterpret_cast<const int32_t*>(constant.value);
  const float value[4] = {static_cast<float>(stored), 0, 0, 0};
  if (constant.registerIndex >= 0)
    uploadByRegister(services, constant.stage, value, constant.registerIndex, 1);
  else
    uploadByName(services, constant, value, 1);
}

void uploadFloats(ITkEffectBind*, irr::video::IMaterialRendererServices* services, const STkFxConstBind& constant,
                  const int*) {
  if (constant.registerIndex >= 0) {
    float registerValue[4] = {0, 0, 0, 0};
    for (int i = 0; i < constant.floatCount && i < 4; ++i) registerValue[i] = constant.value[i];
    uploadByRegister(services, constant.stage, registerValue, constant.registerIndex, 1);
  } else {
    uploadByName(services, constant, constant.value, constant.floatCount);
  }
}

void uploadStoredMatrix(ITkEffectBind*, irr::video::IMaterialRendererServices* services,
                        const STkFxConstBind& constant, const int*) {
  uploadMatrix(services, constant, constant.value);
}

}  // namespace

STkBindResult CTkEffectBind::getBindFunction(const STkFxConstBind& constant, int*) {
  STkBindResult result;
  if (constant.stage != kStageVertex && constant.stage != kStagePixel) return result;
  switch (constant.type) {
    case kParamBool:
    case kParamInt: result.function = uploadInteger; break;
    case kParamFloat:
    case kParamFloat2:
    case kParamFloat3:
    case kParamFloat4: result.function = uploadFloats; break;
    case kParamFloat4x4: result.function = uploadStoredMatrix; break;
    default: return result;
  }
  result.flags = kBindFlagAnswers;
  result.status = kBindAnswered;
  return result;
}

}  // namespace tk
