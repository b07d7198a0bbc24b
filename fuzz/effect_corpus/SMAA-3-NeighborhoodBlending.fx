// SMAA, third pass: each pixel mixed with its four neighbours by the weights
// of the second pass (on unit 5). A pixel owns the weights of its top and left
// edges; what it takes across its bottom and right edges is stored by the
// pixel below and the pixel on its right. Where the weights add up to more
// than the whole pixel they are scaled down, so the result always lies
// between the pixel and its neighbours.
// [TESK_BEGIN]
// float2 PixelSize : PixelSize : pixel
// texture Scene : : clamp_to_edge filterPoint
// texture Weights : : clamp_to_edge filterPoint
// [TESK_END]

float2 PixelSize;
#include "FullScreenQuad.h"
sampler2D Weights : register(s5);

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  const float2 up = float2(0, PixelSize.y);
  const float2 right = float2(PixelSize.x, 0);
  const float4 own = tex2D(Weights, uv);
  // Taken from above, below, the left and the right.
  const float4 taken = float4(own.r, tex2D(Weights, uv - up).g, own.b, tex2D(Weights, uv + right).a);
  const float total = dot(taken, float4(1, 1, 1, 1));
  const float4 colour = tex2D(Scene, uv);
  // Every fetch is made whatever the weights, outside any branch.
  const float4 share = taken / max(total, 1.0);
  return colour * (1 - dot(share, float4(1, 1, 1, 1))) + share.x * tex2D(Scene, uv + up) +
         share.y * tex2D(Scene, uv - up) + share.z * tex2D(Scene, uv - right) + share.w * tex2D(Scene, uv + right);
}
