// Named values declared at run time.
#include "effects/binds/semantic_map_bind.h"

#include "tests/effects/binds/bind_test_support.h"

namespace tk {
namespace {

using test::floatsNear;

TEST(SemanticMapBindTest, DeclaringAndSettingValues) {
  test::Held<CTkEffectBindSemanticMap> map(new CTkEffectBindSemanticMap());
  EXPECT_TRUE(map->addSemantic("BloomThreshold", kParamFloat));
  EXPECT_TRUE(map->setFloat("BloomThreshold", 0.8f));
  EXPECT_FALSE(map->addSemantic("BloomThreshold", kParamFloat4)) << "the first declaration stays";
  EXPECT_FALSE(map->addSemantic("Flag", kParamBool));
  EXPECT_FALSE(map->setFloat("Unknown", 1));
  EXPECT_FALSE(map->setFloatArray("Unknown", nullptr, 0));

  STkFxConstBind threshold = test::constantOf(kStagePixel, kParamFloat4, "BloomThreshold");
  ASSERT_TRUE(test::answers(map.get(), &threshold));
  test::RecordingServices services;
  test::call(threshold, &services);
  EXPECT_EQ(services.byName(kStagePixel, "c"), std::vector<float>{0.8f}) << "the value's own float count";

  for (auto [semantic, type] : {std::pair{"BloomThreshold", kParamInt},
                                {"BloomThreshold", kParamBool},
                                {"bloomthreshold", kParamFloat},
                                {"Unknown", kParamFloat}}) {
    STkFxConstBind constant = test::constantOf(kStagePixel, type, semantic);
    EXPECT_FALSE(test::answers(map.get(), &constant)) << semantic << " " << type;
  }
}

TEST(SemanticMapBindTest, ArraysAreCutAtSixteenFloatsAndRegistersTakeTheValueAsStored) {
  test::Held<CTkEffectBindSemanticMap> map(new CTkEffectBindSemanticMap());
  ASSERT_TRUE(map->addSemantic("Offsets", kParamFloat4x4));
  float data[20];
  for (int i = 0; i < 20; ++i) data[i] = static_cast<float>(i);
  EXPECT_TRUE(map->setFloatArray("Offsets", data, sizeof data));

  STkFxConstBind byName = test::constantOf(kStageVertex, kParamFloat4x4, "Offsets");
  STkFxConstBind byRegister = test::constantOf(kStageVertex, kParamFloat4x4, "Offsets", "m", 7, 4);
  STkFxConstBind oversized = test::constantOf(kStageVertex, kParamFloat4x4, "Offsets", "m", 0, 12);
  ASSERT_TRUE(test::answers(map.get(), &byName) && test::answers(map.get(), &byRegister) &&
              test::answers(map.get(), &oversized));
  test::RecordingServices services;
  test::call(byName, &services);
  test::call(byRegister, &services);
  test::call(oversized, &services);
  const std::vector<float> stored(data, data + 16);
  EXPECT_EQ(services.byName(kStageVertex, "c"), stored);
  ASSERT_EQ(services.registerWrites.size(), 2u);
  EXPECT_EQ(services.registerWrites[0].firstRegister, 7);
  EXPECT_EQ(services.registerWrites[0].floats, stored);
  EXPECT_EQ(services.registerWrites[1].floats.size(), 16u) << "never reads past the value";
}

}  // namespace
}  // namespace tk
