// Surfaces as the display library's fixed-function material and back: the
// material type table, colours, drawing modes, texture layers, and what a
// round trip through a material keeps.
#include <gtest/gtest.h>

#include <functional>

#include "effects/device_state_codes.h"
#include "surfaces/lightwave_material.h"
#include "surfaces/lightwave_parameters.h"
#include "surfaces/surface_hypervoxel.h"
#include "surfaces/surface_lightwave.h"
#include "tests/surfaces/surface_fakes.h"

namespace tk::test {
namespace {

using irr::video::E_MATERIAL_TYPE;
using irr::video::SColor;

enum Transparency { kOpaque, kValue, kMap };

class SurfaceMaterialTest : public ::testing::Test {
 protected:
  PlainTexture colour{"colour"}, bump{"bump"}, reflectionImage{"reflection"}, transparencyMap{"alpha"};
};

TEST_F(SurfaceMaterialTest, MaterialTypeFromTransparencyBumpAndReflection) {
  struct Case {
    Transparency transparency;
    bool bump, reflection;
    E_MATERIAL_TYPE type;
    irr::video::ITexture* layer1;
  };
  const Case cases[] = {
      {kMap, true, true, irr::video::EMT_PARALLAX_MAP_TRANSPARENT_VERTEX_ALPHA, &bump},
      {kMap, false, true, irr::video::EMT_TRANSPARENT_REFLECTION_2_LAYER, &reflectionImage},
      {kMap, false, false, irr::video::EMT_TRANSPARENT_ALPHA_CHANNEL, nullptr},
      {kValue, true, false, irr::video::EMT_PARALLAX_MAP_TRANSPARENT_VERTEX_ALPHA, &bump},
      {kValue, false, true, irr::video::EMT_TRANSPARENT_REFLECTION_2_LAYER, &reflectionImage},
      {kValue, false, false, irr::video::EMT_TRANSPARENT_VERTEX_ALPHA, nullptr},
      {kOpaque, true, true, irr::video::EMT_PARALLAX_MAP_SOLID, &bump},
      {kOpaque, false, true, irr::video::EMT_REFLECTION_2_LAYER, &reflectionImage},
      {kOpaque, false, false, irr::video::EMT_SOLID, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "transparency " << c.transparency << " bump " << c.bump << " reflection "
                                    << c.reflection);
    Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
    surface->setTexture(kLwBaseColor, &colour);
    if (c.transparency == kMap) surface->setTexture(kLwTransparency, &transparencyMap);
    if (c.transparency == kValue) surface->setFloat(kLwTransparency, 0.5f);
    if (c.bump) surface->setTexture(kLwBump, &bump);
    if (c.reflection) {
      surface->setTexture(kLwReflectionImage, &reflectionImage);
      surface->setInt(kLwReflectionOptions, 2);
      surface->setFloat(kLwReflectivity, 0.3f);
    }
    STkMaterial material;
    surface->applyToMaterial(&material);
    EXPECT_EQ(c.type, material.base.MaterialType);
    EXPECT_EQ(&colour, material.base.TextureLayer[0].Texture);
    EXPECT_EQ(&colour, material.pixelLayers[0].texture);
    EXPECT_EQ(c.layer1, material.base.TextureLayer[1].Texture);
    EXPECT_EQ(c.layer1, material.pixelLayers[1].texture);
  }
}

TEST_F(SurfaceMaterialTest, ReflectionCountsOnlyWithImageOptionsAndReflectivity) {
  struct Case {
    bool image;
    int options;
    float reflectivity;
    bool reflectivityMap;
    bool used;
  };
  const Case cases[] = {
      {true, 2, 0.5f, false, true}, {true, 2, 0, true, true},      {true, 1, 0.5f, false, false},
      {true, 2, 0, false, false},   {false, 2, 0.5f, true, false},
  };
  for (const Case& c : cases) {
    Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
    if (c.image) surface->setTexture(kLwReflectionImage, &reflectionImage);
    surface->setInt(kLwReflectionOptions, c.options);
    surface->setFloat(kLwReflectivity, c.reflectivity);
    if (c.reflectivityMap) surface->setTexture(kLwReflectivity, &bump);
    EXPECT_EQ(c.used ? irr::video::EMT_REFLECTION_2_LAYER : irr::video::EMT_SOLID, lightwaveMaterialType(*surface))
        << c.image << c.options << c.reflectivity << c.reflectivityMap;
  }
}

TEST_F(SurfaceMaterialTest, ColoursShininessAndParallaxHeight) {
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  surface->setVector(kLwBaseColor, {1, 0.5f, 0.25f});
  surface->setFloat(kLwDiffuse, 0.5f);
  surface->setFloat(kLwLuminosity, 0.2f);
  surface->setFloat(kLwSpecularity, 0.6f);
  surface->setFloat(kLwGlossiness, 0.5f);
  surface->setFloat(kLwBump, 2);
  surface->setTexture(kLwBump, &bump);
  STkMaterial material;
  surface->applyToMaterial(&material);
  EXPECT_EQ(SColor(255, 128, 64, 32), material.base.DiffuseColor);
  EXPECT_EQ(SColor(255, 51, 26, 13), material.base.EmissiveColor);
  EXPECT_EQ(SColor(255, 153, 153, 153), material.base.SpecularColor);
  EXPECT_FLOAT_EQ(64, material.base.Shininess);
  EXPECT_FLOAT_EQ(0.07f, material.base.MaterialTypeParam);
  // Colours beyond full intensity stay at full intensity.
  surface->setFloat(kLwDiffuse, 3);
  surface->applyToMaterial(&material);
  EXPECT_EQ(SColor(255, 255, 255, 191), material.base.DiffuseColor);
}

TEST_F(SurfaceMaterialTest, OutlinesSidednessAndVertexColours) {
  struct Case {
    int outlines;
    float lineSize;
    bool wireframe, points;
    float thickness;
  };
  const Case outlines[] = {
      {0, 0.5f, true, true, 3},   // outlines off leave the drawing mode alone
      {1, 0, false, false, 3},    {1, -1, false, false, 3}, {1, 0.5f, true, false, 3},
      {1, 1, false, true, 1},     {1, 2.5f, false, true, 2.5f},
  };
  for (const Case& c : outlines) {
    Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
    surface->setInt(kLwRenderOutlines, c.outlines);
    surface->setFloat(kLwLineSize, c.lineSize);
    STkMaterial material;
    material.base.Wireframe = true;
    material.base.PointCloud = true;
    material.base.Thickness = 3;
    surface->applyToMaterial(&material);
    EXPECT_EQ(c.wireframe, material.base.Wireframe) << c.outlines << " " << c.lineSize;
    EXPECT_EQ(c.points, material.base.PointCloud) << c.outlines << " " << c.lineSize;
    EXPECT_EQ(c.thickness, material.base.Thickness) << c.outlines << " " << c.lineSize;
  }

  struct ModeCase {
    int sidedness;
    float vertexColoring, transparency;
    bool culling;
    irr::video::E_COLOR_MATERIAL mode;
  };
  const ModeCase modes[] = {
      {0, 1, 0, true, irr::video::ECM_DIFFUSE},
      {3, 0, 0, false, irr::video::ECM_AMBIENT},
      {1, 0, 0.5f, true, irr::video::ECM_DIFFUSE},  // vertex alpha draws with vertex colours
  };
  for (const ModeCase& c : modes) {
    Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
    surface->setInt(kLwSidedness, c.sidedness);
    surface->setFloat(kLwVertexColoring, c.vertexColoring);
    surface->setFloat(kLwTransparency, c.transparency);
    STkMaterial material;
    surface->applyToMaterial(&material);
    EXPECT_EQ(c.culling, material.base.BackfaceCulling) << c.sidedness;
    EXPECT_EQ(c.mode, material.base.ColorMaterial) << c.sidedness;
  }
}

TEST_F(SurfaceMaterialTest, TextureOptionsAndEngineTexturesReachOnlyTheEnginesLayers) {
  int engineTexture = 0;
  FakeStandIn cube(true, reinterpret_cast<CTkEngineTexture*>(&engineTexture));
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  surface->setTexture(kLwBaseColor, &colour);
  surface->setTextureOption(kLwBaseColor, 1);
  surface->setTexture(kLwReflectionImage, &cube);
  surface->setInt(kLwReflectionOptions, 2);
  surface->setFloat(kLwReflectivity, 1);
  STkMaterial material;
  material.pixelLayers[1].wrapU = 2;
  surface->applyToMaterial(&material);
  EXPECT_TRUE(material.pixelLayers[0].sRGB);
  EXPECT_EQ(nullptr, material.base.TextureLayer[1].Texture);
  EXPECT_EQ(nullptr, material.pixelLayers[1].texture);
  EXPECT_EQ(reinterpret_cast<CTkEngineTexture*>(&engineTexture), material.pixelLayers[1].engineTexture);
  EXPECT_FALSE(material.pixelLayers[1].sRGB);
  EXPECT_EQ(2, material.pixelLayers[1].wrapU);  // the layer's sampler states stay
}

TEST_F(SurfaceMaterialTest, MaterialToSurfaceValues) {
  STkMaterial material;
  material.base.DiffuseColor = SColor(255, 255, 51, 0);
  material.base.EmissiveColor = SColor(255, 100, 200, 50);
  material.base.SpecularColor = SColor(255, 255, 255, 255);
  material.base.Shininess = 32;
  material.base.BackfaceCulling = false;
  material.base.PointCloud = true;
  material.base.Thickness = 4;
  material.base.ColorMaterial = irr::video::ECM_AMBIENT;
  material.base.TextureLayer[0].Texture = &colour;
  material.pixelLayers[0].texture = &colour;
  material.pixelLayers[0].sRGB = true;
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  surface->setFloat(kLwGlowValue, 9);
  surface->initFromMaterial(material);
  EXPECT_EQ(irr::core::vector3df(1, 0.2f, 0), surface->getVector(kLwBaseColor));
  EXPECT_EQ(&colour, surface->getTexture(kLwBaseColor));
  EXPECT_EQ(1, surface->getTextureOption(kLwBaseColor));
  EXPECT_FLOAT_EQ((0.3f * 100 + 0.59f * 200 + 0.11f * 50) / 255, surface->getFloat(kLwLuminosity));
  EXPECT_FLOAT_EQ(1, surface->getFloat(kLwDiffuse));
  EXPECT_FLOAT_EQ(1, surface->getFloat(kLwSpecularity));
  EXPECT_FLOAT_EQ(0.25f, surface->getFloat(kLwGlossiness));
  EXPECT_EQ(3, surface->getInt(kLwSidedness));
  EXPECT_NE(0, surface->getInt(kLwRenderOutlines));
  EXPECT_EQ(4, surface->getFloat(kLwLineSize));
  EXPECT_EQ(0, surface->getFloat(kLwVertexColoring));
  EXPECT_EQ(0, surface->getFloat(kLwGlowValue));  // every slot starts cleared
  EXPECT_EQ(0, surface->getFloat(kLwBump));
  material.base.Wireframe = true;
  material.base.ColorMaterial = irr::video::ECM_DIFFUSE;
  surface->initFromMaterial(material);
  EXPECT_EQ(0.5f, surface->getFloat(kLwLineSize));
  EXPECT_EQ(1, surface->getFloat(kLwVertexColoring));
}

TEST_F(SurfaceMaterialTest, MaterialTypesSurviveTheRoundTrip) {
  struct Case {
    E_MATERIAL_TYPE from;
    float transparency;
    irr::video::ITexture* transparencyMap;
    irr::video::ITexture* reflection;
    irr::video::ITexture* bumpMap;
    E_MATERIAL_TYPE back;
  };
  PlainTexture layer1{"layer 1"};
  const Case cases[] = {
      {irr::video::EMT_SOLID, 0, nullptr, nullptr, nullptr, irr::video::EMT_SOLID},
      {irr::video::EMT_REFLECTION_2_LAYER, 0, nullptr, &layer1, nullptr, irr::video::EMT_REFLECTION_2_LAYER},
      {irr::video::EMT_TRANSPARENT_ALPHA_CHANNEL, 0, &colour, nullptr, nullptr,
       irr::video::EMT_TRANSPARENT_ALPHA_CHANNEL},
      {irr::video::EMT_TRANSPARENT_VERTEX_ALPHA, 1, nullptr, nullptr, nullptr, irr::video::EMT_TRANSPARENT_VERTEX_ALPHA},
      {irr::video::EMT_TRANSPARENT_REFLECTION_2_LAYER, 1, nullptr, &layer1, nullptr,
       irr::video::EMT_TRANSPARENT_REFLECTION_2_LAYER},
      {irr::video::EMT_PARALLAX_MAP_SOLID, 0, nullptr, nullptr, &layer1, irr::video::EMT_PARALLAX_MAP_SOLID},
      {irr::video::EMT_PARALLAX_MAP_TRANSPARENT_VERTEX_ALPHA, 1, nullptr, nullptr, &layer1,
       irr::video::EMT_PARALLAX_MAP_TRANSPARENT_VERTEX_ALPHA},
      {irr::video::EMT_TRANSPARENT_ADD_COLOR, 0, nullptr, nullptr, nullptr, irr::video::EMT_SOLID},
      {irr::video::EMT_LIGHTMAP, 0, nullptr, nullptr, nullptr, irr::video::EMT_SOLID},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from);
    STkMaterial material;
    material.base.MaterialType = c.from;
    material.base.MaterialTypeParam = 0.0175f;
    material.base.TextureLayer[0].Texture = &colour;
    material.base.TextureLayer[1].Texture = &layer1;
    Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
    surface->initFromMaterial(material);
    EXPECT_EQ(c.transparency, surface->getFloat(kLwTransparency));
    EXPECT_EQ(c.transparencyMap, surface->getTexture(kLwTransparency));
    EXPECT_EQ(c.reflection, surface->getTexture(kLwReflectionImage));
    EXPECT_EQ(c.bumpMap, surface->getTexture(kLwBump));
    if (c.bumpMap) {
      EXPECT_FLOAT_EQ(0.5f, surface->getFloat(kLwBump));
    }
    STkMaterial back;
    surface->applyToMaterial(&back);
    EXPECT_EQ(c.back, back.base.MaterialType);
    EXPECT_EQ(&colour, back.base.TextureLayer[0].Texture);
    if (c.bumpMap) {
      EXPECT_FLOAT_EQ(0.0175f, back.base.MaterialTypeParam);
    }
  }
}

TEST_F(SurfaceMaterialTest, HyperVoxelBlendModeAndMaterialTypeBothWays) {
  const std::pair<E_MATERIAL_TYPE, int> fromMaterial[] = {
      {irr::video::EMT_TRANSPARENT_ADD_COLOR, 1},
      {irr::video::EMT_TRANSPARENT_ALPHA_CHANNEL, 0},
      {irr::video::EMT_ONETEXTURE_BLEND, 2},
      {irr::video::EMT_SOLID, 1},
  };
  for (const auto& [type, mode] : fromMaterial) {
    STkMaterial material;
    material.base.MaterialType = type;
    material.base.TextureLayer[0].Texture = &colour;
    Held<CTkSurfaceLightwaveHV> surface(new CTkSurfaceLightwaveHV());
    surface->initFromMaterial(material);
    EXPECT_EQ(mode, surface->getHyperVoxelData()->blendMode) << type;
    EXPECT_EQ(&colour, surface->getClipImage());
    EXPECT_EQ(1, surface->getHyperVoxelData()->colorTexture);
  }
  const std::pair<int, int> toMaterial[] = {{0, kBaseMaterialTransparentAlphaChannel},
                                            {1, kBaseMaterialTransparentAddColor},
                                            {2, kBaseMaterialOneTextureBlend},
                                            {3, kBaseMaterialSolid}};
  for (const auto& [mode, type] : toMaterial) {
    Held<CTkSurfaceLightwaveHV> surface(new CTkSurfaceLightwaveHV());
    surface->data().blendMode = mode;
    surface->setClipImage(&colour);
    STkMaterial material;
    surface->applyToMaterial(&material);
    EXPECT_EQ(type, material.base.MaterialType) << mode;
    EXPECT_EQ(&colour, material.base.TextureLayer[0].Texture);
    EXPECT_EQ(&colour, material.pixelLayers[0].texture);
  }
  // A material without image leaves the particle its flat colour.
  Held<CTkSurfaceLightwaveHV> plain(new CTkSurfaceLightwaveHV());
  plain->initFromMaterial(STkMaterial());
  EXPECT_EQ(0, plain->getHyperVoxelData()->colorTexture);
}

}  // namespace
}  // namespace tk::test
