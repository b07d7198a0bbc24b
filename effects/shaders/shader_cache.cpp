#include "effects/shaders/shader_cache.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "effects/shaders/shader_digest.h"
#include "effects/shaders/shader_includer.h"

namespace tk {
namespace {

constexpr int kIncludeScanDepth = 5;

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '~' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

// A path as stored in an ".inf": relative to the base directory when below it,
// so that a cache made in one place serves a copy of the tree elsewhere.
std::string storedPath(const std::string& normalised) {
  const std::string base = baseDirectory().empty() ? std::string() : normalisedShaderPath(baseDirectory()) + "/";
  if (!base.empty() && normalised.compare(0, base.size(), base) == 0) return normalised.substr(base.size());
  return normalised;
}

std::string restoredPath(const std::string& stored) {
  if (stored.empty() || stored[0] == '/' || baseDirectory().empty()) return stored;
  return normalisedShaderPath(baseDirectory() + stored);
}

std::string contentDigest(const std::string& path) {
  std::string contents;
  if (!readWholeFile(path.c_str(), &contents)) return "-";
  return shaderDigestText(contents);
}

// Modification time in nanoseconds; false when it cannot be read.
bool modificationTime(const std::string& path, long long* nanoseconds) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return false;
  *nanoseconds = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
  return true;
}

struct InfRecord {
  std::string macros;
  std::string source;
  std::vector<std::pair<std::string, std::string>> dependencies;  // digest, stored path
};

std::string infText(const ShaderCompileRequest& request, const ShaderTranslation& translation) {
  std::string text = shaderMacroString(request.macros) + "\nsource " + storedPath(normalisedShaderPath(request.path));
  for (const std::string& dependency : translation.includes)
    text += "\ndep " + contentDigest(dependency) + " " + storedPath(dependency);
  return text + "\n";
}

InfRecord parseInf(const std::string& text) {
  InfRecord record;
  std::istringstream lines(text);
  std::getline(lines, record.macros);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.compare(0, 7, "source ") == 0) record.source = line.substr(7);
    if (line.compare(0, 4, "dep ") != 0) continue;
    size_t space = line.find(' ', 4);
    if (space != std::string::npos) record.dependencies.emplace_back(line.substr(4, space - 4), line.substr(space + 1));
  }
  return record;
}

enum class WriteResult { Written, NotOpened, NotWritten };

// Through a temporary file and a rename: a reader never sees half a file.
WriteResult writeFileAtomically(const std::string& path, const void* data, size_t size) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return WriteResult::NotOpened;
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) return WriteResult::NotWritten;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  return error ? WriteResult::NotWritten : WriteResult::Written;
}

void scanInto(const std::string& path, int depth, std::vector<std::string>* files) {
  files->push_back(normalisedShaderPath(path));
  if (depth > kIncludeScanDepth) return;
  std::string text;
  if (!readWholeFile(path.c_str(), &text)) {
    log(LOG_WARN, "TkGPU: getShaderIncludes:read file '%s' FAILED", path.c_str());
    return;
  }
  const std::string directory = shaderDirectoryOf(path);
  for (size_t at = text.find("#include"); at != std::string::npos; at = text.find("#include", at + 8)) {
    size_t lineEnd = text.find_first_of("\r\n", at);
    if (lineEnd == std::string::npos) break;
    size_t open = text.find('"', at);
    size_t close = open == std::string::npos ? open : text.find('"', open + 1);
    if (close == std::string::npos || close > lineEnd) continue;
    std::string included = directory + "/" + text.substr(open + 1, close - open - 1);
    std::replace(included.begin(), included.end(), '\\', '/');
    scanInto(included, depth + 1, files);
  }
}

bool upToDate(const std::string& path, const InfRecord& inf, const std::vector<std::string>& dependencies) {
  long long cacheTime;
  if (!modificationTime(path, &cacheTime)) {
    log(LOG_WARN, "TkGPU: failed to stat '%s'", path.c_str());
    return false;
  }
  std::vector<std::string> files = scanShaderIncludes(restoredPath(inf.source));
  files.insert(files.end(), dependencies.begin(), dependencies.end());
  for (const std::string& file : files) {
    long long fileTime;
    if (!modificationTime(file, &fileTime)) {
      log(LOG_DEBUG, "TkGPU: failed to stat file '%s'", file.c_str());
      continue;
    }
    if (fileTime > cacheTime) {
      log(LOG_DEBUG, "TkGPU: file '%s' more recent", file.c_str());
      log(LOG_INFO, "TkGPU: '%s' not up to date against shader files", path.c_str());
      return false;
    }
  }
  // Times alone miss an edit made in the same clock tick as the cache file.
  for (size_t i = 0; i < dependencies.size(); ++i) {
    if (contentDigest(dependencies[i]) != inf.dependencies[i].first) {
      log(LOG_DEBUG, "TkGPU: file '%s' changed", dependencies[i].c_str());
      log(LOG_INFO, "TkGPU: '%s' not up to date against shader files", path.c_str());
      return false;
    }
  }
  log(LOG_INFO, "TkGPU: '%s' is up to date", path.c_str());
  return true;
}

