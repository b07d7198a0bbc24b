#pragma once
// Which video driver the engine creates: OpenGL where an X display exists,
// the null driver otherwise or when TESK_DRIVER=null asks for it.

#include <irrlicht.h>

namespace tk {

irr::video::E_DRIVER_TYPE chooseVideoDriver();
// The choice without logging, for code that only needs to know.
bool displayAvailable();

}  // namespace tk
