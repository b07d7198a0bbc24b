#pragma once
// Directory and path commands of scripts, on the engine file layer (so that
// names inside a mounted archive count as existing files).

#include <string>

namespace tk {

// Refuses a path that names no folder (code 1), keeping the current one.
void SetDir(const char* path);
std::string GetDir();
bool FileExist(const char* name);
std::string PathFilename(const char* name, bool keepExtension);
std::string PathPath(const char* name);
std::string PathFull(const char* name);
// The file resolver: the first place where the name opens, or the name itself.
std::string FilePathKnownLocation(const char* name);

}  // namespace tk
