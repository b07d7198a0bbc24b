#pragma once
// The list of display modes the display dialog offers, and its preselection.

#include <string>
#include <vector>

namespace tk {

struct VideoMode {
  int width = 0;
  int height = 0;
  int bits = 0;
  int refresh = 0;
};

// Modes of 32 bits or more, the first of each (width, height, bits), sorted by
// width, height, bits and refresh rate.
std::vector<VideoMode> dialogModes(const std::vector<VideoMode>& available);

// "%4d x %4d", with " (recommended)" for 1280 x 720 at 32 bits.
std::string modeLabel(const VideoMode& mode);

// The recommended entry, else the desktop's, else 1920 x 1080 at 32 bits; -1 when none.
int preselectedMode(const std::vector<VideoMode>& modes, const VideoMode& desktop);

}  // namespace tk
