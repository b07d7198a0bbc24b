// tesk-sync-frame FRAME [WINDOW]
// Tells the scene viewer which frame the modelling package shows: sends the frame
// message to the given window, or to every open viewer window ("Tesk") of the
// display named by DISPLAY.
#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "viewer/frame_message.h"

namespace {

// A window that closes while the message is on its way is no reason to stop.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

bool parseNumber(const char* text, unsigned long long limit, unsigned long long* value) {
  char* end = nullptr;
  errno = 0;
  *value = strtoull(text, &end, 0);
  return errno == 0 && end != text && *end == 0 && *value <= limit && text[0] != '-';
}

}  // namespace

int main(int argc, char** argv) {
  unsigned long long frame = 0, window = 0;
  if (argc < 2 || argc > 3 || !parseNumber(argv[1], 0xFFFFFFFFull, &frame) ||
      (argc == 3 && !parseNumber(argv[2], ~0ul, &window))) {
    fprintf(stderr, "usage: %s FRAME [WINDOW]\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    fprintf(stderr, "cannot open the X display '%s'\n", getenv("DISPLAY") ? getenv("DISPLAY") : "");
    return 1;
  }
  XSetErrorHandler(ignoreXErrors);
  std::vector<unsigned long> windows;
  if (window) {
    windows.push_back(window);
  } else {
    windows = tk::findViewerWindows(display);
  }
  if (windows.empty()) fprintf(stderr, "no window titled \"%s\" is open\n", tk::kViewerWindowTitle);
  int sent = 0;
  for (unsigned long target : windows) {
    if (!tk::sendSyncFrame(display, target, static_cast<uint32_t>(frame))) continue;
    printf("frame %llu sent to window 0x%lx\n", frame, target);
    ++sent;
  }
  XSync(display, False);
  XCloseDisplay(display);
  return sent > 0 ? 0 : 1;
}
