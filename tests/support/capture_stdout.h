#pragma once
// Captures what the code under test writes to standard output (or to another
// descriptor, such as standard error).

#include <string>

namespace tk::test {

class CapturedStdout {
 public:
  explicit CapturedStdout(int fd = 1);
  ~CapturedStdout();
  // Everything written since construction (or the previous call).
  std::string take();

 private:
  int fd_;
  int savedFd_;
  int pipeRead_;
  std::string collected_;
};

// A fresh empty folder under the temporary directory, removed with its contents on destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::string& path() const { return path_; }
  // Writes a file (creating sub-folders) and returns its full path.
  std::string write(const std::string& relative, const std::string& contents) const;

 private:
  std::string path_;
};

}  // namespace tk::test
