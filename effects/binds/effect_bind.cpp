#include "effects/binds/effect_bind.h"

namespace tk {

void placeConstant(STkFxConstBind* constant, const STkShaderConstant& reflected) {
  constant->constant = reflected;
  const bool wholeSlots = reflected.offset % 16 == 0 && reflected.size % 16 == 0 && reflected.size > 0;
  constant->registerIndex = wholeSlots ? static_cast<int>(reflected.offset / 16) : -1;
  constant->registerCount = wholeSlots ? static_cast<int>(reflected.size / 16) : 0;
}

void uploadByName(irr::video::IMaterialRendererServices* services, const STkFxConstBind& constant,
                  const float* values, int count) {
  if (auto* resolved = dynamic_cast<ITkResolvedConstantServices*>(services)) {
    resolved->setResolvedConstant(constant.stage, constant.constant, values, count);
    return;
  }
  uploadMemberByName(services, constant.stage, constant.name.c_str(), values, count);
}

void uploadMemberByName(irr::video::IMaterialRendererServices* services, int stage, const char* name,
                        const float* values, int count) {
  if (stage == 2)
    services->setVertexShaderConstant(name, values, count);
  else
    services->setPixelShaderConstant(name, values, count);
}

void uploadByRegister(irr::video::IMaterialRendererServices* services, int stage, const float* values,
                      int firstRegister, int registerCount) {
  if (stage == 2)
    services->setVertexShaderConstant(values, firstRegister, registerCount);
  else
    services->setPixelShaderConstant(values, firstRegister, registerCount);
}

void transposeMatrix(const float* in16, float* out16) {
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column) out16[column * 4 + row] = in16[row * 4 + column];
}

void uploadMatrix(irr::video::IMaterialRendererServices* services, const STkFxConstBind& constant,
                  const float* matrix16) {
  if (constant.registerIndex < 0) {
    uploadByName(services, constant, matrix16, 16);
    return;
  }
  float transposed[16];
  transposeMatrix(matrix16, transposed);
  uploadByRegister(services, constant.stage, transposed, constant.registerIndex, constant.registerCount);
}

}  // namespace tk
