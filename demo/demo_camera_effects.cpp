#include "demo/demo_camera_effects.h"

#include "api/camera_effect_commands.h"

namespace tk {

DemoCameraEffects& demoCameraEffects() {
  static DemoCameraEffects effects{
      [](int id, const std::string& file) {
        MakeCameraEffectFromFile(id, file.c_str());
        return CameraEffectExist(id);
      },
      ShowCameraEffect,
      HideCameraEffect,
      DeleteCameraEffect,
  };
  return effects;
}

}  // namespace tk
