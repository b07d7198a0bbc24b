// What the LightWave surface effects (Forward.hlsl, Lpp.hlsl) share: the
// surface's inputs, its textures, the vertex shader and the three techniques.
// The including file declares the engine header and may define
// SURF_LIGHT_BUFFER to light from the light pre-pass buffer.
//
// Macros a surface adds (each compiles alone and with any other):
//   USE_TEX_<channel>      the channel reads its texture: COLOR, LUMINOSITY,
//                          DIFFUSE, SPECULAR, GLOSSINESS, REFLECTIVITY,
//                          TRANSPARENCY, TRANSLUCENCY, NORMAL, REFLECIMG
//   USE_TEX_REFLECCUBE     the reflection image is a cube map (else lat-long)
//   USE_TRANSPARENT        the surface is see-through (alpha = opacity)
//   USE_TRANSLUCENCY       light from behind shows through
//   USE_COMPTANGENT        the mesh has no tangents: they come from the
//                          screen-space derivatives of position and UV
//   USE_UV2                the mesh has a second UV set (texture coordinate 1)
//   USE_UV2INTEX2          ... carried in texture coordinate 2 because the
//                          mesh has tangents (coordinate 1 holds the tangent,
//                          the binormal is rebuilt as cross(tangent, normal))
//   USE_UV2_TEX_<channel>  that channel's texture reads the second UV set
//   USE_NODECUBEMAP        the reflection is the node's own filtered probe:
//                          glossiness picks its mip level
//   USE_CUBEMAPAABB        box-projected reflection (box = centre +- scale/2)
//   USE_OUTDEPTH           the default technique also writes depth to COLOR1
//
// Channel values: a colour texture multiplies BaseColor; a scalar channel with
// a texture takes its value from the texture's luminance (0.3, 0.59, 0.11);
// the transparency texture's alpha is the opacity, times 1 - Transparency.
// Vertex colours drive the diffuse colour (and alpha) by VertexColoring, as
// the display library's colour material does.
//
// Samplers: a variant declares only the samplers of the textures it has, with
// registers s0, s1, ... that put them on pixel texture layers 0, 1, ... in the
// order below (the colour map first, so layer 0 holds BaseColor; the light
// buffer last). The material has 8 pixel layers (register s8 and above would
// reach the vertex layers): the light buffer takes one. When a surface asks
// for more textures than fit, the least visible channels fall back to their
// values, in this order of keeping: colour, normal, transparency, reflection,
// luminosity, specularity, glossiness, diffuse, reflectivity, translucency.
//
// Render targets written by the techniques:
//   depth:   COLOR0 = (view-space normal * 0.5 + 0.5, glossiness),
//            COLOR1 = view-space depth / far clip distance
//   shadow:  COLOR0 = projected depth z / w of the shadow camera (0 near, 1 far)
//   default: COLOR0 = shaded colour with alpha (the opacity when see-through,
//            else how much the surface glows); with USE_OUTDEPTH COLOR1 =
//            the depth the depth technique writes, with the same alpha

// ---- techniques ------------------------------------------------------------

#if defined(USE_TECH_DEPTH)
#define SURF_PASS_DEPTH
#elif defined(USE_TECH_SHADOW)
#define SURF_PASS_SHADOW
#else
#define SURF_PASS_COLOUR
#endif

#if defined(SURF_PASS_DEPTH) || (defined(SURF_PASS_COLOUR) && defined(USE_OUTDEPTH))
#define SURF_TWO_TARGETS
#endif

// ---- which textures this variant reads ---------------------------------------

#if defined(USE_TEX_REFLECIMG) || defined(USE_TEX_REFLECCUBE)
#define SURF_REFLECTION
#endif

#if defined(SURF_LIGHT_BUFFER)
#define SURF_LAYERS_FREE 7
#else
#define SURF_LAYERS_FREE 8
#endif

