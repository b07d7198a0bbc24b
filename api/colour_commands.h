#pragma once
// Packing colours as 0xRRGGBB, the form every colour argument takes.

namespace tk {

// Each component cut to 8 bits.
int RGB(int r, int g, int b);
// Components 0 to 1, each multiplied by 255 and truncated, then packed like RGB.
int RGBf(float r, float g, float b);

}  // namespace tk
