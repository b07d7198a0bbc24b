#include "music/temp_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>

#include "base/log.h"

namespace tk {
namespace {

// The slots (used from the main thread only), with a destructor that removes
// what is left when the process ends.
class TempFileTable {
 public:
  ~TempFileTable() { deleteAll(); }

  int claim() {
    for (int slot = 0; slot < kTempFileSlots; ++slot) {
      if (!claimed_[slot]) {
        claimed_[slot] = true;
        return slot;
      }
    }
    return -1;
  }
  void set(int slot, const std::string& path) {
    paths_[slot] = path;
  }
  std::string path(int slot) {
    return valid(slot) ? paths_[slot] : std::string();
  }
  void release(int slot) {
    if (!valid(slot)) return;
    if (!paths_[slot].empty()) unlink(paths_[slot].c_str());
    paths_[slot].clear();
    claimed_[slot] = false;
  }
  void deleteAll() {
    for (int slot = 0; slot < kTempFileSlots; ++slot) release(slot);
  }

 private:
  static bool valid(int slot) { return slot >= 0 && slot < kTempFileSlots; }
  std::array<bool, kTempFileSlots> claimed_{};
  std::array<std::string, kTempFileSlots> paths_;
};

TempFileTable& table() {
  static TempFileTable t;
  return t;
}

std::string temporaryFolder() {
  const char* folder = getenv("TMPDIR");
  if (!folder || !*folder) folder = "/tmp";
  struct stat info {};
  if (stat(folder, &info) != 0 || !S_ISDIR(info.st_mode)) return std::string();
  std::string path = folder;
  if (path.back() != '/') path += '/';
  return path;
}

// The extension of the file name part (after the last separator), "tmp" when none.
std::string extensionOf(const std::string& name) {
  size_t nameStart = name.find_last_of("/\\");
  nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot < nameStart || dot + 1 == name.size()) return "tmp";
  return name.substr(dot + 1);
}

bool writeAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t written = write(fd, data.data() + done, data.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<size_t>(written);
  }
  return true;
}

int fail(int slot, const std::string& path, const char* reason) {
  print("ERROR : %s", reason);
  if (!path.empty()) unlink(path.c_str());
  table().release(slot);
  return -1;
}

}  // namespace

int createTempFile(const std::string& data, const std::string& sourceName) {
  int slot = table().claim();
  if (slot < 0) {
    print("ERROR : %s", "no free temporary file slot");
    return -1;
  }
  std::string folder = temporaryFolder();
  if (folder.empty()) return fail(slot, "", "GetTempPath failed");

  // mkstemps makes the unique name and creates the file in one step, so no other
  // process can slip a file or link in under the same name.
  std::string suffix = "_" + std::to_string(slot) + "." + extensionOf(sourceName);
  std::string pattern = folder + "TM_XXXXXX" + suffix;
  int fd = mkstemps(pattern.data(), static_cast<int>(suffix.size()));
  if (fd < 0) return fail(slot, "", "GetTempFileName failed");
  if (!writeAll(fd, data)) {
    close(fd);
    return fail(slot, pattern, "WriteFile failed");
  }
  if (close(fd) != 0) return fail(slot, pattern, "CloseHandle(hTempFile) failed");
  table().set(slot, pattern);
  return slot;
}

std::string tempFilePath(int slot) { return table().path(slot); }

void deleteTempFile(int slot) { table().release(slot); }

void deleteAllTempFiles() { table().deleteAll(); }

}  // namespace tk
