#pragma once
// Colour formats of render targets by their numeric codes.

#include <irrlicht.h>

namespace tk {

enum ColorFormatCode {
  CF_A1R5G5B5 = 0,
  CF_R5G6B5 = 1,
  CF_R8G8B8 = 2,
  CF_A8R8G8B8 = 3,
  CF_R16F = 10,
  CF_G16R16F = 11,
  CF_A16B16G16R16F = 12,
  CF_R32F = 13,
  CF_G32R32F = 14,
  CF_A32B32G32R32F = 15,
  CF_NONE = 16,
};

// The display library's format for a code; CF_NONE (and any unknown code) is A8R8G8B8.
irr::video::ECOLOR_FORMAT colorFormatOf(int code);

}  // namespace tk
