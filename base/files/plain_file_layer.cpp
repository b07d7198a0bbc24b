#include "base/files/plain_file_layer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/files/content_names.h"
#include "base/files/regular_file.h"

namespace tk {
namespace {

class StdioFile : public TkFile {
 public:
  explicit StdioFile(FILE* file) : file_(file) {}
  ~StdioFile() override { fclose(file_); }
  int seek(long offset, int origin) override {
    static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (origin < 0 || origin > 2) return -1;
    return fseek(file_, offset, whence[origin]) == 0 ? 0 : -1;
  }
  size_t read(void* buffer, size_t elementSize, size_t count) override {
    return fread(buffer, elementSize, count, file_);
  }
  int readChar() override {
    int c = fgetc(file_);
    return c == EOF ? -1 : c;
  }
  char* readLine(char* buffer, int size) override { return fgets(buffer, size, file_); }
  long tell() override { return ftell(file_); }

 private:
  FILE* file_;
};

bool isSeparator(char c) { return c == '/' || c == '\\' || c == ':'; }

std::string capped(std::string text) {
  if (text.size() > kPlainPathMax) text.resize(kPlainPathMax);
  return text;
}

// "a" + "/" + "b", with no separator added after an empty or separator-ended head.
std::string joinPath(const std::string& head, const char* tail) {
  std::string joined = head;
  if (!joined.empty() && !isSeparator(joined.back())) joined += '/';
  joined += tail;
  return capped(joined);
}

const char* afterLastSeparator(const char* name) {
  const char* last = nullptr;
  for (const char* p = name; *p; ++p)
    if (isSeparator(*p)) last = p;
  return last ? last + 1 : name;
}

}  // namespace

TkFilePtr wrapStdioFile(FILE* file) { return file ? std::make_unique<StdioFile>(file) : nullptr; }

TkFilePtr openDiskFile(const std::string& path) {
  const std::string found = findOnDisk(path);
  if (found.empty()) {
    errno = ENOENT;
    return nullptr;
  }
  return wrapStdioFile(openRegularFile(found.c_str()));
}

TkFilePtr PlainFileLayer::open(const char* name, const char* mode) {
  // Writing names a file of the engine's own, not content to look up.
  if (mode && (mode[0] != 'r' || strchr(mode, '+'))) return wrapStdioFile(fopen(absolutePath(name).c_str(), mode));
  return openDiskFile(absolutePath(name));
}

std::string PlainFileLayer::foundPath(const char* name) {
  const std::string found = findOnDisk(absolutePath(name));
  if (diskEntryOf(found.c_str()) != DiskEntry::RegularFile) return std::string();
  return found[0] == '/' ? found : joinPath(workingDirectory(), found.c_str());
}

bool PlainFileLayer::folderExists(const char* path) {
  if (!path || !*path) return true;  // no folder: the working directory
  return diskEntryOf(findOnDisk(path).c_str()) == DiskEntry::Folder;
}

void PlainFileLayer::setDirectory(const char* path) { currentDirectory_ = capped(path ? path : ""); }

void PlainFileLayer::extendDirectory(const char* relativePath) {
  currentDirectory_ = joinPath(currentDirectory_, relativePath ? relativePath : "");
}

std::string PlainFileLayer::absolutePath(const char* name) {
  // A name that is already absolute stands for itself; prefixing it would
  // point somewhere that does not exist.
  if (name[0] == '/') return capped(name);
  const std::string joined = joinPath(currentDirectory_, name);
  // Under a folder made current by a relative name, a file on disk gets its
  // full path, so that the answer opens the same file whatever folder is
  // current later (opening it again must not prefix the folder twice).
  // Members of a mounted archive keep their archive-relative names.
  struct stat status;
  if (!joined.empty() && joined[0] != '/' && stat(joined.c_str(), &status) == 0)
    return joinPath(workingDirectory(), joined.c_str());
  return joined;
}

std::string PlainFileLayer::workingDirectory() {
  char buffer[4096];
  return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

std::string PlainFileLayer::directoryPart(const char* name) {
  const char* tail = afterLastSeparator(name);
  return capped(std::string(name, tail - name));
}

std::string PlainFileLayer::baseName(const char* name, bool keepExtension) {
  std::string base = afterLastSeparator(name);
  if (!keepExtension) {
    size_t dot = base.rfind('.');
    if (dot != std::string::npos) base.resize(dot);
  }
  return capped(base);
}

}  // namespace tk
