// Camera effect: the picture multiplied by a colour (a simple colour grade).
// [TESK_BEGIN]
// float4 Tint : 1, 0.8, 0.6, 1 : pixel color
// [TESK_END]

float4 Tint;
#include "FullScreenQuad.h"

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  return tex2D(Scene, uv) * Tint;
}
