// The frame's render settings and the named values surface effects read.
#include "render/post/post_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "effects/binds/semantic_map_bind.h"
#include "render/engine.h"

namespace tk {
namespace {

// Keeps what is declared and written, by name.
class RecordingSemantics : public ITkEffectBindSemanticMap {
 public:
  STkBindResult getBindFunction(const STkFxConstBind&, int[2]) override { return {}; }
  bool addSemantic(const char* name, int type) override { return types.emplace(name, type).second; }
  bool setFloat(const char* name, float value) override {
    if (!types.count(name)) return false;
    values[name] = value;
    return true;
  }
  bool setFloatArray(const char*, const float*, int) override { return false; }
  std::map<std::string, int> types;
  std::map<std::string, float> values;
};

STkCameraValues cameraWithDepthOfField() {
  STkCameraValues camera;
  camera.dofEnable = true;
  camera.dofFocalDistance = 12;
  camera.dofFStop = 2.8f;
  camera.advancedDofEnable = true;
  camera.advancedDofMinFocus = 3;
  camera.advancedDofFocused = 5;
  camera.advancedDofMaxFocus = 9;
  camera.advancedDofRadiusScale = 1.5f;
  return camera;
}

TEST(PostSettingsTest, AFrameTakesTheEngineValuesTheCameraAndTheViewer) {
  STkRenderSettings engine;
  EXPECT_EQ(engine.glowSurfaceIntensity, 1.0f) << "a scene without glow channels";
  engine.glowEnable = 1;
  engine.glowRadius = 32;
  engine.streakEnable = 1;
  engine.antialias[kAntialiasMode] = 0;
  const STkRenderSettings s = refreshedRenderSettings(engine, cameraWithDepthOfField(), 1, false);
  EXPECT_EQ(s.glowEnable, 1);
  EXPECT_EQ(s.glowRadius, 32);
  EXPECT_EQ(s.streakEnable, 1);
  EXPECT_EQ(s.antialias[kAntialiasMode], 0);
  EXPECT_EQ(s.dofEnable, 1);
  EXPECT_EQ(s.focalDistance, 12);
  EXPECT_EQ(s.fStop, 2.8f);
  EXPECT_EQ(s.advancedDofEnable, 1);
  EXPECT_EQ(s.dofFocalRangeMin, 3);
  EXPECT_EQ(s.dofFocalRangeFocused, 5);
  EXPECT_EQ(s.dofFocalRangeMax, 9);
  EXPECT_EQ(s.dofRadiusScale, 1.5f);
  EXPECT_EQ(s.colorSpaceViewer, 1);
  EXPECT_FALSE(s.baking);

  // Baked cube faces get neither glow, streaks nor colour-space conversion.
  const STkRenderSettings baked = refreshedRenderSettings(engine, cameraWithDepthOfField(), 1, true);
  EXPECT_TRUE(baked.baking);
  EXPECT_EQ(baked.glowEnable, 0);
  EXPECT_EQ(baked.streakEnable, 0);
  EXPECT_EQ(baked.colorSpaceViewer, 0);
  EXPECT_EQ(baked.glowRadius, 32) << "the values stay";
  EXPECT_EQ(baked.dofEnable, 1);
}

TEST(PostSettingsTest, SemanticsFollowTheSettingsAndBloomOffHidesItsChannels) {
  RecordingSemantics map;
  ASSERT_TRUE(declarePostSemantics(&map));
  EXPECT_EQ(map.types.size(), 8u);
  EXPECT_FALSE(declarePostSemantics(&map)) << "declared twice";

  STkRenderSettings s = refreshedRenderSettings(STkRenderSettings(), cameraWithDepthOfField(), 0, false);
  s.bloomThreshold = 0.7f;
  s.bloomIntensity = 2;
  s.glowSurfaceIntensity = 0.25f;
  refreshPostSemantics(&map, s);
  const std::map<std::string, float> off = {
      {"BloomThreshold", 100000}, {"BloomIntensity", 0}, {"GlowSurfaceIntensity", 0.25f},
      {"FocalDistance", 12},      {"FStop", 2.8f},       {"DofFocalRangeMin", 3},
      {"DofFocalRangeFocused", 5}, {"DofFocalRangeMax", 9}};
  EXPECT_EQ(map.values, off);

  s.bloomEnable = 1;
  refreshPostSemantics(&map, s);
  EXPECT_EQ(map.values["BloomThreshold"], 0.7f);
  EXPECT_EQ(map.values["BloomIntensity"], 2);
}

}  // namespace
}  // namespace tk
