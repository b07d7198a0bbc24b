#pragma once
// Frame messages from the modelling package to the scene viewer.
//
// The package (or its exporter) tells the viewer which frame it shows by sending
// an X11 ClientMessage to the viewer's window (the top-level window titled
// "Tesk"): message type "TESK_SYNC_FRAME", format 32, data.l[0] = 0x7000 and
// data.l[1] = the frame number, sent with XSendEvent and no event mask. The
// display library turns such a message into a user event (0x7000, frame), which
// the event receiver keeps as the sync frame.

#include <cstdint>
#include <string>
#include <vector>

namespace tk {

// The message type. The display library takes every client message whose type
// name begins with the same letter as "WM_DELETE_WINDOW" for a close request,
// so the name must not begin with "W".
extern const char* const kSyncFrameMessageType;
extern const char* const kViewerWindowTitle;

// Sends one frame message to a window; false when it could not be sent.
bool sendSyncFrame(void* display, unsigned long window, uint32_t frame);

// The open viewer windows (titled "Tesk") of a display.
std::vector<unsigned long> findViewerWindows(void* display);

}  // namespace tk
