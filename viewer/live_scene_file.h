#pragma once
// Live mode: the exporter rewrites the scene file while the viewer shows it.
// File watch 0 reports each new version; once the exporter has let go of the
// file, the viewer's update takes it up.

#include <functional>
#include <string>

namespace tk {

constexpr int kSceneFileWatchId = 0;
constexpr int kSceneReadableTimeoutMs = 3000;

class LiveSceneFile {
 public:
  LiveSceneFile() = default;
  ~LiveSceneFile();
  LiveSceneFile(const LiveSceneFile&) = delete;
  LiveSceneFile& operator=(const LiveSceneFile&) = delete;

  // Starts watching the file; false when it cannot be watched.
  bool watch(const std::string& path);
  bool watching() const { return watching_; }

  enum class Poll { Unchanged, Updated, Failed };
  // When a new version was written: waits (at most 3 s) until it can be read and
  // runs `update`, which answers whether the new version was taken up.
  Poll poll(const std::function<bool()>& update);

  // True from a failed update to the next successful one.
  bool failed() const { return failed_; }

 private:
  Poll fail(const char* message);

  bool watching_ = false;
  bool failed_ = false;
};

}  // namespace tk
