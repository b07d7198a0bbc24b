#pragma once
// The whole content of a display-library file, read in pieces until the end
// rather than trusting the size it reports.

#include <irrlicht.h>

#include <string>

namespace tk {

std::string readFileText(irr::io::IReadFile* file);

}  // namespace tk
