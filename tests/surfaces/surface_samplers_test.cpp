// Surface textures on the samplers of an effect built on the null driver: by
// sampler semantic, into the effect or into a material's layers, with the
// layer-0 fallback, engine textures, and refusals.
#include <gtest/gtest.h>

#include <string>

#include "surfaces/lightwave_parameters.h"
#include "surfaces/surface_hypervoxel.h"
#include "surfaces/surface_lightwave.h"
#include "tests/effects/runtime/effect_fixture.h"
#include "tests/surfaces/surface_fakes.h"

namespace tk::test {
namespace {

// Header texture lines name LightWave channels: slot 0 the colour, slot 1 the
// refraction index (as effect files call it), slot 2 the bump map; the named
// sampler "detail" reads the luminosity map.
constexpr const char* kSurfaceEffect = R"(// [TESK_BEGIN]
// texture 0 : Color
// texture 1 : RefractionIndex
// texture 2 : Bump : srgb
// texture detail : Luminosity
// [TESK_END]
sampler2D detail : register(s4);
float4 vs_main(float4 p : POSITION) : POSITION { return p; }
float4 ps_main(float2 uv : TEXCOORD0) : COLOR { return tex2D(detail, uv); }
)";

constexpr const char* kBumpOnlyEffect = R"(// [TESK_BEGIN]
// texture 1 : Bump
// [TESK_END]
float4 vs_main(float4 p : POSITION) : POSITION { return p; }
float4 ps_main() : COLOR { return 1; }
)";

constexpr const char* kParticleEffect = R"(// [TESK_BEGIN]
// texture 3 : LWHV_Tex_Clip : preset
// [TESK_END]
float4 vs_main(float4 p : POSITION) : POSITION { return p; }
float4 ps_main() : COLOR { return 1; }
)";

class SurfaceSamplersTest : public EffectTest {
 protected:
  // Each source under its own name: the manager keeps definitions by file.
  EffectPtr effectFrom(const char* name, const char* source) {
    const std::string path = folder.write(name, source);
    EffectPtr effect(manager->createEffect(path.c_str(), -1, {}));
    EXPECT_TRUE(effect) << manager->getLastError();
    return effect;
  }
  int detailLayer(const CTkEffect& effect) {
    for (const STkFxShader& shader : effect.pass(0, 0)->shaders)
      for (const STkFxTextureBind& bind : shader.textures)
        if (bind.name == "detail") return bind.sampler;
    ADD_FAILURE() << "no detail sampler";
    return 0;
  }

  PlainTexture colour{"colour"}, refraction{"refraction"}, bump{"bump"}, luminosity{"luminosity"};
};

TEST_F(SurfaceSamplersTest, TexturesReachTheSamplersThatNameThem) {
  EffectPtr effect = effectFrom("surface.fx", kSurfaceEffect);
  ASSERT_TRUE(effect);
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  surface->setTexture(kLwBaseColor, &colour);
  surface->setTextureOption(kLwBaseColor, 1);
  surface->setTexture(kLwIOR, &refraction);
  surface->setTexture(kLwBump, &bump);
  surface->setTexture(kLwLuminosity, &luminosity);
  ASSERT_TRUE(surface->setEffectTextures(effect.get()));
  const STkTextureLayer* layers = effect->pass(0, 0)->material.pixelLayers;
  EXPECT_EQ(&colour, layers[0].texture);
  EXPECT_TRUE(layers[0].sRGB);  // the texture option
  EXPECT_EQ(&refraction, layers[1].texture);
  EXPECT_EQ(&bump, layers[2].texture);
  EXPECT_TRUE(layers[2].sRGB);  // the sampler's own annotation wins over the option
  EXPECT_EQ(&luminosity, layers[detailLayer(*effect)].texture);

  // Without textures the samplers are emptied.
  Held<CTkSurfaceLightwave> bare(new CTkSurfaceLightwave());
  ASSERT_TRUE(bare->setEffectTextures(effect.get()));
  EXPECT_EQ(nullptr, effect->pass(0, 0)->material.pixelLayers[0].texture);
  EXPECT_EQ(nullptr, effect->pass(0, 0)->material.pixelLayers[1].texture);
}

