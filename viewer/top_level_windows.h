#pragma once
// Finding other programs' windows on the X display by their titles.

#include <functional>
#include <string>
#include <vector>

namespace tk {

// The window's title: its UTF-8 "_NET_WM_NAME", else its "WM_NAME"; "" when it has none.
std::string windowTitle(void* display, unsigned long window);

// Top-level windows whose title passes the test, in stacking order (bottom first).
// A window manager puts each top-level window into a frame of its own: the
// frame's children are searched when the frame itself has no title.
std::vector<unsigned long> findTopLevelWindows(void* display,
                                               const std::function<bool(const std::string& title)>& matches);

}  // namespace tk
