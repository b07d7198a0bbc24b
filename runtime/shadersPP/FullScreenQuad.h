// What every full-screen effect starts from: the picture on unit 0 and the
// quad's vertex shader, which hands the position and the picture's
// coordinates through unchanged.
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
