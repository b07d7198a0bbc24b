// Linear light to the display's sRGB encoding: the last step of a frame whose
// lighting was done in linear values. Alpha passes through.
#include "FullScreenQuad.h"

float3 LinearToSrgb(float3 c) {
  c = saturate(c);
  float3 low = c * 12.92;
  float3 high = 1.055 * pow(c, 1.0 / 2.4) - 0.055;
  return lerp(high, low, step(c, 0.0031308));
}

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  float4 colour = tex2D(Scene, uv);
  return float4(LinearToSrgb(colour.rgb), colour.a);
}
