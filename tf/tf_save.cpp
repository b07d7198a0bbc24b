#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tf/tf_writer.h"

namespace tk {
namespace {

bool writeAll(int fd, const std::string& bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t written = ::write(fd, p, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    p += written;
    left -= static_cast<size_t>(written);
  }
  return true;
}

// A name beside the target that no other writer uses at the same time.
std::string temporaryName(const char* path) {
  static std::atomic<unsigned> counter{0};
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, ".tmp-%d-%u", static_cast<int>(getpid()), counter++);
  return std::string(path) + suffix;
}

bool fail(std::string* error, const std::string& what, const char* path) {
  *error = "cannot write '" + std::string(path) + "': " + what;
  return false;
}

// Writes through a temporary file that is renamed over `path` only when complete.
bool replaceFile(const char* path, const std::string& bytes, std::string* error) {
  std::string temporary = temporaryName(path);
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return fail(error, std::strerror(errno), path);
  bool written = writeAll(fd, bytes);
  int writeErrno = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    writeErrno = errno;
  }
  if (written && ::rename(temporary.c_str(), path) == 0) return true;
  if (written) writeErrno = errno;
  ::unlink(temporary.c_str());
  return fail(error, std::strerror(writeErrno), path);
}

}  // namespace

bool TF_SaveFile(const TF_Doc* doc, const char* path, int encoding, std::string* error) {
  std::string bytes;
  bool encoded = encoding == 0 ? TF_WriteBinary(TF_Root(doc), &bytes, error) : TF_WriteText(TF_Root(doc), &bytes, error);
  return encoded && replaceFile(path, bytes, error);
}

}  // namespace tk
