// Temporal anti-aliasing: the new picture (s0, drawn with a jittered
// projection) blended over the history of the previous frames (s5) with the
// weight Blend for the new one.
//
// USE_REPROJ_CAMERA reads the history where this pixel's surface was in the
// previous frame: its view-space position from the depth ("DepthRTT", on s1)
// and ViewRay, taken to the previous frame's clip space by Reprojection.
// What was off the previous picture keeps the new picture alone.
// USE_VLIMIT also keeps the new picture alone where the surface moved more
// than VLimit pixels since the previous frame.
// [TESK_BEGIN]
// float Blend : 1 : pixel
// float VLimit : 0 : pixel
// float4 ViewRay : 1, 1, 0, 0 : pixel
// float4x4 Reprojection : 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1 : pixel
// float2 TargetSize : TargetSize : pixel
// float ZFarValue : ZFarValue : pixel
// texture 0 : : clamp_to_edge filterPoint noMipMap
// texture 5 : : clamp_to_edge noMipMap
//TESK_PP:D:REPROJ_CAMERA:// texture 1 : DepthRTT : preset clamp_to_edge filterPoint noMipMap
// [TESK_END]

float Blend;
float VLimit;
// (1 / P11, 1 / P22, P31, P32) of the projection the picture was drawn with.
float4 ViewRay;
float4x4 Reprojection;
float2 TargetSize;
// The camera's far distance: the depth target stores depth over it.
float ZFarValue;
#include "FullScreenQuad.h"

sampler2D History : register(s5);

#if defined(USE_REPROJ_CAMERA)
sampler2D Depth : register(s1);

// Where the surface at uv was on the previous picture, in texture space;
// off the picture (below 0) when it was behind the previous camera.
float2 PreviousPosition(float2 uv) {
  float depth = tex2D(Depth, uv).r * ZFarValue;
  float2 ndc = uv * 2.0 - 1.0;
  float4 view = float4((ndc - ViewRay.zw) * ViewRay.xy * depth, depth, 1.0);
  float4 clip = mul(view, Reprojection);
  if (clip.w <= 0.000001) return float2(-1.0, -1.0);
  return clip.xy / clip.w * 0.5 + 0.5;
}
#endif

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  float4 current = tex2D(Scene, uv);
  float blend = saturate(Blend);
#if defined(USE_REPROJ_CAMERA)
  float2 previous = PreviousPosition(uv);
  if (any(previous < 0.0) || any(previous > 1.0)) blend = 1.0;
#if defined(USE_VLIMIT)
  if (length((previous - uv) * TargetSize) > VLimit) blend = 1.0;
#endif
#else
  float2 previous = uv;
#endif
  return lerp(tex2D(History, previous), current, blend);
}
