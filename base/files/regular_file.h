#pragma once
// The one check every file the engine reads from disk goes through: only a
// regular file is opened. On Linux a folder opens for reading without a word
// and then reports a size of up to 2^63 bytes, and a named pipe blocks until
// someone writes to it; both are refused here as a file that cannot be opened
// (errno EISDIR for a folder, EINVAL for anything else that is not a regular
// file), so that every reader gives its usual "cannot open" answer.

#include <cstdio>
#include <string>

namespace tk {

enum class DiskEntry { Missing, RegularFile, Folder, Other };

// What the path names (symbolic links followed).
DiskEntry diskEntryOf(const char* path);

// Opens a regular file for reading ("rb"); null with errno set otherwise.
FILE* openRegularFile(const char* path);

// A whole regular file; false when it cannot be opened or read.
bool readRegularFile(const char* path, std::string* contents);

}  // namespace tk
