#pragma once
// The display dialog: asks for a video mode and full screen or window when no
// setup file says so.

#include <irrlicht.h>

#include <string>
#include <vector>

#include "base/command_line.h"
#include "platform/ui/video_modes.h"

namespace tk {

// The dialog's widgets and answers, on a device the caller owns.
class DisplayDialog : public irr::IEventReceiver {
 public:
  enum class State { Open, Accepted, Cancelled };

  // Builds the widgets; `missingLibraries` fills the status line.
  void build(irr::IrrlichtDevice* device, const std::vector<VideoMode>& available, const VideoMode& desktop,
             const std::string& missingLibraries);
  bool OnEvent(const irr::SEvent& event) override;

  State state() const { return state_; }
  const std::vector<VideoMode>& modes() const { return modes_; }
  irr::gui::IGUIComboBox* modeList() const { return modeList_; }
  irr::gui::IGUIButton* okButton() const { return ok_; }
  irr::gui::IGUIButton* cancelButton() const { return cancel_; }
  irr::gui::IGUICheckBox* fullScreenChoice() const { return fullScreen_; }
  irr::gui::IGUICheckBox* windowedChoice() const { return windowed_; }
  irr::gui::IGUIStaticText* statusLine() const { return status_; }
  // The chosen display; meaningful once accepted.
  DisplayRecord result() const;

 private:
  void accept();

  std::vector<VideoMode> modes_;
  irr::gui::IGUIComboBox* modeList_ = nullptr;
  irr::gui::IGUICheckBox* fullScreen_ = nullptr;
  irr::gui::IGUICheckBox* windowed_ = nullptr;
  irr::gui::IGUIStaticText* status_ = nullptr;
  irr::gui::IGUIButton* ok_ = nullptr;
  irr::gui::IGUIButton* cancel_ = nullptr;
  State state_ = State::Open;
};

// Shows the dialog in a window of its own. False when cancelled or when there is
// no display to show it on; otherwise the chosen display record.
bool runDisplayDialog(DisplayRecord* chosen);

// The value the last completed dialog chose for "width", "height", "windowed",
// "bpp", "vsync", "fps", "antialias", "shaders", "stereo" or "centered" (any
// case); -1 for another or no name; 0 before any dialog.
int screenModeOption(const char* name);

// The status line's text for the libraries that are missing.
std::string missingLibrariesText();

}  // namespace tk
