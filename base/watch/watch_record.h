#pragma once
// What file and folder watches share: the record with its thread and flags, and
// an ID table made at first use that logs its complaints the way both kinds do.

#include <memory>
#include <string>

#include "base/id_table.h"
#include "base/log.h"
#include "base/watch/folder_watcher.h"

namespace tk {

struct WatchRecord {
  std::string path;  // absolute
  std::shared_ptr<ChangedFlag> changed = std::make_shared<ChangedFlag>(0);  // raised by the thread
  bool reported = false;  // the main thread has seen the change and not yet reset it
  std::unique_ptr<FolderWatcher> watcher;
};

// The absolute form of a path, relative names taken from the working directory.
std::string absoluteWatchPath(const char* path);

// Starts the record's thread on a folder; false after logging why the platform
// refused ("Cannot create change notification handle ...").
bool startWatcher(WatchRecord& record, const std::string& folder, bool subfolders, const char* kind, int id);

template <typename Record>
class WatchTable {
 public:
  static constexpr int kCapacity = 100;
  explicit WatchTable(const char* kind) : kind_(kind) {}

  // A new record under the ID holding the absolute form of the path; null after
  // logging "invalid <kind> ID %d : %s" (code 2).
  Record* add(int id, const char* path) {
    auto* record = new Record();
    if (table()->add(id, record) != 0) {
      logErrorCode(kErrorArgument2, "invalid %s ID %d : %s", kind_, id, idErrorText());
      delete record;
      return nullptr;
    }
    record->path = absoluteWatchPath(path);
    return record;
  }

  // Starts the record's thread on a folder; 0, or -1 with the record erased
  // after logging why the platform refused.
  int start(int id, Record* record, const std::string& folder, bool subfolders) {
    if (startWatcher(*record, folder, subfolders, kind_, id)) return 0;
    table()->remove(id);
    delete record;
    return -1;
  }

  // The record under the ID; null after logging "<kind> ID %d does not exist. %s" (code 1).
  Record* find(int id) {
    if (Record* record = table()->get(id)) return record;
    if (idInRange(id, kCapacity)) setIdErrorText("id %d does not exist", id);
    logErrorCode(kErrorArgument1, "%s ID %d does not exist. %s", kind_, id, idErrorText());
    return nullptr;
  }

  // Stops the record's thread, deletes it and frees the ID; 0, or -1 for an ID
  // without a watch.
  int erase(int id) {
    Record* record = find(id);
    if (!record) return -1;
    table()->remove(id);
    delete record;
    return 0;
  }

 private:
  IdTable<Record>* table() {
    if (!table_) table_ = IdTable<Record>::make(kCapacity);
    return table_;
  }

  const char* kind_;
  IdTable<Record>* table_ = nullptr;  // lives as long as the process
};

}  // namespace tk
