// Clears the G-buffer of the light pre-pass frame before the solid surfaces
// write it, drawn over the whole screen into NormalRTT (COLOR0) and DepthRTT
// (COLOR1). Every pixel says "nothing here", in the encoding the surfaces'
// "depth" technique writes (see shadersSURF/LightWaveSurface.h):
//   NormalRTT: (normal * 0.5 + 0.5, glossiness) with a zero normal and no
//              glossiness, so no light finds a surface to shade there;
//   DepthRTT:  view-space depth / far clip distance = 1, the far plane.
// The depth buffer is left as the frame cleared it.
// [TESK_BEGIN]
// config depth_test_enable : false
// config depth_mask : false
// [TESK_END]

struct VSOut {
  float4 position : POSITION;
};

VSOut vs_main(float4 position : POSITION) {
  VSOut o;
  o.position = position;
  return o;
}

struct GBufferTargets {
  float4 normal : COLOR0;
  float4 depth : COLOR1;
};

GBufferTargets ps_main() {
  GBufferTargets o;
  o.normal = float4(0.5, 0.5, 0.5, 0.0);
  o.depth = float4(1.0, 1.0, 1.0, 1.0);
  return o;
}
