#pragma once
// Message boxes drawn with the display library's GUI inside the engine window.

namespace irr {
class IrrlichtDevice;
}

namespace tk {

// Installs a message box host on the device when it has a window to show it in.
void installGuiMessageBoxHost(irr::IrrlichtDevice* device);

}  // namespace tk
