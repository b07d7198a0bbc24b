#pragma once
// What a compiled shader tells about its inputs: the constants of its one
// uniform block (std140 offsets, not Direct3D 9 registers) and its samplers with
// the texture unit each reads. Built by reflection when a shader is translated
// and stored beside the program in the compiled-shader cache.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tk {

enum class ShaderScalar : uint8_t { Float = 0, Int = 1, Uint = 2, Struct = 3 };

// One constant, or one member of a structure or array of structures under its
// full name ("Lights[1].Color"). Shapes are in the shader's own terms: a float3
// has rows 1, columns 3; a float4x3 has rows 4, columns 3; a structure has 0, 0.
struct STkShaderConstant {
  std::string name;
  std::string semantic;  // as written in the source; empty when none
  uint32_t offset = 0;   // bytes from the start of the block
  uint32_t size = 0;     // bytes the whole constant (with its array) occupies
  ShaderScalar scalar = ShaderScalar::Float;  // bool arrives as Uint
  uint8_t rows = 0;
  uint8_t columns = 0;
  uint32_t arrayCount = 0;    // 0 for a constant that is not an array
  uint32_t arrayStride = 0;   // bytes between array elements
  uint32_t matrixStride = 0;  // bytes between the vectors of a matrix
  // True when the block holds a matrix column by column of the source's
  // notation (its default packing), so a row-by-row matrix is written transposed.
  bool columnsContiguous = false;
};
bool operator==(const STkShaderConstant& a, const STkShaderConstant& b);

// Sampler dimensions: 1, 2, 3 for 1D to 3D textures, 4 for cube maps.
struct STkShaderSampler {
  std::string name;
  std::string semantic;
  int unit = -1;
  uint8_t dimension = 2;
};
bool operator==(const STkShaderSampler& a, const STkShaderSampler& b);

struct STkShaderConstantTable {
  std::string blockName;  // empty when the shader has no constants
  int blockBinding = -1;
  uint32_t blockSize = 0;
  std::vector<STkShaderConstant> constants;
  std::vector<STkShaderSampler> samplers;

  const STkShaderConstant* findConstant(const std::string& name) const;
  const STkShaderSampler* findSampler(const std::string& name) const;
};
bool operator==(const STkShaderConstantTable& a, const STkShaderConstantTable& b);

// Writes `count` floats given in the source's reading order (matrices row by
// row, array elements one after the other) into the constant's place in a block
// of table.blockSize bytes, converting to integers where the constant holds
// them. Writes at most what the constant holds; returns the floats used.
size_t writeConstant(const STkShaderConstant& constant, const float* values, size_t count, uint8_t* block,
                     size_t blockSize);

}  // namespace tk
