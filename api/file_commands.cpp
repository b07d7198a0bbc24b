#include "api/file_commands.h"

#include "base/files/file_layer.h"

namespace tk {

void SetDir(const char* path) { fileLayer().setDirectory(path); }
std::string GetDir() { return fileLayer().directory(); }
bool FileExist(const char* name) { return fileExists(name); }
std::string PathFilename(const char* name, bool keepExtension) { return fileLayer().baseName(name, keepExtension); }
std::string PathPath(const char* name) { return fileLayer().directoryPart(name); }
std::string PathFull(const char* name) { return fileLayer().absolutePath(name); }
std::string FilePathKnownLocation(const char* name) { return resolveFile(name); }

}  // namespace tk
