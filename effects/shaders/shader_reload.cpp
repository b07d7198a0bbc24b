#include "effects/shaders/shader_reload.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>

#include "base/files/file_layer.h"
#include "base/log.h"
#include "base/startup_record.h"
#include "base/watch/folder_watch.h"

namespace tk {
namespace {

struct ReloadState {
  std::array<bool, kShaderFolderCount> watched{};
  bool begun = false;
  ShaderChangeHandler handler;
};

ReloadState& reload() {
  static ReloadState state;
  return state;
}

std::string shaderFolderPath(const char* folder) {
  const std::string& base = baseDirectory();  // empty or ending in a separator
  return base + folder;
}

// Polls every watched folder; the IDs that report a change.
std::vector<int> reportingWatches() {
  std::vector<int> ids;
  for (int id = 0; id < kShaderFolderCount; ++id) {
    if (reload().watched[id] && folderWatchChanged(id)) ids.push_back(id);
  }
  return ids;
}

std::vector<std::string> collectChangedFiles(const std::vector<int>& ids) {
  std::vector<std::string> files;
  for (int id : ids) {
    std::vector<std::string> changes;
    folderWatchChanges(id, &changes);
    for (std::string& file : changes) {
      if (static_cast<int>(files.size()) == kMaxShaderChanges) return files;
      std::replace(file.begin(), file.end(), '\\', '/');
      files.push_back(std::move(file));
    }
  }
  return files;
}

}  // namespace

const char* const kShaderFolders[kShaderFolderCount] = {"shaders",     "shadersHV",   "shadersPP",
                                                         "shadersPP2", "shadersSURF", "shadersSURF2"};

void setShaderChangeHandler(ShaderChangeHandler handler) { reload().handler = std::move(handler); }

void beginFolderWatches() {
  if (runningPacked() || reload().begun) return;
  reload().begun = true;
  for (int id = 0; id < kShaderFolderCount; ++id)
    reload().watched[id] = createFolderWatch(shaderFolderPath(kShaderFolders[id]).c_str(), id) == 0;
}

void endFolderWatches() {
  for (int id = 0; id < kShaderFolderCount; ++id) {
    if (reload().watched[id]) deleteFolderWatch(id);
    reload().watched[id] = false;
  }
  reload().begun = false;
}

std::vector<std::string> pollShaderChanges() {
  if (reportingWatches().empty()) return {};
  std::this_thread::sleep_for(std::chrono::milliseconds(kShaderSettleMs));
  // Poll again: folders written during the wait are taken up in the same round.
  std::vector<int> ids = reportingWatches();
  std::vector<std::string> files = collectChangedFiles(ids);
  for (const std::string& file : files) log(LOG_INFO, "detected file change %s", file.c_str());
  if (!files.empty()) {
    log(LOG_INFO, "updating shaders...");
    if (reload().handler) reload().handler(files);
    log(LOG_INFO, "updating shaders done");
  }
  // Only watches that reported are reset: resetting a quiet one would drop a
  // change that arrives just now.
  for (int id : ids) resetFolderWatch(id);
  return files;
}

}  // namespace tk
