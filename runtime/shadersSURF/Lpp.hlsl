// [TESK_BEGIN]
//title LightWave surface, light pre-pass
//subject A LightWave surface for the light pre-pass frame: normals and depth for the G-buffer, then shaded with every texture channel, reflections and translucency
//comments The surface's macros pick the variant; see LightWaveSurface.h for what each one does and how samplers map to texture layers
// config techniques : depth shadow
//TESK_PP:D:TECH_NDFLT:// config baseMaterial : solid
// float4x4 WorldViewProjection : WorldViewProjection : vertex
// float4x4 World : World : vertex
// float4x4 WorldInverse : WorldInverse : vertex
// float4x4 WorldView : WorldView : vertex
// float ZFarValue : ZFarValue : vertex
// float4x4 View : View : pixel
// float4 ViewPosition : ViewPosition : pixel
// float4 LightAmbient : LightAmbient0 : pixel
// float4 LightsNum : LightsNum : pixel
// float4 LightsIni : LightsIni : pixel
// float4 LightParams : LightParams : pixel
// float2 PixelSize : PixelSize : pixel
// float3 BaseColor : Surface_BaseColor : pixel color
// float Luminosity : Surface_Luminosity : pixel percent
// float Diffuse : Surface_Diffuse : pixel percent
// float Specularity : Surface_Specularity : pixel percent
// float Reflectivity : Surface_Reflectivity : pixel percent
// float Transparency : Surface_Transparency : pixel percent
// float Translucency : Surface_Translucency : pixel percent
// float Bump : Surface_Bump : pixel percent
// float Glossiness : Surface_Glossiness : pixel percent
// float ColorHighlights : Surface_ColorHighlights : pixel percent
// float VertexColoring : Surface_VertexColoring : pixel percent
// float GlowValue : Surface_GlowValue : pixel percent
// int Sidedness : Surface_Sidedness : pixel
// float ReflectionMaxMip : Surface_ReflectionMaxMip : pixel
// float3 CubeMapPosition : CubeMapPosition : pixel
// float3 CubeMapAABBPosition : CubeMapAABBPosition : pixel
// float3 CubeMapAABBScale : CubeMapAABBScale : pixel
// texture LightBuffer : LightRTT : preset clamp_to_edge filterPoint noMipMap linear
// texture ColorMap : Color : trilinear
// texture NormalMap : Bump : trilinear
// texture TransparencyMap : Transparency : trilinear
//TESK_PP:D:TEX_REFLECCUBE:// texture ReflectionMap : ReflectionImage : cube trilinear
//TESK_PP:U:TEX_REFLECCUBE:// texture ReflectionMap : ReflectionImage : clamp_v trilinear
// texture LuminosityMap : Luminosity : trilinear
// texture SpecularityMap : Specularity : trilinear
// texture GlossinessMap : Glossiness : trilinear
// texture DiffuseMap : Diffuse : trilinear
// texture ReflectivityMap : Reflectivity : trilinear
// texture TranslucencyMap : Translucency : trilinear
// [TESK_END]

// Drawn for opaque surfaces. The "depth" technique fills the G-buffer and
// "shadow" the shadow maps (formats in LightWaveSurface.h).
//
// The default technique lights the surface from the light buffer the light
// pass filled between the two: diffuse light in rgb, specular intensity in
// alpha, at this pixel (the target has the light buffer's size). Ambient
// light and the surface's own luminosity come on top, so with no lights in
// the frame a surface shows only those. The light buffer takes the texture
// layer after the surface's own textures. Surfaces that blend are drawn with
// Forward.hlsl, which lights them forward from the engine's light block.
#define SURF_LIGHT_BUFFER
#include "LightWaveSurface.h"
