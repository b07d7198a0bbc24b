#pragma once
// Keeps a copy of each finished frame, taken from the back buffer just before it
// is presented, so that screenshots and frame capture read what was shown.
// (After a swap the back buffer's contents are undefined, and the front buffer
// reads back black under a virtual X server.)

#include <cstdint>
#include <vector>

namespace tk {

class FrameKeeper {
 public:
  ~FrameKeeper();
  // Copies the current back buffer (width x height) into the kept frame.
  void keepBackBuffer(int width, int height);
  // The kept frame as rows of 8-bit RGB, top row first. False when none was kept.
  bool readRgb(std::vector<uint8_t>* pixels, int* width, int* height);
  // Forgets the GL objects (the context is going away).
  void release();

 private:
  bool ensureTarget(int width, int height);
  unsigned framebuffer_ = 0;
  unsigned colour_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool kept_ = false;
};

FrameKeeper& frameKeeper();

}  // namespace tk
