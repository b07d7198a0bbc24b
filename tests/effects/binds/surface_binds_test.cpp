// Binds that read the drawn node's extension: LightWave and HyperVoxel
// surfaces and the reflection cube map.
#include "effects/binds/bind_environment.h"
#include "effects/binds/lightwave_binds.h"
#include "effects/binds/node_ext_bind.h"
#include "effects/runtime/effect_material.h"
#include "tests/effects/binds/bind_test_support.h"
#include "tests/effects/binds/surface_fakes.h"

namespace tk {
namespace {

using test::floatsNear;
using test::valueOf;

class SurfaceBindTest : public test::NullDeviceTest {
 protected:
  void SetUp() override {
    NullDeviceTest::SetUp();
    node = scenes->addEmptySceneNode();
    extension.surfaces = {&lightwave, &hyperVoxel};
    hyperVoxel.type = kTkSurfaceLightwaveHV;
    lookup.extensions[node] = &extension;
    environment.device = device;
    environment.videoDriverExt = &blendFactors;
    environment.nodeExtensions = &lookup;
    context.node = node;
  }

  STkMaterialContext contextFor(int materialIndex) {
    STkMaterialContext made = context;
    made.materialIndex = materialIndex;
    return made;
  }

  irr::scene::ISceneNode* node = nullptr;
  test::FakeSurface lightwave, hyperVoxel;
  test::FakeNodeExt extension;
  test::FakeLookup lookup;
  test::BlendFactorRecorder blendFactors;
  STkBindEnvironment environment;
  STkMaterialContext context;
};

TEST_F(SurfaceBindTest, LightwaveParametersByConstantType) {
  lightwave.ints[31] = 3;                      // Sidedness
  lightwave.floats[9] = 0.5f;                  // Glossiness
  lightwave.vectors[0].set(0.1f, 0.2f, 0.3f);  // BaseColor
  test::Held<CTkEffectBindLightwave> bind(new CTkEffectBindLightwave(environment));
  STkMaterialContext first = contextFor(0);
  ASSERT_TRUE(bind->onSetMaterial(&first));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "LW_Sidedness", kParamInt), {3}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "LW_Sidedness", kParamBool), {3}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "LW_Glossiness", kParamFloat), {0.5f}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "LW_BaseColor", kParamFloat3), {0.1f, 0.2f, 0.3f}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "LW_Roughness", kParamFloat), {128}));
  for (auto [semantic, type] : {std::pair{"LW_BaseColor", kParamFloat4},
                                {"LW_basecolor", kParamFloat3},
                                {"LW_Glossiness", kParamFloat2},
                                {"LW_Unknown", kParamFloat}}) {
    STkFxConstBind constant = test::constantOf(kStagePixel, type, semantic);
    EXPECT_FALSE(test::answers(bind.get(), &constant)) << semantic << " " << type;
  }
}

TEST_F(SurfaceBindTest, ReflectionMaxMipFollowsTheLargerSide) {
  test::Held<CTkEffectBindLightwave> bind(new CTkEffectBindLightwave(environment));
  STkMaterialContext first = contextFor(0);
  ASSERT_TRUE(bind->onSetMaterial(&first));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "LW_ReflectionMaxMip", kParamFloat), {1}));
  const struct {
    irr::u32 width, height;
    float expected;
  } rows[] = {{256, 128, 8}, {128, 512, 9}, {2, 2, 1}, {4, 1, 2}};
  for (const auto& row : rows) {
    test::SizedTexture image(row.width, row.height);
    lightwave.textures[35] = &image;
    EXPECT_TRUE(floatsNear(valueOf(bind.get(), "LW_ReflectionMaxMip", kParamFloat), {row.expected}))
        << row.width << "x" << row.height;
    lightwave.textures[35] = nullptr;
  }
}

