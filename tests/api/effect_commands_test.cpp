#include "api/effect_commands.h"

#include <functional>

#include "render/tk_manager.h"
#include "tests/api/effect_fixture.h"

namespace tk {
namespace {

using EffectCommandsTest = test::EffectCommandsTest;

TEST_F(EffectCommandsTest, LoadingFillsTheTableAndRefusalsLeaveItAsItWas) {
  ASSERT_EQ(LoadEffect(effectPath.c_str(), 3), 0) << failure();
  EXPECT_TRUE(EffectExist(3));
  ASSERT_NE(getEffect(3), nullptr);
  EXPECT_EQ(getEffect(3)->getReferenceCount(), 1);

  EXPECT_EQ(LoadEffect(effectPath.c_str(), 3), -1);
  EXPECT_EQ(failure(), "2: invalid effect ID 3 : id 3 already exist");
  EXPECT_EQ(LoadEffect(effectPath.c_str(), 1000), -1);
  EXPECT_EQ(failure(), "2: invalid effect ID 1000 : invalid ID 1000 greater or equals than 1000");
  std::string missing = folder.path() + "/missing.fx";
  EXPECT_EQ(LoadEffect(missing.c_str(), 4), -1);
  EXPECT_EQ(failure(), "1: Failed to load effect '" + missing + "' : Cannot open file");
  EXPECT_FALSE(EffectExist(4));

  DeleteEffect(3);
  EXPECT_FALSE(EffectExist(3));
  DeleteEffect(3);  // empty: nothing, no complaint
  EXPECT_EQ(failure(), "");
}

TEST_F(EffectCommandsTest, ConstantSettersWriteTheEffectsValues) {
  ASSERT_EQ(LoadEffect(effectPath.c_str(), 1), 0) << failure();
  CTkEffect* effect = getEffect(1);
  SetEffectConstantBoolean(1, "Flip", true);
  SetEffectConstantInteger(1, "Steps", 7);
  SetEffectConstantFloat(1, "Gain", 0.5f);
  const float three[3] = {0.1f, 0.2f, 0.3f};
  SetEffectConstantFloatN(1, "Tint", three, 3);
  EXPECT_EQ(failure(), "");
  bool flip = false;
  int steps = 0;
  EXPECT_TRUE(effect->getBool(effect->getParameterIndex("Flip"), &flip) && flip);
  EXPECT_TRUE(effect->getInt(effect->getParameterIndex("Steps"), &steps));
  EXPECT_EQ(steps, 7);
  EXPECT_EQ(floats(effect, "Gain", 1), std::vector<float>{0.5f});
  // Exactly three floats: the fourth keeps its default.
  EXPECT_EQ(floats(effect, "Tint", 4), (std::vector<float>{0.1f, 0.2f, 0.3f, 1.0f}));
}

TEST_F(EffectCommandsTest, ConstantSettersReportMissingEffectsNamesAndRefusedValues) {
  ASSERT_EQ(LoadEffect(effectPath.c_str(), 1), 0) << failure();
  const float seventeen[17] = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
  struct Case {
    std::function<void()> call;
    std::string failure;
  };
  const Case cases[] = {
      {[] { SetEffectConstantFloat(9, "Gain", 1); }, "1: Effect ID 9 does not exist. id 9 does not exist"},
      {[] { SetEffectConstantBoolean(-1, "Flip", true); }, "1: Effect ID -1 does not exist. invalid negative ID -1"},
      {[] { SetEffectConstantInteger(1, "Nope", 1); }, "2: Unknown constant 'Nope'"},
      {[&] { SetEffectConstantFloatN(1, "Tint", seventeen, 17); }, "2: failed to set value for constant 'Tint'"},
  };
  for (const Case& c : cases) {
    c.call();
    EXPECT_EQ(failure(), c.failure);
  }
  EXPECT_EQ(floats(getEffect(1), "Tint", 4), (std::vector<float>{1, 0.8f, 0.6f, 1}));  // the refused value left nothing
}

TEST_F(EffectCommandsTest, TexturesLoadFromTheFileAsGiven) {
  ASSERT_EQ(LoadEffect(effectPath.c_str(), 1), 0) << failure();
  CTkEffect* effect = getEffect(1);
  irr::video::IVideoDriver* driver = tkEngine().driver;
  irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, {2, 2});
  std::string picture = folder.path() + "/picture.bmp";
  ASSERT_TRUE(driver->writeImageToFile(image, picture.c_str()));
  image->drop();

  SetEffectTexture(1, "Picture", picture.c_str());
  EXPECT_EQ(failure(), "");
  ASSERT_NE(textureOf(effect, "Picture"), nullptr);
  EXPECT_EQ(textureOf(effect, "Picture"), driver->findTexture(picture.c_str()));

  // A file that does not load still sets the parameter, to no texture.
  SetEffectTexture(1, "Picture", "missing.bmp");
  EXPECT_EQ(failure(), "3: failed to load texture 'missing.bmp' ");
  EXPECT_EQ(textureOf(effect, "Picture"), nullptr);

