// One pass of a light streak: every pixel gathers four taps along direction,
// 4^(passn - 1) texels apart, weighted attenuation^(distance in texels), so
// four passes spread a light over 255 texels. The taps beyond the pixel
// itself are tinted by colorize. The weights are normalised: the passes move
// light along the streak without multiplying it (a bright light cannot grow
// past what a half-float target holds).
// direction keeps the Direct3D sense (v downwards) and counts in texels of
// the target, so an angle is the same angle on a wide screen.
// [TESK_BEGIN]
// texture Scene : : clamp_to_edge noMipMap
// float2 direction : 1,0 : pixel
// float3 colorize : 1,1,1 : pixel
// float attenuation : 0.9 : pixel
// float passn : 1 : pixel
// float2 PixelSize : PixelSize : pixel
// [TESK_END]

float2 direction;
float3 colorize;
float attenuation;
float passn;
float2 PixelSize;
#include "FullScreenQuad.h"
#include "PostTargets.h"

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  float spacing = pow(4.0, max(passn, 1.0) - 1.0);
  float2 step = ScreenDirection(direction) * PixelSize * spacing;
  float fade = saturate(attenuation);
  float3 sum = tex2D(Scene, uv).rgb;
  float total = 1.0;
  for (int s = 1; s < 4; ++s) {
    float weight = pow(fade, spacing * s);
    sum += weight * colorize * tex2D(Scene, uv + step * s).rgb;
    total += weight;
  }
  return float4(sum / total, 1.0);
}
