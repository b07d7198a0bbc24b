// The bound on bracket nesting checked before a shader reaches the compiler.
#include "effects/shaders/hlsl_nesting.h"

#include <gtest/gtest.h>

#include <string>

namespace tk {
namespace {

std::string nested(int levels, const char* open = "{", const char* close = "}") {
  std::string text;
  for (int i = 0; i < levels; ++i) text += open;
  for (int i = 0; i < levels; ++i) text += close;
  return text;
}

struct NestingCase {
  std::string text;
  const char* error;  // empty: accepted
};

TEST(HlslNesting, BracketsOfEveryKindCountTogetherUpToTheLimit) {
  const NestingCase cases[] = {
      {nested(kMaxHlslNesting), ""},
      {nested(kMaxHlslNesting + 1), "fx.hlsl:1: brackets nest deeper than 128 levels"},
      {nested(kMaxHlslNesting / 2, "(") + nested(kMaxHlslNesting / 2, "["), ""},
      {nested(kMaxHlslNesting / 2, "{[") , ""},
      {nested(kMaxHlslNesting / 2 + 1, "({", "})"), "fx.hlsl:1: brackets nest deeper than 128 levels"},
      {"void f()\n{\n" + nested(kMaxHlslNesting, "(", ")") + "\n}\n",
       "fx.hlsl:3: brackets nest deeper than 128 levels"},
      {nested(60000), "fx.hlsl:1: brackets nest deeper than 128 levels"},
      // Closing brackets that were never opened do not make room for more.
      {std::string(200, ')') + nested(kMaxHlslNesting + 1), "fx.hlsl:1: brackets nest deeper than 128 levels"},
  };
  for (const NestingCase& c : cases) {
    std::string error;
    EXPECT_EQ(checkHlslNesting(c.text, "fx.hlsl", HlslNestingScope::Preprocessed, &error), *c.error == '\0') << c.text.substr(0, 80);
    EXPECT_EQ(error, c.error) << c.text.substr(0, 80);
  }
}

TEST(HlslNesting, CommentsStringsAndDirectivesHoldNoBrackets) {
  const std::string deep = nested(kMaxHlslNesting + 1);
  const NestingCase cases[] = {
      {"// " + deep + "\nfloat a;", ""},
      {"/* " + deep + "\n*/ float a;", ""},
      {"\"" + deep + "\" float a;", ""},
      {"#define DEEP " + deep + "\nfloat a;", ""},
      {"/* a\nb */\n" + deep, "fx.hlsl:3: brackets nest deeper than 128 levels"},
  };
  for (const NestingCase& c : cases) {
    std::string error;
    checkHlslNesting(c.text, "fx.hlsl", HlslNestingScope::Preprocessed, &error);
    EXPECT_EQ(error, c.error) << c.text.substr(0, 80);
  }
}

TEST(HlslNesting, LineDirectivesNameTheFileAndLine) {
  const std::string deep = nested(kMaxHlslNesting + 1);
  const NestingCase cases[] = {
      {"float a;\n#line 40 \"inc/deep.inc\"\nfloat b;\n" + deep, "inc/deep.inc:41: brackets nest deeper than 128 levels"},
      {"#line 7\n" + deep, "fx.hlsl:7: brackets nest deeper than 128 levels"},
      {"  #  line 99999999999999 \"x\"\n" + deep, "x:1073741824: brackets nest deeper than 128 levels"},
  };
  for (const NestingCase& c : cases) {
    std::string error;
    EXPECT_FALSE(checkHlslNesting(c.text, "fx.hlsl", HlslNestingScope::Preprocessed, &error));
    EXPECT_EQ(error, c.error);
  }
}

// A file as written: the code, and the expression of each directive on its
// own (the preprocessor evaluates "#if" by recursion too).
TEST(HlslNesting, DirectivesOfAFileAsWrittenCountEachOnItsOwn) {
  const std::string deep = nested(kMaxHlslNesting + 1, "(", ")");
  const NestingCase cases[] = {
      {"#if " + nested(kMaxHlslNesting, "(", ")") + "\n#endif\n", ""},
      {"#if " + nested(kMaxHlslNesting / 2 + 1, "(", ")") + "\n#elif " + nested(kMaxHlslNesting / 2 + 1, "(", ")") +
           "\n#endif\n",
       ""},
      {"float a;\n#if " + deep + "\n#endif\n", "fx.hlsl:2: brackets nest deeper than 128 levels"},
      {"#define X \\\n" + deep + "\n", "fx.hlsl:2: brackets nest deeper than 128 levels"},
      {"#if 1 // " + deep + "\n#endif\n", ""},
      {"#define M(x) x\nfloat a = " + nested(kMaxHlslNesting + 1, "M(", ")") + ";\n",
       "fx.hlsl:2: brackets nest deeper than 128 levels"},
      // A directive's brackets and the code's are counted apart.
      {"void f() {\n#if " + nested(kMaxHlslNesting, "(", ")") + "\n#endif\n}\n", ""},
  };
  for (const NestingCase& c : cases) {
    std::string error;
    EXPECT_EQ(checkHlslNesting(c.text, "fx.hlsl", HlslNestingScope::AsWritten, &error), *c.error == '\0')
        << c.text.substr(0, 80);
    EXPECT_EQ(error, c.error) << c.text.substr(0, 80);
  }
}

}  // namespace
}  // namespace tk
