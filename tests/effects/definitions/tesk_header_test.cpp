// The engine's effect file header: line kinds, tables, techniques and messages.

#include <string>
#include <vector>

#include "tests/effects/definitions/effect_def_fixture.h"

namespace tk::test {
namespace {

const SShader& vertexOf(const CTkEffectDef& def, int technique = 0) {
  return def.techniques[technique].passes[0].shaders[0];
}
const SShader& pixelOf(const CTkEffectDef& def, int technique = 0) {
  return def.techniques[technique].passes[0].shaders[1];
}
std::string annotation(const std::vector<SParameter>& list, const char* name) {
  const SParameter* found = findNamed(list, name);
  return found ? found->value : "<none>";
}

TEST_F(EffectDefTest, FileWithoutHeaderGivesTheDefaultTechniqueOnly) {
  const std::string path = folder.write("plain.fx", kBody);
  LoadedDef loaded = loadFile(path);
  ASSERT_TRUE(loaded.def);
  EXPECT_EQ("", loaded.error);
  const CTkEffectDef& def = *loaded.def;
  ASSERT_EQ(1u, def.techniques.size());
  EXPECT_EQ("", def.techniques[0].name);
  ASSERT_EQ(1u, def.techniques[0].passes.size());
  ASSERT_EQ(2u, def.techniques[0].passes[0].shaders.size());
  EXPECT_EQ(kStageVertex, vertexOf(def).stage);
  EXPECT_EQ("vs_main", vertexOf(def).entry);
  EXPECT_EQ(3, vertexOf(def).profile);
  EXPECT_EQ(path, vertexOf(def).source);
  EXPECT_EQ(kStagePixel, pixelOf(def).stage);
  EXPECT_EQ("ps_main", pixelOf(def).entry);
  EXPECT_EQ(6, pixelOf(def).profile);
  EXPECT_EQ(path, def.sourcePath);
  EXPECT_TRUE(def.parameters.empty());
  EXPECT_TRUE(def.techniques[0].passes[0].states.empty());
}

struct FailureCase {
  const char* header;
  const char* message;
};

TEST_F(EffectDefTest, MalformedLinesFailTheLoadWithTheirMessage) {
  const FailureCase cases[] = {
      {"// float4 tint", "param line has 0 tokens less than 1"},
      {"// float4", "param line has 1 tokens0 less than 2"},
      {"// function", "entry point has 1 tokens0 less than 2"},
      {"// function vertexMain", "entry point has 0 tokens less than 1"},
      {"// config", "config has 1 tokens0 less than 2"},
      {"// texture 12345678901 : a.png", "texture slot 12345678901 is out of range"},
      // A line that only a named technique sees fails the whole load.
      {"// config techniques : glow\n//TESK_PP:D:TECH_GLOW:// float4",
       "param line has 1 tokens0 less than 2"},
  };
  for (const FailureCase& c : cases) {
    LoadedDef loaded = load(c.header);
    EXPECT_EQ(c.message, loaded.error) << c.header;
  }
}

TEST_F(EffectDefTest, EmptyAndMissingFilesFail) {
  EXPECT_EQ("Error", loadFile(folder.write("empty.hlsl", "")).error);
  EXPECT_EQ("Cannot open file", loadFile(folder.path() + "/missing.hlsl").error);
}

TEST_F(EffectDefTest, LinesNoKindTakesUpAreIgnored) {
  LoadedDef loaded = load(
      "// color stuff : 1\n"
      "/// float4 commented : 1\n"
      "//- float4 dashed : 1\n"
      "//\tfloat4 tabbed : 1\n"
      "//\n"
      "// config unknown_key : 1\n"
      "// config depth_func\n"
      "//TESK_PP:X:MACRO:// float4 badPrefix\n"
      "//TESK_PP:D:MACRO// float4 noColon\n"
      "//TESK_PP:D:ABSENT:// float4\n");
  EXPECT_EQ("", loaded.error);
  EXPECT_TRUE(loaded.def->parameters.empty());
  EXPECT_TRUE(loaded.def->techniques[0].passes[0].states.empty());
}

TEST_F(EffectDefTest, HeaderBlockIsBoundedByItsMarkers) {
  const std::string text =
      "// float4 before : 1\n"
      "// [TESK_BEGIN] float4 onBeginLine : 1\n"
      "// float4 inside : 1\r\n\r\n"
      "// [TESK_END] float4 onEndLine : 1\n"
      "// float4 after : 1\n";
  LoadedDef loaded = loadFile(folder.write("bounded.fx", text));
  ASSERT_EQ(1u, loaded.def->parameters.size());
  EXPECT_EQ("inside", loaded.def->parameters[0].name);

  // Without an end marker the block runs to the end of the file.
  loaded = loadFile(folder.write("open.fx", "[TESK_BEGIN]\n// float a : 1\n// float b : 2"));
  ASSERT_EQ(2u, loaded.def->parameters.size());
  EXPECT_EQ("2  ", loaded.def->parameters[1].value);
}

TEST_F(EffectDefTest, DescriptionLines) {
  LoadedDef loaded = load("//title   My effect: glow\n//subject Glow\n//comments a; b\n"
                          "// title not a title\n//title " + std::string(600, 'x'));
  // The last title line replaces the first and keeps 511 characters.
  EXPECT_EQ(std::string(511, 'x'), loaded.def->title);
  EXPECT_EQ("Glow", loaded.def->subject);
  EXPECT_EQ("a; b", loaded.def->comments);
  loaded = load("//title   My effect: glow");
  EXPECT_EQ("My effect: glow", loaded.def->title);
}

struct ValueCase {
  const char* line;
  const char* semantic;
  const char* value;
};

TEST_F(EffectDefTest, ParameterValuesChooseSemanticOrDefaults) {
  const ValueCase cases[] = {
      {"// float4x4 m : World", "WorldTranspose", ""},
      {"// float4x4 m : WorldTranspose", "World", ""},
      {"// float4x4 m : viewinverseprevviewprojection", "ViewInversePrevViewProjectionTranspose", ""},
      {"// float t : Time0_X", "TimeScene", ""},
      {"// float t : time", "Time", ""},
      {"// float3 c : Surface_BaseColor", "LW_BaseColor", ""},
      {"// float c : Surface_ior", "LW_IOR", ""},
      {"// float r : Surface_Roughness", "LW_Roughness", ""},
      {"// float4 l : Light[2].Params", "Light[2].Params", ""},
      {"// float4 a : LightAmbient1", "LightAmbient", ""},
      {"// float4 p : ParticleGradSizeKeyValues", "LWHV_SizeKeyValues", ""},
      {"// float4 t : Texture[7].NumMips", "Texture[7].NumMips", ""},
      {"// float4 v : 1, 2 ,3", "", "1  2  3  "},
      {"// float c : surface_BaseColor", "", "surface_BaseColor  "},
      {"// float c : Surface_Unknown", "", "Surface_Unknown  "},
      {"// float4 o : ObjectPos8", "", "ObjectPos8  "},
      {"// float e :", "", ""},
  };
  for (const ValueCase& c : cases) {
    LoadedDef loaded = load(c.line);
    ASSERT_EQ(1u, loaded.def->parameters.size()) << c.line;
    EXPECT_EQ(c.semantic, loaded.def->parameters[0].semantic) << c.line;
    EXPECT_EQ(c.value, loaded.def->parameters[0].value) << c.line;
  }
}

struct TypeCase {
  const char* word;
  int type;
};

TEST_F(EffectDefTest, ParameterTypesIgnoreCase) {
  const TypeCase cases[] = {{"int", 7},    {"Integer", 7}, {"BOOL", 1},     {"float", 2},
                            {"float2", 3}, {"float3", 4},  {"float4", 5},   {"float4x4", 6},
                            {"floatN", 2}, {"floatnref", 2}};
  for (const TypeCase& c : cases) {
    LoadedDef loaded = load(std::string("// ") + c.word + " p : 0");
    ASSERT_EQ(1u, loaded.def->parameters.size()) << c.word;
    EXPECT_EQ(c.type, loaded.def->parameters[0].type) << c.word;
  }
}

struct BindCase {
  const char* flags;
  bool vertex;
  bool pixel;
  const char* widget;
};

TEST_F(EffectDefTest, ParameterFlagsChooseShadersAndWidgets) {
  const BindCase cases[] = {
      {"", true, false, "<none>"},
      {": pixel color", false, true, "Color"},
      {": VERTEX percent", true, false, "Percent"},
      {": both color percent", true, true, "Color"},
      {": vertex pixel", false, true, "<none>"},
      {": both vertex", true, false, "<none>"},
  };
  for (const BindCase& c : cases) {
    LoadedDef loaded = load(std::string("// float4 tint : 1 ") + c.flags);
    const CTkEffectDef& def = *loaded.def;
    EXPECT_EQ(c.vertex, findNamed(vertexOf(def).binds, "tint") != nullptr) << c.flags;
    EXPECT_EQ(c.pixel, findNamed(pixelOf(def).binds, "tint") != nullptr) << c.flags;
    EXPECT_EQ(c.widget, annotation(def.parameters[0].annotations, "UIWidget")) << c.flags;
  }
  LoadedDef loaded = load("// float a : 1 : divider\n// float b : 1 : divafter");
  EXPECT_EQ("before", annotation(loaded.def->parameters[0].annotations, "UIDivider"));
  EXPECT_EQ("after", annotation(loaded.def->parameters[1].annotations, "UIDivider"));
}

TEST_F(EffectDefTest, FirstDeclarationOfAParameterWins) {
  LoadedDef loaded = load("// float4 tint : 1 : pixel\n// float4 tint : 2 : vertex");
  ASSERT_EQ(1u, loaded.def->parameters.size());
  EXPECT_EQ("1  ", loaded.def->parameters[0].value);
  // Both declarations still bind the parameter in their shaders.
  EXPECT_TRUE(findNamed(pixelOf(*loaded.def).binds, "tint"));
  EXPECT_TRUE(findNamed(vertexOf(*loaded.def).binds, "tint"));
}

TEST_F(EffectDefTest, EntryPointLines) {
  LoadedDef loaded = load("// function vertexMain : myVs\n// FUNCTION PIXELMAIN : myPs\n"
                          "// function geometryMain : ignored");
  EXPECT_EQ("myVs", vertexOf(*loaded.def).entry);
  EXPECT_EQ("myPs", pixelOf(*loaded.def).entry);
}

TEST_F(EffectDefTest, ConfigurationLines) {
  LoadedDef loaded = load(
      "// config baseMaterial : transparent_add_color\n"
      "// config Render : forward\n"
      "// config rendertarget : glowTarget\n"
      "// config tangents\n"
      "// config point_size_enable\n"
      "// config depth_test_enable : false\n"
      "// config DEPTH_MASK : true\n"
      "// config depth_func : LEQUAL\n"
      "// config render : deferred\n");
  const STechnique& technique = loaded.def->techniques[0];
  const SPass& pass = technique.passes[0];
  EXPECT_EQ("transparent_add_color", annotation(pass.annotations, "baseMaterial"));
  EXPECT_EQ("deferred", annotation(technique.annotations, "render"));
  EXPECT_EQ("glowTarget", annotation(technique.annotations, "rendertarget"));
  EXPECT_EQ("true", annotation(technique.annotations, "tangents"));
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"point_size_enable", "true"},
      {"depth_test_enable", "false"},
      {"depth_mask", "true"},
      {"depth_func", "LEQUAL"}};
  ASSERT_EQ(expected.size(), pass.states.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(expected[i].first, pass.states[i].name);
    EXPECT_EQ(expected[i].second, pass.states[i].value);
    EXPECT_EQ("", pass.states[i].parameterReference);
    EXPECT_EQ(0, pass.states[i].index);
  }
}

