// One pass of a separable Gaussian blur: the picture smeared along Direction,
// (1, 0) across or (0, 1) up and down, over Radius screen pixels each way and
// scaled by Intensity, with the standard deviation at half the reach. The
// weights are normalised (a flat picture comes out as Intensity times itself)
// and a radius of 0 or less gives the picture back unblurred. The input and
// the target are of one size.
// BLUR_SIDE_TAPS taps on each side of the centre spread evenly over the
// reach; the engine compiles several counts and picks, for each pass, the
// smallest that keeps the taps about a texel of the target apart (a glow
// level n times smaller than the screen blurs only Radius / n of its own
// texels, so it needs few). Past the largest count the taps spread further
// apart, and a thin bright line shows as separate copies.
// [TESK_BEGIN]
// texture Scene : : clamp_to_edge noMipMap
// float2 Direction : 1,0 : pixel
// float Radius : 1 : pixel
// float Intensity : 1 : pixel
// float2 ScreenSize : ScreenSize : pixel
// [TESK_END]

float2 Direction;
float Radius;
float Intensity;
float2 ScreenSize;
#include "FullScreenQuad.h"
#include "PostTargets.h"

#ifndef BLUR_SIDE_TAPS
#define BLUR_SIDE_TAPS 6
#endif

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  // Screen pixels in texture space; the reach as far as one tap from the centre.
  float2 reach = ScreenDirection(Direction) * min(abs(Radius), 1e6) / max(ScreenSize, float2(1.0, 1.0));
  float2 step = reach / BLUR_SIDE_TAPS;
  float4 sum = tex2D(Scene, uv);
  float total = 1.0;
  for (int i = 1; i <= BLUR_SIDE_TAPS; ++i) {
    float t = float(i) / BLUR_SIDE_TAPS;
    float weight = exp(-2.0 * t * t);
    sum += weight * (tex2D(Scene, uv + step * i) + tex2D(Scene, uv - step * i));
    total += 2.0 * weight;
  }
  return sum * (Intensity / total);
}
