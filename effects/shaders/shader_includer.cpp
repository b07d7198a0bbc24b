#include "effects/shaders/shader_includer.h"

#include <algorithm>
#include <filesystem>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/shaders/hlsl_nesting.h"

namespace tk {

std::string shaderDirectoryOf(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string normalisedShaderPath(const std::string& path) {
  std::string slashed = path;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  std::string absolute = fileLayer().absolutePath(slashed.c_str());
  std::replace(absolute.begin(), absolute.end(), '\\', '/');
  return std::filesystem::path(absolute).lexically_normal().generic_string();
}

CTkShaderIncluder::CTkShaderIncluder(const std::string& sourcePath) {
  directories_.push_back(shaderDirectoryOf(sourcePath));
}

// The compiler asks includeSystem after includeLocal failed for a quoted name
// and only it for an angled one: the failure is reported there, once.
CTkShaderIncluder::IncludeResult* CTkShaderIncluder::includeLocal(const char* headerName, const char*, size_t) {
  return open(headerName, false);
}

CTkShaderIncluder::IncludeResult* CTkShaderIncluder::includeSystem(const char* headerName, const char*, size_t) {
  return open(headerName, true);
}

CTkShaderIncluder::IncludeResult* CTkShaderIncluder::open(const char* name, bool reportFailure) {
  log(LOG_DEBUG, "TkGPU: ShaderIncludeCallback: FileName='%s'", name);
  for (const std::string& directory : directories_) {
    const std::string path = directory + "/" + name;
    auto* contents = new std::string;
    if (!readWholeFile(path.c_str(), contents)) {
      delete contents;
      log(LOG_DEBUG, "TkGPU: Include Not found: '%s'", path.c_str());
      continue;
    }
    log(LOG_DEBUG, "TkGPU: Include found: '%s'", path.c_str());
    if (!checkHlslNesting(*contents, path, HlslNestingScope::AsWritten, &refusal_)) {
      delete contents;
      return nullptr;
    }
    std::sort(directories_.begin(), directories_.end());
    const std::string folder = shaderDirectoryOf(path);
    if (std::find(directories_.begin(), directories_.end(), folder) == directories_.end())
      directories_.push_back(folder);
    // Kept under the name found on disk (an include written on Windows may
    // differ in case), so that an edit of that file is matched to this shader.
    const std::string found = fileLayer().foundPath(path.c_str());
    opened_.push_back(normalisedShaderPath(found.empty() ? path : found));
    return new IncludeResult(path, contents->data(), contents->size(), contents);
  }
  if (reportFailure) log(LOG_ERROR, "TkGPU: ShaderIncludeCallback:Open FileName='%s' FAILED", name);
  return nullptr;
}

void CTkShaderIncluder::releaseInclude(IncludeResult* result) {
  if (!result) {
    log(LOG_DEBUG, "TkGPU: ShaderIncludeCallback:Close pData IS NULL!");
    return;
  }
  log(LOG_DEBUG, "ShaderIncludeCallback:Close pData=0x%08lx", reinterpret_cast<unsigned long>(result->headerData));
  delete static_cast<std::string*>(result->userData);
  delete result;
}

}  // namespace tk
