// Translated shaders drawn by the GL driver: the read-back pixels must be what
// the HLSL computes, with the engine's row-vector matrices seen by mul(v, M).
#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <functional>

#include "base/log.h"
#include "effects/shaders/gpu_programming_services.h"
#include "render/engine.h"
#include "render/gl/gl_program.h"
#include "render/gl/saved_gl_state.h"
#include "startup/sys_setup.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_engine.h"

namespace tk {
namespace {

constexpr int kSize = 64;

// The pixel shader reads its inputs in another order than the vertex shader
// writes them: they must meet by semantic.
constexpr const char* kVertex = R"(
float4x4 Transform : World;
struct VSOut { float4 pos : POSITION; float2 uv : TEXCOORD0; float4 probe : TEXCOORD3; };
VSOut vs_main(float4 p : POSITION, float2 uv : TEXCOORD0) {
  VSOut o;
  o.pos = p;
  o.uv = uv;
  o.probe = mul(float4(1, 2, 3, 1), Transform);
  return o;
}
)";
constexpr const char* kPixel = R"(
float4 Tint;
float4 ps_main(float4 probe : TEXCOORD3, float2 vpos : VPOS, float2 uv : TEXCOORD0) : COLOR {
  if (uv.x < 0.5) return uv.y < 0.5 ? probe : Tint;
  return float4(uv.x, uv.y, vpos.x / 64.0, 1);
}
)";

constexpr const char* kSamplingPixel = R"(
sampler2D Left : register(s2);
sampler2D Right;
float4 ps_main(float2 uv : TEXCOORD0) : COLOR { return uv.x < 0.5 ? tex2D(Left, uv) : tex2D(Right, uv); }
)";

// Reads an input the vertex shader does not write: zero, as under Direct3D 9.
constexpr const char* kUnmatchedPixel = R"(
float4 ps_main(float4 extra : TEXCOORD5, float2 uv : TEXCOORD0) : COLOR {
  return float4(uv.x > 0.5 ? 1 : 0, 0.5, 0, 1) + extra;
}
)";

// A uniform buffer holding one stage's constants, bound to the stage's binding.
GLuint constantBuffer(const STkShaderConstantTable& table, const std::vector<uint8_t>& block) {
  if (table.blockBinding < 0) return 0;  // a stage without constants
  GLuint buffer;
  glGenBuffers(1, &buffer);
  glBindBuffer(GL_UNIFORM_BUFFER, buffer);
  glBufferData(GL_UNIFORM_BUFFER, static_cast<GLsizeiptr>(block.size()), block.data(), GL_STATIC_DRAW);
  glBindBufferBase(GL_UNIFORM_BUFFER, static_cast<GLuint>(table.blockBinding), buffer);
  return buffer;
}

std::vector<uint8_t> blockWith(const STkShaderConstantTable& table, const std::string& name, const float* values,
                               size_t count) {
  std::vector<uint8_t> block(table.blockSize);
  const STkShaderConstant* constant = table.findConstant(name);
  EXPECT_NE(constant, nullptr) << name;
  if (constant) {
    EXPECT_EQ(writeConstant(*constant, values, count, block.data(), block.size()), count);
  }
  return block;
}

class ShaderDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::startGlEngine(kSize, kSize), 0);
    services = std::make_unique<CTkGPUProgrammingServices>(tkEngine().driver);
  }
  void TearDown() override {
    services.reset();
    tkSysShutdown();
  }

  // Draws the pair over the whole frame and reads it back (row 0 at the bottom).
  std::vector<uint8_t> drawFrame(const STkCompiledShader& vertex, const STkCompiledShader& pixel,
                                 const std::vector<uint8_t>& vertexBlock, const std::vector<uint8_t>& pixelBlock,
                                 const std::function<void()>& bindTextures = [] {}) {
    std::vector<uint8_t> pixels(kSize * kSize * 4);
    tkEngine().driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
    {
      SavedGlState saved;
      std::string log;
      GLuint program = linkShaderProgram(vertex, pixel, &log);
      EXPECT_NE(program, 0u) << log;
      GLuint buffers[2] = {constantBuffer(vertex.table, vertexBlock), constantBuffer(pixel.table, pixelBlock)};
      glUseProgram(program);
      bindTextures();
      glViewport(0, 0, kSize, kSize);
      glDisable(GL_DEPTH_TEST);
      glDisable(GL_CULL_FACE);
      glDisable(GL_BLEND);
      // Texture coordinates as Direct3D has them: (0, 0) at the top left.
      glBegin(GL_QUADS);
      glMultiTexCoord2f(GL_TEXTURE0, 0, 1);
      glVertex4f(-1, -1, 0, 1);
      glMultiTexCoord2f(GL_TEXTURE0, 1, 1);
      glVertex4f(1, -1, 0, 1);
      glMultiTexCoord2f(GL_TEXTURE0, 1, 0);
      glVertex4f(1, 1, 0, 1);
      glMultiTexCoord2f(GL_TEXTURE0, 0, 0);
      glVertex4f(-1, 1, 0, 1);
      glEnd();
      glReadBuffer(GL_BACK);
      glPixelStorei(GL_PACK_ALIGNMENT, 1);
      glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
      glDeleteBuffers(2, buffers);
      glDeleteProgram(program);
    }
    tkEngine().driver->endScene();
    return pixels;
  }

  const STkCompiledShader* compiledPair(const char* vertexSource, const char* pixelSource) {
    SShaderMaterialRequest request;
    request.vertexPath = folder.write("v.hlsl", vertexSource);
    request.vertexEntry = "vs_main";
    request.pixelPath = folder.write("p.hlsl", pixelSource);
    request.pixelEntry = "ps_main";
    std::string error;
    type = services->getShaderMaterial(request, &error);
    EXPECT_GE(type, 0) << error;
    return type < 0 ? nullptr : &services->vertexShaderOf(type)->code;
  }
  const STkCompiledShader& pixelShader() { return services->pixelShaderOf(type)->code; }

  std::unique_ptr<CTkGPUProgrammingServices> services;
  test::TempFolder folder;
  int type = -1;
};

