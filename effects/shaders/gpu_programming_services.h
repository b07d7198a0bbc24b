#pragma once
// The GPU programming services: HLSL sources with macros become shader
// material types. Every compile is kept for the life of the services (two
// requests with equal keys share it), stored in the compiled-shader cache, and
// recompiled when a file it depends on changes. Constant and sampler queries
// answer from the reflected constant tables: where a Direct3D 9 build spoke of
// registers, the answers here are byte offsets and sizes in the stage's block.

#include <irrlicht.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "effects/shader_macro.h"
#include "effects/shaders/shader_cache.h"
#include "effects/shaders/shader_material_factory.h"

namespace tk {

// Direct3D 9 targets: vertex 0 vs_1_1, 1 vs_2_0, 2 vs_2_a, 3 vs_3_0; pixel 0
// ps_1_1, 1 ps_1_2, 2 ps_1_3, 3 ps_1_4, 4 ps_2_0, 5 ps_2_a, 6 ps_2_b, 7 ps_3_0.
const char* vertexTargetName(int target);
const char* pixelTargetName(int target);

struct SShaderCompiledEntry {
  int id = 0;
  bool vertex = true;
  std::string path;
  std::string entry;
  ShaderMacroList macros;
  int target = 0;
  std::vector<std::string> includes;  // normalised paths, sorted
  STkCompiledShader code;
};

struct SShaderMaterialRequest {
  std::string vertexPath, vertexEntry;
  int vertexTarget = 0;
  std::string pixelPath, pixelEntry;
  int pixelTarget = 0;
  irr::video::IShaderConstantSetCallBack* callback = nullptr;
  int baseMaterial = 0;
  int userData = 0;
  ShaderMacroList macros;  // macros with an empty name are left out
};

class CTkGPUProgrammingServices {
 public:
  // Without a factory, shader materials are CTkShaderProgramMaterial renderers.
  explicit CTkGPUProgrammingServices(irr::video::IVideoDriver* driver,
                                     std::unique_ptr<ITkShaderMaterialFactory> factory = nullptr);

  void setShaderCache(const std::string& directory, unsigned mode);
  // A shader source kept in the program, asked for under `name` in place of a
  // file path (names such as "<builtin>/CopyTexture.hlsl"). It is translated at
  // its first use and never cached on disk.
  void addBuiltInSource(const std::string& name, const std::string& source);
  // The shader material of one file holding both shaders, with the entries
  // "vs_main" and "ps_main", for shader model 3; -1 with `error` set when it
  // does not compile.
  int getShaderModel3Material(const std::string& path, irr::video::IShaderConstantSetCallBack* callback,
                              std::string* error);
  // The same for a source kept in the program.
  int getBuiltInShaderMaterial(const std::string& name, const std::string& source,
                               irr::video::IShaderConstantSetCallBack* callback, std::string* error);
  const CTkShaderCache& shaderCache() const { return cache_; }

  // A material type number or -1. With `error`, a failure text goes there
  // instead of the log.
  int getShaderMaterial(const SShaderMaterialRequest& request, std::string* error = nullptr);
  // As getShaderMaterial without looking for an existing material type.
  int addShaderMaterial(const SShaderMaterialRequest& request, std::string* error = nullptr);

  // Recompiles every shader that depends on one of the files and replaces the
  // programs of the material types using them; those are listed in `updated`.
  // Compile failures keep the old programs and are reported in `error`.
  bool updateShaders(const std::vector<std::string>& changedFiles, std::vector<int>* updated,
                     std::string* error = nullptr);

  // Offset and size in bytes of a named constant (members as "a[1].b");
  // false when the shader has no such constant.
  bool getVertexConstantRegister(int materialType, const std::string& name, int* offset, int* size) const;
  bool getPixelConstantRegister(int materialType, const std::string& name, int* offset, int* size) const;
  bool getVertexSamplerIndex(int materialType, const std::string& name, int* unit) const;
  bool getPixelSamplerIndex(int materialType, const std::string& name, int* unit) const;
  // Logs both stages' constants; false for an unknown material type.
  bool printConstants(int materialType) const;

  // The current programs of a material type; null for an unknown one.
  const SShaderCompiledEntry* vertexShaderOf(int materialType) const;
  const SShaderCompiledEntry* pixelShaderOf(int materialType) const;
  // Translations run so far (cache reads and in-memory hits run none).
  int translationCount() const { return translations_; }

 private:
  using CompiledKey = std::tuple<bool, std::string, std::string, int, ShaderMacroList>;
  using MaterialKey = std::tuple<std::string, std::string, std::string, std::string,
                                 irr::video::IShaderConstantSetCallBack*, int, int, ShaderMacroList>;
  struct MaterialEntry {
    int vertexId = 0;
    int pixelId = 0;
    int materialType = -1;
  };

  SShaderCompiledEntry* compiledShader(const ShaderCompileRequest& request, int target, std::string* message);
  bool compile(const ShaderCompileRequest& request, ShaderTranslation* translation, std::string* message);
  const SShaderCompiledEntry* entryOf(int materialType, bool vertex) const;
  std::map<int, STkShaderConstantTable> recompileDependents(const std::vector<std::string>& changed,
                                                            std::string* errors);
  void warnOfChangedConstants(const MaterialEntry& material,
                              const std::map<int, STkShaderConstantTable>& previous) const;
  bool replaceMaterialPrograms(const MaterialEntry& material, std::string* message);

  bool sourceExists(const std::string& path) const;

  irr::video::IVideoDriver* driver_;
  std::unique_ptr<ITkShaderMaterialFactory> factory_;
  std::map<std::string, std::string> builtInSources_;
  CTkShaderCache cache_;
  std::map<CompiledKey, SShaderCompiledEntry> compiled_;
  std::vector<SShaderCompiledEntry*> compiledById_;  // id - 1 → entry
  std::map<MaterialKey, MaterialEntry> materials_;
  int translations_ = 0;
};

// Hands the files the shader hot reload reports to `services` (null: only
// logged); `onUpdated`, when given, hears which material types got new programs
// (effects built on them may re-resolve their constants).
void connectShaderHotReload(CTkGPUProgrammingServices* services,
                            std::function<void(const std::vector<int>& updated)> onUpdated = nullptr);

}  // namespace tk
