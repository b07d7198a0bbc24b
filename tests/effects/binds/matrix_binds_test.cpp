// Matrix semantics: the order products apply in, the two upload routes, and
// the Inverse / Transpose variants of the current and the previous frame.
// (The null driver keeps no transforms; the drawing tests read them from a
// real driver.)
#include "effects/binds/bind_environment.h"
#include "effects/binds/last_frame_bind.h"
#include "effects/binds/transform_bind.h"
#include "render/last_frame_info.h"
#include "tests/effects/binds/bind_test_support.h"

namespace tk {
namespace {

using test::floatsNear;
using test::floatsOf;
using test::matrixOf;
using test::valueOf;

irr::core::matrix4 turnedAndMoved(float yDegrees, irr::core::vector3df move) {
  irr::core::matrix4 m;
  m.setRotationDegrees({0, yDegrees, 0});
  m.setTranslation(move);
  return m;
}

irr::core::vector3df moved(const irr::core::matrix4& m, irr::core::vector3df p) {
  m.transformVect(p);
  return p;
}

class TransformBindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    transforms.world.setTranslation({1, 2, 3});
    transforms.view = turnedAndMoved(90, {0, 0, 10});
    transforms.projection.buildProjectionMatrixPerspectiveFovLH(1.0f, 1.5f, 1.0f, 100.0f);
  }

  // What a constant with the semantic receives under `transforms`.
  irr::core::matrix4 delivered(const char* semantic) {
    STkFxConstBind constant = test::constantOf(kStageVertex, kParamFloat4x4, semantic);
    if (!test::answers(bind.get(), &constant)) {
      ADD_FAILURE() << semantic << " is not answered";
      return irr::core::matrix4();
    }
    return CTkEffectBindTransform::matrixFor(constant.privateData, transforms);
  }

  STkViewTransforms transforms;
  test::Held<CTkEffectBindTransform> bind{new CTkEffectBindTransform(STkBindEnvironment())};
};

TEST_F(TransformBindTest, WorldViewAppliesTheWorldFirst) {
  const irr::core::vector3df point(5, -1, 2);
  const irr::core::vector3df expected = moved(transforms.view, moved(transforms.world, point));
  const irr::core::vector3df got = moved(delivered("WorldView"), point);
  EXPECT_TRUE(got.equals(expected, 1e-4f)) << got.X << " " << got.Y << " " << got.Z;
  // The display library's own product composes the other way round.
  EXPECT_FALSE(moved(transforms.world * transforms.view, point).equals(expected, 1e-3f));
}

TEST_F(TransformBindTest, EverySemanticDeliversItsMatrix) {
  const irr::core::matrix4& world = transforms.world;
  const irr::core::matrix4& view = transforms.view;
  const irr::core::matrix4& projection = transforms.projection;
  irr::core::matrix4 viewInverse, worldViewInverse;
  ASSERT_TRUE(view.getInverse(viewInverse));
  ASSERT_TRUE((view * world).getInverse(worldViewInverse));
  const struct {
    const char* semantic;
    irr::core::matrix4 expected;
  } rows[] = {
      {"View", view},
      {"ViewTranspose", view.getTransposed()},
      {"ViewInverse", viewInverse},
      {"ViewInverseTranspose", viewInverse.getTransposed()},
      {"WorldTranspose", world.getTransposed()},
      {"Projection", projection},
      {"WorldViewInverse", worldViewInverse},
      {"ViewProjection", projection * view},
      {"WorldViewProjectionTranspose", (projection * view * world).getTransposed()},
  };
  for (const auto& row : rows)
    EXPECT_TRUE(floatsNear(floatsOf(delivered(row.semantic)), floatsOf(row.expected))) << row.semantic;
}