TEST_F(SurfaceBindTest, MissingPiecesFailWithTheirMessage) {
  test::FakeLookup empty;
  const struct {
    const char* name;
    irr::scene::ISceneNode* node;
    ITkNodeExtensionLookup* lookup;
    int materialIndex;
    const char* lightwaveMessage;
    const char* hyperVoxelMessage;
  } rows[] = {
      {"no node", nullptr, &lookup, 0, "CTkEffectBindLightwave::onSetMaterial : Missing matExt->Node",
       "CTkEffectBindLightwaveHV::onSetMaterial : Missing matExt->Node"},
      {"no lookup", node, nullptr, 0, "CTkEffectBindLightwave::onSetMaterial : Missing ITkSceneNodeExt",
       "CTkEffectBindLightwaveHV::onSetMaterial : Missing ITkSceneNodeExt"},
      {"no extension", node, &empty, 0, "CTkEffectBindLightwave::onSetMaterial : Missing ITkSceneNodeExt",
       "CTkEffectBindLightwaveHV::onSetMaterial : Missing ITkSceneNodeExt"},
      {"no surface", node, &lookup, 2, "CTkEffectBindLightwave::onSetMaterial : Missing Surface at index 2",
       "CTkEffectBindLightwaveHV::onSetMaterial : Missing Surface at index 2"},
  };
  for (const auto& row : rows) {
    STkBindEnvironment partial = environment;
    partial.nodeExtensions = row.lookup;
    test::Held<CTkEffectBindLightwave> lw(new CTkEffectBindLightwave(partial));
    test::Held<CTkEffectBindLightwaveHV> hv(new CTkEffectBindLightwaveHV(partial));
    STkMaterialContext drawn = contextFor(row.materialIndex);
    drawn.node = row.node;
    test::CapturedStdout out;
    EXPECT_FALSE(lw->onSetMaterial(&drawn)) << row.name;
    EXPECT_FALSE(hv->onSetMaterial(&drawn)) << row.name;
    const std::string text = out.take();
    EXPECT_NE(text.find(row.lightwaveMessage), std::string::npos) << row.name << ": " << text;
    EXPECT_NE(text.find(row.hyperVoxelMessage), std::string::npos) << row.name << ": " << text;
  }
}

TEST_F(SurfaceBindTest, EachBindRefusesTheOtherKind) {
  test::Held<CTkEffectBindLightwave> lw(new CTkEffectBindLightwave(environment));
  test::Held<CTkEffectBindLightwaveHV> hv(new CTkEffectBindLightwaveHV(environment));
  STkMaterialContext lwSurface = contextFor(0), hvSurface = contextFor(1);
  test::CapturedStdout out;
  EXPECT_FALSE(lw->onSetMaterial(&hvSurface));
  EXPECT_FALSE(hv->onSetMaterial(&lwSurface));
  const std::string text = out.take();
  EXPECT_NE(text.find("CTkEffectBindLightwave::onSetMaterial : Unexpected Surface type != ETKST_LIGHTWAVE at index 1"),
            std::string::npos)
      << text;
  EXPECT_NE(
      text.find("CTkEffectBindLightwaveHV::onSetMaterial : Unexpected Surface type != ETKST_LIGHTWAVEHV at index 0"),
      std::string::npos)
      << text;
}

TEST_F(SurfaceBindTest, HyperVoxelBlockCountsPerStage) {
  STkHyperVoxelData& data = hyperVoxel.hyperVoxel;
  for (int i = 0; i < kHyperVoxelKeyCount; ++i) {
    data.sizeKeyValues[i] = 10.0f + i;
    data.colorKeyPositions[i] = i * 0.1f;
  }
  data.colorKeyCount = 4;
  data.color[1] = 0.5f;
  test::Held<CTkEffectBindLightwaveHV> bind(new CTkEffectBindLightwaveHV(environment));
  STkMaterialContext second = contextFor(1);
  ASSERT_TRUE(bind->onSetMaterial(&second));
  EXPECT_EQ(valueOf(bind.get(), "LWHV_SizeKeyValues", kParamFloat4, kStagePixel).size(), 8u);
  const std::vector<float> vertex = valueOf(bind.get(), "LWHV_SizeKeyValues", kParamFloat4, kStageVertex);
  ASSERT_EQ(vertex.size(), 9u);
  EXPECT_EQ(vertex[8], 18.0f);
  EXPECT_EQ(valueOf(bind.get(), "LWHV_ColorKeyParams").size(), 8u);
  EXPECT_EQ(valueOf(bind.get(), "LWHV_ColorKeyValues").size(), 36u);
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "LWHV_ColorNumKeys", kParamFloat), {4}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "LWHV_Color"), {1, 0.5f, 1, 1}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "LWHV_Size", kParamFloat), {0.2f}));
}

