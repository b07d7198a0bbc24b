#pragma once

namespace irr::video {
class IVideoDriver;
}

namespace tk {

// Whether presenting a frame on this driver's window leaves the back buffer as
// it was (a copying swap). Learnt by presenting two nearly black frames of
// different colours and reading the back buffer after the second; false on any
// doubt, and on drivers other than OpenGL.
bool backBufferSurvivesSwap(irr::video::IVideoDriver* driver);

}  // namespace tk
