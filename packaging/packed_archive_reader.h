#pragma once
// Reading a ZIP archive held in memory (the engine's checked ZIP reader,
// base/files/zip_archive.h).

#include <memory>
#include <string>
#include <vector>

namespace tk {

class ZipArchive;

struct ArchiveMember {
  std::string name;
  bool isFile = false;
};

class MemoryArchive {
 public:
  MemoryArchive();
  ~MemoryArchive();
  // False when the bytes (which must outlive the archive) are not a ZIP archive.
  bool open(const std::string& bytes);
  std::vector<ArchiveMember> members() const;
  // False when the member is missing, or damaged (which is logged).
  bool read(const std::string& name, std::string* contents) const;

 private:
  std::unique_ptr<ZipArchive> zip_;
};

}  // namespace tk
