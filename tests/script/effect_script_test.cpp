// The effect and camera effect commands as scripts call them: making into a
// used ID replaces the item, the numbers of SetEffectConstantFloatN, and the
// recorded failures.
#include "api/camera_effect_commands.h"
#include "api/effect_commands.h"
#include "effects/runtime/effect.h"
#include "tests/api/effect_fixture.h"
#include "tests/script/script_fixture.h"

namespace tk {
namespace {

class EffectScriptTest : public test::ScriptTest {
 protected:
  void SetUp() override {
    test::ScriptTest::SetUp();
    ASSERT_EQ(run("tk.Setup(320, 240)"), "");
    effect = "'" + folder.write("tint.fx", test::kCommandEffectSource) + "'";
  }
  std::vector<float> tint(int id) {
    std::vector<float> values(4);
    CTkEffect* e = getEffect(id);
    e->getFloatArray(e->getParameterIndex("Tint"), values.data(), 4);
    return values;
  }
  test::TempFolder folder;
  std::string effect;
};

TEST_F(EffectScriptTest, MakingIntoAUsedIdReplacesTheItem) {
  ASSERT_EQ(run("tk.LoadEffect(" + effect + ", 1) tk.SetEffectConstantFloatN(1, 'Tint', 9)"), "");
  ASSERT_EQ(run("tk.LoadEffect(" + effect + ", 1)"), "");
  EXPECT_EQ(tint(1), (std::vector<float>{1, 0.8f, 0.6f, 1}));  // a new effect with its defaults
  ASSERT_EQ(run("tk.MakeCameraEffect(2, 1) tk.ShowCameraEffect(2) tk.MakeCameraEffect(2, 1)"), "");
  // The replaced camera effect left the enabled list with its deletion.
  EXPECT_TRUE(enabledCameraEffects().empty());
  ASSERT_EQ(run("tk.MakeCameraEffectFromFile(2, " + effect + ")"), "");
  EXPECT_NE(tkEngine().cameraShaders->get(2)->effect, getEffect(1));
  EXPECT_EQ(eval("tk.CameraEffectExist(2), tk.CameraEffectExist(3), tk.EffectExist(1)"), "true false true");
  ASSERT_EQ(run("tk.SetCameraEffectPriority(2, 4) tk.DeleteCameraEffect(2) tk.DeleteEffect(1)"), "");
  EXPECT_EQ(eval("tk.CameraEffectExist(2), tk.EffectExist(1)"), "false false");
}

TEST_F(EffectScriptTest, FloatNTakesOneToSixteenNumbers) {
  ASSERT_EQ(run("tk.LoadEffect(" + effect + ", 1) tk.SetEffectConstantFloatN(1, 'Tint', 0.5, 0.25, '2')"), "");
  EXPECT_EQ(tint(1), (std::vector<float>{0.5f, 0.25f, 2, 1}));
  const char* sixteen = "1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16";
  EXPECT_EQ(run(std::string("tk.SetEffectConstantFloatN(1, 'Tint', ") + sixteen + ")"), "");
  EXPECT_EQ(tint(1), (std::vector<float>{1, 2, 3, 4}));
  struct Case {
    std::string code, error;
  };
  const Case cases[] = {
      {std::string("tk.SetEffectConstantFloatN(1, 'Tint', ") + sixteen + ", 17)",
       "snippet:1: bad argument #-1 to 'SetEffectConstantFloatN' (too much floats parameters)"},
      {"tk.SetEffectConstantFloatN(1, 'Tint')",
       "snippet:1: bad argument #3 to 'SetEffectConstantFloatN' (number expected, got no value)"},
      {"tk.SetEffectConstantFloatN(1, 'Tint', 1, 'x')",
       "snippet:1: bad argument #4 to 'SetEffectConstantFloatN' (number expected, got string)"},
      {"tk.SetEffectConstantFloatN(1, 'Nope', 1)",
       "snippet:1: bad argument #2 to 'SetEffectConstantFloatN' (Unknown constant 'Nope')"},
  };
  for (const Case& c : cases) EXPECT_EQ(run(c.code), c.error) << c.code;
  EXPECT_EQ(tint(1), (std::vector<float>{1, 2, 3, 4}));
}

TEST_F(EffectScriptTest, RecordedFailuresBecomeScriptErrors) {
  ASSERT_EQ(run("tk.LoadEffect(" + effect + ", 1)"), "");
  struct Case {
    const char* code;
    const char* error;
  };
  const Case cases[] = {
      {"tk.ShowCameraEffect(9)",
       "snippet:1: bad argument #1 to 'ShowCameraEffect' (Camera Effect ID 9 does not exist. id 9 does not exist)"},
      {"tk.MakeCameraEffect(3, 7)",
       "snippet:1: bad argument #2 to 'MakeCameraEffect' (Effect ID 7 does not exist. id 7 does not exist)"},
      {"tk.MakeCameraEffectFromFile(4, 'nope.hlsl')",
       "snippet:1: bad argument #2 to 'MakeCameraEffectFromFile' (Camera Effect ID 4 : Failed to compile effect "
       "nope.hlsl)"},
      {"tk.SetEffectConstantBoolean(1, 'Flip', 1)",
       "snippet:1: bad argument #3 to 'SetEffectConstantBoolean' (boolean expected, got number)"},
      {"tk.SetEffectConstantInteger(2, 'Steps', 1)",
       "snippet:1: bad argument #1 to 'SetEffectConstantInteger' (Effect ID 2 does not exist. id 2 does not exist)"},
      {"tk.SetEffectTexture(1, 'Picture', 'none.png')",
       "snippet:1: bad argument #3 to 'SetEffectTexture' (failed to load texture 'none.png' )"},
      {"tk.SetCameraEffectParameters()",
       "snippet:1: bad argument #-1 to 'SetCameraEffectParameters' (the function is not implemented)"},
  };
  for (const Case& c : cases) EXPECT_EQ(run(c.code), c.error) << c.code;
  EXPECT_EQ(eval("tk.CameraEffectExist(3), tk.CameraEffectExist(4)"), "false false");
}

}  // namespace
}  // namespace tk
