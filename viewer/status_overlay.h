#pragma once
// The scene viewer's status display, drawn over the frame with the display
// library's built-in font: GUI elements that the frame function draws with the
// rest of the GUI.

#include <string>

#include <irrlicht.h>

#include "viewer/viewer_status.h"

namespace tk {

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
  explicit StatusOverlay(irr::gui::IGUIEnvironment* gui);
  ~StatusOverlay();
  StatusOverlay(const StatusOverlay&) = delete;
  StatusOverlay& operator=(const StatusOverlay&) = delete;

  void show(const ViewerStatus& status);

 private:
  irr::gui::IGUIStaticText* box(int x, int y, int width, int height);
  irr::gui::IGUIStaticText* text(int x, int y);
  static void set(irr::gui::IGUIStaticText* element, const std::string& text, bool visible = true);

  irr::gui::IGUIEnvironment* gui_;
  irr::gui::IGUIElement* root_ = nullptr;
  irr::gui::IGUIStaticText* statusBox_ = nullptr;
  irr::gui::IGUIStaticText* frame_ = nullptr;
  irr::gui::IGUIStaticText* fps_ = nullptr;
  irr::gui::IGUIStaticText* ride_ = nullptr;
  irr::gui::IGUIStaticText* rideBox_ = nullptr;
  irr::gui::IGUIStaticText* position_[3] = {};
  irr::gui::IGUIStaticText* rotation_[3] = {};
  irr::gui::IGUIStaticText* failure_ = nullptr;
};

}  // namespace tk
