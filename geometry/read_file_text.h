#pragma once
// The content of a display-library file: at most the size it reports (a
// device such as /dev/zero reports none and would never end), read in pieces
// that stop early where the content ends (a folder reports a size it does not
// have).

#include <irrlicht.h>

#include <string>

namespace tk {

std::string readFileText(irr::io::IReadFile* file);

}  // namespace tk
