#include "platform/ui/gui_message_box.h"

#include <irrlicht.h>

#include <string>

#include "base/message_box.h"
#include "platform/screenshot/frame_keeper.h"
#include "platform/window/window.h"

namespace tk {
namespace {

std::wstring widen(const char* text) {
  irr::core::stringw wide(text);
  return wide.c_str();
}

class GuiMessageBoxHost : public MessageBoxHost {
 public:
  void attach(irr::IrrlichtDevice* device) { device_ = device; }

  // Modal: runs the device until the box is closed or the window goes away.
  void show(const char* caption, const char* text) override {
    irr::gui::IGUIEnvironment* gui = device_->getGUIEnvironment();
    irr::video::IVideoDriver* driver = device_->getVideoDriver();
    irr::gui::IGUIWindow* box =
        gui->addMessageBox(widen(caption).c_str(), widen(text).c_str(), true, irr::gui::EMBF_OK);
    if (!box) return;
    box->grab();
    // The box draws over the back buffer, which may hold the kept frame.
    frameKeeper().secureKeptFrame();
    while (box->getParent() && device_->run()) {
      driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
      gui->drawAll();
      driver->endScene();
    }
    if (box->getParent()) box->remove();
    box->drop();
  }

 private:
  irr::IrrlichtDevice* device_ = nullptr;
};

GuiMessageBoxHost g_host;

}  // namespace

void installGuiMessageBoxHost(irr::IrrlichtDevice* device) {
  if (!windowOf(device).valid()) return;
  g_host.attach(device);
  setMessageBoxHost(&g_host);
}

}  // namespace tk
