#pragma once
// The script run mode: a Lua script drives the engine through the tk library.

#include <string>

namespace tk {

// Runs a script file (packed: read through the engine file layer, from the
// mounted archive). The script's directory becomes the current directory; the
// log is silenced and message boxes are turned off, so that failures reach the
// script only as script errors. An error that ends the script goes to
// standard error. The engine is shut down at the end in every case.
// 0 when the script ran to its end, the interpreter's error code otherwise,
// -1 when a packed script cannot be read.
int runScript(const std::string& file, bool packed);

}  // namespace tk
