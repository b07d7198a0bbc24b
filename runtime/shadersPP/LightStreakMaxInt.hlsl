// What feeds the light streaks: only the light above Threshold, taken from the
// frame into a small target with a tent of four bilinear taps.
// [TESK_BEGIN]
// texture Scene : : clamp_to_edge noMipMap
// float Threshold : 1 : pixel
// float2 InputSize : Texture[0].Size : pixel
// [TESK_END]

float Threshold;
float2 InputSize;
#include "FullScreenQuad.h"

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  float2 texel = 1.0 / max(InputSize, float2(1.0, 1.0));
  float4 colour = 0.25 * (tex2D(Scene, uv + texel * float2(-1.0, -1.0)) + tex2D(Scene, uv + texel * float2(1.0, -1.0)) +
                          tex2D(Scene, uv + texel * float2(-1.0, 1.0)) + tex2D(Scene, uv + texel * float2(1.0, 1.0)));
  return float4(max(colour.rgb - Threshold, 0.0), 1.0);
}
