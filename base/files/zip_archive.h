#pragma once
// A ZIP archive read with libzip, from memory or from a file on disk. Members
// are looked up under the content-name rule (base/files/content_names.h), and
// every member read is checked against the CRC-32 of the archive's central
// directory: a damaged member is refused, never handed out as good data.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tk {

struct ZipMember {
  std::string name;  // as stored
  bool isFolder = false;
  uint64_t size = 0;  // as the central directory states it
};

class ZipArchive {
 public:
  // Null when the bytes (which must outlive the archive) are no ZIP archive.
  static std::unique_ptr<ZipArchive> fromMemory(const void* data, size_t size);
  // Null when the path is not a regular file (the one check of
  // base/files/regular_file.h) or holds no ZIP archive.
  static std::unique_ptr<ZipArchive> fromFile(const char* path);
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  const std::vector<ZipMember>& members() const { return members_; }
  // The member a name stands for: the exact stored name, else the name with
  // "\" read as "/", else the same without regard to case; -1 when none.
  long find(const std::string& name) const;

  enum class Read { Ok, Damaged };
  // The member's contents. Damaged when it cannot be read whole or its bytes
  // do not match the central directory's size and CRC-32.
  Read read(size_t index, std::string* contents) const;

 private:
  struct Handle;
  explicit ZipArchive(Handle* handle);
  void indexMembers();

  Handle* handle_;
  std::vector<ZipMember> members_;
  std::unordered_map<std::string, size_t> byName_;
  std::unordered_map<std::string, size_t> bySlashedName_;
  std::unordered_map<std::string, size_t> byFoldedName_;
};

}  // namespace tk