#if defined(USE_TEX_COLOR)
#define SURF_ASKS_COLOR 1
#else
#define SURF_ASKS_COLOR 0
#endif
#if defined(USE_TEX_NORMAL)
#define SURF_ASKS_NORMAL 1
#else
#define SURF_ASKS_NORMAL 0
#endif
#if defined(USE_TEX_TRANSPARENCY)
#define SURF_ASKS_TRANSPARENCY 1
#else
#define SURF_ASKS_TRANSPARENCY 0
#endif
#if defined(SURF_REFLECTION)
#define SURF_ASKS_REFLECTION 1
#else
#define SURF_ASKS_REFLECTION 0
#endif
#if defined(USE_TEX_LUMINOSITY)
#define SURF_ASKS_LUMINOSITY 1
#else
#define SURF_ASKS_LUMINOSITY 0
#endif
#if defined(USE_TEX_SPECULAR)
#define SURF_ASKS_SPECULAR 1
#else
#define SURF_ASKS_SPECULAR 0
#endif
#if defined(USE_TEX_GLOSSINESS)
#define SURF_ASKS_GLOSSINESS 1
#else
#define SURF_ASKS_GLOSSINESS 0
#endif
#if defined(USE_TEX_DIFFUSE)
#define SURF_ASKS_DIFFUSE 1
#else
#define SURF_ASKS_DIFFUSE 0
#endif
// Reflectivity only matters where there is something to reflect.
#if defined(USE_TEX_REFLECTIVITY) && defined(SURF_REFLECTION)
#define SURF_ASKS_REFLECTIVITY 1
#else
#define SURF_ASKS_REFLECTIVITY 0
#endif
#if defined(USE_TEX_TRANSLUCENCY)
#define SURF_ASKS_TRANSLUCENCY 1
#else
#define SURF_ASKS_TRANSLUCENCY 0
#endif

// A channel keeps its texture when fewer layers than there are free went to
// the channels kept before it.
#define SURF_BEFORE_NORMAL (SURF_ASKS_COLOR)
#define SURF_BEFORE_TRANSPARENCY (SURF_BEFORE_NORMAL + SURF_ASKS_NORMAL)
#define SURF_BEFORE_REFLECTION (SURF_BEFORE_TRANSPARENCY + SURF_ASKS_TRANSPARENCY)
#define SURF_BEFORE_LUMINOSITY (SURF_BEFORE_REFLECTION + SURF_ASKS_REFLECTION)
#define SURF_BEFORE_SPECULAR (SURF_BEFORE_LUMINOSITY + SURF_ASKS_LUMINOSITY)
#define SURF_BEFORE_GLOSSINESS (SURF_BEFORE_SPECULAR + SURF_ASKS_SPECULAR)
#define SURF_BEFORE_DIFFUSE (SURF_BEFORE_GLOSSINESS + SURF_ASKS_GLOSSINESS)
#define SURF_BEFORE_REFLECTIVITY (SURF_BEFORE_DIFFUSE + SURF_ASKS_DIFFUSE)
#define SURF_BEFORE_TRANSLUCENCY (SURF_BEFORE_REFLECTIVITY + SURF_ASKS_REFLECTIVITY)

#if SURF_ASKS_COLOR
#define SURF_TEX_COLOR
#endif
#if SURF_ASKS_NORMAL && SURF_BEFORE_NORMAL < SURF_LAYERS_FREE
#define SURF_TEX_NORMAL
#endif
#if SURF_ASKS_TRANSPARENCY && SURF_BEFORE_TRANSPARENCY < SURF_LAYERS_FREE
#define SURF_TEX_TRANSPARENCY
#endif
#if SURF_ASKS_REFLECTION && SURF_BEFORE_REFLECTION < SURF_LAYERS_FREE
#define SURF_TEX_REFLECTION
#endif
#if SURF_ASKS_LUMINOSITY && SURF_BEFORE_LUMINOSITY < SURF_LAYERS_FREE
#define SURF_TEX_LUMINOSITY
#endif
#if SURF_ASKS_SPECULAR && SURF_BEFORE_SPECULAR < SURF_LAYERS_FREE
#define SURF_TEX_SPECULAR
#endif
#if SURF_ASKS_GLOSSINESS && SURF_BEFORE_GLOSSINESS < SURF_LAYERS_FREE
#define SURF_TEX_GLOSSINESS
#endif
#if SURF_ASKS_DIFFUSE && SURF_BEFORE_DIFFUSE < SURF_LAYERS_FREE
#define SURF_TEX_DIFFUSE
#endif
#if SURF_ASKS_REFLECTIVITY && SURF_BEFORE_REFLECTIVITY < SURF_LAYERS_FREE
#define SURF_TEX_REFLECTIVITY
#endif
#if SURF_ASKS_TRANSLUCENCY && SURF_BEFORE_TRANSLUCENCY < SURF_LAYERS_FREE
#define SURF_TEX_TRANSLUCENCY
#endif

