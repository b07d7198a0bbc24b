// A built effect's values, constant feed, clones, render-path map and the
// effect manager's failures.
#include <map>

#include "tests/effects/runtime/effect_fixture.h"

namespace tk::test {
namespace {

// Upload services that keep what the feed wrote, by constant name or register.
class RecordingServices : public irr::video::IMaterialRendererServices {
 public:
  void setBasicRenderStates(const irr::video::SMaterial&, const irr::video::SMaterial&, bool) override {}
  bool setVertexShaderConstant(const irr::c8* name, const irr::f32* floats, int count) override {
    byName[name].assign(floats, floats + count);
    return true;
  }
  bool setVertexShaderConstant(const irr::c8*, const bool*, int) override { return false; }
  bool setVertexShaderConstant(const irr::c8*, const irr::s32*, int) override { return false; }
  void setVertexShaderConstant(const irr::f32* data, irr::s32 first, irr::s32 count) override {
    byRegister[first].assign(data, data + 4 * count);
  }
  bool setPixelShaderConstant(const irr::c8* name, const irr::f32* floats, int count) override {
    return setVertexShaderConstant(name, floats, count);
  }
  bool setPixelShaderConstant(const irr::c8*, const bool*, int) override { return false; }
  bool setPixelShaderConstant(const irr::c8*, const irr::s32*, int) override { return false; }
  void setPixelShaderConstant(const irr::f32* data, irr::s32 first, irr::s32 count) override {
    setVertexShaderConstant(data, first, count);
  }
  irr::video::IVideoDriver* getVideoDriver() override { return nullptr; }

