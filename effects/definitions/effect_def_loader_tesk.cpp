#include "effects/definitions/effect_def_loader_tesk.h"

#include <cstring>
#include <strings.h>

#include "app/files/file_layer.h"
#include "effects/definitions/tesk_header_line.h"
#include "effects/definitions/tesk_technique_parser.h"

namespace tk {
namespace {

bool readAll(TkFile& file, std::string* contents) {
  if (file.seek(0, 2) != 0) return false;
  const long size = file.tell();
  if (size < 0 || file.seek(0, 0) != 0) return false;
  contents->assign(static_cast<size_t>(size), '\0');
  const size_t read = size > 0 ? file.read(&(*contents)[0], 1, contents->size()) : 0;
  contents->resize(read);
  return true;
}

// Conditions in the header name the requested macros without their "USE_".
std::vector<std::string> conditionNames(const ShaderMacroList& macros) {
  std::vector<std::string> names;
  for (const SShaderMacro& macro : macros) {
    if (macro.name.empty()) continue;
    const bool prefixed = macro.name.compare(0, 4, "USE_") == 0;
    names.push_back(prefixed ? macro.name.substr(4) : macro.name);
  }
  return names;
}

}  // namespace

bool CTkEffectDefLoaderTesk::isLoadableEffectFile(const char* path) const {
  if (!path) return false;
  const char* dot = std::strrchr(path, '.');
  if (!dot || std::strchr(dot, '/')) return false;
  return strcasecmp(dot + 1, "hlsl") == 0 || strcasecmp(dot + 1, "fx") == 0;
}

CTkEffectDef* CTkEffectDefLoaderTesk::createEffectDef(FileLayer& files, const char* path,
                                                      const ShaderMacroList& macros,
                                                      bool driverFlag, std::string* error) {
  *error = "Error";
  CTkEffectDef* def = new CTkEffectDef();
  def->sourcePath = path ? path : "";
  def->driverFlag = driverFlag;

  TkFilePtr file = path ? files.open(path, "rb") : nullptr;
  if (!file) {
    *error = "Cannot open file";
    return def;
  }
  std::string source;
  if (!readAll(*file, &source) || source.empty()) return def;

  TeskTechniqueRequest request;
  request.compileFlagsAllowed = true;
  request.macros = conditionNames(macros);
  if (!parseTeskTechnique(source, request, def, error)) return def;

  // Further techniques come from the default technique's "techniques" list.
  const SParameter* list = findNamed(def->techniques[0].annotations, "techniques");
  const std::vector<std::string> names =
      list ? splitWords(list->value, " ", list->value.size()) : std::vector<std::string>();
  request.compileFlagsAllowed = false;
  for (const std::string& name : names) {
    request.name = name;
    if (!parseTeskTechnique(source, request, def, error)) return def;
  }
  error->clear();
  return def;
}

}  // namespace tk
