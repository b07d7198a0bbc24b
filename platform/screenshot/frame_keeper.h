#pragma once
// Keeps the last finished frame, as it was just before it was presented, so
// that screenshots and frame capture read what was shown. (After a swap the
// back buffer's contents are undefined in general, and the front buffer reads
// back black under a virtual X server.)
//
// Where the platform's swap copies the back buffer to the window and leaves it
// as it was (software rasterisers do), the finished frame stays in the back
// buffer and costs nothing to keep; it is copied out only when something is
// about to draw over it outside the engine's frame. Elsewhere each finished
// frame is copied into a target of the keeper's own.

#include <cstdint>
#include <vector>

namespace tk {

class FrameKeeper {
 public:
  ~FrameKeeper();
  // What the swap does to the back buffer on this window (see
  // backBufferSurvivesSwap); copying every frame until told otherwise.
  void setBackBufferSurvivesSwap(bool survives);
  // The back buffer (width x height) holds a finished frame about to be
  // presented: it becomes the kept frame.
  void frameFinished(int width, int height);
  // Copies the current back buffer (width x height) into the kept frame.
  void keepBackBuffer(int width, int height);
  // Called before drawing into the back buffer outside the engine's frame: a
  // kept frame that lives only in the back buffer is copied out first.
  void secureKeptFrame();
  // The kept frame as rows of 8-bit RGB, top row first. False when none was kept.
  bool readRgb(std::vector<uint8_t>* pixels, int* width, int* height);
  // Forgets the GL objects and the kept frame (the context is going away).
  void release();

 private:
  enum class Kept { kNothing, kCopied, kInBackBuffer };
  bool ensureTarget(int width, int height);
  void deleteTarget();
  void copyBackBuffer(int width, int height);
  unsigned framebuffer_ = 0;
  unsigned colour_ = 0;
  int targetWidth_ = 0;
  int targetHeight_ = 0;
  int keptWidth_ = 0;
  int keptHeight_ = 0;
  Kept kept_ = Kept::kNothing;
  bool backBufferSurvivesSwap_ = false;
};

FrameKeeper& frameKeeper();

}  // namespace tk
