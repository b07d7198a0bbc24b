#pragma once
// What file and folder watches share: the record with its thread and flags, and
// an ID table made at first use that logs its complaints the way both kinds do.

#include <memory>
#include <string>

#include "app/id_table.h"
#include "app/log.h"
#include "packaging/watch/folder_watcher.h"

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

  // Stores the record; false after logging "invalid <kind> ID %d : %s" (code 2).
  bool add(int id, Record* record) {
    if (table()->add(id, record) == 0) return true;
    logErrorCode(2, "invalid %s ID %d : %s", kind_, id, idErrorText());
    return false;
  }

  // The record under the ID; null after logging "<kind> ID %d does not exist. %s" (code 1).
  Record* find(int id) {
    if (Record* record = table()->get(id)) return record;
    if (idInRange(id, kCapacity)) setIdErrorText("id %d does not exist", id);
    logErrorCode(1, "%s ID %d does not exist. %s", kind_, id, idErrorText());
    return nullptr;
  }

  // Frees the ID and deletes the record (stopping its thread).
  void erase(int id, Record* record) {
    table()->remove(id);
    delete record;
  }

  const char* kind() const { return kind_; }

 private:
  IdTable<Record>* table() {
    if (!table_) table_ = IdTable<Record>::make(kCapacity);
    return table_;
  }

  const char* kind_;
  IdTable<Record>* table_ = nullptr;  // lives as long as the process
};

}  // namespace tk
