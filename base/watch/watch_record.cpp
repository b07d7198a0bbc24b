#include "base/watch/watch_record.h"

#include <filesystem>

namespace tk {

std::string absoluteWatchPath(const char* path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path ? path : "", error);
  if (error) return path ? path : "";
  std::string normal = absolute.lexically_normal().string();
  if (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal;
}

bool startWatcher(WatchRecord& record, const std::string& folder, bool subfolders, const char* kind, int id) {
  try {
    record.watcher = std::make_unique<FolderWatcher>(folder, subfolders, record.changed);
    return true;
  } catch (const WatchError& error) {
    logErrorCode(kErrorArgument1, "%s ID %d : %s", kind, id, error.what());
    return false;
  }
}

}  // namespace tk
