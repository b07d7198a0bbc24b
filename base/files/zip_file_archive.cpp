#include "base/files/zip_file_archive.h"

#include <irrlicht.h>

#include <set>

#include "base/files/content_names.h"
#include "base/files/display_read_files.h"
#include "base/files/zip_archive.h"
#include "base/log.h"

namespace tk {
namespace {

// Members larger than this cannot be handed to the library's loaders, whose
// reads count bytes in 32-bit signed numbers.
constexpr uint64_t kMaxMemberSize = 0x7FFFFFFF;

class ZipFileArchive : public irr::io::IFileArchive {
 public:
  ZipFileArchive(std::unique_ptr<ZipArchive> zip, const std::string& name, irr::io::IFileSystem* fileSystem)
      : zip_(std::move(zip)), list_(fileSystem->createEmptyFileList(name.c_str(), true, false)) {
    listMembers();
  }
  ~ZipFileArchive() override { list_->drop(); }

  irr::io::IReadFile* createAndOpenFile(const irr::io::path& filename) override {
    long index = zip_->find(filename.c_str());
    if (index < 0) return nullptr;
    const ZipMember& member = zip_->members()[static_cast<size_t>(index)];
    if (member.isFolder) return nullptr;
    std::string bytes;
    if (member.size > kMaxMemberSize || zip_->read(static_cast<size_t>(index), &bytes) != ZipArchive::Read::Ok ||
        bytes.size() > kMaxMemberSize) {
      log(LOG_ERROR, "archive member '%s' is damaged", member.name.c_str());
      return nullptr;
    }
    return makeBufferReadFile(std::move(bytes), withSlashes(member.name));
  }
  irr::io::IReadFile* createAndOpenFile(irr::u32 index) override {
    return index < list_->getFileCount() ? createAndOpenFile(list_->getFullFileName(index)) : nullptr;
  }
  const irr::io::IFileList* getFileList() const override { return list_; }
  irr::io::E_FILE_ARCHIVE_TYPE getType() const override { return irr::io::EFAT_ZIP; }

 private:
  // Every member, and every folder above one (archives often store no entries
  // for their folders), so that the library's listings and folder queries see
  // the tree.
  void listMembers() {
    std::set<std::string> folders;
    for (const ZipMember& member : zip_->members()) {
      std::string name = withSlashes(member.name);
      for (size_t slash = name.find('/'); slash != std::string::npos && slash + 1 < name.size();
           slash = name.find('/', slash + 1))
        folders.insert(name.substr(0, slash));
      if (member.isFolder) {
        folders.insert(name.substr(0, name.size() - 1));
        continue;
      }
      list_->addItem(name.c_str(), 0, static_cast<irr::u32>(std::min<uint64_t>(member.size, kMaxMemberSize)), false);
    }
    for (const std::string& folder : folders)
      if (!folder.empty()) list_->addItem(folder.c_str(), 0, 0, true);
    list_->sort();
  }

  std::unique_ptr<ZipArchive> zip_;
  irr::io::IFileList* list_;
};

}  // namespace

irr::io::IFileArchive* makeZipFileArchive(std::unique_ptr<ZipArchive> zip, const std::string& name,
                                          irr::io::IFileSystem* fileSystem) {
  return new ZipFileArchive(std::move(zip), name, fileSystem);
}

}  // namespace tk
