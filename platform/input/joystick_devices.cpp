#include "platform/input/joystick_devices.h"

#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace tk {
namespace {

constexpr int kDeviceNumbers = 32;

// The device's axis map; a device that cannot tell (a pipe standing in for
// one) keeps the decoder's default.
void readAxisMap(int descriptor, JoystickStreamDecoder* decoder) {
  uint8_t axes = 0;
  if (ioctl(descriptor, JSIOCGAXES, &axes) < 0) return;
  uint8_t map[ABS_CNT] = {};
  if (ioctl(descriptor, JSIOCGAXMAP, map) < 0) return;
  decoder->setAxisMap(map, axes < kJoystickAxisCodeCount ? axes : kJoystickAxisCodeCount);
}

irr::SEvent joystickEvent(int number, const JoystickRecord& record) {
  irr::SEvent event;
  event.EventType = irr::EET_JOYSTICK_INPUT_EVENT;
  event.JoystickEvent.Joystick = static_cast<irr::u8>(number);
  event.JoystickEvent.ButtonStates = record.buttons;
  for (int axis = 0; axis < 6; ++axis) event.JoystickEvent.Axis[axis] = record.axes[axis];
  event.JoystickEvent.POV = record.pov;
  return event;
}

}  // namespace

std::string joystickFolder() {
  const char* folder = getenv("TESK_JOYSTICK_DIR");
  return folder && *folder ? folder : "/dev/input";
}

JoystickDevices& joystickDevices() {
  static JoystickDevices devices;
  return devices;
}

JoystickDevices::~JoystickDevices() { close(); }

int JoystickDevices::activate() {
  close();
  const std::string folder = joystickFolder();
  for (int number = 0; number < kDeviceNumbers; ++number) {
    const std::string path = folder + "/js" + std::to_string(number);
    const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) continue;
    auto device = std::make_unique<Device>();
    device->descriptor = descriptor;
    readAxisMap(descriptor, &device->decoder);
    devices_.push_back(std::move(device));
  }
  return count();
}

void JoystickDevices::close() {
  for (auto& device : devices_)
    if (device->descriptor >= 0) ::close(device->descriptor);
  devices_.clear();
}

void JoystickDevices::poll(irr::IEventReceiver* receiver) {
  for (size_t number = 0; number < devices_.size(); ++number) {
    Device& device = *devices_[number];
    if (device.descriptor < 0) continue;
    bool changed = false;
    bool gone = false;
    uint8_t bytes[256];
    for (;;) {
      const ssize_t got = read(device.descriptor, bytes, sizeof bytes);
      if (got > 0) {
        changed = device.decoder.feed(bytes, static_cast<size_t>(got)) || changed;
        continue;
      }
      if (got < 0 && errno == EINTR) continue;
      // Nothing more for now; end of stream or any other failure: the device is gone.
      gone = !(got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK));
      break;
    }
    if (gone) {
      ::close(device.descriptor);
      device.descriptor = -1;
      device.decoder.reset();
      changed = true;
    }
    if (changed && receiver) receiver->OnEvent(joystickEvent(static_cast<int>(number), device.decoder.record()));
  }
}

}  // namespace tk
