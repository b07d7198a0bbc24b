#include "music/music_stall_watch.h"

namespace tk {

bool MusicStallWatch::stalled(int64_t position, int64_t now) {
  if (stalled_) return true;
  if (!seen_ || position != position_) {
    seen_ = true;
    position_ = position;
    since_ = now;
    return false;
  }
  stalled_ = now - since_ >= stallMs_;
  return stalled_;
}

void MusicStallWatch::restart() {
  seen_ = false;
  stalled_ = false;
}

}  // namespace tk
