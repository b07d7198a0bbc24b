#include "api/ride_camera_animator.h"

#include "api/camera_commands.h"
#include "tests/api/commands_fixture.h"

namespace tk {
namespace {

class RideCameraTest : public test::EngineCommandsTest {
 protected:
  void animate(irr::u32 ms) { tkEngine().rideAnimator->animateNode(tkEngine().camera, ms); }
  void key(irr::EKEY_CODE code, bool down) {
    irr::SEvent e{};
    e.EventType = irr::EET_KEY_INPUT_EVENT;
    e.KeyInput.Key = code;
    e.KeyInput.PressedDown = down;
    tkEngine().rideAnimator->OnEvent(e);
  }
  irr::core::vector3df position() { return tkEngine().camera->getPosition(); }
};

TEST_F(RideCameraTest, FollowPutsTheCameraAtTheCommandedPlaceLookingAlongItsRotation) {
  PositionCamera(1, 2, 3);
  RotateCamera(0, 90, 0);
  animate(0);
  EXPECT_EQ(position(), irr::core::vector3df(1, 2, 3));
  irr::core::vector3df target = tkEngine().camera->getTarget();
  EXPECT_NEAR(target.X, 2, 1e-5);
  EXPECT_NEAR(target.Z, 3, 1e-5);
  RotateCamera(0, 0, 90);  // a bank turns the up vector
  animate(10);
  EXPECT_NEAR(tkEngine().camera->getUpVector().X, -1, 1e-5);
}

TEST_F(RideCameraTest, RideModeStartsAtTheCommandedPlaceAndFliesForwardWithRampAndDamping) {
  PositionCamera(0, 0, -10);
  SetCameraMode(2);  // drag ride
  EXPECT_EQ(tkEngine().rideAnimator->mode(), CTkSceneNodeAnimatorCamera::MODE_DRAG);
  animate(1000);  // restart
  EXPECT_EQ(position(), irr::core::vector3df(0, 0, -10));
  animate(1010);  // under 16 ms since the last step: nothing
  EXPECT_EQ(position(), irr::core::vector3df(0, 0, -10));
  key(irr::KEY_UP, true);
  animate(1500);
  float movedWhileHeld = position().Z + 10;
  EXPECT_GT(movedWhileHeld, 0.5f);  // about 0.01 units per ms once ramped up
  EXPECT_LT(movedWhileHeld, 5.0f);
  EXPECT_NEAR(position().X, 0, 1e-4);
  key(irr::KEY_UP, false);
  animate(2500);
  float coasted = position().Z + 10 - movedWhileHeld;
  EXPECT_GT(coasted, 0.0f);  // damping lets it glide on a little
  EXPECT_LT(coasted, movedWhileHeld);
  irr::core::vector3df stopped = position();
  animate(3500);
  EXPECT_NEAR(position().Z, stopped.Z, 1e-3);
}

TEST_F(RideCameraTest, ModeNumbersOfTheCameraCommand) {
  struct Case {
    int command, mode;
  } cases[] = {{1, 3}, {2, 4}, {0, 2}, {7, 2}};
  for (const Case& c : cases) {
    SetCameraMode(c.command);
    EXPECT_EQ(tkEngine().rideAnimator->mode(), c.mode) << c.command;
  }
}

}  // namespace
}  // namespace tk
