// The binding conventions every command follows, checked on real snippets:
// the Setup check, argument checks, recorded failures, arrays, joined text.
// A command called from the snippet raises with the interpreter's position
// prefix ("snippet:1: "); one called by pcall directly raises without it.
#include <cstdlib>

#include "api/engine_items.h"
#include "api/fader_commands.h"
#include "api/ride_camera_animator.h"
#include "render/renderer_start.h"
#include "startup/engine_commands.h"
#include "tests/script/script_fixture.h"

namespace tk {
namespace {

struct ErrorCase {
  const char* code;
  const char* error;
};

class BindingTest : public test::ScriptTest {
 protected:
  void expect(std::initializer_list<ErrorCase> cases) {
    for (const ErrorCase& c : cases) EXPECT_EQ(run(c.code), c.error) << c.code;
  }
};

using BeforeSetupTest = BindingTest;

TEST_F(BeforeSetupTest, EngineCommandsAskForSetupFirst) {
  expect({
      {"tk.LoadObject('torus.obj', 1)", "snippet:1: calling 'LoadObject' without Setup first"},
      {"local f = tk.ShowObject; f(1)", "snippet:1: calling 'f' without Setup first"},
      {"local ok, e = pcall(tk.ShowObject, 1) error(e, 0)", "calling '?' without Setup first"},
      // The Setup check comes before the arguments.
      {"tk.ShowObject('not a number')", "snippet:1: calling 'ShowObject' without Setup first"},
      {"tk.SetObjectSurfaces()", "snippet:1: calling 'SetObjectSurfaces' without Setup first"},
      {"tk.Setup(640, 480, 32, 1)", "snippet:1: bad argument #4 to 'Setup' (boolean expected, got number)"},
      {"local ok, e = pcall(tk.Setup, 'wide') error(e, 0)",
       "bad argument #1 to 'tk.Setup' (number expected, got string)"},
  });
  EXPECT_EQ(eval("tk.IsSetup(), tk.ScreenModeOption('WIDTH'), tk.ScreenModeOption('depth')"), "false 0 -1");
  // No display for the dialogs: nothing chosen, and nothing waits for a user.
  EXPECT_EQ(eval("tk.ScreenModeDialog(), tk.FileRequester('Pick one')"), "false nil");
}

TEST_F(BeforeSetupTest, FailedStartUpRaisesItsRecordedError) {
  setenv("TESK_DRIVER", "opengl", 1);
  setenv("DISPLAY", ":999", 1);
  std::string error = run("tk.Setup(320, 240)");
  setenv("TESK_DRIVER", "null", 1);
  unsetenv("DISPLAY");
  EXPECT_EQ(error, "snippet:1: bad argument #-1 to 'Setup' (Setup failed: fails to createDevice)");
  EXPECT_EQ(eval("tk.IsSetup()"), "false");
}

class SetUpScriptTest : public BindingTest {
 protected:
  void SetUp() override {
    BindingTest::SetUp();
    ASSERT_EQ(run("tk.Setup(1280, 720)"), "");
  }
  std::string torus() const { return "'" + example("objects/torus.obj") + "'"; }
};

TEST_F(SetUpScriptTest, RecordedFailuresCarryTheirCode) {
  expect({
      {"tk.ShowObject(5)", "snippet:1: bad argument #1 to 'ShowObject' (Object ID 5 does not exist. id 5 does not exist)"},
      {"local ok, e = pcall(tk.ShowObject, 5) error(e, 0)",
       "bad argument #1 to 'tk.ShowObject' (Object ID 5 does not exist. id 5 does not exist)"},
      {"tk.LoadObject('torus.obj', 1000)", "snippet:1: bad argument #2 to 'LoadObject' "
                                           "(invalid Object ID 1000 : invalid ID 1000 greater or equals than 1000)"},
      {"tk.ShowObject(2^40)", "snippet:1: bad argument #1 to 'ShowObject' (Object ID 2147483647 does not exist. "
                              "invalid ID 2147483647 greater or equals than 1000)"},
      {"tk.LoadMusic('song.mp3', 60)",
       "snippet:1: bad argument #2 to 'LoadMusic' (invalid Music ID 60 : invalid ID 60 greater or equals than 50)"},
      {"tk.MusicVolume(3)", "snippet:1: bad argument #1 to 'MusicVolume' (Music ID 3 does not exist. "
                            "id 3 does not exist)"},
      {"tk.SetObjectSurfaces()",
       "snippet:1: bad argument #-1 to 'SetObjectSurfaces' (the function is not implemented)"},
      {"tk.SetFxEmitterColorGradient(1, 2)",
       "snippet:1: bad argument #-1 to 'SetFxEmitterColorGradient' (the function is not implemented)"},
      {"tk.LoadScene('missing.tscn', 0, 0, 0, 0, 0, 0, 0, 0, false, 'm')",
       "snippet:1: Failed to load scene 'missing.tscn': Failed to load scene file 'missing.tscn', "
       "error: No such file or directory"},
      {"tk.LoadScene('missing.tscn', 60, 0, 0, 0, 0, 0, 0, 0, false, 'm')",
       "snippet:1: Failed to load scene 'missing.tscn': Invalid Scene ID 60 (scene IDs are 0 to 59)"},
      {"tk.LoadScene('missing.tscn', -1, 0, 0, 0, 0, 0, 0, 0, false, 'm')",
       "snippet:1: Failed to load scene 'missing.tscn': Invalid Scene ID -1 (scene IDs are 0 to 59)"},
  });
  // A failure is raised once: the next command starts with an empty slot.
  EXPECT_EQ(run("tk.LightExist(0)"), "");
}

TEST_F(SetUpScriptTest, ArgumentsAreCheckedByTheInterpretersRules) {
  expect({
      {"tk.PositionObject(1, 'a', 2, 3)",
       "snippet:1: bad argument #2 to 'PositionObject' (number expected, got string)"},
      {"tk.PositionCamera(0, {}, 0)", "snippet:1: bad argument #2 to 'PositionCamera' (number expected, got table)"},
      {"tk.ShowObject()", "snippet:1: bad argument #1 to 'ShowObject' (number expected, got no value)"},
      {"tk.SetLightShadow(0, 1)", "snippet:1: bad argument #2 to 'SetLightShadow' (boolean expected, got number)"},
      {"tk.SetLightShadow(0, nil)", "snippet:1: bad argument #2 to 'SetLightShadow' (boolean expected, got nil)"},
      {"tk.ColorBackdrop('red')", "snippet:1: bad argument #1 to 'ColorBackdrop' (number expected, got string)"},
      {"tk.PathFilename('a/b.c', 0)", "snippet:1: bad argument #2 to 'PathFilename' (boolean expected, got number)"},
      {"tk.LoadScene('missing.tscn', 0, 0, 0, 0, 0, 0, 0, 0, 1, 'm')",
       "snippet:1: bad argument #10 to 'LoadScene' (boolean expected, got number)"},
      {"tk.SetLoadSceneCallback(5)",
       "snippet:1: bad argument #1 to 'SetLoadSceneCallback' (function expected, got number)"},
  });
  // Numbers given as text are numbers to the interpreter; optional arguments may be nil.
  EXPECT_EQ(run("tk.PositionCamera('1', '2.5', 3) tk.PathFilename('a/b.c', nil)"), "");
}

TEST_F(SetUpScriptTest, MethodSyntaxUsesTheInterpretersWording) {
  expect({
      {"tk:ShowObject(1)", "snippet:1: calling 'ShowObject' on bad self (number expected, got table)"},
      // With a method call the code stands one place further left: code 1 is the self.
      {"debug.setmetatable(0, {__index = tk}) "
       "local ok, e = pcall(function() return (1000):ShowObject() end) "
       "debug.setmetatable(0, nil) error(e, 0)",
       "snippet:1: calling 'ShowObject' on bad self (Object ID 1000 does not exist. "
       "invalid ID 1000 greater or equals than 1000)"},
      {"string.LoadObject = tk.LoadObject "
       "local ok, e = pcall(function() return ('torus.obj'):LoadObject(1000) end) "
       "string.LoadObject = nil error(e, 0)",
       "snippet:1: bad argument #1 to 'LoadObject' (invalid Object ID 1000 : "
       "invalid ID 1000 greater or equals than 1000)"},
      {"tk:SetObjectSurfaces()",
       "snippet:1: bad argument #-2 to 'SetObjectSurfaces' (the function is not implemented)"},
  });
}

TEST_F(SetUpScriptTest, ArrayArguments) {
  ASSERT_EQ(run("tk.LoadObject(" + torus() + ", 1)"), "");
  expect({
      {"tk.SetObjectMorph(1, {1, 2}, {0.5})", "snippet:1: bad argument #3 to 'SetObjectMorph' "
                                              "(the number of morphs(2) is not equals to the number of weights(1))"},
      {"local t = {} for i = 1, 61 do t[i] = i end tk.SetObjectMorph(1, t, t)",
       "snippet:1: Exceed buffer capacity 61>60"},
      {"tk.SetObjectMorph(1, {1}, {1, 'x'})",
       "snippet:1: invalid entry #2 in array argument #3 (expected number, got string)"},
      {"tk.SetObjectMorph(1, {1, nil, 3}, {1, 1, 1})",
       "snippet:1: invalid entry #2 in array argument #2 (expected number, got nil)"},
      {"tk.SetObjectMorph(1, 2, {})", "snippet:1: bad argument #2 to 'SetObjectMorph' (table expected, got number)"},
      {"tk.SetObjectMorph(1000, {1}, {0.5})", "snippet:1: bad argument #1 to 'SetObjectMorph' (Object ID 1000 "
                                              "does not exist. invalid ID 1000 greater or equals than 1000)"},
  });
  // Sixty entries fit; a static mesh takes morph weights without complaint.
  EXPECT_EQ(run("local t = {} for i = 1, 60 do t[i] = i end tk.SetObjectMorph(1, t, t)"), "");
  EXPECT_EQ(run("tk.SetObjectMorph(1, {}, {})"), "");
}

TEST_F(SetUpScriptTest, SurfaceCommandsCheckTheNameThenTheObject) {
  ASSERT_EQ(run("tk.LoadObject(" + torus() + ", 1)"), "");
  expect({
      {"tk.SetObjectSurfaceParamFloat(1, 0, 'Shininess', 1)",
       "snippet:1: bad argument #3 to 'SetObjectSurfaceParamFloat' (the parameter does not exist)"},
      {"tk.SetObjectSurfaceParamTex(1000, 0, 'basecolor', 'x.png')",
       "snippet:1: bad argument #3 to 'SetObjectSurfaceParamTex' (the parameter does not exist)"},
      {"tk.SetObjectSurfaceParamFloat3(1000, 0, 'BaseColor', 1, 1, 1)",
       "snippet:1: bad argument #1 to 'SetObjectSurfaceParamFloat3' (Object ID 1000 does not exist. "
       "invalid ID 1000 greater or equals than 1000)"},
      {"tk.SetObjectSurfaceParamInt(1, 0, 'VertexNormal', 1)",
       "snippet:1: bad argument #1 to 'SetObjectSurfaceParamInt' (Object ID 1 unexpected format (no node extension))"},
      {"tk.UpdateObjectFromSurfaces(1)",
       "snippet:1: bad argument #1 to 'UpdateObjectFromSurfaces' (Object ID 1 unexpected format (no node extension))"},
  });
}

TEST_F(SetUpScriptTest, JoinedTextUsesTheGlobalTostring) {
  const char* withTostring =
      "local saved = tostring tostring = function(v) return %s end "
      "local ok, e = pcall(tk.MessageBox, 'a', 1) tostring = saved if not ok then error(e, 0) end";
  char code[512];
  snprintf(code, sizeof code, withTostring, "{}");
  EXPECT_EQ(run(code), "'tostring' must return a string to 'Text'");
  snprintf(code, sizeof code, withTostring, "'<' .. type(v) .. '>'");
  EXPECT_EQ(run(code), "");
  EXPECT_EQ(run("tk.MessageBox('a', 1, nil, true) tk.MessageBox()"), "");
}

TEST_F(SetUpScriptTest, MissingMeshLeavesTheIdFree) {
  std::string full = eval("tk.PathFull('missing.obj')");
  EXPECT_EQ(run("tk.LoadObject('missing.obj', 3)"),
            "snippet:1: bad argument #1 to 'LoadObject' (Failed to load mesh '" + full + "')");
  EXPECT_EQ(eval("tk.ObjectExist(3)"), "false");
  // Loading into a used ID replaces what it held.
  EXPECT_EQ(run("tk.LoadObject(" + torus() + ", 3) tk.HideObject(3) tk.LoadObject(" + torus() + ", 3)"), "");
  EXPECT_EQ(eval("tk.ObjectExist(3), tk.ObjectVisible(3)"), "true true");
}

TEST_F(SetUpScriptTest, SetupMakesTheDefaultScene) {
  STkEngine& engine = tkEngine();
  EXPECT_EQ(engine.rideAnimator->commandedPosition(), irr::core::vector3df(0, 0, -5));
  EXPECT_EQ(eval("tk.LightExist(0), tk.LightVisible(0)"), "true true");
  EXPECT_EQ(engine.lights->get(0)->node->getLightType(), irr::video::ELT_DIRECTIONAL);
  EXPECT_EQ(engine.sceneManager->getAmbientLight().toSColor().color & 0xFFFFFF, 0x050505u);
  EXPECT_EQ(engine.clearColor.color & 0xFFFFFF, 0x001122u);
  // A second Setup starts afresh and makes the default scene again.
  ASSERT_EQ(run("tk.DeleteLight(0) tk.Setup(640, 480)"), "");
  EXPECT_EQ(eval("tk.LightExist(0), tk.ScreenWidth(), tk.ScreenHeight()"), "true 640 480");
}

TEST_F(SetUpScriptTest, ResultsOfQueries) {
  struct ValueCase {
    const char* expression;
    const char* values;
  };
  const ValueCase cases[] = {
      {"tk.IsSetup()", "true"},
      {"tk.RGB(256, 1, 2) == tk.RGB(0, 1, 2), tk.RGB(255, 0, 128)", "true 16711808"},
      {"tk.RGBf(1, 0.5, 0)", "16744192"},
      {"tk.PathFilename('a/b/c.tscn', false), tk.PathFilename('a/b/c.tscn')", "c c.tscn"},
      {"tk.ScreenWidth(), tk.ScreenHeight()", "1280 720"},
      {"tk.WindowMode(), tk.IsWindowActive(), tk.Run()", "false false true"},
      {"tk.KeyState(300), tk.KeyState(-1), tk.EscapeKey(), tk.EscapeKeyEverPressed()", "false false false false"},
      {"tk.MouseClick(), tk.MouseZ()", "0 0"},
      {"tk.FileExist('nothing-here.txt')", "false"},
      {"tk.SceneExist(0), tk.SceneExist(60), tk.SceneTotalObjects(3), tk.SceneAnimTimeEnd(3)", "false false -1 0"},
      {"tk.ObjectExist(1), tk.MusicExist(0)", "false false"},
      {"tk.PositionToScreen(0, 0, 50)", "640 360"},
      {"select('#', tk.Sync()), select('#', tk.HideWindow())", "0 0"},
      {"type(tk.Timer()), tk.Timer() >= 0", "number true"},
  };
  for (const ValueCase& c : cases) EXPECT_EQ(eval(c.expression), c.values) << c.expression;
}

TEST_F(SetUpScriptTest, EngineSwitchesAndFades) {
  ASSERT_EQ(run("tk.RenderSetDebug(3) tk.HasPrecalcRenderTargets(false) tk.Sleep(-5) tk.RenderDummy()"), "");
  EXPECT_EQ(rendering().context->getFrameSettings().debugView, 3u);
  EXPECT_TRUE(renderedTexturesExist());
  ASSERT_EQ(run("tk.FadeIn(500, 0x102030)"), "");
  EXPECT_TRUE(faderActive());
  ASSERT_EQ(run("tk.StopFade()"), "");
  EXPECT_FALSE(faderActive());
  EXPECT_EQ(run("tk.FadeOut(500, 'black')"), "snippet:1: bad argument #2 to 'FadeOut' (number expected, got string)");
}

TEST_F(SetUpScriptTest, TermEndsTheEngineForTheScript) {
  EXPECT_EQ(run("tk.Term() tk.ShowObject(1)"), "snippet:1: calling 'ShowObject' without Setup first");
  EXPECT_EQ(eval("tk.IsSetup()"), "false");
  EXPECT_FALSE(tkEngineSetUp());
}

}  // namespace
}  // namespace tk