// ---- where the geometry comes from ------------------------------------------

#if defined(USE_UV2) || defined(USE_UV2INTEX2) || defined(USE_UV2_TEX_COLOR) || defined(USE_UV2_TEX_LUMINOSITY) || \
    defined(USE_UV2_TEX_DIFFUSE) || defined(USE_UV2_TEX_SPECULAR) || defined(USE_UV2_TEX_GLOSSINESS) ||            \
    defined(USE_UV2_TEX_REFLECTIVITY) || defined(USE_UV2_TEX_TRANSPARENCY) || defined(USE_UV2_TEX_TRANSLUCENCY) ||  \
    defined(USE_UV2_TEX_NORMAL)
#define SURF_UV2
#endif

// A normal map on a mesh with tangents reads them; without, the pixel shader
// builds them.
#if defined(SURF_TEX_NORMAL) && !defined(USE_COMPTANGENT)
#define SURF_MESH_TANGENTS
#endif

// Which UV set each channel's texture reads: xy the first, zw the second.
#if defined(USE_UV2_TEX_COLOR)
#define SURF_UV_COLOR(i) ((i).uv.zw)
#else
#define SURF_UV_COLOR(i) ((i).uv.xy)
#endif
#if defined(USE_UV2_TEX_LUMINOSITY)
#define SURF_UV_LUMINOSITY(i) ((i).uv.zw)
#else
#define SURF_UV_LUMINOSITY(i) ((i).uv.xy)
#endif
#if defined(USE_UV2_TEX_DIFFUSE)
#define SURF_UV_DIFFUSE(i) ((i).uv.zw)
#else
#define SURF_UV_DIFFUSE(i) ((i).uv.xy)
#endif
#if defined(USE_UV2_TEX_SPECULAR)
#define SURF_UV_SPECULAR(i) ((i).uv.zw)
#else
#define SURF_UV_SPECULAR(i) ((i).uv.xy)
#endif
#if defined(USE_UV2_TEX_GLOSSINESS)
#define SURF_UV_GLOSSINESS(i) ((i).uv.zw)
#else
#define SURF_UV_GLOSSINESS(i) ((i).uv.xy)
#endif
#if defined(USE_UV2_TEX_REFLECTIVITY)
#define SURF_UV_REFLECTIVITY(i) ((i).uv.zw)
#else
#define SURF_UV_REFLECTIVITY(i) ((i).uv.xy)
#endif
#if defined(USE_UV2_TEX_TRANSPARENCY)
#define SURF_UV_TRANSPARENCY(i) ((i).uv.zw)
#else
#define SURF_UV_TRANSPARENCY(i) ((i).uv.xy)
#endif
#if defined(USE_UV2_TEX_TRANSLUCENCY)
#define SURF_UV_TRANSLUCENCY(i) ((i).uv.zw)
#else
#define SURF_UV_TRANSLUCENCY(i) ((i).uv.xy)
#endif
#if defined(USE_UV2_TEX_NORMAL)
#define SURF_UV_NORMAL(i) ((i).uv.zw)
#else
#define SURF_UV_NORMAL(i) ((i).uv.xy)
#endif

// ---- constants (the header names their engine values) -------------------------

