#include "base/watch/folder_watch.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>

#include "base/watch/file_stamp.h"
#include "base/watch/watch_record.h"

namespace tk {
namespace {

using StampsByPath = std::map<std::string, FileStamp>;

struct FolderWatchRecord : WatchRecord {
  int64_t reference = 0;      // files modified at or after this time are candidates
  int64_t nextReference = 0;  // when the current report was taken or last collected
  // File timestamps are coarse: a file collected in one report may still carry a
  // time at or after the next reference. Such a file counts again only when its
  // stamp changed. `seen` holds the candidates of the last report handled,
  // `pendingSeen` those of the current report's latest walk.
  StampsByPath seen, pendingSeen;
  bool walked = false;
  std::vector<std::string> changes;
};

WatchTable<FolderWatchRecord>& folders() {
  static WatchTable<FolderWatchRecord> table("FolderWatch");
  return table;
}

std::vector<std::string> sortedEntries(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* entry = readdir(dir)) {
      if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0) names.emplace_back(entry->d_name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// One collection: every candidate is recorded in `seen`; the new ones are listed
// up to the limit.
struct ChangeWalk {
  ChangeWalk(int64_t since, const StampsByPath& previous) : since(since), previous(previous) {}

  int64_t since;
  const StampsByPath& previous;
  StampsByPath seen;
  std::vector<std::string> changes;
  bool overflowed = false;

  void visit(const std::string& folder, int levelsLeft) {
    for (const std::string& name : sortedEntries(folder)) {
      std::string path = folder + "/" + name;
      struct stat info {};
      if (stat(path.c_str(), &info) != 0) continue;  // gone meanwhile
      if (S_ISDIR(info.st_mode)) {
        if (name[0] != '.' && levelsLeft > 0) visit(path, levelsLeft - 1);
      } else {
        consider(path);
      }
    }
  }

  void consider(const std::string& path) {
    FileStamp stamp = readFileStamp(path);
    if (stamp.modified < since) return;
    seen[path] = stamp;
    auto before = previous.find(path);
    if (before != previous.end() && before->second == stamp) return;
    if (static_cast<int>(changes.size()) < kFolderWatchMaxChanges) {
      changes.push_back(path);
    } else if (!overflowed) {
      overflowed = true;
      log(LOG_WARN, "tkGetFolderWatchChanges too much changes\n");
    }
  }
};

}  // namespace

int createFolderWatch(const char* path, int id) {
  FolderWatchRecord* record = folders().add(id, path);
  if (!record) return -1;
  record->reference = fileClockNow();
  return folders().start(id, record, record->path, true);
}

int folderWatchChanged(int id) {
  FolderWatchRecord* record = folders().find(id);
  if (!record) return 0;
  if (record->reported) return 1;
  if (!record->changed->exchange(0)) return 0;
  record->reported = true;
  record->nextReference = fileClockNow();
  return 1;
}

int folderWatchChanges(int id, std::vector<std::string>* changes) {
  FolderWatchRecord* record = folders().find(id);
  if (!record || !record->reported) {
    if (changes) changes->clear();
    return 0;
  }
  // The list is built from modification times, so the flag can be cleared now:
  // what is written from here on raises it again and is found next time.
  record->changed->store(0);
  record->nextReference = fileClockNow();
  ChangeWalk walk(record->reference, record->seen);
  walk.visit(record->path, FolderWatcher::kSubfolderDepth);
  record->pendingSeen = std::move(walk.seen);
  record->changes = std::move(walk.changes);
  record->walked = true;
  if (changes) *changes = record->changes;
  return static_cast<int>(record->changes.size());
}

int resetFolderWatch(int id) {
  FolderWatchRecord* record = folders().find(id);
  if (!record) return -1;
  if (record->reported) {
    record->reference = record->nextReference;
    if (record->walked) record->seen = std::move(record->pendingSeen);
  } else {
    record->reference = fileClockNow();
    record->changed->store(0);
  }
  record->reported = false;
  record->walked = false;
  record->pendingSeen.clear();
  record->changes.clear();
  return 0;
}

int deleteFolderWatch(int id) { return folders().erase(id); }

}  // namespace tk