// Draws itself in the transparent pass, where it applies the surface binds.
class TransparentDrawer : public irr::scene::ISceneNode {
 public:
  TransparentDrawer(irr::scene::ISceneManager* scenes, std::vector<ITkEffectBind*> binds,
                    std::vector<STkMaterialContext> contexts)
      : ISceneNode(scenes->getRootSceneNode(), scenes), binds_(binds), contexts_(contexts) {
    setAutomaticCulling(irr::scene::EAC_OFF);
  }
  void OnRegisterSceneNode() override {
    SceneManager->registerNodeForRendering(this, irr::scene::ESNRP_TRANSPARENT);
    ISceneNode::OnRegisterSceneNode();
  }
  void render() override {
    for (size_t i = 0; i < binds_.size(); ++i) binds_[i]->onSetMaterial(&contexts_[i]);
  }
  const irr::core::aabbox3df& getBoundingBox() const override { return box_; }

 private:
  std::vector<ITkEffectBind*> binds_;
  std::vector<STkMaterialContext> contexts_;
  irr::core::aabbox3df box_;
};

TEST_F(SurfaceBindTest, TransparentPassesTakeTheBlendFactorFromTheSurface) {
  lightwave.floats[25] = 0.6f;  // GlowValue
  hyperVoxel.hyperVoxel.opacity = 1.7f;
  test::Held<CTkEffectBindLightwave> lw(new CTkEffectBindLightwave(environment));
  test::Held<CTkEffectBindLightwaveHV> hv(new CTkEffectBindLightwaveHV(environment));
  STkMaterialContext first = contextFor(0), second = contextFor(1);
  ASSERT_TRUE(lw->onSetMaterial(&first));
  EXPECT_TRUE(blendFactors.factors.empty()) << "outside a transparent pass";

  scenes->addCameraSceneNode();
  auto* drawer = new TransparentDrawer(scenes, {lw.get(), hv.get()}, {first, second});
  drawer->drop();
  scenes->drawAll();
  ASSERT_EQ(blendFactors.factors.size(), 2u);
  EXPECT_EQ(blendFactors.factors[0], irr::video::SColor(153, 0, 0, 0));
  EXPECT_EQ(blendFactors.factors[1], irr::video::SColor(255, 0, 0, 0));
}

TEST_F(SurfaceBindTest, CubeMapPositionAndBox) {
  extension.boxPosition.set(1, 2, 3);
  extension.boxScale.set(4, 5, 6);
  test::Held<CTkEffectBindNodeExt> bind(new CTkEffectBindNodeExt(environment));
  ASSERT_TRUE(bind->onSetMaterial(&context));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "CubeMapPosition", kParamFloat3), {0, 0, 0}));
  extension.hasCubeMap = true;
  extension.cubeMapPosition.set(-7, 8, 9);
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "CubeMapPosition", kParamFloat3), {-7, 8, 9}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "CubeMapAABBPosition", kParamFloat3), {1, 2, 3}));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "CubeMapAABBScale", kParamFloat3), {4, 5, 6}));

  STkBindEnvironment withoutLookup = environment;
  withoutLookup.nodeExtensions = nullptr;
  test::Held<CTkEffectBindNodeExt> blind(new CTkEffectBindNodeExt(withoutLookup));
  test::CapturedStdout out;
  EXPECT_FALSE(blind->onSetMaterial(&context));
  STkMaterialContext noNode;
  EXPECT_FALSE(blind->onSetMaterial(&noNode));
  const std::string text = out.take();
  EXPECT_NE(text.find("CTkEffectBindNodeExt::onSetMaterial : Missing ITkSceneNodeExt"), std::string::npos) << text;
  EXPECT_NE(text.find("CTkEffectBindNodeExt::onSetMaterial : Missing matExt->Node"), std::string::npos) << text;
}

}  // namespace
}  // namespace tk