TEST_F(SurfaceSamplersTest, TexturesGoIntoTheLayersOfAMaterialForOnePass) {
  EffectPtr effect = effectFrom("surface.fx", kSurfaceEffect);
  ASSERT_TRUE(effect);
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  surface->setTexture(kLwBaseColor, &colour);
  surface->setTexture(kLwIOR, &refraction);
  STkMaterial material;
  ASSERT_TRUE(surface->setEffectTextureOnMaterial(&material, effect.get(), 0, 0));
  EXPECT_EQ(&colour, material.pixelLayers[0].texture);
  EXPECT_EQ(&refraction, material.pixelLayers[1].texture);
  EXPECT_EQ(nullptr, effect->pass(0, 0)->material.pixelLayers[0].texture);  // the effect is untouched

  // A pass that samples no colour still gets it in layer 0.
  EffectPtr bumpOnly = effectFrom("bump.fx", kBumpOnlyEffect);
  ASSERT_TRUE(bumpOnly);
  surface->setTexture(kLwBump, &bump);
  surface->setTextureOption(kLwBaseColor, 1);
  STkMaterial other;
  ASSERT_TRUE(surface->setEffectTextureOnMaterial(&other, bumpOnly.get(), 0, 0));
  EXPECT_EQ(&bump, other.pixelLayers[1].texture);
  EXPECT_EQ(&colour, other.pixelLayers[0].texture);
  EXPECT_TRUE(other.pixelLayers[0].sRGB);
}

TEST_F(SurfaceSamplersTest, ARefusedPassFailsWithItsMessageAndLeavesTheMaterial) {
  EffectPtr effect = effectFrom("surface.fx", kSurfaceEffect);
  ASSERT_TRUE(effect);
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  surface->setTexture(kLwIOR, &refraction);
  STkMaterial material;
  CapturedStdout out;
  EXPECT_FALSE(surface->setEffectTextureOnMaterial(&material, effect.get(), 4, 0));
  EXPECT_NE(std::string::npos, out.take().find("CTkSurfaceLightwave::setEffectTextureOnMaterial "
                                               "setSamplerTextureOnMaterial failed for LW_Tex_BaseColor"));
  EXPECT_EQ(nullptr, material.pixelLayers[1].texture);
}

TEST_F(SurfaceSamplersTest, EngineTexturesTravelAsEngineTextures) {
  constexpr const char* kReflectionEffect = R"(// [TESK_BEGIN]
// texture 5 : ReflectionImage : cube
// [TESK_END]
float4 vs_main(float4 p : POSITION) : POSITION { return p; }
float4 ps_main() : COLOR { return 1; }
)";
  EffectPtr effect = effectFrom("reflection.fx", kReflectionEffect);
  ASSERT_TRUE(effect);
  int engineTexture = 0;
  auto* shown = reinterpret_cast<CTkEngineTexture*>(&engineTexture);
  FakeStandIn cube(true, shown);
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  surface->setTexture(kLwReflectionImage, &cube);
  ASSERT_TRUE(surface->setEffectTextures(effect.get()));
  EXPECT_EQ(shown, effect->pass(0, 0)->material.pixelLayers[5].engineTexture);
  EXPECT_EQ(nullptr, effect->pass(0, 0)->material.pixelLayers[5].texture);
  STkMaterial material;
  ASSERT_TRUE(surface->setEffectTextureOnMaterial(&material, effect.get(), 0, 0));
  EXPECT_EQ(shown, material.pixelLayers[5].engineTexture);
  EXPECT_EQ(nullptr, material.pixelLayers[5].texture);
}

TEST_F(SurfaceSamplersTest, TheParticleImageGoesToTheClipSampler) {
  EffectPtr effect = effectFrom("particle.fx", kParticleEffect);
  ASSERT_TRUE(effect);
  Held<CTkSurfaceLightwaveHV> surface(new CTkSurfaceLightwaveHV());
  surface->setClipImage(&colour);
  ASSERT_TRUE(surface->setEffectTextures(effect.get()));
  EXPECT_EQ(&colour, effect->pass(0, 0)->material.pixelLayers[3].texture);
  STkMaterial material;
  ASSERT_TRUE(surface->setEffectTextureOnMaterial(&material, effect.get(), 0, 0));
  EXPECT_EQ(&colour, material.pixelLayers[3].texture);
  EXPECT_EQ(&colour, material.pixelLayers[0].texture);  // and layer 0, which was empty

  // An effect without that sampler is no failure.
  EffectPtr other = effectFrom("bump.fx", kBumpOnlyEffect);
  ASSERT_TRUE(other);
  EXPECT_TRUE(surface->setEffectTextures(other.get()));
}

}  // namespace
}  // namespace tk::test
