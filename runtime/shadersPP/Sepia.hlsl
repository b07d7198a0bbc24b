// Camera effect: old photograph tones. Amount blends from the picture (0) to
// full sepia (1).
// [TESK_BEGIN]
// float Amount : 1 : pixel percent
// [TESK_END]

float Amount;
#include "FullScreenQuad.h"

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  float4 colour = tex2D(Scene, uv);
  float3 sepia = float3(dot(colour.rgb, float3(0.393, 0.769, 0.189)),
                        dot(colour.rgb, float3(0.349, 0.686, 0.168)),
                        dot(colour.rgb, float3(0.272, 0.534, 0.131)));
  return float4(lerp(colour.rgb, saturate(sepia), Amount), colour.a);
}
