#include "base/watch/write_check.h"

#include <fcntl.h>

#include <cerrno>
#include <csignal>

#include "base/watch/file_stamp.h"

namespace tk {

bool fileBeingWritten(int fd) {
  // The lease is dropped at once, so a writer's open is never held up. A writer
  // that opens the file in between breaks the lease and the kernel signals this
  // process: route that to a signal whose default action is to ignore it.
  fcntl(fd, F_SETSIG, SIGURG);
  if (fcntl(fd, F_SETLEASE, F_RDLCK) == 0) {
    fcntl(fd, F_SETLEASE, F_UNLCK);
    return false;
  }
  if (errno == EAGAIN) return true;
  FileStamp stamp = readFileStamp(fd);
  return fileClockNow() - stamp.modified < int64_t{kWriteQuietMs} * 1000000;
}

}  // namespace tk
