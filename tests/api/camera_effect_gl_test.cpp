// Camera effects drawn over a frame of the example scene by the forward
// renderer: one effect tints every pixel in place, hiding it restores the
// plain frame, and two effects run in the order they were switched on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "api/camera_effect_commands.h"
#include "api/effect_commands.h"
#include "api/render_frame.h"
#include "base/files/file_layer.h"
#include "base/log.h"
#include "platform/screenshot/frame_keeper.h"
#include "render/engine.h"
#include "render/renderer_manager.h"
#include "render/renderer_start.h"
#include "render/tk_manager.h"
#include "scene/scene_animation.h"
#include "scene/scene_slots.h"
#include "startup/sys_setup.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 90;
const std::string kShaders = TESK_SOURCE_DIR "/runtime/shadersPP/";

using Rgb = std::array<float, 3>;  // 0 to 1
using Grade = std::function<Rgb(Rgb)>;

Rgb tint(Rgb c) { return {c[0] * 1.0f, c[1] * 0.5f, c[2] * 0.25f}; }
Rgb sepia(Rgb c) {
  auto mix = [&](float r, float g, float b) { return std::min(1.0f, c[0] * r + c[1] * g + c[2] * b); };
  return {mix(0.393f, 0.769f, 0.189f), mix(0.349f, 0.686f, 0.168f), mix(0.272f, 0.534f, 0.131f)};
}

class CameraEffectDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(kWidth, kHeight), 0);
    // The forward renderer draws these frames: the engine's default on
    // OpenGL is the light pre-pass one, which anti-aliases after the camera
    // effects, so edges would depend on the grade.
    ITkRenderer* forward = tkEngine().manager->getRendererManager()->createRendererSimple(rendering().context);
    setCurrentRenderer(forward);
    forward->drop();
    fileLayer().setDirectory(TESK_SOURCE_DIR "/examples/scenes/orbit");
    SceneBases bases;
    bases.object = 1;
    bases.light = 1;
    ASSERT_EQ(LoadScene("orbit.tscn", 1, bases, false, "orbit"), 0);
    ShowScene(1);
    AnimateScene(1, 2500);
    frame();  // the camera follows its channels while a frame is drawn
    plain = frame();
    // The frame is not its own mirror image, so a picture turned over shows.
    std::vector<uint8_t> turned(plain.size());
    for (int y = 0; y < kHeight; ++y)
      std::copy_n(&plain[(kHeight - 1 - y) * kWidth * 3], kWidth * 3, &turned[y * kWidth * 3]);
    ASSERT_NE(turned, plain);
  }
  void TearDown() override { tkSysShutdown(); }

  static std::vector<uint8_t> frame() {
    renderFrame();
    std::vector<uint8_t> pixels = test::lastFrameRgb();
    EXPECT_EQ(pixels.size(), static_cast<size_t>(kWidth * kHeight * 3));
    return pixels;
  }

  // Pixels of `drawn` that differ from the graded plain frame by more than 2 levels.
  int mismatches(const std::vector<uint8_t>& drawn, const Grade& grade) const {
    int count = 0;
    for (size_t p = 0; p < plain.size(); p += 3) {
      Rgb expected = grade({plain[p] / 255.0f, plain[p + 1] / 255.0f, plain[p + 2] / 255.0f});
      for (int c = 0; c < 3; ++c)
        if (std::abs(expected[c] * 255.0f - drawn[p + c]) > 2.0f) {
          ++count;
          break;
        }
    }
    return count;
  }

  std::vector<uint8_t> plain;
};

TEST_F(CameraEffectDrawTest, ShownEffectGradesEveryPixelInPlace) {
  ASSERT_EQ(LoadEffect((kShaders + "Tint.hlsl").c_str(), 5), 0);
  const float grade[4] = {1, 0.5f, 0.25f, 1};
  SetEffectConstantFloatN(5, "Tint", grade, 4);
  ASSERT_EQ(MakeCameraEffect(1, 5), 0);
  ShowCameraEffect(1);
  EXPECT_EQ(mismatches(frame(), tint), 0);
  HideCameraEffect(1);
  EXPECT_EQ(mismatches(frame(), [](Rgb c) { return c; }), 0);
}

TEST_F(CameraEffectDrawTest, EffectsRunInTheOrderTheyWereShown) {
  ASSERT_EQ(LoadEffect((kShaders + "Tint.hlsl").c_str(), 5), 0);
  const float grade[4] = {1, 0.5f, 0.25f, 1};
  SetEffectConstantFloatN(5, "Tint", grade, 4);
  ASSERT_EQ(MakeCameraEffect(1, 5), 0);
  ASSERT_EQ(MakeCameraEffectFromFile(2, (kShaders + "Sepia.hlsl").c_str()), 0);
  ShowCameraEffect(2);
  ShowCameraEffect(1);
  std::vector<uint8_t> sepiaThenTint = frame();
  EXPECT_EQ(mismatches(sepiaThenTint, [](Rgb c) { return tint(sepia(c)); }), 0);
  HideCameraEffect(2);
  ShowCameraEffect(2);
  std::vector<uint8_t> tintThenSepia = frame();
  EXPECT_EQ(mismatches(tintThenSepia, [](Rgb c) { return sepia(tint(c)); }), 0);
  EXPECT_NE(sepiaThenTint, tintThenSepia);
}

// Frame after frame under a shown effect: each frame grades the scene as it is
// now, not a picture kept from an earlier frame.
TEST_F(CameraEffectDrawTest, EveryFrameGradesTheSceneAsItIsNow) {
  ASSERT_EQ(LoadEffect((kShaders + "Tint.hlsl").c_str(), 5), 0);
  ASSERT_EQ(MakeCameraEffect(1, 5), 0);
  ShowCameraEffect(1);
  const std::vector<uint8_t> early = frame();
  HideCameraEffect(1);
  AnimateScene(1, 4000);
  frame();
  plain = frame();
  ShowCameraEffect(1);
  frame();
  const std::vector<uint8_t> later = frame();
  EXPECT_NE(early, later);
  // Tint's default grade, give or take a rounding at an edge or two.
  EXPECT_LT(mismatches(later, [](Rgb c) { return Rgb{c[0], c[1] * 0.8f, c[2] * 0.6f}; }), 4);
}

}  // namespace
}  // namespace tk
