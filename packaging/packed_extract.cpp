#include <strings.h>
#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <set>

#include "base/log.h"
#include "packaging/packed_archive.h"
#include "packaging/packed_archive_reader.h"
#include "packaging/program_resources.h"
#include "packaging/scramble.h"

namespace tk {
namespace {

bool nameContains(const std::vector<ArchiveMember>& members, const char* part) {
  for (const ArchiveMember& m : members)
    if (m.name.find(part) != std::string::npos) return true;
  return false;
}

std::string extensionOf(const std::string& name) {
  size_t slash = name.rfind('/');
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return name.substr(dot);
}

bool is(const std::string& extension, const char* wanted) { return strcasecmp(extension.c_str(), wanted) == 0; }

// The target folder of a member, or none when it is skipped.
const char* targetFolder(const std::string& name) {
  std::string extension = extensionOf(name);
  if (extension.empty()) return nullptr;
  if (name.find('/') == std::string::npos)
    return (is(extension, ".x") || is(extension, ".tscn") || is(extension, ".tesk")) ? nullptr : "Images";
  if (name.find("scene_backup/") == std::string::npos) return nullptr;
  if (is(extension, ".lwo")) return "Objects";
  if (is(extension, ".lws")) return "Scenes";
  return nullptr;
}

bool makeFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) return true;
  logError("Failed to create directory %s", path.c_str());
  return false;
}

}  // namespace

int extractPackedScene(const std::string& programPath) {
  std::string bytes;
  MemoryArchive archive;
  bool loaded = loadProgramResource(programPath, kResourceArchive, &bytes);
  if (loaded) scramble(bytes.data(), bytes.size());
  if (!loaded || !archive.open(bytes)) {
    logError("Failed to open archive");
    return -1;
  }
  std::vector<ArchiveMember> members = archive.members();
  if (!nameContains(members, "scene_backup/") || !nameContains(members, "tesk.tscn") ||
      nameContains(members, "tesk.demo.ini")) {
    log(LOG_INFO, "the packed archive holds no scene sources to extract");
    return 0;
  }
  const std::string root = "ExeExtract";
  for (const char* folder : {"", "/Images", "/Objects", "/Scenes"})
    if (!makeFolder(root + folder)) return -1;
  std::set<std::string> written;
  for (const ArchiveMember& member : members) {
    const char* target = member.isFile ? targetFolder(member.name) : nullptr;
    if (!target) continue;
    std::string name = member.name.substr(member.name.rfind('/') + 1);
    // Only a plain file name is written: nothing can land outside the folder.
    if (name.empty() || name == "." || name == "..") continue;
    std::string path = root + "/" + target + "/" + name;
    if (!written.insert(path).second) {
      log(LOG_WARN, "'%s' has the same name as a file already extracted: skipped", member.name.c_str());
      continue;
    }
    std::string contents;
    if (!archive.read(member.name, &contents)) {
      logError("Failed to extract file %s", member.name.c_str());
      return -1;
    }
    std::ofstream out(path, std::ios::binary);
    if (!out.write(contents.data(), static_cast<std::streamsize>(contents.size()))) {
      logError("Failed to write file %s", path.c_str());
      return -1;
    }
    print("Extract File '%s'\n", path.c_str());
  }
  return 0;
}

}  // namespace tk