TEST_F(EffectDefTest, SlotTexturesCountPerTechniqueAndBecomeStates) {
  LoadedDef loaded = load("// texture : Color : repeat\n// texture : normals.png");
  const CTkEffectDef& def = *loaded.def;
  ASSERT_EQ(2u, def.parameters.size());
  const SParameter& first = def.parameters[0];
  EXPECT_EQ("Tex__0", first.name);
  EXPECT_EQ(kParamTexture2D, first.type);
  EXPECT_EQ("LW_Tex_BaseColor", first.semantic);
  EXPECT_EQ("REPEAT", first.sampler.wrapS);
  EXPECT_EQ("REPEAT", first.sampler.wrapT);
  EXPECT_EQ("REPEAT", first.sampler.wrapR);
  EXPECT_EQ("Tex__1", def.parameters[1].name);
  EXPECT_EQ("normals.png", def.parameters[1].sampler.imageReference);
  EXPECT_EQ("", def.parameters[1].sampler.wrapS);
  const std::vector<SState>& states = def.techniques[0].passes[0].states;
  ASSERT_EQ(2u, states.size());
  EXPECT_EQ("texture2D", states[0].name);
  EXPECT_EQ("", states[0].value);
  EXPECT_EQ("Tex__0", states[0].parameterReference);
  EXPECT_EQ(0, states[0].index);
  EXPECT_EQ(1, states[1].index);
  EXPECT_TRUE(pixelOf(def).binds.empty());
}

