// Effect records of a scene evaluated at a sample position.
#include "scene/scene_effect_values.h"

#include <gtest/gtest.h>

#include <string>

#include "tf/tf_load.h"

namespace tk {
namespace {

TfDocPtr parse(const std::string& text) { return TfDocPtr(TF_LoadMemory(text.data(), text.size())); }

TEST(SceneEffectValuesTest, EachValueShapeGivesItsKindAndItsValueAtThePosition) {
  TfDocPtr doc = parse(
      "{ Effect\nfilename STR grade.fx\ncflags STR A B=2\n{ Parameters\n"
      "{ Colour\nvalue FP_C [\nDAT 3 0 1 2\nRUN 3 5\nDAT 3 10 20 30\n]\n}\n"
      "{ Offset\nvalue FP 1 2 3\n}\n"
      "{ Gain\nvalue FP 4\n}\n"
      "{ Fade\nvalue FP_C DAT 3 0 2 4\n}\n"
      "{ Steps\nvalue I4 7 9\n}\n"
      "{ Mask\nvalue U4 3\n}\n"
      "{ Picture\nvalue STR sky.png\nimg_colorspace I4 1\nimg_reference I4 1\n}\n"
      "{ Plain\nvalue STR wall.png\n}\n"
      "{ Empty\n}\n}\n}\n");
  ASSERT_TRUE(doc);
  EffectValues v;
  evaluateEffectRecord(TF_Find(TF_Root(doc.get()), "Effect"), 1.5f, &v);
  EXPECT_EQ(v.file, "grade.fx");
  EXPECT_EQ(v.compileFlags, "A B=2");
  ASSERT_EQ(v.count, 9);
  const EffectValueParameter* p = v.parameters;
  struct Expected {
    const char* name;
    int kind;
  };
  const Expected expected[] = {{"Colour", kEffectValueVector}, {"Offset", kEffectValueVector},
                               {"Gain", kEffectValueFloat},    {"Fade", kEffectValueFloat},
                               {"Steps", kEffectValueInteger}, {"Mask", kEffectValueInteger},
                               {"Picture", kEffectValueTexture}, {"Plain", kEffectValueTexture},
                               {"Empty", kEffectValueNone}};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(p[i].name, expected[i].name);
    EXPECT_EQ(p[i].kind, expected[i].kind) << expected[i].name;
  }
  EXPECT_FLOAT_EQ(p[0].value.floats[0], 1.5f);
  EXPECT_FLOAT_EQ(p[0].value.floats[1], 5.0f);
  EXPECT_FLOAT_EQ(p[0].value.floats[2], 25.0f);
  EXPECT_FLOAT_EQ(p[1].value.floats[2], 3.0f);
  EXPECT_FLOAT_EQ(p[2].value.floats[0], 4.0f);
  EXPECT_FLOAT_EQ(p[3].value.floats[0], 3.0f);
  EXPECT_EQ(p[4].value.integer, 7);
  EXPECT_EQ(p[5].value.integer, 3);
  EXPECT_EQ(p[6].texture, "sky.png");
  EXPECT_EQ(p[6].colorSpace, 1);
  EXPECT_EQ(p[6].reference, 1);
  EXPECT_EQ(p[7].texture, "wall.png");
  EXPECT_EQ(p[7].colorSpace, 0);  // the record's default, not the values' one
  EXPECT_EQ(p[7].reference, 0);
}

TEST(SceneEffectValuesTest, AtMostThirtyParametersAndNothingWithoutARecord) {
  std::string text = "{ Effect\nfilename STR many.fx\n{ Parameters\n";
  for (int i = 0; i < 31; ++i) text += "{ P" + std::to_string(i) + "\nvalue I4 " + std::to_string(i) + "\n}\n";
  TfDocPtr doc = parse(text + "}\n}\n");
  ASSERT_TRUE(doc);
  EffectValues v;
  evaluateEffectRecord(TF_Find(TF_Root(doc.get()), "Effect"), 0, &v);
  ASSERT_EQ(v.count, kEffectValueSlots);
  EXPECT_EQ(v.parameters[29].name, "P29");
  EXPECT_EQ(v.parameters[29].value.integer, 29);

  evaluateEffectRecord(nullptr, 0, &v);
  EXPECT_EQ(v.file, "");
  EXPECT_EQ(v.compileFlags, "");
  EXPECT_EQ(v.count, 0);
}

}  // namespace
}  // namespace tk
