#include "effects/shaders/gpu_programming_services.h"

#include <algorithm>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/shaders/shader_includer.h"
#include "effects/shaders/shader_reload.h"
#include "platform/shader_compiler_probe.h"

namespace tk {
namespace {

const char* const kVertexTargets[] = {"vs_1_1", "vs_2_0", "vs_2_a", "vs_3_0"};
const char* const kPixelTargets[] = {"ps_1_1", "ps_1_2", "ps_1_3", "ps_1_4", "ps_2_0", "ps_2_a", "ps_2_b", "ps_3_0"};

const char* stageName(bool vertex) { return vertex ? "Vertex" : "Pixel"; }

ShaderMacroList usableMacros(const ShaderMacroList& macros) {
  ShaderMacroList kept;
  for (const SShaderMacro& macro : macros)
    if (!macro.name.empty()) kept.push_back(macro);
  return sortedMacros(std::move(kept));
}


void logTable(const char* title, const STkShaderConstantTable& table) {
  log(LOG_INFO, "%s", title);
  for (const STkShaderConstant& c : table.constants)
    log(LOG_INFO, "Name='%s' RegisterIndex=%u RegisterCount=%u", c.name.c_str(), c.offset, c.size);
  for (const STkShaderSampler& s : table.samplers) log(LOG_INFO, "Name='%s' Sampler=%d", s.name.c_str(), s.unit);
}

}  // namespace

const char* vertexTargetName(int target) { return target >= 0 && target < 4 ? kVertexTargets[target] : "vs_1_1"; }
const char* pixelTargetName(int target) { return target >= 0 && target < 8 ? kPixelTargets[target] : "ps_1_1"; }

CTkGPUProgrammingServices::CTkGPUProgrammingServices(irr::video::IVideoDriver* driver,
                                                     std::unique_ptr<ITkShaderMaterialFactory> factory)
    : driver_(driver), factory_(std::move(factory)) {
  missingShaderCompilerLibrary();  // the compiler's process-wide start, once
  if (!factory_ && driver_) factory_ = makeProgramMaterialFactory(driver_);
}

void CTkGPUProgrammingServices::addBuiltInSource(const std::string& name, const std::string& source) {
  builtInSources_[name] = source;
}

int CTkGPUProgrammingServices::getBuiltInShaderMaterial(const std::string& name, const std::string& source,
                                                        irr::video::IShaderConstantSetCallBack* callback,
                                                        std::string* error) {
  addBuiltInSource(name, source);
  return getShaderModel3Material(name, callback, error);
}

int CTkGPUProgrammingServices::getShaderModel3Material(const std::string& path,
                                                       irr::video::IShaderConstantSetCallBack* callback,
                                                       std::string* error) {
  SShaderMaterialRequest request;
  request.vertexPath = request.pixelPath = path;
  request.vertexEntry = "vs_main";
  request.pixelEntry = "ps_main";
  request.vertexTarget = 3;  // vs_3_0
  request.pixelTarget = 7;   // ps_3_0
  request.callback = callback;
  return getShaderMaterial(request, error);
}

bool CTkGPUProgrammingServices::sourceExists(const std::string& path) const {
  return builtInSources_.count(path) != 0 || fileExists(path.c_str());
}

void CTkGPUProgrammingServices::setShaderCache(const std::string& directory, unsigned mode) {
  cache_.configure(directory, mode);
}

int CTkGPUProgrammingServices::getShaderMaterial(const SShaderMaterialRequest& request, std::string* error) {
  const MaterialKey key{request.vertexPath, request.vertexEntry, request.pixelPath, request.pixelEntry,
                        request.callback,   request.baseMaterial, request.userData, usableMacros(request.macros)};
  auto found = materials_.find(key);
  if (found != materials_.end()) {
    log(LOG_DEBUG, "TkGPU: Found already created shader %s %s", request.vertexPath.c_str(), request.pixelPath.c_str());
    return found->second.materialType;
  }
  if (!sourceExists(request.vertexPath) || !sourceExists(request.pixelPath)) {
    if (error)
      *error = "Shader files not found : " + request.vertexPath + " " + request.pixelPath;
    else
      log(LOG_ERROR, "TkGPU: Shader files not found %s %s", request.vertexPath.c_str(), request.pixelPath.c_str());
    return -1;
  }
  return addShaderMaterial(request, error);
}

int CTkGPUProgrammingServices::addShaderMaterial(const SShaderMaterialRequest& request, std::string* error) {
  const ShaderMacroList macros = usableMacros(request.macros);
  std::string message;
  SShaderCompiledEntry* vertex = compiledShader({true, request.vertexPath, request.vertexEntry, macros},
                                                request.vertexTarget, &message);
  SShaderCompiledEntry* pixel =
      vertex ? compiledShader({false, request.pixelPath, request.pixelEntry, macros}, request.pixelTarget, &message)
             : nullptr;
  int type = -1;
  if (pixel && !factory_) message = "failed to get gpu";
  if (pixel && factory_)
    type = factory_->createMaterialType(vertex->code, pixel->code, request.callback, request.baseMaterial,
                                        request.userData, &message);
  if (type < 0) {
    if (error) {
      *error = message;
    } else {
      if (!message.empty()) log(LOG_ERROR, "TkGPU: %s", message.c_str());
      log(LOG_ERROR, "TkGPU: Failed to get shader %s %s", request.vertexPath.c_str(), request.pixelPath.c_str());
    }
    return -1;
  }
  const MaterialKey key{request.vertexPath, request.vertexEntry, request.pixelPath, request.pixelEntry,
                        request.callback,   request.baseMaterial, request.userData, macros};
  materials_[key] = MaterialEntry{vertex->id, pixel->id, type};
  return type;
}

SShaderCompiledEntry* CTkGPUProgrammingServices::compiledShader(const ShaderCompileRequest& request, int target,
                                                                std::string* message) {
  const CompiledKey key{request.vertex, request.path, request.entry, target, request.macros};
  auto found = compiled_.find(key);
  if (found != compiled_.end()) {
    log(LOG_DEBUG, "TkGPU: Found already compiled shader %s %s", request.path.c_str(), stageName(request.vertex));
    return &found->second;
  }
  SShaderCompiledEntry entry;
  entry.vertex = request.vertex;
  entry.path = request.path;
  entry.entry = request.entry;
  entry.macros = request.macros;
  entry.target = target;
  const bool builtIn = builtInSources_.count(request.path) != 0;  // kept in the program: never cached
  if (builtIn || !cache_.read(request, &entry.code, &entry.includes)) {
    ShaderTranslation translation;
    if (!compile(request, &translation, message)) return nullptr;
    if (!builtIn) cache_.write(request, translation);
    entry.code = std::move(translation.shader);
    entry.includes = std::move(translation.includes);
  }
  entry.id = static_cast<int>(compiledById_.size()) + 1;
  SShaderCompiledEntry& stored = compiled_.emplace(key, std::move(entry)).first->second;
  compiledById_.push_back(&stored);
  return &stored;
}

bool CTkGPUProgrammingServices::compile(const ShaderCompileRequest& request, ShaderTranslation* translation,
                                        std::string* message) {
  if (!driver_) {
    *message = "failed to get gpu";
    return false;
  }
  std::string source;
  auto builtIn = builtInSources_.find(request.path);
  if (builtIn != builtInSources_.end()) {
    source = builtIn->second;
  } else if (!readWholeFile(request.path.c_str(), &source)) {
    *message = "Shader file " + request.path + " not found";
    return false;
  }
  log(LOG_DEBUG, "TkGPU: compile shader %s", request.path.c_str());
  ++translations_;
  if (translateHlsl(request, source, translation)) return true;
  std::string compilerMessage = translation->error.empty() ? "Shader compilation failed" : translation->error;
  *message = std::string("Failed to Compile ") + stageName(request.vertex) + " shader " + request.path + "\n" +
             compilerMessage;
  return false;
}

bool CTkGPUProgrammingServices::updateShaders(const std::vector<std::string>& changedFiles, std::vector<int>* updated,
                                              std::string* error) {
  updated->clear();
  std::vector<std::string> changed;
  for (const std::string& file : changedFiles) changed.push_back(normalisedShaderPath(file));
  std::string errors;
  const std::map<int, STkShaderConstantTable> previousTables = recompileDependents(changed, &errors);
  for (const auto& [key, material] : materials_) {
    if (!previousTables.count(material.vertexId) && !previousTables.count(material.pixelId)) continue;
    warnOfChangedConstants(material, previousTables);
    std::string message;
    if (replaceMaterialPrograms(material, &message))
      updated->push_back(material.materialType);
    else
      errors += "Failed to update material " + std::get<2>(key) + "\n" + message;
  }
  if (error)
    *error = errors;
  else if (!errors.empty())
    log(LOG_ERROR, "TkGPU: %s", errors.c_str());
  return errors.empty();
}

// Recompiles every entry that depends on a changed file; a failed compile
// keeps the entry's code. Returns the previous tables of the replaced entries.
std::map<int, STkShaderConstantTable> CTkGPUProgrammingServices::recompileDependents(
    const std::vector<std::string>& changed, std::string* errors) {
  std::map<int, STkShaderConstantTable> previousTables;
  for (SShaderCompiledEntry* entry : compiledById_) {
    const bool affected = std::any_of(changed.begin(), changed.end(), [&](const std::string& file) {
      return std::binary_search(entry->includes.begin(), entry->includes.end(), file);
    });
    if (!affected) continue;
    log(LOG_INFO, "TkGPU: recompile %s (%s)...", entry->path.c_str(), stageName(entry->vertex));
    const ShaderCompileRequest request{entry->vertex, entry->path, entry->entry, entry->macros};
    ShaderTranslation translation;
    std::string message;
    if (!compile(request, &translation, &message)) {
      *errors += "Failed to compile " + entry->path + "\n" + message + "\n";
      continue;
    }
    cache_.write(request, translation);
    previousTables[entry->id] = std::move(entry->code.table);
    entry->code = std::move(translation.shader);
    entry->includes = std::move(translation.includes);
  }
  return previousTables;
}

// Constants resolved when effects were built may have moved.
void CTkGPUProgrammingServices::warnOfChangedConstants(const MaterialEntry& material,
                                                       const std::map<int, STkShaderConstantTable>& previous) const {
  for (int id : {material.vertexId, material.pixelId}) {
    auto before = previous.find(id);
    if (before == previous.end()) continue;
    const SShaderCompiledEntry* entry = compiledById_[id - 1];
    const STkShaderConstantTable& after = entry->code.table;
    const char* stage = entry->vertex ? "vertex" : "pixel";
    if (before->second.blockSize != after.blockSize)
      log(LOG_WARN, "TkGPU: warning, you may restart the engine: %s: %s contant buffer sizes are different prev=%d new=%d",
          entry->path.c_str(), stage, static_cast<int>(before->second.blockSize), static_cast<int>(after.blockSize));
    else if (!(before->second == after))
      log(LOG_WARN, "TkGPU: warning, you may restart the engine: %s: %s contant buffer sizes are different",
          entry->path.c_str(), stage);
  }
}

bool CTkGPUProgrammingServices::replaceMaterialPrograms(const MaterialEntry& material, std::string* message) {
  if (!factory_) {
    *message = "failed to get gpu";
    return false;
  }
  return factory_->replacePrograms(material.materialType, compiledById_[material.vertexId - 1]->code,
                                   compiledById_[material.pixelId - 1]->code, message);
}

const SShaderCompiledEntry* CTkGPUProgrammingServices::entryOf(int materialType, bool vertex) const {
  for (const auto& [key, material] : materials_)
    if (material.materialType == materialType) return compiledById_[(vertex ? material.vertexId : material.pixelId) - 1];
  return nullptr;
}

const SShaderCompiledEntry* CTkGPUProgrammingServices::vertexShaderOf(int materialType) const {
  return entryOf(materialType, true);
}

const SShaderCompiledEntry* CTkGPUProgrammingServices::pixelShaderOf(int materialType) const {
  return entryOf(materialType, false);
}

namespace {

bool constantOf(const SShaderCompiledEntry* entry, const std::string& name, int* offset, int* size) {
  const STkShaderConstant* c = entry ? entry->code.table.findConstant(name) : nullptr;
  if (!c) return false;
  *offset = static_cast<int>(c->offset);
  *size = static_cast<int>(c->size);
  return true;
}

bool samplerOf(const SShaderCompiledEntry* entry, const std::string& name, int* unit) {
  const STkShaderSampler* s = entry ? entry->code.table.findSampler(name) : nullptr;
  if (!s) return false;
  *unit = s->unit;
  return true;
}

}  // namespace

bool CTkGPUProgrammingServices::getVertexConstantRegister(int materialType, const std::string& name, int* offset,
                                                          int* size) const {
  return constantOf(vertexShaderOf(materialType), name, offset, size);
}

bool CTkGPUProgrammingServices::getPixelConstantRegister(int materialType, const std::string& name, int* offset,
                                                         int* size) const {
  return constantOf(pixelShaderOf(materialType), name, offset, size);
}

bool CTkGPUProgrammingServices::getVertexSamplerIndex(int materialType, const std::string& name, int* unit) const {
  return samplerOf(vertexShaderOf(materialType), name, unit);
}

bool CTkGPUProgrammingServices::getPixelSamplerIndex(int materialType, const std::string& name, int* unit) const {
  return samplerOf(pixelShaderOf(materialType), name, unit);
}

bool CTkGPUProgrammingServices::printConstants(int materialType) const {
  const SShaderCompiledEntry* vertex = vertexShaderOf(materialType);
  const SShaderCompiledEntry* pixel = pixelShaderOf(materialType);
  if (!vertex || !pixel) return false;
  logTable("Vertex Shader Constants\n", vertex->code.table);
  logTable("Pixel Shader Constants\n", pixel->code.table);
  return true;
}

void connectShaderHotReload(CTkGPUProgrammingServices* services,
                            std::function<void(const std::vector<int>& updated)> onUpdated) {
  if (!services) {
    setShaderChangeHandler(nullptr);
    return;
  }
  setShaderChangeHandler([services, onUpdated](const std::vector<std::string>& files) {
    std::vector<int> updated;
    services->updateShaders(files, &updated);
    if (onUpdated && !updated.empty()) onUpdated(updated);
  });
}

}  // namespace tk
