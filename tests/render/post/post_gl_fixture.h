#pragma once
// Post-processing components drawn on OpenGL: the engine in a small window,
// the advanced context made from the engine's own shader files, float render
// targets filled from pictures and read back value by value.

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "render/engine.h"
#include "render/gl/gl_texture_name.h"
#include "render/render_services.h"
#include "render/renderer_ctx_adv.h"
#include "render/renderer_manager.h"
#include "render/tk_manager.h"
#include "startup/sys_setup.h"
#include "tests/support/gl_engine.h"
#include "tests/support/runtime_base_directory.h"

namespace tk::test {

struct Rgba {
  float r = 0, g = 0, b = 0, a = 0;
};

// Rows top first, as the picture shows them.
struct FloatPicture {
  int width = 0, height = 0;
  std::vector<Rgba> pixels;
  const Rgba& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

class PostGlTest : public ::testing::Test {
 protected:
  static constexpr int kScreenWidth = 160;
  static constexpr int kScreenHeight = 90;

  void SetUp() override {
    ASSERT_EQ(startGlEngine(kScreenWidth, kScreenHeight), 0);
    driver = tkEngine().driver;
    manager = tkEngine().manager;
    renderers = manager->getRendererManager();
    services = manager->getRenderServices();
    ASSERT_TRUE(renderers->createRenderTargets(3));
    // The depth target stores depth over the camera's far distance: with a
    // far distance of 1 the depths a test writes are view depths as they are.
    irr::scene::ISceneManager* scene = tkEngine().device->getSceneManager();
    irr::scene::ICameraSceneNode* camera = scene->addCameraSceneNode();
    camera->setFarValue(1.0f);
    camera->setNearValue(0.0001f);
    scene->setActiveCamera(camera);
    RuntimeBaseDirectory runtime;
    context = renderers->createRendererCtxAdv(services, manager->getEffectManager(), ctxAdvFiles(true));
    ASSERT_TRUE(context);
  }
  void TearDown() override {
    if (context) context->drop();
    tkSysShutdown();
  }

  irr::video::ITexture* floatTarget(const char* name, int width, int height,
                                    irr::video::ECOLOR_FORMAT format = irr::video::ECF_A16B16G16R16F) {
    irr::video::ITexture* texture = renderers->targets().create(name, irr::core::dimension2du(width, height), format,
                                                                false, false);
    EXPECT_TRUE(texture) << name;
    return texture;
  }

  // A picture of width x height whose pixel (x, y), top row first, is colour(x, y).
  irr::video::ITexture* picture(const char* name, int width, int height,
                                const std::function<irr::video::SColor(int, int)>& colour) {
    irr::video::IImage* image = driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(width, height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) image->setPixel(x, y, colour(x, y));
    driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, false);
    irr::video::ITexture* texture = driver->addTexture(name, image);
    image->drop();
    EXPECT_TRUE(texture) << name;
    return texture;
  }

  // Copies a picture into a target, upright.
  void fill(irr::video::ITexture* target, irr::video::ITexture* source) {
    services->setRenderTargets(&target, 1);
    services->copyTexture(source);
  }
  // Through the render services, as the components set their targets (the
  // display library's own clear on a target switch may land elsewhere).
  void fill(irr::video::ITexture* target, irr::video::SColor colour) {
    const std::string name = "colour " + std::to_string(colour.color);
    irr::video::ITexture* plain = driver->findTexture(name.c_str());
    if (!plain) plain = picture(name.c_str(), 1, 1, [colour](int, int) { return colour; });
    fill(target, plain);
  }

  static FloatPicture read(irr::video::ITexture* texture) {
    FloatPicture picture;
    const irr::core::dimension2du size = texture->getSize();
    picture.width = static_cast<int>(size.Width);
    picture.height = static_cast<int>(size.Height);
    std::vector<Rgba> bottomUp(size.Width * size.Height);
    glGetTextureImage(glTextureNameOf(texture), 0, GL_RGBA, GL_FLOAT,
                      static_cast<GLsizei>(bottomUp.size() * sizeof(Rgba)), bottomUp.data());
    for (int y = picture.height - 1; y >= 0; --y)
      picture.pixels.insert(picture.pixels.end(), bottomUp.begin() + static_cast<long>(y) * picture.width,
                            bottomUp.begin() + static_cast<long>(y + 1) * picture.width);
    return picture;
  }

  static bool finite(const FloatPicture& picture) {
    for (const Rgba& p : picture.pixels)
      if (!std::isfinite(p.r) || !std::isfinite(p.g) || !std::isfinite(p.b) || !std::isfinite(p.a)) return false;
    return true;
  }

  // Begins a frame as the engine does, clearing nothing: the display
  // library would clear whatever target is still set.
  void beginFrame() { driver->beginScene(false, false); }
  void endFrame() { driver->endScene(); }

  irr::video::IVideoDriver* driver = nullptr;
  CTkManager* manager = nullptr;
  CTkRendererManager* renderers = nullptr;
  CTkRenderServices* services = nullptr;
  CTkRendererCtxAdv* context = nullptr;
};

}  // namespace tk::test
