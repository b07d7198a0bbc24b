#include "platform/ui/video_modes.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace tk {
namespace {

bool isRecommended(const VideoMode& m) { return m.width == 1280 && m.height == 720 && m.bits == 32; }

int findMode(const std::vector<VideoMode>& modes, int width, int height, int bits) {
  for (size_t i = 0; i < modes.size(); ++i)
    if (modes[i].width == width && modes[i].height == height && modes[i].bits == bits) return static_cast<int>(i);
  return -1;
}

}  // namespace

std::vector<VideoMode> dialogModes(const std::vector<VideoMode>& available) {
  std::vector<VideoMode> kept;
  for (const VideoMode& mode : available) {
    if (mode.bits < 32) continue;
    if (findMode(kept, mode.width, mode.height, mode.bits) >= 0) continue;
    kept.push_back(mode);
  }
  std::sort(kept.begin(), kept.end(), [](const VideoMode& a, const VideoMode& b) {
    return std::tie(a.width, a.height, a.bits, a.refresh) < std::tie(b.width, b.height, b.bits, b.refresh);
  });
  return kept;
}

std::string modeLabel(const VideoMode& mode) {
  char text[64];
  snprintf(text, sizeof text, "%4d x %4d", mode.width, mode.height);
  std::string label = text;
  if (isRecommended(mode)) label += " (recommended)";
  return label;
}

int preselectedMode(const std::vector<VideoMode>& modes, const VideoMode& desktop) {
  int index = findMode(modes, 1280, 720, 32);
  if (index < 0) index = findMode(modes, desktop.width, desktop.height, desktop.bits);
  if (index < 0) index = findMode(modes, 1920, 1080, 32);
  return index;
}

}  // namespace tk
