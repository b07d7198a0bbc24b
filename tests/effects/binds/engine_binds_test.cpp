// The engine's bind list: which bind answers a semantic first.
#include <typeinfo>

#include "effects/binds/bind_environment.h"
#include "effects/binds/camera_bind.h"
#include "effects/binds/default_bind.h"
#include "effects/binds/event_bind.h"
#include "effects/binds/last_frame_bind.h"
#include "effects/binds/light_binds.h"
#include "effects/binds/lightwave_binds.h"
#include "effects/binds/material_bind.h"
#include "effects/binds/node_ext_bind.h"
#include "effects/binds/object_bind.h"
#include "effects/binds/screen_bind.h"
#include "effects/binds/time_bind.h"
#include "effects/binds/transform_bind.h"
#include "tests/effects/binds/bind_test_support.h"

namespace tk {
namespace {

class EngineBindsTest : public test::NullDeviceTest {
 protected:
  void SetUp() override {
    NullDeviceTest::SetUp();
    STkBindEnvironment environment;
    environment.device = device;
    binds = createEngineBinds(environment);
  }
  void TearDown() override {
    for (ITkEffectBind* bind : binds) bind->drop();
    NullDeviceTest::TearDown();
  }

  // The first bind of the list that answers.
  ITkEffectBind* winner(int stage, int type, const char* semantic) {
    for (ITkEffectBind* bind : binds) {
      STkFxConstBind constant = test::constantOf(stage, type, semantic);
      if (test::answers(bind, &constant)) return bind;
    }
    return nullptr;
  }

  std::vector<ITkEffectBind*> binds;
};

TEST_F(EngineBindsTest, FourteenBindsWithTheDefaultLast) {
  ASSERT_EQ(binds.size(), 14u);
  const std::type_info* expected[] = {
      &typeid(CTkEffectBindTransform),   &typeid(CTkEffectBindTime),
      &typeid(CTkEffectBindScreen),      &typeid(CTkEffectBindLightwave),
      &typeid(CTkEffectBindLightwaveHV), &typeid(CTkEffectBindLightParams),
      &typeid(CTkEffectBindLight),       &typeid(CTkEffectBindCamera),
      &typeid(CTkEffectBindNodeExt),     &typeid(CTkEffectBindLastFrameInfo),
      &typeid(CTkEffectBindObject),      &typeid(CTkEffectBindMaterial),
      &typeid(CTkEffectBindEvent),       &typeid(CTkEffectBind),
  };
  for (size_t i = 0; i < binds.size(); ++i) EXPECT_TRUE(typeid(*binds[i]) == *expected[i]) << i;
}

TEST_F(EngineBindsTest, EachSemanticReachesItsBind) {
  const struct {
    const char* semantic;
    int type;
    int stage;
    size_t bind;
  } rows[] = {
      {"WorldViewProjection", kParamFloat4x4, kStageVertex, 0},
      {"TimeScene", kParamFloat, kStagePixel, 1},
      {"PixelSize", kParamFloat2, kStagePixel, 2},
      {"LW_Glossiness", kParamFloat, kStagePixel, 3},
      {"LWHV_Size", kParamFloat, kStageVertex, 4},
      {"LightParams", kParamFloat4, kStagePixel, 5},
      {"LightPos0", kParamFloat4, kStagePixel, 6},
      {"FocalLength", kParamFloat, kStagePixel, 7},
      {"CubeMapAABBScale", kParamFloat3, kStagePixel, 8},
      {"PrevViewProjection", kParamFloat4x4, kStageVertex, 9},
      {"ObjectTrans2", kParamFloat4x4, kStageVertex, 10},
      {"Texture[2].Size", kParamFloat2, kStagePixel, 11},
      {"Mouse", kParamFloat4, kStagePixel, 12},
      // Unknown semantics, and ones a bind refuses for the constant, fall to the default.
      {"GlowIntensity", kParamFloat, kStagePixel, 13},
      {"LightParams", kParamFloat4, kStageVertex, 13},
      {"LW_Glossiness", kParamFloat4, kStagePixel, 13},
  };
  for (const auto& row : rows) EXPECT_EQ(winner(row.stage, row.type, row.semantic), binds[row.bind]) << row.semantic;
}

}  // namespace
}  // namespace tk
