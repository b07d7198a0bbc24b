// Surface parameters: defaults, indexes out of range, clones, data blocks and
// the references surfaces hold on their textures.
#include <gtest/gtest.h>

#include <cstring>

#include "surfaces/lightwave_parameters.h"
#include "surfaces/surface_hypervoxel.h"
#include "surfaces/surface_lightwave.h"
#include "tests/surfaces/surface_fakes.h"

namespace tk::test {
namespace {

irr::core::vector3df defaultOf(int index) {
  switch (index) {
    case kLwBaseColor: return {0.78f, 0.78f, 0.78f};
    case kLwDiffuse:
    case kLwBump:
    case kLwLineSize:
    case kLwVertexColoring: return {1, 0, 0};
    case kLwGlossiness: return {0.4f, 0, 0};
    default: return {0, 0, 0};
  }
}

TEST(LightwaveSurfaceTest, NewSurfaceHasTheLightwaveDefaults) {
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  EXPECT_EQ(kTkSurfaceLightwave, surface->getType());
  EXPECT_EQ(nullptr, surface->getHyperVoxelData());
  for (int i = 0; i < kSurfaceParameterCount; ++i) {
    SCOPED_TRACE(kSurfaceParameterNames[i]);
    EXPECT_EQ(defaultOf(i), surface->getVector(i));
    EXPECT_EQ(nullptr, surface->getTexture(i));
    EXPECT_EQ(0, surface->getTextureOption(i));
  }
}

TEST(LightwaveSurfaceTest, IndexesOutsideTheSlotsChangeAndAnswerNothing) {
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  PlainTexture texture;
  STkSurfaceParameter before[kSurfaceParameterCount];
  std::memcpy(before, surface->getData(), sizeof before);
  for (int index : {39, -1, 1000}) {
    SCOPED_TRACE(index);
    surface->setFloat(index, 5);
    surface->setInt(index, 5);
    surface->setVector(index, {5, 5, 5});
    surface->setTexture(index, &texture);
    surface->setTextureOption(index, 1);
    EXPECT_EQ(0, surface->getFloat(index));
    EXPECT_EQ(0, surface->getInt(index));
    EXPECT_EQ(irr::core::vector3df(0, 0, 0), surface->getVector(index));
    EXPECT_EQ(nullptr, surface->getTexture(index));
    EXPECT_EQ(0, surface->getTextureOption(index));
  }
  EXPECT_EQ(0, std::memcmp(before, surface->getData(), sizeof before));
  EXPECT_EQ(1, texture.getReferenceCount());
}

TEST(LightwaveSurfaceTest, AnIntegerKeepsItsBitsInTheFirstWord) {
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  surface->setVector(kLwReflectionOptions, {7, 8, 9});
  surface->setInt(kLwReflectionOptions, 2);
  EXPECT_EQ(2, surface->getInt(kLwReflectionOptions));
  EXPECT_EQ(8, surface->getVector(kLwReflectionOptions).Y);
  surface->setFloat(kLwGlossiness, 0.25f);
  EXPECT_EQ(0.25f, surface->getFloat(kLwGlossiness));
}

TEST(LightwaveSurfaceTest, TheSurfaceHoldsItsTextures) {
  PlainTexture first, second;
  {
    Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
    surface->setTexture(kLwBaseColor, &first);
    surface->setTexture(kLwBump, &first);
    EXPECT_EQ(3, first.getReferenceCount());
    surface->setTexture(kLwBump, &second);
    EXPECT_EQ(2, first.getReferenceCount());
    EXPECT_EQ(2, second.getReferenceCount());
    surface->setTexture(kLwBump, &second);
    EXPECT_EQ(2, second.getReferenceCount());
  }
  EXPECT_EQ(1, first.getReferenceCount());
  EXPECT_EQ(1, second.getReferenceCount());
}

TEST(LightwaveSurfaceTest, ClonesAndCopiedDataAreIndependent) {
  PlainTexture texture, other;
  Held<CTkSurfaceLightwave> surface(new CTkSurfaceLightwave());
  surface->setVector(kLwBaseColor, {0.1f, 0.2f, 0.3f});
  surface->setTexture(kLwBump, &texture);
  surface->setTextureOption(kLwBump, 1);
  Held<ITkSurface> copy(surface->clone());
  Held<CTkSurfaceLightwave> copied(new CTkSurfaceLightwave());
  copied->setData(surface->getData());
  surface->setVector(kLwBaseColor, {0.9f, 0.9f, 0.9f});
  surface->setTexture(kLwBump, &other);
  for (ITkSurface* s : {static_cast<ITkSurface*>(copy.get()), static_cast<ITkSurface*>(copied.get())}) {
    EXPECT_EQ(irr::core::vector3df(0.1f, 0.2f, 0.3f), s->getVector(kLwBaseColor));
    EXPECT_EQ(&texture, s->getTexture(kLwBump));
    EXPECT_EQ(1, s->getTextureOption(kLwBump));
    EXPECT_EQ(defaultOf(kLwGlossiness), s->getVector(kLwGlossiness));
  }
  EXPECT_EQ(3, texture.getReferenceCount());
  copied->setData(copied->getData());  // copying a surface onto itself keeps it
  EXPECT_EQ(&texture, copied->getTexture(kLwBump));
}

TEST(HyperVoxelSurfaceTest, BlockDefaultsClonesAndNoIndexedParameters) {
  PlainTexture image, other;
  Held<CTkSurfaceLightwaveHV> surface(new CTkSurfaceLightwaveHV());
  EXPECT_EQ(kTkSurfaceLightwaveHV, surface->getType());
  const STkHyperVoxelData& data = *surface->getHyperVoxelData();
  EXPECT_EQ(1, data.blendMode);
  EXPECT_EQ(0.2f, data.size);
  EXPECT_EQ(1.0f, data.color[3]);
  EXPECT_EQ(&data, surface->getData());

  surface->setClipImage(&image);
  surface->data().colorKeyCount = 4;
  surface->setFloat(0, 3);
  surface->setTexture(0, &other);
  EXPECT_EQ(0, surface->getFloat(0));
  EXPECT_EQ(nullptr, surface->getTexture(0));
  Held<ITkSurface> copy(surface->clone());
  surface->data().colorKeyCount = 1;
  surface->setClipImage(&other);
  const auto* copied = static_cast<CTkSurfaceLightwaveHV*>(copy.get());
  EXPECT_EQ(4u, copied->getHyperVoxelData()->colorKeyCount);
  EXPECT_EQ(&image, copied->getClipImage());
  EXPECT_EQ(2, image.getReferenceCount());
  Held<CTkSurfaceLightwaveHV> fromData(new CTkSurfaceLightwaveHV());
  fromData->setData(copy->getData());
  EXPECT_EQ(4u, fromData->getHyperVoxelData()->colorKeyCount);
}

}  // namespace
}  // namespace tk::test
