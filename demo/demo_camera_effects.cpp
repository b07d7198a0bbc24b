#include "demo/demo_camera_effects.h"

namespace tk {

DemoCameraEffects& demoCameraEffects() {
  static DemoCameraEffects effects{
      [](int, const std::string&) { return false; },
      [](int) {},
      [](int) {},
      [](int) {},
  };
  return effects;
}

}  // namespace tk
