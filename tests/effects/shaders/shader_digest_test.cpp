// Cache-name digests and the compiled-shader file format.
#include <gtest/gtest.h>

#include "effects/shaders/compiled_shader.h"
#include "effects/shaders/shader_digest.h"

namespace tk {
namespace {

TEST(ShaderDigestTest, TextsOfKnownInputs) {
  // Every tail length (0 to 3 bytes after whole words) and a macro string.
  const std::pair<const char*, const char*> cases[] = {
      {"", "3ZVJB5AZ5AKM63EVB1PCZVS9VHG93B7P"},
      {"a", "CUCUKV8MFVVUAK26SF96FSWB9EQGHZWA"},
      {"ab", "XGPASSKB785Y9J2FCZD78QB9CMKQTSSS"},
      {"abc", "1BB9DTD5P5NK6RWRB6VTYBRA3JFZSH2R"},
      {"abcde", "E79G1XNYDSGWCR9EV179FGUPNDTTPJ5P"},
      {"USE_TEX_COLOR ~USE_UV2 1~", "B2KK2P75R33ZMA19PZWJ21MRYUTURU2T"},
  };
  for (const auto& [input, text] : cases) EXPECT_EQ(shaderDigestText(std::string(input)), text) << input;
}

STkCompiledShader sampleShader() {
  STkCompiledShader shader;
  shader.vertex = false;
  shader.glsl = "#version 450 compatibility\nvoid main() {}\n";
  shader.table.blockName = "tkPixelConstants";
  shader.table.blockBinding = 1;
  shader.table.blockSize = 80;
  STkShaderConstant m;
  m.name = "M";
  m.semantic = "World";
  m.size = 64;
  m.rows = m.columns = 4;
  m.matrixStride = 16;
  m.columnsContiguous = true;
  STkShaderConstant v;
  v.name = "V";
  v.offset = 64;
  v.size = 16;
  v.scalar = ShaderScalar::Uint;
  v.rows = 1;
  v.columns = 4;
  shader.table.constants = {m, v};
  shader.table.samplers = {{"S", "Diffuse", 3, 4}};
  return shader;
}

TEST(CompiledShaderFileTest, RoundTripsAndRefusesDamagedBytes) {
  const STkCompiledShader shader = sampleShader();
  const std::vector<uint8_t> bytes = serialiseCompiledShader(shader);
  STkCompiledShader read;
  ASSERT_TRUE(deserialiseCompiledShader(bytes, &read));
  EXPECT_EQ(read, shader);

  std::vector<uint8_t> truncated(bytes.begin(), bytes.end() - 1);
  std::vector<uint8_t> flipped = bytes;
  flipped[bytes.size() / 2] ^= 0x40;
  std::vector<uint8_t> longer = bytes;
  longer.push_back(0);
  std::vector<uint8_t> empty;
  for (const std::vector<uint8_t>* damaged : {&truncated, &flipped, &longer, &empty}) {
    EXPECT_FALSE(deserialiseCompiledShader(*damaged, &read));
  }
}

TEST(ConstantWriteTest, MatricesArriveAsTheShaderReadsThem) {
  STkShaderConstant c = sampleShader().table.constants[0];
  const float rows[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  float block[20] = {};
  EXPECT_EQ(writeConstant(c, rows, 16, reinterpret_cast<uint8_t*>(block), sizeof block), 16u);
  // Columns are contiguous: the first four floats are the first column.
  EXPECT_EQ(std::vector<float>(block, block + 8), (std::vector<float>{1, 5, 9, 13, 2, 6, 10, 14}));
  c.columnsContiguous = false;
  EXPECT_EQ(writeConstant(c, rows, 16, reinterpret_cast<uint8_t*>(block), sizeof block), 16u);
  EXPECT_EQ(std::vector<float>(block, block + 4), (std::vector<float>{1, 2, 3, 4}));
  // A block too small for the constant takes what fits.
  EXPECT_EQ(writeConstant(c, rows, 16, reinterpret_cast<uint8_t*>(block), 32), 8u);
}

}  // namespace
}  // namespace tk
