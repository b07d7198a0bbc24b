#pragma once
// Direct3D 9 style shader texts shared by the shader tests.

namespace tk::test {

// A vertex shader with a matrix, a bool, an array and an array of structures.
constexpr const char* kVertexShader = R"(
float4x4 WorldViewProj : WorldViewProjection : register(c0);
float4x3 Skew;
bool UseSkew;
float Offsets[3];
struct LightParams { float3 Color; float Radius; };
LightParams Lights[2];
struct VSOut { float4 pos : POSITION; float2 uv : TEXCOORD1; float4 col : COLOR; };
VSOut vs_main(float3 p : POSITION, float2 uv : TEXCOORD0, float4 c : COLOR0) {
  VSOut o;
  o.pos = mul(float4(p, 1), WorldViewProj);
  o.uv = uv + Offsets[1] + Lights[1].Radius;
  o.col = UseSkew ? float4(mul(float4(p, 1), Skew), 1) : c;
  return o;
}
technique Main { pass P0 { VertexShader = compile vs_2_0 vs_main(); } }
)";

// A pixel shader with framework-only declarations the front end rejects.
constexpr const char* kPixelShader = R"(
texture DiffuseMap <string ResourceName = "a.dds";>;
sampler2D Diffuse : register(s3) = sampler_state { Texture = <DiffuseMap>; MinFilter = Linear; };
sampler2D Detail;
samplerCUBE Sky;
float4 Tint : MaterialTint;
float4 ps_main(float4 col : COLOR0, float2 uv : TEXCOORD1, float2 vp : VPOS, float face : VFACE) : COLOR {
  return tex2D(Diffuse, uv) * col * Tint + tex2D(Detail, vp) * face + texCUBE(Sky, float3(uv, 1));
}
)";

}  // namespace tk::test
