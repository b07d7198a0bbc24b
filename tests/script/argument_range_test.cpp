// Script numbers at and beyond the ends of every range, through real commands:
// NaN is refused like a value of the wrong type, and every other extreme lands
// on the same end of the range whatever its size, so IDs and times from a
// script can neither wrap around nor overflow inside the engine.
#include "tests/script/script_fixture.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

struct ErrorCase {
  const char* code;
  const char* error;  // "" when the snippet runs to its end
};

class ArgumentRangeTest : public test::ScriptTest {
 protected:
  void SetUp() override {
    test::ScriptTest::SetUp();
    ASSERT_EQ(run("tk.Setup(320, 240)"), "");
  }
  void expect(std::initializer_list<ErrorCase> cases) {
    for (const ErrorCase& c : cases) EXPECT_EQ(run(c.code), c.error) << c.code;
  }
  // The scene's meshes are found from the current folder, as a script finds them.
  std::string rings() {
    EXPECT_EQ(run("tk.SetDir('" + example("scenes/rings") + "')"), "");
    return "'rings.tscn'";
  }
};

TEST_F(ArgumentRangeTest, NanIsRefusedInEveryNumericKind) {
  expect({
      {"tk.ShowObject(0/0)", "snippet:1: bad argument #1 to 'ShowObject' (number expected, got nan)"},
      {"tk.PositionCamera(0, 0/0, 0)", "snippet:1: bad argument #2 to 'PositionCamera' (number expected, got nan)"},
      {"tk.ColorBackdrop(-(0/0))", "snippet:1: bad argument #1 to 'ColorBackdrop' (number expected, got nan)"},
      {"tk.SetObjectMorph(1, {1, 0/0}, {1, 1})",
       "snippet:1: invalid entry #2 in array argument #2 (expected number, got nan)"},
      {"tk.SetEffectConstantFloatN(1, 'v', 1, 2, 0/0)",
       "snippet:1: bad argument #5 to 'SetEffectConstantFloatN' (number expected, got nan)"},
      {"tk.Setup(0/0)", "snippet:1: bad argument #1 to 'Setup' (number expected, got nan)"},
      // Arguments are read before the command runs: nothing of it happened.
      {"tk.AnimateScene(0, 0/0)", "snippet:1: bad argument #2 to 'AnimateScene' (number expected, got nan)"},
  });
  EXPECT_EQ(eval("tk.IsSetup()"), "true");
}

TEST_F(ArgumentRangeTest, ExtremesOfAnySizeLandOnTheSameEndOfTheRange) {
  const char* high = "snippet:1: bad argument #1 to 'ShowObject' (Object ID 2147483647 does not exist. "
                     "invalid ID 2147483647 greater or equals than 1000)";
  const char* low = "snippet:1: bad argument #1 to 'ShowObject' (Object ID -2147483648 does not exist. "
                    "invalid negative ID -2147483648)";
  expect({
      {"tk.ShowObject(2^31)", high},
      {"tk.ShowObject(2^53)", high},
      {"tk.ShowObject(2^63)", high},
      {"tk.ShowObject(math.huge)", high},
      {"tk.ShowObject(-2^31 - 1)", low},
      {"tk.ShowObject(-2^63)", low},
      {"tk.ShowObject(-math.huge)", low},
      {"tk.ShowObject(-0.5)", "snippet:1: bad argument #1 to 'ShowObject' (Object ID 0 does not exist. "
                              "id 0 does not exist)"},
  });
  // Infinite coordinates and colours are held to the largest finite values.
  expect({
      {"tk.PositionCamera(math.huge, -math.huge, 2^1000) tk.SetCameraRange(1, math.huge) tk.Sync()", ""},
      {"tk.ColorBackdrop(math.huge) tk.ColorAmbientLight(-math.huge) tk.Sync()", ""},
      {"tk.FadeIn(-2^31, 2^40) tk.Sync() tk.FadeOut(math.huge, -1) tk.Sync() tk.StopFade()", ""},
      {"tk.Sleep(-math.huge) tk.RGBf(math.huge, -math.huge, 2^100)", ""},
  });
  EXPECT_EQ(tkEngine().clearColor.color, 0xFFFFFFFFu);
}

TEST_F(ArgumentRangeTest, SceneTimesAndIdsAtTheEndsOfTheirRanges) {
  ASSERT_EQ(run("tk.LoadScene(" + rings() + ", 1, 100, 100, 0, 0, 0, 0, 0, false, 'rings') tk.ShowScene(1)"), "");
  expect({
      {"tk.AnimateSceneObject(1, 1, -2^31)",
       "snippet:1: bad argument #3 to 'AnimateSceneObject' (Invalid Object ID -2147483648)"},
      {"tk.AnimateSceneObject(1, 1, 2^31 - 1)",
       "snippet:1: bad argument #3 to 'AnimateSceneObject' (Invalid Object ID 2147483647)"},
      {"tk.AnimateSceneObject(1, -2^31, 100) tk.AnimateSceneObject(1, math.huge, 100)", ""},
      {"for _, t in ipairs({-2^31, -1, 2^31 - 1, 2^63, -math.huge}) do "
       "tk.AnimateScene(1, t) tk.AnimateSceneProcessing(1, t) tk.AnimateSceneCameraShaders(1, t) tk.Sync() end",
       ""},
      {"tk.AnimateScene(2^40, 0)", "snippet:1: bad argument #2 to 'AnimateScene' (Invalid Scene ID 2147483647)"},
  });
  // Bases at the end of the ID range: the items cannot be made, and nothing wraps around to a valid ID.
  std::string edge = "tk.LoadScene(" + rings() + ", 2, 2^31 - 2, 2^31 - 1, 2^31, 2^31, 2^31, 0, 2^31, false, 'edge') ";
  std::string error;
  {
    test::CapturedStdout quiet;
    error = run("pcall(function() " + edge + " end) tk.ShowScene(2) tk.AnimateScene(2, 1000) tk.Sync() tk.DeleteScene(2)");
  }
  EXPECT_EQ(error, "");
  EXPECT_EQ(eval("tk.ObjectExist(0), tk.ObjectExist(1), tk.LightExist(0)"), "false false true");
}

}  // namespace
}  // namespace tk
