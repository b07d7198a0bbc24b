// The macro sets surfaces compile their effects with: which features give
// which macros, in which order, on which nodes, and the caller's room.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/log.h"
#include "effects/device_state_codes.h"
#include "surfaces/lightwave_parameters.h"
#include "surfaces/surface_hypervoxel.h"
#include "surfaces/surface_lightwave.h"
#include "tests/support/capture_stdout.h"
#include "tests/surfaces/surface_fakes.h"

namespace tk::test {
namespace {

using Names = std::vector<std::string>;

Names namesOf(const ShaderMacroList& macros) {
  Names names;
  for (const SShaderMacro& macro : macros) {
    EXPECT_EQ("", macro.value) << macro.name;
    names.push_back(macro.name);
  }
  return names;
}

enum class Node { kNone, kWithoutExtension, kWithExtension };

struct LightwaveCase {
  const char* what;
  std::function<void(CTkSurfaceLightwave*, FakeHost*)> setUp;
  Node node;
  Names expected;
  int baseMaterial;
};

class SurfaceMacrosTest : public ::testing::Test {
 protected:
  PlainTexture texture, cube;
  FakeStandIn cubeStandIn{true, nullptr};
  FakeStandIn flatStandIn{false, nullptr};
  irr::scene::ISceneNode* const node = reinterpret_cast<irr::scene::ISceneNode*>(0x100);
};

TEST_F(SurfaceMacrosTest, LightwaveFeaturesGiveTheirMacrosLowestBitFirst) {
  auto colourAndBump = [this](CTkSurfaceLightwave* s, FakeHost*) {
    s->setTexture(kLwBaseColor, &texture);
    s->setTexture(kLwBump, &texture);
  };
  auto reflection = [this](int options, irr::video::ITexture* image) {
    return [this, options, image](CTkSurfaceLightwave* s, FakeHost*) {
      s->setTexture(kLwReflectionImage, image);
      s->setInt(kLwReflectionOptions, options);
    };
  };
  auto ownCubeMap = [this](bool box) {
    return [this, box](CTkSurfaceLightwave* s, FakeHost* host) {
      s->setTexture(kLwBaseColor, &texture);
      s->setTexture(kLwReflectionImage, &cubeStandIn);
      host->cubeMapTexture = &cubeStandIn;
      host->box = box;
    };
  };
  auto secondUV = [](bool tangents, irr::u32 mask) {
    return [tangents, mask](CTkSurfaceLightwave* s, FakeHost* host) {
      host->uv2 = true;
      host->tangents = tangents;
      host->bufferMasks = {0, mask};
      host->surfaces = {nullptr, s};
    };
  };
  const LightwaveCase cases[] = {
      {"defaults", [](CTkSurfaceLightwave*, FakeHost*) {}, Node::kWithExtension, {}, kBaseMaterialSolid},
      {"colour and bump on a mesh that keeps no tangents", colourAndBump, Node::kWithExtension,
       {"USE_TEX_COLOR", "USE_TEX_NORMAL", "USE_COMPTANGENT"}, kBaseMaterialSolid},
      {"colour and bump on a mesh given tangents",
       [&](CTkSurfaceLightwave* s, FakeHost* host) {
         colourAndBump(s, host);
         host->tangents = true;
       },
       Node::kWithExtension, {"USE_TEX_COLOR", "USE_TEX_NORMAL"}, kBaseMaterialSolid},
      {"colour and bump without a node", colourAndBump, Node::kNone, {"USE_TEX_COLOR", "USE_TEX_NORMAL"},
       kBaseMaterialSolid},
      {"colour and bump on a node without extension", colourAndBump, Node::kWithoutExtension,
       {"USE_TEX_COLOR", "USE_TEX_NORMAL", "USE_COMPTANGENT"}, kBaseMaterialSolid},
      {"transparency value", [](CTkSurfaceLightwave* s, FakeHost*) { s->setFloat(kLwTransparency, 0.5f); },
       Node::kNone, {"USE_TRANSPARENT"}, kBaseMaterialTransparentAlphaChannel},
      {"transparency and translucency maps",
       [this](CTkSurfaceLightwave* s, FakeHost*) {
         s->setTexture(kLwTransparency, &texture);
         s->setTexture(kLwTranslucency, &texture);
       },
       Node::kNone, {"USE_TEX_TRANSPARENCY", "USE_TEX_TRANSLUCENCY", "USE_TRANSPARENT", "USE_TRANSLUCENCY"},
       kBaseMaterialTransparentAlphaChannel},
      {"reflection image with options 1", reflection(1, &texture), Node::kNone, {}, kBaseMaterialSolid},
      {"reflection image with options 2", reflection(2, &texture), Node::kNone, {"USE_TEX_REFLECIMG"},
       kBaseMaterialSolid},
      {"reflection cube with options 2", reflection(2, &cubeStandIn), Node::kNone,
       {"USE_TEX_REFLECIMG", "USE_TEX_REFLECCUBE"}, kBaseMaterialSolid},
      {"reflection stand-in that is no cube", reflection(3, &flatStandIn), Node::kNone, {"USE_TEX_REFLECIMG"},
       kBaseMaterialSolid},
      {"reflectivity map with a reflection image",
       [&](CTkSurfaceLightwave* s, FakeHost* host) {
         reflection(2, &texture)(s, host);
         s->setTexture(kLwReflectivity, &texture);
       },
       Node::kNone, {"USE_TEX_REFLECIMG", "USE_TEX_REFLECTIVITY"}, kBaseMaterialSolid},
      {"reflectivity map alone", [this](CTkSurfaceLightwave* s, FakeHost*) { s->setTexture(kLwReflectivity, &texture); },
       Node::kNone, {}, kBaseMaterialSolid},
      {"the node's own cube map with the box", ownCubeMap(true), Node::kWithExtension,
       {"USE_TEX_COLOR", "USE_CUBEMAPAABB", "USE_NODECUBEMAP"}, kBaseMaterialSolid},
      {"the node's own cube map without the box", ownCubeMap(false), Node::kWithExtension,
       {"USE_TEX_COLOR", "USE_NODECUBEMAP"}, kBaseMaterialSolid},
      {"the node's own cube map without the extension", ownCubeMap(true), Node::kWithoutExtension,
       {"USE_TEX_COLOR"}, kBaseMaterialSolid},
      {"second UV set on a mesh without tangents", secondUV(false, 0), Node::kWithExtension, {"USE_UV2"},
       kBaseMaterialSolid},
      {"second UV set with tangents and every mask bit", secondUV(true, 0x1ff), Node::kWithExtension,
       {"USE_UV2", "USE_UV2INTEX2", "USE_UV2_TEX_COLOR", "USE_UV2_TEX_LUMINOSITY", "USE_UV2_TEX_DIFFUSE",
        "USE_UV2_TEX_SPECULAR", "USE_UV2_TEX_GLOSSINESS", "USE_UV2_TEX_REFLECTIVITY", "USE_UV2_TEX_TRANSPARENCY",
        "USE_UV2_TEX_TRANSLUCENCY", "USE_UV2_TEX_NORMAL"},
       kBaseMaterialSolid},
      {"mask bits map across", secondUV(false, 0x2 | 0x40 | 0x100), Node::kWithExtension,
       {"USE_UV2", "USE_UV2_TEX_DIFFUSE", "USE_UV2_TEX_GLOSSINESS", "USE_UV2_TEX_NORMAL"}, kBaseMaterialSolid},
      {"a surface the extension does not hold reads no mask",
       [&](CTkSurfaceLightwave* s, FakeHost* host) {
         secondUV(false, 0x1ff)(s, host);
         host->surfaces = {nullptr};
       },
       Node::kWithExtension, {"USE_UV2"}, kBaseMaterialSolid},
      {"a surface index past the mesh buffers reads no mask",
       [&](CTkSurfaceLightwave* s, FakeHost* host) {
         secondUV(false, 0x1ff)(s, host);
         host->bufferMasks = {0x1ff};
       },
       Node::kWithExtension, {"USE_UV2"}, kBaseMaterialSolid},
  };
  for (const LightwaveCase& c : cases) {
    SCOPED_TRACE(c.what);
    Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
    FakeHost host;
    FakeHostLookup lookup;
    c.setUp(surface.get(), &host);
    if (c.node == Node::kWithExtension) lookup.hosts[node] = &host;
    ShaderMacroList macros;
    int capacity = 20;
    int baseMaterial = -1;
    ASSERT_TRUE(surface->getEffectCompileParameters(&baseMaterial, &macros, &capacity,
                                                    c.node == Node::kNone ? nullptr : node, &lookup));
    EXPECT_EQ(c.expected, namesOf(macros));
    EXPECT_EQ(static_cast<int>(c.expected.size()), capacity);
    EXPECT_EQ(c.baseMaterial, baseMaterial);
    EXPECT_LE(host.tangentQuestions, 1);
  }
}

TEST_F(SurfaceMacrosTest, EveryLightwaveMacroInBitOrder) {
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  for (int index : {kLwBaseColor, kLwLuminosity, kLwDiffuse, kLwSpecularity, kLwGlossiness, kLwReflectivity,
                    kLwTransparency, kLwTranslucency, kLwBump})
    surface->setTexture(index, &texture);
  surface->setTexture(kLwReflectionImage, &cubeStandIn);
  surface->setInt(kLwReflectionOptions, 2);
  FakeHost host;
  host.uv2 = true;
  host.bufferMasks = {0x1ff};
  host.surfaces = {surface.get()};
  host.cubeMapTexture = &cubeStandIn;
  host.box = true;
  FakeHostLookup lookup;
  lookup.hosts[node] = &host;
  ShaderMacroList macros = {{"EARLIER", ""}};  // the caller's entries stay in front
  int capacity = 100;
  int baseMaterial = -1;
  ASSERT_TRUE(surface->getEffectCompileParameters(&baseMaterial, &macros, &capacity, node, &lookup));
  const Names expected = {
      "EARLIER",        "USE_TEX_COLOR",        "USE_TEX_LUMINOSITY",     "USE_TEX_DIFFUSE",
      "USE_TEX_SPECULAR", "USE_TEX_GLOSSINESS", "USE_TEX_REFLECIMG",      "USE_TEX_REFLECTIVITY",
      "USE_TEX_TRANSPARENCY", "USE_TEX_TRANSLUCENCY", "USE_TEX_NORMAL",  "USE_TRANSPARENT",
      "USE_TRANSLUCENCY", "USE_TEX_REFLECCUBE",  "USE_COMPTANGENT",        "USE_UV2",
      "USE_UV2_TEX_COLOR", "USE_UV2_TEX_LUMINOSITY", "USE_UV2_TEX_DIFFUSE", "USE_UV2_TEX_SPECULAR",
      "USE_UV2_TEX_GLOSSINESS", "USE_UV2_TEX_REFLECTIVITY", "USE_UV2_TEX_TRANSPARENCY",
      "USE_UV2_TEX_TRANSLUCENCY", "USE_UV2_TEX_NORMAL", "USE_CUBEMAPAABB", "USE_NODECUBEMAP"};
  EXPECT_EQ(expected, namesOf(macros));
  EXPECT_EQ(26, capacity);
  EXPECT_EQ(kBaseMaterialTransparentAlphaChannel, baseMaterial);
}

struct RoomCase {
  int capacity;
  bool fits;
};

TEST_F(SurfaceMacrosTest, MacrosAndTheEndEntryMustFitTheCallersRoom) {
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  surface->setTexture(kLwBaseColor, &texture);
  surface->setTexture(kLwBump, &texture);  // with a node: three macros due
  FakeHostLookup lookup;
  for (const RoomCase& c : {RoomCase{3, false}, RoomCase{0, false}, RoomCase{4, true}}) {
    SCOPED_TRACE(c.capacity);
    ShaderMacroList macros;
    int capacity = c.capacity;
    int baseMaterial = -1;
    CapturedStdout out;
    EXPECT_EQ(c.fits, surface->getEffectCompileParameters(&baseMaterial, &macros, &capacity, node, &lookup));
    const std::string printed = out.take();
    if (c.fits) {
      EXPECT_EQ(3u, macros.size());
      EXPECT_EQ(3, capacity);
      EXPECT_EQ(kBaseMaterialSolid, baseMaterial);
      continue;
    }
    EXPECT_NE(std::string::npos,
              printed.find("CTkSurfaceLightwave::getEffectCompileParameters Not enough space for macros"));
    EXPECT_TRUE(macros.empty());
    EXPECT_EQ(c.capacity, capacity);
    EXPECT_EQ(-1, baseMaterial);
  }
}

struct HyperVoxelCase {
  const char* what;
  std::function<void(STkHyperVoxelData*)> setUp;
  int capacity;
  Names expected;  // empty with fits false: the room is too small
  bool fits;
  int baseMaterial;
};

TEST(HyperVoxelMacrosTest, FeaturesThenTheBlendMacro) {
  const HyperVoxelCase cases[] = {
      {"defaults", [](STkHyperVoxelData*) {}, 20, {"USE_BLEND_ADD"}, true, kBaseMaterialTransparentAddColor},
      {"colour keys, subtractive",
       [](STkHyperVoxelData* d) {
         d->colorKeyCount = 4;
         d->blendMode = 2;
       },
       20, {"USE_COLOR_GRADIENT", "USE_BLEND_SUB"}, true, kBaseMaterialOneTextureBlend},
      {"everything, alpha",
       [](STkHyperVoxelData* d) {
         d->colorTexture = 1;
         d->colorKeyCount = 1;
         d->sizeKeyCount = 2;
         d->rotation = 0.5f;
         d->blendMode = 0;
       },
       20, {"USE_TEX_COLOR", "USE_COLOR_GRADIENT", "USE_SIZE_GRADIENT", "USE_ROTATION", "USE_BLEND_ALPHA"}, true,
       kBaseMaterialTransparentAlphaChannel},
      {"unknown blend mode", [](STkHyperVoxelData* d) { d->blendMode = 7; }, 20, {}, true, kBaseMaterialSolid},
      {"no room for the blend macro and the end",
       [](STkHyperVoxelData* d) { d->rotation = 1; }, 2, {}, false, 0},
      {"just enough room", [](STkHyperVoxelData* d) { d->rotation = 1; }, 3, {"USE_ROTATION", "USE_BLEND_ADD"},
       true, kBaseMaterialTransparentAddColor},
  };
  for (const HyperVoxelCase& c : cases) {
    SCOPED_TRACE(c.what);
    Held<CTkSurfaceLightwaveHV> surface(new CTkSurfaceLightwaveHV());
    c.setUp(&surface->data());
    ShaderMacroList macros;
    int capacity = c.capacity;
    int baseMaterial = -1;
    CapturedStdout out;
    EXPECT_EQ(c.fits, surface->getEffectCompileParameters(&baseMaterial, &macros, &capacity, nullptr, nullptr));
    const bool complained = out.take().find("CTkSurfaceLightwaveHV::getEffectCompileParameters Not enough space "
                                            "for macros") != std::string::npos;
    EXPECT_EQ(!c.fits, complained);
    EXPECT_EQ(c.expected, namesOf(macros));
    if (c.fits) {
      EXPECT_EQ(c.baseMaterial, baseMaterial);
    }
  }
}

}  // namespace
}  // namespace tk::test
