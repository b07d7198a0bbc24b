// [TESK_BEGIN]
//title Glaze
//subject A surface effect of its own: the surface's colour, lit from the front, with a rim of light that pulses
// float4x4 WorldViewProjection : WorldViewProjection : vertex
// float4x4 World : World : vertex
// float4x4 WorldInverse : WorldInverse : vertex
// float4 ViewPosition : ViewPosition : pixel
// float3 BaseColor : Surface_BaseColor : pixel color
// float Time : TimeScene : pixel
// float3 RimColor : 1 1 1 : pixel color
// float PulseRate : 1 : pixel
// [TESK_END]

// The scene gives RimColor and PulseRate; the surface gives BaseColor. The
// variant is compiled with the surface's macros, which this effect ignores.
float4x4 WorldViewProjection;
float4x4 World;
float4x4 WorldInverse;
float4 ViewPosition;
float3 BaseColor;
float Time;
float3 RimColor;
float PulseRate;

struct Varyings {
  float3 world : TEXCOORD1;
  float3 normal : TEXCOORD2;
};

Varyings vs_main(float4 position : POSITION, float3 normal : NORMAL, out float4 projected : POSITION) {
  Varyings o;
  projected = mul(WorldViewProjection, position);
  o.world = mul(World, position).xyz;
  o.normal = mul(normal, (float3x3)WorldInverse);
  return o;
}

float4 ps_main(Varyings i) : COLOR {
  float3 normal = normalize(i.normal);
  float3 toEye = normalize(ViewPosition.xyz - i.world);
  float facing = saturate(dot(normal, toEye));
  float rim = pow(1 - facing, 2.5) * (0.6 + 0.4 * sin(Time * PulseRate * 6.2831853));
  return float4(BaseColor * (0.3 + 0.7 * facing) + RimColor * rim * 1.5, 1);
}
