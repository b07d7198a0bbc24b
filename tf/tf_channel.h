#pragma once
// Channels: values that move over time, read straight from a loaded TF tree.
// A channel is an "FP" value (a constant of 1 to 3 floats), an "FP_C" value
// (one sample per baked frame) or an "FP_C" array of 2 or 3 elements (one
// sample list per component). Every operation takes a sample position p (see
// TF_SamplePosition), runs on the stack and never allocates. A channel of the
// wrong shape prints a message on every call and yields zeros.

#include <cstdint>

#include "tf/tf_doc.h"
#include "tf/tf_rotation.h"

namespace tk {

struct TF_Vec2 {
  float x, y;
};
struct TF_Vec3 {
  float x, y, z;
};

// Sample position of scene moment `ms` (milliseconds since the scene's start).
// A frame step that is not above 0 counts as 1. Any position is safe to read
// channels at: NaN and positions before the start read the first sample,
// positions past the end (infinity included) the last.
float TF_SamplePosition(int ms, float framesPerSecond, float frameStep);
// Scene frame number of that moment, for mesh frames.
float TF_SceneFrame(int ms, float framesPerSecond, float frameStart);

float TF_FP_Lerp(const TF_Node* channel, float p);
// The sample at or before p, without interpolation.
float TF_FP_Step(const TF_Node* channel, float p);
TF_Vec2 TF_FP2_Lerp(const TF_Node* channel, float p);
TF_Vec3 TF_FP3_Lerp(const TF_Node* channel, float p);
// Heading, pitch and bank (radians) interpolated on the rotation sphere and
// returned as rotation angles about X, Y and Z (radians).
TF_Vec3 TF_FP3_Slerp_HPB_To_XYZ(const TF_Node* channel, float p);

// Sample k (the last one beyond the end).
float TF_FP_At(const TF_Node* channel, uint32_t k);
TF_Vec2 TF_FP2_At(const TF_Node* channel, uint32_t k);
TF_Vec3 TF_FP3_At(const TF_Node* channel, uint32_t k);

}  // namespace tk
