#pragma once
// What the previous frame looked like: its matrices, its time and the recent
// frame rate, for temporal effects and for telling camera cuts.

#include <irrlicht.h>

#include "effects/binds/engine_state_views.h"

namespace tk {

class ITkLastFrameInfo : public ITkFrameHistoryView {
 public:
  virtual void endFrame() = 0;
  virtual float getAverageFrameTime() const = 0;  // seconds
  // True when the camera moved further than `distanceLimit` or turned more than
  // `angleLimitDegrees` since the last frame, or when there is no last frame.
  virtual bool isCameraCut(const irr::core::matrix4& view, float distanceLimit, float angleLimitDegrees) const = 0;
  virtual irr::u32 getLastTime() const = 0;  // ms
  virtual void invalidate() = 0;
  virtual bool isInvalid() const = 0;
};

// Where the frame's facts come from; the engine's driver, timer and scene time.
struct FrameSource {
  virtual ~FrameSource() = default;
  virtual irr::u32 clockMs() = 0;
  virtual irr::core::matrix4 projection() = 0;
  virtual irr::core::matrix4 view() = 0;
  virtual irr::u32 sceneTime() = 0;
};

class CTkLastFrameInfo : public ITkLastFrameInfo {
 public:
  static constexpr int kRingSize = 30;
  explicit CTkLastFrameInfo(FrameSource* source) : source_(source) {}

  void endFrame() override;
  float getAverageFrameTime() const override { return averageFrameTime_; }
  float getFramesPerSecond() const override { return framesPerSecond_; }
  const irr::core::matrix4& getLastProjection() const override { return projection_; }
  const irr::core::matrix4& getLastView() const override { return view_; }
  bool isCameraCut(const irr::core::matrix4& view, float distanceLimit, float angleLimitDegrees) const override;
  irr::u32 getLastTime() const override { return lastTime_; }
  void invalidate() override { noPreviousFrame_ = true; }
  bool isInvalid() const override { return noPreviousFrame_; }

 private:
  FrameSource* source_;
  irr::core::matrix4 projection_;
  irr::core::matrix4 view_;
  irr::u32 lastTime_ = 0;
  bool hasClock_ = false;
  irr::u32 lastClock_ = 0;
  irr::u32 ring_[kRingSize] = {};
  int ringPosition_ = 0;
  int samples_ = 0;
  irr::u32 total_ = 0;
  float averageFrameTime_ = 0;
  float framesPerSecond_ = 0;
  bool noPreviousFrame_ = true;
};

}  // namespace tk
