#pragma once
// Post-processing settings the renderer reads, handed on by scene animation.

namespace tk {

struct STkRenderSettings {
  int glowEnable = 0;
  float glowIntensity = 0, glowRadius = 0, glowSurfaceIntensity = 1.0f;
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

  // Copied in by the advanced context's refresh before each frame (the
  // engine's own record leaves them as they are).
  int dofEnable = 0;  // the render camera's flags hold 8
  float focalDistance = 0, fStop = 0;
  int advancedDofEnable = 0;
  float dofFocalRangeMin = 0, dofFocalRangeMax = 0, dofFocalRangeFocused = 0, dofRadiusScale = 0;
  int colorSpaceViewer = 0;
  bool baking = false;  // the faces of a cube map are being drawn
};

// Indices into STkRenderSettings::antialias.
enum : int {
  kAntialiasJitter = 0,
  kAntialiasLocation,
  kAntialiasMode,
  kAntialiasBlending,
  kAntialiasBlendingWeight,
  kAntialiasVLimitEnable
};

// Where in a frame anti-aliasing runs (antialias[kAntialiasLocation]).
enum : int { kAntialiasAtEnd = 1, kAntialiasInFrame = 2 };

}  // namespace tk
