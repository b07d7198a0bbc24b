#include "viewer/frame_message.h"

#include <X11/Xlib.h>

#include "platform/input/event_receiver.h"
#include "viewer/top_level_windows.h"

namespace tk {

const char* const kSyncFrameMessageType = "TESK_SYNC_FRAME";
const char* const kViewerWindowTitle = "Tesk";

bool sendSyncFrame(void* display, unsigned long window, uint32_t frame) {
  auto* x = static_cast<Display*>(display);
  if (!x || !window) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(x, kSyncFrameMessageType, False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = kSyncFrameEvent;
  event.xclient.data.l[1] = static_cast<long>(frame);
  if (!XSendEvent(x, window, False, NoEventMask, &event)) return false;
  XFlush(x);
  return true;
}

std::vector<unsigned long> findViewerWindows(void* display) {
  return findTopLevelWindows(display, [](const std::string& title) { return title == kViewerWindowTitle; });
}

}  // namespace tk
