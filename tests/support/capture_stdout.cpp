#include "tests/support/capture_stdout.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tk::test {

CapturedStdout::CapturedStdout(int fd) : fd_(fd) {
  fflush(stdout);
  fflush(stderr);
  int fds[2];
  if (pipe2(fds, O_NONBLOCK) != 0) abort();
  savedFd_ = dup(fd_);
  dup2(fds[1], fd_);
  close(fds[1]);
  pipeRead_ = fds[0];
}

CapturedStdout::~CapturedStdout() {
  fflush(stdout);
  fflush(stderr);
  dup2(savedFd_, fd_);
  close(savedFd_);
  close(pipeRead_);
}

std::string CapturedStdout::take() {
  fflush(stdout);
  fflush(stderr);
  char buffer[4096];
  ssize_t n;
  while ((n = read(pipeRead_, buffer, sizeof buffer)) > 0) collected_.append(buffer, n);
  std::string out;
  out.swap(collected_);
  return out;
}

TempFolder::TempFolder() {
  char pattern[] = "/tmp/tesk-test-XXXXXX";
  path_ = mkdtemp(pattern);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::write(const std::string& relative, const std::string& contents) const {
  std::filesystem::path full = std::filesystem::path(path_) / relative;
  std::filesystem::create_directories(full.parent_path());
  std::ofstream(full, std::ios::binary) << contents;
  return full.string();
}

}  // namespace tk::test
