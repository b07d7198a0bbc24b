#include "packaging/pack_tools.h"

#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "base/files/file_layer.h"
#include "base/files/ini_file.h"
#include "base/log.h"
#include "demo/demo_description.h"
#include "packaging/archive_builder.h"
#include "packaging/program_resources.h"
#include "packaging/scramble.h"

namespace tk {
namespace {

namespace fs = std::filesystem;

// Meshes, caches and scene files a packed scene folder may need. ".obj" and its
// ".mtl" materials are packed too, since scenes here name such meshes.
const std::vector<std::string> kMeshPatterns = {"*.x", "*.tmorph", "*.tmdd", "*.tpnts", "*.obj", "*.mtl"};
const std::vector<std::string> kSceneFolderPatterns = {"*.lws.ini.bin", "*.tesk", "*.tscn"};
const std::vector<std::string> kCachePatterns = {"*.vso", "*.pso", "*.vso.inf", "*.pso.inf"};
const std::vector<std::string> kMusicPatterns = {"*.mp3", "*.mpg", "*.mpeg"};
const char* const kEngineShaderFolders[] = {"shaders",     "shadersPP",           "shadersPP2", "shadersSURF",
                                            "shadersSURF2", "shadersSURF2/include", "shadersHV",  "shadersHV/include"};
constexpr size_t kMaxFolders = 255;

std::string folderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

std::string absolute(const std::string& path) {
  std::error_code ignored;
  return fs::absolute(path, ignored).lexically_normal().string();
}

struct PackJob {
  std::string programPath;
  std::string out;
  std::string engineFolder;
  std::string archivePath;
  PackStorage storage = PackStorage::InProgram;
  int resourceId = kResourceArchive;
};

PackJob makeJob(const std::string& programPath, const std::string& out, PackStorage storage, int resourceId) {
  PackJob job;
  job.programPath = programPath;
  job.out = absolute(out);
  job.engineFolder = folderOf(programPath);
  job.storage = storage;
  job.resourceId = resourceId;
  job.archivePath = sideFileOf(job.out) + (storage == PackStorage::InProgram ? ".tmp" : "");
  return job;
}

// Steps common to every tool: the program copy and a fresh archive.
bool begin(const PackJob& job, ArchiveBuilder* builder) {
  std::error_code error;
  fs::create_directories(fs::path(job.out).parent_path(), error);
  if (absolute(job.programPath) != job.out) {
    fs::copy_file(job.programPath, job.out, fs::copy_options::overwrite_existing, error);
    if (error || chmod(job.out.c_str(), 0755) != 0) {
      logError("Failed to copy %s to %s\n", job.programPath.c_str(), job.out.c_str());
      return false;
    }
  }
  if (fs::exists(job.archivePath) && !fs::remove(job.archivePath, error)) {
    logError("Failed to delete archive file %s\n", job.archivePath.c_str());
    return false;
  }
  return builder->open(job.archivePath);
}

void addEngineFiles(ArchiveBuilder* builder, const std::string& engineFolder, bool withCache) {
  if (withCache) builder->addPatterns(engineFolder, "shadersCache", kCachePatterns);
  for (const char* folder : kEngineShaderFolders) builder->addPatterns(engineFolder, folder, kShaderPatterns);
  builder->addPatterns(engineFolder, "textures", kImagePatterns);
}

// Writes the archive into the program (scrambled) or leaves it as the side file.
bool finish(const PackJob& job, ArchiveBuilder* builder) {
  if (!builder->close()) return false;
  if (job.storage == PackStorage::SideFile) return true;
  std::string archive;
  if (!readWholeFile(job.archivePath.c_str(), &archive)) {
    logError("Failed to read  %s", job.archivePath.c_str());
    return false;
  }
  scramble(archive.data(), archive.size());
  std::string error;
  if (!writeProgramResource(job.out, static_cast<uint32_t>(job.resourceId), archive, &error)) {
    logError("Failed to UpdateResource %s (%s)", job.out.c_str(), error.c_str());
    return false;
  }
  unlink(job.archivePath.c_str());
  return true;
}

bool containsFolder(const std::vector<std::string>& folders, const std::string& folder) {
  for (const std::string& f : folders)
    if (strcasecmp(f.c_str(), folder.c_str()) == 0) return true;
  return false;
}

// The scene folders of a demo, in order, without repeats (compared without regard to case).
bool demoFolders(const DemoDescription& demo, std::vector<std::string>* folders) {
  std::vector<std::string> all;
  for (const DemoPart& part : demo.parts) {
    if (!part.directory.empty()) all.push_back(part.directory);
    for (const DemoExtra& extra : part.extras)
      if (!extra.directory.empty()) all.push_back(extra.directory);
  }
  if (all.size() > kMaxFolders) {
    logError("Reached max directories\n");
    return false;
  }
  for (const std::string& folder : all)
    if (!containsFolder(*folders, folder)) folders->push_back(folder);
  return true;
}

bool addDemoContent(ArchiveBuilder* builder, const std::string& in, const std::string& base) {
  std::unique_ptr<IniFile> ini = IniFile::load(in.c_str());
  DemoDescription demo;
  if (!ini || !readDemoDescription(*ini, &demo)) {
    logError("Failed to load ini file %s\n", in.c_str());
    return false;
  }
  std::vector<std::string> folders;
  if (!demoFolders(demo, &folders)) return false;
  for (const std::string& folder : folders) {
    builder->addPatterns(base, folder, kMeshPatterns);
    builder->addPatterns(base, folder, kSceneFolderPatterns);
    builder->addPatterns(base, folder, kImagePatterns);
    builder->addPatterns(base, folder, kShaderPatterns);
  }
  if (!demo.shadersDirectory.empty()) builder->addPatterns(base, demo.shadersDirectory, {"*.fx", "*.hlsl", "*.h"});
  if (!builder->addFile(in, "tesk.demo.ini")) return false;
  builder->addPatterns(base, demo.musicDirectory, kMusicPatterns);
  for (const char* name : {"loading.png", "loading.hlsl"})
    if (access(name, R_OK) == 0) builder->addFile(base + "/" + name, name);
  return true;
}

bool addSceneContent(ArchiveBuilder* builder, const std::string& in, const std::string& base) {
  builder->addPatterns(base, "", kMeshPatterns);
  builder->addPatterns(base, "", kImagePatterns);
  if (!builder->addFile(in, "tesk.tscn")) return false;
  builder->addPatterns(base, "scene_backup", {"*.lwo", "*.lws"});
  return true;
}

// One entry of a list file: a folder (possibly empty) and a pattern.
void splitEntry(const std::string& entry, std::string* folder, std::string* pattern) {
  size_t separator = entry.find_last_of("/\\");
  if (separator == std::string::npos || separator == 0) {
    *folder = "";
    *pattern = separator == 0 ? entry.substr(1) : entry;
    return;
  }
  *folder = entry.substr(0, separator);
  *pattern = entry.substr(separator + 1);
}

std::vector<std::string> listEntries(const std::string& text) {
  std::vector<std::string> entries;
  std::string current;
  for (char c : text) {
    if (c == '\0') break;
    if (c == '\r' || c == '\n') {
      if (!current.empty()) entries.push_back(current);
      current.clear();
    } else if (!(current.empty() && c == ' ')) {
      current += c;
    }
  }
  if (!current.empty()) entries.push_back(current);
  return entries;
}

int run(const PackJob& job, const std::function<bool(ArchiveBuilder*)>& content, bool withCache = true) {
  ArchiveBuilder builder;
  if (!begin(job, &builder) || !content(&builder)) return -1;
  addEngineFiles(&builder, job.engineFolder, withCache);
  return finish(job, &builder) ? 0 : -1;
}

}  // namespace

std::string sideFileOf(const std::string& programPath) {
  size_t slash = programPath.find_last_of('/');
  size_t dot = programPath.rfind('.');
  bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  return (hasExtension ? programPath.substr(0, dot) : programPath) + ".dat";
}

int packDemo(const std::string& programPath, const std::string& out, const std::string& in, PackStorage storage) {
  PackJob job = makeJob(programPath, out, storage, kResourceArchive);
  std::string base = folderOf(absolute(in));
  bool scene = in.find(".tscn") != std::string::npos;
  return run(job, [&](ArchiveBuilder* b) { return scene ? addSceneContent(b, in, base) : addDemoContent(b, in, base); });
}

int packFolder(const std::string& programPath, const std::string& out, const std::string&, PackStorage storage) {
  // The folder's own files are not collected: the archive carries the engine's files.
  return run(makeJob(programPath, out, storage, kResourceArchive), [](ArchiveBuilder*) { return true; });
}

int packFileList(const std::string& programPath, const std::string& out, const std::string& list) {
  PackJob job = makeJob(programPath, out, PackStorage::InProgram, kResourceArchive);
  std::string text;
  if (!readWholeFile(list.c_str(), &text)) {
    logError("Failed to read  %s", list.c_str());
    return -1;
  }
  return run(job, [&](ArchiveBuilder* b) {
    for (const std::string& entry : listEntries(text)) {
      std::string folder, pattern;
      splitEntry(entry, &folder, &pattern);
      if (!b->addPattern(".", folder, pattern)) return false;
    }
    return true;
  });
}

int packEngineResources(const std::string& programPath, const std::string& out) {
  PackJob job = makeJob(programPath, out, PackStorage::InProgram, kResourceShaders);
  return run(job, [](ArchiveBuilder*) { return true; }, false);
}

}  // namespace tk
