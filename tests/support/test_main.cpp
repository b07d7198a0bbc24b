// Test entry: fixes the environment the engine reads, so that every test runs
// the same however it is started. TESK_TEST_DRIVER is set by the build.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "base/files/file_layer.h"

int main(int argc, char** argv) {
  setenv("TESK_MESSAGE_BOXES", "0", 1);
  setenv("TESK_DRIVER", TESK_TEST_DRIVER, 1);
  if (strcmp(TESK_TEST_DRIVER, "null") == 0) unsetenv("DISPLAY");
  // On OpenGL the engine starts its advanced renderer, which loads the
  // engine's own effect files: those of the source tree's runtime folder.
  if (strcmp(TESK_TEST_DRIVER, "opengl") == 0) tk::setBaseDirectory(TESK_SOURCE_DIR "/runtime/");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
