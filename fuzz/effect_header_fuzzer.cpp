// Effect file headers from arbitrary bytes. The first byte chooses the macros
// the effect is asked with; the rest is the file. Besides the sanitizers, the
// definition must keep its shape whatever the header says.

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "effects/definitions/tesk_technique_parser.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

void checkShape(const tk::CTkEffectDef& def) {
  require(!def.techniques.empty());
  for (const tk::STechnique& technique : def.techniques) {
    require(technique.passes.size() == 1);
    require(technique.passes[0].shaders.size() == 2);
    for (const tk::SState& state : technique.passes[0].states) {
      if (!state.parameterReference.empty()) {
        require(def.getParameterIndex(state.parameterReference.c_str()) >= 0);
      }
    }
    for (const tk::SShader& shader : technique.passes[0].shaders) {
      for (const tk::SParameter& bind : shader.binds) {
        require(def.getParameterIndex(bind.value.c_str()) >= 0);
      }
    }
  }
  std::set<std::string> names;
  for (const tk::SParameter& parameter : def.parameters) {
    require(names.insert(parameter.name).second);
  }
  require(def.title.size() <= 511 && def.subject.size() <= 511 && def.comments.size() <= 511);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  tk::ShaderMacroList macros;
  if (data[0] & 1) macros.push_back({"USE_TEX_COLOR", ""});
  if (data[0] & 2) macros.push_back({"USE_TECH_GLOW", "1"});
  if (data[0] & 4) macros.push_back({"OTHER", ""});
  const std::string source(reinterpret_cast<const char*>(data) + 1, size - 1);
  tk::CTkEffectDef* def = new tk::CTkEffectDef();
  def->sourcePath = "/fuzz/effect.hlsl";
  std::string error;
  std::vector<tk::TeskHeaderNote> notes;
  if (tk::parseTeskEffect(source, macros, def, &error, &notes)) {
    checkShape(*def);
  } else {
    require(!error.empty());
  }
  for (const tk::TeskHeaderNote& note : notes) require(note.line >= 1);
  def->drop();
  return 0;
}
