#include "base/watch/file_watch.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "base/watch/file_stamp.h"
#include "base/watch/watch_record.h"
#include "base/watch/write_check.h"

namespace tk {
namespace {

constexpr int kReadablePollMs = 5;

struct FileWatchRecord : WatchRecord {
  FileStamp stamp;           // the version last reported (or seen at creation or reset)
  FileStamp readStamp;       // the version opened by waitFileReadable since the report
  bool readSinceReport = false;
  int readFd = -1;

  ~FileWatchRecord() { closeReadHandle(); }
  void closeReadHandle() {
    if (readFd >= 0) close(readFd);
    readFd = -1;
  }
};

WatchTable<FileWatchRecord>& files() {
  static WatchTable<FileWatchRecord> table("FileWatch");
  return table;
}

std::string folderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// An open read handle on the file while no one writes it; -1 otherwise.
int openWhenNotBeingWritten(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0 && fileBeingWritten(fd)) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

int createFileWatch(const char* path, int id) {
  FileWatchRecord* record = files().add(id, path);
  if (!record) return -1;
  record->stamp = readFileStamp(record->path);
  return files().start(id, record, folderOf(record->path), false);
}

int fileWatchChanged(int id) {
  FileWatchRecord* record = files().find(id);
  if (!record) return 0;
  if (record->reported) return 1;
  if (!record->changed->exchange(0)) return 0;
  // The flag covers the whole folder: only a new version of this file counts. A
  // file that has gone (being replaced) differs from the version last seen.
  FileStamp now = readFileStamp(record->path);
  if (now == record->stamp) return 0;
  record->stamp = now;
  record->reported = true;
  record->readSinceReport = false;
  return 1;
}

int waitFileReadable(int id, int timeoutMs) {
  FileWatchRecord* record = files().find(id);
  if (!record) return -1;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    record->closeReadHandle();
    record->readFd = openWhenNotBeingWritten(record->path);
    if (record->readFd >= 0) {
      record->readStamp = readFileStamp(record->readFd);
      record->readSinceReport = true;
      return 0;
    }
    if (std::chrono::steady_clock::now() >= deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(kReadablePollMs));
  }
}

int releaseFileWatch(int id) {
  FileWatchRecord* record = files().find(id);
  if (!record) return -1;
  record->closeReadHandle();
  return 0;
}

int resetFileWatch(int id) {
  FileWatchRecord* record = files().find(id);
  if (!record) return -1;
  if (record->reported) {
    // Remember the version that was handled (the one last opened for reading),
    // and leave the flag alone: a save during the handling raised it again and
    // the next poll compares against that version.
    if (record->readSinceReport) record->stamp = record->readStamp;
    record->reported = false;
  } else {
    record->stamp = readFileStamp(record->path);
    record->changed->store(0);
  }
  return 0;
}

int deleteFileWatch(int id) { return files().erase(id); }

}  // namespace tk
