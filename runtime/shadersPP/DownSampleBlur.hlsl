// The picture reduced into a smaller target: four bilinear taps one input
// texel off the target pixel's centre on the diagonals, a tent over the 4 x 4
// input texels under a half-size pixel, so a thin bright line does not
// flicker as it crosses texel boundaries.
// [TESK_BEGIN]
// texture Scene : : clamp_to_edge noMipMap
// float2 InputSize : Texture[0].Size : pixel
// [TESK_END]

float2 InputSize;
#include "FullScreenQuad.h"

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  float2 texel = 1.0 / max(InputSize, float2(1.0, 1.0));
  return 0.25 * (tex2D(Scene, uv + texel * float2(-1.0, -1.0)) + tex2D(Scene, uv + texel * float2(1.0, -1.0)) +
                 tex2D(Scene, uv + texel * float2(-1.0, 1.0)) + tex2D(Scene, uv + texel * float2(1.0, 1.0)));
}