TEST_F(TransformBindTest, UnlistedVariantsAreNotAnswered) {
  for (const char* semantic : {"ProjectionInverse", "ViewProjectionInverse", "WorldViewProjectionInverse", "world",
                               "ViewTransposeInverse", "Transpose", "WorldX"}) {
    STkFxConstBind constant = test::constantOf(kStagePixel, kParamFloat4x4, semantic);
    EXPECT_FALSE(test::answers(bind.get(), &constant)) << semantic;
  }
}

TEST_F(TransformBindTest, AMatrixWithoutInverseStandsForItself) {
  transforms.view.setScale({1, 0, 1});
  EXPECT_TRUE(floatsNear(floatsOf(delivered("ViewInverse")), floatsOf(transforms.view)));
}

struct SteadySource : FrameSource {
  irr::core::matrix4 viewMatrix, projectionMatrix;
  irr::u32 clock = 0;
  irr::u32 clockMs() override { return clock += 20; }
  irr::core::matrix4 projection() override { return projectionMatrix; }
  irr::core::matrix4 view() override { return viewMatrix; }
  irr::u32 sceneTime() override { return 0; }
};

class LastFrameBindTest : public test::NullDeviceTest {
 protected:
  void SetUp() override {
    NullDeviceTest::SetUp();
    source.viewMatrix = turnedAndMoved(30, {1, 0, 4});
    source.projectionMatrix.buildProjectionMatrixPerspectiveFovLH(0.8f, 1.0f, 0.5f, 50.0f);
    for (int i = 0; i < 3; ++i) last.endFrame();
    environment.device = device;
    environment.lastFrame = &last;
  }
  SteadySource source;
  CTkLastFrameInfo last{&source};
  STkBindEnvironment environment;
};

TEST_F(LastFrameBindTest, PreviousFrameMatricesOnBothRoutes) {
  test::Held<CTkEffectBindLastFrameInfo> bind(new CTkEffectBindLastFrameInfo(environment));
  irr::core::matrix4 previousViewInverse;
  ASSERT_TRUE(source.viewMatrix.getInverse(previousViewInverse));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "PrevViewInverse", kParamFloat4x4), floatsOf(previousViewInverse)));
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "PrevProjectionTranspose", kParamFloat4x4),
                         floatsOf(source.projectionMatrix.getTransposed())));
  // The current view is the identity here: previous view, then previous projection.
  const irr::core::vector3df point(2, 1, 9);
  irr::f32 got[4], expected[4];
  matrixOf(valueOf(bind.get(), "ViewInversePrevViewProjection", kParamFloat4x4)).transformVect(got, point);
  (source.projectionMatrix * source.viewMatrix).transformVect(expected, point);
  EXPECT_TRUE(floatsNear(std::vector<float>(got, got + 4), std::vector<float>(expected, expected + 4)));

  STkFxConstBind byRegister = test::constantOf(kStageVertex, kParamFloat4x4, "PrevView", "m", 4, 4);
  ASSERT_TRUE(test::answers(bind.get(), &byRegister));
  test::RecordingServices services;
  test::call(byRegister, &services);
  ASSERT_EQ(services.registerWrites.size(), 1u);
  EXPECT_EQ(services.registerWrites[0].stage, kStageVertex);
  EXPECT_EQ(services.registerWrites[0].firstRegister, 4);
  EXPECT_TRUE(floatsNear(services.registerWrites[0].floats, floatsOf(source.viewMatrix.getTransposed())));

  STkFxConstBind inverse = test::constantOf(kStagePixel, kParamFloat4x4, "PrevProjectionInverse");
  EXPECT_FALSE(test::answers(bind.get(), &inverse));
}

TEST_F(LastFrameBindTest, FrameRate) {
  test::Held<CTkEffectBindLastFrameInfo> bind(new CTkEffectBindLastFrameInfo(environment));
  ASSERT_GT(last.getFramesPerSecond(), 0.0f);
  EXPECT_TRUE(floatsNear(valueOf(bind.get(), "Fps", kParamFloat), {last.getFramesPerSecond()}));
}

}  // namespace
}  // namespace tk
