// Direct3D 9 HLSL translated to GLSL: the interface fixes and the constant table.
#include <gtest/gtest.h>

#include "effects/shaders/hlsl_nesting.h"
#include "effects/shaders/hlsl_translator.h"
#include "effects/shaders/varying_match.h"
#include "platform/shader_compiler_probe.h"
#include "tests/effects/shaders/shader_sources.h"
#include "tests/support/capture_stdout.h"

namespace tk {
namespace {

class HlslTranslationTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(missingShaderCompilerLibrary(), nullptr); }

  ShaderTranslation translate(bool vertex, const std::string& source, const std::string& entry,
                              ShaderMacroList macros = {}) {
    ShaderCompileRequest request;
    request.vertex = vertex;
    request.path = folder.write(vertex ? "vs.hlsl" : "ps.hlsl", source);
    request.entry = entry;
    request.macros = std::move(macros);
    ShaderTranslation translation;
    ok = translateHlsl(request, source, &translation);
    return translation;
  }

  test::TempFolder folder;
  bool ok = false;
};

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void expectAll(const std::string& glsl, std::initializer_list<const char*> parts) {
  for (const char* part : parts) EXPECT_TRUE(contains(glsl, part)) << part << "\n" << glsl;
}

TEST_F(HlslTranslationTest, VertexShaderReadsDisplayLibraryInputsAndWritesVaryingsBySemantic) {
  ShaderTranslation t = translate(true, test::kVertexShader, "vs_main");
  ASSERT_TRUE(ok) << t.error;
  const std::string& glsl = t.shader.glsl;
  EXPECT_EQ(glsl.rfind("#version 450 compatibility\n", 0), 0u) << glsl;
  EXPECT_FALSE(contains(glsl, "layout(location")) << glsl;
  expectAll(glsl, {"gl_Position =", "#define tk_in_POSITION0 (gl_Vertex).xyz\n",
                   "#define tk_in_TEXCOORD0 (gl_MultiTexCoord0).xy\n", "#define tk_in_COLOR0 (gl_Color)\n",
                   "out vec2 v_TEXCOORD1;", "out vec4 v_COLOR0;", "uniform tkVertexConstants"});
}

TEST_F(HlslTranslationTest, PixelShaderDropsFrameworkDeclarationsAndMapsScreenInputs) {
  ShaderTranslation t = translate(false, test::kPixelShader, "ps_main");
  ASSERT_TRUE(ok) << t.error;
  const std::string& glsl = t.shader.glsl;
  expectAll(glsl, {"in vec4 v_COLOR0;", "in vec2 v_TEXCOORD1;", "gl_FragCoord.xy - 0.5", "gl_FrontFacing ? 1.0 : -1.0",
                   "layout(location = 0) out vec4", "uniform tkPixelConstants"});
}

TEST_F(HlslTranslationTest, SamplersKeepTheirRegisterAndOthersTakeTheLowestFreeUnits) {
  ShaderTranslation t = translate(false, test::kPixelShader, "ps_main");
  ASSERT_TRUE(ok) << t.error;
  const STkShaderConstantTable& table = t.shader.table;
  ASSERT_EQ(table.samplers.size(), 3u);
  ASSERT_NE(table.findSampler("Diffuse"), nullptr);
  EXPECT_EQ(table.findSampler("Diffuse")->unit, 3);
  EXPECT_EQ(table.findSampler("Diffuse")->dimension, 2);
  ASSERT_NE(table.findSampler("Detail"), nullptr);
  ASSERT_NE(table.findSampler("Sky"), nullptr);
  EXPECT_EQ(table.findSampler("Sky")->dimension, 4);
  std::set<int> units = {table.findSampler("Detail")->unit, table.findSampler("Sky")->unit};
  EXPECT_EQ(units, (std::set<int>{0, 1}));
  EXPECT_TRUE(contains(t.shader.glsl, "layout(binding = 3) uniform sampler2D Diffuse;")) << t.shader.glsl;
}

