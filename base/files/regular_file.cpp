#include "base/files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tk {
namespace {

DiskEntry entryOf(const struct stat& info) {
  if (S_ISREG(info.st_mode)) return DiskEntry::RegularFile;
  if (S_ISDIR(info.st_mode)) return DiskEntry::Folder;
  return DiskEntry::Other;
}

}  // namespace

DiskEntry diskEntryOf(const char* path) {
  struct stat info;
  if (!path || !*path || stat(path, &info) != 0) return DiskEntry::Missing;
  return entryOf(info);
}

FILE* openRegularFile(const char* path) {
  if (!path || !*path) {
    errno = ENOENT;
    return nullptr;
  }
  // Non-blocking, so that opening a pipe returns at once; the kind is then
  // taken from the open descriptor itself, so nothing can change in between.
  int fd = open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return nullptr;
  struct stat info;
  DiskEntry entry = fstat(fd, &info) == 0 ? entryOf(info) : DiskEntry::Missing;
  if (entry != DiskEntry::RegularFile) {
    close(fd);
    errno = entry == DiskEntry::Folder ? EISDIR : EINVAL;
    return nullptr;
  }
  int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  FILE* file = fdopen(fd, "rb");
  if (!file) close(fd);
  return file;
}

bool readRegularFile(const char* path, std::string* contents) {
  FILE* file = openRegularFile(path);
  if (!file) return false;
  contents->clear();
  char block[65536];
  size_t got;
  while ((got = fread(block, 1, sizeof block, file)) > 0) contents->append(block, got);
  bool ok = !ferror(file);
  fclose(file);
  return ok;
}

}  // namespace tk
