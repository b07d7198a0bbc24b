#include "render/color_formats.h"

namespace tk {

irr::video::ECOLOR_FORMAT colorFormatOf(int code) {
  switch (code) {
    case CF_A1R5G5B5: return irr::video::ECF_A1R5G5B5;
    case CF_R5G6B5: return irr::video::ECF_R5G6B5;
    case CF_R8G8B8: return irr::video::ECF_R8G8B8;
    case CF_R16F: return irr::video::ECF_R16F;
    case CF_G16R16F: return irr::video::ECF_G16R16F;
    case CF_A16B16G16R16F: return irr::video::ECF_A16B16G16R16F;
    case CF_R32F: return irr::video::ECF_R32F;
    case CF_G32R32F: return irr::video::ECF_G32R32F;
    case CF_A32B32G32R32F: return irr::video::ECF_A32B32G32R32F;
    default: return irr::video::ECF_A8R8G8B8;
  }
}

}  // namespace tk
