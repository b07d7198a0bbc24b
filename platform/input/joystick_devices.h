#pragma once
// The kernel's joystick devices (js0 to js31 in /dev/input, or in the folder
// named by TESK_JOYSTICK_DIR), read without blocking. The display library's
// own Linux joysticks never report the hat and leak a device at each
// activation, so the engine reads them itself and posts what they say as the
// display library's joystick events.

#include <irrlicht.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/input/joystick_stream.h"

namespace tk {

class JoystickDevices {
 public:
  JoystickDevices() = default;
  ~JoystickDevices();
  JoystickDevices(const JoystickDevices&) = delete;
  JoystickDevices& operator=(const JoystickDevices&) = delete;

  // Closes the devices open so far and opens every one found; answers how many.
  int activate();
  void close();
  int count() const { return static_cast<int>(devices_.size()); }

  // Reads what every device has sent and posts a joystick event (numbered by
  // the device's place in the list) for each whose record changed. A device
  // that has gone is closed, after posting a record at rest.
  void poll(irr::IEventReceiver* receiver);

 private:
  struct Device {
    int descriptor = -1;
    JoystickStreamDecoder decoder;
  };
  std::vector<std::unique_ptr<Device>> devices_;
};

// The folder searched for js0 to js31.
std::string joystickFolder();
// The one set of devices of the process.
JoystickDevices& joystickDevices();

}  // namespace tk
