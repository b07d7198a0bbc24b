#pragma once
// The LightWave surface parameters, in the order surfaces keep them: scene
// files name them by these keys, surface commands by these names, and the
// binds read a few of them by index.

namespace tk {

constexpr int kSurfaceParameterCount = 39;
extern const char* const kSurfaceParameterNames[kSurfaceParameterCount];

// Indexes of the parameters the binds use by name.
constexpr int kSurfaceGlossiness = 9;
constexpr int kSurfaceGlowValue = 25;
constexpr int kSurfaceReflectionImage = 35;

}  // namespace tk
