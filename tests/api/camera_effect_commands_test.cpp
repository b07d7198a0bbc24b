#include "api/camera_effect_commands.h"

#include "api/effect_commands.h"
#include "api/render_frame.h"
#include "render/renderer_start.h"
#include "tests/api/effect_fixture.h"

namespace tk {
namespace {

class CameraEffectCommandsTest : public test::EffectCommandsTest {
 protected:
  void SetUp() override {
    test::EffectCommandsTest::SetUp();
    ASSERT_EQ(LoadEffect(effectPath.c_str(), 0), 0) << failure();
  }
  // Camera effects sharing effect 0.
  void make(std::initializer_list<int> ids) {
    for (int id : ids) ASSERT_EQ(MakeCameraEffect(id, 0), 0) << failure();
  }
  static std::vector<int> enabled() { return enabledCameraEffects(); }
};

TEST_F(CameraEffectCommandsTest, MakingReportsMissingEffectsAndRefusedIds) {
  make({1});
  EXPECT_TRUE(CameraEffectExist(1));
  EXPECT_FALSE(CameraEffectExist(2));
  EXPECT_EQ(MakeCameraEffect(2, 5), -1);
  EXPECT_EQ(failure(), "2: Effect ID 5 does not exist. id 5 does not exist");
  EXPECT_EQ(MakeCameraEffect(1, 0), -1);
  EXPECT_EQ(failure(), "2: invalid Camera Effect ID 1 : id 1 already exist");
  EXPECT_EQ(MakeCameraEffectFromFile(1000, effectPath.c_str()), -1);
  EXPECT_EQ(failure(), "2: invalid Camera Effect ID 1000 : invalid ID 1000 greater or equals than 1000");
  EXPECT_EQ(MakeCameraEffectFromFile(4, "missing.hlsl"), -1);
  EXPECT_EQ(failure(), "2: Camera Effect ID 4 : Failed to compile effect missing.hlsl");
  EXPECT_FALSE(CameraEffectExist(4));

  // The switches and the priority name the missing ID.
  for (void (*command)(int) : {ShowCameraEffect, HideCameraEffect}) {
    command(7);
    EXPECT_EQ(failure(), "1: Camera Effect ID 7 does not exist. id 7 does not exist");
  }
  SetCameraEffectPriority(7, 3);
  EXPECT_EQ(failure(), "1: Camera Effect ID 7 does not exist. id 7 does not exist");
  SetCameraEffectPriority(1, 3);
  EXPECT_EQ(tkEngine().cameraShaders->get(1)->priority, 3);
  DeleteCameraEffect(9);  // empty: nothing
  EXPECT_EQ(failure(), "");
}

TEST_F(CameraEffectCommandsTest, EnabledListKeepsTheSwitchingOnOrder) {
  make({1, 2, 3});
  ShowCameraEffect(3);
  ShowCameraEffect(1);
  ShowCameraEffect(2);
  ShowCameraEffect(3);  // already on: one entry
  EXPECT_EQ(enabled(), (std::vector<int>{3, 1, 2}));
  HideCameraEffect(1);
  EXPECT_EQ(enabled(), (std::vector<int>{3, 2}));
  HideCameraEffect(1);  // already off: nothing
  EXPECT_EQ(failure(), "");
  ShowCameraEffect(1);  // on again: at the end
  EXPECT_EQ(enabled(), (std::vector<int>{3, 2, 1}));
  DeleteCameraEffect(2);
  EXPECT_EQ(enabled(), (std::vector<int>{3, 1}));
  EXPECT_TRUE(tkEngine().cameraShaders->get(1)->enabled);
  EXPECT_FALSE(CameraEffectExist(2));
  EXPECT_EQ(enabledCameraEffectList(), (std::vector<CTkEffect*>{getEffect(0), getEffect(0)}));
}

TEST_F(CameraEffectCommandsTest, CameraEffectsKeepTheirEffectAfterItsIdIsDeleted) {
  make({1});
  CTkEffect* effect = getEffect(0);
  EXPECT_EQ(effect->getReferenceCount(), 2);
  DeleteEffect(0);
  ShowCameraEffect(1);
  ASSERT_EQ(enabledCameraEffectList(), std::vector<CTkEffect*>{effect});
  EXPECT_EQ(effect->getReferenceCount(), 1);

  EffectValues values;
  values.file = "tint.fx";
  values.count = 1;
  values.parameters[0].name = "Gain";
  values.parameters[0].kind = kEffectValueFloat;
  values.parameters[0].value.floats[0] = 6;
  EXPECT_EQ(applyCameraEffectValues(1, values, true), 0) << failure();
  EXPECT_EQ(floats(effect, "Gain", 1), std::vector<float>{6});
  values.parameters[0].name = "Nope";
  EXPECT_EQ(applyCameraEffectValues(1, values, false), -1);
  EXPECT_EQ(failure(), "2: Camera Effect ID 1: failed to set parameters of shader 'tint.fx'");
  values.parameters[0].kind = kEffectValueTexture;
  values.parameters[0].name = "Picture";
  values.parameters[0].texture = "nowhere.png";
  EXPECT_EQ(applyCameraEffectValues(1, values, true), -1);
  EXPECT_EQ(failure(), "2: Camera Effect ID 1: failed to set textures of shader 'tint.fx'");
  EXPECT_EQ(applyCameraEffectValues(2, values, true), -1);
  EXPECT_EQ(failure(), "1: Camera Effect ID 2 does not exist. id 2 does not exist");
}

TEST_F(CameraEffectCommandsTest, FileEffectsCompileWithTheirFlags) {
  ASSERT_EQ(makeCameraEffectFromFile(1, effectPath.c_str(), "BRIGHT SCALE=2"), 0) << failure();
  ASSERT_EQ(MakeCameraEffectFromFile(2, effectPath.c_str()), 0) << failure();
  CTkEffect* flagged = tkEngine().cameraShaders->get(1)->effect;
  CTkEffect* plain = tkEngine().cameraShaders->get(2)->effect;
  EXPECT_NE(flagged, getEffect(0));  // its own effect, not the table's
  EXPECT_GE(flagged->getParameterIndex("Extra"), 0);
  EXPECT_LT(plain->getParameterIndex("Extra"), 0);
}

TEST_F(CameraEffectCommandsTest, AnEnabledIdMissingFromTheListIsLogged) {
  make({4});
  tkEngine().cameraShaders->get(4)->enabled = true;  // never shown: not in the list
  setLogThreshold(LOG_ERROR);
  test::CapturedStdout out;
  HideCameraEffect(4);
  EXPECT_NE(out.take().find("ERROR : remove enabled FAILED to find ID=4 in enabled list\n"), std::string::npos);
  EXPECT_EQ(failure(), "");  // logged, not recorded
  EXPECT_FALSE(tkEngine().cameraShaders->get(4)->enabled);
}

TEST_F(CameraEffectCommandsTest, EachFrameHandsTheEnabledEffectsToTheRenderer) {
  make({1});
  ASSERT_EQ(makeCameraEffectFromFile(2, effectPath.c_str(), ""), 0) << failure();
  CTkPostChain* chain = rendering().context->getPostChain();
  ASSERT_NE(chain, nullptr);
  ShowCameraEffect(2);
  ShowCameraEffect(1);
  renderFrame();
  EXPECT_EQ(chain->effects(), (std::vector<CTkEffect*>{tkEngine().cameraShaders->get(2)->effect, getEffect(0)}));
  HideCameraEffect(2);
  HideCameraEffect(1);
  renderFrame();
  EXPECT_TRUE(chain->empty());
}

TEST_F(CameraEffectCommandsTest, ShutdownEmptiesTheTablesAndTheEnabledList) {
  make({1, 2});
  ShowCameraEffect(2);
  tkSysShutdown();
  EXPECT_TRUE(enabledCameraEffects().empty());
  SysSetup setup;
  ASSERT_EQ(tkSysSetup(setup), 0);
  EXPECT_FALSE(CameraEffectExist(2));
  EXPECT_FALSE(EffectExist(0));
}

}  // namespace
}  // namespace tk
