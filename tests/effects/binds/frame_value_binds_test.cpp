// Screen sizes, time and the mouse.
#include "effects/binds/bind_environment.h"
#include "effects/binds/event_bind.h"
#include "effects/binds/screen_bind.h"
#include "effects/binds/time_bind.h"
#include "platform/input/input_state.h"
#include "render/tk_scene_manager.h"
#include "tests/effects/binds/bind_test_support.h"

namespace tk {
namespace {

using test::floatsNear;
using test::valueOf;

class FrameValueBindTest : public test::NullDeviceTest {
 protected:
  void SetUp() override {
    NullDeviceTest::SetUp();
    environment.device = device;
    environment.sceneManager = &tkScenes;
    environment.input = &input;
  }
  STkBindEnvironment environment;
  CTkSceneManager tkScenes;
  InputState input;
};

TEST_F(FrameValueBindTest, ScreenRowsOnA1280By720Screen) {
  test::Held<CTkEffectBindScreen> bind(new CTkEffectBindScreen(environment));
  const struct {
    const char* semantic;
    std::vector<float> expected;
  } rows[] = {
      {"TargetSize", {1280, 720}},
      {"PixelSize", {1 / 1280.0f, 1 / 720.0f}},
      {"HalfPixelSize", {1 / 2560.0f, 1 / 1440.0f}},
      {"ScreenSize", {1280, 720}},
      {"HalfScreenPixelSize", {2 / 1280.0f, 2 / 720.0f}},
      {"QuarterScreenPixelSize", {4 / 1280.0f, 4 / 720.0f}},
      {"QuarterScreenHalfPixelSize", {2 / 1280.0f, 2 / 720.0f}},
  };
  for (const auto& row : rows) EXPECT_TRUE(floatsNear(valueOf(bind.get(), row.semantic), row.expected)) << row.semantic;
  STkFxConstBind lowerCase = test::constantOf(kStagePixel, kParamFloat2, "pixelsize");
  EXPECT_FALSE(test::answers(bind.get(), &lowerCase));
}

TEST_F(FrameValueBindTest, DeviceTimeAndSceneTimeInSeconds) {
  device->getTimer()->stop();
  device->getTimer()->setTime(4250);
  tkScenes.setCurrentTime(90500);
  test::Held<CTkEffectBindTime> bind(new CTkEffectBindTime(environment));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "Time", kParamFloat), {4.25f}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "Time0_X", kParamFloat), {4.25f}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "TimeScene", kParamFloat), {90.5f}));
}

TEST_F(FrameValueBindTest, MouseAsScreenFractionsAndButtons) {
  input.mouseX = 320;
  input.mouseY = 540;
  input.rightButton = 1;
  test::Held<CTkEffectBindEvent> bind(new CTkEffectBindEvent(environment));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "Mouse"), {0.25f, 0.75f, 0, 1}));
}

}  // namespace
}  // namespace tk
