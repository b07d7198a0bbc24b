#include "viewer/live_scene_file.h"

#include "base/log.h"
#include "base/watch/file_watch.h"

namespace tk {

LiveSceneFile::~LiveSceneFile() {
  // The watch ID is free again for the next viewer run of the process.
  if (watching_) deleteFileWatch(kSceneFileWatchId);
}

bool LiveSceneFile::watch(const std::string& path) {
  watching_ = createFileWatch(path.c_str(), kSceneFileWatchId) == 0;
  return watching_;
}

LiveSceneFile::Poll LiveSceneFile::poll(const std::function<bool()>& update) {
  if (!watching_ || !fileWatchChanged(kSceneFileWatchId)) return Poll::Unchanged;
  if (waitFileReadable(kSceneFileWatchId, kSceneReadableTimeoutMs) != 0)
    return fail("ERROR : UPDATE SCENE FAILED; Cannot read file");
  print("Update Scene...");
  bool updated = update();
  releaseFileWatch(kSceneFileWatchId);
  if (!updated) return fail("ERROR : UPDATE SCENE FAILED");
  failed_ = false;
  resetFileWatch(kSceneFileWatchId);
  return Poll::Updated;
}

LiveSceneFile::Poll LiveSceneFile::fail(const char* message) {
  print("%s", message);
  failed_ = true;
  resetFileWatch(kSceneFileWatchId);
  return Poll::Failed;
}

}  // namespace tk