TEST_F(HlslTranslationTest, TextureObjectsWithSamplerStatesBecomeOneSamplerPerTexture) {
  ShaderTranslation t = translate(false,
                                  "Texture2D Albedo : register(t2);\nTexture2D Mask;\nSamplerState Linear;\n"
                                  "float4 ps_main(float2 uv : TEXCOORD0) : COLOR {\n"
                                  "  return Albedo.Sample(Linear, uv) * Mask.Sample(Linear, uv);\n}\n",
                                  "ps_main");
  ASSERT_TRUE(ok) << t.error;
  const STkShaderConstantTable& table = t.shader.table;
  ASSERT_EQ(table.samplers.size(), 2u) << t.shader.glsl;
  ASSERT_NE(table.findSampler("Albedo"), nullptr) << t.shader.glsl;
  ASSERT_NE(table.findSampler("Mask"), nullptr) << t.shader.glsl;
  EXPECT_EQ(table.findSampler("Albedo")->unit, 2);
  EXPECT_EQ(table.findSampler("Mask")->unit, 0);
}

TEST_F(HlslTranslationTest, ConstantTableGivesOffsetsShapesArraysAndMembers) {
  ShaderTranslation t = translate(true, test::kVertexShader, "vs_main");
  ASSERT_TRUE(ok) << t.error;
  const STkShaderConstantTable& table = t.shader.table;
  EXPECT_EQ(table.blockName, "tkVertexConstants");
  EXPECT_EQ(table.blockBinding, kVertexConstantBinding);
  struct Expected {
    const char* name;
    const char* semantic;
    uint32_t offset, size;
    ShaderScalar scalar;
    int rows, columns;
    uint32_t arrayCount;
  };
  const Expected cases[] = {
      {"WorldViewProj", "WorldViewProjection", 0, 64, ShaderScalar::Float, 4, 4, 0},
      {"Skew", "", 64, 48, ShaderScalar::Float, 4, 3, 0},
      {"UseSkew", "", 112, 4, ShaderScalar::Uint, 1, 1, 0},
      {"Offsets", "", 128, 48, ShaderScalar::Float, 1, 1, 3},
      {"Lights", "", 176, 32, ShaderScalar::Struct, 0, 0, 2},
      {"Lights[1].Color", "", 192, 12, ShaderScalar::Float, 1, 3, 0},
      {"Lights[1].Radius", "", 204, 4, ShaderScalar::Float, 1, 1, 0},
  };
  for (const Expected& e : cases) {
    SCOPED_TRACE(e.name);
    const STkShaderConstant* c = table.findConstant(e.name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->semantic, e.semantic);
    EXPECT_EQ(c->offset, e.offset);
    EXPECT_EQ(c->size, e.size);
    EXPECT_EQ(c->scalar, e.scalar);
    EXPECT_EQ(c->rows, e.rows);
    EXPECT_EQ(c->columns, e.columns);
    EXPECT_EQ(c->arrayCount, e.arrayCount);
  }
  EXPECT_EQ(table.findConstant("Offsets")->arrayStride, 16u);
  EXPECT_TRUE(table.findConstant("WorldViewProj")->columnsContiguous);
  EXPECT_EQ(table.blockSize, 208u);
}

TEST_F(HlslTranslationTest, PixelInputsTheVertexShaderDoesNotWriteReadZero) {
  ShaderTranslation vertex = translate(true, test::kVertexShader, "vs_main");
  ShaderTranslation pixel = translate(false,
                                      "float4 ps_main(float4 c : COLOR0, float4 extra : TEXCOORD5) : COLOR {\n"
                                      "  return c + extra;\n}\n",
                                      "ps_main");
  ASSERT_TRUE(ok) << pixel.error;
  const std::string matched = pixelGlslMatchedTo(vertex.shader.glsl, pixel.shader.glsl);
  EXPECT_TRUE(contains(matched, "\nin vec4 v_COLOR0;\n")) << matched;
  EXPECT_TRUE(contains(matched, "\nvec4 v_TEXCOORD5 = vec4(0);\n")) << matched;
  EXPECT_FALSE(contains(matched, "in vec4 v_TEXCOORD5;")) << matched;
}

