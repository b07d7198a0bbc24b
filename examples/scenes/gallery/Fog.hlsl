// [TESK_BEGIN]
//title Fog
//subject Distance fog over the picture, from the depth the depth pass wrote
// float4 FogColor : 0.55 0.6 0.7 1 : pixel color
// float FogStart : 0.2 : pixel percent
// float FogDensity : 3 : pixel
// [TESK_END]

// The picture arrives on unit 0 and the depth target (view depth over the far
// clip distance, 1 where nothing was drawn) on unit 1.
sampler2D Picture : register(s0);
sampler2D Depth : register(s1);
float4 FogColor;
float FogStart;
float FogDensity;

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
  float3 colour = tex2D(Picture, uv).rgb;
  float depth = tex2D(Depth, uv).r;
  float fog = 1 - exp(-max(0, depth - FogStart) * FogDensity);
  return float4(lerp(colour, FogColor.rgb, saturate(fog)), 1);
}
