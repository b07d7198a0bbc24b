#include "viewer/viewer_clock.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/log.h"
#include "base/saturating.h"

namespace tk {

namespace {
constexpr int kPausedStepMs = 5;
constexpr int kPlayingStepMs = 10;
}  // namespace

void ViewerClock::start(int32_t now, bool paused, bool atFrameStart, int frameStart) {
  origin_ = now;
  if (atFrameStart) origin_ = saturatedSub(now, clampToScene(timeOfFrame(frameStart)));
  if (paused) {
    paused_ = true;
    pausedTime_ = timeSinceOrigin(now);
  } else {
    playFrom(now, timeSinceOrigin(now));
  }
  marked_ = true;
}

int ViewerClock::sceneTime(int32_t now) {
  if (paused_) return clampToScene(pausedTime_);
  if (music_ && musicRunning_ && musicLeads_) {
    const int position = music_->position();
    const std::string fault = music_->clockFault();
    if (!fault.empty()) {
      carryOnWithoutMusic(now, fault);
    } else if (position >= 0) {
      lastMusicTime_ = saturatedSub(position, timing_.musicOffsetMs);
      return clampToScene(lastMusicTime_);
    }
  }
  return clampToScene(timeSinceOrigin(now));
}

void ViewerClock::carryOnWithoutMusic(int32_t now, const std::string& why) {
  if (!musicFaultSaid_)
    log(LOG_WARN, "The music stopped at %d ms of the scene (%s): the scene goes on by the timer", lastMusicTime_,
        why.c_str());
  musicFaultSaid_ = true;
  musicLeads_ = false;
  origin_ = saturatedSub(now, lastMusicTime_);
}

void ViewerClock::togglePause(int32_t now) {
  if (!paused_) {
    pauseAt(sceneTime(now));
    return;
  }
  paused_ = false;
  // Resuming on the last frame starts the scene over.
  playFrom(now, pausedTime_ != timing_.lengthMs ? pausedTime_ : 0);
}

void ViewerClock::step(int32_t now, int steps) {
  if (paused_) {
    pausedTime_ = clampToScene(saturatedInt(pausedTime_ + static_cast<int64_t>(kPausedStepMs) * steps));
    return;
  }
  origin_ = saturatedInt(origin_ - static_cast<int64_t>(kPlayingStepMs) * steps);
  seekMusic(timeSinceOrigin(now));
}

void ViewerClock::keepWithinScene(int32_t now) {
  if (paused_) return;
  int t = timeSinceOrigin(now);
  if (t < 0) {
    pauseAt(0);
  } else if (t >= timing_.lengthMs) {
    if (!loop_) {
      pauseAt(timing_.lengthMs);
      return;
    }
    origin_ = saturatedAdd(origin_, timing_.lengthMs);
    // The music drives the scene time while it plays, so it must start over too.
    seekMusic(timeSinceOrigin(now));
  }
}

void ViewerClock::jumpTo(int32_t now, int t) {
  t = clampToScene(t);
  if (paused_) {
    pausedTime_ = t;
  } else {
    origin_ = saturatedSub(now, t);
    seekMusic(t);
  }
  marked_ = true;
}

bool ViewerClock::needsAnimation(int m) {
  bool animate = !paused_ || marked_ || m != lastAnimated_;
  marked_ = false;
  lastAnimated_ = m;
  return animate;
}

double ViewerClock::frameAt(int t) const {
  return timing_.firstFrame + static_cast<double>(timing_.frameRate) * t / 1000.0;
}

int ViewerClock::timeOfFrame(double frame) const {
  if (timing_.frameRate <= 0) return 0;
  double t = (frame - timing_.firstFrame) * 1000.0 / timing_.frameRate;
  return static_cast<int>(std::clamp(t, -1e9, 1e9));
}

int ViewerClock::timeOfSyncFrame(uint32_t frame) const {
  if (timing_.frameRate <= 0) return 0;
  double t = std::ceil((static_cast<double>(frame) - timing_.firstFrame) * 1000.0 / timing_.frameRate);
  return static_cast<int>(std::clamp(t, 0.0, 1e9));
}

int ViewerClock::timeSinceOrigin(int32_t now) const { return saturatedSub(now, origin_); }

int ViewerClock::clampToScene(int t) const { return std::clamp(t, 0, std::max(0, timing_.lengthMs)); }

void ViewerClock::pauseAt(int t) {
  paused_ = true;
  pausedTime_ = t;
  if (music_ && musicRunning_) music_->pause();
  musicRunning_ = false;
}

void ViewerClock::playFrom(int32_t now, int t) {
  origin_ = saturatedSub(now, t);
  if (!music_) return;
  music_->playFrom(saturatedAdd(t, timing_.musicOffsetMs));
  musicRunning_ = true;
  musicLeads_ = true;
  lastMusicTime_ = t;
}

void ViewerClock::seekMusic(int t) {
  if (!music_ || !musicRunning_) return;
  music_->seek(saturatedAdd(t, timing_.musicOffsetMs));
  musicLeads_ = true;
  lastMusicTime_ = t;
}

}  // namespace tk
