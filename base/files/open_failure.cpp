#include "base/files/open_failure.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/files/content_names.h"
#include "base/files/file_layer.h"

namespace tk {

std::string fileOpenFailureReason(const char* name) {
  if (!name || !*name) return std::strerror(ENOENT);
  // The entry the names rule finds (a folder named by another case is still a folder).
  const std::string asGiven = fileLayer().absolutePath(name);
  const std::string found = findOnDisk(asGiven);
  const std::string& path = found.empty() ? asGiven : found;
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return std::strerror(errno);
  if (S_ISDIR(status.st_mode)) return std::strerror(EISDIR);
  if (!S_ISREG(status.st_mode)) return "not a regular file";
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return std::strerror(errno);
  close(descriptor);
  return std::string();
}

}  // namespace tk
