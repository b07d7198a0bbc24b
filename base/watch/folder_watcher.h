#pragma once
// The waiting thread behind a file or folder watch: it sleeps until the kernel
// reports a write to a file in the folder (inotify) and then raises the watch's
// one-byte changed flag, which the main thread polls and clears without a lock.
// inotify is not recursive, so a watch with subfolders watches each folder down
// to two levels below (the depth the change collection walks), skipping folders
// whose names begin with ".", and picks up subfolders made later.

#include <atomic>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

namespace tk {

// The one error a watch raises: the platform refused the change notification
// (for example a missing folder). Callers catch it and do not create the watch.
class WatchError : public std::runtime_error {
 public:
  WatchError(const std::string& text, int code) : std::runtime_error(text), code_(code) {}
  int code() const { return code_; }  // the platform's error number

 private:
  int code_;
};

using ChangedFlag = std::atomic<uint8_t>;

class FolderWatcher {
 public:
  static constexpr int kSubfolderDepth = 2;
  static constexpr int kStopWaitMs = 2000;

  // Starts the thread. Throws WatchError "Cannot create change notification
  // handle" when the folder cannot be watched.
  FolderWatcher(const std::string& folder, bool subfolders, std::shared_ptr<ChangedFlag> changed);
  ~FolderWatcher();
  FolderWatcher(const FolderWatcher&) = delete;
  FolderWatcher& operator=(const FolderWatcher&) = delete;

  // Asks the thread to end and waits for it at most kStopWaitMs. Idempotent.
  void stop();

  struct State;

 private:
  std::shared_ptr<State> state_;
  std::thread thread_;
};

}  // namespace tk
