#pragma once
// Building the ZIP archives of packed programs: files added by folder and
// wildcard pattern, named by their path relative to a base folder.

#include <string>
#include <vector>

struct zip;

namespace tk {

extern const std::vector<std::string> kImagePatterns;
extern const std::vector<std::string> kShaderPatterns;

// True when a file name matches a wildcard pattern such as "*.png", without
// regard to case.
bool matchesPattern(const std::string& name, const std::string& pattern);
// The regular files of a folder matching a pattern, sorted by name.
std::vector<std::string> filesMatching(const std::string& folder, const std::string& pattern);

class ArchiveBuilder {
 public:
  ~ArchiveBuilder();
  // Creates (or truncates) the archive file. False after logging.
  bool open(const std::string& path);
  // Adds the files of base/folder matching the pattern (not recursive) under
  // their names relative to the base. False at the first file that fails.
  bool addPattern(const std::string& base, const std::string& folder, const std::string& pattern);
  bool addPatterns(const std::string& base, const std::string& folder, const std::vector<std::string>& patterns);
  // Adds a file from disk under a member name.
  bool addFile(const std::string& diskPath, const std::string& memberName);
  // Writes the archive. False after logging.
  bool close();
  size_t memberCount() const { return members_; }

 private:
  zip* archive_ = nullptr;
  std::string path_;
  size_t members_ = 0;
};

}  // namespace tk
