#include "effects/definitions/effect_def_loader_tesk.h"

#include <strings.h>

#include <cstring>
#include <set>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/definitions/tesk_technique_parser.h"

namespace tk {
namespace {

// Where the texture resolver would look: as given, beside the effect, and the
// resolver's folders (the texture folders among them).
bool textureFileFound(FileLayer& files, const std::string& effectPath, std::string name) {
  const size_t scheme = name.find("file://");
  if (scheme != std::string::npos) name = name.substr(scheme + 7);
  if (name.empty()) return true;
  if (files.open(name.c_str(), "rb")) return true;
  const std::string folder = files.directoryPart(effectPath.c_str());
  if (!folder.empty() && files.open((folder + "/" + name).c_str(), "rb")) return true;
  return fileExists(resolveFile(name.c_str()).c_str());
}

// Each thing the header let pass, once per process (the same file is read
// again for every macro set it is asked with).
void reportNotes(FileLayer& files, const std::string& path, const std::vector<TeskHeaderNote>& notes) {
  static std::set<std::string> reported;
  for (const TeskHeaderNote& note : notes) {
    if (note.textureFile && textureFileFound(files, path, note.text)) continue;
    const std::string what = note.textureFile ? "texture file '" + note.text + "' is not found" : note.text;
    const std::string message = path + ":" + std::to_string(note.line) + ": " + what;
    if (reported.insert(message).second) log(LOG_WARN, "%s", message.c_str());
  }
}

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

  std::vector<TeskHeaderNote> notes;
  if (parseTeskEffect(source, macros, def, error, &notes)) error->clear();
  reportNotes(files, def->sourcePath, notes);
  return def;
}

}  // namespace tk
