// Reading a definition: typed values from value texts, look-ups out of range.

#include <gtest/gtest.h>

#include "effects/definitions/effect_def.h"
#include "effects/definitions/tesk_header_tables.h"

namespace tk {
namespace {

CTkEffectDef* definitionWithValues(std::initializer_list<const char*> values) {
  CTkEffectDef* def = new CTkEffectDef();
  int i = 0;
  for (const char* value : values) {
    SParameter parameter;
    parameter.name = "p" + std::to_string(i++);
    parameter.value = value;
    def->addParameter(parameter);
  }
  return def;
}

TEST(EffectDefValues, NumbersAreReadAcrossLineBreaksAndMissingOnesAreZero) {
  CTkEffectDef* def = definitionWithValues({"1  2.5  ", "\r\n\t-3\t4", "abc", "0", "7", ""});
  float floats[3] = {9, 9, 9};
  EXPECT_FALSE(def->getFloatArray(0, floats, 3));
  EXPECT_FLOAT_EQ(1.0f, floats[0]);
  EXPECT_FLOAT_EQ(2.5f, floats[1]);
  EXPECT_FLOAT_EQ(0.0f, floats[2]);
  int ints[2] = {9, 9};
  EXPECT_TRUE(def->getIntArray(1, ints, 2));
  EXPECT_EQ(-3, ints[0]);
  EXPECT_EQ(4, ints[1]);
  float one = 9;
  EXPECT_FALSE(def->getFloat(2, &one));
  EXPECT_FLOAT_EQ(0.0f, one);
  bool flag = true;
  EXPECT_TRUE(def->getBool(3, &flag));
  EXPECT_FALSE(flag);
  EXPECT_TRUE(def->getBool(4, &flag));
  EXPECT_TRUE(flag);
  float matrix[16];
  EXPECT_FALSE(def->getMatrix(5, matrix));
  EXPECT_FLOAT_EQ(0.0f, matrix[15]);
  int missing = 9;
  EXPECT_FALSE(def->getInt(99, &missing));
  EXPECT_EQ(0, missing);
  def->drop();
}

TEST(EffectDefValues, LookUpsOutOfRangeAnswerNothing) {
  CTkEffectDef* def = definitionWithValues({"1"});
  STechnique technique;
  technique.passes.resize(1);
  def->techniques.push_back(technique);
  EXPECT_TRUE(def->getPass(0, 0));
  EXPECT_FALSE(def->getPass(0, 1));
  EXPECT_FALSE(def->getPass(1, 0));
  EXPECT_FALSE(def->getShader(0, 0, 0));
  EXPECT_FALSE(def->getState(-1, 0, 0));
  EXPECT_FALSE(def->getTechniqueAnnotation(0, 0));
  EXPECT_FALSE(def->getPassAnnotation(0, 0, 0));
  EXPECT_FALSE(def->getCompileFlag(0));
  EXPECT_FALSE(def->getParameter(1));
  EXPECT_EQ(0, def->getParameterIndex("p0"));
  EXPECT_EQ(-1, def->getParameterIndex("p1"));
  EXPECT_EQ(def->getTechnique(0), def->getTechniqueByName(""));
  EXPECT_FALSE(def->getTechniqueByName("glow"));
  STkEffectDesc desc = def->getDesc();
  EXPECT_EQ(1, desc.parameterCount);
  EXPECT_EQ(1, desc.techniqueCount);
  def->drop();
}

TEST(EffectDefValues, HeaderTablesHoldTheirFullVocabulary) {
  EXPECT_EQ(172, teskBuiltInSemanticCount());
  EXPECT_EQ(0x10000, teskSurfaceParameterId("basecolor"));
  EXPECT_EQ(0x10000 + 38, teskSurfaceParameterId("VertexNormal"));
  EXPECT_EQ(-1, teskSurfaceParameterId("Roughness"));
  EXPECT_STREQ("RefractionIndex", teskLightwaveChannel("refractionindex"));
  EXPECT_EQ(nullptr, teskLightwaveChannel("IOR"));
}

}  // namespace
}  // namespace tk