// A 1x1 texture of one colour on a unit.
GLuint solidTexture(int unit, const uint8_t rgba[4]) {
  GLuint texture;
  glGenTextures(1, &texture);
  glActiveTexture(GL_TEXTURE0 + unit);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return texture;
}

TEST_F(ShaderDrawTest, SamplersReadTheUnitsTheTableGives) {
  const STkCompiledShader* vertex = compiledPair(kVertex, kSamplingPixel);
  ASSERT_NE(vertex, nullptr);
  const STkShaderConstantTable& table = pixelShader().table;
  ASSERT_NE(table.findSampler("Left"), nullptr);
  ASSERT_NE(table.findSampler("Right"), nullptr);
  const int leftUnit = table.findSampler("Left")->unit;
  const int rightUnit = table.findSampler("Right")->unit;
  EXPECT_EQ(leftUnit, 2);
  const uint8_t red[4] = {255, 0, 0, 255}, blue[4] = {0, 0, 255, 255};
  GLuint textures[2] = {};
  const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  std::vector<uint8_t> frame =
      drawFrame(*vertex, pixelShader(), blockWith(vertex->table, "Transform", identity, 16),
                std::vector<uint8_t>(table.blockSize), [&] {
                  textures[0] = solidTexture(leftUnit, red);
                  textures[1] = solidTexture(rightUnit, blue);
                });
  glDeleteTextures(2, textures);
  EXPECT_EQ(std::vector<int>(frame.begin(), frame.begin() + 3), (std::vector<int>{255, 0, 0}));
  const uint8_t* right = &frame[(kSize - 1) * 4];
  EXPECT_EQ(std::vector<int>(right, right + 3), (std::vector<int>{0, 0, 255}));
}

TEST_F(ShaderDrawTest, PixelsAreWhatTheShadersCompute) {
  const STkCompiledShader* compiled = compiledPair(kVertex, kPixel);
  ASSERT_NE(compiled, nullptr);
  const STkCompiledShader& vertex = *compiled;
  const STkCompiledShader& pixel = pixelShader();

  // Row by row, translation in elements 12 to 14, one element off the diagonal:
  // (1, 2, 3, 1) x M = (0.3, 0.65, 0.46, 1); the transpose would give other values.
  const float transform[16] = {0.1f, 0.25f, 0, 0, 0, 0.05f, 0, 0, 0, 0, 0.02f, 0, 0.2f, 0.3f, 0.4f, 1};
  const float tint[4] = {0.9f, 0.1f, 0.5f, 1};
  std::vector<uint8_t> frame = drawFrame(vertex, pixel, blockWith(vertex.table, "Transform", transform, 16),
                                         blockWith(pixel.table, "Tint", tint, 4));

  struct Probe {
    const char* what;
    int x, row;  // row counted from the bottom
    float r, g, b;
  };
  const auto uvAt = [](int i) { return (i + 0.5f) / kSize; };
  const Probe probes[] = {
      {"top left: mul(v, M)", 5, kSize - 6, 0.3f, 0.65f, 0.46f},
      {"bottom left: pixel constant", 5, 5, 0.9f, 0.1f, 0.5f},
      {"top right: uv and VPOS", 50, kSize - 3, uvAt(50), uvAt(2), 50 / 64.0f},
      {"bottom right: uv and VPOS", 40, 1, uvAt(40), uvAt(kSize - 2), 40 / 64.0f},
  };
  for (const Probe& p : probes) {
    SCOPED_TRACE(p.what);
    const uint8_t* px = &frame[(p.row * kSize + p.x) * 4];
    EXPECT_NEAR(px[0], p.r * 255, 2);
    EXPECT_NEAR(px[1], p.g * 255, 2);
    EXPECT_NEAR(px[2], p.b * 255, 2);
  }
}

}  // namespace
}  // namespace tk

namespace tk {
namespace {

TEST_F(ShaderDrawTest, InputsTheVertexShaderDoesNotWriteReadZero) {
  const STkCompiledShader* vertex = compiledPair(kVertex, kUnmatchedPixel);
  ASSERT_NE(vertex, nullptr);
  const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  std::vector<uint8_t> frame = drawFrame(*vertex, pixelShader(), blockWith(vertex->table, "Transform", identity, 16),
                                         std::vector<uint8_t>(pixelShader().table.blockSize));
  EXPECT_EQ(std::vector<int>(frame.begin(), frame.begin() + 3), (std::vector<int>{0, 128, 0}));
  const uint8_t* right = &frame[(kSize - 1) * 4];
  EXPECT_EQ(std::vector<int>(right, right + 3), (std::vector<int>{255, 128, 0}));
}

}  // namespace
}  // namespace tk
