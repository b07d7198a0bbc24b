#include "effects/shaders/shader_constant_table.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace tk {
namespace {

auto constantFields(const STkShaderConstant& c) {
  return std::tie(c.name, c.semantic, c.offset, c.size, c.scalar, c.rows, c.columns, c.arrayCount, c.arrayStride,
                  c.matrixStride, c.columnsContiguous);
}

void writeScalar(ShaderScalar scalar, float value, uint8_t* at) {
  if (scalar == ShaderScalar::Float) {
    std::memcpy(at, &value, 4);
  } else if (scalar == ShaderScalar::Int) {
    int32_t v = static_cast<int32_t>(value);
    std::memcpy(at, &v, 4);
  } else {
    uint32_t v = value <= 0 ? 0u : static_cast<uint32_t>(value);
    std::memcpy(at, &v, 4);
  }
}

// Byte position of element (row, column) of one array element.
uint32_t elementOffset(const STkShaderConstant& c, int row, int column) {
  if (c.rows <= 1) return static_cast<uint32_t>(column) * 4;
  if (c.columnsContiguous) return static_cast<uint32_t>(column) * c.matrixStride + static_cast<uint32_t>(row) * 4;
  return static_cast<uint32_t>(row) * c.matrixStride + static_cast<uint32_t>(column) * 4;
}

}  // namespace

bool operator==(const STkShaderConstant& a, const STkShaderConstant& b) { return constantFields(a) == constantFields(b); }

bool operator==(const STkShaderSampler& a, const STkShaderSampler& b) {
  return std::tie(a.name, a.semantic, a.unit, a.dimension) == std::tie(b.name, b.semantic, b.unit, b.dimension);
}

bool operator==(const STkShaderConstantTable& a, const STkShaderConstantTable& b) {
  return std::tie(a.blockName, a.blockBinding, a.blockSize, a.constants, a.samplers) ==
         std::tie(b.blockName, b.blockBinding, b.blockSize, b.constants, b.samplers);
}

const STkShaderConstant* STkShaderConstantTable::findConstant(const std::string& name) const {
  for (const STkShaderConstant& c : constants)
    if (c.name == name) return &c;
  return nullptr;
}

const STkShaderSampler* STkShaderConstantTable::findSampler(const std::string& name) const {
  for (const STkShaderSampler& s : samplers)
    if (s.name == name) return &s;
  return nullptr;
}

size_t writeConstant(const STkShaderConstant& c, const float* values, size_t count, uint8_t* block, size_t blockSize) {
  if (c.scalar == ShaderScalar::Struct || c.rows == 0 || c.columns == 0) return 0;
  const uint32_t elements = std::max<uint32_t>(c.arrayCount, 1);
  size_t used = 0;
  for (uint32_t e = 0; e < elements; ++e) {
    const uint32_t base = c.offset + e * c.arrayStride;
    for (int row = 0; row < c.rows; ++row) {
      for (int column = 0; column < c.columns; ++column) {
        if (used == count) return used;
        const uint32_t at = base + elementOffset(c, row, column);
        if (at + 4 > blockSize) return used;
        writeScalar(c.scalar, values[used++], block + at);
      }
    }
  }
  return used;
}

}  // namespace tk
