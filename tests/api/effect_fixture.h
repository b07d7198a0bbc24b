#pragma once
// The engine on the null driver with a small effect file of every constant
// kind and two texture parameters, for the effect and camera effect commands.

#include <string>

#include "effects/runtime/effect.h"
#include "tests/api/commands_fixture.h"
#include "tests/support/capture_stdout.h"

namespace tk::test {

// "Extra" exists only when the effect is compiled with the macro BRIGHT.
constexpr const char* kCommandEffectSource = R"(// [TESK_BEGIN]
// float4 Tint : 1, 0.8, 0.6, 1 : pixel
// float Gain : 2 : pixel
// int Steps : 3 : pixel
// bool Flip : 0 : pixel
// texture Picture
// texture Sky : : cube
//TESK_PP:D:BRIGHT:// float Extra : 5 : pixel
// [TESK_END]
float4 Tint;
float Gain;
int Steps;
bool Flip;
sampler2D Picture;
samplerCUBE Sky;
#ifdef BRIGHT
float Extra;
#else
#define Extra 1.0
#endif
float4 vs_main(float4 p : POSITION) : POSITION { return p; }
float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  float4 c = tex2D(Picture, uv) * Tint * Gain * Extra + texCUBE(Sky, float3(uv, 1)) * Steps;
  return Flip ? 1 - c : c;
}
)";

class EffectCommandsTest : public EngineCommandsTest {
 protected:
  void SetUp() override {
    EngineCommandsTest::SetUp();
    effectPath = folder.write("commands.fx", kCommandEffectSource);
  }

  // Current values of an effect's constants.
  static std::vector<float> floats(CTkEffect* effect, const char* name, int count) {
    std::vector<float> values(count);
    effect->getFloatArray(effect->getParameterIndex(name), values.data(), count);
    return values;
  }
  static irr::video::ITexture* textureOf(CTkEffect* effect, const char* name) {
    return effect->parameter(effect->getParameterIndex(name))->sampler.texture;
  }

  TempFolder folder;
  std::string effectPath;
};

}  // namespace tk::test
