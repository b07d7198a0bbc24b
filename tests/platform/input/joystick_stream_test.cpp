// The kernel's joystick records decoded into the joystick record.
#include "platform/input/joystick_stream.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <linux/joystick.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace tk {
namespace {

std::vector<uint8_t> event(uint8_t type, uint8_t number, int16_t value) {
  js_event e{};
  e.time = 1234;
  e.type = type;
  e.number = number;
  e.value = value;
  std::vector<uint8_t> bytes(sizeof e);
  memcpy(bytes.data(), &e, sizeof e);
  return bytes;
}

std::vector<uint8_t> join(const std::vector<std::vector<uint8_t>>& events) {
  std::vector<uint8_t> bytes;
  for (const auto& e : events) bytes.insert(bytes.end(), e.begin(), e.end());
  return bytes;
}

TEST(JoystickStreamTest, StartsAtRestWithTheHatCentred) {
  JoystickStreamDecoder decoder;
  EXPECT_EQ(decoder.record().pov, 65535);
  EXPECT_EQ(decoder.record().buttons, 0u);
}

TEST(JoystickStreamTest, ButtonsAxesAndTheHatFillTheRecord) {
  JoystickStreamDecoder decoder;
  const std::vector<uint8_t> bytes = join({
      event(JS_EVENT_BUTTON | JS_EVENT_INIT, 0, 1),
      event(JS_EVENT_BUTTON, 31, 1),
      event(JS_EVENT_BUTTON, 32, 1),  // past the record's buttons
      event(JS_EVENT_AXIS, ABS_X, -32768),
      event(JS_EVENT_AXIS, ABS_RZ, 1500),
      event(JS_EVENT_AXIS, ABS_RY, 77),
      event(0x40, 1, 1),  // a type the decoder does not know
      event(JS_EVENT_AXIS, ABS_HAT0X, -32767),
      event(JS_EVENT_AXIS, ABS_HAT0Y, -32767),
  });
  EXPECT_TRUE(decoder.feed(bytes.data(), bytes.size()));
  const JoystickRecord& r = decoder.record();
  EXPECT_EQ(r.buttons, 0x80000001u);
  EXPECT_EQ(r.axes[0], -32768);
  EXPECT_EQ(r.axes[3], 1500);  // R
  EXPECT_EQ(r.axes[5], 77);    // V
  EXPECT_EQ(r.pov, 4500);      // up and left
  const std::vector<uint8_t> release = event(JS_EVENT_BUTTON, 0, 0);
  EXPECT_TRUE(decoder.feed(release.data(), release.size()));
  EXPECT_EQ(decoder.record().buttons, 0x80000000u);
  EXPECT_FALSE(decoder.feed(release.data(), release.size()));  // no change
}

TEST(JoystickStreamTest, TheDevicesAxisMapPlacesItsAxes) {
  JoystickStreamDecoder decoder;
  const uint8_t map[] = {ABS_X, ABS_Y, ABS_HAT0X, ABS_HAT0Y, ABS_RX};
  decoder.setAxisMap(map, 5);
  const std::vector<uint8_t> bytes =
      join({event(JS_EVENT_AXIS, 2, 32767), event(JS_EVENT_AXIS, 4, 900), event(JS_EVENT_AXIS, 9, 5)});
  decoder.feed(bytes.data(), bytes.size());
  EXPECT_EQ(decoder.record().pov, 27000);  // right
  EXPECT_EQ(decoder.record().axes[4], 900);  // U
}

TEST(JoystickStreamTest, HatDirectionsAreAnglesAnticlockwiseFromUp) {
  struct Case {
    int x, y;
    uint16_t angle;
  };
  const Case cases[] = {{0, 0, 65535},  {0, -1, 0},      {-1, -1, 4500}, {-1, 0, 9000}, {-1, 1, 13500},
                        {0, 1, 18000},  {1, 1, 22500},   {1, 0, 27000},  {1, -1, 31500}};
  for (const Case& c : cases) EXPECT_EQ(hatAngle(c.x, c.y), c.angle) << c.x << "," << c.y;
}

TEST(JoystickStreamTest, AnyChunkingGivesTheSameRecord) {
  const std::vector<uint8_t> bytes = join({event(JS_EVENT_AXIS, ABS_Y, 4000), event(JS_EVENT_BUTTON, 3, 1),
                                           event(JS_EVENT_AXIS, ABS_HAT0Y, 32767)});
  for (size_t chunk = 1; chunk <= bytes.size(); ++chunk) {
    JoystickStreamDecoder decoder;
    for (size_t at = 0; at < bytes.size(); at += chunk)
      decoder.feed(bytes.data() + at, std::min(chunk, bytes.size() - at));
    EXPECT_EQ(decoder.record().axes[1], 4000) << chunk;
    EXPECT_EQ(decoder.record().buttons, 8u) << chunk;
    EXPECT_EQ(decoder.record().pov, 18000) << chunk;
  }
  // A record cut short is dropped by a reset.
  JoystickStreamDecoder decoder;
  decoder.feed(bytes.data(), 5);
  decoder.reset();
  decoder.feed(bytes.data() + 8, 8);
  EXPECT_EQ(decoder.record().buttons, 8u);
}

}  // namespace
}  // namespace tk