// Matrices arrive transposed (the header asks for them so): mul(matrix, vector)
// applies the engine's transform.
float4x4 WorldViewProjection;
float4x4 World;
float4x4 WorldInverse;
float4x4 WorldView;
float4x4 View;
float ZFarValue;
float4 ViewPosition;
float4 LightAmbient;

// The forward light block: directional lights first, then point, then spot.
struct SLightsNum {
  float LightDirsNum;
  float LightPointsNum;
  float LightSpotsNum;
};
struct SLightsIni {
  float LightDirsIni;
  float LightPointsIni;
  float LightSpotsIni;
};
struct SLightParams {
  float3 LightColor;
  float3 LightPosition;
  float3 LightDirection;
  float InvLightRadiusSqr;
  float2 SpotlightAngles;  // cos(inner cone), cos(outer cone)
};
SLightsNum LightsNum;
SLightsIni LightsIni;
SLightParams LightParams[5];

float3 BaseColor;
float Luminosity;
float Diffuse;
float Specularity;
float Reflectivity;
float Transparency;
float Translucency;
float Bump;
float Glossiness;
float ColorHighlights;
float VertexColoring;
float GlowValue;
int Sidedness;
float ReflectionMaxMip;
float3 CubeMapPosition;
float3 CubeMapAABBPosition;
float3 CubeMapAABBScale;
float2 PixelSize;

// ---- samplers, in layer order -------------------------------------------------

// A kept channel's layer is the number of channels kept before it; the light
// buffer comes after all of them.
#if SURF_BEFORE_TRANSLUCENCY + SURF_ASKS_TRANSLUCENCY < SURF_LAYERS_FREE
#define SURF_LAYERS_KEPT (SURF_BEFORE_TRANSLUCENCY + SURF_ASKS_TRANSLUCENCY)
#else
#define SURF_LAYERS_KEPT SURF_LAYERS_FREE
#endif

#if defined(SURF_TEX_COLOR)
#define SURF_LAYER 0
#include "LightWaveSurfaceLayer.h"
sampler2D ColorMap : SURF_REGISTER;
#undef SURF_LAYER
#endif
#if defined(SURF_TEX_NORMAL)
#define SURF_LAYER SURF_BEFORE_NORMAL
#include "LightWaveSurfaceLayer.h"
sampler2D NormalMap : SURF_REGISTER;
#undef SURF_LAYER
#endif
#if defined(SURF_TEX_TRANSPARENCY)
#define SURF_LAYER SURF_BEFORE_TRANSPARENCY
#include "LightWaveSurfaceLayer.h"
sampler2D TransparencyMap : SURF_REGISTER;
#undef SURF_LAYER
#endif
#if defined(SURF_TEX_REFLECTION)
#define SURF_LAYER SURF_BEFORE_REFLECTION
#include "LightWaveSurfaceLayer.h"
#if defined(USE_TEX_REFLECCUBE)
samplerCUBE ReflectionMap : SURF_REGISTER;
#else
sampler2D ReflectionMap : SURF_REGISTER;
#endif
#undef SURF_LAYER
#endif
#if defined(SURF_TEX_LUMINOSITY)
#define SURF_LAYER SURF_BEFORE_LUMINOSITY
#include "LightWaveSurfaceLayer.h"
sampler2D LuminosityMap : SURF_REGISTER;
#undef SURF_LAYER
#endif
#if defined(SURF_TEX_SPECULAR)
#define SURF_LAYER SURF_BEFORE_SPECULAR
#include "LightWaveSurfaceLayer.h"
sampler2D SpecularityMap : SURF_REGISTER;
#undef SURF_LAYER
#endif
#if defined(SURF_TEX_GLOSSINESS)
#define SURF_LAYER SURF_BEFORE_GLOSSINESS
#include "LightWaveSurfaceLayer.h"
sampler2D GlossinessMap : SURF_REGISTER;
#undef SURF_LAYER
#endif
#if defined(SURF_TEX_DIFFUSE)
#define SURF_LAYER SURF_BEFORE_DIFFUSE
#include "LightWaveSurfaceLayer.h"
sampler2D DiffuseMap : SURF_REGISTER;
#undef SURF_LAYER
#endif
#if defined(SURF_TEX_REFLECTIVITY)
#define SURF_LAYER SURF_BEFORE_REFLECTIVITY
#include "LightWaveSurfaceLayer.h"
sampler2D ReflectivityMap : SURF_REGISTER;
#undef SURF_LAYER
#endif
#if defined(SURF_TEX_TRANSLUCENCY)
#define SURF_LAYER SURF_BEFORE_TRANSLUCENCY
#include "LightWaveSurfaceLayer.h"
sampler2D TranslucencyMap : SURF_REGISTER;
#undef SURF_LAYER
#endif
#if defined(SURF_LIGHT_BUFFER) && defined(SURF_PASS_COLOUR)
#define SURF_LAYER SURF_LAYERS_KEPT
#include "LightWaveSurfaceLayer.h"
sampler2D LightBuffer : SURF_REGISTER;
#undef SURF_LAYER
#endif