  SetEffectTexture(1, "Gain", picture.c_str());
  EXPECT_EQ(failure(), "2: Unknown texture 'Gain'");
  SetEffectTexture(1, "Nope", picture.c_str());
  EXPECT_EQ(failure(), "2: Unknown texture 'Nope'");
  SetEffectTexture(2, "Picture", picture.c_str());
  EXPECT_EQ(failure(), "1: Effect ID 2 does not exist. id 2 does not exist");
  // Cube textures do not load from files yet.
  SetEffectTexture(1, "Sky", picture.c_str());
  EXPECT_EQ(failure(), "3: failed to load texture '" + picture + "' ");
}

TEST(CompileFlagsTest, PiecesBecomeMacrosAfterTheExistingOnes) {
  ShaderMacroList macros = {{"FIRST", ""}};
  appendCompileFlags("A B=C  D=", kCompileMacroCapacity, &macros);
  EXPECT_EQ(macros, (ShaderMacroList{{"FIRST", ""}, {"A", ""}, {"B", "C"}, {"D", ""}}));
  appendCompileFlags("", kCompileMacroCapacity, &macros);
  EXPECT_EQ(macros.size(), 4u);
  // The list keeps room for its end entry; further pieces are dropped.
  std::string many;
  for (int i = 0; i < 150; ++i) many += "M" + std::to_string(i) + " ";
  ShaderMacroList bounded;
  appendCompileFlags(many, kCompileMacroCapacity, &bounded);
  ASSERT_EQ(bounded.size(), kCompileMacroCapacity - 1);
  EXPECT_EQ(bounded.back().name, "M98");
}

EffectValueParameter valueOf(const char* name, int kind) {
  EffectValueParameter p;
  p.name = name;
  p.kind = kind;
  return p;
}

TEST_F(EffectCommandsTest, EffectValuesMakeAndSetTheEffect) {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, {2, 2});
  std::string picture = folder.path() + "/grade.bmp";
  ASSERT_TRUE(driver->writeImageToFile(image, picture.c_str()));
  image->drop();

  EffectValues values;
  values.file = effectPath;
  values.compileFlags = "BRIGHT";
  values.count = 5;
  values.parameters[0] = valueOf("Tint", kEffectValueVector);
  values.parameters[0].value.floats[0] = 0.25f;
  values.parameters[0].value.floats[1] = 0.5f;
  values.parameters[0].value.floats[2] = 0.75f;
  values.parameters[1] = valueOf("Extra", kEffectValueFloat);
  values.parameters[1].value.floats[0] = 4;
  values.parameters[2] = valueOf("Steps", kEffectValueInteger);
  values.parameters[2].value.integer = 11;
  values.parameters[3] = valueOf("Picture", kEffectValueTexture);
  values.parameters[3].texture = picture;
  values.parameters[4] = valueOf("Sky", kEffectValueTexture);  // empty text: no texture, no complaint
  ASSERT_EQ(makeEffectFromValues(6, values), 0) << failure();

  CTkEffect* effect = getEffect(6);
  EXPECT_EQ(floats(effect, "Tint", 4), (std::vector<float>{0.25f, 0.5f, 0.75f, 1}));
  EXPECT_EQ(floats(effect, "Extra", 1), std::vector<float>{4});  // there only with the compile flag
  int steps = 0;
  effect->getInt(effect->getParameterIndex("Steps"), &steps);
  EXPECT_EQ(steps, 11);
  EXPECT_EQ(textureOf(effect, "Picture"), driver->findTexture(picture.c_str()));

  // A referenced texture is one the engine holds by name.
  values.parameters[3].texture = "DummyRenderTarget";
  values.parameters[3].reference = 1;
  ASSERT_EQ(applyEffectValues(6, values, true), 0) << failure();
  EXPECT_EQ(textureOf(effect, "Picture"),
            tkEngine().manager->getRendererManager()->targets().find("DummyRenderTarget")->texture);
}

TEST_F(EffectCommandsTest, EffectValuesReportEachEntryThatFails) {
  ASSERT_EQ(LoadEffect(effectPath.c_str(), 2), 0) << failure();
  EffectValues values;
  values.file = "grade.fx";
  values.count = 4;
  values.parameters[0] = valueOf("Gain", kEffectValueNone);
  values.parameters[1] = valueOf("Extra", kEffectValueFloat);  // not compiled in without the flag
  values.parameters[2] = valueOf("Picture", kEffectValueTexture);
  values.parameters[2].texture = "NoSuchTarget";
  values.parameters[2].reference = 1;
  values.parameters[3] = valueOf("Sky", kEffectValueTexture);
  values.parameters[3].texture = "nowhere.dds";

  setLogThreshold(LOG_ERROR);
  test::CapturedStdout out;
  EXPECT_EQ(applyEffectValues(2, values, true), -1);
  std::string log = out.take();
  EXPECT_EQ(failure(), "2: Effect ID 2: failed to set parameters of shader 'grade.fx'");
  for (const char* line : {
           "ERROR : grade.fx: failed to find texture 'NoSuchTarget' of shader param Picture\n",
           "ERROR : grade.fx: failed to load texture 'nowhere.dds' of shader param Sky\n",
           "ERROR : Effect ID 2: failed to set textures of shader 'grade.fx'\n",
           "ERROR : grade.fx: shader param 'Gain' unknown type -1\n",
           "ERROR : grade.fx: no effect param with name 'Extra'\n",
       })
    EXPECT_NE(log.find(line), std::string::npos) << line << "in:\n" << log;

  // Without textures only the parameters are looked at.
  values.count = 1;
  values.parameters[0].kind = kEffectValueFloat;
  EXPECT_EQ(applyEffectValues(2, values, false), 0);
  EXPECT_EQ(applyEffectValues(8, values, false), -1);
  EXPECT_EQ(failure(), "1: Effect ID 8 does not exist. id 8 does not exist");
}

}  // namespace
}  // namespace tk
