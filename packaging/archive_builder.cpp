#include "packaging/archive_builder.h"

#include <dirent.h>
#include <fnmatch.h>
#include <zip.h>

#include <algorithm>
#include <cstring>

#include "base/files/content_names.h"
#include "base/files/file_layer.h"
#include "base/files/regular_file.h"
#include "base/log.h"

namespace tk {

const std::vector<std::string> kImagePatterns = {"*.jpg", "*.png", "*.jpeg", "*.bmp", "*.tga",
                                                 "*.gif", "*.raw", "*.dds",  "*.hdr"};
const std::vector<std::string> kShaderPatterns = {"*.hlsl", "*.vsh", "*.psh", "*.fx", "*.dae", "*.xml", "*.h"};

namespace {

std::string combine(const std::string& base, const std::string& folder) {
  if (folder.empty()) return base.empty() ? "." : base;
  if (base.empty() || folder[0] == '/') return folder;
  return base.back() == '/' ? base + folder : base + "/" + folder;
}

// A member name: "/" separators, no leading "./".
std::string memberNameOf(const std::string& folder, const std::string& file) {
  std::string name = folder.empty() ? file : folder + "/" + file;
  std::replace(name.begin(), name.end(), '\\', '/');
  while (name.rfind("./", 0) == 0) name.erase(0, 2);
  return name;
}

}  // namespace

bool matchesPattern(const std::string& name, const std::string& pattern) {
  return fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
}

std::vector<std::string> filesMatching(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> files;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return files;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (matchesPattern(name, pattern) && diskEntryOf((folder + "/" + name).c_str()) == DiskEntry::RegularFile) files.push_back(name);
  }
  closedir(dir);
  std::sort(files.begin(), files.end());
  return files;
}

ArchiveBuilder::~ArchiveBuilder() {
  if (archive_) zip_discard(archive_);
}

bool ArchiveBuilder::open(const std::string& path) {
  int error = 0;
  archive_ = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  path_ = path;
  if (!archive_) logError("Failed to create archive %s\n", path.c_str());
  return archive_ != nullptr;
}

bool ArchiveBuilder::addFile(const std::string& diskPath, const std::string& memberName) {
  std::string contents;
  if (!readWholeFile(diskPath.c_str(), &contents)) {
    logError("Failed to read file path=%s\n", diskPath.c_str());
    return false;
  }
  void* copy = malloc(contents.size() ? contents.size() : 1);
  if (!copy) return false;
  memcpy(copy, contents.data(), contents.size());
  zip_source_t* source = zip_source_buffer(archive_, copy, contents.size(), 1);  // frees the copy
  zip_int64_t index = source ? zip_file_add(archive_, memberName.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) : -1;
  if (index < 0) {
    if (source) zip_source_free(source);
    else free(copy);
    logError("Failed to add file %s to archive %s\n", memberName.c_str(), path_.c_str());
    return false;
  }
  zip_set_file_compression(archive_, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 6);
  ++members_;
  return true;
}

bool ArchiveBuilder::addPattern(const std::string& base, const std::string& folder, const std::string& pattern) {
  // Folders named by a demo file written on Windows are found on disk as they
  // would be at play time; members keep the name the demo uses.
  std::string directory = combine(base, folder);
  const std::string onDisk = findOnDisk(directory);
  if (!onDisk.empty()) directory = onDisk;
  for (const std::string& file : filesMatching(directory, pattern))
    if (!addFile(directory + "/" + file, memberNameOf(folder, file))) return false;
  return true;
}

bool ArchiveBuilder::addPatterns(const std::string& base, const std::string& folder,
                                 const std::vector<std::string>& patterns) {
  bool all = true;
  for (const std::string& pattern : patterns) all = addPattern(base, folder, pattern) && all;
  return all;
}

bool ArchiveBuilder::close() {
  if (!archive_) return false;
  if (zip_close(archive_) != 0) {
    logError("Failed to write archive %s: %s\n", path_.c_str(), zip_strerror(archive_));
    zip_discard(archive_);
    archive_ = nullptr;
    return false;
  }
  archive_ = nullptr;
  return true;
}

}  // namespace tk