TEST_F(HlslTranslationTest, Direct3D9IdiomsTranslate) {
  const char* const bodies[] = {
      "shared float4 A; float4 ps_main() : COLOR { return A; }",
      "half4 H; float4 ps_main() : COLOR { return H * (half)2; }",
      "sampler2D S; float4 ps_main(float4 t : TEXCOORD0) : COLOR { return tex2Dproj(S, t) + tex2Dbias(S, t) + "
      "tex2Dlod(S, t); }",
      "samplerCUBE C; float4 ps_main(float3 d : TEXCOORD0) : COLOR { return texCUBElod(C, float4(d, 2)); }",
      "sampler3D V; float4 ps_main(float3 t : TEXCOORD0) : COLOR { return tex3D(V, t); }",
      "float4 ps_main(float2 t : TEXCOORD0) : COLOR { clip(t.x - 0.5); return float4(ddx(t), ddy(t)); }",
      "float4 ps_main(float2 t : TEXCOORD0, out float depth : DEPTH) : COLOR { depth = t.x; return 1; }",
      "float4 C[4] : register(c0); float4 ps_main(int i : TEXCOORD0) : COLOR { return C[i]; }",
      "float4 K <string UIName = \"k\";> = {1, 2, 3, 4}; float4 ps_main() : COLOR { return K; }",
  };
  for (const char* body : bodies) {
    SCOPED_TRACE(body);
    ShaderTranslation t = translate(false, body, "ps_main");
    EXPECT_TRUE(ok) << t.error;
  }
}

TEST_F(HlslTranslationTest, VertexInputsAndOutParametersMapBySemantic) {
  const char* source =
      "void vs_main(float4 p : POSITION0, float3 n : NORMAL, float3 t : TANGENT, float3 b : BINORMAL,\n"
      "             float4 c1 : COLOR1, float2 uv7 : TEXCOORD7, float4 w : BLENDWEIGHT,\n"
      "             out float4 oPos : POSITION0, out float4 oData : TEXCOORD2, out float oSize : PSIZE) {\n"
      "  oPos = p; oData = float4(n + t + b, uv7.x) + c1 + w; oSize = 2;\n}\n";
  ShaderTranslation t = translate(true, source, "vs_main");
  ASSERT_TRUE(ok) << t.error;
  const std::string& glsl = t.shader.glsl;
  expectAll(glsl, {"#define tk_in_POSITION0 (gl_Vertex)\n", "#define tk_in_NORMAL0 (vec4(gl_Normal, 0.0)).xyz\n",
                   "#define tk_in_TANGENT0 (gl_MultiTexCoord1).xyz\n", "#define tk_in_BINORMAL0 (gl_MultiTexCoord2).xyz\n",
                   "#define tk_in_COLOR1 (gl_SecondaryColor)\n", "#define tk_in_TEXCOORD7 (gl_MultiTexCoord7).xy\n",
                   "gl_Position =", "gl_PointSize =", "out vec4 v_TEXCOORD2;"});
  // An input the display library does not feed stays a generic attribute.
  EXPECT_TRUE(contains(glsl, "in vec4 w;")) << glsl;
}

TEST_F(HlslTranslationTest, MacrosReachThePreprocessor) {
  const char* source = "float4 ps_main() : COLOR { return float4(RED, GREEN, 0, 1); }";
  ShaderTranslation t = translate(false, source, "ps_main", {{"GREEN", "0.25"}, {"RED", "0.5"}});
  ASSERT_TRUE(ok) << t.error;
  EXPECT_TRUE(contains(t.shader.glsl, "vec4(0.5, 0.25, 0.0, 1.0)")) << t.shader.glsl;
}

TEST_F(HlslTranslationTest, IncludesAreFoundAndRecordedAsDependencies) {
  std::string header = folder.write("common/colour.h", "#include \"../more.h\"\nfloat4 Base() { return MORE; }\n");
  std::string more = folder.write("more.h", "#define MORE float4(1, 0, 0, 1)\n");
  ShaderTranslation t =
      translate(false, "#include \"common/colour.h\"\nfloat4 ps_main() : COLOR { return Base(); }\n", "ps_main");
  ASSERT_TRUE(ok) << t.error;
  ASSERT_EQ(t.includes.size(), 3u);
  EXPECT_EQ(t.includes[0], header);
  EXPECT_EQ(t.includes[1], more);
  EXPECT_EQ(t.includes[2], folder.path() + "/ps.hlsl");
}

