#include "effects/shaders/hlsl_translator.h"

#include <algorithm>

#include "effects/shaders/glslang_hlsl.h"

#include <glslang/Public/ResourceLimits.h>
#include <glslang/SPIRV/GlslangToSpv.h>
#include <spirv_cross/spirv_glsl.hpp>

#include "effects/shaders/hlsl_nesting.h"
#include "effects/shaders/hlsl_prepass.h"
#include "effects/shaders/shader_includer.h"
#include "effects/shaders/shader_interface_fixes.h"
#include "effects/shaders/shader_reflection.h"

namespace tk {
namespace {

// DX9 mode keeps sampler2D, tex2Dlod and the Direct3D 9 semantics working.
const EShMessages kMessages =
    static_cast<EShMessages>(EShMsgReadHlsl | EShMsgHlslDX9Compatible | EShMsgSpvRules | EShMsgVulkanRules);
constexpr int kHlslVersion = 100;

void setEnvironment(glslang::TShader& shader, EShLanguage stage) {
  shader.setEnvInput(glslang::EShSourceHlsl, stage, glslang::EShClientVulkan, kHlslVersion);
  shader.setEnvClient(glslang::EShClientVulkan, glslang::EShTargetVulkan_1_0);
  shader.setEnvTarget(glslang::EShTargetSpv, glslang::EShTargetSpv_1_0);
  shader.setEnvTargetHlslFunctionality1();  // keeps the semantic names in the SPIR-V
  shader.setAutoMapBindings(true);
  shader.setAutoMapLocations(true);
}

std::string macroPreamble(const ShaderMacroList& macros) {
  std::string preamble;
  for (const SShaderMacro& macro : macros) {
    if (macro.name.empty()) continue;
    preamble += "#define " + macro.name + " " + macro.value + "\n";
  }
  return preamble;
}

bool preprocess(const ShaderCompileRequest& request, const std::string& source, EShLanguage stage,
                CTkShaderIncluder& includer, std::string* text, std::string* error) {
  glslang::TShader shader(stage);
  const char* strings[] = {source.c_str()};
  const char* names[] = {request.path.c_str()};
  shader.setStringsWithLengthsAndNames(strings, nullptr, names, 1);
  const std::string preamble = macroPreamble(request.macros);
  shader.setPreamble(preamble.c_str());
  shader.setEntryPoint(request.entry.c_str());
  setEnvironment(shader, stage);
  if (shader.preprocess(GetDefaultResources(), kHlslVersion, ENoProfile, false, false, kMessages, text, includer))
    return true;
  *error = shader.getInfoLog();
  return false;
}

bool toSpirv(const ShaderCompileRequest& request, const std::string& text, EShLanguage stage,
             std::vector<uint32_t>* spirv, std::string* error) {
  glslang::TShader shader(stage);
  const char* strings[] = {text.c_str()};
  const char* names[] = {request.path.c_str()};
  shader.setStringsWithLengthsAndNames(strings, nullptr, names, 1);
  shader.setEntryPoint(request.entry.c_str());
  setEnvironment(shader, stage);
  if (!shader.parse(GetDefaultResources(), kHlslVersion, false, kMessages)) {
    *error = shader.getInfoLog();
    return false;
  }
  glslang::TProgram program;
  program.addShader(&shader);
  if (!program.link(kMessages) || !program.mapIO()) {
    *error = program.getInfoLog();
    if (error->find("Entry point not found") != std::string::npos)
      *error = request.path + ": entry point '" + request.entry + "' not found\n" + *error;
    return false;
  }
  glslang::GlslangToSpv(*program.getIntermediate(stage), *spirv);
  return true;
}

// The compatibility profile gives the vertex inputs the display library feeds.
std::string withCompatibilityProfile(std::string glsl) {
  const std::string version = "#version 450";
  if (glsl.compare(0, version.size(), version) == 0) glsl.insert(version.size(), " compatibility");
  return glsl;
}

// Separate texture and sampler objects (Texture2D with SamplerState) become
// one GLSL sampler per pair, named after the texture.
void combineTexturesAndSamplers(spirv_cross::CompilerGLSL& compiler) {
  compiler.build_combined_image_samplers();
  for (const spirv_cross::CombinedImageSampler& pair : compiler.get_combined_image_samplers())
    compiler.set_name(pair.combined_id, compiler.get_name(pair.image_id));
}

bool toGlsl(std::vector<uint32_t> spirv, const HlslPrepassResult& prepass, bool vertex, STkCompiledShader* shader,
            std::string* error) {
  try {
    spirv_cross::CompilerGLSL compiler(std::move(spirv));
    combineTexturesAndSamplers(compiler);
    fixShaderInterface(compiler, vertex, prepass.samplerRegisters);
    spirv_cross::CompilerGLSL::Options options;
    options.version = 450;
    options.es = false;
    compiler.set_common_options(options);
    shader->vertex = vertex;
    shader->glsl = withCompatibilityProfile(compiler.compile());
    shader->table = reflectConstantTable(compiler, prepass.semantics);
    return true;
  } catch (const std::exception& e) {
    *error = std::string("GLSL generation failed: ") + e.what();
    return false;
  }
}

std::vector<std::string> dependencyList(const std::string& sourcePath, std::vector<std::string> opened) {
  opened.push_back(normalisedShaderPath(sourcePath));
  std::sort(opened.begin(), opened.end());
  opened.erase(std::unique(opened.begin(), opened.end()), opened.end());
  return opened;
}

}  // namespace

bool translateHlsl(const ShaderCompileRequest& request, const std::string& source, ShaderTranslation* translation) {
  const EShLanguage stage = request.vertex ? EShLangVertex : EShLangFragment;
  CTkShaderIncluder includer(request.path);
  std::string preprocessed;
  std::vector<uint32_t> spirv;
  if (!checkHlslNesting(source, request.path, HlslNestingScope::AsWritten, &translation->error)) return false;
  if (!preprocess(request, source, stage, includer, &preprocessed, &translation->error)) {
    if (!includer.refusal().empty()) translation->error = includer.refusal();
    return false;
  }
  if (!checkHlslNesting(preprocessed, request.path, HlslNestingScope::Preprocessed, &translation->error)) return false;
  HlslPrepassResult prepass = hlslPrepass(preprocessed);
  if (!toSpirv(request, prepass.text, stage, &spirv, &translation->error)) return false;
  if (!toGlsl(std::move(spirv), prepass, request.vertex, &translation->shader, &translation->error)) return false;
  translation->includes = dependencyList(request.path, includer.openedFiles());
  return true;
}

}  // namespace tk
