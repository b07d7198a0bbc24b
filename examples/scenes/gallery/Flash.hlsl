// [TESK_BEGIN]
//title Flash
//subject The picture pushed towards white
// float Strength : 0.6 : pixel percent
// [TESK_END]

sampler2D Picture : register(s0);
float Strength;

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
  return float4(lerp(colour, float3(1, 1, 1), Strength), 1);
}
