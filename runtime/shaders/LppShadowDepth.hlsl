// Shadow-map depth for casters whose material has no "shadow" technique of
// its own: the depth z / w of the shadow camera's projection (0 near, 1 far)
// in every channel, as the surfaces' "shadow" technique writes it and
// LppShadowLookup.h reads it.
// [TESK_BEGIN]
// float4x4 WorldViewProjection : WorldViewProjection : vertex
// [TESK_END]

float4x4 WorldViewProjection;

struct VSOut {
  float4 position : POSITION;
  float2 depth : TEXCOORD0;  // projected z and w
};

VSOut vs_main(float4 position : POSITION) {
  VSOut o;
  o.position = mul(WorldViewProjection, position);
  o.depth = o.position.zw;
  return o;
}

float4 ps_main(float2 projected : TEXCOORD0) : COLOR {
  float depth = projected.x / max(projected.y, 1e-6);
  return float4(depth, depth, depth, 1.0);
}
