#include "render/video_driver_ext.h"

#include <epoxy/gl.h>
#include <gtest/gtest.h>

namespace tk {
namespace {

TEST(VideoDriverExtCodesTest, EngineCodesToGl) {
  EXPECT_EQ(glBlendFactorOf(0), static_cast<unsigned>(GL_ZERO));
  EXPECT_EQ(glBlendFactorOf(7), static_cast<unsigned>(GL_ONE_MINUS_SRC_ALPHA));
  EXPECT_EQ(glBlendFactorOf(10), static_cast<unsigned>(GL_SRC_ALPHA_SATURATE));
  EXPECT_EQ(glBlendFactorOf(200), static_cast<unsigned>(GL_CONSTANT_COLOR));
  EXPECT_EQ(glBlendFactorOf(11), 0u);
  struct Case {
    int code;
    unsigned op;
  } operations[] = {{1, GL_FUNC_ADD}, {3, GL_FUNC_REVERSE_SUBTRACT}, {4, GL_MIN}, {8, GL_MIN}, {9, GL_MAX}, {0, 0}};
  for (const Case& c : operations) EXPECT_EQ(glBlendOperationOf(c.code), c.op) << c.code;
  EXPECT_EQ(glStencilOperationOf(4), static_cast<unsigned>(GL_INCR));
  EXPECT_EQ(glStencilOperationOf(7), static_cast<unsigned>(GL_INCR_WRAP));
  EXPECT_EQ(glStencilOperationOf(9), 0u);
  EXPECT_EQ(glComparisonOf(0), static_cast<unsigned>(GL_ALWAYS));
  EXPECT_EQ(glComparisonOf(7), static_cast<unsigned>(GL_ALWAYS));
  EXPECT_EQ(glComparisonOf(8), static_cast<unsigned>(GL_NEVER));
  EXPECT_EQ(glComparisonOf(12), 0u);
}

TEST(VideoDriverExtCodesTest, NullExtensionChangesNothing) {
  CTkNullVideoDriverExt ext;
  STkTextureLock lock;
  EXPECT_EQ(ext.lockTexture(nullptr, 1, 0, &lock), nullptr);
  EXPECT_EQ(ext.lockCubeTexture(nullptr, 1, 0, 0, &lock), nullptr);
  EXPECT_EQ(ext.getMipLevelCount(nullptr), 0);
  EXPECT_FALSE(ext.beginScene());
  EXPECT_FALSE(ext.endScene());
}

}  // namespace
}  // namespace tk
