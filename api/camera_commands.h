#pragma once
// Commands on the engine's active camera.

namespace tk {

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

void SetCameraRange(float nearValue, float farValue);
void SetCameraFOV(float angle);
// The vertical field of view (radians) for a horizontal angle on a screen.
float verticalFieldOfView(float angleDegrees, int width, int height);
void SetCameraDOF(bool enable, float focalDistance, float fStop);
void SetCameraAdvancedDOF(bool enable, float minFocus, float maxFocus, float focused, float radiusScale);
void SetCameraStereo(bool enable, float separation, bool useConvergence, float convergence);
void PositionCamera(float x, float y, float z);
void RotateCamera(float x, float y, float z);
void SetCameraMode(int mode);
void SetCameraMoveSpeed(float speed);
void SetCameraJumpSpeed(float speed);
void SetCameraRotationXYZ();
void SetCameraRotationZYX();
void AutomaticCameraCollisionOn(float radius, float gravity, float offset);
void AutomaticCameraCollisionOff();
ScreenPoint PositionToScreen(float x, float y, float z);

}  // namespace tk
