#include "packaging/packed_archive_reader.h"

#include "base/files/zip_archive.h"
#include "base/log.h"

namespace tk {

MemoryArchive::MemoryArchive() = default;
MemoryArchive::~MemoryArchive() = default;

bool MemoryArchive::open(const std::string& bytes) {
  zip_ = ZipArchive::fromMemory(bytes.data(), bytes.size());
  return zip_ != nullptr;
}

std::vector<ArchiveMember> MemoryArchive::members() const {
  std::vector<ArchiveMember> list;
  if (!zip_) return list;
  for (const ZipMember& member : zip_->members()) list.push_back({member.name, !member.isFolder && !member.name.empty()});
  return list;
}

bool MemoryArchive::read(const std::string& name, std::string* contents) const {
  if (!zip_) return false;
  long index = zip_->find(name);
  if (index < 0) return false;
  if (zip_->read(static_cast<size_t>(index), contents) == ZipArchive::Read::Ok) return true;
  log(LOG_ERROR, "archive member '%s' is damaged", zip_->members()[static_cast<size_t>(index)].name.c_str());
  return false;
}

}  // namespace tk
