#pragma once
// Reading a ZIP archive held in memory.

#include <string>
#include <vector>

namespace tk {

struct ArchiveMember {
  std::string name;
  bool isFile = false;
};

class MemoryArchive {
 public:
  ~MemoryArchive();
  // False when the bytes are not a ZIP archive.
  bool open(const std::string& bytes);
  std::vector<ArchiveMember> members() const;
  bool read(const std::string& name, std::string* contents) const;

 private:
  struct Impl;
  Impl* impl_ = nullptr;
};

}  // namespace tk
