#pragma once
// The size of the screen a window would open on, asked of the X server before
// any device exists, so that start-up can refuse a size the screen cannot show.

namespace tk {

struct ScreenSize {
  int width = 0;
  int height = 0;
};

// The default screen of the display named by DISPLAY; false when there is no
// display to ask.
bool defaultScreenSize(ScreenSize* size);

}  // namespace tk
