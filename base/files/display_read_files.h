#pragma once
// Files the engine hands to the display library's loaders: the bytes of an
// archive member held in memory, and a regular file on disk. Both are made
// with a reference count of one for the caller to drop.

#include <irrlicht.h>

#include <cstdio>
#include <string>

namespace tk {

// Takes the bytes; an empty text makes an empty file.
irr::io::IReadFile* makeBufferReadFile(std::string bytes, const std::string& name);
// Takes ownership of an open stdio file.
irr::io::IReadFile* makeDiskReadFile(FILE* file, const std::string& name);

}  // namespace tk
