#include "base/watch/folder_watcher.h"

#include <dirent.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <future>
#include <map>

#include "base/log.h"

namespace tk {
namespace {

// Events that mean "a file here was written": Windows' last-write notification.
// Creation and moves cover editors that save through a new file and a rename;
// attribute changes cover tools that only set the modification time.
constexpr uint32_t kFileEvents = IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_CREATE | IN_MOVED_TO;

class ScopedFd {
 public:
  explicit ScopedFd(int fd = -1) : fd_(fd) {}
  ~ScopedFd() {
    if (fd_ >= 0) close(fd_);
  }
  ScopedFd(const ScopedFd&) = delete;
  ScopedFd& operator=(const ScopedFd&) = delete;
  int get() const { return fd_; }
  void reset(int fd) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

[[noreturn]] void throwWatchError(const std::string& folder) {
  int code = errno;
  throw WatchError("Cannot create change notification handle for '" + folder + "': " + strerror(code), code);
}

}  // namespace

// Shared by the watcher and its thread, so that a thread that does not end in
// time can be left running without touching freed memory.
struct FolderWatcher::State {
  std::string folder;
  bool subfolders = false;
  ScopedFd notification;
  ScopedFd stopEvent;
  std::atomic<int> stopRequests{0};
  std::shared_ptr<ChangedFlag> changed;
  std::map<int, std::pair<std::string, int>> folders;  // watch descriptor -> path, depth
  std::promise<void> finished;

  // Watches a folder and, with subfolders, the folders below it. True when the
  // folder could be watched; *holdsFiles tells whether any file was met on the
  // way (written before its folder was watched, so no event will tell of it).
  bool addFolder(const std::string& path, int depth, bool* holdsFiles) {
    int wd = inotify_add_watch(notification.get(), path.c_str(), kFileEvents | IN_ONLYDIR);
    if (wd < 0) return false;
    folders[wd] = {path, depth};
    if (subfolders && depth < kSubfolderDepth) addSubfoldersOf(path, depth, holdsFiles);
    return true;
  }

  void addSubfoldersOf(const std::string& path, int depth, bool* holdsFiles) {
    DIR* dir = opendir(path.c_str());
    if (!dir) return;
    while (dirent* entry = readdir(dir)) {
      if (entry->d_name[0] == '.') continue;
      bool folder = entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN;
      // IN_ONLYDIR turns away an entry of unknown type that is not a folder.
      if (!folder || !addFolder(path + "/" + entry->d_name, depth + 1, holdsFiles)) *holdsFiles = true;
    }
    closedir(dir);
  }

  // Reads every pending event; true when one of them was a file write.
  bool readEvents() {
    alignas(inotify_event) char buffer[16 * 1024];
    bool fileWritten = false;
    for (;;) {
      ssize_t got = read(notification.get(), buffer, sizeof buffer);
      if (got <= 0) break;
      for (char* at = buffer; at < buffer + got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(at);
        fileWritten |= handleEvent(*event);
        at += sizeof(inotify_event) + event->len;
      }
    }
    return fileWritten;
  }

  bool handleEvent(const inotify_event& event) {
    if (event.mask & IN_Q_OVERFLOW) return true;  // events were lost: assume a write
    if (event.mask & IN_IGNORED) {
      folders.erase(event.wd);
      return false;
    }
    if (!(event.mask & IN_ISDIR)) return (event.mask & kFileEvents) != 0;
    auto parent = folders.find(event.wd);
    bool newFolder = (event.mask & (IN_CREATE | IN_MOVED_TO)) && event.len > 0 && event.name[0] != '.';
    if (!subfolders || !newFolder || parent == folders.end() || parent->second.second >= kSubfolderDepth) return false;
    // Files may have been written into the new folder before it was watched.
    bool holdsFiles = false;
    addFolder(parent->second.first + "/" + event.name, parent->second.second + 1, &holdsFiles);
    return holdsFiles;
  }

  void run() {
    pollfd waits[2] = {{notification.get(), POLLIN, 0}, {stopEvent.get(), POLLIN, 0}};
    for (;;) {
      if (poll(waits, 2, -1) < 0) {
        if (errno == EINTR) continue;
        reportWaitFailure();
        break;
      }
      if (waits[1].revents) break;
      if (waits[0].revents & POLLIN) {
        bool fileWritten = readEvents();
        if (stopRequests.load() > 0) break;
        if (fileWritten) changed->store(1);
      } else if (waits[0].revents) {
        reportWaitFailure();
        break;
      }
    }
    finished.set_value();
  }

  // The main thread owns the screen, so this thread only writes to standard error.
  void reportWaitFailure() {
    fprintf(stderr, "File Operation Problem: %s\nFile: '%s'\nSystem reports: %s\n", "Cannot detect changes in folder",
            folder.c_str(), strerror(errno));
  }
};

FolderWatcher::FolderWatcher(const std::string& folder, bool subfolders, std::shared_ptr<ChangedFlag> changed)
    : state_(std::make_shared<State>()) {
  state_->folder = folder;
  state_->subfolders = subfolders;
  state_->changed = std::move(changed);
  state_->notification.reset(inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
  if (state_->notification.get() < 0) throwWatchError(folder);
  state_->stopEvent.reset(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
  if (state_->stopEvent.get() < 0) throwWatchError(folder);
  bool holdsFiles = false;
  if (!state_->addFolder(folder, 0, &holdsFiles)) throwWatchError(folder);
  try {
    thread_ = std::thread([state = state_] { state->run(); });
  } catch (const std::system_error& error) {
    throw WatchError("Cannot create change notification handle for '" + folder + "': " + error.what(),
                     error.code().value());
  }
}

FolderWatcher::~FolderWatcher() { stop(); }

void FolderWatcher::stop() {
  if (!thread_.joinable()) return;
  state_->stopRequests.fetch_add(1);
  uint64_t one = 1;
  ssize_t ignored = write(state_->stopEvent.get(), &one, sizeof one);
  (void)ignored;
  std::future<void> finished = state_->finished.get_future();
  if (finished.wait_for(std::chrono::milliseconds(kStopWaitMs)) == std::future_status::ready) {
    thread_.join();
  } else {
    log(LOG_WARN, "watch thread for '%s' did not stop in time", state_->folder.c_str());
    thread_.detach();  // it keeps its own reference to the shared state
  }
}

}  // namespace tk
