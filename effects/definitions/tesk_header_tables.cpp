#include "effects/definitions/tesk_header_tables.h"

#include <unordered_map>
#include <vector>

namespace tk {
namespace {

std::string lower(const std::string& text) {
  std::string result = text;
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

// A table keyed by the lower-cased name.
template <typename V>
using FoldedTable = std::unordered_map<std::string, V>;

template <typename V>
const V* lookUp(const FoldedTable<V>& table, const std::string& name) {
  auto found = table.find(lower(name));
  return found == table.end() ? nullptr : &found->second;
}

FoldedTable<std::string> makeSemantics() {
  FoldedTable<std::string> table;
  auto same = [&](const std::string& name) { table[lower(name)] = name; };
  auto mapped = [&](const std::string& name, const std::string& stored) {
    table[lower(name)] = stored;
  };
  // "Name0" ... "NameN" (or the pattern's '#' replaced by 0 ... N).
  auto numbered = [&](const std::string& pattern, int last) {
    for (int i = 0; i <= last; ++i) {
      std::string name = pattern;
      size_t mark = name.find('#');
      if (mark == std::string::npos) {
        name += std::to_string(i);
      } else {
        name.replace(mark, 1, std::to_string(i));
      }
      same(name);
    }
  };
  for (const char* name :
       {"Time", "TimeScene", "Fps", "ViewPosition", "WorldTranslation", "WorldRotation",
        "WorldScale", "FrustrumFarCorners", "FrustrumFarCornersWorld", "ZFarValue", "ZNearValue",
        "TargetSize", "ScreenSize", "PixelSize", "HalfPixelSize", "HalfScreenHalfPixelSize",
        "QuarterScreenHalfPixelSize", "Fov", "FocalLength", "FocalDistance", "FStop",
        "FocalRange", "DofMaxCoc", "DofFocalRangeMin", "DofFocalRangeFocused", "DofFocalRangeMax",
        "DofRadiusScale", "GlowIntensity", "BloomThreshold", "BloomIntensity",
        "GlowSurfaceIntensity", "SrrNbPixStepMult", "SrrMaxDepthTestMult", "SrrFuzziness",
        "LightsIni", "LightsNum", "LightParams", "LineStartsEnds", "LineEnds",
        "DownScale4x4Samples", "DownScale2x2Samples", "HalfDownScale2x2Samples",
        "CubeMapPosition", "CubeMapAABBPosition", "CubeMapAABBScale", "Mouse"}) {
    same(name);
  }
  for (const char* object : {"ObjectPos", "ObjectRot", "ObjectScale", "ObjectTrans",
                             "ObjectInvTrans"}) {
    numbered(object, 7);
  }
  numbered("LightPos", 4);
  numbered("LightDir", 4);
  numbered("LightViewConvert", 3);
  numbered("LightDiffuse", 1);
  numbered("Light[#].Params", 4);
  numbered("Light[#].ViewConvert", 4);
  numbered("Texture[#].Size", 7);
  numbered("Texture[#].NumMips", 7);

  mapped("Time0_X", "TimeScene");
  mapped("Time_0_X", "TimeScene");
  mapped("ParticleTimeNow", "Time");
  // Shaders written for this format see every matrix transposed against the
  // engine's own semantic of the same name.
  for (const char* matrix :
       {"Projection", "ViewProjection", "View", "ViewInverse", "PrevProjection",
        "PrevViewProjection", "PrevView", "PrevViewInverse", "ViewInversePrevViewProjection",
        "WorldViewProjection", "WorldView", "WorldViewInverse", "WorldInverse", "World"}) {
    mapped(matrix, std::string(matrix) + "Transpose");
    mapped(std::string(matrix) + "Transpose", matrix);
  }
  mapped("LightAmbient0", "LightAmbient");
  mapped("LightAmbient1", "LightAmbient");
  mapped("ParticleColor", "LWHV_Color");
  mapped("ParticleSize", "LWHV_Size");
  mapped("ParticleRotation", "LWHV_Rotation");
  mapped("ParticleGradColorNum", "LWHV_ColorNumKeys");
  mapped("ParticleGradColorKeyParams", "LWHV_ColorKeyParams");
  mapped("ParticleGradColorKeyValues", "LWHV_ColorKeyValues");
  mapped("ParticleGradSizeNum", "LWHV_SizeNumKeys");
  mapped("ParticleGradSizeKeyParams", "LWHV_SizeKeyParams");
  mapped("ParticleGradSizeKeyValues", "LWHV_SizeKeyValues");
  mapped("Surface_Roughness", "LW_Roughness");
  mapped("Surface_ReflectionMaxMip", "LW_ReflectionMaxMip");
  return table;
}

const FoldedTable<std::string>& semantics() {
  static const FoldedTable<std::string> table = makeSemantics();
  return table;
}

const std::vector<std::string>& surfaceParameterList() {
  static const std::vector<std::string> list = {
      "BaseColor", "Luminosity", "Diffuse", "Specularity", "Reflectivity", "Transparency",
      "Translucency", "IOR", "Bump", "Glossiness", "SpecialBuffer1", "SpecialBuffer2",
      "SpecialBuffer3", "SpecialBuffer4", "DiffuseSharpness", "BumpDropoff", "SmoothingAngle",
      "ReflectionSeamAngle", "RefractionSeamAngle", "ReflectionBlurring", "RefractionBlurring",
      "ColorFilter", "ColorHighlights", "AdditiveTransparency", "AlphaValue", "GlowValue",
      "LineColor", "LineSize", "AlphaOptions", "ReflectionOptions", "RefractionOptions",
      "Sidedness", "ExcludeFromVStack", "Glow", "RenderOutlines", "ReflectionImage",
      "RefractionImage", "VertexColoring", "VertexNormal"};
  return list;
}

const FoldedTable<int>& surfaceParameters() {
  static const FoldedTable<int> table = [] {
    FoldedTable<int> made;
    const std::vector<std::string>& list = surfaceParameterList();
    for (size_t i = 0; i < list.size(); ++i) made[lower(list[i])] = static_cast<int>(i);
    return made;
  }();
  return table;
}

const FoldedTable<std::string>& lightwaveChannels() {
  static const FoldedTable<std::string> table = [] {
    FoldedTable<std::string> made;
    made["color"] = "BaseColor";
    for (const char* channel :
         {"BaseColor", "Luminosity", "Diffuse", "Specularity", "Reflectivity", "Transparency",
          "Translucency", "RefractionIndex", "Bump", "Glossiness", "ReflectionImage",
          "RefractionImage"}) {
      made[lower(channel)] = channel;
    }
    return made;
  }();
  return table;
}

}  // namespace

int teskParameterType(const std::string& word) {
  static const FoldedTable<int> types = {
      {"int", 7},    {"integer", 7}, {"bool", 1},     {"float", 2},  {"float2", 3},
      {"float3", 4}, {"float4", 5},  {"float4x4", 6}, {"floatn", 2}, {"floatnref", 2}};
  const int* type = lookUp(types, word);
  return type ? *type : 0;
}

const char* teskBuiltInSemantic(const std::string& name) {
  const std::string* stored = lookUp(semantics(), name);
  return stored ? stored->c_str() : nullptr;
}

int teskBuiltInSemanticCount() { return static_cast<int>(semantics().size()); }

const char* teskSurfaceParameter(const std::string& name) {
  const int* position = lookUp(surfaceParameters(), name);
  return position ? surfaceParameterList()[*position].c_str() : nullptr;
}

int teskSurfaceParameterId(const std::string& name) {
  const int* position = lookUp(surfaceParameters(), name);
  return position ? 0x10000 + *position : -1;
}

const char* teskLightwaveChannel(const std::string& name) {
  const std::string* channel = lookUp(lightwaveChannels(), name);
  return channel ? channel->c_str() : nullptr;
}

unsigned teskTextureFlag(const std::string& word) {
  static const FoldedTable<unsigned> flags = {
      {"cube", kTexCube},
      {"3d", kTex3D},
      {"preset", kTexPreset},
      {"repeat", kTexRepeat},
      {"clamp", kTexClamp},
      {"clamp_to_edge", kTexClampToEdge},
      {"clamp_v", kTexClampV},
      {"clamp_to_edge_v", kTexClampToEdgeV},
      {"clamp_to_border", kTexClampToBorder},
      {"nomipmap", kTexNoMipMap},
      {"filterpoint", kTexFilterPoint},
      {"trilinear", kTexTrilinear},
      {"r32f", kTexR32f},
      {"srgb", kTexSrgb},
      {"linear", kTexLinear},
      {"image", kTexImage},
      {"imageref", kTexImageRef},
      {"vertex", kTexVertex},
      {"divider", kTexDivider},
      {"divafter", kTexDivAfter}};
  const unsigned* flag = lookUp(flags, word);
  return flag ? *flag : 0;
}

unsigned teskParameterFlag(const std::string& word) {
  static const FoldedTable<unsigned> flags = {
      {"pixel", kParamPixel},       {"vertex", kParamVertex},   {"both", kParamBoth},
      {"color", kParamColor},       {"percent", kParamPercent}, {"divider", kParamDivider},
      {"divafter", kParamDivAfter}};
  const unsigned* flag = lookUp(flags, word);
  return flag ? *flag : 0;
}

}  // namespace tk
