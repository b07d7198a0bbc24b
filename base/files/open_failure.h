#pragma once
// Why a file the engine was asked to read cannot be opened, in the system's own
// words, so that a failure message can say more than "cannot load".

#include <string>

namespace tk {

// The system's error text for the name as the engine file layer places it on
// disk ("No such file or directory", "Permission denied", "Is a directory");
// "not a regular file" for a device, pipe or socket; empty when the file opens.
std::string fileOpenFailureReason(const char* name);

}  // namespace tk