bool readShader(const std::string& path, STkCompiledShader* shader) {
  std::string bytes;
  if (!readWholeFile(path.c_str(), &bytes)) {
    log(LOG_WARN, "TkGPU: Cached Compiled Shader cannot be opened '%s'", path.c_str());
    return false;
  }
  if (!deserialiseCompiledShader(std::vector<uint8_t>(bytes.begin(), bytes.end()), shader)) {
    log(LOG_WARN, "TkGPU: Cached Compiled Shader file cannot be read %s", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

std::string shaderMacroString(const ShaderMacroList& macros) {
  std::string text;
  for (const SShaderMacro& macro : macros) text += escaped(macro.name) + " " + escaped(macro.value) + "~";
  return text;
}

std::string shaderCacheFileName(const ShaderCompileRequest& request) {
  std::string path = request.path;
  std::replace(path.begin(), path.end(), '\\', '/');
  const std::string directory = shaderDirectoryOf(path);
  const std::string folder = directory.substr(directory.find_last_of('/') == std::string::npos
                                                  ? 0
                                                  : directory.find_last_of('/') + 1);
  std::string file = path.substr(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1);
  const std::string base = file.substr(0, file.find_last_of('.'));
  const std::string sourceTag = shaderDigestText(storedPath(normalisedShaderPath(path))).substr(0, 8);
  return folder + "!" + base + "!" + request.entry + "!" + shaderDigestText(shaderMacroString(request.macros)) + "!" +
         sourceTag + (request.vertex ? ".vso" : ".pso");
}

std::vector<std::string> scanShaderIncludes(const std::string& sourcePath) {
  std::vector<std::string> files;
  scanInto(sourcePath, 1, &files);
  std::sort(files.begin(), files.end());
  files.erase(std::unique(files.begin(), files.end()), files.end());
  return files;
}

void CTkShaderCache::configure(const std::string& directory, unsigned mode) {
  directory_ = directory;
  mode_ = mode;
}

bool CTkShaderCache::read(const ShaderCompileRequest& request, STkCompiledShader* shader,
                          std::vector<std::string>* includes) const {
  if (!(mode_ & kShaderCacheRead) || directory_.empty()) {
    log(LOG_DEBUG, "TkGPU: Cache not read enabled");
    return false;
  }
  const std::string path = directory_ + "/" + shaderCacheFileName(request);
  log(LOG_INFO, "TkGPU: Read from cache = '%s'", path.c_str());
  if (!fileExists(path.c_str())) {
    log(LOG_INFO, "TkGPU: File does not exist in the cache '%s'", path.c_str());
    return false;
  }
  std::string infContents;
  if (!readWholeFile((path + ".inf").c_str(), &infContents)) {
    log(LOG_WARN, "TkGPU: isCachedShaderMatch:read file '%s' FAILED", (path + ".inf").c_str());
    return false;
  }
  const InfRecord inf = parseInf(infContents);
  const std::string macros = shaderMacroString(request.macros);
  const std::string source = storedPath(normalisedShaderPath(request.path));
  if (inf.macros != macros || inf.source != source) {
    log(LOG_WARN, "TkGPU: WARNING ! Conflict in Shader Cache on '%s' : Cached Macros : '%s' ; New Macros '%s'",
        path.c_str(), inf.macros.c_str(), macros.c_str());
    return false;
  }
  std::vector<std::string> dependencies;
  for (const auto& recorded : inf.dependencies) dependencies.push_back(restoredPath(recorded.second));
  if ((mode_ & kShaderCacheCheckDates) && !upToDate(path, inf, dependencies)) return false;
  return readShader(path, shader) && (*includes = dependencies, true);
}

void CTkShaderCache::write(const ShaderCompileRequest& request, const ShaderTranslation& translation) const {
  if (!(mode_ & kShaderCacheWrite) || directory_.empty()) {
    log(LOG_DEBUG, "TkGPU: Cache not write enabled");
    return;
  }
  const std::string path = directory_ + "/" + shaderCacheFileName(request);
  log(LOG_INFO, "TkGPU: Write to cache '%s'", path.c_str());
  std::error_code ignored;
  std::filesystem::create_directories(directory_, ignored);
  const std::vector<uint8_t> bytes = serialiseCompiledShader(translation.shader);
  WriteResult result = writeFileAtomically(path, bytes.data(), bytes.size());
  if (result != WriteResult::Written) {
    log(LOG_WARN,
        result == WriteResult::NotOpened ? "TkGPU: Cached Compiled Shader cannot be opened for write '%s'"
                                         : "TkGPU: Cached Compiled Shader file cannot be write %s",
        path.c_str());
    return;
  }
  const std::string inf = infText(request, translation);
  const std::string infPath = path + ".inf";
  result = writeFileAtomically(infPath, inf.data(), inf.size());
  if (result != WriteResult::Written)
    log(LOG_WARN,
        result == WriteResult::NotOpened ? "TkGPU: Cached Shader Info cannot be opened for write '%s'"
                                         : "TkGPU: Cached Shader Info cannot be write %s",
        infPath.c_str());
}

}  // namespace tk
