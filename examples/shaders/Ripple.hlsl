// [TESK_BEGIN]
//title Ripple
//subject An image pasted with PasteImageWithEffect, rippling from its centre
// float4 Rectangle : 0, 0, 1, 1 : vertex
// float2 TargetSize : TargetSize : vertex
// float4 Color : 1, 1, 1, 1 : pixel
// float Phase : 0 : pixel
// float Strength : 0.01 : pixel
// texture Image : : clamp_to_edge
// [TESK_END]

// TEXCOORD0 is the quad's corner (0 to 1, y down), TEXCOORD1 the place in the
// image read the right way up, whether the image is a picture or a render target.
float4 Rectangle;
float2 TargetSize;
float4 Color;
float Phase;
float Strength;
sampler2D Image;

struct VSOut {
  float4 position : POSITION;
  float2 corner : TEXCOORD0;
  float2 uv : TEXCOORD1;
};

VSOut vs_main(float4 position : POSITION, float2 corner : TEXCOORD0, float2 uv : TEXCOORD1) {
  VSOut o;
  float2 pixel = Rectangle.xy + corner * Rectangle.zw;
  o.position = float4(pixel / TargetSize * float2(2, -2) + float2(-1, 1), 0, 1);
  o.corner = corner;
  o.uv = uv;
  return o;
}

float4 ps_main(float2 corner : TEXCOORD0, float2 uv : TEXCOORD1) : COLOR {
  float2 fromCentre = corner - 0.5;
  float wave = sin(length(fromCentre) * 40 - Phase) * Strength;
  // A ring is the same turned over, so the offset need not follow uv's direction.
  float2 step = normalize(fromCentre + 1e-5) * wave;
  return tex2D(Image, uv + step) * Color;
}
