// The OpenGL video driver extension sets GL state and locks display-library textures.
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include "base/log.h"
#include "render/engine.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"

namespace tk {
namespace {

class GlVideoDriverExtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disableMessageBoxes();
    SysSetup setup;
    setup.vsync = 0;
    ASSERT_EQ(tkSysSetup(setup), 0);
    ext = tkEngine().manager->getVideoDriverExt();
  }
  void TearDown() override { tkSysShutdown(); }
  static GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
  }
  ITkVideoDriverExt* ext = nullptr;
};

TEST_F(GlVideoDriverExtTest, BlendStencilAndBiasReachGl) {
  ext->setAlphaBlend(2, 1, 0);
  ext->setSeparateAlphaBlendEnable(true);
  EXPECT_EQ(integer(GL_BLEND_EQUATION_ALPHA), GL_FUNC_SUBTRACT);
  EXPECT_EQ(integer(GL_BLEND_SRC_ALPHA), GL_ONE);
  EXPECT_EQ(integer(GL_BLEND_DST_ALPHA), GL_ZERO);
  ext->setSeparateAlphaBlendEnable(false);
  EXPECT_EQ(integer(GL_BLEND_SRC_ALPHA), integer(GL_BLEND_SRC_RGB));
  ext->setBlendFactor(irr::video::SColor(255, 255, 0, 51));
  GLfloat colour[4];
  glGetFloatv(GL_BLEND_COLOR, colour);
  EXPECT_FLOAT_EQ(colour[0], 1.0f);
  EXPECT_FLOAT_EQ(colour[2], 0.2f);
  ext->setStencil(1);
  ext->setStencilFunc(2);
  ext->setStencilPass(3);
  EXPECT_TRUE(glIsEnabled(GL_STENCIL_TEST));
  EXPECT_EQ(integer(GL_STENCIL_FUNC), GL_EQUAL);
  EXPECT_EQ(integer(GL_STENCIL_REF), 1);
  EXPECT_EQ(integer(GL_STENCIL_PASS_DEPTH_PASS), GL_REPLACE);
  ext->setStencil(0);
  EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
  ext->setDepthBias(2, 1);
  EXPECT_TRUE(glIsEnabled(GL_POLYGON_OFFSET_FILL));
  ext->setDepthBias(0, 0);
  EXPECT_FALSE(glIsEnabled(GL_POLYGON_OFFSET_FILL));
  EXPECT_TRUE(ext->beginScene());
  EXPECT_TRUE(ext->endScene());
}

TEST_F(GlVideoDriverExtTest, LocksTexturesLevelByLevel) {
  irr::video::IVideoDriver* driver = tkEngine().driver;
  driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, true);
  irr::video::ITexture* texture = driver->addTexture(irr::core::dimension2du(8, 4), "locked", irr::video::ECF_A8R8G8B8);
  ASSERT_TRUE(texture);
  EXPECT_EQ(ext->getMipLevelCount(texture), 4);
  STkTextureLock lock;
  TkTextureLockHandle* handle = ext->lockTexture(texture, 0, 0, &lock);
  ASSERT_TRUE(handle);
  EXPECT_EQ(lock.width, 8);
  EXPECT_EQ(lock.height, 4);
  EXPECT_EQ(lock.pitch, 32);
  static_cast<irr::u32*>(lock.data)[0] = 0xFF112233;
  ext->unlockTexture(handle);
  handle = ext->lockTexture(texture, 1, 0, &lock);
  ASSERT_TRUE(handle);
  EXPECT_EQ(static_cast<irr::u32*>(lock.data)[0], 0xFF112233u);
  ext->unlockTexture(handle);
  EXPECT_EQ(ext->lockTexture(texture, 1, 9, &lock), nullptr);
  EXPECT_EQ(ext->lockCubeTexture(nullptr, 1, 0, 0, &lock), nullptr);
}

}  // namespace
}  // namespace tk
