// Depth of field, first step: the circle of confusion of a thin lens focused
// at FocalDistance with the aperture FStop, for the camera's focal length on
// its 15 mm high film (the engine's FocalLength).
// [TESK_BEGIN]
// float FocalDistance : FocalDistance : pixel
// float FStop : FStop : pixel
// float FocalLength : FocalLength : pixel
// texture 0 : : clamp_to_edge filterPoint noMipMap
// texture 5 : : clamp_to_edge filterPoint noMipMap
// float ZFarValue : ZFarValue : pixel
// [TESK_END]

float FocalDistance;
float FStop;
float FocalLength;
#include "DofCoc.h"

#define FILM_HEIGHT 0.015
// Below this a depth or a distance from the lens counts as this.
#define MIN_DISTANCE 0.0001

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  // Without an aperture (an f-stop of 0 or less) the lens is a pinhole:
  // everything is sharp.
  if (FStop <= 0.0) return WithCoc(uv, 0.0);
  float depth = max(SceneDepth(uv), MIN_DISTANCE);
  float f = max(FocalLength, MIN_DISTANCE);
  float aperture = f / FStop;
  float diameter = aperture * f * abs(depth - FocalDistance) / (depth * max(abs(FocalDistance - f), MIN_DISTANCE));
  return WithCoc(uv, 0.5 * diameter / FILM_HEIGHT);
}
