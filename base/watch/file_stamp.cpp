#include "base/watch/file_stamp.h"

#include <sys/stat.h>
#include <time.h>

namespace tk {
namespace {

int64_t nanoseconds(const timespec& time) {
  return static_cast<int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

FileStamp stampOf(const struct stat& info) {
  FileStamp stamp;
  stamp.exists = true;
  stamp.modified = nanoseconds(info.st_mtim);
  stamp.statusChanged = nanoseconds(info.st_ctim);
  stamp.size = static_cast<int64_t>(info.st_size);
  stamp.inode = static_cast<uint64_t>(info.st_ino);
  return stamp;
}

}  // namespace

FileStamp readFileStamp(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? stampOf(info) : FileStamp();
}

FileStamp readFileStamp(int fd) {
  struct stat info {};
  return fstat(fd, &info) == 0 ? stampOf(info) : FileStamp();
}

int64_t fileClockNow() {
  timespec now {};
  clock_gettime(CLOCK_REALTIME_COARSE, &now);
  return nanoseconds(now);
}

}  // namespace tk
