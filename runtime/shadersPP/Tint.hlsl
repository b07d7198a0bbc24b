// Camera effect: the picture multiplied by a colour (a simple colour grade).
// [TESK_BEGIN]
// float4 Tint : 1, 0.8, 0.6, 1 : pixel color
// [TESK_END]

float4 Tint;
sampler2D Scene : register(s0);

struct VSOut {
  float4 position : POSITION;
  float2 uv : TEXCOORD0;
};

VSOut vs_main(float4 position : POSITION, float2 uv : TEXCOORD0) {
  VSOut o;
  o.position = position;
  o.uv = uv;
  return o;
}

float4 ps_main(float2 uv : TEXCOORD0) : COLOR {
  return tex2D(Scene, uv) * Tint;
}
