#pragma once
// What tells one version of a file from the next: its modification and status
// change times, size and inode. Comparing the whole stamp (not only the time)
// also catches a save within one timestamp tick and a file replaced by rename.

#include <cstdint>
#include <string>

namespace tk {

struct FileStamp {
  bool exists = false;
  int64_t modified = 0;       // nanoseconds since the epoch
  int64_t statusChanged = 0;  // nanoseconds since the epoch
  int64_t size = 0;
  uint64_t inode = 0;

  bool operator==(const FileStamp& other) const {
    return exists == other.exists && modified == other.modified && statusChanged == other.statusChanged &&
           size == other.size && inode == other.inode;
  }
  bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

FileStamp readFileStamp(const std::string& path);
FileStamp readFileStamp(int fd);

// The current time on the clock the kernel stamps files with (the coarse real-time
// clock), in nanoseconds since the epoch. A file written after this call has a
// modification time not earlier than the value returned.
int64_t fileClockNow();

}  // namespace tk
