#pragma once
// Drawing tests start the engine on the OpenGL driver in a small window and
// read back what the last frame showed.

#include <irrlicht.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tk::test {

// The engine in a window of width x height, without vertical sync and with
// message boxes off; tkSysSetup's answer (0 when it started).
int startGlEngine(int width, int height);
// The last kept frame as rows of 8-bit RGB, top row first; empty when none was kept.
std::vector<uint8_t> lastFrameRgb();

// The colour of the pixel of a width x height frame (rows of RGB, top row
// first) where a world point lands for the scene's active camera; a point off
// the frame fails the test and reads black.
inline irr::video::SColor pixelAtPoint(const std::vector<uint8_t>& rgb, int width, int height,
                                       irr::scene::ISceneManager* scene, const irr::core::vector3df& point) {
  const irr::core::position2di at = scene->getSceneCollisionManager()->getScreenCoordinatesFrom3DPosition(point);
  const bool inside = at.X >= 0 && at.X < width && at.Y >= 0 && at.Y < height;
  EXPECT_TRUE(inside && rgb.size() == static_cast<size_t>(width * height * 3)) << at.X << "," << at.Y;
  if (!inside || rgb.size() != static_cast<size_t>(width * height * 3)) return irr::video::SColor(0);
  const uint8_t* p = &rgb[(static_cast<size_t>(at.Y) * width + at.X) * 3];
  return irr::video::SColor(255, p[0], p[1], p[2]);
}

}  // namespace tk::test
