// [TESK_BEGIN]
//title Panel
//subject A rounded, shaded panel for BoxWithEffect, in the ink colour
// float4 Rectangle : 0, 0, 1, 1 : vertex
// float2 TargetSize : TargetSize : vertex
// float4 Color : 1, 1, 1, 1 : pixel
// float Radius : 12 : pixel
// [TESK_END]

// The full-screen quad brings its corner (0 to 1, y down) in TEXCOORD0; the
// vertex stage moves it onto Rectangle (x, y, width, height in pixels).
float4 Rectangle;
float2 TargetSize;
float4 Color;
float Radius;

struct VSOut {
  float4 position : POSITION;
  float2 corner : TEXCOORD0;
};

VSOut vs_main(float4 position : POSITION, float2 corner : TEXCOORD0) {
  VSOut o;
  float2 pixel = Rectangle.xy + corner * Rectangle.zw;
  o.position = float4(pixel / TargetSize * float2(2, -2) + float2(-1, 1), 0, 1);
  o.corner = corner;
  return o;
}

float4 ps_main(float2 corner : TEXCOORD0) : COLOR {
  // Distance outside the rounded rectangle, in pixels.
  float2 size = Rectangle.zw;
  float2 fromCentre = abs(corner - 0.5) * size;
  float2 outside = max(fromCentre - (size * 0.5 - Radius), 0);
  float edge = saturate(length(outside) - Radius + 1);
  float shade = lerp(1.0, 0.6, corner.y);
  return float4(Color.rgb * shade, Color.a * (1 - edge));
}
