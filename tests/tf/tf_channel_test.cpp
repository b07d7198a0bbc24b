#include "tf/tf_channel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/tf/tf_test_bytes.h"

namespace tk {
namespace {

// Channels are read from a loaded text document, as the scene animation does.
class TfChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::Loaded loaded = test::loadBytes(
        "one FP_C RUN 1 7\n"
        "mixed FP_C RUN 5 1.0 DAT 2 2.0 4.0\n"
        "ramp FP_C DAT 4 0 10 20 30\n"
        "constant FP 1.5 2.5 3.5\n"
        "short FP 9\n"
        "pair FP_C [\nDAT 2 0 1\nDAT 3 5 6 7\n]\n"
        "triple FP_C [\nDAT 2 0 1\nDAT 2 0 2\nDAT 2 0 4\n]\n"
        "fixed FP [\n1 100\n2\n3\n]\n"
        "zero FP 0 0 0\n"
        "heading FP 0.5 0 0\n"
        "spin FP_C [\nDAT 2 0 1\nRUN 2 0\nRUN 2 0\n]\n"
        "ints I4 1 2 3\n"
        "{ record\n}\n");
    ASSERT_TRUE(loaded.doc) << loaded.messages;
    doc_ = std::move(loaded.doc);
  }

  const TF_Node* channel(const char* name) {
    const TF_Node* node = TF_Find(TF_Root(doc_.get()), name);
    EXPECT_NE(node, nullptr) << name;
    return node;
  }

  TfDocPtr doc_;
};

TEST_F(TfChannelTest, InterpolatesAndClampsScalarChannels) {
  struct Case {
    const char* name;
    float p;
    float lerp, step;
  } cases[] = {
      {"one", -1, 7, 7},          {"one", 0, 7, 7},          {"one", 3.5f, 7, 7},
      {"ramp", -3, 0, 0},         {"ramp", 0.25f, 2.5f, 0},  {"ramp", 1.5f, 15, 10},
      {"ramp", 3, 30, 30},        {"ramp", 2.5f, 25, 20},    {"ramp", 1e9f, 30, 30},
      {"ramp", NAN, 0, 0},        {"mixed", 4.5f, 1.5f, 1},  {"mixed", 5.25f, 2.5f, 2},
      {"mixed", 2, 1, 1},         {"constant", 12, 1.5f, 1.5f},
  };
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(TF_FP_Lerp(channel(c.name), c.p), c.lerp) << c.name << " at " << c.p;
    EXPECT_FLOAT_EQ(TF_FP_Step(channel(c.name), c.p), c.step) << c.name << " at " << c.p;
  }
}

std::vector<float> values(TF_Vec2 v) { return {v.x, v.y}; }
std::vector<float> values(TF_Vec3 v) { return {v.x, v.y, v.z}; }
using Floats = std::vector<float>;

TEST_F(TfChannelTest, VectorChannels) {
  EXPECT_EQ(values(TF_FP3_Lerp(channel("constant"), 42)), (Floats{1.5f, 2.5f, 3.5f}));
  // Each component clamps on its own sample count.
  EXPECT_EQ(values(TF_FP2_Lerp(channel("pair"), 1.5f)), (Floats{1, 6.5f}));
  EXPECT_EQ(values(TF_FP3_Lerp(channel("triple"), 0.25f)), (Floats{0.25f, 0.5f, 1}));
  EXPECT_EQ(values(TF_FP3_Lerp(channel("short"), 0)), (Floats{9, 0, 0}));
}

TEST_F(TfChannelTest, SamplesByIndex) {
  EXPECT_EQ(TF_FP_At(channel("mixed"), 4), 1);
  EXPECT_EQ(TF_FP_At(channel("mixed"), 6), 4);
  EXPECT_EQ(TF_FP_At(channel("mixed"), 1000), 4);
  EXPECT_EQ(values(TF_FP3_At(channel("ramp"), 2)), (Floats{20, 20, 20}));
  EXPECT_EQ(values(TF_FP2_At(channel("pair"), 9)), (Floats{1, 7}));
  EXPECT_EQ(values(TF_FP3_At(channel("fixed"), 0)), (Floats{1, 2, 3}));
  EXPECT_EQ(values(TF_FP2_At(channel("constant"), 5)), (Floats{1.5f, 2.5f}));
}

TEST_F(TfChannelTest, WrongShapesPrintOnEveryCallAndYieldZeros) {
  test::CapturedStdout out;
  EXPECT_EQ(TF_FP_Lerp(channel("pair"), 0), 0);
  EXPECT_EQ(TF_FP_Step(channel("pair"), 0), 0);
  TF_Vec3 v = TF_FP3_Lerp(channel("pair"), 0);
  EXPECT_EQ(v.x, 0);
  EXPECT_EQ(TF_FP2_Lerp(channel("triple"), 0).x, 0);
  EXPECT_EQ(TF_FP2_Lerp(channel("mixed"), 0).x, 0);
  EXPECT_EQ(TF_FP3_Slerp_HPB_To_XYZ(channel("pair"), 0).x, 0);
  EXPECT_EQ(TF_FP_Lerp(channel("ints"), 0), 0);
  EXPECT_EQ(TF_FP_Lerp(channel("record"), 0), 0);
  EXPECT_EQ(out.take(),
            "TF_FP_Lerp not supported on array\n"
            "TF_FP_Lerp not supported on array\n"
            "TF_FP3_Lerp: unsupported value/valtype/array size\n"
            "TF_FP2_Lerp: unsupported value/valtype/array size\n"
            "TF_FP2_Lerp: unsupported value/valtype/array size\n"
            "TF_FP3_Slerp_HPB_To_XYZ: unsupported value/valtype/array size\n"
            "TF_FP_Lerp: unsupported value/valtype\n"
            "TF_FP_Lerp: unsupported value/valtype\n");
}

