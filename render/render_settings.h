#pragma once
// Post-processing settings the renderer reads, handed on by scene animation.

namespace tk {

struct STkRenderSettings {
  int glowEnable = 0;
  float glowIntensity = 0, glowRadius = 0, glowSurfaceIntensity = 0;
  int bloomEnable = 0;
  float bloomThreshold = 0, bloomIntensity = 0;
  int streakEnable = 0;
  float streakThreshold = 0, streakIntensity = 0, streakTint[3] = {0, 0, 0}, streakAttenuation = 0, streakAngle = 0;
  int ssaoEnable = 0;
  float ssaoDistanceReach = 0, ssaoMaxDepthDecline = 0, ssaoDepthAliasingEpsilon = 0, ssaoOutputMultiplier = 0;
  int shadowEnable = 0;
  float shadowEpsilon = 0;
  // jitter, location, mode, blending, blending weight, vertical limit enable
  int antialias[6] = {0, 1, 1, 0, 0, 0};
  float antialiasLimit = 0;
};

}  // namespace tk