TEST_F(EffectDefTest, NumberedTextureWithShapeWrapAndFilter) {
  LoadedDef loaded = load("// texture 3 : noise.dds : 3d clamp filterPoint");
  const SParameter& texture = loaded.def->parameters.at(0);
  EXPECT_EQ("Tex__3", texture.name);
  EXPECT_EQ(kParamTexture3D, texture.type);
  EXPECT_EQ("noise.dds", texture.sampler.imageReference);
  EXPECT_EQ("CLAMP", texture.sampler.wrapS);
  EXPECT_EQ("CLAMP", texture.sampler.wrapR);
  EXPECT_EQ("NEAREST", texture.sampler.minFilter);
  EXPECT_EQ("NEAREST", texture.sampler.magFilter);
  EXPECT_EQ("", texture.sampler.mipFilter);
  const SState& state = loaded.def->techniques[0].passes[0].states.at(0);
  EXPECT_EQ("texture3D", state.name);
  EXPECT_EQ(3, state.index);
}

struct SamplerCase {
  const char* flags;
  const char* wraps;    // S T R
  const char* filters;  // min mag mip
};

TEST_F(EffectDefTest, LaterWrapAndFilterFlagsOverrideEarlierOnes) {
  const SamplerCase cases[] = {
      {"clamp_v repeat", "REPEAT CLAMP REPEAT", "  "},
      {"Clamp_To_Edge_V", "REPEAT CLAMP_TO_EDGE REPEAT", "  "},
      {"clamp_to_border clamp", "CLAMP_TO_BORDER CLAMP_TO_BORDER CLAMP_TO_BORDER", "  "},
      {"clamp_to_edge", "CLAMP_TO_EDGE CLAMP_TO_EDGE CLAMP_TO_EDGE", "  "},
      {"nomipmap", "  ", "  NONE"},
      {"trilinear noMipMap filterPoint", "  ", "LINEAR LINEAR LINEAR"},
  };
  for (const SamplerCase& c : cases) {
    LoadedDef loaded = load(std::string("// texture 0 : a.png : ") + c.flags);
    const SSampler& s = loaded.def->parameters.at(0).sampler;
    EXPECT_EQ(c.wraps, s.wrapS + " " + s.wrapT + " " + s.wrapR) << c.flags;
    EXPECT_EQ(c.filters, s.minFilter + " " + s.magFilter + " " + s.mipFilter) << c.flags;
  }
}

