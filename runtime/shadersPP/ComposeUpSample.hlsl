// Adds the picture, scaled by Intensity, onto what the target holds (a
// smaller glow level is stretched over a larger one, or the finished glow
// over the frame). Alpha is 1 so that the additive material does not drop
// the fragment; the engine keeps the target's alpha as it was.
// [TESK_BEGIN]
// config baseMaterial : transparent_one_one
// texture Scene : : clamp_to_edge noMipMap
// float Intensity : 1 : pixel
// [TESK_END]

float Intensity;
#include "FullScreenQuad.h"

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  return float4(tex2D(Scene, uv).rgb * Intensity, 1.0);
}
