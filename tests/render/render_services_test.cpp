#include "render/render_services.h"

#include "tests/api/commands_fixture.h"

namespace tk {
namespace {

using RenderServicesTest = test::EngineCommandsTest;

TEST_F(RenderServicesTest, VisibleWalkSkipsHiddenSubtreesLightsAndCameras) {
  irr::scene::ISceneManager* scenes = tkEngine().sceneManager;
  irr::scene::ISceneNode* shown = scenes->addEmptySceneNode();
  irr::scene::ISceneNode* child = scenes->addEmptySceneNode(shown);
  irr::scene::ISceneNode* hidden = scenes->addEmptySceneNode();
  hidden->setVisible(false);
  scenes->addEmptySceneNode(hidden);
  irr::scene::ILightSceneNode* topLight = scenes->addLightSceneNode();
  irr::scene::ISceneNode* underLight = scenes->addEmptySceneNode(topLight);
  irr::scene::ILightSceneNode* nestedLight = scenes->addLightSceneNode(shown);
  scenes->addEmptySceneNode(nestedLight);
  CTkRenderServices services(tkEngine().device);
  std::vector<irr::scene::ISceneNode*> nodes;
  services.collectVisibleNodes(&nodes);
  EXPECT_EQ(nodes, (std::vector<irr::scene::ISceneNode*>{shown, child, underLight}));
}

// The frame's one walk fills every list as the separate operations do.
TEST_F(RenderServicesTest, OneWalkFillsTheListsOfTheSeparateOperations) {
  irr::scene::ISceneManager* scenes = tkEngine().sceneManager;
  irr::scene::ISceneNode* cube = scenes->addCubeSceneNode(1, nullptr, -1, {0, 0, 5});
  scenes->addCubeSceneNode(1, cube, -1, {1, 0, 0});
  irr::scene::ILightSceneNode* nestedLight = scenes->addLightSceneNode(cube);
  scenes->addCubeSceneNode(1, nestedLight);
  scenes->addLightSceneNode();
  scenes->addParticleSystemSceneNode(false, cube);
  irr::scene::ISceneNode* hidden = scenes->addCubeSceneNode();
  hidden->setVisible(false);
  scenes->addLightSceneNode(hidden);
  scenes->addCubeSceneNode(1, nullptr, -1, {0, 0, -50});  // behind the camera
  scenes->getActiveCamera()->render();
  scenes->getRootSceneNode()->OnAnimate(0);
  CTkRenderServices services(tkEngine().device);
  STkFrameNodeLists lists;
  services.collectFrameLists(&lists);
  std::vector<irr::scene::ISceneNode*> expected;
  services.getLightList(&expected);
  EXPECT_EQ(lists.lights, expected);
  EXPECT_EQ(lists.lights.size(), 2u);
  services.getSolidList(&expected);
  EXPECT_EQ(lists.solid, expected);
  services.getTransparentList(&expected);
  EXPECT_EQ(lists.transparent, expected);
  services.getTransparentEffectList(&expected);
  EXPECT_EQ(lists.transparentEffect, expected);
  EXPECT_EQ(lists.transparentEffect.size(), 1u);
  services.collectVisibleNodes(&expected);
  EXPECT_EQ(lists.visible, expected);
}

}  // namespace
}  // namespace tk

#include "effects/runtime/effect_manager.h"
#include "effects/runtime/effect_tech_lookup.h"
#include "render/tk_manager.h"
#include "tests/effects/binds/surface_fakes.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

// The null driver's own materials are all opaque: this one is not.
struct SeeThroughMaterial : irr::video::IMaterialRenderer {
  bool isTransparent() const override { return true; }
};

