// The node extension on the null driver: its records as material contexts,
// rebuilding a material from surface and effect, tangents, copies, the cube
// map slot and box, and letting go.
#include <gtest/gtest.h>

#include "surfaces/lightwave_macros.h"
#include "surfaces/lightwave_parameters.h"
#include "surfaces/surface_lightwave.h"
#include "tests/render/node_ext/node_ext_fixture.h"

namespace tk::test {
namespace {

TEST_F(NodeExtTest, OneRecordPerMaterialEachAMaterialContext) {
  irr::scene::IMeshSceneNode* node = meshNode(3);
  CTkSceneNodeExt* extension = tkScenes()->getNodeExt(node);
  ASSERT_TRUE(extension);
  EXPECT_EQ(tkScenes()->getNodeExt(node), extension);  // found, not made again
  EXPECT_EQ(extension->getType(), 4321);
  EXPECT_EQ(extension->getNode(), node);
  ASSERT_EQ(extension->getRecordCount(), 3);
  for (int i = 0; i < 3; ++i) {
    const STkNodeExtMaterial* record = extension->getRecord(i);
    EXPECT_EQ(record->marker, 0x123456);
    EXPECT_EQ(record->materialIndex, i);
    EXPECT_EQ(record->node, node);
    EXPECT_EQ(record->effect, nullptr);
    EXPECT_EQ(record->surface, nullptr);
    EXPECT_EQ(contexts()->find(static_cast<float>(record->contextNumber)), record);
  }
  EXPECT_FALSE(extension->isCubeMapBox());
  EXPECT_EQ(extension->getCubeMapBoxPosition(), irr::core::vector3df(0, 0, 0));
  EXPECT_EQ(extension->getCubeMapBoxScale(), irr::core::vector3df(1000000, 1000000, 1000000));
  EXPECT_FALSE(extension->getCastShadows());
  EXPECT_EQ(extension->getSelectionMask(), 0u);
  EXPECT_EQ(tkScenes()->findNodeExt(node), extension);
  EXPECT_EQ(tkScenes()->findNodeExt(scenes()->addEmptySceneNode()), nullptr);
}

TEST_F(NodeExtTest, RebuildWritesSurfaceThenEffectAndPointsAtTheRecord) {
  irr::scene::IMeshSceneNode* node = meshNode(2);
  CTkSceneNodeExt* extension = tkScenes()->getNodeExt(node);
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  surface->setVector(kLwBaseColor, {1, 0, 0});
  surface->setTexture(kLwBaseColor, &colour);
  surface->setTexture(kLwBump, &bump);
  surface->setTextureOption(kLwBump, 1);
  extension->setSurface(1, surface.object);
  // Without an effect the surface's fixed-function look.
  EXPECT_EQ(node->getMaterial(1).MaterialType, irr::video::EMT_PARALLAX_MAP_SOLID);
  EXPECT_EQ(node->getMaterial(1).DiffuseColor, irr::video::SColor(255, 255, 0, 0));
  EXPECT_EQ(node->getMaterial(0).MaterialType, irr::video::EMT_SOLID);

  Held<CTkEffect> effect(makeEffect());
  ASSERT_TRUE(effect.object);
  extension->setEffect(1, effect.object, 0, 0);
  const STkNodeExtMaterial* record = extension->getRecord(1);
  const irr::video::SMaterial& material = node->getMaterial(1);
  EXPECT_EQ(material.MaterialType, effect->pass(0, 0)->material.base.MaterialType);
  EXPECT_EQ(material.DiffuseColor, irr::video::SColor(255, 255, 0, 0));  // the surface under the effect
  EXPECT_EQ(contexts()->find(material.MaterialTypeParam2), record);
  // The surface's textures sit in the layers the pass samples them from.
  ASSERT_EQ(record->saved.size(), 2u);  // two techniques of one pass each
  ASSERT_EQ(record->material, &record->layers);
  int colourLayers = 0, bumpLayers = 0;
  for (const STkTextureLayer& layer : record->layers.pixelLayers) {
    colourLayers += layer.texture == &colour;
    if (layer.texture == &bump) {
      ++bumpLayers;
      EXPECT_TRUE(layer.sRGB);  // the texture option
    }
  }
  EXPECT_EQ(colourLayers, 1);
  EXPECT_EQ(bumpLayers, 1);

  extension->clearEffect(1);
  EXPECT_EQ(extension->getEffect(1), nullptr);
  EXPECT_EQ(node->getMaterial(1).MaterialType, irr::video::EMT_PARALLAX_MAP_SOLID);
  extension->clearSurface(1);
  EXPECT_EQ(extension->getSurface(1), nullptr);
}

// Setting again the effect whose last reference the record holds keeps it.
TEST_F(NodeExtTest, SettingTheSameEffectAgainKeepsIt) {
  irr::scene::IMeshSceneNode* node = meshNode(1);
  CTkSceneNodeExt* extension = tkScenes()->getNodeExt(node);
  CTkEffect* effect = makeEffect();
  ASSERT_TRUE(effect);
  extension->setEffect(0, effect, 0, 0);
  effect->drop();  // the record holds the last reference
  ASSERT_EQ(effect->getReferenceCount(), 1);
  extension->setEffect(0, effect, 1, 0);
  ASSERT_EQ(extension->getEffect(0), effect);
  EXPECT_EQ(effect->getReferenceCount(), 1);
  EXPECT_EQ(extension->getRecord(0)->technique, 1);
  EXPECT_EQ(node->getMaterial(0).MaterialType, effect->pass(1, 0)->material.base.MaterialType);
}

TEST_F(NodeExtTest, SettersIgnoreMissingRecordsAndAbsentEffects) {
  irr::scene::IMeshSceneNode* node = meshNode(1);
  CTkSceneNodeExt* extension = tkScenes()->getNodeExt(node);
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  Held<CTkEffect> effect(makeEffect());
  extension->setSurface(1, surface.object);
  extension->setEffect(-1, effect.object, 0, 0);
  extension->setTechnique(0, 1);  // no effect yet
  extension->setSurface(0, nullptr);
  EXPECT_EQ(surface->getReferenceCount(), 1);
  EXPECT_EQ(effect->getReferenceCount(), 1);
  EXPECT_EQ(extension->getRecord(0)->technique, 0);
  EXPECT_EQ(extension->getEffect(5), nullptr);
  EXPECT_EQ(extension->getSurface(-1), nullptr);
  EXPECT_EQ(extension->getTechniqueForPath(0, 0), -1);
}

TEST_F(NodeExtTest, SavedEffectsComeBack) {
  irr::scene::IMeshSceneNode* node = meshNode(2);
  CTkSceneNodeExt* extension = tkScenes()->getNodeExt(node);
  Held<CTkEffect> first(makeEffect()), second(makeEffect({"OTHER"}));
  extension->setEffect(0, first.object, 1, 0);
  std::vector<STkNodeExtSavedEffect> saved;
  extension->saveEffects(&saved);
  ASSERT_EQ(saved.size(), 2u);
  EXPECT_EQ(saved[0].effect, first.object);
  EXPECT_EQ(saved[0].technique, 1);
  EXPECT_EQ(saved[1].effect, nullptr);
  extension->setTechnique(0, 0);
  extension->setEffect(1, second.object, 0, 0);
  extension->restoreEffects(saved);
  EXPECT_EQ(extension->getEffect(0), first.object);
  EXPECT_EQ(extension->getRecord(0)->technique, 1);
  EXPECT_EQ(extension->getEffect(1), nullptr);
  EXPECT_EQ(second->getReferenceCount(), 1);
}

TEST_F(NodeExtTest, RenderPathsSelectTechniquesUntilRestored) {
  irr::scene::IMeshSceneNode* node = meshNode(2);
  CTkSceneNodeExt* extension = tkScenes()->getNodeExt(node);
  Held<CTkEffect> effect(makeEffect());
  extension->setEffect(0, effect.object, 0, 0);
  const int depth = tkEngine().manager->getTechLookup()->findTechnique("depth");
  ASSERT_GE(depth, 0);
  EXPECT_EQ(extension->getTechniqueForPath(0, depth), 1);
  EXPECT_FALSE(extension->selectTechnique(1, depth));  // no effect
  ASSERT_TRUE(extension->selectTechnique(0, depth));
  EXPECT_EQ(node->getMaterial(0).MaterialType, effect->pass(1, 0)->material.base.MaterialType);
  EXPECT_EQ(extension->getRecord(0)->technique, 1);
  extension->restoreTechniques();
  EXPECT_EQ(node->getMaterial(0).MaterialType, effect->pass(0, 0)->material.base.MaterialType);
  EXPECT_EQ(extension->getRecord(0)->technique, 0);
}

// ---- tangents ---------------------------------------------------------------------

enum class Kind { Static, Animated };

struct TangentCase {
  const char* name;
  Kind kind;
  int mode;
  bool bumpTexture;
  bool effectWantsTangents;
  bool unindexedBuffer;
  bool expected;
};

class NodeExtTangentsTest : public NodeExtTest, public ::testing::WithParamInterface<TangentCase> {};

TEST_P(NodeExtTangentsTest, DecidesFromModeSurfacesAndEffects) {
  const TangentCase& c = GetParam();
  irr::scene::ISceneNode* node;
  if (c.kind == Kind::Animated) {
    node = animatedNode();
  } else {
    irr::scene::SMesh* mesh = quadMesh(1);
    if (c.unindexedBuffer) {
      irr::scene::IMeshBuffer* loose = quadBuffer(false, false);
      mesh->addMeshBuffer(loose);
      loose->drop();
    }
    node = scenes()->addMeshSceneNode(mesh);
    mesh->drop();
  }
  CTkSceneNodeExt* extension = tkScenes()->getNodeExt(node);
  extension->setTangentsMode(c.mode);
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  if (c.bumpTexture) surface->setTexture(kLwBump, &bump);
  extension->setSurface(0, surface.object);
  Held<CTkEffect> effect(makeEffect(c.effectWantsTangents ? std::vector<std::string>{"WANT_TANGENTS"}
                                                          : std::vector<std::string>{}));
  extension->setEffect(0, effect.object, 0, 0);
  EXPECT_EQ(extension->needTangents(), c.expected);
  ASSERT_TRUE(extension->update());
  irr::scene::IMesh* mesh = meshOfNode(node);
  EXPECT_EQ(mesh->getMeshBuffer(0)->getVertexType() == irr::video::EVT_TANGENTS, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NodeExtTangentsTest,
    ::testing::Values(TangentCase{"PlainSurface", Kind::Static, kTangentsDecide, false, false, false, false},
                      TangentCase{"BumpTexture", Kind::Static, kTangentsDecide, true, false, false, true},
                      TangentCase{"EffectAsks", Kind::Static, kTangentsDecide, false, true, false, true},
                      TangentCase{"ModeNever", Kind::Static, kTangentsNever, true, true, false, false},
                      TangentCase{"ModeAlways", Kind::Static, kTangentsAlways, false, false, false, true},
                      TangentCase{"AnimatedMesh", Kind::Animated, kTangentsAlways, true, true, false, false},
                      TangentCase{"UnindexedBuffer", Kind::Static, kTangentsAlways, true, false, true, false}),
    [](const ::testing::TestParamInfo<TangentCase>& info) { return info.param.name; });

TEST_F(NodeExtTest, BuffersWithoutTheirMaterialAreWarnedAbout) {
  irr::scene::IMeshSceneNode* node = meshNode(1);
  CTkSceneNodeExt* extension = tkScenes()->getNodeExt(node);
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  surface->setTexture(kLwBump, &bump);
  extension->setSurface(0, surface.object);
  // Buffers added after the node copied its materials have none of their own.
  for (int i = 0; i < 2; ++i) {
    irr::scene::IMeshBuffer* extra = quadBuffer(false);
    static_cast<irr::scene::SMesh*>(node->getMesh())->addMeshBuffer(extra);
    extra->drop();
  }
  setLogThreshold(LOG_WARN);
  CapturedStdout out;
  EXPECT_TRUE(extension->needTangents());  // buffer 0 still decides
  const std::string logged = out.take();
  EXPECT_NE(logged.find("CTkSceneNodeExt::needTangents : Warning, the mesh buffer 1 is not pointing to any material "
                        "of the node"),
            std::string::npos)
      << logged;
  EXPECT_NE(logged.find("CTkSceneNodeExt::needTangents : Warning, the mesh buffer 2 use a material index out of bound"),
            std::string::npos)
      << logged;
}

TEST_F(NodeExtTest, TangentCopyKeepsVerticesIndicesMaterialsAndTheSecondUVSet) {
  irr::scene::IMeshSceneNode* node = meshNode(2, true);
  node->setMaterialFlag(irr::video::EMF_NORMALIZE_NORMALS, true);
  CTkSceneNodeExt* extension = tkScenes()->getNodeExt(node);
  extension->setBufferUV2Info(1, 7, 0x1);  // buffer 1's colour map reads the second UV set
  EXPECT_TRUE(extension->hasUV2());
  irr::scene::IMesh* before = node->getMesh();
  before->grab();
  extension->setTangentsMode(kTangentsAlways);
  ASSERT_TRUE(extension->update());
  irr::scene::IMesh* after = node->getMesh();
  ASSERT_NE(after, before);
  EXPECT_EQ(after->getMeshBuffer(0)->getHardwareMappingHint_Vertex(), irr::scene::EHM_STATIC);
  for (irr::u32 b = 0; b < 2; ++b) {
    const irr::scene::IMeshBuffer* from = before->getMeshBuffer(b);
    const irr::scene::IMeshBuffer* to = after->getMeshBuffer(b);
    ASSERT_EQ(to->getVertexType(), irr::video::EVT_TANGENTS);
    ASSERT_EQ(to->getVertexCount(), from->getVertexCount());
    ASSERT_EQ(to->getIndexCount(), from->getIndexCount());
    for (irr::u32 i = 0; i < to->getIndexCount(); ++i) EXPECT_EQ(to->getIndices()[i], from->getIndices()[i]);
    const auto* source = static_cast<const irr::video::S3DVertex2TCoords*>(from->getVertices());
    const auto* copy = static_cast<const irr::video::S3DVertexTangents*>(to->getVertices());
    for (irr::u32 i = 0; i < to->getVertexCount(); ++i) {
      EXPECT_EQ(copy[i].Pos, source[i].Pos);
      EXPECT_EQ(copy[i].TCoords, source[i].TCoords);
      EXPECT_EQ(copy[i].Binormal.X, source[i].TCoords2.X);
      EXPECT_EQ(copy[i].Binormal.Y, source[i].TCoords2.Y);
      EXPECT_FLOAT_EQ(copy[i].Tangent.getLength(), 1.0f);
    }
  }
  EXPECT_TRUE(node->getMaterial(0).NormalizeNormals);  // the node's materials survive the new mesh
  int value = 0;
  irr::u32 mask = 0;
  ASSERT_TRUE(extension->getBufferUV2Info(1, &value, &mask));
  EXPECT_EQ(value, 7);
  EXPECT_EQ(mask, 0x1u);
  EXPECT_FALSE(extension->getBufferUV2Info(2, &value, &mask));
  before->drop();
}

// ---- the macro sets a real extension gives ---------------------------------------

std::vector<std::string> macroNames(const ShaderMacroList& macros) {
  std::vector<std::string> names;
  for (const auto& macro : macros) names.push_back(macro.name);
  return names;
}

TEST_F(NodeExtTest, MacroSetsFollowTheMeshTheSurfaceIsDrawnOn) {
  auto surfaceOn = [&](irr::scene::ISceneNode* node, CTkSceneNodeExt* extension) {
    auto* surface = new CTkSurfaceLightwave();
    surface->setTexture(kLwBaseColor, &colour);
    surface->setTexture(kLwBump, &bump);
    extension->setSurface(0, surface);
    surface->drop();
    int base = -1, capacity = 20;
    ShaderMacroList macros;
    EXPECT_TRUE(extension->getSurface(0)->getEffectCompileParameters(&base, &macros, &capacity, node, tkScenes()));
    EXPECT_EQ(base, 0);
    return macroNames(macros);
  };
  irr::scene::IAnimatedMeshSceneNode* animated = animatedNode();
  EXPECT_EQ(surfaceOn(animated, tkScenes()->getNodeExt(animated)),
            (std::vector<std::string>{"USE_TEX_COLOR", "USE_TEX_NORMAL", "USE_COMPTANGENT"}));
  irr::scene::IMeshSceneNode* node = meshNode(1, true);
  CTkSceneNodeExt* extension = tkScenes()->getNodeExt(node);
  extension->setBufferUV2Info(0, 0, 0x40);
  EXPECT_EQ(surfaceOn(node, extension), (std::vector<std::string>{"USE_TEX_COLOR", "USE_TEX_NORMAL", "USE_UV2",
                                                                  "USE_UV2INTEX2", "USE_UV2_TEX_NORMAL"}));
  ASSERT_TRUE(extension->update());
  EXPECT_EQ(node->getMesh()->getMeshBuffer(0)->getVertexType(), irr::video::EVT_TANGENTS);

  // The node's own cube-map texture as the reflection image, with the box on.
  extension->getSurface(0)->setTexture(kLwReflectionImage, extension->getCubeMapTexture());
  extension->getSurface(0)->setInt(kLwReflectionOptions, 2);
  extension->setCubeMapBox(true);
  int base = -1, capacity = 20;
  ShaderMacroList macros;
  ASSERT_TRUE(extension->getSurface(0)->getEffectCompileParameters(&base, &macros, &capacity, node, tkScenes()));
  const std::vector<std::string> names = macroNames(macros);
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(names[names.size() - 2], "USE_CUBEMAPAABB");
  EXPECT_EQ(names.back(), "USE_NODECUBEMAP");
}

// ---- cube map, box and copies ---------------------------------------------------------

struct FakeProbe : ITkCubeMapProbe {
  CTkEngineTexture* texture = reinterpret_cast<CTkEngineTexture*>(0x10);
  CTkEngineTexture* getCubeTexture() const override { return texture; }
  irr::core::vector3df getProbePosition() const override { return {1, 2, 3}; }
};

TEST_F(NodeExtTest, CubeMapSlotAndBox) {
  CTkSceneNodeExt* extension = tkScenes()->getNodeExt(meshNode(1));
  auto* indirect = static_cast<ITkTextureStandIn*>(extension->getCubeMapTexture());
  ASSERT_TRUE(indirect);
  EXPECT_EQ(indirect->getEngineTexture(), nullptr);
  irr::core::vector3df position;
  EXPECT_FALSE(extension->getCubeMapPosition(&position));
  auto* probe = new FakeProbe();
  extension->setCubeMap(probe);
  EXPECT_EQ(probe->getReferenceCount(), 2);
  EXPECT_EQ(extension->getCubeMap(), probe);
  EXPECT_EQ(indirect->getEngineTexture(), probe->texture);
  probe->texture = reinterpret_cast<CTkEngineTexture*>(0x20);  // re-rendered into another texture
  EXPECT_EQ(indirect->getEngineTexture(), probe->texture);
  ASSERT_TRUE(extension->getCubeMapPosition(&position));
  EXPECT_EQ(position, irr::core::vector3df(1, 2, 3));
  extension->setCubeMap(nullptr);
  EXPECT_EQ(probe->getReferenceCount(), 1);
  EXPECT_EQ(indirect->getEngineTexture(), nullptr);
  probe->drop();

  extension->setCubeMapBox(true);
  extension->setCubeMapBox({1, 2, 3}, {4, 5, 6});
  EXPECT_TRUE(extension->isCubeMapBox());
  EXPECT_EQ(extension->getCubeMapBoxPosition(), irr::core::vector3df(1, 2, 3));
  EXPECT_EQ(extension->getCubeMapBoxScale(), irr::core::vector3df(4, 5, 6));
  extension->setCubeMapBox(false);
  EXPECT_EQ(extension->getCubeMapBoxPosition(), irr::core::vector3df(1000000, 1000000, 1000000));
  EXPECT_EQ(extension->getCubeMapBoxScale(), irr::core::vector3df(4, 5, 6));
  EXPECT_EQ(extension->setSelectionMask(6), 0u);
  EXPECT_EQ(extension->setSelectionMask(1), 6u);
}

TEST_F(NodeExtTest, ANodeCopyGetsItsOwnRecordsAndSurfaces) {
  irr::scene::IMeshSceneNode* node = meshNode(2);
  CTkSceneNodeExt* extension = tkScenes()->getNodeExt(node);
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  surface->setFloat(kLwLuminosity, 0.5f);
  Held<CTkEffect> effect(makeEffect());
  extension->setSurface(0, surface.object);
  extension->setEffect(0, effect.object, 1, 0);
  extension->setCastShadows(true);
  extension->setSelectionMask(4);

  irr::scene::ISceneNode* copy = node->clone();
  CTkSceneNodeExt* copied = findSceneNodeExt(copy);
  ASSERT_TRUE(copied);
  ASSERT_NE(copied, extension);
  // The display library copies the source's materials over the copy's after
  // copying its animators: updating again points them at the copy's records.
  ASSERT_TRUE(copied->update());
  ASSERT_EQ(copied->getRecordCount(), 2);
  const STkNodeExtMaterial* record = copied->getRecord(0);
  EXPECT_EQ(record->node, copy);
  EXPECT_NE(record->contextNumber, extension->getRecord(0)->contextNumber);
  EXPECT_EQ(contexts()->find(copy->getMaterial(0).MaterialTypeParam2), record);
  ASSERT_TRUE(copied->getSurface(0));
  EXPECT_NE(copied->getSurface(0), surface.object);
  EXPECT_EQ(copied->getSurface(0)->getFloat(kLwLuminosity), 0.5f);
  EXPECT_EQ(copied->getEffect(0), effect.object);
  EXPECT_EQ(record->technique, 1);
  EXPECT_FALSE(copied->getCastShadows());  // other settings start at their defaults
  EXPECT_EQ(copied->getSelectionMask(), 0u);
  EXPECT_EQ(copied->getSurface(1), nullptr);
}

TEST_F(NodeExtTest, TakingTheExtensionOffLetsGoOfEverything) {
  irr::scene::IMeshSceneNode* node = meshNode(1);
  CTkSceneNodeExt* extension = tkScenes()->getNodeExt(node);
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  Held<CTkEffect> effect(makeEffect());
  extension->setSurface(0, surface.object);
  extension->setEffect(0, effect.object, 0, 0);
  const int number = extension->getRecord(0)->contextNumber;
  const size_t live = tkScenes()->liveNodeExtensions();
  tkScenes()->removeNodeExt(node);
  EXPECT_EQ(findSceneNodeExt(node), nullptr);
  EXPECT_EQ(contexts()->find(static_cast<float>(number)), nullptr);
  EXPECT_EQ(node->getMaterial(0).MaterialTypeParam2, 0.0f);
  EXPECT_EQ(surface->getReferenceCount(), 1);
  EXPECT_EQ(effect->getReferenceCount(), 1);
  EXPECT_EQ(tkScenes()->liveNodeExtensions(), live - 1);
}

TEST_F(NodeExtTest, ANodeGoingAwayFreesItsNumbers) {
  irr::scene::IMeshSceneNode* node = meshNode(2);
  CTkSceneNodeExt* extension = tkScenes()->getNodeExt(node);
  const int numbers[2] = {extension->getRecord(0)->contextNumber, extension->getRecord(1)->contextNumber};
  node->remove();
  for (int number : numbers) EXPECT_EQ(contexts()->find(static_cast<float>(number)), nullptr);
}

}  // namespace
}  // namespace tk::test
