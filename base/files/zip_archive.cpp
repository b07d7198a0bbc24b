#include "base/files/zip_archive.h"

#include <zip.h>
#include <zlib.h>

#include "base/files/content_names.h"
#include "base/files/regular_file.h"

namespace tk {

struct ZipArchive::Handle {
  zip_t* zip = nullptr;
};

namespace {

zip_t* openSource(zip_source_t* source) {
  if (!source) return nullptr;
  zip_error_t error;
  zip_error_init(&error);
  // Consistency checks compare every local header with the central directory.
  zip_t* zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
  zip_error_fini(&error);
  if (!zip) zip_source_free(source);
  return zip;
}

}  // namespace

// libzip takes empty input for an empty archive; an empty file holds none (the
// smallest archive is its 22-byte end record).
std::unique_ptr<ZipArchive> ZipArchive::fromMemory(const void* data, size_t size) {
  if (!data || size == 0) return nullptr;
  zip_source_t* source = zip_source_buffer_create(data, size, 0, nullptr);
  zip_t* zip = openSource(source);
  if (!zip) return nullptr;
  return std::unique_ptr<ZipArchive>(new ZipArchive(new Handle{zip}));
}

std::unique_ptr<ZipArchive> ZipArchive::fromFile(const char* path) {
  FILE* file = openRegularFile(path);
  if (!file) return nullptr;
  if (fseek(file, 0, SEEK_END) != 0 || ftell(file) <= 0 || fseek(file, 0, SEEK_SET) != 0) {
    fclose(file);
    return nullptr;
  }
  zip_source_t* source = zip_source_filep_create(file, 0, -1, nullptr);  // owns the file from here
  if (!source) {
    fclose(file);
    return nullptr;
  }
  zip_t* zip = openSource(source);
  if (!zip) return nullptr;
  return std::unique_ptr<ZipArchive>(new ZipArchive(new Handle{zip}));
}

ZipArchive::ZipArchive(Handle* handle) : handle_(handle) { indexMembers(); }

ZipArchive::~ZipArchive() {
  zip_discard(handle_->zip);
  delete handle_;
}

void ZipArchive::indexMembers() {
  zip_int64_t count = zip_get_num_entries(handle_->zip, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t info;
    zip_stat_init(&info);
    const char* name = zip_get_name(handle_->zip, static_cast<zip_uint64_t>(i), 0);
    ZipMember member;
    member.name = name ? name : "";
    member.isFolder = !member.name.empty() && (member.name.back() == '/' || member.name.back() == '\\');
    if (zip_stat_index(handle_->zip, static_cast<zip_uint64_t>(i), 0, &info) == 0 && (info.valid & ZIP_STAT_SIZE))
      member.size = info.size;
    const std::string slashed = withSlashes(member.name);
    // The first member of a name stays reachable when later ones repeat it.
    byName_.emplace(member.name, members_.size());
    bySlashedName_.emplace(slashed, members_.size());
    byFoldedName_.emplace(foldedName(slashed), members_.size());
    members_.push_back(member);
  }
}

long ZipArchive::find(const std::string& name) const {
  auto stored = byName_.find(name);
  if (stored != byName_.end()) return static_cast<long>(stored->second);
  const std::string slashed = withSlashes(name);
  auto exact = bySlashedName_.find(slashed);
  if (exact != bySlashedName_.end()) return static_cast<long>(exact->second);
  auto folded = byFoldedName_.find(foldedName(slashed));
  return folded != byFoldedName_.end() ? static_cast<long>(folded->second) : -1;
}

ZipArchive::Read ZipArchive::read(size_t index, std::string* contents) const {
  contents->clear();
  zip_stat_t info;
  zip_stat_init(&info);
  if (index >= members_.size() || zip_stat_index(handle_->zip, index, 0, &info) != 0) return Read::Damaged;
  zip_file_t* file = zip_fopen_index(handle_->zip, index, 0);
  if (!file) return Read::Damaged;
  // Read in blocks rather than trusting the stated size with one allocation:
  // a damaged directory may claim gigabytes for a few bytes of data.
  uLong crc = crc32(0L, Z_NULL, 0);
  char block[65536];
  zip_int64_t got;
  while ((got = zip_fread(file, block, sizeof block)) > 0) {
    crc = crc32(crc, reinterpret_cast<const Bytef*>(block), static_cast<uInt>(got));
    contents->append(block, static_cast<size_t>(got));
    if ((info.valid & ZIP_STAT_SIZE) && contents->size() > info.size) break;
  }
  zip_fclose(file);
  bool whole = got == 0 && (!(info.valid & ZIP_STAT_SIZE) || contents->size() == info.size);
  bool crcMatches = !(info.valid & ZIP_STAT_CRC) || crc == info.crc;
  if (whole && crcMatches) return Read::Ok;
  contents->clear();
  return Read::Damaged;
}

}  // namespace tk