// ---- vertex shader -------------------------------------------------------------

struct SurfaceVertex {
  float4 position : POSITION;
  float3 normal : NORMAL;
  float4 color : COLOR0;
  float2 uv : TEXCOORD0;
#if defined(SURF_UV2) && !defined(USE_UV2INTEX2)
  float2 uv2 : TEXCOORD1;
#endif
#if defined(SURF_MESH_TANGENTS)
  float3 tangent : TANGENT;
#endif
#if defined(USE_UV2INTEX2)
  float3 uv2AsBinormal : TEXCOORD2;  // the second UV set in x, y
#elif defined(SURF_MESH_TANGENTS)
  float3 binormal : BINORMAL;
#endif
};

struct SurfaceVaryings {
  float4 uv : TEXCOORD0;  // xy first UV set, zw second (or the first again)
  float3 world : TEXCOORD1;
  float3 normal : TEXCOORD2;
  float3 depths : TEXCOORD3;  // view depth / far; projected z and w
  float4 color : COLOR0;
#if defined(SURF_MESH_TANGENTS)
  float3 tangent : TEXCOORD4;
  float3 binormal : TEXCOORD5;
#endif
};

float2 secondUv(SurfaceVertex v) {
#if defined(USE_UV2INTEX2)
  return v.uv2AsBinormal.xy;
#elif defined(SURF_UV2)
  return v.uv2;
#else
  return v.uv;
#endif
}

SurfaceVaryings vs_main(SurfaceVertex v, out float4 position : POSITION) {
  SurfaceVaryings o;
  position = mul(WorldViewProjection, v.position);
  o.uv = float4(v.uv, secondUv(v));
  o.world = mul(World, v.position).xyz;
  // Normals go through the inverse transpose, so scaled objects stay lit right.
  o.normal = mul(v.normal, (float3x3)WorldInverse);
  o.depths = float3(mul(WorldView, v.position).z / ZFarValue, position.zw);
  o.color = v.color;
#if defined(SURF_MESH_TANGENTS)
  o.tangent = mul((float3x3)World, v.tangent);
#if defined(USE_UV2INTEX2)
  // The display library's tangents satisfy binormal = tangent x normal.
  o.binormal = mul((float3x3)World, cross(v.tangent, v.normal));
#else
  o.binormal = mul((float3x3)World, v.binormal);
#endif
#endif
  return o;
}

// ---- the surface at one pixel ---------------------------------------------------

float luminance(float3 colour) { return dot(colour, float3(0.3, 0.59, 0.11)); }

float3 unitOr(float3 v, float3 fallback) {
  float lengthSquared = dot(v, v);
  return lengthSquared > 1e-20 ? v * rsqrt(lengthSquared) : fallback;
}

struct SurfacePoint {
  float3 world;
  float3 normal;
  float3 toEye;
  float3 colour;      // diffuse colour, textured
  float3 emissive;
  float diffuse;
  float3 specular;    // specular colour
  float exponent;
  float glossiness;
  float reflectivity;
  float translucency;
  float opacity;
};

