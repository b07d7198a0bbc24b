// Building runnable effects: pass materials, base materials and blending,
// macros, depth states, sampler records, texture binds and their failures.
#include <cstring>

#include "tests/effects/runtime/effect_fixture.h"

namespace tk::test {
namespace {

uint32_t bitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

TEST_F(EffectTest, BlendStatesChooseTheOneTextureBlendWhateverTheAnnotation) {
  CTkEffectDef* def = definition();
  SPass& pass = firstPass(def);
  pass.states = {state("blend_enable", "TRUE"), state("blend_func src", "SRC_ALPHA"),
                 state("blend_func dest", "one_minus_src_alpha")};
  setNamed(&pass.annotations, "baseMaterial", "glass");
  Built built = build(def);
  ASSERT_TRUE(built.effect) << built.error;
  const STkFxPass* fx = built.effect->pass(0, 0);
  EXPECT_EQ(0x2167u, bitsOf(fx->material.base.MaterialTypeParam));
  EXPECT_EQ(23, shaderMaterialOf(*built.effect)->baseMaterial());
}

struct BaseCase {
  const char* annotation;  // null: none
  int requested;
  int expected;            // -1: the build fails
};

TEST_F(EffectTest, BaseMaterialFromAnnotationOrRequest) {
  const BaseCase cases[] = {
      {"Transparent_Alpha_Channel", -1, 13}, {"transparent_one_one", -1, 23}, {nullptr, -1, 0},
      {nullptr, 13, 13},                     {"solid", 13, 0},               {"glass", -1, -1},
  };
  for (const BaseCase& c : cases) {
    SCOPED_TRACE(c.annotation ? c.annotation : "none");
    CTkEffectDef* def = definition();
    if (c.annotation) setNamed(&firstPass(def).annotations, "baseMaterial", c.annotation);
    Built built = build(def, c.requested);
    if (c.expected < 0) {
      EXPECT_EQ("Invalid base material annotation glass", built.error);
      continue;
    }
    ASSERT_TRUE(built.effect) << built.error;
    EXPECT_EQ(c.expected, shaderMaterialOf(*built.effect)->baseMaterial());
  }
}

TEST_F(EffectTest, RequestMacrosWinOverInlineDefinesWithAWarning) {
  CTkEffectDef* def = definition();
  firstPass(def).shaders[1].inlineDefines = {"#define  USE_X 2", "#define\tOTHER"};
  CapturedStdout out;
  Built built = build(def, -1, {{"USE_X", "1"}});
  ASSERT_TRUE(built.effect) << built.error;
  EXPECT_NE(out.take().find("Warning: when merging macros, duplicate USE_X with different definitions '1' and '2' "),
            std::string::npos);
  // USE_X = 1 keeps Tint in the compiled pixel shader (0 would remove it).
  EXPECT_NE(shaderMaterialOf(*built.effect)->pixel().table.findConstant("Tint"), nullptr);

  const std::pair<const char*, const char*> malformed[] = {
      {"#define", "Invalid source inline : malformed after #define"},
      {"#define  \t ", "Invalid source inline : malformed after #define"},
      {"define X", "Invalid source inline : no #define"},
  };
  for (const auto& [text, message] : malformed) {
    def = definition();
    firstPass(def).shaders[0].inlineDefines = {text};
    EXPECT_EQ(message, build(def).error) << text;
  }
}

struct DepthCase {
  std::vector<std::pair<const char*, const char*>> states;
  bool zWrite;
  int comparison;
  int flags;
};

TEST_F(EffectTest, DepthStatesSetTheMaterialInOrder) {
  const irr::video::SMaterial defaults;
  const DepthCase cases[] = {
      {{}, defaults.ZWriteEnable, defaults.ZBuffer, 0},
      {{{"depth_test_enable", "false"}, {"depth_mask", "true"}}, false, 0, 0xC},
      {{{"depth_test_enable", "false"}, {"depth_mask", "true"}, {"depth_func", "LESS"}}, false, 3, 0xE},
      {{{"depth_mask", "false"}, {"depth_func", "NEVER"}}, false, 8, 0x6},
      {{{"depth_func", "less"}}, defaults.ZWriteEnable, defaults.ZBuffer, 0x2},
      {{{"point_size_enable", "true"}}, defaults.ZWriteEnable, defaults.ZBuffer, 0x10},
  };
  for (const DepthCase& c : cases) {
    CTkEffectDef* def = definition();
    for (const auto& [name, value] : c.states) firstPass(def).states.push_back(state(name, value));
    Built built = build(def);
    ASSERT_TRUE(built.effect) << built.error;
    const irr::video::SMaterial& material = built.effect->pass(0, 0)->material.base;
    EXPECT_EQ(c.zWrite, material.ZWriteEnable) << c.flags;
    EXPECT_EQ(c.comparison, material.ZBuffer) << c.flags;
    EXPECT_EQ(c.flags, built.effect->getPassStateFlags(0, 0));
  }
}

TEST_F(EffectTest, ScreenDrawTurnsDepthOffOnlyForPassesWithoutDepthStates) {
  Built plain = build(definition());
  CTkEffectDef* def = definition();
  firstPass(def).states = {state("depth_func", "LEQUAL")};
  Built withDepth = build(def);
  ASSERT_TRUE(plain.effect && withDepth.effect);
  const irr::video::SMaterial defaults;
  STkMaterial material;
  ASSERT_TRUE(plain.effect->applyPass(0, 0, &material, true));
  EXPECT_FALSE(material.base.ZWriteEnable);
  EXPECT_EQ(7, material.base.ZBuffer);
  ASSERT_TRUE(plain.effect->applyPass(0, 0, &material, false));
  EXPECT_EQ(defaults.ZWriteEnable, material.base.ZWriteEnable);
  EXPECT_EQ(defaults.ZBuffer, material.base.ZBuffer);
  ASSERT_TRUE(withDepth.effect->applyPass(0, 0, &material, true));
  EXPECT_EQ(1, material.base.ZBuffer);
  EXPECT_FALSE(plain.effect->applyPass(0, 1, &material, true));
  EXPECT_FALSE(plain.effect->applyPass(1, 0, &material, true));
  EXPECT_EQ(0, plain.effect->getPassStateFlags(3, 0));
}

struct SamplerCase {
  const char *wrapS, *wrapT, *minFilter, *magFilter, *mipFilter, *srgb;
  int wrapU, wrapV;
  bool bilinear, trilinear;
  int anisotropy;
  bool sRGB;
};

TEST_F(EffectTest, SamplerRecordsFromTheSamplerDescription) {
  const SamplerCase cases[] = {
      {"clamp_to_edge", "MIRRORED_REPEAT", "", "", "", nullptr, 2, 5, true, false, 0, false},
      {"mirror_once", "border", "ANISOTROPIC", "NEAREST", "linear", "TRUE", 7, 3, false, true, 8, true},
      {"glass", "", "nearest", "", "", "false", 0, 0, false, false, 0, false},
      {"MIRROR", "clamp", "NEAREST", "Linear", "POINT", nullptr, 4, 1, true, false, 0, false},
  };
  for (const SamplerCase& c : cases) {
    CTkEffectDef* def = definition();
    SParameter& diffuse = def->parameters[3];
    diffuse.sampler = {"", c.wrapS, c.wrapT, "", c.minFilter, c.magFilter, c.mipFilter};
    if (c.srgb) setNamed(&diffuse.annotations, "SRGB", c.srgb);
    Built built = build(def);
    ASSERT_TRUE(built.effect) << built.error;
    const STkTextureLayer& record = built.effect->parameter(3)->sampler;
    SCOPED_TRACE(c.wrapS);
    EXPECT_EQ(c.wrapU, record.wrapU);
    EXPECT_EQ(c.wrapV, record.wrapV);
    EXPECT_EQ(c.bilinear, record.bilinear);
    EXPECT_EQ(c.trilinear, record.trilinear);
    EXPECT_EQ(c.anisotropy, record.anisotropy);
    EXPECT_EQ(c.sRGB, record.sRGB);
    // The record reaches the pixel layer the compiled shader samples.
    const STkFxTextureBind& bind = built.effect->pass(0, 0)->shaders[1].textures.at(0);
    EXPECT_EQ(c.wrapU, built.effect->pass(0, 0)->material.pixelLayers[bind.sampler].wrapU);
  }
}

TEST_F(EffectTest, RemovedConstantsGetNoDescriptorAndSemanticsWithoutBindWarn) {
  CTkEffectDef* def = definition();
  def->parameters[1].semantic = "GlowIntensity";
  def->parameters[2].semantic = "AlsoUnbound";
  CapturedStdout out;
  Built built = build(def);
  ASSERT_TRUE(built.effect) << built.error;
  const std::string printed = out.take();
  EXPECT_NE(printed.find("Warning: effect.fx: the Semantic 'GlowIntensity' has no corresponding binding"),
            std::string::npos);
  EXPECT_EQ(printed.find("AlsoUnbound"), std::string::npos);  // Unused was removed by the compiler
  const STkFxShader& pixel = built.effect->pass(0, 0)->shaders[1];
  ASSERT_EQ(1u, pixel.constants.size());
  EXPECT_EQ("Tint", pixel.constants[0].name);
  EXPECT_EQ(1u, built.effect->pass(0, 0)->binds.size());
}

TEST_F(EffectTest, TextureStatesBindSlotsAndIllegalSlotsFail) {
  CTkEffectDef* def = definition();
  def->addParameter(parameter("Tex__3", kParamTexture2D));
  firstPass(def).states = {state("texture2D", "", "Tex__3", 3)};
  Built built = build(def);
  ASSERT_TRUE(built.effect) << built.error;
  const STkFxTextureBind& slot = built.effect->pass(0, 0)->shaders[1].textures.back();
  EXPECT_EQ(4, slot.parameter);
  EXPECT_EQ(3, slot.sampler);

  const std::pair<SState, const char*> cases[] = {
      {state("texture2D", "", "Tex__3", 8), "Sampler illegal index > MATERIAL_MAX_TEXTURES"},
      {state("textureCUBE", "", "Nothing", 1), "failed to get Param 'Nothing' for the texture state'textureCUBE'"},
  };
  for (const auto& [textureState, message] : cases) {
    def = definition();
    def->addParameter(parameter("Tex__3", kParamTexture2D));
    firstPass(def).states = {textureState};
    EXPECT_EQ(message, build(def).error);
  }
}

TEST_F(EffectTest, MissingTextureFailsOnlyWhenSampled) {
  CTkEffectDef* def = definition();
  def->parameters[3].sampler.imageReference = "file://missing.png";
  EXPECT_EQ("Failed to get Texture [ Semantic=<null> ImageUrl=file://missing.png ] of parameter Diffuse",
            build(def).error);

  def = definition();
  def->addParameter(parameter("Spare", kParamTexture2D));
  def->parameters[4].sampler.imageReference = "missing.png";
  CapturedStdout out;
  Built built = build(def);
  EXPECT_TRUE(built.effect) << built.error;
  EXPECT_NE(out.take().find("CTkEffectBuilder::loadTextures : The Texture Parameter 'Spare' is not bound to any "
                            "shader sampler, do not load texture."),
            std::string::npos);
}

TEST_F(EffectTest, BindsNamingNoParameterAndBadTargetsFail) {
  CTkEffectDef* def = definition();
  firstPass(def).shaders[1].binds.push_back(bindOf("Ghost"));
  EXPECT_EQ("failed to get Param 'Ghost' for the Bind 'Ghost'", build(def).error);
  def = definition();
  firstPass(def).shaders[0].profile = 4;
  EXPECT_EQ("Unsupported Vertex Compiler target", build(def).error);
  def = definition();
  firstPass(def).shaders[1].source = "file://";
  EXPECT_EQ("Inconsistent Pixel Shader Filename file://", build(def).error);
}

}  // namespace
}  // namespace tk::test
