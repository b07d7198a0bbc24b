// Depth of field, blur step: gathers a disc of samples whose radius is the
// pixel's circle of confusion (alpha of the picture, see DofCoc.h) times
// radiusScale. "angle" turns the pattern (radians); the second pass turns it
// by 60 degrees so the two passes fill the disc between each other's samples.
// A sample in front of the pixel spreads over it as far as its own circle
// reaches; one behind it no further than the pixel's own, so a sharp
// surface keeps its edges against a blurred background and the other way
// round. Alpha keeps the pixel's circle of confusion for the next pass.
// [TESK_BEGIN]
// float angle : 0 : pixel
// float radiusScale : 1 : pixel
// float2 TargetSize : TargetSize : pixel
// texture 0 : : clamp_to_edge noMipMap
// texture 5 : : clamp_to_edge filterPoint noMipMap
// [TESK_END]

float angle;
float radiusScale;
float2 TargetSize;
#include "DofCoc.h"
#include "PostTargets.h"

// The largest radius, in picture heights, however large radiusScale is.
#define MAX_SCALED_RADIUS 0.1
#define TAPS 18

// Three rings of six, each turned half a step from the one inside it.
static const float3 kTaps[TAPS] = {
  float3(1.0, 0.0, 0.333), float3(0.5, 0.866, 0.333), float3(-0.5, 0.866, 0.333),
  float3(-1.0, 0.0, 0.333), float3(-0.5, -0.866, 0.333), float3(0.5, -0.866, 0.333),
  float3(0.866, 0.5, 0.667), float3(0.0, 1.0, 0.667), float3(-0.866, 0.5, 0.667),
  float3(-0.866, -0.5, 0.667), float3(0.0, -1.0, 0.667), float3(0.866, -0.5, 0.667),
  float3(1.0, 0.0, 1.0), float3(0.5, 0.866, 1.0), float3(-0.5, 0.866, 1.0),
  float3(-1.0, 0.0, 1.0), float3(-0.5, -0.866, 1.0), float3(0.5, -0.866, 1.0)
};

// The radius in pixels a stored circle of confusion stands for.
float RadiusPixels(float coc, float height) {
  return min(coc * DOF_MAX_RADIUS * max(radiusScale, 0.0), MAX_SCALED_RADIUS) * height;
}

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  float2 size = max(TargetSize, float2(1.0, 1.0));
  float4 centre = tex2D(Scene, uv);
  float centreDepth = tex2D(Depth, uv).r;
  float centreRadius = RadiusPixels(centre.a, size.y);
  float c = cos(angle);
  float s = sin(angle);
  float3 sum = centre.rgb;
  float weights = 1.0;
  for (int i = 0; i < TAPS; ++i) {
    float2 direction = ScreenDirection(float2(kTaps[i].x * c - kTaps[i].y * s, kTaps[i].x * s + kTaps[i].y * c));
    float dist = kTaps[i].z * centreRadius;
    float2 at = uv + direction * dist / size;
    float4 tap = tex2D(Scene, at);
    float sampleRadius = RadiusPixels(tap.a, size.y);
    float reach = tex2D(Depth, at).r < centreDepth ? sampleRadius : min(sampleRadius, centreRadius);
    float weight = saturate(reach - dist + 1.0);
    sum += tap.rgb * weight;
    weights += weight;
  }
  return float4(sum / weights, centre.a);
}
