#include "base/files/disk_file_archive.h"

#include <irrlicht.h>

#include "base/files/content_names.h"
#include "base/files/display_read_files.h"
#include "base/files/regular_file.h"

namespace tk {
namespace {

const irr::io::E_FILE_ARCHIVE_TYPE kDiskLookupType =
    static_cast<irr::io::E_FILE_ARCHIVE_TYPE>(MAKE_IRR_ID('t', 'k', 'd', 'k'));

// Only answers whether a name exists (the library's existFile asks archives
// through their lists); it enumerates nothing.
class DiskNameList : public irr::io::IFileList {
 public:
  irr::u32 getFileCount() const override { return 0; }
  const irr::io::path& getFileName(irr::u32) const override { return empty_; }
  const irr::io::path& getFullFileName(irr::u32) const override { return empty_; }
  irr::u32 getFileSize(irr::u32) const override { return 0; }
  irr::u32 getFileOffset(irr::u32) const override { return 0; }
  irr::u32 getID(irr::u32) const override { return 0; }
  bool isDirectory(irr::u32) const override { return false; }
  irr::s32 findFile(const irr::io::path& filename, bool isFolder) const override {
    std::string found = findOnDisk(filename.c_str());
    DiskEntry wanted = isFolder ? DiskEntry::Folder : DiskEntry::RegularFile;
    return !found.empty() && diskEntryOf(found.c_str()) == wanted ? 0 : -1;
  }
  const irr::io::path& getPath() const override { return empty_; }
  irr::u32 addItem(const irr::io::path&, irr::u32, irr::u32, bool, irr::u32) override { return 0; }
  void sort() override {}

 private:
  irr::io::path empty_;
};

class DiskFileArchive : public irr::io::IFileArchive {
 public:
  // The file system owns this archive: it is not grabbed back.
  explicit DiskFileArchive(irr::io::IFileSystem* fileSystem) : fileSystem_(fileSystem) {}
  ~DiskFileArchive() override { list_->drop(); }

  irr::io::IReadFile* createAndOpenFile(const irr::io::path& filename) override {
    const std::string found = findOnDisk(filename.c_str());
    if (found.empty()) return nullptr;
    // Named by the full path, as the library names the disk files it opens
    // itself (its texture cache is keyed on that name).
    const std::string name = fileSystem_->getAbsolutePath(found.c_str()).c_str();
    if (diskEntryOf(found.c_str()) != DiskEntry::RegularFile) {
      // Only a name that is exactly such an entry would reach the library's
      // own opening. A missing texture's "absolute path" is the part of its
      // name up to the first missing folder (Textures of Textures/WOOD.BMP),
      // which may match a folder by case alone: answering it would stop the
      // library before it tries the name as written.
      return found == filename.c_str() ? makeBufferReadFile(std::string(), name) : nullptr;
    }
    FILE* file = openRegularFile(found.c_str());
    return file ? makeDiskReadFile(file, name) : nullptr;
  }
  irr::io::IReadFile* createAndOpenFile(irr::u32) override { return nullptr; }
  const irr::io::IFileList* getFileList() const override { return list_; }
  irr::io::E_FILE_ARCHIVE_TYPE getType() const override { return kDiskLookupType; }

 private:
  irr::io::IFileSystem* fileSystem_;
  DiskNameList* list_ = new DiskNameList;
};

long diskLookupIndex(irr::io::IFileSystem* fileSystem) {
  for (irr::u32 i = 0; i < fileSystem->getFileArchiveCount(); ++i)
    if (isDiskLookup(fileSystem->getFileArchive(i))) return static_cast<long>(i);
  return -1;
}

}  // namespace

bool addArchive(irr::io::IFileSystem* fileSystem, irr::io::IFileArchive* archive) {
  // The display library 1.8.5 keeps the caller's reference instead of taking
  // one of its own (and drops it when the archive is removed); other versions
  // grab. Either way the file system ends up holding exactly one.
  const irr::s32 before = archive->getReferenceCount();
  const bool added = fileSystem->addFileArchive(archive);
  if (!added || archive->getReferenceCount() > before) archive->drop();
  return added;
}

bool isDiskLookup(const irr::io::IFileArchive* archive) { return archive && archive->getType() == kDiskLookupType; }

void mountDiskLookup(irr::io::IFileSystem* fileSystem) {
  if (diskLookupIndex(fileSystem) >= 0) return;
  addArchive(fileSystem, new DiskFileArchive(fileSystem));
}

bool mountArchiveBeforeDisk(irr::io::IFileSystem* fileSystem, irr::io::IFileArchive* archive) {
  if (!addArchive(fileSystem, archive)) return false;
  long disk = diskLookupIndex(fileSystem);
  irr::u32 added = fileSystem->getFileArchiveCount() - 1;
  if (disk >= 0 && disk < static_cast<long>(added)) fileSystem->moveFileArchive(added, static_cast<irr::s32>(disk - added));
  return true;
}

}  // namespace tk
