#include "tf/tf_channel.h"

#include <algorithm>
#include <cmath>

#include "base/log.h"
#include "tf/tf_fpc.h"

namespace tk {
namespace {

bool isValue(const TF_Node* node, uint32_t type) { return node->kind == TF_VALUE && node->type == type; }
bool isArray(const TF_Node* node, uint32_t type) { return node->kind == TF_ARRAY && node->type == type; }

// Float i of an "FP" value, 0 past its end.
float constantAt(const TF_Node* value, uint32_t i) { return i < value->count ? TF_FloatAt(value->data, i) : 0.0f; }

// The two samples around p in one sample list, and where p lies between them.
struct Interval {
  bool clamped;
  uint32_t index;
  float first, second;

  float lerp(float p) const { return clamped ? first : first + (p - static_cast<float>(index)) * (second - first); }
};

// Finds the interval of p among `count` samples; clamps p into [0, count - 1].
// An empty list (never produced by the reader) reads as 0.
Interval searchInterval(uint32_t count, const void* data, float& p) {
  if (count == 0) return {true, 0, 0.0f, 0.0f};
  TfSampleCursor cursor(data);
  // NaN counts as "at or before the start": it has no later sample to land on.
  if (!(p > 0.0f)) {
    p = 0.0f;
    float sample = cursor.sample(0);
    return {true, 0, sample, sample};
  }
  const uint32_t last = count - 1;
  if (static_cast<double>(p) < static_cast<double>(last)) {
    const uint32_t i = static_cast<uint32_t>(p);
    float first = cursor.sample(i);
    return {false, i, first, cursor.sample(i + 1)};
  }
  p = static_cast<float>(last);
  float sample = cursor.sample(last);
  return {true, last, sample, sample};
}

float lerpList(uint32_t count, const void* data, float p) { return searchInterval(count, data, p).lerp(p); }

float sampleAt(uint32_t count, const void* data, uint32_t k) {
  if (count == 0) return 0.0f;
  return TfSampleCursor(data).sample(std::min(k, count - 1));
}

// Shared by the two scalar reads; `interpolate` false gives the step.
float scalarRead(const TF_Node* channel, float p, bool interpolate) {
  if (channel->kind == TF_ARRAY) {
    print("TF_FP_Lerp not supported on array");
    return 0.0f;
  }
  if (isValue(channel, TF_FP)) return constantAt(channel, 0);
  if (!isValue(channel, TF_FP_C)) {
    print("TF_FP_Lerp: unsupported value/valtype");
    return 0.0f;
  }
  Interval interval = searchInterval(channel->count, channel->data, p);
  return interpolate ? interval.lerp(p) : interval.first;
}

// Components of a vector channel; false when its shape does not fit N.
template <int N>
bool vectorLerp(const TF_Node* channel, float p, float* out) {
  if (isValue(channel, TF_FP)) {
    for (int i = 0; i < N; ++i) out[i] = constantAt(channel, i);
    return true;
  }
  if (!isArray(channel, TF_FP_C) || channel->count != N) return false;
  for (int i = 0; i < N; ++i) out[i] = lerpList(channel->elems[i].count, channel->elems[i].data, p);
  return true;
}

// Sample k of each of the first N components (missing components are 0).
template <int N>
void vectorAt(const TF_Node* channel, uint32_t k, float* out) {
  std::fill(out, out + N, 0.0f);
  if (channel->kind == TF_VALUE) {
    if (channel->type == TF_FP) {
      for (int i = 0; i < N; ++i) out[i] = constantAt(channel, i);
    } else if (channel->type == TF_FP_C) {
      std::fill(out, out + N, sampleAt(channel->count, channel->data, k));
    }
    return;
  }
  if (channel->kind != TF_ARRAY) return;
  const uint32_t n = std::min<uint32_t>(N, channel->count);
  for (uint32_t i = 0; i < n; ++i) {
    const TF_Elem& e = channel->elems[i];
    if (channel->type == TF_FP)
      out[i] = e.count > 0 ? TF_FloatAt(e.data, 0) : 0.0f;
    else if (channel->type == TF_FP_C)
      out[i] = sampleAt(e.count, e.data, k);
  }
}

TF_Vec3 toXYZ(const TF_Quat& q) {
  TF_Angles e = TF_Quat::FromAngles(q.ToAngles()).ToSwappedAngles();
  return {e.x, e.y, e.z};
}

}  // namespace

float TF_SamplePosition(int ms, float framesPerSecond, float frameStep) {
  // A step of 0, below 0 or not a number (from a scene file) would divide the
  // time away: such a scene has one sample per frame.
  if (!(frameStep > 0)) frameStep = 1;
  return static_cast<float>(ms) / 1000.0f * framesPerSecond / frameStep;
}

float TF_SceneFrame(int ms, float framesPerSecond, float frameStart) {
  return static_cast<float>(ms) * framesPerSecond / 1000.0f + frameStart;
}

float TF_FP_Lerp(const TF_Node* channel, float p) { return scalarRead(channel, p, true); }

float TF_FP_Step(const TF_Node* channel, float p) { return scalarRead(channel, p, false); }

TF_Vec2 TF_FP2_Lerp(const TF_Node* channel, float p) {
  float v[2] = {0, 0};
  if (!vectorLerp<2>(channel, p, v)) print("TF_FP2_Lerp: unsupported value/valtype/array size");
  return {v[0], v[1]};
}

TF_Vec3 TF_FP3_Lerp(const TF_Node* channel, float p) {
  float v[3] = {0, 0, 0};
  if (!vectorLerp<3>(channel, p, v)) print("TF_FP3_Lerp: unsupported value/valtype/array size");
  return {v[0], v[1], v[2]};
}

TF_Vec3 TF_FP3_Slerp_HPB_To_XYZ(const TF_Node* channel, float p) {
  if (isValue(channel, TF_FP))
    return toXYZ(TF_Quat::FromAngles(constantAt(channel, 0), constantAt(channel, 1), constantAt(channel, 2)));
  if (!isArray(channel, TF_FP_C) || channel->count != 3) {
    print("TF_FP3_Slerp_HPB_To_XYZ: unsupported value/valtype/array size");
    return {0, 0, 0};
  }
  // Each search may clamp p for the ones after it; the weight comes from the last.
  Interval c[3];
  for (int i = 0; i < 3; ++i) c[i] = searchInterval(channel->elems[i].count, channel->elems[i].data, p);
  const float s = c[2].clamped ? 0.0f : p - static_cast<float>(c[2].index);
  TF_Quat a = TF_Quat::FromAngles(c[0].first, c[1].first, c[2].first);
  TF_Quat b = TF_Quat::FromAngles(c[0].second, c[1].second, c[2].second);
  return toXYZ(TF_Quat::Slerp(a, b, s));
}

float TF_FP_At(const TF_Node* channel, uint32_t k) {
  float v[1];
  vectorAt<1>(channel, k, v);
  return v[0];
}

TF_Vec2 TF_FP2_At(const TF_Node* channel, uint32_t k) {
  float v[2];
  vectorAt<2>(channel, k, v);
  return {v[0], v[1]};
}

TF_Vec3 TF_FP3_At(const TF_Node* channel, uint32_t k) {
  float v[3];
  vectorAt<3>(channel, k, v);
  return {v[0], v[1], v[2]};
}

}  // namespace tk
