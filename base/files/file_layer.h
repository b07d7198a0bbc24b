#pragma once
// The engine file layer: every engine reader opens its files here, so that files
// inside an archive mounted on the display library's file system are found too.
// Two implementations exist: plain standard-library files (before a device
// exists) and the display library's file system (once a device exists).
// Both open for reading only regular files (base/files/regular_file.h) and find
// names written on Windows (base/files/content_names.h).

#include <cstddef>
#include <memory>
#include <string>

namespace irr::io {
class IFileSystem;
}

namespace tk {

// One open file. Origins of seek: 0 from the start, 1 from the current position,
// 2 from the end.
class TkFile {
 public:
  virtual ~TkFile() = default;
  virtual int seek(long offset, int origin) = 0;  // 0 on success
  virtual size_t read(void* buffer, size_t elementSize, size_t count) = 0;
  virtual int readChar() = 0;  // -1 at the end
  // Reads up to and including the line feed into a buffer of `size` bytes
  // (always terminated); null when nothing could be read.
  virtual char* readLine(char* buffer, int size) = 0;
  virtual long tell() = 0;
};

using TkFilePtr = std::unique_ptr<TkFile>;

// The operations an implementation provides.
class FileLayer {
 public:
  virtual ~FileLayer() = default;
  virtual TkFilePtr open(const char* name, const char* mode) = 0;
  virtual void setDirectory(const char* path) = 0;
  virtual void extendDirectory(const char* relativePath) = 0;
  virtual std::string directory() = 0;
  virtual std::string directoryPart(const char* name) = 0;
  virtual std::string baseName(const char* name, bool keepExtension) = 0;
  virtual std::string absolutePath(const char* name) = 0;
  // Where a name that opens is found: the full path on disk it stands for
  // (see base/files/content_names.h), or the name itself when a mounted
  // archive holds it; empty when it does not open.
  virtual std::string foundPath(const char* name) = 0;
  // True when the path names a folder (on disk, or inside a mounted archive).
  virtual bool folderExists(const char* path) = 0;
};

// Installing a layer replaces the current one.
void installPlainFileLayer();
void installDeviceFileLayer(irr::io::IFileSystem* fileSystem);
FileLayer& fileLayer();
bool deviceFileLayerInstalled();

// Conveniences over the current layer.
TkFilePtr openFile(const char* name, const char* mode = "rb");
bool fileExists(const char* name);
// Reads a whole file through the layer; false when it does not open.
bool readWholeFile(const char* name, std::string* contents);

// The engine's base directory: where the resolver looks last. Always ends in a
// separator once set (an empty base stays empty).
void setBaseDirectory(const char* path);
const std::string& baseDirectory();

// Folders searched by the resolver, in order.
extern const char* const kResolverFolders[7];

// The first of: the name, each resolver folder + name, base + name, base + each
// folder + name, that opens; the name as given when none does.
std::string resolveFile(const char* name);

}  // namespace tk
