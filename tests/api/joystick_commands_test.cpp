// The joystick commands over a device folder of named pipes standing in for
// the kernel's joystick devices (their ioctls fail, so the default axis map holds).
#include "api/joystick_commands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <functional>

#include "tests/api/commands_fixture.h"
#include "tests/support/capture_stdout.h"

// After the display library, whose key names the kernel's headers would take.
#include <linux/joystick.h>

namespace tk {
namespace {

// The kernel's axis codes, which are also the axis numbers of a device without an axis map.
constexpr uint8_t kAxisX = 0, kAxisY = 1, kAxisZ = 2, kHatY = 0x11;

TEST(JoystickReadingTest, TheDeadZoneReadsAsRest) {
  const int cases[][2] = {{0, 0}, {1499, 0}, {-1499, 0}, {1500, 1500}, {-1500, -1500}, {-32768, -32768}, {32767, 32767}};
  for (const auto& c : cases) EXPECT_EQ(joystickAxisReading(c[0]), c[1]) << c[0];
}

TEST(JoystickReadingTest, TheHatAnswersWithinNinetyDegrees) {
  struct Case {
    unsigned pov;
    bool up, down, left, right;
  };
  const Case cases[] = {
      {65535, false, false, false, false}, {0, true, false, false, false},     {9000, false, false, true, false},
      {18000, false, true, false, false},  {27000, false, false, false, true}, {31500, true, false, false, true},
      {4500, true, false, true, false},    {13500, false, true, true, false},  {22500, false, true, false, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(hatPointsTo(c.pov, 0), c.up) << c.pov;
    EXPECT_EQ(hatPointsTo(c.pov, 180), c.down) << c.pov;
    EXPECT_EQ(hatPointsTo(c.pov, 90), c.left) << c.pov;
    EXPECT_EQ(hatPointsTo(c.pov, 270), c.right) << c.pov;
  }
}

TEST(JoystickReadingTest, ButtonsZeroToThirtyOne) {
  for (int n = -1; n <= 33; ++n) EXPECT_EQ(joystickButtonDown(0xFFFFFFFFu, n), n >= 0 && n < 32) << n;
  EXPECT_FALSE(joystickButtonDown(0x1u, 1));
  EXPECT_TRUE(joystickButtonDown(0x80000000u, 31));
}

class JoystickCommandsTest : public test::EngineCommandsTest {
 protected:
  void SetUp() override {
    setenv("TESK_JOYSTICK_DIR", folder.path().c_str(), 1);
    EngineCommandsTest::SetUp();
    const std::string pipe = folder.path() + "/js0";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // Held open for reading and writing, so the engine's reader sees a writer.
    writer = open(pipe.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
  }
  void TearDown() override {
    if (writer >= 0) close(writer);
    EngineCommandsTest::TearDown();
    unsetenv("TESK_JOYSTICK_DIR");
  }
  void send(uint8_t type, uint8_t number, int16_t value) {
    js_event e{0, value, type, number};
    ASSERT_EQ(write(writer, &e, sizeof e), static_cast<ssize_t>(sizeof e));
  }

  test::TempFolder folder;
  int writer = -1;
};

TEST_F(JoystickCommandsTest, ReadsTheDeviceWhileEnabledOnly) {
  send(JS_EVENT_AXIS, kAxisX, 1500);
  send(JS_EVENT_BUTTON, 2, 1);
  pollJoysticks();
  EXPECT_FALSE(JoystickIsPresent());
  EXPECT_EQ(JoystickX(), 0);

  EnableJoystick();
  EXPECT_TRUE(JoystickIsPresent());
  EXPECT_FALSE(JoystickUp());  // centred before any event
  send(JS_EVENT_AXIS, kAxisY, 1499);
  send(JS_EVENT_AXIS, kAxisZ, -20000);
  send(JS_EVENT_BUTTON, 5, 1);
  send(JS_EVENT_AXIS, kHatY, -32767);
  pollJoysticks();
  // What was sent before enabling waited in the pipe and is read too.
  EXPECT_EQ(JoystickX(), 1500);
  EXPECT_EQ(JoystickY(), 0);
  EXPECT_EQ(JoystickZ(), -20000);
  EXPECT_TRUE(JoystickFireC());
  EXPECT_TRUE(JoystickFireX(5));
  EXPECT_FALSE(JoystickFireX(-1));
  EXPECT_FALSE(JoystickFireX(32));
  EXPECT_TRUE(JoystickUp());
  EXPECT_FALSE(JoystickLeft());

  DisableJoystick();
  EXPECT_EQ(JoystickX(), 0);
  EXPECT_FALSE(JoystickFireC());
  EXPECT_FALSE(JoystickUp());
}

TEST_F(JoystickCommandsTest, AVanishedDeviceLeavesTheRecordAtRest) {
  EnableJoystick();
  send(JS_EVENT_AXIS, kAxisX, -9000);
  pollJoysticks();
  ASSERT_EQ(JoystickX(), -9000);
  // Half a record, then the device goes.
  js_event e{0, 100, JS_EVENT_AXIS, kAxisY};
  ASSERT_EQ(write(writer, &e, 3), 3);
  close(writer);
  writer = -1;
  pollJoysticks();
  EXPECT_EQ(JoystickX(), 0);
  EXPECT_EQ(JoystickY(), 0);
  EXPECT_FALSE(JoystickUp());
  EXPECT_TRUE(JoystickIsPresent());  // it was found when enabled
}

TEST_F(JoystickCommandsTest, NoDeviceInTheFolderIsNoJoystick) {
  unlink((folder.path() + "/js0").c_str());
  EnableJoystick();
  EXPECT_FALSE(JoystickIsPresent());
  pollJoysticks();
  EXPECT_EQ(JoystickX(), 0);
}

}  // namespace
}  // namespace tk
