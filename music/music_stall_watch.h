#pragma once
// Tells a music that plays on from one whose position has stopped advancing.
// A damaged stream can leave the media framework "playing" without moving on:
// its position then stands still while the wall clock runs. Everything that
// takes the music as its clock asks this watch, so that nobody waits forever.

#include <cstdint>

namespace tk {

// How long a playing music may keep one position before it counts as stalled.
// Far above the gaps of a healthy pipeline (a start, a seek, a loaded machine).
constexpr int64_t kMusicStallMs = 2000;

class MusicStallWatch {
 public:
  explicit MusicStallWatch(int64_t stallMs = kMusicStallMs) : stallMs_(stallMs) {}

  // Called with each position read while the music plays and the wall clock
  // (both in ms). True once the position has not advanced for the stall time;
  // it stays true until restart().
  bool stalled(int64_t position, int64_t now);
  // Forgets what it saw: after a run, a pause, a stop or a seek.
  void restart();

 private:
  int64_t stallMs_;
  bool seen_ = false;
  bool stalled_ = false;
  int64_t position_ = 0;
  int64_t since_ = 0;  // wall clock when position_ was first seen
};

}  // namespace tk