TEST_F(HlslTranslationTest, ErrorsNameTheFileAndLine) {
  struct Case {
    const char* source;
    const char* expected;
  };
  const Case cases[] = {
      {"float4 ps_main() : COLOR {\n  return undefinedThing;\n}\n", "ps.hlsl:2"},
      {"#include \"missing.h\"\nfloat4 ps_main() : COLOR { return 1; }\n", "missing.h"},
      {"float4 other() : COLOR { return 1; }\n", "ps_main"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    ShaderTranslation t;
    {
      test::CapturedStdout out;
      t = translate(false, c.source, "ps_main");
    }
    EXPECT_FALSE(ok);
    EXPECT_TRUE(contains(t.error, c.expected)) << t.error;
  }
}

// The compiler parses by recursion: nesting is bounded before it sees the text.
TEST_F(HlslTranslationTest, NestingUpToTheLimitCompilesAndDeeperIsRefused) {
  // Blocks and parentheses inside the function's body, whose own brace is
  // the first level.
  auto body = [](int levels, const char* open, const char* close) {
    std::string inner;
    for (int i = 1; i < levels; ++i) inner += open;
    inner += std::string(*open == '(' ? "1" : "");
    for (int i = 1; i < levels; ++i) inner += close;
    const std::string statement = *open == '(' ? "float4 c = " + inner + ";" : inner + "\nfloat4 c = 1;";
    return "float4 ps_main() : COLOR\n{\n" + statement + "\nreturn c;\n}\n";
  };
  struct Case {
    int levels;
    const char* open;
    const char* close;
    bool compiles;
  };
  const Case cases[] = {
      {kMaxHlslNesting, "{", "}", true},
      {kMaxHlslNesting, "(", ")", true},
      {kMaxHlslNesting + 1, "{", "}", false},
      {kMaxHlslNesting + 1, "(", ")", false},
      {60000, "{", "}", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.levels) + " levels of " + c.open);
    ShaderTranslation t = translate(false, body(c.levels, c.open, c.close), "ps_main");
    EXPECT_EQ(ok, c.compiles) << t.error;
    if (!c.compiles) {
      EXPECT_EQ(t.error, folder.path() + "/ps.hlsl:3: brackets nest deeper than 128 levels");
    }
  }
}

TEST_F(HlslTranslationTest, NestingInDirectivesAndIncludedFilesIsNamedByItsFile) {
  std::string deep;
  for (int i = 0; i <= kMaxHlslNesting; ++i) deep += "(";
  const std::string deepIf = "#if " + std::string(60000, '(') + "1" + std::string(60000, ')') + "\n#endif\n";
  folder.write("deep.h", "float4 deep()\n{\nreturn " + deep + ";\n}\n");
  folder.write("deepif.h", "float4 deep() { return 1; }\n" + deepIf);
  const std::string main = "float4 ps_main() : COLOR { return deep(); }\n";
  std::string calls;
  for (int i = 0; i < 60000; ++i) calls += "M(";
  calls += "1" + std::string(60000, ')');
  const std::pair<std::string, std::string> cases[] = {
      {"#include \"deep.h\"\n" + main, "deep.h:3: brackets nest deeper than 128 levels"},
      {"#include \"deepif.h\"\n" + main, "deepif.h:2: brackets nest deeper than 128 levels"},
      {"float4 deep() { return 1; }\n" + deepIf + main, "ps.hlsl:2: brackets nest deeper than 128 levels"},
      // Macro calls nested in macro arguments are expanded level by level.
      {"#define M(x) x\nfloat4 ps_main() : COLOR { return " + calls + "; }\n",
       "ps.hlsl:2: brackets nest deeper than 128 levels"},
  };
  for (const auto& [source, message] : cases) {
    test::CapturedStdout quiet;
    ShaderTranslation t = translate(false, source, "ps_main");
    EXPECT_FALSE(ok);
    EXPECT_TRUE(contains(t.error, message)) << t.error;
  }
}

}  // namespace
}  // namespace tk
