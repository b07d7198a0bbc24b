// The scene-load progress function of a script: called through a protected
// call from inside the loader, its errors raised by LoadScene afterwards.
#include "tests/script/script_fixture.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

class SceneCallbackTest : public test::ScriptTest {
 protected:
  void SetUp() override {
    test::ScriptTest::SetUp();
    ASSERT_EQ(run("tk.Setup(320, 240) tk.SetDir('" + example("scenes/orbit") + "')"), "");
  }
  // Loads the example scene (four objects) into scene 1 with the given callback.
  std::string loadOrbit(const std::string& callback) {
    return run("seen = {} tk.SetLoadSceneCallback(" + callback +
               ") tk.LoadScene('orbit.tscn', 1, 10, 10, 0, 0, 0, 0, 0, false, 'orbit')");
  }
};

TEST_F(SceneCallbackTest, ReceivesEachProgressStep) {
  ASSERT_EQ(loadOrbit("function(p) seen[#seen + 1] = p end"), "");
  EXPECT_EQ(eval("table.concat(seen, ',')"), "0,0,25,50,75");
  EXPECT_EQ(eval("tk.SceneExist(1), tk.SceneTotalObjects(1), tk.SceneFps(1), tk.SceneAnimTimeEnd(1)"),
            "true 4 25 10000");
  // The loaded scene starts hidden; commands drive it like any other.
  EXPECT_EQ(eval("tk.ObjectVisible(10)"), "false");
  EXPECT_EQ(run("tk.ShowScene(1) tk.AnimateScene(1, 2500) tk.Sync()"), "");
  EXPECT_EQ(eval("tk.ObjectVisible(10)"), "true");
}

TEST_F(SceneCallbackTest, CommandsInsideTheCallbackWork) {
  ASSERT_EQ(loadOrbit("function(p) tk.Sync() seen[#seen + 1] = tk.SceneExist(1) end"), "");
  EXPECT_EQ(eval("#seen, seen[1]"), "5 false");
}

TEST_F(SceneCallbackTest, ErrorInsideTheCallbackEndsLoadSceneWithIt) {
  std::string error = loadOrbit("function(p) seen[#seen + 1] = p if p == 25 then error('boom') end end");
  EXPECT_EQ(error, "snippet:1: boom");
  // The loader finished the scene; the failing function was not called again.
  EXPECT_EQ(eval("table.concat(seen, ','), tk.SceneExist(1), tk.SceneTotalObjects(1)"), "0,0,25 true 4");
  EXPECT_EQ(run("tk.HideScene(1)"), "");
  // Any error value comes through as it was raised.
  EXPECT_EQ(run("tk.SetLoadSceneCallback(function() error({code = 7}) end) "
                "local ok, e = pcall(tk.LoadScene, 'orbit.tscn', 2, 20, 20, 0, 0, 0, 0, 0, false, 'orbit') "
                "assert(not ok and e.code == 7)"),
            "");
}

TEST_F(SceneCallbackTest, EngineAndScenesCannotBePulledAwayWhileLoading) {
  const char* refused[][2] = {
      {"tk.Term()", "snippet:1: 'Term' cannot be called while a scene loads"},
      {"tk.Setup()", "snippet:1: 'Setup' cannot be called while a scene loads"},
      {"tk.DeleteScene(1)", "snippet:1: 'DeleteScene' cannot be called while a scene loads"},
      {"tk.LoadScene('orbit.tscn', 1, 0, 0, 0, 0, 0, 0, 0, false, 'x')",
       "snippet:1: 'LoadScene' cannot be called while a scene loads"},
  };
  for (auto& r : refused) {
    std::string callback = std::string("function(p) if p == 50 then ") + r[0] + " end end";
    EXPECT_EQ(loadOrbit(callback), r[1]) << r[0];
    EXPECT_EQ(eval("tk.IsSetup(), tk.SceneExist(1), tk.SceneTotalObjects(1)"), "true true 4") << r[0];
  }
}

TEST_F(SceneCallbackTest, FailuresTheLoaderRecordedSurviveTheCallback) {
  test::TempFolder folder;
  folder.write("broken.tscn",
               "{ Scene\n{ Objects\n{ Object\ntfilename STR missing-one.obj\n}\n{ Object\n"
               "tfilename STR missing-two.obj\n}\n}\n}\n");
  std::string load = "tk.LoadScene('" + folder.path() + "/broken.tscn', 3, 30, 30, 0, 0, 0, 0, 0, false, 'b')";
  std::string without = run(load);
  ASSERT_NE(without, "");
  EXPECT_EQ(run("tk.DeleteScene(3) tk.SetLoadSceneCallback(function() tk.Timer() pcall(tk.ShowObject, 999) end) " + load),
            without);
}

}  // namespace
}  // namespace tk