#if defined(SURF_TEX_NORMAL)
// Tangent and binormal (pointing up the image: towards smaller v) of the
// normal map's UV set.
void tangentFrame(SurfaceVaryings i, float3 normal, out float3 tangent, out float3 binormal) {
#if defined(SURF_MESH_TANGENTS)
  tangent = i.tangent;
  binormal = i.binormal;
#else
  // The gradients of u and v across the triangle, from screen derivatives.
  float3 dp1 = ddx(i.world);
  float3 dp2 = ddy(i.world);
  float2 duv1 = ddx(SURF_UV_NORMAL(i));
  float2 duv2 = ddy(SURF_UV_NORMAL(i));
  float3 dp2perp = cross(dp2, normal);
  float3 dp1perp = cross(normal, dp1);
  // Screen y runs down on some drivers and up on others: the sign of the
  // frame's determinant makes the result independent of it.
  float orientation = dot(normal, cross(dp1, dp2)) < 0 ? -1.0 : 1.0;
  tangent = (dp2perp * duv1.x + dp1perp * duv2.x) * orientation;
  binormal = -(dp2perp * duv1.y + dp1perp * duv2.y) * orientation;
#endif
}

float3 mappedNormal(SurfaceVaryings i, float3 normal) {
  float3 tangent, binormal;
  tangentFrame(i, normal, tangent, binormal);
  float3 n = tex2D(NormalMap, SURF_UV_NORMAL(i)).xyz * 2 - 1;
  n.xy *= Bump;
  return unitOr(unitOr(tangent, float3(0, 0, 0)) * n.x + unitOr(binormal, float3(0, 0, 0)) * n.y + normal * n.z, normal);
}
#endif

SurfacePoint surfaceAt(SurfaceVaryings i) {
  SurfacePoint s;
  s.world = i.world;
  s.toEye = unitOr(ViewPosition.xyz - i.world, float3(0, 0, -1));
  float3 normal = unitOr(i.normal, s.toEye);
  // Both sides shade alike on a double-sided surface.
  if (Sidedness == 3 && dot(normal, s.toEye) < 0) normal = -normal;
#if defined(SURF_TEX_NORMAL)
  normal = mappedNormal(i, normal);
#endif
  s.normal = normal;

  float vertexColouring = saturate(VertexColoring);
  float4 colour = float4(lerp(BaseColor, i.color.rgb, vertexColouring), lerp(1, i.color.a, vertexColouring));
#if defined(SURF_TEX_COLOR)
  colour.rgb *= tex2D(ColorMap, SURF_UV_COLOR(i)).rgb;
#endif
  s.colour = colour.rgb;

  float luminosity = Luminosity;
#if defined(SURF_TEX_LUMINOSITY)
  luminosity = luminance(tex2D(LuminosityMap, SURF_UV_LUMINOSITY(i)).rgb);
#endif
  s.emissive = s.colour * luminosity;

  s.diffuse = Diffuse;
#if defined(SURF_TEX_DIFFUSE)
  s.diffuse = luminance(tex2D(DiffuseMap, SURF_UV_DIFFUSE(i)).rgb);
#endif

  float specularity = Specularity;
#if defined(SURF_TEX_SPECULAR)
  specularity = luminance(tex2D(SpecularityMap, SURF_UV_SPECULAR(i)).rgb);
#endif
  s.specular = specularity * lerp(float3(1, 1, 1), s.colour, saturate(ColorHighlights));

  s.glossiness = Glossiness;
#if defined(SURF_TEX_GLOSSINESS)
  s.glossiness = luminance(tex2D(GlossinessMap, SURF_UV_GLOSSINESS(i)).rgb);
#endif
  s.exponent = exp2(saturate(s.glossiness) * 10 + 2);

  s.reflectivity = 0;
#if defined(SURF_TEX_REFLECTION)
  s.reflectivity = Reflectivity;
#if defined(SURF_TEX_REFLECTIVITY)
  s.reflectivity = luminance(tex2D(ReflectivityMap, SURF_UV_REFLECTIVITY(i)).rgb);
#endif
#endif

  s.translucency = 0;
#if defined(USE_TRANSLUCENCY) || defined(SURF_TEX_TRANSLUCENCY)
  s.translucency = Translucency;
#if defined(SURF_TEX_TRANSLUCENCY)
  s.translucency = luminance(tex2D(TranslucencyMap, SURF_UV_TRANSLUCENCY(i)).rgb);
#endif
#endif

  s.opacity = 1;
#if defined(USE_TRANSPARENT) || defined(SURF_TEX_TRANSPARENCY)
  s.opacity = saturate(1 - Transparency) * colour.a;
#if defined(SURF_TEX_TRANSPARENCY)
  s.opacity *= tex2D(TransparencyMap, SURF_UV_TRANSPARENCY(i)).a;
#endif
#endif
  return s;
}

