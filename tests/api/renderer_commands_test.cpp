// Command renderers by ID on the null driver: creation and its failures, the
// current renderer, and the renderer a scene makes, shows, hides and deletes.
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "api/effect_commands.h"
#include "api/engine_items.h"
#include "api/light_commands.h"
#include "api/renderer_commands.h"
#include "base/files/file_layer.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "tests/api/effect_fixture.h"
#include "tests/support/runtime_base_directory.h"

namespace tk {
namespace {

STkRenderCommandRecord record(const char* type, std::vector<RenderConnection> outputs,
                              std::vector<RenderParameter> parameters = {}) {
  STkRenderCommandRecord r;
  r.name = "c";
  r.cmd = type;
  r.outputs = std::move(outputs);
  r.parameters = std::move(parameters);
  return r;
}

RenderParameter parameter(const char* name, int kind, int value) {
  RenderParameter p;
  p.name = name;
  p.kind = kind;
  p.integer = value;
  return p;
}

const std::vector<STkRenderCommandRecord> kClearList = {record("Clear", {{"Color0", "Display"}})};

class RendererCommandsTest : public test::EffectCommandsTest {
 protected:
  // The advanced context, as the engine makes it on OpenGL with the light pre-pass on.
  void installAdvancedContext() {
    CTkManager* manager = tkEngine().manager;
    ASSERT_TRUE(manager->getRendererManager()->createRenderTargets(12));
    test::RuntimeBaseDirectory runtime;
    context = manager->getRendererManager()->createRendererCtxAdv(manager->getRenderServices(), manager->getEffectManager(), ctxAdvFiles(false));
    ASSERT_TRUE(context);
    rendering().advancedContext = context;
  }
  void TearDown() override {
    // Renderers still alive hold their own references.
    rendering().advancedContext = nullptr;
    if (context) context->drop();
    EffectCommandsTest::TearDown();
  }
  CTkRendererCtxAdv* context = nullptr;
};

TEST_F(RendererCommandsTest, CreationFailuresLeaveTheIdFree) {
  setLogThreshold(LOG_ERROR);
  {
    test::CapturedStdout out;
    EXPECT_EQ(tkCreateRenderer(3, 0, 0, kClearList), -1);
    EXPECT_NE(out.take().find("Failed to create renderer, context not avaiable"), std::string::npos);
    EXPECT_FALSE(tkRendererExist(3));
  }
  installAdvancedContext();
  ASSERT_EQ(LoadEffect(effectPath.c_str(), 40), 0);
  struct Case {
    int id;
    std::vector<STkRenderCommandRecord> list;
    std::vector<std::string> messages;
  } cases[] = {
      {1000, kClearList, {"invalid Renderer ID 1000 : "}},
      {-1, kClearList, {"invalid Renderer ID -1 : "}},
      {3, {record("Copy", {{"Color0", "Display"}})},
       {"CTkRendererCmds command 'Copy' is not supported", "Failed to create renderer"}},
      {3, {record("Render Objects", {{"Color0", "Display"}}, {parameter("RenderList", RP_INTEGER, 7)})},
       {"Missing node list of command 'c' ", "Failed to create renderer"}},
  };
  for (const Case& c : cases) {
    test::CapturedStdout out;
    EXPECT_EQ(tkCreateRenderer(c.id, 39, 5, c.list), -1) << c.messages.front();
    const std::string printed = out.take();
    for (const std::string& message : c.messages) EXPECT_NE(printed.find(message), std::string::npos) << printed;
    EXPECT_FALSE(tkRendererExist(c.id));
  }
  // The ID is free again: a good list takes it; a second creation under it is refused.
  ASSERT_EQ(tkCreateRenderer(3, 39, 5, {record("Shader", {{"Color0", "Display"}}, {parameter("Shader", RP_EFFECT, 1)})}),
            0);
  test::CapturedStdout out;
  EXPECT_EQ(tkCreateRenderer(3, 39, 5, kClearList), -1);
  EXPECT_NE(out.take().find("invalid Renderer ID 3 : id 3 already exist"), std::string::npos);
  EXPECT_TRUE(tkRendererExist(3));
}

// A parameter naming an effect or a light that does not exist is reported and
// left out; the command is built without it.
TEST_F(RendererCommandsTest, ParametersNamingMissingItemsAreLeftOut) {
  setLogThreshold(LOG_ERROR);
  installAdvancedContext();
  const std::pair<STkRenderCommandRecord, std::string> cases[] = {
      {record("Shader", {{"Color0", "Display"}}, {parameter("Shader", RP_EFFECT, 2)}),
       "Renderer Command : missing effect for param 'Shader'"},
      {record("Render Objects", {{"Color0", "Display"}},
              {parameter("RenderList", RP_INTEGER, 0), parameter("ViewNode", RP_LIGHT, 2)}),
       "Renderer Command : missing light 7 for param 'ViewNode'"},
  };
  for (const auto& [command, message] : cases) {
    test::CapturedStdout out;
    EXPECT_EQ(tkCreateRenderer(3, 39, 5, {command}), 0) << message;
    const std::string printed = out.take();
    EXPECT_NE(printed.find(message), std::string::npos) << printed;
    EXPECT_EQ(printed.find("Failed to create renderer"), std::string::npos) << printed;
    ASSERT_TRUE(tkRendererExist(3));
    getRenderer(3)->render(nullptr);  // draws what it has: nothing for the shader without its effect
    tkDeleteRenderer(3);
  }
}

TEST_F(RendererCommandsTest, CurrentRendererFollowsSetAndDelete) {
  installAdvancedContext();
  ITkRenderer* fallback = rendering().defaultRenderer;
  ASSERT_EQ(tkCreateRenderer(1, 0, 0, kClearList), 0);
  ASSERT_EQ(tkCreateRenderer(2, 0, 0, kClearList), 0);
  EXPECT_EQ(rendering().currentRenderer, fallback);
  tkSetRenderer(1);
  EXPECT_EQ(rendering().currentRenderer, getRenderer(1));
  tkSetRenderer(9);  // no renderer there: nothing changes
  EXPECT_EQ(rendering().currentRenderer, getRenderer(1));
  tkDeleteRenderer(2);  // not current: stays
  EXPECT_EQ(rendering().currentRenderer, getRenderer(1));
  EXPECT_FALSE(tkRendererExist(2));
  tkSetDefaultRenderer();
  EXPECT_EQ(rendering().currentRenderer, fallback);
  tkSetRenderer(1);
  tkDeleteRenderer(1);
  EXPECT_EQ(rendering().currentRenderer, fallback);
  EXPECT_FALSE(tkRendererExist(1));
}

// A "Render Objects" command seen from a light keeps the light alive after
// the light's ID is deleted, and draws nothing while the light is out of the scene.
TEST_F(RendererCommandsTest, ViewFromALightHoldsTheLight) {
  installAdvancedContext();
  ASSERT_EQ(MakeLight(7), 0);
  irr::scene::ILightSceneNode* light = tkEngine().lights->get(7)->node;
  const irr::s32 before = light->getReferenceCount();
  ASSERT_EQ(tkCreateRenderer(1, 0, 7,
                             {record("Render Objects", {{"Color0", "Display"}},
                                     {parameter("RenderList", RP_INTEGER, 0), parameter("View", RP_INTEGER, 2),
                                      parameter("ViewNode", RP_LIGHT, 0)})}),
            0);
  EXPECT_EQ(light->getReferenceCount(), before + 1);
  light->grab();  // to look at it after the light is deleted
  DeleteLight(7);
  EXPECT_EQ(light->getParent(), nullptr);
  getRenderer(1)->render(nullptr);
  tkDeleteRenderer(1);
  EXPECT_EQ(light->getReferenceCount(), 1);
  light->drop();
}

class SceneRendererTest : public RendererCommandsTest {
 protected:
  // A scene with one light, one renderer shader and a list of Clear, Shader
  // and Render Objects seen from the light.
  std::string writeScene(const std::string& extraCommand = "") {
    std::string text =
        "{ Scene\n{ SceneInfo\nframeStart I4 0\nframeEnd I4 40\nframesPerSecond FP 10\n}\n"
        "{ Lights\n{ Light\nname STR Key\ntype I4 1\n}\n}\n"
        "{ TeskRenderCommands\n{ Commands\n"
        "{ C\nname STR clear\ncmd STR Clear\n{ Outputs\n{ O\nname STR Color0\nvalue STR Display\n}\n}\n}\n"
        "{ C\nname STR fog\ncmd STR Shader\n{ Outputs\n{ O\nname STR Color0\nvalue STR Display\n}\n}\n"
        "{ Parameters\n{ P\nname STR Shader\n{ Effect\nfilename STR " +
        effectPath +
        "\n{ Parameters\n{ Gain\nvalue FP_C DAT 5 1 10 20 30 40\n}\n}\n}\n}\n}\n}\n"
        "{ C\nname STR seen\ncmd STR Render Objects\n{ Outputs\n{ O\nname STR Color0\nvalue STR Display\n}\n}\n"
        "{ Parameters\n{ P\nname STR RenderList\nvalue I4 0\n}\n{ P\nname STR View\nvalue I4 2\n}\n"
        "{ P\nname STR ViewSelect\nvalue STR Key\n}\n}\n}\n" +
        extraCommand + "}\n}\n}\n";
    return folder.write("r.tscn", text);
  }
  int load(const std::string& file, int sceneId) {
    SceneBases bases;
    bases.light = 20;
    bases.renderer = 4;
    bases.effect = 50;
    return loadScene(file.c_str(), sceneId, bases, false, "s", false);
  }
  static float gain() {
    float value = 0;
    getEffect(50)->getFloatArray(getEffect(50)->getParameterIndex("Gain"), &value, 1);
    return value;
  }
};

TEST_F(SceneRendererTest, ShownHiddenAnimatedAndDeletedWithItsScene) {
  installAdvancedContext();
  ITkRenderer* fallback = rendering().defaultRenderer;
  ASSERT_EQ(load(writeScene(), 1), 0) << failure();
  ASSERT_TRUE(tkRendererExist(4));
  ASSERT_TRUE(EffectExist(50));
  EXPECT_EQ(gain(), 1.0f);
  EXPECT_EQ(rendering().currentRenderer, fallback);  // a loaded scene starts hidden
  ShowScene(1);
  EXPECT_EQ(rendering().currentRenderer, getRenderer(4));
  AnimateScene(1, 250);
  EXPECT_FLOAT_EQ(gain(), 25.0f);
  getRenderer(4)->render(nullptr);
  HideScene(1);
  EXPECT_EQ(rendering().currentRenderer, fallback);

  // Hiding a scene leaves another scene's renderer current.
  ShowScene(1);
  tkSetDefaultRenderer();
  ASSERT_EQ(tkCreateRenderer(8, 0, 0, kClearList), 0);
  tkSetRenderer(8);
  HideScene(1);
  EXPECT_EQ(rendering().currentRenderer, getRenderer(8));
  tkDeleteRenderer(8);

  ShowScene(1);
  DeleteScene(1);
  EXPECT_EQ(rendering().currentRenderer, fallback);
  EXPECT_FALSE(tkRendererExist(4));
  EXPECT_FALSE(EffectExist(50));
}

// The fuzz corpus' scene of every command type (scene textures, shared
// sets, a Shader with its own effect, a view from a light, the pass-through
// commands, Post Processing to the display) sets up and draws.
TEST_F(SceneRendererTest, EveryCommandTypeOfTheCorpusSceneSetsUpAndDraws) {
  installAdvancedContext();
  std::ifstream corpus(TESK_SOURCE_DIR "/fuzz/engine/corpus/scene_load/render_commands.tscn");
  std::stringstream text;
  text << corpus.rdbuf();
  folder.write("scene.tscn", text.str());
  folder.write("own.fx", test::kCommandEffectSource);
  fileLayer().setDirectory(folder.path().c_str());
  SceneBases bases;
  bases.renderer = 4;
  ASSERT_EQ(loadScene("scene.tscn", 1, bases, false, "corpus", false), 0) << failure();
  ASSERT_TRUE(tkRendererExist(4));
  ShowScene(1);
  for (int t : {0, 600, 100}) {
    AnimateScene(1, t);
    rendering().currentRenderer->render(nullptr);
  }
  EXPECT_EQ(failure(), "");
  DeleteScene(1);
}

// The corpus' scenes of faulty command lists. A list naming a light the scene
// does not have fails the load with its text; any other fault (an effect file
// that cannot be loaded included) is reported when the list is made, set up or
// drawn, and the scene loads, draws (under the default renderer when the list
// could not be set up) and goes without a trace.
TEST_F(SceneRendererTest, TheCorpusScenesOfFaultyListsReportTheirFault) {
  installAdvancedContext();
  setLogThreshold(LOG_ERROR);
  const struct {
    const char* seed;
    const char* loadError;  // null: the scene loads
    bool rendererMade;
  } cases[] = {
      {"bad_unknown_command", nullptr, false},
      {"bad_render_list_seven", nullptr, false},
      {"bad_set_missing_member", nullptr, false},
      {"bad_invalid_slot_names", nullptr, false},
      {"bad_own_source_post", nullptr, true},
      {"bad_missing_light", "Renderer: cannot find light for Render Objects", false},
      {"bad_missing_effect", nullptr, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seed);
    std::ifstream corpus(std::string(TESK_SOURCE_DIR "/fuzz/engine/corpus/scene_load/") + c.seed + ".tscn");
    std::stringstream text;
    text << corpus.rdbuf();
    ASSERT_FALSE(text.str().empty());
    folder.write("scene.tscn", text.str());
    fileLayer().setDirectory(folder.path().c_str());
    SceneBases bases;
    bases.renderer = 4;
    int loaded = -1;
    std::string log;
    {
      test::CapturedStdout out;
      loaded = loadScene("scene.tscn", 1, bases, false, "corpus", false);
      log = out.take();
    }
    if (c.loadError) {
      EXPECT_NE(loaded, 0);
      EXPECT_NE(failure().find(c.loadError), std::string::npos) << failure();
      EXPECT_FALSE(tkRendererExist(4));
      continue;
    }
    ASSERT_EQ(loaded, 0) << failure();
    EXPECT_EQ(tkRendererExist(4), c.rendererMade);
    {
      test::CapturedStdout out;
      ShowScene(1);
      AnimateScene(1, 100);
      rendering().currentRenderer->render(nullptr);
      log += out.take();
    }
    EXPECT_NE(log.find("ERROR"), std::string::npos);
    DeleteScene(1);
    EXPECT_FALSE(tkRendererExist(4));
    EXPECT_EQ(rendering().currentRenderer, rendering().defaultRenderer);
  }
}

TEST_F(SceneRendererTest, ASceneWhoseRendererFailsLoadsUnderTheDefault) {
  installAdvancedContext();
  setLogThreshold(LOG_ERROR);
  const std::string bad[] = {
      "{ C\nname STR odd\ncmd STR Copy\n}\n",
      "{ C\nname STR few\ncmd STR Shader\n{ Inputs\n{ I\nname STR s0\nvalue STR Ping[]\n}\n}\n}\n",
  };
  for (const std::string& command : bad) {
    test::CapturedStdout out;
    ASSERT_EQ(load(writeScene(command), 1), 0) << failure();
    EXPECT_NE(out.take().find("Failed to create renderer"), std::string::npos);
    EXPECT_FALSE(tkRendererExist(4));
    ShowScene(1);
    EXPECT_EQ(rendering().currentRenderer, rendering().defaultRenderer);
    DeleteScene(1);
    EXPECT_FALSE(EffectExist(50));
  }
  // The scene's renderer ID already holds another renderer: the scene keeps
  // away from it when shown, hidden or deleted.
  ASSERT_EQ(tkCreateRenderer(4, 0, 0, kClearList), 0);
  ITkRenderer* other = getRenderer(4);
  {
    test::CapturedStdout out;
    ASSERT_EQ(load(writeScene(), 1), 0) << failure();
    EXPECT_NE(out.take().find("invalid Renderer ID 4 : id 4 already exist"), std::string::npos);
  }
  ShowScene(1);
  EXPECT_EQ(rendering().currentRenderer, rendering().defaultRenderer);
  tkSetRenderer(4);
  HideScene(1);
  DeleteScene(1);
  EXPECT_EQ(getRenderer(4), other);
  EXPECT_EQ(rendering().currentRenderer, other);
}

}  // namespace
}  // namespace tk
