#include "api/file_commands.h"

#include "base/files/file_layer.h"
#include "base/log.h"

namespace tk {

void SetDir(const char* path) {
  // A folder that is not there would leave every later name failing to open,
  // far from the cause: refuse it here and keep the current folder.
  if (!fileLayer().folderExists(path)) {
    logErrorCode(kErrorArgument1, "failed to set the current folder to '%s': no such folder\n", path ? path : "");
    return;
  }
  fileLayer().setDirectory(path);
}
std::string GetDir() { return fileLayer().directory(); }
bool FileExist(const char* name) { return fileExists(name); }
std::string PathFilename(const char* name, bool keepExtension) { return fileLayer().baseName(name, keepExtension); }
std::string PathPath(const char* name) { return fileLayer().directoryPart(name); }
std::string PathFull(const char* name) { return fileLayer().absolutePath(name); }
std::string FilePathKnownLocation(const char* name) { return resolveFile(name); }

}  // namespace tk