// Node lists over two cubes and a transparent one, with fake extensions.
class NodeListTest : public test::EngineCommandsTest {
 protected:
  void SetUp() override {
    test::EngineCommandsTest::SetUp();
    irr::scene::ISceneManager* scenes = tkEngine().sceneManager;
    first = scenes->addCubeSceneNode();
    second = scenes->addCubeSceneNode();
    glass = scenes->addCubeSceneNode();
    auto* seeThrough = new SeeThroughMaterial();
    glass->getMaterial(0).MaterialType =
        static_cast<irr::video::E_MATERIAL_TYPE>(tkEngine().driver->addMaterialRenderer(seeThrough));
    seeThrough->drop();
    firstExt.selectionMask = 1;
    secondExt.selectionMask = 2;
    lookup.extensions = {{first, &firstExt}, {second, &secondExt}, {glass, &glassExt}};
    lookupTechniques = tkEngine().manager->getTechLookup();
    STkRenderServicesSetup setup;
    setup.device = tkEngine().device;
    setup.videoDriverExt = &extension;
    setup.nodeExtensions = &lookup;
    setup.techLookup = lookupTechniques;
    setup.sceneManager = tkEngine().manager->getSceneManager();
    services = std::make_unique<CTkRenderServices>(setup);
  }
  void TearDown() override {
    services.reset();
    test::EngineCommandsTest::TearDown();
  }
  int draw(const STkNodeListDraw& how) { return services->drawNodeList({first, second, glass}, how); }

  irr::scene::ISceneNode *first = nullptr, *second = nullptr, *glass = nullptr;
  test::FakeNodeExt firstExt, secondExt, glassExt;
  test::FakeLookup lookup;
  test::BlendFactorRecorder extension;
  CTkEffectTechLookup* lookupTechniques = nullptr;
  std::unique_ptr<CTkRenderServices> services;
};

TEST_F(NodeListTest, SetsAndPassesChooseTheNodesDrawn) {
  struct Case {
    irr::scene::E_SCENE_NODE_RENDER_PASS pass;
    irr::u32 hide, show;
    int drawn;
  };
  const Case cases[] = {
      {irr::scene::ESNRP_SOLID, 0, 0, 2},       {irr::scene::ESNRP_TRANSPARENT, 0, 0, 1},
      {irr::scene::ESNRP_SOLID, 0, 1, 1},       {irr::scene::ESNRP_SOLID, 1, 0, 1},
      {irr::scene::ESNRP_SOLID, 0, 4, 0},       {irr::scene::ESNRP_SOLID, 3, 0, 0},
  };
  for (const Case& c : cases) {
    STkNodeListDraw how;
    how.pass = c.pass;
    how.hideSet = c.hide;
    how.showSet = c.show;
    EXPECT_EQ(c.drawn, draw(how)) << c.pass << " hide " << c.hide << " show " << c.show;
  }
  EXPECT_EQ(0, services->drawNodeList({}, STkNodeListDraw()));
  EXPECT_EQ(irr::scene::ESNRP_NONE, tkEngine().manager->getSceneManager()->currentRenderPass());
}

TEST_F(NodeListTest, ATechniqueDrawsOnlyMaterialsThatHaveIt) {
  STkNodeListDraw how;
  how.technique = "unknownTechnique";
  EXPECT_EQ(0, draw(how));
  const int glow = lookupTechniques->registerTechnique("glow");
  secondExt.techniquePaths = {{0, glow}};
  how.technique = "glow";
  EXPECT_EQ(1, draw(how));
  EXPECT_EQ(std::vector<int>{0}, secondExt.selected);
  EXPECT_EQ(1, firstExt.restores);  // asked, had none, put back all the same
  EXPECT_EQ(1, secondExt.restores);
}

TEST_F(NodeListTest, SeparateAlphaFollowsThePassAndRefusesUnknownModes) {
  STkNodeListDraw how;
  how.pass = irr::scene::ESNRP_TRANSPARENT;
  draw(how);
  ASSERT_EQ(1u, extension.factors.size());  // the constant factor, 0, stands for source alpha
  EXPECT_EQ(0u, extension.factors[0].color);
  how.separateAlpha = 7;
  setLogThreshold(LOG_ERROR);
  std::string printed;
  {
    test::CapturedStdout out;
    draw(how);
    printed = out.take();
  }
  EXPECT_NE(printed.find("CTkRenderServices::enableSeparateAlphaBlend  unsupported separate alpha = 7"),
            std::string::npos);
}

}  // namespace
}  // namespace tk
