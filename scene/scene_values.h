#pragma once
// Reading scene channels at a sample position, with missing items giving zeros.

#include "base/saturating.h"
#include "tf/tf_channel.h"

namespace tk {

constexpr float kRadiansToDegrees = 57.2957763671875f;

inline float lerpOrZero(const TF_Node* channel, float p) { return channel ? TF_FP_Lerp(channel, p) : 0.0f; }
inline TF_Vec2 lerp2OrZero(const TF_Node* channel, float p) { return channel ? TF_FP2_Lerp(channel, p) : TF_Vec2{0, 0}; }
inline TF_Vec3 lerp3OrZero(const TF_Node* channel, float p) {
  return channel ? TF_FP3_Lerp(channel, p) : TF_Vec3{0, 0, 0};
}
// Heading, pitch and bank as rotation angles about X, Y and Z, in degrees.
inline TF_Vec3 rotationDegrees(const TF_Node* channel, float p) {
  if (!channel) return {0, 0, 0};
  TF_Vec3 r = TF_FP3_Slerp_HPB_To_XYZ(channel, p);
  return {r.x * kRadiansToDegrees, r.y * kRadiansToDegrees, r.z * kRadiansToDegrees};
}
inline float firstSample(const TF_Node* channel) { return channel ? TF_FP_At(channel, 0) : 0.0f; }
inline TF_Vec3 firstSample3(const TF_Node* channel) { return channel ? TF_FP3_At(channel, 0) : TF_Vec3{0, 0, 0}; }

// 0xRRGGBB of three components, each truncated to an integer (held to the int
// range, NaN as 0) and cut to 8 bits.
inline unsigned packRgb(float r, float g, float b) {
  auto byte = [](float c) { return static_cast<unsigned>(saturatedInt(static_cast<double>(c))) & 0xFF; };
  return byte(r) << 16 | byte(g) << 8 | byte(b);
}
// A colour of components 0-1, packed.
inline unsigned packColour(TF_Vec3 c) { return packRgb(c.x * 255, c.y * 255, c.z * 255); }

}  // namespace tk
