// How much of a view-space point a light's shadow map leaves lit (0 to 1).
//
// The map holds the casters' projected depth z / w as the shadow camera sees
// them (the surfaces' "shadow" technique and LppShadowDepth.hlsl write it; 1
// where nothing is). ShadowWorldViewProj takes view space to the shadow
// camera's clip space; its texture coordinates run upwards like ndc y, as the
// map is a render target stored bottom row first. Depths are compared as
// distances over the shadow range: linear for the orthographic box of
// distant lights, turned back from z / w (near ShadowMinD, far ShadowMaxD)
// for the perspective of spot lights. ShadowEpsilon is a bias in that range.
#ifndef TESK_LPP_SHADOW_LOOKUP_H
#define TESK_LPP_SHADOW_LOOKUP_H

float4x4 ShadowWorldViewProj;
float ShadowMaxD;
float ShadowMinD;
float3 ShadowColor;
float2 ShadowMapSize;
float ShadowEpsilon;
sampler2D ShadowMap : register(s2);

#if defined(USE_SH1)
#define SHADOW_FILTER_WIDTH 1.0
#define SHADOW_TAPS 2
#elif defined(USE_SH2)
#define SHADOW_FILTER_WIDTH 2.0
#define SHADOW_TAPS 3
#elif defined(USE_SH4)
#define SHADOW_FILTER_WIDTH 4.0
#define SHADOW_TAPS 4
#elif defined(USE_SH8)
#define SHADOW_FILTER_WIDTH 8.0
#define SHADOW_TAPS 5
#elif defined(USE_SH16)
#define SHADOW_FILTER_WIDTH 16.0
#define SHADOW_TAPS 6
#elif defined(USE_SH32)
#define SHADOW_FILTER_WIDTH 32.0
#define SHADOW_TAPS 7
#else
#define SHADOW_FILTER_WIDTH 0.0
#define SHADOW_TAPS 1
#endif

#if defined(USE_DISTANT)
float ReceiverRange(float4 clip) { return clip.z / clip.w; }
float StoredRange(float stored) { return stored; }
#else
float ReceiverRange(float4 clip) { return clip.w / max(ShadowMaxD, 1e-6); }
float StoredRange(float stored) {
  float nearD = max(ShadowMinD, 1e-6);
  float farD = max(ShadowMaxD, nearD * 2.0);
  return nearD / max(farD - saturate(stored) * (farD - nearD), 1e-6);
}
#endif

// One tap: 1 where the map has nothing nearer the light than the receiver.
float LitTap(float2 uv, float receiver) {
  return receiver - ShadowEpsilon > StoredRange(tex2D(ShadowMap, uv).r) ? 0.0 : 1.0;
}

float LitFraction(float3 position, float3 normal) {
  float2 texel = 1.0 / max(ShadowMapSize, float2(1.0, 1.0));
  // The size of a map texel at the point, from the shadow projection's x
  // scale: the receiver moves that far off its surface (more for wider
  // filters), so that it does not shadow itself.
  float scale = max(length(float3(ShadowWorldViewProj._11, ShadowWorldViewProj._21, ShadowWorldViewProj._31)), 1e-6);
  float4 centre = mul(float4(position, 1.0), ShadowWorldViewProj);
#if defined(USE_DISTANT)
  float distanceScale = 1.0;
#else
  float distanceScale = max(centre.w, 0.0);
#endif
  float texelSize = 2.0 * texel.x * distanceScale / scale;
  float3 lifted = position + normal * texelSize * (1.5 + 0.5 * SHADOW_FILTER_WIDTH);
  float4 clip = mul(float4(lifted, 1.0), ShadowWorldViewProj);
  if (!(clip.w > 1e-6)) return 1.0;  // behind the light
  float3 projected = clip.xyz / clip.w;
  float2 uv = projected.xy * 0.5 + 0.5;
  // Off the map or beyond its far side: the map knows of nothing in front.
  if (any(uv < 0.0) || any(uv > 1.0) || projected.z > 1.0) return 1.0;
  float receiver = ReceiverRange(clip);
#if SHADOW_TAPS == 1
  return LitTap(uv, receiver);
#else
  float lit = 0.0;
  for (int y = 0; y < SHADOW_TAPS; ++y) {
    for (int x = 0; x < SHADOW_TAPS; ++x) {
      float2 step = float2(x, y) / (SHADOW_TAPS - 1) - 0.5;
      lit += LitTap(uv + step * SHADOW_FILTER_WIDTH * texel, receiver);
    }
  }
  return lit / (SHADOW_TAPS * SHADOW_TAPS);
#endif
}

#endif
