// The surface manager makes surfaces by kind name and by type code.
#include <gtest/gtest.h>

#include "surfaces/surface_manager.h"
#include "tests/surfaces/surface_fakes.h"

namespace tk::test {
namespace {

TEST(SurfaceManagerTest, MakesBothKindsAndNothingElse) {
  CTkSurfaceManager manager;
  const std::pair<const char*, irr::u32> byName[] = {
      {"lightwave", kTkSurfaceLightwave}, {"lightwave_hv", kTkSurfaceLightwaveHV}, {"LightWave", 0},
      {"lwsr", 0},                        {"", 0},                                 {nullptr, 0},
  };
  for (const auto& [name, type] : byName) {
    Held<ITkSurface> surface(manager.createSurface(name));
    EXPECT_EQ(type, surface.get() ? surface->getType() : 0) << (name ? name : "null");
    if (surface.get()) {
      EXPECT_EQ(1, surface->getReferenceCount());
    }
  }
  for (irr::u32 type : {kTkSurfaceLightwave, kTkSurfaceLightwaveHV}) {
    Held<ITkSurface> surface(manager.createSurface(type));
    ASSERT_TRUE(surface.get());
    EXPECT_EQ(type, surface->getType());
  }
  EXPECT_EQ(nullptr, manager.createSurface(MAKE_IRR_ID('m', 'e', 's', 'h')));
}

}  // namespace
}  // namespace tk::test
