// The glow mask: surfaces write how much they glow into alpha, so the colour
// times alpha is what glows. Drawn from the frame into a half-size target.
// [TESK_BEGIN]
// texture Scene : : clamp_to_edge noMipMap
// [TESK_END]

#include "FullScreenQuad.h"

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  float4 colour = tex2D(Scene, uv);
  return float4(colour.rgb * colour.a, colour.a);
}
