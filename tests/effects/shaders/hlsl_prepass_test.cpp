// The pre-pass blanks what only the effect framework reads and keeps lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "effects/shaders/hlsl_prepass.h"

namespace tk {
namespace {

std::string squeezed(const std::string& text) {
  std::string out;
  for (char c : text)
    if (!std::isspace(static_cast<unsigned char>(c))) out += c;
  return out;
}

TEST(HlslPrepassTest, BlanksFrameworkConstructsAndKeepsTheRest) {
  struct Case {
    const char* source;
    const char* kept;  // without white space
  };
  const Case cases[] = {
      {"technique T { pass P { VertexShader = compile vs_2_0 f(); } }\nfloat a;", "floata;"},
      {"technique10 T { pass P {} };float a;", "floata;"},
      {"texture Tex <string Name = \"x;y\";>;\nfloat a;", "floata;"},
      {"Texture2D T2;", "Texture2DT2;"},
      {"sampler2D S = sampler_state { Texture = <Tex>; };", "sampler2DS;"},
      {"float4 C : register(c4);", "float4C;"},
      {"float4x4 W : World : register(c0);", "float4x4W:World;"},
      {"float4 f(float4 p : POSITION) : COLOR { float texture = 1; return p; }",
       "float4f(float4p:POSITION):COLOR{floattexture=1;returnp;}"},
      {"#line 1 \"technique.h\"\nfloat a;", "#line1\"technique.h\"floata;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    HlslPrepassResult result = hlslPrepass(c.source);
    EXPECT_EQ(squeezed(result.text), c.kept);
    EXPECT_EQ(std::count(result.text.begin(), result.text.end(), '\n'),
              std::count(c.source, c.source + std::string(c.source).size(), '\n'));
  }
}

TEST(HlslPrepassTest, RecordsSemanticsAndSamplerRegistersOfGlobals) {
  HlslPrepassResult result = hlslPrepass(
      "float4x4 W : World : register(c0);\n"
      "float L[4] : LightList;\n"
      "sampler2D Base : DiffuseMap : register(s5) = sampler_state { MinFilter = Linear; };\n"
      "sampler2D Plain : register( s2 );\n"
      "struct V { float4 p : POSITION; };\n"
      "float4 f(V v) : COLOR { return v.p; }\n");
  const std::map<std::string, std::string> semantics = {{"Base", "DiffuseMap"}, {"L", "LightList"}, {"W", "World"}};
  EXPECT_EQ(result.semantics, semantics);
  const std::map<std::string, int> registers = {{"Base", 5}, {"Plain", 2}};
  EXPECT_EQ(result.samplerRegisters, registers);
}

}  // namespace
}  // namespace tk
