#include "platform/ui/display_dialog.h"

#include <strings.h>

#include "base/log.h"
#include "platform/driver_choice.h"
#include "platform/screenshot/frame_keeper.h"
#include "platform/shader_compiler_probe.h"
#include "platform/window/window.h"

#include <X11/Xlib.h>

namespace tk {
namespace {

using irr::core::rect;

DisplayRecord g_lastDialog{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

enum WidgetId { ID_MODES = 100, ID_FULLSCREEN, ID_WINDOWED, ID_OK, ID_CANCEL };

const irr::video::SColor kGrey(255, 190, 190, 190);
const irr::video::SColor kOrange(255, 255, 150, 0);

irr::core::stringw wide(const std::string& text) { return irr::core::stringw(text.c_str()); }

void styleSkin(irr::gui::IGUIEnvironment* gui) {
  irr::gui::IGUISkin* skin = gui->getSkin();
  skin->setColor(irr::gui::EGDC_BUTTON_TEXT, kGrey);
  skin->setColor(irr::gui::EGDC_3D_FACE, irr::video::SColor(255, 40, 40, 40));
  skin->setColor(irr::gui::EGDC_3D_SHADOW, irr::video::SColor(255, 20, 20, 20));
  skin->setColor(irr::gui::EGDC_3D_HIGH_LIGHT, irr::video::SColor(255, 70, 70, 70));
  skin->setColor(irr::gui::EGDC_WINDOW, irr::video::SColor(255, 20, 20, 20));
  skin->setColor(irr::gui::EGDC_HIGH_LIGHT_TEXT, irr::video::SColor(255, 255, 255, 255));
}

irr::video::IVideoModeList* modeListOf(irr::IrrlichtDevice* device) { return device->getVideoModeList(); }

// X11 reports the depth of a visual: 24 means 32-bit pixels with a padding byte.
int pixelBits(int depth) { return depth == 24 ? 32 : depth; }

std::vector<VideoMode> availableModes(irr::video::IVideoModeList* list) {
  std::vector<VideoMode> modes;
  for (irr::s32 i = 0; i < list->getVideoModeCount(); ++i) {
    irr::core::dimension2du size = list->getVideoModeResolution(i);
    modes.push_back({static_cast<int>(size.Width), static_cast<int>(size.Height),
                     pixelBits(list->getVideoModeDepth(i)), 0});
  }
  return modes;
}

// The screen as X11 itself reports it, for servers without the mode extensions.
VideoMode screenModeOf(irr::IrrlichtDevice* device) {
  WindowHandle window = windowOf(device);
  if (!window.valid()) return {};
  Display* display = static_cast<Display*>(window.display);
  int screen = DefaultScreen(display);
  return {DisplayWidth(display, screen), DisplayHeight(display, screen), pixelBits(DefaultDepth(display, screen)), 0};
}

}  // namespace

std::string missingLibrariesText() {
  std::string text;
  if (const char* missing = missingShaderCompilerLibrary()) {
    char line[256];
    snprintf(line, sizeof line, "Missing %s. Please install this library.\n", missing);
    text += line;
  }
  return text;
}

void DisplayDialog::build(irr::IrrlichtDevice* device, const std::vector<VideoMode>& available,
                          const VideoMode& desktop, const std::string& missingLibraries) {
  irr::gui::IGUIEnvironment* gui = device->getGUIEnvironment();
  styleSkin(gui);
  modes_ = dialogModes(available);
  irr::gui::IGUIStaticText* label = gui->addStaticText(L"Display mode", rect<irr::s32>(20, 20, 220, 40));
  label->setOverrideColor(kGrey);
  modeList_ = gui->addComboBox(rect<irr::s32>(20, 44, 300, 66), nullptr, ID_MODES);
  for (const VideoMode& mode : modes_) modeList_->addItem(wide(modeLabel(mode)).c_str());
  modeList_->setSelected(preselectedMode(modes_, desktop));
  fullScreen_ = gui->addCheckBox(true, rect<irr::s32>(20, 80, 200, 100), nullptr, ID_FULLSCREEN, L"Full screen");
  windowed_ = gui->addCheckBox(false, rect<irr::s32>(20, 104, 200, 124), nullptr, ID_WINDOWED, L"Windowed");
  status_ = gui->addStaticText(wide(missingLibraries).c_str(), rect<irr::s32>(20, 136, 460, 190));
  status_->setOverrideColor(kOrange);
  ok_ = gui->addButton(rect<irr::s32>(260, 200, 350, 230), nullptr, ID_OK, L"OK");
  cancel_ = gui->addButton(rect<irr::s32>(360, 200, 450, 230), nullptr, ID_CANCEL, L"Cancel");
}

bool DisplayDialog::OnEvent(const irr::SEvent& event) {
  if (event.EventType != irr::EET_GUI_EVENT) return false;
  const irr::SEvent::SGUIEvent& e = event.GUIEvent;
  if (e.EventType == irr::gui::EGET_CHECKBOX_CHANGED) {
    // The two choices behave as one: exactly one of them is ticked.
    bool fullScreen = (e.Caller == fullScreen_) ? fullScreen_->isChecked() : !windowed_->isChecked();
    fullScreen_->setChecked(fullScreen);
    windowed_->setChecked(!fullScreen);
    return true;
  }
  if (e.EventType == irr::gui::EGET_BUTTON_CLICKED) {
    if (e.Caller == ok_) accept();
    if (e.Caller == cancel_) state_ = State::Cancelled;
    return true;
  }
  return false;
}

// OK with no mode selected takes the first mode; with no mode at all the
// dialog stays open, since there is nothing to start with.
void DisplayDialog::accept() {
  if (modes_.empty()) return;
  if (modeList_->getSelected() < 0) modeList_->setSelected(0);
  state_ = State::Accepted;
  g_lastDialog = result();
}

DisplayRecord DisplayDialog::result() const {
  DisplayRecord r;
  int index = modeList_->getSelected();
  if (index < 0 || index >= static_cast<int>(modes_.size())) return r;
  const VideoMode& mode = modes_[index];
  r.width = mode.width;
  r.height = mode.height;
  r.colorBits = mode.bits;
  r.windowed = fullScreen_->isChecked() ? 0 : 1;
  r.vsync = 1;
  r.centered = 0;
  return r;
}

bool runDisplayDialog(DisplayRecord* chosen) {
  // The engine's kept frame is taken out of its back buffer while its GL
  // context is still the current one.
  frameKeeper().secureKeptFrame();
  irr::IrrlichtDevice* device =
      irr::createDevice(irr::video::EDT_OPENGL, irr::core::dimension2du(480, 250), 32, false, false, false);
  if (!device) {
    log(LOG_ERROR, "cannot open the display dialog");
    return false;
  }
  device->setWindowCaption(L"Tesk");
  irr::core::dimension2du desktopSize = modeListOf(device)->getDesktopResolution();
  VideoMode desktop{static_cast<int>(desktopSize.Width), static_cast<int>(desktopSize.Height),
                    pixelBits(modeListOf(device)->getDesktopDepth()), 0};
  if (desktop.width == 0 || desktop.height == 0) desktop = screenModeOf(device);
  std::vector<VideoMode> modes = availableModes(modeListOf(device));
  // Some X servers list no modes at all: the desktop's own is always possible.
  if (modes.empty()) modes.push_back(desktop);
  DisplayDialog dialog;
  dialog.build(device, modes, desktop, missingLibrariesText());
  device->setEventReceiver(&dialog);
  while (dialog.state() == DisplayDialog::State::Open && device->run()) {
    device->getVideoDriver()->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
    device->getGUIEnvironment()->drawAll();
    device->getVideoDriver()->endScene();
  }
  bool accepted = dialog.state() == DisplayDialog::State::Accepted;
  if (accepted) *chosen = dialog.result();
  device->setEventReceiver(nullptr);
  device->closeDevice();
  device->run();
  device->drop();
  return accepted;
}

int screenModeOption(const char* name) {
  if (!name) return -1;
  const DisplayRecord& d = g_lastDialog;
  struct Entry {
    const char* name;
    int value;
  } entries[] = {{"width", d.width},   {"height", d.height},       {"windowed", d.windowed}, {"bpp", d.colorBits},
                 {"vsync", d.vsync},   {"fps", d.frameRate},       {"antialias", d.antialias},
                 {"shaders", d.shaders}, {"stereo", d.stereo},     {"centered", d.centered}};
  for (const Entry& e : entries)
    if (strcasecmp(name, e.name) == 0) return e.value;
  return -1;
}

}  // namespace tk
