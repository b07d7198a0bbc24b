#include "effects/definitions/effect_def_loader_tesk.h"

#include <cstring>
#include <strings.h>

#include "base/files/file_layer.h"
#include "effects/definitions/tesk_technique_parser.h"

namespace tk {
namespace {

std::string readAll(TkFile& file) {
  std::string contents;
  char block[65536];
  size_t got;
  while ((got = file.read(block, 1, sizeof block)) > 0) contents.append(block, got);
  return contents;
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
  const std::string source = readAll(*file);
  if (source.empty()) return def;

  if (parseTeskEffect(source, macros, def, error)) error->clear();
  return def;
}

}  // namespace tk
