// One light added into the light buffer of the light pre-pass frame: diffuse
// light in rgb and specular intensity in alpha, as Lpp.hlsl reads them back
// (its USE_LIGHTBUFFER path multiplies them by the surface's own colours).
// The G-buffer gives each pixel's view-space normal and glossiness
// ("NormalRTT") and depth ("DepthRTT"); everything here is in view space.
//
// Macros: USE_DISTANT, USE_POINT or USE_SPOTLIGHT pick the light; USE_SHADOW
// with one of USE_SH0, USE_SH1, USE_SH2, USE_SH4, USE_SH8, USE_SH16, USE_SH32
// darkens what the shadow map hides, the number being the width in shadow-map
// texels the lookup averages over (0: one sharp tap), so a larger shadow fuzz
// gives a wider penumbra.
//
// The engine draws it over the whole screen (WorldViewProjection identity) or
// through a sphere or cone around the light's range, adding into the target.
// [TESK_BEGIN]
// config baseMaterial : transparent_one_one
// float4x4 WorldViewProjection : WorldViewProjection : vertex
// float ZFarValue : ZFarValue : pixel
// float2 TargetSize : TargetSize : pixel
// float4 ViewRay : 1, 1, 0, 0 : pixel
// float3 LightPosition : 0, 0, 0 : pixel
// float3 LightDirection : 0, 0, 1 : pixel
// float InvLightRadiusSqr : 0 : pixel
// float2 SpotlightAngles : 1, 0 : pixel
// float3 LightColor : 1, 1, 1 : pixel
// float4x4 ShadowWorldViewProj : 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1 : pixel
// float ShadowMaxD : 1 : pixel
// float ShadowMinD : 0.01 : pixel
// float3 ShadowColor : 0, 0, 0 : pixel
// float2 ShadowMapSize : 512, 512 : pixel
// float ShadowEpsilon : 0.00005 : pixel
// texture NormalBuffer : NormalRTT : preset clamp_to_edge filterPoint noMipMap
// texture DepthBuffer : DepthRTT : preset clamp_to_edge filterPoint noMipMap
//TESK_PP:D:SHADOW:// texture ShadowMap : : clamp_to_border filterPoint noMipMap
// [TESK_END]

float4x4 WorldViewProjection;
float3 LightPosition;
float3 LightDirection;
float InvLightRadiusSqr;
float2 SpotlightAngles;  // cosines of the inner and outer cone angles
float3 LightColor;
#include "LppViewSpace.h"

sampler2D NormalBuffer : register(s0);
sampler2D DepthBuffer : register(s1);

float3 unitOr(float3 v, float3 fallback) {
  float lengthSquared = dot(v, v);
  return lengthSquared > 1e-20 ? v * rsqrt(lengthSquared) : fallback;
}

float luminance(float3 colour) { return dot(colour, float3(0.3, 0.59, 0.11)); }

#if defined(USE_SHADOW)
#include "LppShadowLookup.h"
#endif

float4 vs_main(float4 position : POSITION) : POSITION {
  return mul(WorldViewProjection, position);
}

float4 ps_main(float2 pixel : VPOS) : COLOR {
  float2 uv = PixelUv(pixel);
  float4 normalGloss = tex2D(NormalBuffer, uv);
  float3 position = ViewPositionAt(uv, tex2D(DepthBuffer, uv).r);
  float3 normal = unitOr(normalGloss.xyz * 2.0 - 1.0, float3(0, 0, -1));
  float3 toEye = unitOr(-position, float3(0, 0, -1));

#if defined(USE_DISTANT)
  float3 toLight = unitOr(-LightDirection, normal);
  float attenuation = 1.0;
#else
  float3 offset = LightPosition - position;
  // Full at the light, nothing from its range on.
  float attenuation = saturate(1.0 - dot(offset, offset) * InvLightRadiusSqr);
  float3 toLight = unitOr(offset, normal);
#endif
#if defined(USE_SPOTLIGHT)
  // Full inside the inner cone, fading to nothing at the outer one; an inner
  // cone wider than the outer one gives a hard edge at the outer.
  float cosAngle = dot(-toLight, unitOr(LightDirection, -toLight));
  float fade = max(SpotlightAngles.x - SpotlightAngles.y, 1e-4);
  attenuation *= saturate((cosAngle - SpotlightAngles.y) / fade);
#endif

  float3 light = LightColor * attenuation;
#if defined(USE_SHADOW)
  light *= lerp(ShadowColor, float3(1, 1, 1), LitFraction(position, normal));
#endif
  float facing = dot(normal, toLight);
  float exponent = exp2(saturate(normalGloss.w) * 10.0 + 2.0);
  float highlight = facing > 0.0 ? pow(saturate(dot(normal, unitOr(toLight + toEye, normal))), exponent) : 0.0;
  return float4(light * saturate(facing), highlight * luminance(light));
}