TEST_F(EffectDefTest, NamedTexturesBindInTheirShader) {
  LoadedDef loaded = load(
      "// texture envMap : SkyCube : cube preset vertex srgb image divider\n"
      "// texture detail : reflectionimage : r32f linear imageref divafter\n"
      "// texture both : x.png : srgb linear");
  const CTkEffectDef& def = *loaded.def;
  ASSERT_EQ(3u, def.parameters.size());
  const SParameter& env = def.parameters[0];
  EXPECT_EQ("envMap", env.name);
  EXPECT_EQ(kParamTextureCube, env.type);
  EXPECT_EQ("SkyCube", env.semantic);
  EXPECT_EQ("", env.sampler.imageReference);
  EXPECT_EQ("true", annotation(env.annotations, "SRGB"));
  EXPECT_EQ("Image", annotation(env.annotations, "UIWidget"));
  EXPECT_EQ("before", annotation(env.annotations, "UIDivider"));
  EXPECT_TRUE(findNamed(vertexOf(def).binds, "envMap"));
  const SParameter& detail = def.parameters[1];
  EXPECT_EQ("LW_Tex_ReflectionImage", detail.semantic);
  EXPECT_EQ("r32f", annotation(detail.annotations, "format"));
  EXPECT_EQ("false", annotation(detail.annotations, "SRGB"));
  EXPECT_EQ("ImageRef", annotation(detail.annotations, "UIWidget"));
  EXPECT_EQ("after", annotation(detail.annotations, "UIDivider"));
  EXPECT_TRUE(findNamed(pixelOf(def).binds, "detail"));
  EXPECT_EQ("false", annotation(def.parameters[2].annotations, "SRGB"));
  EXPECT_TRUE(def.techniques[0].passes[0].states.empty());
}