  std::map<std::string, std::vector<float>> byName;
  std::map<int, std::vector<float>> byRegister;
};

std::vector<float> fed(CTkEffect& effect, const std::string& name) {
  RecordingServices services;
  STkMaterialContext context;
  context.effect = &effect;
  effect.onSetShaderConstants(&services, 0, irr::video::SMaterial(), context);
  const STkFxConstBind* constant = nullptr;
  for (const STkFxShader& shader : effect.pass(0, 0)->shaders)
    for (const STkFxConstBind& c : shader.constants)
      if (c.name == name) constant = &c;
  if (!constant) return {};
  if (constant->registerIndex >= 0) return services.byRegister[constant->registerIndex];
  return services.byName[name];
}

TEST_F(EffectTest, SettersChangeWhatTheShaderReceives) {
  Built built = build(definition());
  ASSERT_TRUE(built.effect) << built.error;
  CTkEffect& effect = *built.effect;
  EXPECT_EQ((std::vector<float>{0.25f, 0.5f, 0.75f, 1}), fed(effect, "Tint"));
  const float tint[4] = {1, 2, 3, 4};
  EXPECT_TRUE(effect.setFloatArray("Tint", tint, 4));
  EXPECT_EQ((std::vector<float>{1, 2, 3, 4}), fed(effect, "Tint"));
  EXPECT_TRUE(effect.setFloat("Tint", 9));
  EXPECT_EQ(9, fed(effect, "Tint")[0]);

  // A matrix goes by register transposed: the register holding column 0.
  float world[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  EXPECT_TRUE(effect.setMatrix("World", world));
  const std::vector<float> registers = fed(effect, "World");
  ASSERT_EQ(16u, registers.size());
  EXPECT_EQ((std::vector<float>{1, 5, 9, 13}), std::vector<float>(registers.begin(), registers.begin() + 4));
  float back[16];
  EXPECT_TRUE(effect.getMatrix(0, back));
  EXPECT_EQ(6, back[5]);
}

TEST_F(EffectTest, SettersRefuseUnknownParametersAndCountsBeyondTheStorage) {
  Built built = build(definition());
  ASSERT_TRUE(built.effect);
  CTkEffect& effect = *built.effect;
  float many[17] = {};
  int ints[17] = {};
  EXPECT_FALSE(effect.setFloat("Nope", 1));
  EXPECT_FALSE(effect.setFloatArray(1, many, 17));
  EXPECT_FALSE(effect.setIntArray(1, ints, 17));
  EXPECT_FALSE(effect.setFloatArray(1, many, -1));
  EXPECT_FALSE(effect.setMatrix(99, many));
  EXPECT_TRUE(effect.setInt("Unused", 7));
  int value = 0;
  EXPECT_TRUE(effect.getInt(2, &value));
  EXPECT_EQ(7, value);
  EXPECT_TRUE(effect.setBool("Unused", true));
  bool flag = false;
  EXPECT_TRUE(effect.getBool(2, &flag));
  EXPECT_TRUE(flag);
}

TEST_F(EffectTest, ClonesKeepTheirOwnValues) {
  Built built = build(definition());
  ASSERT_TRUE(built.effect);
  EffectPtr copy(built.effect->clone());
  copy->setFloat("Tint", 5);
  EXPECT_EQ(0.25f, fed(*built.effect, "Tint")[0]);
  EXPECT_EQ(5, fed(*copy, "Tint")[0]);
  EXPECT_EQ(built.effect->binds(), copy->binds());
}

TEST_F(EffectTest, TexturesReachEveryLayerThatSamplesThem) {
  Built built = build(definition());
  ASSERT_TRUE(built.effect);
  irr::video::ITexture* texture = device->getVideoDriver()->addTexture({4, 4}, "t");
  CTkEffect& effect = *built.effect;
  const int unit = effect.pass(0, 0)->shaders[1].textures.at(0).sampler;
  EXPECT_TRUE(effect.setSamplerTexture("Diffuse", texture, true));
  EXPECT_EQ(texture, effect.pass(0, 0)->material.pixelLayers[unit].texture);
  EXPECT_TRUE(effect.pass(0, 0)->material.pixelLayers[unit].sRGB);
  STkTextureLayer layers[12];
  EXPECT_TRUE(effect.setSamplerTextureOnMaterial(0, 0, 3, layers, texture, false));
  EXPECT_EQ(texture, layers[unit].texture);
  EXPECT_FALSE(layers[unit].sRGB);
  EXPECT_FALSE(effect.setSamplerTexture("Tint2", texture));
}

TEST_F(EffectTest, RenderPathMapFollowsTheTechniqueLookup) {
  const std::string path = folder.write("paths.fx",
                                        "// [TESK_BEGIN]\n// config techniques : depth glow\n// [TESK_END]\n"
                                        "float4 vs_main(float4 p : POSITION) : POSITION { return p; }\n"
                                        "float4 ps_main() : COLOR { return 1; }\n");
  EffectPtr effect(manager->createEffect(path.c_str(), -1, {}));
  ASSERT_TRUE(effect) << manager->getLastError();
  ASSERT_EQ(3, effect->techniqueCount());
  EXPECT_EQ((std::vector<int>{1, -1, 2}), effect->renderPathMap());
  EXPECT_EQ(-1, effect->getTechniqueForPath(7));
  EffectPtr copy(effect->clone());  // a copy draws in the same paths
  EXPECT_EQ(1, copy->getTechniqueForPath(0));
}

TEST_F(EffectTest, ManagerReportsCompileErrorsWithFileAndLine) {
  const std::string path = folder.write("broken.fx",
                                        "float4 vs_main(float4 p : POSITION) : POSITION { return p }\n"
                                        "float4 ps_main() : COLOR { return 1; }\n");
  CapturedStdout out;
  EXPECT_EQ(nullptr, manager->createEffect(path.c_str(), -1, {}));
  const std::string& error = manager->getLastError();
  EXPECT_NE(error.find("broken.fx"), std::string::npos) << error;
  EXPECT_NE(out.take().find("CTkEffectManager: ERROR CTkEffect : " + error), std::string::npos);
  EXPECT_EQ(nullptr, manager->createEffect((folder.path() + "/none.fx").c_str(), -1, {}));
}

}  // namespace
}  // namespace tk::test

namespace tk::test {
namespace {

TEST_F(EffectTest, EditedShadersMoveTheConstantsTheirEffectsFeed) {
  const std::string header =
      "// [TESK_BEGIN]\n// float4 Tint : 1 0 0 1 : pixel\n// float Gain : 2 : pixel\n// [TESK_END]\n"
      "float4 vs_main(float4 p : POSITION) : POSITION { return p; }\n";
  const std::string path =
      folder.write("edited.fx", header + "float Gain;\nfloat4 Tint;\nfloat4 ps_main() : COLOR { return Tint * Gain; }\n");
  EffectPtr effect(manager->createEffect(path.c_str(), -1, {}));
  ASSERT_TRUE(effect) << manager->getLastError();
  auto tintOffset = [&]() -> int {
    for (const STkFxConstBind& c : effect->pass(0, 0)->shaders[1].constants)
      if (c.name == "Tint") return static_cast<int>(c.constant.offset);
    return -1;
  };
  EXPECT_EQ(16, tintOffset());

  // Tint moves to the front and Gain is no longer read.
  folder.write("edited.fx", header + "float4 Tint;\nfloat Gain;\nfloat4 ps_main() : COLOR { return Tint; }\n");
  std::vector<int> updated;
  ASSERT_TRUE(services->updateShaders({path}, &updated));
  manager->refreshConstants(updated);
  EXPECT_EQ(0, tintOffset());
  EXPECT_EQ(1u, effect->pass(0, 0)->shaders[1].constants.size());
  EXPECT_EQ((std::vector<float>{1, 0, 0, 1}), fed(*effect, "Tint"));
}

}  // namespace
}  // namespace tk::test
