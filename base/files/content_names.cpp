#include "base/files/content_names.h"

#include <dirent.h>

#include <algorithm>
#include <vector>

#include "base/files/regular_file.h"

namespace tk {
namespace {

std::vector<std::string> splitParts(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    size_t slash = path.find('/', start);
    parts.push_back(path.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
    if (slash == std::string::npos) return parts;
    start = slash + 1;
  }
}

// The entries of a folder whose names equal `part` without regard to case,
// those of the wanted kind first, each group in byte order.
std::vector<std::string> caseMatches(const std::string& folder, const std::string& part, bool wantFolder) {
  std::vector<std::string> matches;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return matches;
  const std::string key = foldedName(part);
  while (const dirent* entry = readdir(dir))
    if (foldedName(entry->d_name) == key) matches.push_back(entry->d_name);
  closedir(dir);
  auto fits = [&](const std::string& name) {
    DiskEntry kind = diskEntryOf((folder + name).c_str());
    return wantFolder ? kind == DiskEntry::Folder : kind == DiskEntry::RegularFile;
  };
  std::sort(matches.begin(), matches.end(), [&](const std::string& a, const std::string& b) {
    bool fitA = fits(a), fitB = fits(b);
    return fitA != fitB ? fitA : a < b;
  });
  return matches;
}

}  // namespace

std::string withSlashes(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

std::string foldedName(std::string name) {
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return name;
}

std::string findOnDisk(const std::string& name) {
  if (name.empty()) return std::string();
  if (diskEntryOf(name.c_str()) != DiskEntry::Missing) return name;
  const std::vector<std::string> parts = splitParts(withSlashes(name));
  std::string found;  // ends in "/" after each part but the last
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    const bool last = i + 1 == parts.size();
    const std::string exact = found + part;
    // Empty parts (a leading or doubled "/"), "." and ".." stand for themselves.
    if (part.empty() || part == "." || part == ".." || diskEntryOf(exact.c_str()) != DiskEntry::Missing) {
      found = exact;
    } else {
      std::vector<std::string> matches = caseMatches(found, part, !last);
      if (matches.empty()) return std::string();
      found += matches.front();
    }
    if (!last) found += '/';
  }
  return diskEntryOf(found.c_str()) == DiskEntry::Missing ? std::string() : found;
}

}  // namespace tk