TEST_F(EffectDefTest, TechniquesReparseTheHeaderWithTheirMacros) {
  LoadedDef loaded = load(
      "//cflag TEX_COLOR\n"
      "// config techniques : glow  zprepass\n"
      "//TESK_PP:D:TECH_GLOW:// function pixelMain : psGlow\n"
      "//TESK_PP:D:TECH_NDFLT://TESK_PP:U:TECH_GLOW:// function pixelMain : psOther\n"
      "//TESK_PP:U:TECH_NDFLT:// config render : forward\n"
      "// texture : a.png");
  const CTkEffectDef& def = *loaded.def;
  ASSERT_EQ("", loaded.error);
  ASSERT_EQ(3u, def.techniques.size());
  EXPECT_EQ("glow zprepass ", annotation(def.techniques[0].annotations, "techniques"));
  EXPECT_EQ("glow", def.techniques[1].name);
  EXPECT_EQ("zprepass", def.techniques[2].name);

  EXPECT_EQ("ps_main", pixelOf(def, 0).entry);
  EXPECT_EQ("psGlow", pixelOf(def, 1).entry);
  EXPECT_EQ("psOther", pixelOf(def, 2).entry);
  EXPECT_EQ("forward", annotation(def.techniques[0].annotations, "render"));
  EXPECT_EQ("<none>", annotation(def.techniques[1].annotations, "render"));

  const std::vector<std::string> glowDefines = {"#define USE_TECH_NDFLT", "#define USE_TECH_GLOW"};
  EXPECT_TRUE(vertexOf(def, 0).inlineDefines.empty());
  EXPECT_EQ(glowDefines, vertexOf(def, 1).inlineDefines);
  EXPECT_EQ(glowDefines, pixelOf(def, 1).inlineDefines);
  EXPECT_EQ("#define USE_TECH_ZPREPASS", pixelOf(def, 2).inlineDefines.at(1));

  // Slot textures are named per technique; the compile flag is kept once.
  EXPECT_EQ("Tex_glow_0", def.techniques[1].passes[0].states.at(0).parameterReference);
  EXPECT_TRUE(def.getParameterByName("Tex_zprepass_0"));
  ASSERT_EQ(1u, def.compileFlags.size());
  EXPECT_EQ("cflag", def.compileFlags[0].name);
  EXPECT_EQ("USE_TEX_COLOR", def.compileFlags[0].value);
}

TEST_F(EffectDefTest, ConditionsSeeRequestedMacrosWithoutTheirPrefix) {
  const std::string header =
      "//TESK_PP:D:TEX_COLOR:// float4 tint : 1\n"
      "//TESK_PP:U:TEX_COLOR:// float4 plain : 1\n"
      "//TESK_PP:D:OTHER:// float4 other : 1\n"
      "//TESK_PP:D:tex_color:// float4 wrongCase : 1";
  LoadedDef with = load(header, {{"USE_TEX_COLOR", ""}, {"OTHER", "1"}});
  EXPECT_TRUE(with.def->getParameterByName("tint"));
  EXPECT_TRUE(with.def->getParameterByName("other"));
  EXPECT_FALSE(with.def->getParameterByName("plain"));
  EXPECT_FALSE(with.def->getParameterByName("wrongCase"));
  LoadedDef without = load(header);
  EXPECT_FALSE(without.def->getParameterByName("tint"));
  EXPECT_TRUE(without.def->getParameterByName("plain"));
}

