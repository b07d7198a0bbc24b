#pragma once
// Plain standard-library files, relative to a current directory kept by the
// layer itself (not the process's working directory).

#include "base/files/file_layer.h"

namespace tk {

// Path texts of the plain layer hold at most this many characters.
constexpr size_t kPlainPathMax = 2047;

class PlainFileLayer : public FileLayer {
 public:
  TkFilePtr open(const char* name, const char* mode) override;
  void setDirectory(const char* path) override;
  void extendDirectory(const char* relativePath) override;
  std::string directory() override { return currentDirectory_; }
  std::string directoryPart(const char* name) override;
  std::string baseName(const char* name, bool keepExtension) override;
  std::string absolutePath(const char* name) override;
  std::string foundPath(const char* name) override;
  bool folderExists(const char* path) override;

 protected:
  // The folder relative names on disk are taken from.
  virtual std::string workingDirectory();

 private:
  std::string currentDirectory_;
};

// Wraps an open stdio FILE (taking ownership) as a TkFile.
TkFilePtr wrapStdioFile(FILE* file);
// Opens for reading the regular file on disk that a path stands for under the
// content-name rule; null with errno set when there is none.
TkFilePtr openDiskFile(const std::string& path);

}  // namespace tk
