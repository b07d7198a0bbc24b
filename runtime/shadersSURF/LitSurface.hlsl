// [TESK_BEGIN]
//title Lit surface
//subject A mesh lit by the scene's first light (Blinn-Phong) over its ambient colour
// float4x4 WorldViewProjection : WorldViewProjection : vertex
// float4x4 World : World : vertex
// float4 LightPos0 : LightPos0 : pixel
// float4 LightDiffuse0 : LightDiffuse0 : pixel
// float4 LightAmbient : LightAmbient0 : pixel
// float4 ViewPosition : ViewPosition : pixel
// float4 BaseColor : 0.78 0.78 0.78 1 : pixel color
// float Specularity : 0.3 : pixel percent
// float Glossiness : 0.4 : pixel percent
// [TESK_END]

// Matrices arrive transposed (the header asks for them so): mul(matrix, vector).
float4x4 WorldViewProjection;
float4x4 World;
float4 LightPos0;
float4 LightDiffuse0;
float4 LightAmbient;
float4 ViewPosition;
float4 BaseColor;
float Specularity;
float Glossiness;

struct VSOut {
  float4 position : POSITION;
  float3 normal : TEXCOORD0;
  float3 world : TEXCOORD1;
};

VSOut vs_main(float4 position : POSITION, float3 normal : NORMAL) {
  VSOut o;
  o.position = mul(WorldViewProjection, position);
  o.world = mul(World, position).xyz;
  o.normal = mul((float3x3)World, normal);
  return o;
}

float4 ps_main(float3 normal : TEXCOORD0, float3 world : TEXCOORD1) : COLOR {
  float3 n = normalize(normal);
  float3 toLight = normalize(LightPos0.xyz - world);
  float3 toEye = normalize(ViewPosition.xyz - world);
  float diffuse = saturate(dot(n, toLight));
  float specular = pow(saturate(dot(n, normalize(toLight + toEye))), exp2(Glossiness * 10 + 2)) * Specularity;
  float3 colour = BaseColor.rgb * (LightAmbient.rgb + LightDiffuse0.rgb * diffuse) + LightDiffuse0.rgb * specular;
  return float4(colour, BaseColor.a);
}