TEST_F(TfChannelTest, RotationsComeOutAsSwappedAngles) {
  EXPECT_EQ(values(TF_FP3_Slerp_HPB_To_XYZ(channel("zero"), 0)), (Floats{0, 0, 0}));
  TF_Vec3 heading = TF_FP3_Slerp_HPB_To_XYZ(channel("heading"), 3);
  EXPECT_NEAR(heading.x, 0, 1e-6);
  EXPECT_NEAR(heading.y, 0.5, 1e-6);
  EXPECT_NEAR(heading.z, 0, 1e-6);
  // Halfway between 0 and 1 radian about the first axis, on the sphere.
  TF_Vec3 half = TF_FP3_Slerp_HPB_To_XYZ(channel("spin"), 0.5f);
  EXPECT_NEAR(half.x, 0, 1e-6);
  EXPECT_NEAR(half.y, 0.5, 1e-5);
  TF_Vec3 clamped = TF_FP3_Slerp_HPB_To_XYZ(channel("spin"), 7);
  EXPECT_NEAR(clamped.y, 1, 1e-5);
}

TEST(TfRotation, QuaternionOperations) {
  TF_Quat q = TF_Quat::FromAngles(1, 0, 0);
  EXPECT_NEAR(q.X, std::sin(0.5), 1e-7);
  EXPECT_NEAR(q.W, std::cos(0.5), 1e-7);
  TF_Angles back = TF_Quat::FromAngles(0.3, -0.2, 0.1).ToAngles();
  EXPECT_NEAR(back.x, 0.3, 1e-6);
  EXPECT_NEAR(back.y, -0.2, 1e-6);
  EXPECT_NEAR(back.z, 0.1, 1e-6);
  TF_Angles swapped = TF_Quat::FromAngles(0.3, 0, 0).ToSwappedAngles();
  EXPECT_NEAR(swapped.y, 0.3, 1e-6);
  // Past the pole the sine is clamped instead of producing NaN.
  TF_Angles pole = TF_Quat{0, 0.7072f, 0, 0.7072f}.ToAngles();
  EXPECT_FLOAT_EQ(pole.y, static_cast<float>(M_PI / 2));

  // Nearly equal rotations use linear weights; opposite signs take the short way.
  TF_Quat a = TF_Quat::FromAngles(0.10, 0, 0), b = TF_Quat::FromAngles(0.12, 0, 0);
  TF_Quat linear = TF_Quat::Slerp(a, b, 0.25f);
  EXPECT_FLOAT_EQ(linear.X, 0.75f * a.X + 0.25f * b.X);
  EXPECT_FLOAT_EQ(linear.W, 0.75f * a.W + 0.25f * b.W);
  TF_Quat flipped = TF_Quat::Slerp(TF_Quat{-a.X, -a.Y, -a.Z, -a.W}, b, 0);
  EXPECT_FLOAT_EQ(flipped.X, a.X);
  TF_Quat wide = TF_Quat::Slerp(TF_Quat::FromAngles(0, 0, 0), TF_Quat::FromAngles(2, 0, 0), 0.5f);
  EXPECT_NEAR(wide.X, std::sin(0.5), 1e-6);
  EXPECT_NEAR(wide.W, std::cos(0.5), 1e-6);
}

TEST(TfTimeBase, SamplePositionAndFrame) {
  EXPECT_FLOAT_EQ(TF_SamplePosition(1000, 25, 1), 25);
  EXPECT_FLOAT_EQ(TF_SamplePosition(500, 30, 2), 7.5f);
  EXPECT_FLOAT_EQ(TF_SceneFrame(2000, 25, 10), 60);
}

// Frame steps and rates a scene file may hold: no step divides the time away,
// and the channels read at whatever position comes out stay within their samples.
TEST_F(TfChannelTest, SamplePositionsOfAnyStepAndRateReadWithinTheSamples) {
  struct Case {
    int ms;
    float framesPerSecond, frameStep;
    float lerp;  // "ramp" (0 10 20 30) at the position
  } cases[] = {
      {40, 25, 1, 10},         {40, 25, 0, 10},           {40, 25, -2, 10},          {40, 25, NAN, 10},
      {40, 25, 1e-30f, 30},    {40, 25, INFINITY, 0},     {40, NAN, 1, 0},           {40, INFINITY, 1, 30},
      {40, -25, 1, 0},         {0, INFINITY, 1, 0},       {2147483647, 1e30f, 1, 30}, {-2147483647 - 1, 1e30f, 1, 0},
  };
  for (const Case& c : cases) {
    float p = TF_SamplePosition(c.ms, c.framesPerSecond, c.frameStep);
    EXPECT_FLOAT_EQ(TF_FP_Lerp(channel("ramp"), p), c.lerp)
        << c.ms << " ms at " << c.framesPerSecond << " fps, step " << c.frameStep << ": p " << p;
  }
}

}  // namespace
}  // namespace tk