struct NoteCase {
  const char* line;
  const char* warning;  // empty: nothing to say
};

// Lines the loader takes up otherwise than written, or not at all, are said at
// WARN with the file and the line; good lines are read without a word.
TEST_F(EffectDefTest, WhatALineLetsPassIsWarnedWithFileAndLine) {
  folder.write("present.png", "");
  const NoteCase cases[] = {
      {"// float4 tint : 1, 2", "'tint' (float4) has 2 values where 4 are expected: the missing ones read as 0"},
      {"// float2 uv : 1 2 3", "'uv' (float2) has 3 values where 2 are expected: those after the first 2 are ignored"},
      {"// float4 none : : pixel", "'none' (float4) has 0 values where 4 are expected: the missing ones read as 0"},
      {"// int n : 99999999999", "value '99999999999' of 'n' (int) is beyond the int range: it reads as 2147483647"},
      {"// integer n : -99999999999",
       "value '-99999999999' of 'n' (integer) is beyond the int range: it reads as -2147483648"},
      {"// int n : 0x10", "value '0x10' of 'n' (int) is not an integer: it is not read as written"},
      {"// bool b : true", "value 'true' of 'b' (bool) is not an integer: it is not read as written"},
      {"// float c : surface_BaseColor",
       "value 'surface_BaseColor' of 'c' (float) is not a number: it is not read as written"},
      {"// colour c : 1", "unknown type 'colour': the line is ignored"},
      {"// float f : 1 : pxel", "unknown flag 'pxel' is ignored"},
      {"// texture 0 : present.png : bilinear", "unknown texture flag 'bilinear' is ignored"},
      {"// texture 1 : absent.png", "texture file 'absent.png' is not found"},
      {"// config depht_func : LESS", "unknown config key 'depht_func' is ignored"},
      {"// config depth_func", "config key 'depth_func' has no value and is ignored"},
      {"// function geometryMain : gs", "unknown entry point 'geometryMain' is ignored"},
      {"// float4 v : 1, 2 ,3, 4", ""},
      {"// floatN w : 1 2 3 4 5", ""},
      {"// float4x4 m : World", ""},
      {"// int n : -2147483648", ""},
      {"// float4 c : 1,0.5,0.5,1 : pixel color", ""},
      {"// texture 0 : present.png : repeat srgb", ""},
      {"// texture : Color : trilinear", ""},
      {"// config tangents", ""},
  };
  int index = 0;
  for (const NoteCase& c : cases) {
    const std::string path = writeEffect(c.line, "note" + std::to_string(index++) + ".hlsl");
    CapturedStdout out;
    LoadedDef loaded = loadFile(path);
    EXPECT_EQ("", loaded.error) << c.line;
    const std::string printed = out.take();
    if (*c.warning)
      EXPECT_EQ("WARN : " + path + ":2: " + c.warning + "\n\n", printed) << c.line;
    else
      EXPECT_EQ("", printed) << c.line;
  }
}

TEST_F(EffectDefTest, EachWarningIsSaidOncePerFileAndLine) {
  // Line 4 of the file; the named technique reads it again, and so does a
  // second load with other macros.
  const std::string path = writeEffect("// config techniques : glow\n\n// colour c : 1", "once.hlsl");
  CapturedStdout out;
  EXPECT_EQ("", loadFile(path).error);
  EXPECT_EQ("", loadFile(path, {{"USE_OTHER", ""}}).error);
  EXPECT_EQ("WARN : " + path + ":4: unknown type 'colour': the line is ignored\n\n", out.take());
}

TEST_F(EffectDefTest, OnlyEngineEffectExtensionsAreLoadable) {
  EXPECT_TRUE(loader.isLoadableEffectFile("/a/b.hlsl"));
  EXPECT_TRUE(loader.isLoadableEffectFile("b.FX"));
  EXPECT_FALSE(loader.isLoadableEffectFile("b.dae"));
  EXPECT_FALSE(loader.isLoadableEffectFile("b.fxo"));
  EXPECT_FALSE(loader.isLoadableEffectFile("dir.fx/file"));
  EXPECT_FALSE(loader.isLoadableEffectFile("hlsl"));
  EXPECT_TRUE(loader.dependsOnMacros());
}

}  // namespace
}  // namespace tk::test