// ---- light ----------------------------------------------------------------------

struct LightSum {
  float3 diffuse;
  float3 specular;
  float3 behind;  // what shows through a translucent surface
};

// One light of the forward block: kind 0 directional, 1 point, 2 spot.
void addLight(SLightParams light, int kind, SurfacePoint s, inout LightSum sum) {
  float3 toLight = -light.LightDirection;
  float attenuation = 1;
  if (kind != 0) {
    float3 offset = light.LightPosition - s.world;
    attenuation = saturate(1 - dot(offset, offset) * light.InvLightRadiusSqr);
    toLight = offset;
  }
  toLight = unitOr(toLight, s.normal);
  if (kind == 2) {
    float cosAngle = dot(-toLight, unitOr(light.LightDirection, -toLight));
    float cone = max(light.SpotlightAngles.x - light.SpotlightAngles.y, 1e-4);
    attenuation *= saturate((cosAngle - light.SpotlightAngles.y) / cone);
  }
  float3 colour = light.LightColor * attenuation;
  float facing = dot(s.normal, toLight);
  sum.diffuse += colour * saturate(facing);
  float highlight = pow(saturate(dot(s.normal, unitOr(toLight + s.toEye, s.normal))), s.exponent);
  sum.specular += colour * (facing > 0 ? highlight : 0);
  sum.behind += colour * saturate(-facing);
}

int countOf(float value) { return (int)(value + 0.5); }

LightSum forwardLights(SurfacePoint s) {
  LightSum sum;
  sum.diffuse = 0;
  sum.specular = 0;
  sum.behind = 0;
  int count = countOf(LightsNum.LightDirsNum) + countOf(LightsNum.LightPointsNum) + countOf(LightsNum.LightSpotsNum);
  int firstPoint = countOf(LightsIni.LightPointsIni);
  int firstSpot = countOf(LightsIni.LightSpotsIni);
  for (int index = 0; index < 5; ++index) {
    if (index >= count) break;
    int kind = index < firstPoint ? 0 : (index < firstSpot ? 1 : 2);
    addLight(LightParams[index], kind, s, sum);
  }
  return sum;
}

#if defined(SURF_LIGHT_BUFFER) && defined(SURF_PASS_COLOUR)
// The light pre-pass buffer at this pixel: summed diffuse light in rgb, summed
// specular intensity in alpha (computed with the glossiness the depth technique
// stored). Light seen through translucent surfaces still comes from the list.
LightSum bufferedLights(SurfacePoint s, float2 pixel) {
  float4 buffered = tex2D(LightBuffer, (pixel + 0.5) * PixelSize);
  LightSum sum;
  sum.diffuse = buffered.rgb;
  sum.specular = buffered.aaa;
  sum.behind = 0;
#if defined(USE_TRANSLUCENCY) || defined(SURF_TEX_TRANSLUCENCY)
  sum.behind = forwardLights(s).behind;
#endif
  return sum;
}
#endif

// ---- reflection -----------------------------------------------------------------

