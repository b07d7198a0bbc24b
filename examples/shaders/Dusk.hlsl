// [TESK_BEGIN]
//title Dusk
//subject A warm grade with a soft vignette over the whole picture
// float4 Warmth : 1.25 0.9 0.55 1 : pixel color
// float Vignette : 0.8 : pixel percent
// [TESK_END]

// The finished picture arrives on unit 0; the quad's coordinates cover it.
sampler2D Scene : register(s0);
float4 Warmth;
float Vignette;

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
  float3 colour = tex2D(Scene, uv).rgb * Warmth.rgb;
  float2 fromCentre = uv - 0.5;
  colour *= saturate(1 - dot(fromCentre, fromCentre) * 2 * Vignette);
  return float4(colour, 1);
}
