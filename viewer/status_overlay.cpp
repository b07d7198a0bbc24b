#include "viewer/status_overlay.h"

namespace tk {
namespace {

const irr::video::SColor kBoxColour(20, 0, 0, 0);
const irr::video::SColor kTextColour(255, 255, 255, 255);
constexpr int kTextWidth = 600;  // wide enough for any status line
constexpr int kTextHeight = 15;

irr::core::stringw wide(const std::string& text) { return irr::core::stringw(text.c_str()); }

}  // namespace

const char* const kUpdateFailedText = "UPDATE SCENE FAILED: cannot read tesk scene file. Try export again.";

StatusOverlay::StatusOverlay(irr::gui::IGUIEnvironment* gui) : gui_(gui) {
  if (!gui_) return;
  // One parent holds every element, so that they leave together.
  root_ = gui_->addStaticText(L"", irr::core::recti(0, 0, kTextWidth, 100));
  root_->grab();
  statusBox_ = box(0, 0, 180, 30);
  frame_ = text(0, 0);
  fps_ = text(0, 15);
  ride_ = text(105, 15);
  rideBox_ = box(0, 30, 90, 60);
  for (int axis = 0; axis < 3; ++axis) {
    position_[axis] = text(0, 30 + 10 * axis);
    rotation_[axis] = text(50, 30 + 10 * axis);
  }
  failure_ = text(0, 30);
}

StatusOverlay::~StatusOverlay() {
  if (!root_) return;
  root_->remove();
  root_->drop();
}

irr::gui::IGUIStaticText* StatusOverlay::box(int x, int y, int width, int height) {
  irr::gui::IGUIStaticText* element =
      gui_->addStaticText(L"", irr::core::recti(x, y, x + width, y + height), false, false, root_);
  element->setDrawBackground(true);
  element->setBackgroundColor(kBoxColour);
  return element;
}

irr::gui::IGUIStaticText* StatusOverlay::text(int x, int y) {
  irr::gui::IGUIStaticText* element =
      gui_->addStaticText(L"", irr::core::recti(x, y, x + kTextWidth, y + kTextHeight), false, false, root_);
  element->setOverrideColor(kTextColour);
  if (irr::gui::IGUIFont* font = gui_->getBuiltInFont()) element->setOverrideFont(font);
  element->setVisible(false);
  return element;
}

void StatusOverlay::set(irr::gui::IGUIStaticText* element, const std::string& text, bool visible) {
  element->setText(wide(text).c_str());
  element->setVisible(visible && !text.empty());
}

void StatusOverlay::show(const ViewerStatus& status) {
  if (!root_) return;
  set(frame_, status.frame);
  set(fps_, status.fps);
  set(ride_, status.ride, status.riding);
  rideBox_->setVisible(status.riding);
  for (int axis = 0; axis < 3; ++axis) {
    set(position_[axis], status.camera.position[axis], status.riding);
    set(rotation_[axis], status.camera.rotation[axis], status.riding);
  }
  set(failure_, kUpdateFailedText, status.updateFailed);
}

}  // namespace tk
