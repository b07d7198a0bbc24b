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

}  // namespace
}  // namespace tk
