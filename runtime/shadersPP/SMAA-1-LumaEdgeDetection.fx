// SMAA, first pass: where the picture has an edge. Red marks an edge between
// a pixel and its left neighbour, green one between a pixel and the neighbour
// above it (on the screen; targets run bottom-up, so "above" is +v). An edge
// is a luma step above the threshold that is not dwarfed by a step nearby:
// local contrast adaptation drops the faint echoes beside a strong edge,
// which would otherwise bend the lines the next pass follows.
// [TESK_BEGIN]
// float2 PixelSize : PixelSize : pixel
// config depth_func : ALWAYS
// config depth_mask : true
// texture Scene : : clamp_to_edge filterPoint
// [TESK_END]

float2 PixelSize;
#include "FullScreenQuad.h"

static const float kThreshold = 0.1;
// An edge stays when it is at least this fraction of the strongest step around it.
static const float kLocalContrastFraction = 0.5;

float LumaAt(float2 uv, float2 pixels) {
  return dot(tex2D(Scene, uv + pixels * PixelSize).rgb, float3(0.2126, 0.7152, 0.0722));
}

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  const float luma = LumaAt(uv, float2(0, 0));
  const float left = LumaAt(uv, float2(-1, 0));
  const float above = LumaAt(uv, float2(0, 1));
  const float2 step = abs(luma - float2(left, above));
  float2 edges = step >= kThreshold ? float2(1, 1) : float2(0, 0);

  const float right = abs(luma - LumaAt(uv, float2(1, 0)));
  const float below = abs(luma - LumaAt(uv, float2(0, -1)));
  const float leftLeft = abs(left - LumaAt(uv, float2(-2, 0)));
  const float aboveAbove = abs(above - LumaAt(uv, float2(0, 2)));
  const float strongest = max(max(max(step.x, step.y), max(right, below)), max(leftLeft, aboveAbove));
  edges *= step >= kLocalContrastFraction * strongest ? float2(1, 1) : float2(0, 0);
  // Pixels without an edge keep the target's cleared zeros and write no
  // depth: the depth left behind marks the pixels the next pass weighs.
  if (edges.x + edges.y < 0.5) discard;
  return float4(edges, 0, 1);
}
