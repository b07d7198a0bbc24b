#include "packaging/packed_archive_reader.h"

#include <zip.h>

namespace tk {

struct MemoryArchive::Impl {
  zip_t* archive = nullptr;
};

MemoryArchive::~MemoryArchive() {
  if (impl_ && impl_->archive) zip_discard(impl_->archive);
  delete impl_;
}

bool MemoryArchive::open(const std::string& bytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  if (!source) return false;
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
  zip_error_fini(&error);
  if (!archive) {
    zip_source_free(source);
    return false;
  }
  impl_ = new Impl{archive};
  return true;
}

std::vector<ArchiveMember> MemoryArchive::members() const {
  std::vector<ArchiveMember> list;
  if (!impl_) return list;
  zip_int64_t count = zip_get_num_entries(impl_->archive, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(impl_->archive, static_cast<zip_uint64_t>(i), 0);
    if (!name) continue;
    std::string text = name;
    list.push_back({text, !text.empty() && text.back() != '/'});
  }
  return list;
}

bool MemoryArchive::read(const std::string& name, std::string* contents) const {
  if (!impl_) return false;
  zip_stat_t info;
  if (zip_stat(impl_->archive, name.c_str(), 0, &info) != 0 || !(info.valid & ZIP_STAT_SIZE)) return false;
  zip_file_t* file = zip_fopen(impl_->archive, name.c_str(), 0);
  if (!file) return false;
  contents->resize(info.size);
  zip_int64_t got = zip_fread(file, contents->data(), info.size);
  zip_fclose(file);
  return got == static_cast<zip_int64_t>(info.size);
}

}  // namespace tk
