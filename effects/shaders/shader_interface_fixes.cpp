#include "effects/shaders/shader_interface_fixes.h"

#include <algorithm>
#include <cctype>
#include <set>

#include <spirv_cross/spirv_glsl.hpp>

#include "effects/shaders/hlsl_translator.h"

namespace tk {
namespace {

using spirv_cross::CompilerGLSL;
using spirv_cross::Resource;
using spirv_cross::SPIRType;

std::string semanticOf(const CompilerGLSL& compiler, spirv_cross::ID id) {
  return canonicalSemantic(compiler.get_decoration_string(id, spv::DecorationHlslSemanticGOOGLE));
}

// The GL value, as a four-component expression, that stands for a vertex input
// or a pixel input of the given semantic; empty when there is none.
std::string builtinInput(const std::string& semantic, bool vertex) {
  if (!vertex) {
    if (semantic == "VPOS0") return "vec4(gl_FragCoord.xy - 0.5, 0.0, 0.0)";
    if (semantic == "VFACE0") return "vec4(gl_FrontFacing ? 1.0 : -1.0)";
    return {};
  }
  if (semantic == "POSITION0") return "gl_Vertex";
  if (semantic == "NORMAL0") return "vec4(gl_Normal, 0.0)";
  if (semantic == "COLOR0") return "gl_Color";
  if (semantic == "COLOR1") return "gl_SecondaryColor";
  // The display library feeds a tangent mesh's tangent and binormal as texture
  // coordinates 1 and 2.
  if (semantic == "TANGENT0") return "gl_MultiTexCoord1";
  if (semantic == "BINORMAL0") return "gl_MultiTexCoord2";
  if (semantic.rfind("TEXCOORD", 0) == 0 && semantic.size() == 9 && semantic[8] <= '7')
    return "gl_MultiTexCoord" + semantic.substr(8);
  return {};
}

// The expression cut to the variable's type: ".xy" for a float2 and so on.
std::string fitToType(const std::string& vec4Expression, const SPIRType& type) {
  static const char* const kSwizzle[5] = {"", ".x", ".xy", ".xyz", ""};
  std::string value = "(" + vec4Expression + ")" + kSwizzle[std::min<uint32_t>(type.vecsize, 4)];
  if (type.basetype == SPIRType::Int) return (type.vecsize == 1 ? "int" : "ivec" + std::to_string(type.vecsize)) + "(" + value + ")";
  if (type.basetype == SPIRType::UInt)
    return (type.vecsize == 1 ? "uint" : "uvec" + std::to_string(type.vecsize)) + "(" + value + ")";
  return value;
}

// Hides the input's declaration and makes its name stand for the GL value.
void replaceInput(CompilerGLSL& compiler, const Resource& input, const std::string& semantic,
                  const std::string& expression) {
  const std::string name = "tk_in_" + semantic;
  compiler.set_name(input.id, name);
  compiler.set_remapped_variable_state(input.id, true);
  compiler.add_header_line("#define " + name + " " + fitToType(expression, compiler.get_type(input.type_id)));
}

void nameVarying(CompilerGLSL& compiler, const Resource& varying, const std::string& semantic) {
  compiler.set_name(varying.id, "v_" + semantic);
  compiler.unset_decoration(varying.id, spv::DecorationLocation);
}

void fixVertexInterface(CompilerGLSL& compiler, const spirv_cross::ShaderResources& resources) {
  for (const Resource& input : resources.stage_inputs) {
    const std::string semantic = semanticOf(compiler, input.id);
    const std::string expression = builtinInput(semantic, true);
    if (!expression.empty()) replaceInput(compiler, input, semantic, expression);
  }
  for (const Resource& output : resources.stage_outputs) {
    if (compiler.has_decoration(output.id, spv::DecorationBuiltIn)) continue;
    const std::string semantic = semanticOf(compiler, output.id);
    if (semantic == "POSITION0" || semantic == "SV_POSITION0") {
      compiler.set_decoration(output.id, spv::DecorationBuiltIn, spv::BuiltInPosition);
    } else if (semantic == "PSIZE0") {
      compiler.set_decoration(output.id, spv::DecorationBuiltIn, spv::BuiltInPointSize);
    } else {
      nameVarying(compiler, output, semantic);
    }
  }
}

void fixPixelInterface(CompilerGLSL& compiler, const spirv_cross::ShaderResources& resources) {
  for (const Resource& input : resources.stage_inputs) {
    if (compiler.has_decoration(input.id, spv::DecorationBuiltIn)) continue;
    const std::string semantic = semanticOf(compiler, input.id);
    const std::string expression = builtinInput(semantic, false);
    if (!expression.empty())
      replaceInput(compiler, input, semantic, expression);
    else
      nameVarying(compiler, input, semantic);
  }
  for (const Resource& output : resources.stage_outputs) {
    if (compiler.has_decoration(output.id, spv::DecorationBuiltIn)) continue;
    const std::string semantic = semanticOf(compiler, output.id);
    if (semantic.rfind("DEPTH", 0) == 0) {
      compiler.set_decoration(output.id, spv::DecorationBuiltIn, spv::BuiltInFragDepth);
    } else if (semantic.rfind("COLOR", 0) == 0 || semantic.rfind("SV_TARGET", 0) == 0) {
      compiler.set_decoration(output.id, spv::DecorationLocation, semantic.back() - '0');
    }
  }
}

void nameConstantBlock(CompilerGLSL& compiler, const spirv_cross::ShaderResources& resources, bool vertex) {
  for (const Resource& block : resources.uniform_buffers) {
    compiler.set_name(block.base_type_id, vertex ? "tkVertexConstants" : "tkPixelConstants");
    compiler.set_name(block.id, vertex ? "tkVC" : "tkPC");
    compiler.set_decoration(block.id, spv::DecorationBinding, vertex ? kVertexConstantBinding : kPixelConstantBinding);
    compiler.unset_decoration(block.id, spv::DecorationDescriptorSet);
  }
}

void assignSamplerUnits(CompilerGLSL& compiler, const spirv_cross::ShaderResources& resources,
                        const std::map<std::string, int>& registers) {
  std::set<int> taken;
  for (const Resource& sampler : resources.sampled_images) {
    auto asked = registers.find(sampler.name);
    if (asked != registers.end()) taken.insert(asked->second);
  }
  int next = 0;
  for (const Resource& sampler : resources.sampled_images) {
    auto asked = registers.find(sampler.name);
    int unit;
    if (asked != registers.end()) {
      unit = asked->second;
    } else {
      while (taken.count(next)) ++next;
      unit = next;
      taken.insert(unit);
    }
    compiler.set_decoration(sampler.id, spv::DecorationBinding, static_cast<uint32_t>(unit));
    compiler.unset_decoration(sampler.id, spv::DecorationDescriptorSet);
  }
}

}  // namespace

std::string canonicalSemantic(const std::string& semantic) {
  std::string upper;
  for (char c : semantic) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper.empty() || std::isdigit(static_cast<unsigned char>(upper.back()))) return upper;
  return upper + "0";
}

void fixShaderInterface(CompilerGLSL& compiler, bool vertex, const std::map<std::string, int>& samplerRegisters) {
  const spirv_cross::ShaderResources resources = compiler.get_shader_resources();
  if (vertex)
    fixVertexInterface(compiler, resources);
  else
    fixPixelInterface(compiler, resources);
  nameConstantBlock(compiler, resources, vertex);
  assignSamplerUnits(compiler, resources, samplerRegisters);
}

}  // namespace tk
