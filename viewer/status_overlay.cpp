#include "viewer/status_overlay.h"

#include "api/draw_queue.h"

namespace tk {
namespace {

constexpr irr::u32 kBoxColour = 0x14000000;  // black, alpha 20
constexpr irr::u32 kTextColour = 0xFFFFFFFF;

}  // namespace

const char* const kUpdateFailedText = "UPDATE SCENE FAILED: cannot read tesk scene file. Try export again.";

void StatusOverlay::text(int x, int y, const std::string& text) {
  if (!text.empty()) queue_.addText(nullptr, x, y, kTextColour, text.data(), text.size());
}

void StatusOverlay::show(const ViewerStatus& status) {
  queue_.addBox(0, 0, 180, 30, kBoxColour);
  if (status.riding) queue_.addBox(0, 30, 90, 90, kBoxColour);
  text(0, 0, status.frame);
  text(0, 15, status.fps);
  if (status.riding) {
    text(105, 15, status.ride);
    for (int axis = 0; axis < 3; ++axis) {
      text(0, 30 + 10 * axis, status.camera.position[axis]);
      text(50, 30 + 10 * axis, status.camera.rotation[axis]);
    }
  }
  if (status.updateFailed) text(0, 30, kUpdateFailedText);
}

}  // namespace tk
