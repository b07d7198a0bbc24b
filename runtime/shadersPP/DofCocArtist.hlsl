// Depth of field, first step: the circle of confusion an artist sets by
// distances. Sharp at DofFocalRangeFocused, growing to the largest at
// DofFocalRangeMin in front and at DofFocalRangeMax behind.
// [TESK_BEGIN]
// float DofFocalRangeMin : DofFocalRangeMin : pixel
// float DofFocalRangeFocused : DofFocalRangeFocused : pixel
// float DofFocalRangeMax : DofFocalRangeMax : pixel
// texture 0 : : clamp_to_edge filterPoint noMipMap
// texture 5 : : clamp_to_edge filterPoint noMipMap
// float ZFarValue : ZFarValue : pixel
// [TESK_END]

float DofFocalRangeMin;
float DofFocalRangeFocused;
float DofFocalRangeMax;
#include "DofCoc.h"

// A range shorter than this (or reversed) blurs at once past the focus.
#define MIN_RANGE 0.0001

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  float depth = SceneDepth(uv);
  float nearRange = max(DofFocalRangeFocused - DofFocalRangeMin, MIN_RANGE);
  float farRange = max(DofFocalRangeMax - DofFocalRangeFocused, MIN_RANGE);
  float amount = depth < DofFocalRangeFocused ? (DofFocalRangeFocused - depth) / nearRange
                                              : (depth - DofFocalRangeFocused) / farRange;
  return WithCoc(uv, saturate(amount) * DOF_MAX_RADIUS);
}
