#pragma once
// The scene viewer's status display: texts in the display library's built-in
// font on faint boxes, queued as 2D draws for the frame about to be drawn.

#include <string>

#include "viewer/viewer_status.h"

namespace tk {

class CTkDrawQueue;

struct ViewerStatus {
  std::string frame;  // at (0, 0)
  std::string fps;    // at (0, 15)
  bool riding = false;
  std::string ride;  // at (105, 15)
  CameraStatusTexts camera;
  bool updateFailed = false;
};

extern const char* const kUpdateFailedText;

class StatusOverlay {
 public:
  explicit StatusOverlay(CTkDrawQueue& queue) : queue_(queue) {}

  // Queues the display for the next frame; call it once before each frame.
  void show(const ViewerStatus& status);

 private:
  void text(int x, int y, const std::string& text);

  CTkDrawQueue& queue_;
};

}  // namespace tk
