#include "render/last_frame_info.h"

#include <algorithm>
#include <cmath>

namespace tk {
namespace {

irr::core::vector3df cameraPosition(const irr::core::matrix4& view) {
  irr::core::matrix4 inverse;
  view.getInverse(inverse);
  return inverse.getTranslation();
}

// The world Z axis turned by the view's rotation (no translation).
irr::core::vector3df viewedZ(const irr::core::matrix4& view) {
  irr::core::vector3df z(0, 0, 1);
  view.rotateVect(z);
  return z;
}

}  // namespace

void CTkLastFrameInfo::endFrame() {
  irr::u32 now = source_->clockMs();
  irr::u32 duration = hasClock_ ? now - lastClock_ : 0;
  hasClock_ = true;
  lastClock_ = now;
  if (samples_ < kRingSize) ++samples_;
  total_ = total_ - ring_[ringPosition_] + duration;
  ring_[ringPosition_] = duration;
  ringPosition_ = (ringPosition_ + 1) % kRingSize;
  averageFrameTime_ = static_cast<float>(total_) / (static_cast<float>(samples_) * 1000.0f);
  framesPerSecond_ = averageFrameTime_ > 0 ? 1.0f / averageFrameTime_ : 0.0f;
  projection_ = source_->projection();
  view_ = source_->view();
  lastTime_ = source_->sceneTime();
  noPreviousFrame_ = false;
}

bool CTkLastFrameInfo::isCameraCut(const irr::core::matrix4& view, float distanceLimit,
                                   float angleLimitDegrees) const {
  if (noPreviousFrame_) return true;
  if (cameraPosition(view).getDistanceFromSQ(cameraPosition(view_)) > distanceLimit * distanceLimit) return true;
  irr::core::vector3df a = viewedZ(view), b = viewedZ(view_);
  double lengths = static_cast<double>(a.getLength()) * b.getLength();
  if (lengths == 0) return true;
  // Rounding can take the cosine just past 1: the arc cosine needs it clamped.
  double cosine = std::clamp(static_cast<double>(a.dotProduct(b)) / lengths, -1.0, 1.0);
  return std::acos(cosine) * 57.29578 > angleLimitDegrees;
}

}  // namespace tk
