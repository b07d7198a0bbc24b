#include "viewer/modelling_package.h"

#include <gtest/gtest.h>

namespace tk {
namespace {

TEST(ModellingPackageTest, TheModellingPackageIsKnownByItsLayoutWindowTitle) {
  struct Case {
    const char* title;
    bool matches;
  } cases[] = {
      {"LightWave 3D 2020 - NewTek - Layout [scene.lws]", true},
      {"Layout (NewTek LightWave)", true},
      {"LightWave NewTek Modeler", false},
      {"LightWave NewTek Layout.exe", false},
      {"lightwave newtek layout", false},
      {"Tesk", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(isModellingPackageTitle(c.title), c.matches) << c.title;
}

}  // namespace
}  // namespace tk
