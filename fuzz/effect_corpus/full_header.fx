// [TESK_BEGIN]
//title Seed
//cflag TEX_COLOR
// function vertexMain : vsMain
// config techniques : glow zprepass
// config depth_func : LEQUAL
// config baseMaterial : transparent
//TESK_PP:D:TECH_GLOW:// function pixelMain : psGlow
//TESK_PP:U:TEX_COLOR://TESK_PP:D:TECH_NDFLT:// float4 tint : 1, 0.5 ,0.5,1 : pixel color
// float4x4 wvp : WorldViewProjection : both
// float3 base : Surface_BaseColor
// texture : Color : repeat srgb
// texture 3 : noise.dds : 3d clamp filterPoint
// texture env : SkyCube : cube preset vertex
// [TESK_END]
float4 vs_main() : POSITION { return 0; }
