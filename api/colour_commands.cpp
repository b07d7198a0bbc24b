#include "api/colour_commands.h"

#include <cmath>

namespace tk {
namespace {

// Truncated toward zero; values beyond the int range keep only their low byte's
// worth of meaning anyway, so they are held at the range's ends.
int componentOf(float unit) {
  float scaled = unit * 255.0f;
  if (std::isnan(scaled)) return 0;
  if (scaled >= 2147483520.0f) return 0x7FFFFFFF;
  if (scaled <= -2147483648.0f) return -0x7FFFFFFF - 1;
  return static_cast<int>(scaled);
}

}  // namespace

int RGB(int r, int g, int b) { return (r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF); }

int RGBf(float r, float g, float b) { return RGB(componentOf(r), componentOf(g), componentOf(b)); }

}  // namespace tk
