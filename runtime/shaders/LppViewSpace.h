// Where a pixel of the G-buffer lies in view space, for the light pass.
//
// DepthRTT holds the view-space depth over the camera's far distance (the
// surfaces' "depth" technique writes it so). Render targets are stored
// bottom row first and VPOS counts from the bottom, so a pixel's texture
// coordinates run upwards like the projection's y: v = 0 is ndc y = -1.
#ifndef TESK_LPP_VIEW_SPACE_H
#define TESK_LPP_VIEW_SPACE_H

// (1 / P11, 1 / P22, P31, P32) of the camera's projection.
float4 ViewRay;
float ZFarValue;
float2 TargetSize;

// The texture coordinates of the pixel's centre on a screen-sized target.
float2 PixelUv(float2 pixel) {
  return (pixel + 0.5) / max(TargetSize, float2(1.0, 1.0));
}

// The view-space point at uv whose depth over the far distance is depthOverFar.
float3 ViewPositionAt(float2 uv, float depthOverFar) {
  float depth = depthOverFar * ZFarValue;
  float2 ndc = uv * 2.0 - 1.0;
  return float3((ndc - ViewRay.zw) * ViewRay.xy * depth, depth);
}

#endif
