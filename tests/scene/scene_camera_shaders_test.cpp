// Camera shaders of scenes on the null driver: made at load time, switched and
// fed by the animation, hidden and deleted with their scene.
#include <string>
#include <vector>

#include "api/camera_effect_commands.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "tests/api/effect_fixture.h"

namespace tk {
namespace {

// One camera shader record of a scene file.
struct ShaderRecord {
  std::string file;
  std::string window;      // "useframe ..." keys, or empty
  std::string extra = "";  // further lines of the effect record
};

class SceneCameraShadersTest : public test::EffectCommandsTest {
 protected:
  // A scene at 10 frames per second starting at frame 5: sample position
  // t / 100 and scene frame t / 100 + 5.
  std::string writeScene(const char* name, const std::vector<ShaderRecord>& shaders) {
    std::string text = "{ Scene\n{ SceneInfo\nframeStart I4 5\nframeEnd I4 45\nframesPerSecond FP 10\n}\n{ TeskPostProcs\n";
    for (const ShaderRecord& s : shaders)
      text += "{ Shader\n" + s.window + "{ Effect\nfilename STR " + s.file + "\n" + s.extra + "}\n}\n";
    text += "}\n}\n";
    return folder.write(name, text);
  }
  int load(const std::string& file, int sceneId, int base, bool attached = false) {
    SceneBases bases;
    bases.cameraShader = base;
    return loadScene(file.c_str(), sceneId, bases, false, "s", attached);
  }
  static CTkEffect* effectOf(int id) { return tkEngine().cameraShaders->get(id)->effect; }
  static std::vector<int> enabled() { return enabledCameraEffects(); }
};

constexpr const char* kAnimatedParameters =
    "cflags STR BRIGHT\n{ Parameters\n"
    "{ Gain\nvalue FP_C DAT 5 1 10 20 30 40\n}\n"
    "{ Tint\nvalue FP 0.1 0.2 0.3\n}\n"
    "{ Steps\nvalue I4 7\n}\n}\n";
constexpr const char* kFrameWindow = "useframe I4 1\nstartframe I4 10\nendframe I4 20\n";

TEST_F(SceneCameraShadersTest, MadeWithInitialValuesSwitchedInTheirWindowFedAndRemovedWithTheScene) {
  std::string scene = writeScene("two.tscn", {{effectPath, "", kAnimatedParameters}, {effectPath, kFrameWindow}});
  ASSERT_EQ(load(scene, 1, 30), 0) << failure();
  EXPECT_EQ(SceneTotalCameraShaders(1), 2);
  ASSERT_TRUE(CameraEffectExist(30));
  ASSERT_TRUE(CameraEffectExist(31));
  EXPECT_TRUE(enabled().empty());  // a loaded scene starts hidden
  // The record's compile flags reach the compiler; the values at position 0 are applied.
  EXPECT_GE(effectOf(30)->getParameterIndex("Extra"), 0);
  EXPECT_LT(effectOf(31)->getParameterIndex("Extra"), 0);
  EXPECT_EQ(floats(effectOf(30), "Gain", 1), std::vector<float>{1});
  EXPECT_EQ(floats(effectOf(30), "Tint", 3), (std::vector<float>{0.1f, 0.2f, 0.3f}));
  int steps = 0;
  effectOf(30)->getInt(effectOf(30)->getParameterIndex("Steps"), &steps);
  EXPECT_EQ(steps, 7);

  ShowScene(1);
  // The window covers scene frames 10 to just below 20, i.e. t 500 to 1499.
  struct Case {
    int t;
    std::vector<int> on;
  };
  for (const Case& c : std::vector<Case>{{0, {30}}, {499, {30}}, {500, {30, 31}}, {1499, {30, 31}}, {1500, {30}}, {900, {30, 31}}}) {
    AnimateScene(1, c.t);
    EXPECT_EQ(enabled(), c.on) << "t=" << c.t;
  }
  EXPECT_EQ(failure(), "");
  AnimateScene(1, 250);  // between the samples 20 and 30 of Gain
  EXPECT_FLOAT_EQ(floats(effectOf(30), "Gain", 1)[0], 25.0f);
  AnimateSceneCameraShaders(1, 1600);  // the shader step alone switches too
  EXPECT_EQ(enabled(), std::vector<int>{30});
  EXPECT_FLOAT_EQ(floats(effectOf(30), "Gain", 1)[0], 40.0f);

  HideScene(1);
  EXPECT_TRUE(enabled().empty());
  ShowScene(1);
  AnimateScene(1, 600);  // the states were reset: both come on again
  EXPECT_EQ(enabled(), (std::vector<int>{30, 31}));
  DeleteScene(1);
  EXPECT_FALSE(CameraEffectExist(30));
  EXPECT_FALSE(CameraEffectExist(31));
  EXPECT_TRUE(enabled().empty());
  AnimateSceneCameraShaders(1, 0);
  EXPECT_EQ(failure(), "2: Invalid Scene ID 1");
}

TEST_F(SceneCameraShadersTest, TwentyOneShadersMakeTwentyAndReportTheLast) {
  std::string scene = writeScene("many.tscn", std::vector<ShaderRecord>(21, {effectPath, ""}));
  ASSERT_EQ(load(scene, 2, 100), 0);
  EXPECT_EQ(failure(), "7: Camera shader i=20 > max 20 camera shaders");
  EXPECT_EQ(SceneTotalCameraShaders(2), 21);
  EXPECT_TRUE(CameraEffectExist(119));
  EXPECT_FALSE(CameraEffectExist(120));
  ShowScene(2);
  AnimateScene(2, 0);
  EXPECT_EQ(enabled().size(), 20u);
  EXPECT_EQ(failure(), "");
}

TEST_F(SceneCameraShadersTest, AttachedScenesNeitherMakeNorTouchCameraShaders) {
  ASSERT_EQ(MakeCameraEffectFromFile(40, effectPath.c_str()), 0);  // another item's, under the scene's base
  std::string scene = writeScene("extra.tscn", {{effectPath, ""}, {effectPath, ""}});
  ASSERT_EQ(load(scene, 3, 40, true), 0);
  EXPECT_FALSE(CameraEffectExist(41));
  ShowScene(3);
  AnimateScene(3, 0);
  EXPECT_TRUE(enabled().empty());
  ShowCameraEffect(40);
  HideScene(3);
  DeleteScene(3);
  EXPECT_EQ(enabled(), std::vector<int>{40});
  EXPECT_EQ(failure(), "");
}

TEST_F(SceneCameraShadersTest, AShaderThatCannotBeMadeIsLoggedAndSkipped) {
  std::string scene = writeScene("missing.tscn", {{"nowhere.fx", ""}, {effectPath, ""}});
  setLogThreshold(LOG_INFO);
  test::CapturedStdout out;
  ASSERT_EQ(load(scene, 4, 5), 0);
  setLogThreshold(LOG_NONE);
  EXPECT_NE(out.take().find("INFO : The camera shader id=5 file='nowhere.fx' cannot be loaded\n"), std::string::npos);
  EXPECT_FALSE(CameraEffectExist(5));
  clearLastError();
  ShowScene(4);
  AnimateScene(4, 0);  // the missing one is not reported again
  EXPECT_EQ(enabled(), std::vector<int>{6});
  EXPECT_EQ(failure(), "");
}

}  // namespace
}  // namespace tk