#if defined(SURF_TEX_REFLECTION)
// The reflected ray from the point to the box's far side, seen from the probe.
float3 boxProjected(float3 world, float3 ray) {
  float3 halfSize = abs(CubeMapAABBScale) * 0.5;
  float3 farSide = lerp(CubeMapAABBPosition - halfSize, CubeMapAABBPosition + halfSize, step(0, ray));
  float3 safeRay = ray + step(abs(ray), 1e-6) * 1e-6;
  float3 distances = (farSide - world) / safeRay;
  float distance = max(min(min(distances.x, distances.y), distances.z), 0);
  return world + ray * distance - CubeMapPosition;
}

// Latitude-longitude image: u turns with the heading from +z towards +x, v
// runs from +y (top row) to -y.
float2 latLong(float3 direction) {
  const float pi = 3.14159265;
  float3 d = unitOr(direction, float3(0, 0, 1));
  return float2(atan2(d.x, d.z) / (2 * pi) + 0.5, acos(clamp(d.y, -1, 1)) / pi);
}

float3 reflectionOf(SurfacePoint s) {
  float3 ray = reflect(-s.toEye, s.normal);
#if defined(USE_CUBEMAPAABB)
  ray = boxProjected(s.world, ray);
#endif
#if defined(USE_NODECUBEMAP)
  // The node's probe is filtered level by level for glossy reflections.
  float level = (1 - saturate(s.glossiness)) * ReflectionMaxMip;
#else
  float level = 0;
#endif
#if defined(USE_TEX_REFLECCUBE)
  return texCUBElod(ReflectionMap, float4(ray, level)).rgb;
#else
  return tex2Dlod(ReflectionMap, float4(latLong(ray), 0, level)).rgb;
#endif
}
#endif

// ---- the techniques' pixel shader ---------------------------------------------------

struct SurfaceTargets {
  float4 color : COLOR0;
#if defined(SURF_TWO_TARGETS)
  float4 second : COLOR1;
#endif
};

float4 shaded(SurfacePoint s, LightSum light) {
  float3 colour = s.colour * (LightAmbient.rgb + s.diffuse * light.diffuse) + s.emissive;
  colour += s.colour * s.translucency * light.behind;
#if defined(SURF_TEX_REFLECTION)
  colour = lerp(colour, reflectionOf(s), saturate(s.reflectivity));
#endif
  colour += s.specular * light.specular;
#if defined(USE_TRANSPARENT) || defined(SURF_TEX_TRANSPARENCY)
  return float4(colour, s.opacity);
#else
  // The glow takes colour times alpha from the picture: an opaque surface
  // glows by its own glow value only.
  return float4(colour, saturate(GlowValue));
#endif
}

#if defined(SURF_LIGHT_BUFFER) && defined(SURF_PASS_COLOUR)
SurfaceTargets ps_main(SurfaceVaryings i, float2 pixel : VPOS) {
#else
SurfaceTargets ps_main(SurfaceVaryings i) {
#endif
  SurfaceTargets o;
  SurfacePoint s = surfaceAt(i);
#if defined(SURF_PASS_DEPTH)
  float3 viewNormal = unitOr(mul((float3x3)View, s.normal), float3(0, 0, -1));
  o.color = float4(viewNormal * 0.5 + 0.5, saturate(s.glossiness));
  o.second = float4(i.depths.xxx, 1);
#elif defined(SURF_PASS_SHADOW)
#if defined(USE_TRANSPARENT) || defined(SURF_TEX_TRANSPARENCY)
  clip(s.opacity - 0.5);  // see-through parts cast no shadow
#endif
  float depth = i.depths.y / i.depths.z;
  o.color = float4(depth, depth, depth, 1);
#else
#if defined(SURF_LIGHT_BUFFER)
  o.color = shaded(s, bufferedLights(s, pixel));
#else
  o.color = shaded(s, forwardLights(s));
#endif
#if defined(SURF_TWO_TARGETS)
  o.second = float4(i.depths.xxx, o.color.a);
#endif
#endif
  return o;
}
