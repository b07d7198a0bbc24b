#include "effects/shaders/shader_reflection.h"

#include <spirv_cross/spirv_glsl.hpp>

#include <set>

namespace tk {
namespace {

using spirv_cross::CompilerGLSL;
using spirv_cross::SPIRType;

ShaderScalar scalarOf(const SPIRType& type) {
  switch (type.basetype) {
    case SPIRType::Struct: return ShaderScalar::Struct;
    case SPIRType::Int: return ShaderScalar::Int;
    case SPIRType::UInt:
    case SPIRType::Boolean: return ShaderScalar::Uint;
    default: return ShaderScalar::Float;
  }
}

class BlockReflector {
 public:
  BlockReflector(const CompilerGLSL& compiler, const std::map<std::string, std::string>& semantics,
                 STkShaderConstantTable* table)
      : compiler_(compiler), semantics_(semantics), table_(table) {}

  void members(const SPIRType& block, uint32_t baseOffset, const std::string& prefix) {
    for (uint32_t i = 0; i < block.member_types.size(); ++i) member(block, i, baseOffset, prefix);
  }
  // The block's own members that the shader reads: the rest are listed
  // nowhere, as a compiler that removes unused constants would have it.
  void usedMembers(const SPIRType& block, const std::set<uint32_t>& used) {
    for (uint32_t i = 0; i < block.member_types.size(); ++i)
      if (used.count(i)) member(block, i, 0, "");
  }

 private:
  void member(const SPIRType& block, uint32_t index, uint32_t baseOffset, const std::string& prefix) {
    const SPIRType& type = compiler_.get_type(block.member_types[index]);
    STkShaderConstant c;
    c.name = prefix + compiler_.get_member_name(block.self, index);
    c.semantic = semanticOf(block, index, prefix, c.name);
    c.offset = baseOffset + compiler_.type_struct_member_offset(block, index);
    c.size = static_cast<uint32_t>(compiler_.get_declared_struct_member_size(block, index));
    c.scalar = scalarOf(type);
    if (c.scalar != ShaderScalar::Struct) {
      // The compiler's matCxR holds the source's rows as its columns.
      c.rows = static_cast<uint8_t>(type.columns);
      c.columns = static_cast<uint8_t>(type.vecsize);
    }
    if (!type.array.empty()) {
      c.arrayCount = type.array_size_literal[0] ? type.array[0] : 0;
      c.arrayStride = compiler_.type_struct_member_array_stride(block, index);
    }
    if (type.columns > 1) {
      c.matrixStride = compiler_.type_struct_member_matrix_stride(block, index);
      c.columnsContiguous = compiler_.has_member_decoration(block.self, index, spv::DecorationRowMajor);
    }
    table_->constants.push_back(c);
    if (c.scalar == ShaderScalar::Struct) structMembers(type, c);
  }

  void structMembers(const SPIRType& type, const STkShaderConstant& c) {
    if (c.arrayCount == 0) {
      members(type, c.offset, c.name + ".");
      return;
    }
    for (uint32_t e = 0; e < c.arrayCount; ++e)
      members(type, c.offset + e * c.arrayStride, c.name + "[" + std::to_string(e) + "].");
  }

  std::string semanticOf(const SPIRType& block, uint32_t index, const std::string& prefix, const std::string& name) {
    if (prefix.empty()) {
      auto written = semantics_.find(name);
      if (written != semantics_.end()) return written->second;
    }
    return compiler_.get_member_decoration_string(block.self, index, spv::DecorationHlslSemanticGOOGLE);
  }

  const CompilerGLSL& compiler_;
  const std::map<std::string, std::string>& semantics_;
  STkShaderConstantTable* table_;
};

uint8_t dimensionOf(const SPIRType& type) {
  switch (type.image.dim) {
    case spv::Dim1D: return 1;
    case spv::Dim3D: return 3;
    case spv::DimCube: return 4;
    default: return 2;
  }
}

}  // namespace

STkShaderConstantTable reflectConstantTable(const CompilerGLSL& compiler,
                                            const std::map<std::string, std::string>& semantics) {
  STkShaderConstantTable table;
  const spirv_cross::ShaderResources resources = compiler.get_shader_resources();
  for (const spirv_cross::Resource& block : resources.uniform_buffers) {
    const SPIRType& type = compiler.get_type(block.base_type_id);
    table.blockName = compiler.get_name(block.base_type_id);
    table.blockBinding = static_cast<int>(compiler.get_decoration(block.id, spv::DecorationBinding));
    table.blockSize = static_cast<uint32_t>(compiler.get_declared_struct_size(type));
    std::set<uint32_t> used;
    for (const spirv_cross::BufferRange& range : compiler.get_active_buffer_ranges(block.id)) used.insert(range.index);
    BlockReflector(compiler, semantics, &table).usedMembers(type, used);
  }
  for (const spirv_cross::Resource& sampler : resources.sampled_images) {
    STkShaderSampler s;
    s.name = compiler.get_name(sampler.id);
    auto written = semantics.find(s.name);
    if (written != semantics.end()) s.semantic = written->second;
    s.unit = static_cast<int>(compiler.get_decoration(sampler.id, spv::DecorationBinding));
    s.dimension = dimensionOf(compiler.get_type(sampler.type_id));
    table.samplers.push_back(std::move(s));
  }
  return table;
}

}  // namespace tk
